#include "main/skin/skin_ini.h"

#include "platform/ini/integer_text.h"

#include <QFileInfo>

namespace {

constexpr TColor kSystem = TColor(0xFF000000u);

struct NamedColor {
    const char *name;
    TColor value;
};

// The colour constants a layout file may name: the sixteen basic colours,
// the four extra ones, the "no colour" markers and the system colours.
constexpr NamedColor kNamedColors[] = {
    {"clBlack", 0x000000},     {"clMaroon", 0x000080},  {"clGreen", 0x008000},
    {"clOlive", 0x008080},     {"clNavy", 0x800000},    {"clPurple", 0x800080},
    {"clTeal", 0x808000},      {"clGray", 0x808080},    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},       {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},      {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},     {"clLtGray", 0xC0C0C0},  {"clDkGray", 0x808080},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},   {"clNone", 0x1FFFFFFF},  {"clDefault", 0x20000000},
    {"clScrollBar", kSystem | 0},            {"clBackground", kSystem | 1},
    {"clActiveCaption", kSystem | 2},        {"clInactiveCaption", kSystem | 3},
    {"clMenu", kSystem | 4},                 {"clWindow", kSystem | 5},
    {"clWindowFrame", kSystem | 6},          {"clMenuText", kSystem | 7},
    {"clWindowText", kSystem | 8},           {"clCaptionText", kSystem | 9},
    {"clActiveBorder", kSystem | 10},        {"clInactiveBorder", kSystem | 11},
    {"clAppWorkSpace", kSystem | 12},        {"clHighlight", kSystem | 13},
    {"clHighlightText", kSystem | 14},       {"clBtnFace", kSystem | 15},
    {"clBtnShadow", kSystem | 16},           {"clGrayText", kSystem | 17},
    {"clBtnText", kSystem | 18},             {"clInactiveCaptionText", kSystem | 19},
    {"clBtnHighlight", kSystem | 20},        {"cl3DDkShadow", kSystem | 21},
    {"cl3DLight", kSystem | 22},             {"clInfoText", kSystem | 23},
    {"clInfoBk", kSystem | 24},              {"clHotLight", kSystem | 26},
    {"clGradientActiveCaption", kSystem | 27}, {"clGradientInactiveCaption", kSystem | 28},
    {"clMenuHighlight", kSystem | 29},       {"clMenuBar", kSystem | 30},
};

} // namespace

std::optional<TColor> StringToColor(const QString &text)
{
    const QString trimmed = text.trimmed();
    for (const NamedColor &c : kNamedColors)
        if (trimmed.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.value;
    return ParseIntegerText(trimmed);
}

SkinIni::SkinIni(QString programFile, QString userFile)
    : m_program(std::move(programFile)), m_user(std::move(userFile))
{
}

bool SkinIni::programFileExists() const
{
    return QFileInfo(m_program.FileName()).isFile();
}

bool SkinIni::programFileHoldsSection(const QString &section) const { return m_program.SectionExists(section); }

const TIniFile &SkinIni::holder(const QString &section, const QString &key) const
{
    return m_user.ValueExists(section, key) ? m_user : m_program;
}

QString SkinIni::ReadString(const QString &section, const QString &key, const QString &def) const
{
    return holder(section, key).ReadString(section, key, def);
}

int32_t SkinIni::ReadInteger(const QString &section, const QString &key, int32_t def) const
{
    return holder(section, key).ReadInteger(section, key, def);
}

bool SkinIni::ReadBool(const QString &section, const QString &key, bool def) const
{
    return holder(section, key).ReadBool(section, key, def);
}

TColor SkinIni::ReadColor(const QString &section, const QString &key, const QString &def) const
{
    const TIniFile &file = holder(section, key);
    const QString text = file.ReadString(section, key, def);
    if (const auto color = StringToColor(text))
        return *color;
    throw SkinColorError(QStringLiteral("%1, section [%2], key \"%3\": \"%4\" is not a valid colour")
                             .arg(file.FileName(), section, key, text)
                             .toStdString());
}

void SkinIni::WriteBool(const QString &section, const QString &key, bool value)
{
    m_user.WriteBool(section, key, value);
}

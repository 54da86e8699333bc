#include "main/skin/skin_layout.h"

#include "platform/paths/program_paths.h"

#include <algorithm>

#include <QFileInfo>
#include <QImageReader>
#include <QPoint>

namespace {

const QString kCannotBeFound = QStringLiteral("The program file cannot be found, please install again.");

constexpr const char *kPopupMenus[] = {"zm_popup_file", "zm_pop_edit", "zm_pop_actions", "zm_pop_tools",
                                       "zm_pop_help"};

constexpr SkinButtonRow kButtons[] = {
    {"bt_dvdopen", true}, {"bt_open", true},     {"bt_ifo", true},     {"bt_all", true},
    {"bt_none", true},    {"bt_remove", true},   {"bt_clear", true},   {"bt_chapte", false},
    {"bt_set", false},    {"bt_back", false},    {"bt_play", true},    {"bt_begin", true},
    {"bt_end", true},     {"bt_next", true},     {"bt_playstop", true}, {"bt_images", true},
    {"bt_start", true},   {"Bt_Convertstop", true}, {"bt_web", true},
};

constexpr const char *kCategoryPanels[] = {
    "pl_video1", "pl_audio1", "pl_ipod", "pl_iphone", "pl_psp", "pl_phone", "pl_pmp", "pl_appletv", "pl_animation",
    "pl_gphone", "pl_win", "pl_xbox", "pl_hd", "pl_avi", "pl_mpeg", "pl_mp4", "pl_mkv",
};

QString S(const char *text)
{
    return QString::fromLatin1(text);
}

// The layout's keys are plain ASCII names.
class LayoutReader {
public:
    explicit LayoutReader(const SkinIni &ini) : m_ini(ini) {}

    int integer(const char *section, const char *key, int def) const
    {
        return m_ini.ReadInteger(S(section), S(key), def);
    }
    TColor color(const char *section, const char *key, const char *def) const
    {
        return m_ini.ReadColor(S(section), S(key), S(def));
    }

private:
    const SkinIni &m_ini;
};

PopupColors ReadPopupColors(const LayoutReader &r)
{
    const char *s = "File";
    PopupColors c;
    c.BarColor = r.color(s, "BarColor", "$00323232");
    c.BorderColor = r.color(s, "BorderColor", "$00323232");
    c.Color = r.color(s, "Color", "$00FEFBFA");
    c.FontColor = r.color(s, "FontColor", "clBlack");
    c.SelectedBorderColor = r.color(s, "SelectedBorderColor", "$00323232");
    c.SelectedColor = r.color(s, "SelectedColor", "$00323232");
    c.SelectedFontColor = r.color(s, "SelectedFontColor", "clWhite");
    c.SeparatorColor = r.color(s, "SeparatorColor", "clBlack");
    return c;
}

void LayoutCombo(const LayoutReader &r, const char *combo, const char *colorSection, SkinLayoutTarget &target)
{
    target.setComboPlace(S(combo), r.integer(combo, "Left", 6), r.integer(combo, "Top", 6), r.integer(combo, "Width", 6));
    ComboColors c;
    c.ArrowColor = r.color(colorSection, "ArrowColor", "clBlack");
    c.BorderColor = r.color(colorSection, "BorderColor", "clBlack");
    c.ButtonColor = r.color(colorSection, "ButtonColor", "$00F7E1D0");
    c.Color = r.color(colorSection, "Color", "clBtnFace");
    target.setComboColors(S(combo), c);
}

// A button's pictures that could not be loaded: the first missing or unreadable one.
SkinLayoutError PictureError(const LugLookup &lug, const ImageButtonPictures &pictures)
{
    for (const QString &path : {pictures.normal, pictures.mouseOn, pictures.disabled}) {
        if (!QFileInfo(path).isFile())
            return SkinLayoutError(lug, path, true);
        if (!QImageReader(path).canRead())
            return SkinLayoutError(lug, path, false);
    }
    return SkinLayoutError(lug, pictures.normal, false);
}

void ReadSkinLayout(const SkinIni &ini, const QString &exeFolder, const QString &executableName,
                    const LugLookup &lug, SkinLayoutTarget &target)
{
    const LayoutReader r(ini);

    for (const char *menu : kPopupMenus)
        target.setPopupColors(S(menu), ReadPopupColors(r));
    target.setVersion(r.integer("version", "version", 1));

    for (const SkinButtonRow &b : kButtons) {
        const QString name = S(b.name);
        target.setButtonBounds(name, QRect(r.integer(b.name, "Left", 6), r.integer(b.name, "Top", 6),
                                           r.integer(b.name, "Width", 6), r.integer(b.name, "Height", 6)));
        const ImageButtonPictures pictures = ButtonPicturePaths(exeFolder, name);
        try {
            target.loadButtonPictures(name, pictures);
        } catch (const std::exception &) {
            throw PictureError(lug, pictures);
        }
        target.setButtonVisible(name, r.integer(b.name, "Visible", b.visible ? 1 : 0) != 0);
    }

    LayoutCombo(r, "cb_audio", "Audio", target);
    LayoutCombo(r, "cb_subtitle", "subtitle", target);

    target.setOutputEdit(QRect(r.integer("ed_output", "Left", 6), r.integer("ed_output", "Top", 6),
                               r.integer("ed_output", "Width", 6), r.integer("ed_output", "Height", 15)),
                         r.integer("ed_output", "Visible", 0) != 0);
    target.movePanel(S("Panel1"), r.integer("Panel1", "Left", 6), r.integer("Panel1", "Top", 6));
    target.movePanel(S("pl_main"), r.integer("pl_main", "Left", 6), r.integer("pl_main", "Top", 6));
    const int plleft = r.integer("pl_main", "plleft", 6);
    const int pltop = r.integer("pltop", "pltop", 6);
    for (const char *panel : kCategoryPanels)
        target.movePanel(S(panel), plleft, pltop);

    target.setPreviewPanelBounds(QRect(r.integer("pl_play", "Left", 6), r.integer("pl_play", "Top", 6),
                                       r.integer("pl_play", "Width", 6), r.integer("pl_play", "Height", 6)));
    const int lvLeft = r.integer("lv", "Left", 6);
    const int lvTop = r.integer("lv", "Top", 6);
    const int lvHeight = r.integer("lv", "height", 6);
    const int lvWidth = r.integer("lv", "Width", 6);
    target.setListBounds(QRect(lvLeft, lvTop, lvWidth, lvHeight));
    target.setListColumnCaption(0, LugText(lug, QStringLiteral("Caption"), QStringLiteral("Title"), QStringLiteral("Title")));
    constexpr int kColumnWidths[] = {90, 90, 90, 80, 60};
    for (int i = 0; i < 5; ++i)
        target.setListColumnWidth(i, r.integer("lv", QByteArray::number(i + 1).constData(), kColumnWidths[i]));
    target.setListCheckBoxes(true);

    const QString title = TitlePicturePath(exeFolder, executableName);
    if (QFileInfo(title).isFile())
        target.showTitle(r.integer("Title", "Left", 6), r.integer("Title", "Top", 5), r.integer("Title", "Width", 5),
                         title);
    else
        target.hideTitle();
}


} // namespace


std::span<const char *const> SkinPopupMenus()
{
    return kPopupMenus;
}

std::span<const SkinButtonRow> SkinImageButtons()
{
    return kButtons;
}

std::span<const char *const> SkinCategoryPanels()
{
    return kCategoryPanels;
}

ImageButtonPictures ButtonPicturePaths(const QString &exeFolder, const QString &button)
{
    const QString base = exeFolder + QStringLiteral("/images/") + button;
    return {base + QStringLiteral(".bmp"), base + QStringLiteral("on.bmp"), base + QStringLiteral("D.bmp")};
}

QString TitlePicturePath(const QString &exeFolder, const QString &executableName)
{
    return exeFolder + QStringLiteral("/images/main/") + SettingsBaseName(executableName) + QStringLiteral(".bmp");
}

SkinLayoutError::SkinLayoutError(const LugLookup &lug, const QString &file, bool missing)
    : SkinError(LugText(lug, QStringLiteral("MessageDlg"), kCannotBeFound, kCannotBeFound) +
                QStringLiteral("\n\"%1\" is %2.")
                    .arg(file, missing ? QStringLiteral("missing") : QStringLiteral("damaged")))
{
}

void CheckSkinIni(const SkinIni &ini, const LugLookup &lug)
{
    const bool holdsLayout = std::all_of(std::begin(kButtons), std::end(kButtons), [&ini](const SkinButtonRow &b) {
        return ini.programFileHoldsSection(S(b.name));
    });
    if (!ini.programFileExists() || !holdsLayout)
        throw SkinLayoutError(lug, ini.programFileName(), !ini.programFileExists());
}

void LoadSkinLayout(const SkinIni &ini, const QString &exeFolder, const QString &executableName,
                    const LugLookup &lug, SkinLayoutTarget &target)
{
    try {
        ReadSkinLayout(ini, exeFolder, executableName, lug, target);
    } catch (const SkinColorError &) {
        throw SkinLayoutError(lug, ini.programFileName(), false);
    }
}

QPoint PopupOffset(const SkinIni &ini, const QString &section)
{
    return QPoint(ini.ReadInteger(section, QStringLiteral("left"), 6), ini.ReadInteger(section, QStringLiteral("top"), 64));
}

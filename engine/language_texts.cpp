#include "engine/language_texts.h"

#include "platform/ini/ini_file.h"

#include <QFile>
#include <memory>
#include <utility>

std::optional<QString> ReadLanguageInfoLine(const QString &filePath, int n)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        throw LanguageFileError(QStringLiteral("Cannot open file \"%1\". %2")
                                    .arg(filePath, file.errorString())
                                    .toStdString());
    if (n < 1)
        return std::nullopt;
    // Read only as far as the wanted line; the file is re-read on every request.
    for (int line = 1; !file.atEnd(); ++line) {
        QByteArray bytes = file.readLine();
        if (bytes.isEmpty() && file.error() != QFileDevice::NoError)
            throw LanguageFileError(QStringLiteral("Read error in \"%1\". %2")
                                        .arg(filePath, file.errorString())
                                        .toStdString());
        if (line < n)
            continue;
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        return QString::fromUtf8(bytes);
    }
    return std::nullopt;
}

LanguageTexts::LanguageTexts(QString languageInfoPath, LugLookup lug, std::function<bool()> converting,
                             HintDisplay *hint)
    : m_languageInfoPath(std::move(languageInfoPath)), m_lug(std::move(lug)),
      m_converting(std::move(converting)), m_hint(hint)
{
}

QString LanguageTexts::Lug(const QString &section, const QString &key, const QString &def) const
{
    return m_lug ? m_lug(section, key, def) : def;
}

QString LanguageTexts::LoadLanguageLine(int n) const
{
    if (n != kConvertingLine && m_converting && m_converting())
        return {};
    const std::optional<QString> line = ReadLanguageInfoLine(m_languageInfoPath, n);
    if (!line)
        return {};
    if (m_hint)
        m_hint->showHint(*line);
    return *line;
}

LanguageTexts::LugLookup LanguageTexts::lugIni(const QString &lugIniPath)
{
    auto ini = std::make_shared<TIniFile>(lugIniPath);
    return [ini](const QString &section, const QString &key, const QString &def) {
        return ini->ReadString(section, key, def);
    };
}

#pragma once

// The two translation files beside the executable: "lug.ini" (captions and
// dialog texts by section and key, English default built in) and
// "language.info" (numbered message lines, also shown in the hint line).

#include <QString>
#include <functional>
#include <optional>
#include <stdexcept>

// Where a numbered line is shown besides being returned: the skin's "hint" object.
class HintDisplay {
public:
    virtual ~HintDisplay() = default;
    virtual void showHint(const QString &line) = 0;
};

// "language.info" could not be opened or read.
class LanguageFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Line n (counted from 1) of the file, read from the start; nothing when the
// file has fewer lines or n < 1. Throws LanguageFileError when the file
// cannot be read.
std::optional<QString> ReadLanguageInfoLine(const QString &filePath, int n);

// The line the program always serves while converting: the "busy" refusal.
inline constexpr int kConvertingLine = 26;

class LanguageTexts {
public:
    // section, key, default → text
    using LugLookup = std::function<QString(const QString &, const QString &, const QString &)>;

    // languageInfoPath: the "language.info" file; lug: the "lug.ini" lookup
    // (the default answers every key with its default); converting: whether a
    // run is going on; hint may be null.
    LanguageTexts(QString languageInfoPath, LugLookup lug, std::function<bool()> converting,
                  HintDisplay *hint = nullptr);

    // A "lug.ini" text; the default when the file, section or key is missing.
    QString Lug(const QString &section, const QString &key, const QString &def) const;
    // The "other sections" scheme: the English text is key and default at once.
    QString Lug(const QString &section, const QString &english) const { return Lug(section, english, english); }

    // Message n: shown in the hint line and returned. While converting only
    // line 26 is served; any other line yields "" and touches nothing.
    QString LoadLanguageLine(int n) const;

    void setHintDisplay(HintDisplay *hint) { m_hint = hint; }

    // The lookup of a "lug.ini" file, kept open for the program's life.
    static LugLookup lugIni(const QString &lugIniPath);

private:
    QString m_languageInfoPath;
    LugLookup m_lug;
    std::function<bool()> m_converting;
    HintDisplay *m_hint;
};

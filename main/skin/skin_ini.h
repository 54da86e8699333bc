#pragma once

// The layout file "Skin.ini" and its colour values.
//
// The shipped file lies beside the executable, a folder the user may not be
// allowed to write. What the program writes into it (the hint window's
// check box) goes to a "Skin.ini" of the per-user config folder instead, and
// every key is looked up there first.

#include "platform/ini/ini_file.h"

#include <QColor>
#include <QString>
#include <cstdint>
#include <optional>
#include <stdexcept>


// A colour text that is neither a colour name nor a number.
class SkinColorError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A colour as the layout file writes it: $00BBGGRR, or a system colour with
// $FF in the high byte and the colour's index in the low byte.
using TColor = int32_t;

// "clBlack", "clBtnFace", ... (any case) or an integer text ("$00FEFBFA", "255").
std::optional<TColor> StringToColor(const QString &text);

class SkinIni {
public:
    // programFile: "Skin.ini" beside the executable; userFile: the one in the config folder.
    SkinIni(QString programFile, QString userFile);

    // Whether the shipped file is there at all (its absence is reported once at start-up).
    bool programFileExists() const;
    // Whether the shipped file holds the section (a damaged one holds none).
    bool programFileHoldsSection(const QString &section) const;

    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    int32_t ReadInteger(const QString &section, const QString &key, int32_t def) const;
    bool ReadBool(const QString &section, const QString &key, bool def) const;
    // Throws SkinColorError naming the file, section, key and text.
    TColor ReadColor(const QString &section, const QString &key, const QString &def) const;

    // Into the per-user file; IniFileError when it cannot be written.
    void WriteBool(const QString &section, const QString &key, bool value);

    const QString &programFileName() const { return m_program.FileName(); }
    const QString &userFileName() const { return m_user.FileName(); }

private:
    const TIniFile &holder(const QString &section, const QString &key) const;

    TIniFile m_program;
    TIniFile m_user;
};

#pragma once

// English names of ISO 639 languages, the two- and three-letter codes with
// which DVDs and Blu-ray discs mark their streams, from the iso-codes package.

#include <QHash>
#include <QString>

class LanguageNames {
public:
    // Reads an iso-codes iso_639-2.json (entries with alpha_2, alpha_3,
    // bibliographic and name); a missing or unreadable file gives a table
    // that knows no code.
    static LanguageNames fromFile(const QString &path);

    // "Spanish; Castilian" for "es", "spa"; the code itself when unknown.
    QString fullName(const QString &code) const;
    // The first of the names: "Spanish".
    QString shortName(const QString &code) const;

private:
    QHash<QString, QString> names_; // lower-case code -> name
};

// From the system's iso-codes table, read once on first use (from any thread).
QString LanguageName(const QString &code);
QString ShortLanguageName(const QString &code);

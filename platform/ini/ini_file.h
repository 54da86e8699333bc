#pragma once

// The one ini-file class of the program, with the rules of the Windows
// private-profile service:
// - section and key names compare without regard to case (Unicode case folding);
// - a value is the text after the first "=", trimmed, with one pair of
//   enclosing double quotes removed; lines starting with ";" are comments;
// - a missing file, section or key reads as the default; of duplicate keys the
//   first counts, of duplicate sections the first counts;
// - every write goes to the file at once: an existing key is replaced in its
//   line, a new key goes after the last line of its section, a new section at
//   the end of the file; every other line stays byte for byte (comments,
//   garbage, invalid UTF-8, BOM, CRLF endings);
// - the file is replaced through a temporary file in the same folder, so a
//   failed write leaves the old file as it was.
// The parsed file is kept and read again only when the file changes on disk.
// One object belongs to one thread.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <cstdint>
#include <stdexcept>
#include <vector>

// A write that could not reach the file; the text names the file.
class IniFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TIniFile {
public:
    // fileName: the full path of the ini file; it need not exist yet.
    explicit TIniFile(QString fileName);

    const QString &FileName() const { return m_fileName; }

    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    // Decimal, "$" or "0x" hexadecimal; any other text gives def.
    int32_t ReadInteger(const QString &section, const QString &key, int32_t def) const;
    // An integer other than 0 is true; a value that is no integer gives def.
    bool ReadBool(const QString &section, const QString &key, bool def) const;

    // Writes throw IniFileError when the file cannot be written (the folder is
    // created when missing), when an existing file cannot be read (it would be
    // lost), or when a name or value cannot be stored in an ini line.
    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int32_t value);
    void WriteBool(const QString &section, const QString &key, bool value); // "1" or "0"

    // True when the section holds at least one key.
    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;
    // Removes every section of that name with all its lines.
    void EraseSection(const QString &section);
    // Removes every line of the key in the section.
    void DeleteKey(const QString &section, const QString &key);

private:
    enum class Ending : uint8_t { None, Lf, CrLf };
    struct Line {
        QByteArray text; // without its line ending
        Ending ending = Ending::Lf;
    };
    struct Section {
        int header; // line index of "[name]"
        int end;    // one past its last line
        QString name;             // case-folded
        QHash<QString, int> keys; // case-folded key → line of its first occurrence (first sections only)
    };
    struct Stamp {
        bool exists = false;
        uint64_t device = 0, inode = 0;
        int64_t size = 0, mtimeNs = 0, ctimeNs = 0;
        bool operator==(const Stamp &) const = default;
    };
    // The file as last read or written.
    struct Content {
        bool loaded = false;
        Stamp stamp;
        QString readError; // non-empty: the file exists but could not be read
        bool bom = false;
        Ending newline = Ending::Lf; // for lines this class adds
        std::vector<Line> lines;
        std::vector<Section> sections;
        QHash<QString, int> firstSection; // case-folded name → index into sections
    };

    // The file's content, read again when the file changed since.
    const Content &current() const;
    void reindex() const;
    // In the content as it stands (no re-read).
    const Section *findSection(const QString &section) const;
    // Re-reads when needed; the line of the key or -1.
    int findKey(const QString &section, const QString &key) const;
    void checkStorable(const QString &section, const QString &key, const QString &value) const;
    void store(std::vector<Line> lines);

    QString m_fileName;
    mutable Content m_content;
};

#include "platform/ini/ini_file.h"

#include "platform/ini/integer_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

bool isAsciiSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A caller's name trimmed like the names in the file (ASCII white space only).
QString trimmedName(const QString &name)
{
    return QString::fromUtf8(name.toUtf8().trimmed());
}

QString foldName(const QString &name) { return trimmedName(name).toCaseFolded(); }

QString quoted(const QString &s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

int64_t nanoseconds(const timespec &t) { return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec; }

void stampOf(const struct stat &st, bool exists, auto &stamp)
{
    stamp = {};
    stamp.exists = exists;
    if (exists) {
        stamp.device = st.st_dev;
        stamp.inode = st.st_ino;
        stamp.size = st.st_size;
        stamp.mtimeNs = nanoseconds(st.st_mtim);
        stamp.ctimeNs = nanoseconds(st.st_ctim);
    }
}

enum class LineKind { Blank, Comment, Header, Key, Other };

struct Classified {
    LineKind kind = LineKind::Other;
    QByteArray name; // header or key name, trimmed
    qsizetype equals = -1;
};

Classified classify(const QByteArray &text)
{
    qsizetype i = 0;
    while (i < text.size() && isAsciiSpace(text[i]))
        ++i;
    if (i == text.size())
        return {LineKind::Blank, {}, -1};
    if (text[i] == ';')
        return {LineKind::Comment, {}, -1};
    if (text[i] == '[') {
        const qsizetype close = text.lastIndexOf(']');
        if (close < 0)
            return {LineKind::Other, {}, -1};
        return {LineKind::Header, text.mid(i + 1, close - i - 1).trimmed(), -1};
    }
    const qsizetype eq = text.indexOf('=', i);
    if (eq < 0)
        return {LineKind::Other, {}, -1};
    return {LineKind::Key, text.mid(i, eq - i).trimmed(), eq};
}

QByteArray valueBytes(const QByteArray &text)
{
    QByteArray v = text.mid(text.indexOf('=') + 1).trimmed();
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        v = v.mid(1, v.size() - 2);
    return v;
}

// A value that the reading rules would change (surrounding blanks, a pair of
// enclosing quotes) is written inside quotes so that it reads back unchanged.
QByteArray encodeValue(const QString &value)
{
    const QByteArray v = value.toUtf8();
    const bool wouldChange = v != v.trimmed() || (v.size() >= 2 && v.front() == '"' && v.back() == '"');
    return wouldChange ? '"' + v + '"' : v;
}

QString describe(const QString &path, const QString &what)
{
    return QStringLiteral("Cannot write the ini file %1: %2").arg(quoted(QDir::toNativeSeparators(path)), what);
}

[[noreturn]] void fail(const QString &message) { throw IniFileError(message.toStdString()); }

} // namespace

TIniFile::TIniFile(QString fileName) : m_fileName(std::move(fileName)) {}

const TIniFile::Content &TIniFile::current() const
{
    const QByteArray path = QFile::encodeName(m_fileName);
    struct stat st {};
    Stamp now;
    stampOf(st, ::stat(path.constData(), &st) == 0, now);
    if (m_content.loaded && now == m_content.stamp)
        return m_content;

    Content c;
    c.loaded = true;
    QByteArray data;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            c.readError = QString::fromLocal8Bit(std::strerror(errno));
            c.stamp = now;
        }
    } else {
        // The stamp of the file actually read, so a change during the read shows next time.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
            stampOf(st, true, c.stamp);
            data.reserve(st.st_size);
            char buffer[65536];
            for (;;) {
                const ssize_t n = ::read(fd, buffer, sizeof buffer);
                if (n > 0) {
                    data.append(buffer, n);
                } else if (n == 0) {
                    break;
                } else if (errno != EINTR) {
                    c.readError = QString::fromLocal8Bit(std::strerror(errno));
                    data.clear();
                    break;
                }
            }
        } else {
            c.readError = QStringLiteral("not a regular file");
            c.stamp = now;
        }
        ::close(fd);
    }

    if (data.startsWith(kBom)) {
        c.bom = true;
        data.remove(0, kBom.size());
    }
    bool styleSeen = false;
    for (qsizetype pos = 0; pos < data.size();) {
        qsizetype nl = data.indexOf('\n', pos);
        Line line;
        if (nl < 0) {
            line.text = data.mid(pos);
            line.ending = Ending::None;
            nl = data.size();
        } else if (nl > pos && data[nl - 1] == '\r') {
            line.text = data.mid(pos, nl - 1 - pos);
            line.ending = Ending::CrLf;
        } else {
            line.text = data.mid(pos, nl - pos);
            line.ending = Ending::Lf;
        }
        if (!styleSeen && line.ending != Ending::None) {
            c.newline = line.ending;
            styleSeen = true;
        }
        c.lines.push_back(std::move(line));
        pos = nl + 1;
    }
    m_content = std::move(c);
    reindex();
    return m_content;
}

void TIniFile::reindex() const
{
    Content &c = m_content;
    c.sections.clear();
    c.firstSection.clear();
    Section *open = nullptr;
    bool openIsFirst = false;
    for (int i = 0; i < int(c.lines.size()); ++i) {
        const Classified l = classify(c.lines[i].text);
        if (l.kind == LineKind::Header) {
            if (open)
                open->end = i;
            const QString name = QString::fromUtf8(l.name).toCaseFolded();
            c.sections.push_back({i, int(c.lines.size()), name, {}});
            open = &c.sections.back();
            openIsFirst = !c.firstSection.contains(name);
            if (openIsFirst)
                c.firstSection.insert(name, int(c.sections.size()) - 1);
        } else if (l.kind == LineKind::Key && open && openIsFirst) {
            const QString key = QString::fromUtf8(l.name).toCaseFolded();
            if (!open->keys.contains(key))
                open->keys.insert(key, i);
        }
    }
}

const TIniFile::Section *TIniFile::findSection(const QString &section) const
{
    const auto it = m_content.firstSection.constFind(foldName(section));
    return it == m_content.firstSection.cend() ? nullptr : &m_content.sections[*it];
}

int TIniFile::findKey(const QString &section, const QString &key) const
{
    current();
    const Section *s = findSection(section);
    return s ? s->keys.value(foldName(key), -1) : -1;
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    const int line = findKey(section, key);
    return line < 0 ? def : QString::fromUtf8(valueBytes(m_content.lines[line].text));
}

int32_t TIniFile::ReadInteger(const QString &section, const QString &key, int32_t def) const
{
    const int line = findKey(section, key);
    if (line < 0)
        return def;
    return ParseIntegerText(QString::fromUtf8(valueBytes(m_content.lines[line].text))).value_or(def);
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniFile::SectionExists(const QString &section) const
{
    current();
    const Section *s = findSection(section);
    return s && !s->keys.isEmpty();
}

bool TIniFile::ValueExists(const QString &section, const QString &key) const
{
    return findKey(section, key) >= 0;
}

void TIniFile::checkStorable(const QString &section, const QString &key, const QString &value) const
{
    const auto where = [&](const QString &what) {
        return describe(m_fileName, QStringLiteral("section %1, key %2: %3").arg(quoted(section), quoted(key), what));
    };
    const auto hasBreak = [](const QString &s) { return s.contains(u'\n') || s.contains(u'\r'); };
    if (hasBreak(section) || hasBreak(key) || hasBreak(value))
        fail(where(QStringLiteral("a line break cannot be stored")));
    const QString k = trimmedName(key);
    if (k.contains(u'=') || k.startsWith(u'[') || k.startsWith(u';'))
        fail(where(QStringLiteral("a key cannot hold \"=\" or start with \"[\" or \";\"")));
    if (!m_content.readError.isEmpty())
        fail(describe(m_fileName, QStringLiteral("the existing file cannot be read (%1), so it is left unchanged")
                                      .arg(m_content.readError)));
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const Content &c = current();
    checkStorable(section, key, value);
    const QByteArray encoded = encodeValue(value);
    std::vector<Line> lines = c.lines;
    const Ending ending = c.newline;

    if (const Section *s = findSection(section)) {
        const int at = s->keys.value(foldName(key), -1);
        if (at >= 0) {
            if (QString::fromUtf8(valueBytes(lines[at].text)) == value)
                return;
            // Keep the line's own spelling and spacing up to the value.
            const QByteArray &old = lines[at].text;
            qsizetype v = old.indexOf('=') + 1;
            while (v < old.size() && (old[v] == ' ' || old[v] == '\t'))
                ++v;
            lines[at].text = old.left(v) + encoded;
        } else {
            int last = s->header;
            for (int i = s->end - 1; i > s->header; --i) {
                if (classify(lines[i].text).kind != LineKind::Blank) {
                    last = i;
                    break;
                }
            }
            if (lines[last].ending == Ending::None)
                lines[last].ending = ending;
            lines.insert(lines.begin() + last + 1, Line{trimmedName(key).toUtf8() + '=' + encoded, ending});
        }
    } else {
        if (!lines.empty() && lines.back().ending == Ending::None)
            lines.back().ending = ending;
        lines.push_back({'[' + trimmedName(section).toUtf8() + ']', ending});
        lines.push_back({trimmedName(key).toUtf8() + '=' + encoded, ending});
    }
    store(std::move(lines));
}

void TIniFile::WriteInteger(const QString &section, const QString &key, int32_t value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::EraseSection(const QString &section)
{
    const Content &c = current();
    const QString name = foldName(section);
    std::vector<Line> lines;
    lines.reserve(c.lines.size());
    bool erased = false;
    std::size_t next = 0;
    for (const Section &s : c.sections) {
        if (s.name != name)
            continue;
        lines.insert(lines.end(), c.lines.begin() + next, c.lines.begin() + s.header);
        next = s.end;
        erased = true;
    }
    if (!erased)
        return;
    lines.insert(lines.end(), c.lines.begin() + next, c.lines.end());
    store(std::move(lines));
}

void TIniFile::DeleteKey(const QString &section, const QString &key)
{
    const Content &c = current();
    const Section *s = findSection(section);
    const QString name = foldName(key);
    if (!s || !s->keys.contains(name))
        return;
    std::vector<Line> lines;
    lines.reserve(c.lines.size());
    for (int i = 0; i < int(c.lines.size()); ++i) {
        if (i > s->header && i < s->end) {
            const Classified l = classify(c.lines[i].text);
            if (l.kind == LineKind::Key && QString::fromUtf8(l.name).toCaseFolded() == name)
                continue;
        }
        lines.push_back(c.lines[i]);
    }
    store(std::move(lines));
}

void TIniFile::store(std::vector<Line> lines)
{
    QByteArray out;
    qsizetype size = m_content.bom ? kBom.size() : 0;
    for (const Line &l : lines)
        size += l.text.size() + 2;
    out.reserve(size);
    if (m_content.bom)
        out += kBom;
    for (const Line &l : lines) {
        out += l.text;
        if (l.ending == Ending::CrLf)
            out += "\r\n";
        else if (l.ending == Ending::Lf)
            out += '\n';
    }

    const QString folder = QFileInfo(m_fileName).absolutePath();
    if (!QDir().mkpath(folder))
        fail(describe(m_fileName, QStringLiteral("the folder %1 cannot be created").arg(quoted(QDir::toNativeSeparators(folder)))));
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly))
        fail(describe(m_fileName, file.errorString()));
    if (file.write(out) != out.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        fail(describe(m_fileName, why));
    }
    if (!file.commit())
        fail(describe(m_fileName, file.errorString()));

    m_content.lines = std::move(lines);
    struct stat st {};
    stampOf(st, ::stat(QFile::encodeName(m_fileName).constData(), &st) == 0, m_content.stamp);
    reindex();
}

#include "platform/bluray/mpls_reader.h"

#include <QFile>

namespace {

// Larger than any playlist a disc holds; a bigger file is not one.
constexpr qint64 kMaxPlaylistBytes = 4 * 1024 * 1024;

// Big-endian reads inside [begin, end) of the file; any read outside fails
// the reader for good.
class Reader {
public:
    Reader(const QByteArray &bytes, qsizetype begin, qsizetype end) : m_bytes(bytes), m_pos(begin), m_end(end)
    {
        if (begin < 0 || end > bytes.size() || begin > end)
            m_ok = false;
    }

    bool ok() const { return m_ok; }

    uint32_t u8() { return take(1) ? uint8_t(m_bytes[m_pos - 1]) : 0; }
    uint32_t u16() { return (u8() << 8) | u8(); }
    uint32_t u32() { return (u16() << 16) | u16(); }
    QByteArray bytes(qsizetype n) { return take(n) ? m_bytes.mid(m_pos - n, n) : QByteArray(); }
    void skip(qsizetype n) { take(n); }
    // A block of n bytes here as a reader of its own; this one moves past it.
    Reader block(qsizetype n)
    {
        const qsizetype begin = m_pos;
        if (!take(n))
            return Reader(m_bytes, 1, 0);
        return Reader(m_bytes, begin, begin + n);
    }

private:
    bool take(qsizetype n)
    {
        if (!m_ok || n < 0 || m_end - m_pos < n) {
            m_ok = false;
            return false;
        }
        m_pos += n;
        return true;
    }

    const QByteArray &m_bytes;
    qsizetype m_pos;
    qsizetype m_end;
    bool m_ok = true;
};

// Text up to the first NUL.
QByteArray CodeText(const QByteArray &raw)
{
    const qsizetype nul = raw.indexOf('\0');
    return nul < 0 ? raw : raw.left(nul);
}

struct StreamEntry {
    uint32_t codingType = 0;
    uint32_t format = 0;
    uint32_t rate = 0;
    uint32_t pid = 0;
    QByteArray language;
};

bool IsVideoCoding(uint32_t c) { return c == 0x01 || c == 0x02 || c == 0x1b || c == 0xea || c == 0x24; }
bool IsAudioCoding(uint32_t c)
{
    return c == 0x03 || c == 0x04 || (c >= 0x80 && c <= 0x86) || c == 0xa1 || c == 0xa2;
}

// One entry of a stream table: where the stream lies, then its attributes.
StreamEntry ReadStream(Reader &r)
{
    StreamEntry s;
    Reader where = r.block(r.u8());
    const uint32_t type = where.u8();
    if (type == 1)
        s.pid = where.u16();
    else if (type == 2 || type == 4) {
        where.skip(2); // sub-path and sub-clip ids
        s.pid = where.u16();
    } else if (type == 3) {
        where.skip(1);
        s.pid = where.u16();
    }
    Reader attr = r.block(r.u8());
    s.codingType = attr.u8();
    if (IsVideoCoding(s.codingType)) {
        const uint32_t b = attr.u8();
        s.format = b >> 4;
        s.rate = b & 0x0f;
    } else if (IsAudioCoding(s.codingType)) {
        const uint32_t b = attr.u8();
        s.format = b >> 4;
        s.rate = b & 0x0f;
        s.language = attr.bytes(3);
    } else if (s.codingType == 0x90 || s.codingType == 0x91) {
        s.language = attr.bytes(3);
    } else if (s.codingType == 0x92) {
        attr.skip(1); // character code
        s.language = attr.bytes(3);
    }
    s.language = CodeText(s.language);
    return s;
}

struct StreamTable {
    QVector<StreamEntry> videos;
    QVector<StreamEntry> audios;
    QVector<StreamEntry> graphics;
};

// The stream table (STN) of a play item: primary video, primary audio and
// the presentation graphics with their picture-in-picture ones; what follows
// them is not needed.
bool ReadStreamTable(Reader &item, StreamTable &table)
{
    Reader stn = item.block(item.u16());
    stn.skip(2);
    const uint32_t videos = stn.u8();
    const uint32_t audios = stn.u8();
    const uint32_t pg = stn.u8();
    stn.skip(3); // interactive graphics, secondary audio, secondary video
    const uint32_t pipPg = stn.u8();
    stn.skip(5);
    for (uint32_t i = 0; i < videos && stn.ok(); ++i)
        table.videos << ReadStream(stn);
    for (uint32_t i = 0; i < audios && stn.ok(); ++i)
        table.audios << ReadStream(stn);
    for (uint32_t i = 0; i < pg + pipPg && stn.ok(); ++i)
        table.graphics << ReadStream(stn);
    return stn.ok() && item.ok();
}

struct PlayItem {
    QByteArray clip;
    uint32_t in = 0;
    uint32_t out = 0;
};

bool ReadPlayItem(Reader &list, PlayItem &item, StreamTable *table)
{
    Reader r = list.block(list.u16());
    item.clip = CodeText(r.bytes(5));
    r.skip(4); // codec id
    const bool multiAngle = (r.u16() >> 4) & 1;
    r.skip(1); // STC id
    item.in = r.u32();
    item.out = r.u32();
    r.skip(8 + 1 + 1 + 2); // user operations, random access, still mode and time
    if (multiAngle) {
        const uint32_t angles = r.u8();
        r.skip(1);
        for (uint32_t a = 1; a < angles; ++a)
            r.skip(5 + 4 + 1);
    }
    if (!r.ok() || item.clip.isEmpty() || item.out < item.in)
        return false;
    return table ? ReadStreamTable(r, *table) : true;
}

QVector<PlaylistStream> Streams(const QVector<StreamEntry> &entries)
{
    QVector<PlaylistStream> out;
    for (const StreamEntry &e : entries)
        out << PlaylistStream{int32_t(e.codingType), int32_t(e.pid), e.language};
    return out;
}

} // namespace

bool IsWholePlaylist(const QByteArray &bytes)
{
    Reader head(bytes, 0, bytes.size());
    const QByteArray type = head.bytes(4);
    const QByteArray version = head.bytes(4);
    const uint32_t listPos = head.u32();
    const uint32_t markPos = head.u32();
    if (!head.ok() || type != "MPLS" || (version != "0100" && version != "0200" && version != "0300"))
        return false;
    Reader list(bytes, qsizetype(listPos), bytes.size());
    list.block(list.u32());
    Reader marks(bytes, qsizetype(markPos), bytes.size());
    marks.block(marks.u32());
    return list.ok() && marks.ok();
}

std::optional<PlaylistFacts> ReadMplsFacts(const QByteArray &bytes)
{
    if (!IsWholePlaylist(bytes))
        return std::nullopt;
    Reader head(bytes, 8, bytes.size());
    Reader outer(bytes, qsizetype(head.u32()), bytes.size());
    Reader list = outer.block(outer.u32());
    list.skip(2);
    const uint32_t items = list.u16();
    list.skip(2); // sub-paths
    if (!list.ok() || items == 0)
        return std::nullopt;

    PlaylistFacts facts;
    StreamTable table;
    uint64_t ticks45k = 0;
    for (uint32_t i = 0; i < items; ++i) {
        PlayItem item;
        if (!ReadPlayItem(list, item, i == 0 ? &table : nullptr))
            return std::nullopt;
        const uint64_t length = uint64_t(item.out - item.in);
        ticks45k += length;
        facts.clips << PlaylistClip{item.clip, Milliseconds(length * 2)};
    }
    facts.seconds = WholeSeconds(ticks45k * 2);
    for (const StreamEntry &v : std::as_const(table.videos))
        facts.videos << PlaylistVideo{int32_t(v.codingType), int32_t(v.format), int32_t(v.rate)};
    facts.audios = Streams(table.audios);
    facts.subtitles = Streams(table.graphics);
    return facts;
}

std::optional<QByteArray> ReadPlaylistBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPlaylistBytes)
        return std::nullopt;
    return file.readAll();
}

std::optional<PlaylistFacts> ReadMplsFile(const QString &path)
{
    const std::optional<QByteArray> bytes = ReadPlaylistBytes(path);
    return bytes ? ReadMplsFacts(*bytes) : std::nullopt;
}

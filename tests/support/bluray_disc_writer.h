#pragma once

// Writes a small Blu-ray disc folder byte by byte as the BDMV formats lay it
// out: BDMV/index.bdmv, BDMV/MovieObject.bdmv, PLAYLIST/*.mpls with their
// play items, stream tables and marks, CLIPINF/*.clpi with their sequence and
// program tables, and STREAM/*.m2ts made by ffmpeg (one seed clip copied under
// every clip name). Folder names may be given in any case, and a bare
// playlist folder may be written without the disc around it.

#include "tests/support/test_support.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <map>

namespace bluray_disc {

// One entry of a stream table: the values a player reads to pick a stream.
struct Stream {
    uint8_t codingType = 0; // 0x02 MPEG-2, 0x1b H.264, 0x81 AC-3, 0x90 PG, ...
    uint8_t format = 0;     // video format or audio channel layout
    uint8_t rate = 0;       // frame rate or sample rate code
    uint16_t pid = 0;
    QByteArray language;    // three letters for audio and subtitles
};

inline Stream video(uint16_t pid = 0x1011) { return {0x02, 6, 3, pid, {}}; }
inline Stream audio(const char *language, uint16_t pid = 0x1100) { return {0x81, 3, 1, pid, language}; }
inline Stream subtitle(const char *language, uint16_t pid = 0x1200) { return {0x90, 0, 0, pid, language}; }

// One play item: a clip and how many seconds of it the playlist plays.
struct Item {
    QString clip; // "00001"
    double seconds = 0;
};

struct Playlist {
    QString fileName; // "00001.mpls"
    QVector<Item> items;
    QVector<Stream> videos{video()};
    QVector<Stream> audios{audio("eng")};
    QVector<Stream> subtitles;
};

// Playlist of one clip.
inline Playlist playlist(const QString &fileName, const QString &clip, double seconds)
{
    Playlist p;
    p.fileName = fileName;
    p.items = {{clip, seconds}};
    return p;
}

// Big-endian writer with the bit fields the formats use.
class Bytes {
public:
    Bytes &u8(uint32_t v) { data.append(char(v & 0xff)); return *this; }
    Bytes &u16(uint32_t v) { return u8(v >> 8).u8(v); }
    Bytes &u32(uint32_t v) { return u16(v >> 16).u16(v); }
    Bytes &text(const QByteArray &t) { data.append(t); return *this; }
    Bytes &zeros(int n) { data.append(QByteArray(n, '\0')); return *this; }
    Bytes &bytes(const Bytes &other) { data.append(other.data); return *this; }
    int size() const { return int(data.size()); }
    void setU32(int at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            data[at + i] = char((v >> (24 - 8 * i)) & 0xff);
    }
    QByteArray data;
};

inline uint32_t ticks45k(double seconds) { return uint32_t(seconds * 45000.0 + 0.5); }

// A stream entry of a playlist's stream table (STN): where the stream is
// (stream type 1: in the play item's own clip, by PID) and its attributes.
inline Bytes stnStream(const Stream &s)
{
    Bytes entry;
    entry.u8(9).u8(1).u16(s.pid).zeros(6);
    Bytes attr;
    attr.u8(s.codingType);
    const bool isVideo = s.codingType == 0x01 || s.codingType == 0x02 || s.codingType == 0x1b || s.codingType == 0xea;
    const bool isGraphics = s.codingType == 0x90 || s.codingType == 0x91;
    if (isVideo)
        attr.u8(uint32_t(s.format) << 4 | s.rate);
    else if (isGraphics)
        attr.text(s.language.left(3));
    else
        attr.u8(uint32_t(s.format) << 4 | s.rate).text(s.language.left(3));
    while (attr.size() < 5)
        attr.u8(0);
    entry.u8(uint32_t(attr.size())).bytes(attr);
    return entry;
}

inline Bytes playItem(const Item &item, const Playlist &p, uint32_t in)
{
    Bytes stn;
    stn.u16(0).u8(uint32_t(p.videos.size())).u8(uint32_t(p.audios.size())).u8(uint32_t(p.subtitles.size()));
    stn.u8(0).u8(0).u8(0).u8(0).zeros(5); // IG, secondary audio and video, PiP PG; reserved
    for (const Stream &s : p.videos)
        stn.bytes(stnStream(s));
    for (const Stream &s : p.audios)
        stn.bytes(stnStream(s));
    for (const Stream &s : p.subtitles)
        stn.bytes(stnStream(s));

    Bytes body;
    body.text(item.clip.toLatin1().left(5)).text("M2TS");
    body.u16(0x0001);                          // reserved, not multi-angle, connection condition 1
    body.u8(0);                                // STC id
    body.u32(in).u32(in + ticks45k(item.seconds));
    body.zeros(8);                             // user operation mask
    body.u8(0);                                // random access flag
    body.u8(0).u16(0);                         // no still
    body.u16(uint32_t(stn.size())).bytes(stn);
    Bytes out;
    out.u16(uint32_t(body.size())).bytes(body);
    return out;
}

inline QByteArray mplsBytes(const Playlist &p)
{
    Bytes head;
    head.text("MPLS0200").u32(0).u32(0).u32(0).zeros(20);
    // AppInfoPlayList: sequential playback, no user-operation mask.
    head.u32(14).u8(0).u8(1).u16(0).zeros(8).u16(0);

    Bytes list;
    Bytes marks;
    std::map<QString, uint32_t> clipStart;
    list.u16(0).u16(uint32_t(p.items.size())).u16(0);
    marks.u16(uint32_t(p.items.size()));
    for (int i = 0; i < p.items.size(); ++i) {
        // A clip played twice plays the part after the first.
        uint32_t &in = clipStart[p.items[i].clip];
        list.bytes(playItem(p.items[i], p, in));
        marks.u8(0).u8(1).u16(uint32_t(i)).u32(in).u16(0xffff).u32(0); // an entry mark (chapter) per item
        in += ticks45k(p.items[i].seconds);
    }

    Bytes file = head;
    const int listPos = file.size();
    file.u32(uint32_t(list.size())).bytes(list);
    const int markPos = file.size();
    file.u32(uint32_t(marks.size())).bytes(marks);
    file.setU32(8, uint32_t(listPos));
    file.setU32(12, uint32_t(markPos));
    return file.data;
}

// A clip's information file: one ATC and one STC sequence over the whole
// clip, one program with the clip's streams, no entry-point map.
inline QByteArray clpiBytes(const QVector<Stream> &streams, double seconds)
{
    Bytes clipInfo;
    clipInfo.u16(0).u8(1).u8(1).u32(0);     // reserved, stream type, application type (movie), no ATC delta
    clipInfo.u32(48000000).u32(1000);       // TS recording rate, source packets
    clipInfo.zeros(128);
    clipInfo.u16(30).u8(0x80).text("HDMV").zeros(25);

    Bytes sequence;
    sequence.u8(0).u8(1);                   // reserved, one ATC sequence
    sequence.u32(0).u8(1).u8(0);            // starts at packet 0, one STC sequence from id 0
    sequence.u16(0x1001).u32(0).u32(0).u32(ticks45k(seconds));

    Bytes program;
    program.u8(0).u8(1);                    // reserved, one program
    program.u32(0).u16(0x0100).u8(uint32_t(streams.size())).u8(0);
    for (const Stream &s : streams) {
        program.u16(s.pid);
        Bytes attr;
        attr.u8(s.codingType);
        const bool isVideo = s.codingType == 0x01 || s.codingType == 0x02 || s.codingType == 0x1b || s.codingType == 0xea;
        if (isVideo)
            attr.u8(uint32_t(s.format) << 4 | s.rate).u8(0x30); // 16:9
        else if (s.codingType == 0x90 || s.codingType == 0x91)
            attr.text(s.language.left(3));
        else
            attr.u8(uint32_t(s.format) << 4 | s.rate).text(s.language.left(3));
        while (attr.size() < 21)
            attr.u8(0);
        program.u8(uint32_t(attr.size())).bytes(attr);
    }

    Bytes file;
    file.text("HDMV0200").u32(0).u32(0).u32(0).u32(0).u32(0).zeros(12);
    file.u32(uint32_t(clipInfo.size())).bytes(clipInfo);
    const int sequencePos = file.size();
    file.u32(uint32_t(sequence.size())).bytes(sequence);
    const int programPos = file.size();
    file.u32(uint32_t(program.size())).bytes(program);
    const int cpiPos = file.size();
    file.u32(0);
    const int markPos = file.size();
    file.u32(0);
    file.setU32(8, uint32_t(sequencePos));
    file.setU32(12, uint32_t(programPos));
    file.setU32(16, uint32_t(cpiPos));
    file.setU32(20, uint32_t(markPos));
    return file.data;
}

// HDMV object: movie, referring to movie object `id`.
inline Bytes hdmvObject(uint32_t id)
{
    Bytes b;
    b.u32(0x40000000).u16(0).u16(id).u32(0); // object type 1 (HDMV); playback type movie
    return b;
}

// index.bdmv: first play and top menu run movie object 0, title n runs object n.
inline QByteArray indexBytes(int titles)
{
    Bytes index;
    index.bytes(hdmvObject(0)).bytes(hdmvObject(0)).u16(uint32_t(titles));
    for (int t = 0; t < titles; ++t)
        index.u32(0x40000000).u16(0).u16(uint32_t(t)).u32(0);
    Bytes file;
    file.text("INDX0200").u32(0).u32(0).zeros(24);
    file.u32(34).u8(0).u8(0x63).zeros(32); // AppInfoBDMV: 1080p, 25 Hz
    const int indexPos = file.size();
    file.u32(uint32_t(index.size())).bytes(index);
    file.setU32(8, uint32_t(indexPos));
    return file.data;
}

// MovieObject.bdmv: object n plays playlist n.
inline QByteArray movieObjectBytes(const QVector<uint32_t> &playlists)
{
    Bytes objects;
    objects.u32(0).u16(uint32_t(playlists.size()));
    for (uint32_t pl : playlists)
        objects.u16(0).u16(1).u8(0x22).u8(0x80).u8(0).u8(0).u32(pl).u32(0); // PLAY PL pl
    Bytes file;
    file.text("MOBJ0200").u32(0).zeros(28);
    file.u32(uint32_t(objects.size())).bytes(objects);
    return file.data;
}

// The names the disc's folders are written with.
struct Names {
    QString bdmv = QStringLiteral("BDMV");
    QString playlist = QStringLiteral("PLAYLIST");
    QString clipInf = QStringLiteral("CLIPINF");
    QString stream = QStringLiteral("STREAM");
};

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A real MPEG-2 video with AC-3 audio in a Blu-ray transport stream (192-byte
// packets, Blu-ray PIDs).
inline bool makeM2ts(const QString &path, double seconds)
{
    return ravenmoor::test::makeClip(path, seconds,
                                     {"-c:v", "mpeg2video", "-b:v", "2M", "-c:a", "ac3", "-b:a", "192k", "-f",
                                      "mpegts", "-mpegts_m2ts_mode", "1"},
                                     QStringLiteral("testsrc=size=640x360:rate=25"));
}

// The playlists' files in `folder` alone (no disc around them).
inline bool writePlaylists(const QString &folder, const QVector<Playlist> &playlists)
{
    if (!QDir().mkpath(folder))
        return false;
    for (const Playlist &p : playlists) {
        if (!writeFile(QDir(folder).filePath(p.fileName), mplsBytes(p)))
            return false;
    }
    return true;
}

// A whole disc under root: the playlists, a clip information file and the
// seed transport stream for every clip they name, index and movie objects,
// and an empty CERTIFICATE folder beside BDMV as on a pressed disc.
inline bool writeDisc(const QString &root, const QVector<Playlist> &playlists, const QString &seedM2ts,
                      const Names &names = {})
{
    const QDir bdmv(QDir(root).filePath(names.bdmv));
    if (!QDir().mkpath(bdmv.filePath(names.clipInf)) || !QDir().mkpath(bdmv.filePath(names.stream)) ||
        !QDir().mkpath(QDir(root).filePath(QStringLiteral("CERTIFICATE"))))
        return false;
    if (!writePlaylists(bdmv.filePath(names.playlist), playlists))
        return false;
    QVector<uint32_t> numbers;
    std::map<QString, double> clipSeconds;
    QVector<Stream> streams;
    for (const Playlist &p : playlists) {
        numbers << p.fileName.left(5).toUInt();
        for (const Item &item : p.items)
            clipSeconds[item.clip] += item.seconds;
        if (streams.isEmpty())
            streams = p.videos + p.audios + p.subtitles;
    }
    for (const auto &[clip, seconds] : clipSeconds) {
        if (!writeFile(bdmv.filePath(names.clipInf + "/" + clip + ".clpi"), clpiBytes(streams, seconds)))
            return false;
        const QString m2ts = bdmv.filePath(names.stream + "/" + clip + ".m2ts");
        QFile::remove(m2ts);
        if (!seedM2ts.isEmpty() && !QFile::copy(seedM2ts, m2ts))
            return false;
    }
    return writeFile(bdmv.filePath(QStringLiteral("index.bdmv")), indexBytes(int(numbers.size()))) &&
           writeFile(bdmv.filePath(QStringLiteral("MovieObject.bdmv")), movieObjectBytes(numbers));
}

} // namespace bluray_disc

#include "platform/encoders/core/encoder_console.h"
#include "platform/encoders/core/progress_report.h"
#include "platform/encoders/core/tool_process.h"
#include "platform/encoders/mydvd/dvd_address.h"
#include "platform/encoders/mydvd/dvd_request.h"
#include "platform/encoders/mydvd/dvd_title_set.h"
#include "platform/encoders/mydvd/pack_scan.h"
#include "platform/encoders/mydvd/rip_arguments.h"
#include "platform/encoders/mydvd/stream_choice.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <optional>
#include <unistd.h>

namespace {

QStringList Words(const QString &text) { return text.split(u' ', Qt::SkipEmptyParts); }

std::string Line(const QStringList &words) { return words.join(u' ').toStdString(); }

const QString kCommon = QStringLiteral("-nostdin -hide_banner -nostats -loglevel level+info -progress pipe:3");
const QString kInput = QStringLiteral("-probesize 8000000 -analyzeduration 30000000 -f mpeg -i pipe:0");

// A DVD title line as the program joins it, split as the runner splits it;
// the address is one word whatever it holds.
QStringList DvdLine(const QString &address, const QString &pieces, const QString &output)
{
    return QStringList{"-y", "-i", address} + Words(pieces) + QStringList{"-sn", output};
}

TEST(DvdAddress, ReadsTheFieldsOfTheAddress)
{
    const struct {
        const char *address;
        int titleSet;
        uint32_t start, end;
        int audio, subtitle;
        const char *folder;
    } table[] = {
        {"vts://01*0*8072*0x80*0x20*/media/cdrom", 1, 0, 8072, 0x80, 0x20, "/media/cdrom"},
        {"vts://12*1996*4012*0x81*0*/home/u/My Disc", 12, 1996, 4012, 0x81, 0, "/home/u/My Disc"},
        {"vts://02*5*5*0xC0*0x3F*/a", 2, 5, 5, 0xc0, 0x3f, "/a"},
        {"vts://1*0*4294967295*128*32*/a", 1, 0, 4294967295u, 0x80, 0x20, "/a"},
        // No stream chosen at all: the row's ids were empty.
        {"vts://01*0*10***/a", 1, 0, 10, 0, 0, "/a"},
        // The folder is everything after the fifth "*", stars and all.
        {"vts://01*0*10*0x80*0x20*/films/Ünïcödé * ファイル", 1, 0, 10, 0x80, 0x20, "/films/Ünïcödé * ファイル"},
        {"VTS://01*0*10*0x80*0x20*/a", 1, 0, 10, 0x80, 0x20, "/a"},
    };
    for (const auto &row : table) {
        const DvdAddress a = ParseDvdAddress(QString::fromUtf8(row.address));
        EXPECT_EQ(a.titleSet, row.titleSet) << row.address;
        EXPECT_EQ(a.startSector, row.start) << row.address;
        EXPECT_EQ(a.endSector, row.end) << row.address;
        EXPECT_EQ(a.audioId, row.audio) << row.address;
        EXPECT_EQ(a.subtitleId, row.subtitle) << row.address;
        EXPECT_EQ(a.folder, QString::fromUtf8(row.folder)) << row.address;
    }
}

TEST(DvdAddress, RefusesBadAddressesWithTheReason)
{
    const struct {
        const char *address;
        const char *reason;
    } table[] = {
        {"/media/cdrom/VIDEO_TS/VTS_01_1.VOB", "vts://"},
        {"vts://01*0*10*0x80*0x20", "cut short"},
        {"vts://01*0*10*0x80*0x20*", "no disc folder"},
        {"vts://00*0*10*0x80*0x20*/a", "title set"},
        {"vts://100*0*10*0x80*0x20*/a", "title set"},
        {"vts://1a*0*10*0x80*0x20*/a", "title set"},
        {"vts://*0*10*0x80*0x20*/a", "title set"},
        {"vts://01*-1*10*0x80*0x20*/a", "start sector"},
        {"vts://01**10*0x80*0x20*/a", "start sector"},
        {"vts://01*0*4294967296*0x80*0x20*/a", "end sector"},
        {"vts://01*0*1e3*0x80*0x20*/a", "end sector"},
        {"vts://01*11*10*0x80*0x20*/a", "lies after the end sector"},
        {"vts://01*0*10*0xZZ*0x20*/a", "audio stream id"},
        {"vts://01*0*10*0x100*0x20*/a", "audio stream id"},
        {"vts://01*0*10*0x80*x20*/a", "subtitle stream id"},
    };
    for (const auto &row : table) {
        try {
            ParseDvdAddress(QString::fromUtf8(row.address));
            ADD_FAILURE() << row.address << " was taken";
        } catch (const RequestError &e) {
            EXPECT_NE(std::string(e.what()).find(row.reason), std::string::npos) << row.address << ": " << e.what();
        }
    }
}

TEST(DvdRequest, TranslatesTheProgramsDvdLine)
{
    const QString address = QStringLiteral("vts://01*0*8072*0x81*0*/media/My Disc");
    const RipStreams audioOnly{QStringLiteral("0:i:0x81"), 0, {}};
    const struct {
        const char *name;
        QString pieces;
        RipStreams streams;
        QString ffmpeg; // after the common options
    } table[] = {
        {"MPEG-4 AVI",
         " -r 25 -b 1200000 -ab 128000 -ac 2 -aspect 1.3333 -t 00:00:24 -s 640x480  -ar 44100 "
         " -vcodec mpeg4 -pix_fmt yuv420p -vtag XVID -acodec libmp3lame -f avi ",
         audioOnly,
         "-y " + kInput + " -map 0:v:0 -map 0:i:0x81 -af aresample=async=1:first_pts=0,apad -shortest -r 25 -b:v 1200000 -b:a 128000 -ac 2 -aspect 1.3333 -t 00:00:24 "
                          "-s 640x480 -ar 44100 -c:v mpeg4 -pix_fmt yuv420p -vtag XVID -c:a libmp3lame -f avi -sn "
                          "file:/out/Title_01.avi"},
        {"disc target: no size and no bit rates",
         " -ac 6  -t 00:01:00   -target pal-dvd ", audioOnly,
         "-y " + kInput + " -map 0:v:0 -map 0:i:0x81 -af aresample=async=1:first_pts=0,apad -shortest -ac 6 -t 00:01:00 -target pal-dvd -sn file:/out/Title_01.avi"},
        {"comma in the aspect ratio", " -aspect 1,2500 ", audioOnly,
         "-y " + kInput + " -map 0:v:0 -map 0:i:0x81 -af aresample=async=1:first_pts=0,apad -shortest -aspect 1.2500 -sn file:/out/Title_01.avi"},
        {"subtitle burned in before the scaling, in the IFO's colours",
         " -s 320x240 -vcodec mpeg4 -f avi ",
         RipStreams{QStringLiteral("0:a:0"), 0x20, std::vector<uint32_t>(16, 0x00eb8080)},
         "-y -probesize 8000000 -analyzeduration 30000000 -palette " + QStringList(16, "ffffff").join(u',') +
             " -f mpeg -i pipe:0 -filter_complex [0:v:0][0:i:0x20]overlay[burned] -map [burned] -map 0:a:0 -af aresample=async=1:first_pts=0,apad -shortest "
             "-s 320x240 -c:v mpeg4 -f avi -sn file:/out/Title_01.avi"},
        {"subtitle without colours: ffmpeg's guess", " -f avi ", RipStreams{QStringLiteral("0:i:0x80"), 0x21, {}},
         "-y " + kInput + " -filter_complex [0:v:0][0:i:0x21]overlay[burned] -map [burned] -map 0:i:0x80 -af aresample=async=1:first_pts=0,apad -shortest -f avi -sn "
                          "file:/out/Title_01.avi"},
        {"audio-only profile: no picture, so no subtitle", " -ab 192000 -vn -acodec libmp3lame -f mp3 ",
         RipStreams{QStringLiteral("0:i:0x81"), 0x20, std::vector<uint32_t>(16, 0)},
         "-y " + kInput + " -map 0:i:0x81 -af aresample=async=1:first_pts=0 -b:a 192000 -vn -c:a libmp3lame -f mp3 -sn file:/out/Title_01.avi "
                          "-map 0:v:0? -c copy -f null -"},
        {"title without audio", " -f avi ", RipStreams{},
         "-y " + kInput + " -map 0:v:0 -f avi -sn file:/out/Title_01.avi"},
    };
    for (const auto &row : table) {
        const DvdRequest request = ParseDvdRequest(DvdLine(address, row.pieces, QStringLiteral("/out/Title_01.avi")));
        EXPECT_EQ(request.address.folder, QStringLiteral("/media/My Disc")) << row.name;
        EXPECT_EQ(request.encoding.output, QStringLiteral("/out/Title_01.avi")) << row.name;
        EXPECT_EQ(Line(FfmpegRipArguments(request.encoding, row.streams)), Line(Words(kCommon + " " + row.ffmpeg)))
            << row.name;
    }
}

TEST(DvdRequest, RefusesLinesOfAnotherForm)
{
    const QStringList lines[] = {
        {},
        {"-y", "-i"},
        {"-y", "-mardozb", "vts://01*0*1*0x80*0*/a", "-sn", "/o.avi"},
        {"-y", "-i", "vts://01*0*1*0x80*0*/a", "/o.avi"},
        {"-y", "-i", "vts://01*0*1*0x80*0*/a", "-sn", ""},
        {"-y", "-i", "/a/VIDEO_TS/VTS_01_1.VOB", "-sn", "/o.avi"},
    };
    for (const QStringList &line : lines)
        EXPECT_THROW(ParseDvdRequest(line), RequestError) << Line(line);
}

TEST(DvdRequest, AmrAudioIsEncodedApartFromOneReading)
{
    const QString address = QStringLiteral("vts://01*0*10*0x80*0*/a");
    const RipStreams streams{QStringLiteral("0:i:0x80"), 0, {}};
    const DvdRequest amr = ParseDvdRequest(
        DvdLine(address, " -ab 7400 -ac 1  -t 00:00:03  -ar 8000  -vn -acodec libopencore_amrnb -f amr ", "/o.amr"));
    EXPECT_TRUE(amr.encoding.amrOnly);
    EXPECT_EQ(amr.encoding.amrBitrate, 7400);
    EXPECT_EQ(Line(FfmpegRipPcmArguments(amr.encoding, streams)),
              Line(Words(kCommon + " -y " + kInput +
                         " -map 0:i:0x80 -vn -sn -af aresample=async=1:first_pts=0 -t 00:00:03 -ac 1 -ar 8000 -c:a pcm_s16le -f s16le pipe:1"
                         " -map 0:v:0? -c copy -f null -")));

    const DvdRequest video = ParseDvdRequest(
        DvdLine(address, " -r 25 -b 200000 -ab 12200 -ac 1 -t 00:00:03 -s 176x144  -ar 8000 "
                         " -vcodec h263 -acodec libopencore_amrnb -f 3gp ", "/o.3gp"));
    EXPECT_FALSE(video.encoding.amrOnly);
    EXPECT_EQ(Line(FfmpegRipVideoAndPcmArguments(video.encoding, streams, QStringLiteral("/tmp/v.3gp"))),
              Line(Words(kCommon + " -y " + kInput +
                         " -map 0:v:0 -r 25 -b:v 200000 -t 00:00:03 -s 176x144 -c:v h263 -f 3gp -sn -an file:/tmp/v.3gp"
                         " -map 0:i:0x80 -vn -sn -af aresample=async=1:first_pts=0 -t 00:00:03 -ac 1 -ar 8000 -c:a pcm_s16le -f s16le pipe:1")));
    // Without audio in the title, no PCM output that would have no stream.
    EXPECT_FALSE(FfmpegRipVideoAndPcmArguments(video.encoding, RipStreams{}, QStringLiteral("/tmp/v.3gp"))
                     .contains(QStringLiteral("pipe:1")));
    EXPECT_EQ(Line(FfmpegRipMuxArguments(video.encoding, QStringLiteral("/tmp/v.3gp"), QStringLiteral("/tmp/a.amr"), true)),
              Line(Words(kCommon + " -y -i file:/tmp/v.3gp -i file:/tmp/a.amr -map 0:v:0 -map 1:a:0 -c copy -f 3gp -sn "
                                   "file:/o.3gp")));
}

TEST(RipArguments, StreamIdsAndColoursInFfmpegsTerms)
{
    const struct {
        int dvd, ffmpeg;
    } ids[] = {{0x80, 0x80}, {0x87, 0x87}, {0x88, 0x88}, {0xa0, 0xa0}, {0x20, 0x20}, {0xc0, 0x1c0}, {0xc7, 0x1c7}};
    for (const auto &id : ids)
        EXPECT_EQ(FfmpegStreamId(id.dvd), id.ffmpeg) << id.dvd;
    // White, black, and the video-level primaries of BT.601.
    EXPECT_EQ(PaletteOption({0x00eb8080, 0x00108080, 0x0051f05a, 0x00912236, 0x00296ef0}),
              QStringLiteral("ffffff,000000,ff0000,00ff01,0000ff"));
}

// One 2048-byte pack with a PES packet of the stream (0xbd with a substream,
// 0xc0.., 0xe0), optionally scrambled and with a PTS; the rest padding.
Sector Pack(int id, int substream = -1, bool scrambled = false, std::optional<uint64_t> pts = std::nullopt,
            int stuffing = 0)
{
    Sector s{};
    const unsigned char header[] = {0, 0, 1, 0xba, 0x44, 0, 4, 0, 4, 1, 1, 0x89, 0xc3, 0xf8};
    std::copy(std::begin(header), std::end(header), s.begin());
    s[13] = static_cast<unsigned char>(0xf8 | stuffing);
    size_t at = 14 + size_t(stuffing);
    s[at] = 0, s[at + 1] = 0, s[at + 2] = 1, s[at + 3] = static_cast<unsigned char>(id);
    const size_t length = kSectorSize - at - 6;
    s[at + 4] = static_cast<unsigned char>(length >> 8), s[at + 5] = static_cast<unsigned char>(length);
    s[at + 6] = static_cast<unsigned char>(0x81 | (scrambled ? 0x10 : 0));
    s[at + 7] = pts ? 0x80 : 0;
    s[at + 8] = pts ? 5 : 0;
    if (pts) {
        const uint64_t v = *pts;
        s[at + 9] = static_cast<unsigned char>(0x21 | ((v >> 29) & 0x0e));
        s[at + 10] = static_cast<unsigned char>(v >> 22);
        s[at + 11] = static_cast<unsigned char>(0x01 | ((v >> 14) & 0xfe));
        s[at + 12] = static_cast<unsigned char>(v >> 7);
        s[at + 13] = static_cast<unsigned char>(0x01 | ((v << 1) & 0xfe));
    }
    if (substream >= 0)
        s[at + 9 + s[at + 8]] = static_cast<unsigned char>(substream);
    return s;
}

// A navigation pack starts with the system header.
Sector NavigationPack() { return Pack(0xbb); }

TEST(PackScan, ReadsStreamScramblingAndTimeFromPackHeaders)
{
    const struct {
        const char *name;
        Sector pack;
        int stream;
        bool scrambled;
        std::optional<uint64_t> videoPts;
    } table[] = {
        {"AC-3 0x81", Pack(0xbd, 0x81, false, 900000), 0x81, false, std::nullopt},
        {"subpicture 0x20 after stuffing", Pack(0xbd, 0x20, false, 180000, 3), 0x20, false, std::nullopt},
        {"MPEG audio", Pack(0xc0), 0x1c0, false, std::nullopt},
        {"video with a time past 32 bits", Pack(0xe0, -1, false, 0x1fedcba98ull), 0x1e0, false, 0x1fedcba98ull},
        {"video without a time", Pack(0xe0), 0x1e0, false, std::nullopt},
        {"scrambled video", Pack(0xe0, -1, true, 3600), 0x1e0, true, 3600},
        {"scrambled audio", Pack(0xbd, 0x80, true), 0x80, true, std::nullopt},
        {"navigation pack", NavigationPack(), -1, false, std::nullopt},
        {"padding", Pack(0xbe), -1, false, std::nullopt},
        {"no pack at all", Sector{}, -1, false, std::nullopt},
    };
    for (const auto &row : table) {
        EXPECT_EQ(PackStream(row.pack.data()), row.stream) << row.name;
        EXPECT_EQ(PackIsScrambled(row.pack.data()), row.scrambled) << row.name;
        EXPECT_EQ(PackVideoPts(row.pack.data()), row.videoPts) << row.name;
    }
}

TEST(PackScan, TheAddedSubpicturePackIsAWholeValidPack)
{
    const Sector model = Pack(0xe0, -1, false, 45000, 2);
    const Sector pack = EmptySubpicturePack(model.data(), 0x23, 0x123456789ull);
    EXPECT_EQ(PackStream(pack.data()), 0x23);
    EXPECT_FALSE(PackIsScrambled(pack.data()));
    EXPECT_TRUE(std::equal(model.begin(), model.begin() + 13, pack.begin())) << "the model's clock reference";
    // The subpicture's time, read back as for any packet, and the padding that fills the pack exactly.
    const unsigned char *pes = pack.data() + 14;
    const uint64_t pts = (uint64_t(pes[9] >> 1) & 7) << 30 | uint64_t(pes[10]) << 22 | uint64_t(pes[11] >> 1) << 15 |
                         uint64_t(pes[12]) << 7 | uint64_t(pes[13] >> 1);
    EXPECT_EQ(pts, 0x123456789ull);
    const size_t padding = 14 + 6 + size_t(pes[4] << 8 | pes[5]);
    ASSERT_LT(padding + 6, kSectorSize);
    EXPECT_EQ(pack[padding + 3], 0xbe);
    EXPECT_EQ(padding + 6 + size_t(pack[padding + 4] << 8 | pack[padding + 5]), kSectorSize);
}

// A video pack that starts a group of pictures: a sequence header at the head of its payload.
Sector GroupStart(uint64_t pts)
{
    Sector s = Pack(0xe0, -1, false, pts);
    const size_t payload = 14 + 9 + 5;
    s[payload] = 0, s[payload + 1] = 0, s[payload + 2] = 1, s[payload + 3] = 0xb3;
    return s;
}

TEST(PackScan, WhatLiesBeforeTheFirstPictureBecomesPadding)
{
    const struct {
        const char *name;
        Sector pack;
        bool kept;
    } packs[] = {
        {"navigation", NavigationPack(), true},
        {"video of a group begun before", Pack(0xe0, -1, false, 1000), false},
        {"audio of the part before", Pack(0xbd, 0x80, false, 2000), false},
        {"the first picture", GroupStart(9000), true},
        {"audio muxed behind it", Pack(0xbd, 0x80, false, 8000), false},
        {"that audio's continuation", Pack(0xbd, 0x80), false},
        {"MPEG audio of the part before", Pack(0xc0, -1, false, 8500), false},
        {"audio at the picture", Pack(0xbd, 0x80, false, 9000), true},
        {"its continuation", Pack(0xbd, 0x80), true},
        {"a stream that comes in later", Pack(0xbd, 0x81, false, 50000), true},
        {"MPEG audio after the picture", Pack(0xc0, -1, false, 9100), true},
        {"video after the picture", Pack(0xe0, -1, false, 5000), true},
        {"a subpicture", Pack(0xbd, 0x20, false, 100), true},
    };
    std::vector<unsigned char> range;
    for (const auto &p : packs)
        range.insert(range.end(), p.pack.begin(), p.pack.end());
    EXPECT_EQ(PadBeforeFirstPicture(range.data(), std::size(packs)), 9000u);
    for (size_t i = 0; i < std::size(packs); ++i) {
        const unsigned char *pack = range.data() + i * kSectorSize;
        EXPECT_EQ(std::equal(packs[i].pack.begin(), packs[i].pack.end(), pack), packs[i].kept) << packs[i].name;
        if (!packs[i].kept) {
            EXPECT_EQ(PackStream(pack), -1) << packs[i].name;
        }
    }

    // No group of pictures starts in the packs: nothing to go by, nothing changed.
    std::vector<unsigned char> headless(range.begin() + kSectorSize, range.begin() + 3 * kSectorSize);
    const std::vector<unsigned char> before = headless;
    EXPECT_EQ(PadBeforeFirstPicture(headless.data(), 2), std::nullopt);
    EXPECT_EQ(headless, before);
}

PackStreams Opening(std::initializer_list<Sector> packs)
{
    PackStreams streams;
    for (const Sector &p : packs)
        streams.add(p.data());
    return streams;
}

TEST(StreamChoice, TakesTheAskedStreamsOrSaysWhatItTakesInstead)
{
    const PackStreams twoTracks = Opening({NavigationPack(), Pack(0xe0), Pack(0xbd, 0x81), Pack(0xbd, 0x80),
                                           Pack(0xbd, 0x20)});
    const PackStreams mpegAudio = Opening({Pack(0xe0), Pack(0xc0)});
    const PackStreams silent = Opening({Pack(0xe0)});
    const std::set<int> listed{0x20, 0x22};
    const struct {
        const char *name;
        const PackStreams &opening;
        int audio;
        bool later; // the audio stream was found after the opening
        int subtitle;
        const char *map;
        int burned;
        const char *note; // "" for none
    } table[] = {
        {"both as asked", twoTracks, 0x80, false, 0x20, "0:i:0x80", 0x20, ""},
        {"second track", twoTracks, 0x81, false, 0, "0:i:0x81", 0, ""},
        {"no audio chosen: the first in the stream", twoTracks, 0, false, 0, "0:a:0", 0, "taking the first, 0x81"},
        {"audio not in the sectors", twoTracks, 0x82, false, 0, "0:a:0", 0, "warning: audio stream 0x82 is not in the sectors"},
        {"audio found after the opening", twoTracks, 0x82, true, 0, "0:i:0x82", 0, ""},
        {"MPEG audio by its DVD id", mpegAudio, 0xc0, false, 0, "0:i:0x1c0", 0, ""},
        {"no audio at all", silent, 0x80, false, 0, "", 0, "no audio stream"},
        {"subtitle listed by the IFO, first picture later", twoTracks, 0x80, false, 0x22, "0:i:0x80", 0x22, ""},
        {"subtitle neither seen nor listed", twoTracks, 0x80, false, 0x21, "0:i:0x80", 0, "warning: subtitle 0x21 is not on this title"},
        {"an audio id as subtitle", twoTracks, 0x80, false, 0x81, "0:i:0x80", 0, "0x81 is not on this title"},
    };
    for (const auto &row : table) {
        const StreamChoice choice = ChooseStreams(row.audio, row.subtitle, row.opening, row.later, listed);
        EXPECT_EQ(choice.audioMap, QString::fromLatin1(row.map)) << row.name;
        EXPECT_EQ(choice.subtitleId, row.burned) << row.name;
        if (*row.note) {
            EXPECT_TRUE(choice.notes.join(u'\n').contains(QLatin1String(row.note)))
                << row.name << ": " << Line(choice.notes);
        } else {
            EXPECT_TRUE(choice.notes.isEmpty()) << row.name << ": " << Line(choice.notes);
        }
    }
}

TEST(DiscFolder, FindsTheVideoTsFolderInAnyCase)
{
    const struct {
        const char *name;
        QStringList folders;
        const char *opened; // "" for the folder itself
    } table[] = {
        {"upper case", {"VIDEO_TS", "AUDIO_TS"}, "VIDEO_TS"},
        {"lower case", {"video_ts"}, "video_ts"},
        {"mixed case", {"Video_Ts"}, "Video_Ts"},
        {"two spellings: libdvdread's own first", {"Video_TS", "VIDEO_TS"}, "VIDEO_TS"},
        {"a longer name is no VIDEO_TS folder", {"video_ts_rips"}, ""},
        {"the files themselves", {}, ""},
    };
    for (const auto &row : table) {
        QTemporaryDir dir;
        for (const QString &f : row.folders)
            ASSERT_TRUE(QDir(dir.path()).mkdir(f));
        const QString expected = *row.opened ? dir.filePath(QString::fromLatin1(row.opened)) : dir.path();
        EXPECT_EQ(DiscFilesFolder(dir.path()), expected) << row.name;
    }
}

TEST(EncoderConsole, KnowsFfmpegsReportsOfAnUnwritableOutput)
{
    const struct {
        const char *line;
        bool writeError;
    } table[] = {
        {"Error writing trailer of file:/dev/full: No space left on device", true},
        {"Error closing file file:/out/a.avi: Input/output error", true},
        {"av_interleaved_write_frame(): No space left on device", true},
        {"Error muxing a packet for output file #0", true},
        {"[ac3 @ 0x55] incomplete frame", false},
        {"Error while decoding stream #0:3: Invalid data found when processing input", false},
        {"file:/in/Error writing trailer of.avi: No such file or directory", false},
    };
    for (const auto &row : table)
        EXPECT_EQ(IsOutputWriteError(row.line), row.writeError) << row.line;
}

// What a stand-in writes on its standard output and error, merged as the program reads them.
std::string Merged(const std::function<void()> &write)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    std::fflush(nullptr);
    const int out = ::dup(1), err = ::dup(2);
    ::dup2(fds[1], 1);
    ::dup2(fds[1], 2);
    write();
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::close(out);
    ::close(err);
    ::close(fds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(n));
    ::close(fds[0]);
    return text;
}

// A message after a status line that ends in a carriage return starts a line
// of its own: on the console it would overwrite the status and keep its tail.
TEST(EncoderConsole, MessagesNeverOverwriteAStatusLine)
{
    const std::string text = Merged([] {
        ProgressReport report;
        FfmpegEndReport end;
        const ToolStreams streams = ConversionStreams(report, end);
        for (const char *line : {"out_time_us=2000000", "total_size=1024", "speed=1.0x", "progress=continue"})
            streams.progressLine(line);
        SayAs("mydvd.dll", "cannot read sector 4000");
        RelayToolLine("Conversion failed!");
        for (const char *line : {"out_time_us=3000000", "progress=end"})
            streams.progressLine(line);
        SayAs("mydvd.dll", "done");
    });
    EXPECT_NE(text.find("speed=1.0x\r\nmydvd.dll: cannot read sector 4000\nffmpeg: Conversion failed!\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\nmydvd.dll: done\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("\n\nmydvd.dll: done"), std::string::npos) << text;
}

} // namespace

// The playlist parser over libbluray and our own playlist reader, on disc
// folders written byte by byte as the Blu-ray formats define them.

#include "platform/bluray/language_library.h"
#include "platform/bluray/libbluray_playlist.h"
#include "platform/bluray/mpls_reader.h"
#include "platform/bluray/playlist_parser.h"
#include "tests/support/bluray_disc_writer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <libbluray/bluray.h>

using namespace bluray_disc;

static void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace {

// Playlists that use what the readers read: several clips, a clip played in
// parts, several audio streams and subtitles, none of either.
QVector<Playlist> VariedPlaylists()
{
    Playlist feature = playlist("00001.mpls", "00010", 5400.5);
    feature.items << Item{"00011", 1200.25};
    feature.videos = {{0x1b, 6, 1, 0x1011, {}}};
    feature.audios = {{0x83, 6, 4, 0x1100, "eng"}, audio("fra", 0x1101), {0x86, 6, 1, 0x1102, "ger"}};
    feature.subtitles = {subtitle("eng"), subtitle("spa", 0x1201)};

    Playlist repeated;
    repeated.fileName = "00002.mpls";
    repeated.items = {{"00012", 100}, {"00012", 100}, {"00012", 100}};

    Playlist silent = playlist("00003.mpls", "00013", 7);
    silent.audios.clear();
    silent.videos = {video(), {0xea, 4, 4, 0x1012, {}}};
    return {feature, repeated, silent};
}

class DiscFolder : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(writeDisc(root(), VariedPlaylists(), QString())); }
    QString root() const { return dir.filePath("disc"); }
    QString playlistPath(const QString &name) const { return root() + "/BDMV/PLAYLIST/" + name; }

    QTemporaryDir dir;
};

TEST_F(DiscFolder, LibblurayOpensTheWrittenDisc)
{
    BLURAY *bd = bd_open(root().toUtf8().constData(), nullptr);
    ASSERT_NE(bd, nullptr);
    EXPECT_EQ(bd_get_titles(bd, TITLES_ALL, 0), 3u);
    const BLURAY_DISC_INFO *info = bd_get_disc_info(bd);
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->bluray_detected);
    bd_close(bd);
}

TEST_F(DiscFolder, LibblurayReadsThePlaylistsAsWritten)
{
    const std::optional<PlaylistFacts> feature = ReadWithLibbluray({root(), 1});
    ASSERT_TRUE(feature);
    EXPECT_EQ(feature->seconds, 6600); // 5400.5 + 1200.25, whole seconds
    EXPECT_EQ(feature->clips, (QVector<PlaylistClip>{{"00010", 5400500}, {"00011", 1200250}}));
    EXPECT_EQ(feature->videos, (QVector<PlaylistVideo>{{0x1b, 6, 1}}));
    EXPECT_EQ(feature->audios,
              (QVector<PlaylistStream>{{0x83, 0x1100, "eng"}, {0x81, 0x1101, "fra"}, {0x86, 0x1102, "ger"}}));
    EXPECT_EQ(feature->subtitles, (QVector<PlaylistStream>{{0x90, 0x1200, "eng"}, {0x90, 0x1201, "spa"}}));

    const std::optional<PlaylistFacts> repeated = ReadWithLibbluray({root(), 2});
    ASSERT_TRUE(repeated);
    EXPECT_EQ(repeated->seconds, 300);
    EXPECT_EQ(repeated->clips, (QVector<PlaylistClip>(3, {"00012", 100000})));

    EXPECT_FALSE(ReadWithLibbluray({root(), 4})); // no such playlist
    EXPECT_FALSE(ReadWithLibbluray({dir.filePath("nothing"), 1}));
}

TEST_F(DiscFolder, OurReaderAgreesWithLibblurayOnEveryPlaylist)
{
    for (uint32_t n : {1u, 2u, 3u}) {
        const QString name = QString("%1.mpls").arg(n, 5, 10, QChar('0'));
        const std::optional<PlaylistFacts> reference = ReadWithLibbluray({root(), n});
        ASSERT_TRUE(reference) << n;
        const std::optional<PlaylistFacts> ours = ReadMplsFile(playlistPath(name));
        ASSERT_TRUE(ours) << n;
        EXPECT_EQ(*ours, *reference) << n;
    }
}

TEST_F(DiscFolder, ThePlaylistFolderAloneIsReadToTheSameFacts)
{
    // A copy of the playlist folder with no disc around it: libbluray has no
    // root to open, our reader reads it.
    const QString bare = dir.filePath("copy/PLAYLIST");
    ASSERT_TRUE(QDir().mkpath(bare));
    ASSERT_TRUE(QFile::copy(playlistPath("00001.mpls"), bare + "/00001.mpls"));
    ASSERT_TRUE(QFile::copy(playlistPath("00001.mpls"), bare + "/00800.MPLS"));

    const PlaylistFacts reference = *ReadWithLibbluray({root(), 1});
    const std::unique_ptr<PlaylistParser> parser = MakeBlurayPlaylistParser();
    for (const char *name : {"00001.mpls", "00800.MPLS"}) {
        int32_t seconds = -1, videos = -1, audios = -1, subtitles = -1;
        ASSERT_EQ(parser->ParserFile(bare + "/" + QString::fromLatin1(name), &seconds, &videos, &audios, &subtitles), 2) << name;
        EXPECT_EQ(seconds, reference.seconds);
        EXPECT_EQ(videos, 1);
        EXPECT_EQ(audios, 3);
        EXPECT_EQ(subtitles, 2);
        char clip[6];
        int32_t value = 0;
        parser->GetM2TS(1, clip, &value);
        EXPECT_STREQ(clip, "00011");
        EXPECT_EQ(value, 1200250);
        parser->EndParser();
    }
}

TEST_F(DiscFolder, TheParserHandsOutTheCurrentPlaylist)
{
    const std::unique_ptr<PlaylistParser> parser = MakeBlurayPlaylistParser();
    int32_t seconds = 0, videos = 0, audios = 0, subtitles = 0;
    ASSERT_EQ(parser->ParserFile(playlistPath("00001.mpls"), &seconds, &videos, &audios, &subtitles), 2);
    EXPECT_EQ(seconds, 6600);
    EXPECT_EQ((std::array{videos, audios, subtitles}), (std::array{1, 3, 2}));

    char clip[6];
    int32_t value = 0;
    parser->GetM2TS(0, clip, &value);
    EXPECT_STREQ(clip, "00010");
    EXPECT_EQ(value, 5400500);

    int32_t v1 = 0, v2 = 0, v3 = 0;
    parser->GetVideo(0, &v1, &v2, &v3);
    EXPECT_EQ((std::array{v1, v2, v3}), (std::array{0x1b, 6, 1}));

    char language[4];
    parser->GetAudio(2, &v1, &v2, language);
    EXPECT_EQ((std::array{v1, v2}), (std::array{0x86, 0x1102}));
    EXPECT_STREQ(language, "ger");
    parser->GetSub(1, &v1, &v2, language);
    EXPECT_EQ((std::array{v1, v2}), (std::array{0x90, 0x1201}));
    EXPECT_STREQ(language, "spa");

    // Outside the playlist, and after its release: nothing, and no fault.
    parser->GetAudio(3, &v1, &v2, language);
    EXPECT_STREQ(language, "");
    parser->EndParser();
    parser->GetM2TS(0, clip, &value);
    EXPECT_STREQ(clip, "");
    EXPECT_EQ(value, 0);
}

TEST_F(DiscFolder, ACutOrDamagedPlaylistIsNoPlaylist)
{
    QFile source(playlistPath("00001.mpls"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray whole = source.readAll();
    source.close();
    ASSERT_TRUE(ReadMplsFacts(whole));

    const std::unique_ptr<PlaylistParser> parser = MakeBlurayPlaylistParser();
    const QString onDisc = playlistPath("00004.mpls");
    const QString bare = dir.filePath("00004.mpls");
    for (qsizetype length = 0; length < whole.size(); ++length) {
        EXPECT_FALSE(ReadMplsFacts(whole.left(length))) << length;
        // Through the parser on the disc (libbluray first) and alone.
        for (const QString &path : {onDisc, bare}) {
            ASSERT_TRUE(writeFile(path, whole.left(length)));
            int32_t seconds = -1, videos = -1, audios = -1, subtitles = -1;
            EXPECT_LT(parser->ParserFile(path, &seconds, &videos, &audios, &subtitles), 1) << length;
            EXPECT_EQ((std::array{seconds, videos, audios, subtitles}), (std::array{0, 0, 0, 0})) << length;
            parser->EndParser();
        }
    }

    // A playlist table pointing past the end, and one claiming more items
    // than it holds.
    QByteArray farList = whole;
    farList[8] = char(0x7f);
    EXPECT_FALSE(ReadMplsFacts(farList));
    QByteArray moreItems = whole;
    const int listPos = (uchar(whole[8]) << 24) | (uchar(whole[9]) << 16) | (uchar(whole[10]) << 8) | uchar(whole[11]);
    moreItems[listPos + 4 + 3] = char(0x20);
    EXPECT_FALSE(ReadMplsFacts(moreItems));
    EXPECT_FALSE(ReadMplsFacts(QByteArray(4096, '\0')));
    EXPECT_FALSE(ReadMplsFile(dir.filePath("none.mpls")));
}

struct PlaceCase {
    const char *path;
    const char *root; // nullptr: not a place libbluray can read
    uint32_t number;
};

class PlaylistPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaylistPlace, OnlyTheDiscFormatsOwnNamesReachLibbluray)
{
    const PlaceCase c = GetParam();
    const std::optional<DiscPlaylistPlace> place = LibblurayPlaylistPlace(QString::fromUtf8(c.path));
    if (!c.root) {
        EXPECT_FALSE(place);
        return;
    }
    ASSERT_TRUE(place);
    EXPECT_EQ(place->root, QString::fromUtf8(c.root));
    EXPECT_EQ(place->number, c.number);
}

INSTANTIATE_TEST_SUITE_P(Table, PlaylistPlace,
                         ::testing::Values(PlaceCase{"/media/disc/BDMV/PLAYLIST/00800.mpls", "/media/disc", 800},
                                           PlaceCase{"/BDMV/PLAYLIST/00001.mpls", "/", 1},
                                           PlaceCase{"/media/disc/BDMV/PLAYLIST/00800.MPLS", nullptr, 0},
                                           PlaceCase{"/media/disc/bdmv/PLAYLIST/00800.mpls", nullptr, 0},
                                           PlaceCase{"/media/disc/BDMV/playlist/00800.mpls", nullptr, 0},
                                           PlaceCase{"/media/copy/PLAYLIST/00800.mpls", nullptr, 0},
                                           PlaceCase{"/media/disc/BDMV/PLAYLIST/main.mpls", nullptr, 0},
                                           PlaceCase{"/media/disc/BDMV/PLAYLIST/0080.mpls", nullptr, 0}));

TEST(LanguageLibrary, TheEnglishNameOrTheCodeItself)
{
    EXPECT_EQ(getlag("eng"), "English");
    EXPECT_EQ(getlag("fre"), "French");
    EXPECT_EQ(getlag("ger"), "German");
    EXPECT_EQ(getlag("qqq"), "qqq");
    EXPECT_EQ(getlag(""), "");
}

} // namespace

// The Blu-ray playlists as list rows, read through the real playlist parser
// from disc folders written byte by byte as the formats define them.

#include "disc/bluray_titles.h"
#include "engine/engine_state.h"
#include "engine/source_list.h"
#include "platform/bluray/language_library.h"
#include "platform/bluray/playlist_parser.h"
#include "tests/support/bluray_disc_writer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bluray_disc;

static void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace {

Playlist Clips(const QString &fileName, QVector<Item> items)
{
    Playlist p;
    p.fileName = fileName;
    p.items = std::move(items);
    return p;
}

class BlurayTitles : public ::testing::Test {
protected:
    BlurayTitles()
        : target{list,
                 engine,
                 *parser,
                 [](const QString &code) { return getlag(code); },
                 QStringLiteral("Status"),
                 [](int32_t seconds) { return QString::number(seconds) + "MB"; },
                 [this] { ++pumps; },
                 [this] { ++clicks; }}
    {
        seed = dir.filePath("seed.m2ts");
        writeFile(seed, QByteArray(192, 'G'));
        engine.sourceMode = SourceMode::DvdRows;
    }

    QString root() const { return dir.filePath("disc"); }
    QString stream(const QString &clip) const { return root() + "/BDMV/STREAM/" + clip + ".m2ts"; }

    void load(const QString &folder) { LoadBluRayTitles(folder, target, titles); }

    QStringList column(int subItem) const
    {
        QStringList out;
        for (int r = 0; r < list.rowCount(); ++r)
            out << (subItem < 0 ? list.row(r).caption : list.row(r).subItems[size_t(subItem)]);
        return out;
    }
    QStringList paths() const
    {
        QStringList out;
        for (int r = 0; r < list.rowCount(); ++r)
            out << list.originalInfo().at(r).path;
        return out;
    }

    QTemporaryDir dir;
    QString seed;
    std::unique_ptr<PlaylistParser> parser = MakeBlurayPlaylistParser();
    SourceList list;
    EngineState engine;
    BlurayReadTarget target;
    QVector<TBlurayinfo> titles;
    int pumps = 0;
    int clicks = 0;
};

TEST_F(BlurayTitles, LongestFirstWithTiesAndShortPlaylistsDropped)
{
    // Written out of name order: the tie goes to the name read first.
    ASSERT_TRUE(writeDisc(root(),
                          {playlist("00006.mpls", "00006", 200), playlist("00001.mpls", "00001", 100),
                           playlist("00002.mpls", "00002", 300), playlist("00003.mpls", "00003", 200),
                           playlist("00004.mpls", "00004", 5.9), playlist("00005.mpls", "00005", 6)},
                          seed));
    SourceRow old;
    old.caption = "an earlier file";
    list.appendRow(old);
    list.sizeArraysToRows();
    list.originalInfo()[0].videoBitrate = "900";

    load(root());
    EXPECT_EQ(column(-1), (QStringList{"Title_01", "Title_02", "Title_03", "Title_04"}));
    EXPECT_EQ(column(SourceRow::OriginalTime), (QStringList{"00:05:00", "00:03:20", "00:01:40", "00:00:06"}));
    EXPECT_EQ(column(SourceRow::ConversionTime), column(SourceRow::OriginalTime));
    EXPECT_EQ(column(SourceRow::OutputSize), (QStringList{"300MB", "200MB", "100MB", "6MB"}));
    EXPECT_EQ(column(SourceRow::Status), QStringList(4, "Status"));
    EXPECT_EQ(paths(), (QStringList{stream("00002"), stream("00003"), stream("00001"), stream("00005")}));

    EXPECT_EQ(list.checkedRows(), QVector<int>{0});
    EXPECT_EQ(list.selectedRows(), QVector<int>{0});
    EXPECT_EQ(engine.sourceMode, SourceMode::FileRows);
    EXPECT_EQ(clicks, 1);
    EXPECT_GE(pumps, 2 * 6);

    const Toriginalinfo &info = list.originalInfo().at(1);
    EXPECT_EQ(info.frameSize, "1920x1080");
    EXPECT_EQ(info.duration, "00:03:20");
    EXPECT_TRUE(info.videoBitrate.isEmpty()) << "the earlier row's facts stay behind";
    const ClipRange &clip = list.clipRanges().at(1);
    EXPECT_EQ((std::array{clip.clipBegin, clip.clipEnd, int32_t(clip.flag)}), (std::array{0, 200, 1}));

    ASSERT_EQ(titles.size(), 4);
    const std::array durations{300, 200, 100, 6};
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(titles[r].clipPaths, QStringList{paths()[r]});
        EXPECT_EQ(titles[r].duration, durations[size_t(r)]);
    }
    EXPECT_EQ((std::array{titles[0].place, titles[1].place, titles[2].place, titles[3].place}),
              (std::array{0, 2, 3, 4}));
}

TEST_F(BlurayTitles, AClipReadTwiceInARowCutsThePlaylistToIt)
{
    ASSERT_TRUE(writeDisc(root(),
                          {Clips("00001.mpls", {{"00001", 100}, {"00001", 100}, {"00001", 100}}),
                           Clips("00002.mpls", {{"00007", 50}, {"00008", 120}, {"00008", 120}, {"00009", 30}}),
                           Clips("00003.mpls", {{"00010", 40}, {"00011", 40}, {"00010", 40}})},
                          seed));
    load(root());
    ASSERT_EQ(titles.size(), 3);
    // 300 div 3, and 320 div 4 with the clip that repeats, not the first.
    EXPECT_EQ(titles[0].clipPaths, (QStringList{stream("00010"), stream("00011"), stream("00010")}));
    EXPECT_EQ(titles[0].duration, 120);
    EXPECT_EQ(titles[0].lastClipIndex, 2);
    EXPECT_EQ(titles[1].clipPaths, QStringList{stream("00001")});
    EXPECT_EQ(titles[1].duration, 100);
    EXPECT_EQ(titles[1].lastClipIndex, 0);
    EXPECT_EQ(titles[1].clipValues, QVector<int32_t>{100000});
    EXPECT_EQ(titles[2].clipPaths, QStringList{stream("00008")});
    EXPECT_EQ(titles[2].duration, 80);
    EXPECT_EQ(column(SourceRow::OriginalTime), (QStringList{"00:02:00", "00:01:40", "00:01:20"}));
}

TEST_F(BlurayTitles, PlaylistsWithTheClipsOfAnAcceptedOneAreDropped)
{
    ASSERT_TRUE(writeDisc(root(),
                          {Clips("00001.mpls", {{"00001", 200}, {"00002", 100}}),
                           Clips("00002.mpls", {{"00001", 250}, {"00002", 100}}), // longer: dropped too
                           Clips("00003.mpls", {{"00001", 150}, {"00002", 100}}), // shorter: dropped
                           Clips("00004.mpls", {{"00001", 100}, {"00003", 100}}), // other second clip: kept
                           Clips("00005.mpls", {{"00002", 100}, {"00001", 50}})}, // other first clip: kept
                          seed));
    load(root());
    ASSERT_EQ(titles.size(), 3);
    EXPECT_EQ(titles[0].clipPaths, (QStringList{stream("00001"), stream("00002")}));
    EXPECT_EQ(titles[0].duration, 300);
    EXPECT_EQ(titles[1].clipPaths.value(1), stream("00003"));
    EXPECT_EQ(titles[2].clipPaths.value(0), stream("00002"));
}

TEST_F(BlurayTitles, StreamValuesAndLanguageNames)
{
    Playlist feature = playlist("00001.mpls", "00001", 60);
    feature.videos = {{0x1b, 6, 1, 0x1011, {}}};
    feature.audios = {{0x83, 6, 4, 0x1100, "eng"}, audio("fra", 0x1101), audio("qqq", 0x1102)};
    feature.subtitles = {subtitle("ger")};
    Playlist silent = playlist("00002.mpls", "00002", 30);
    silent.audios.clear();
    ASSERT_TRUE(writeDisc(root(), {feature, silent}, seed));

    load(root());
    ASSERT_EQ(titles.size(), 2);
    const TBlurayinfo &f = titles[0];
    EXPECT_EQ(f.lastVideoIndex, 0);
    EXPECT_EQ((std::array{f.videoValues1.value(0), f.videoValues2.value(0), f.videoValues3.value(0)}),
              (std::array{0x1b, 6, 1}));
    EXPECT_EQ(f.lastAudioIndex, 2);
    EXPECT_EQ(f.audioValues1, (QVector<int32_t>{0x83, 0x81, 0x81}));
    EXPECT_EQ(f.audioValues2, (QVector<int32_t>{0x1100, 0x1101, 0x1102}));
    EXPECT_EQ(f.audioLanguages, (QStringList{"English", "French", "qqq"}));
    EXPECT_EQ(f.lastSubtitleIndex, 0);
    EXPECT_EQ(f.subtitleValues2, QVector<int32_t>{0x1200});
    EXPECT_EQ(f.subtitleLanguages, QStringList{"German"});
    EXPECT_EQ((std::array{f.audioChoice, f.subtitleChoice, f.spare}), (std::array{0, 0, 0}));

    EXPECT_EQ(titles[1].lastAudioIndex, -1);
    EXPECT_TRUE(titles[1].audioLanguages.isEmpty());
    EXPECT_EQ(titles[1].lastSubtitleIndex, -1);
}

TEST_F(BlurayTitles, ClipsAreFoundUnderTheNamesTheDiscReallyHas)
{
    Names lower{"bdmv", "playlist", "clipinf", "stream"};
    ASSERT_TRUE(writeDisc(root(), {playlist("00800.MPLS", "00001", 60)}, seed, lower));
    ASSERT_TRUE(QFile::rename(root() + "/bdmv/stream/00001.m2ts", root() + "/bdmv/stream/00001.M2TS"));
    load(root() + "/bdmv/stream");
    EXPECT_EQ(paths(), QStringList{root() + "/bdmv/stream/00001.M2TS"});
}

struct FolderCase {
    const char *chosen;   // under the test folder
    const char *expected; // the playlist folder under it; "" for none
};

class PlaylistFolder : public ::testing::TestWithParam<FolderCase> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(writeDisc(dir.filePath("disc"), {playlist("00001.mpls", "00001", 60)}, QString()));
        ASSERT_TRUE(writeDisc(dir.filePath("bdmvcopies/film"), {playlist("00001.mpls", "00001", 60)}, QString()));
        ASSERT_TRUE(writeDisc(dir.filePath("mixed"), {playlist("00001.mpls", "00001", 60)}, QString(),
                              {"Bdmv", "PlayList", "CLIPINF", "Stream"}));
        ASSERT_TRUE(writePlaylists(dir.filePath("copy/PLAYLIST"), {playlist("00001.mpls", "00001", 60)}));
        ASSERT_TRUE(writePlaylists(dir.filePath("lists"), {playlist("00001.mpls", "00001", 60)}));
        ASSERT_TRUE(QDir().mkpath(dir.filePath("nodisc/BDMV/STREAM")));
        ASSERT_TRUE(QDir().mkpath(dir.filePath("empty")));
    }
    QTemporaryDir dir;
};

TEST_P(PlaylistFolder, FromAnyFolderOfTheDisc)
{
    const QString expected = *GetParam().expected ? dir.filePath(GetParam().expected) + "/" : QString();
    EXPECT_EQ(FindPlaylistFolder(dir.filePath(GetParam().chosen)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlaylistFolder,
    ::testing::Values(FolderCase{"disc", "disc/BDMV/PLAYLIST"}, FolderCase{"disc/", "disc/BDMV/PLAYLIST"},
                      FolderCase{"disc/BDMV", "disc/BDMV/PLAYLIST"}, FolderCase{"disc/BDMV/STREAM", "disc/BDMV/PLAYLIST"},
                      FolderCase{"disc/BDMV/PLAYLIST", "disc/BDMV/PLAYLIST"},
                      FolderCase{"disc/CERTIFICATE", ""},
                      FolderCase{"bdmvcopies/film", "bdmvcopies/film/BDMV/PLAYLIST"},
                      FolderCase{"mixed", "mixed/Bdmv/PlayList"}, FolderCase{"mixed/Bdmv/Stream", "mixed/Bdmv/PlayList"},
                      FolderCase{"copy", "copy/PLAYLIST"}, FolderCase{"copy/PLAYLIST", "copy/PLAYLIST"},
                      FolderCase{"lists", "lists"}, FolderCase{"nodisc", ""}, FolderCase{"empty", ""},
                      FolderCase{"missing", ""}));

TEST_F(BlurayTitles, ABarePlaylistFolderTakesItsClipsFromTheStreamFolderBesideIt)
{
    const QVector<Playlist> playlists{playlist("00001.mpls", "00001", 60)};
    ASSERT_TRUE(writePlaylists(dir.filePath("copy/PLAYLIST"), playlists));
    ASSERT_TRUE(writePlaylists(dir.filePath("other/lists"), playlists));
    load(dir.filePath("copy/PLAYLIST"));
    EXPECT_EQ(paths(), QStringList{dir.filePath("copy/STREAM/00001.m2ts")});
    load(dir.filePath("other/lists"));
    EXPECT_EQ(paths(), QStringList{dir.filePath("other/STREAM/00001.m2ts")});
}

TEST_F(BlurayTitles, NoDiscNoPlaylistsAndDamagedPlaylistsGiveNoRows)
{
    SourceRow old;
    old.caption = "kept";
    list.appendRow(old);

    ASSERT_TRUE(QDir().mkpath(dir.filePath("empty/BDMV/PLAYLIST")));
    ASSERT_TRUE(QDir().mkpath(dir.filePath("plain")));
    ASSERT_TRUE(writeFile(dir.filePath("plain/notes.txt"), "text"));
    const QByteArray whole = mplsBytes(playlist("00001.mpls", "00001", 60));
    ASSERT_TRUE(writeDisc(root(), {playlist("00001.mpls", "00001", 60)}, seed));
    for (const int length : {0, 8, 40, int(whole.size()) / 2, int(whole.size()) - 1})
        ASSERT_TRUE(writeFile(root() + QString("/BDMV/PLAYLIST/%1.mpls").arg(length + 10, 5, 10, QChar('0')),
                              whole.left(length)));
    ASSERT_TRUE(writeFile(root() + "/BDMV/PLAYLIST/00001.mpls", whole.left(whole.size() - 3)));
    // A clip name that would lead out of the clip folder.
    ASSERT_TRUE(writePlaylists(dir.filePath("escape/PLAYLIST"), {playlist("00001.mpls", "../..", 60)}));

    for (const QString &folder : {dir.filePath("plain"), dir.filePath("empty"), dir.filePath("missing"), root(),
                                  dir.filePath("escape")}) {
        titles = {TBlurayinfo{}};
        load(folder);
        EXPECT_EQ(column(-1), QStringList{"kept"}) << folder.toStdString();
        EXPECT_EQ(titles.size(), 1) << "the playlists of the rows kept stay: " << folder.toStdString();
    }
    EXPECT_EQ(engine.sourceMode, SourceMode::DvdRows);
    EXPECT_EQ(clicks, 0);
}

TBlurayinfo Info(QStringList clips, int32_t duration, int32_t audioChoice = 0)
{
    TBlurayinfo info;
    info.clipPaths = std::move(clips);
    info.lastClipIndex = int32_t(info.clipPaths.size()) - 1;
    info.duration = duration;
    info.audioChoice = audioChoice;
    return info;
}

struct CompareCase {
    const char *what;
    QVector<TBlurayinfo> accepted;
    TBlurayinfo playlist;
    int expected;
};

TEST(CompareBluRayTitle, TheDuplicateRule)
{
    const QStringList ab{"a", "b"};
    const CompareCase cases[] = {
        {"no accepted playlist", {}, Info(ab, 100), 0},
        {"other first clip", {Info({"b", "a"}, 100)}, Info(ab, 100), 0},
        {"same clips, accepted longer", {Info(ab, 200)}, Info(ab, 100), 1},
        {"same clips, same length", {Info(ab, 100)}, Info(ab, 100), 2},
        {"same clips, accepted shorter", {Info(ab, 50)}, Info(ab, 100), 2},
        {"same first clip, other second", {Info({"a", "c"}, 200)}, Info(ab, 100), 0},
        {"a later match decides", {Info(ab, 200), Info({"a", "c"}, 10), Info(ab, 50)}, Info(ab, 100), 2},
        {"other clip count ends the test", {Info({"a"}, 300), Info(ab, 200)}, Info(ab, 100), 0},
        {"other audio choice ends the test", {Info(ab, 200, 1), Info(ab, 200)}, Info(ab, 100), 0},
    };
    for (const CompareCase &c : cases)
        EXPECT_EQ(CompareBluRayTitle(c.accepted, c.playlist), c.expected) << c.what;
}

} // namespace

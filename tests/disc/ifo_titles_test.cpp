#include "disc/ifo_titles.h"

#include "engine/engine_state.h"
#include "engine/source_list.h"
#include "tests/disc/fake_ifo.h"

#include <gtest/gtest.h>

using namespace fake_ifo;

namespace {

TEST(IfoHelpers, NumbersAndStreamIds)
{
    EXPECT_EQ(TwoDigitNumber(0), "00");
    EXPECT_EQ(TwoDigitNumber(7), "07");
    EXPECT_EQ(TwoDigitNumber(10), "10");
    EXPECT_EQ(TwoDigitNumber(123), "123");
    EXPECT_EQ(HmsPartsToSeconds(1, 2, 3), 3723);

    const struct {
        const char *description, *id;
    } ids[] = {
        {"AC3 en 2ch 48kHz (0x80)", "0x80"}, {"en (0x20)", "0x20"}, {"(0x21) and (0x22)", "0x21"},
        {"no id", "0"},                      {"ab)", "ab"},         {"", "0"},
    };
    for (const auto &c : ids)
        EXPECT_EQ(ExtractStreamId(c.description), c.id) << c.description;
}

TEST(IfoHelpers, LongestTitleIsTheFirstOfTheWidestSpans)
{
    const struct {
        std::vector<std::pair<int32_t, int32_t>> sectors;
        int longest;
    } cases[] = {
        {{}, 0},
        {{{0, 100}, {50, 350}, {0, 300}, {0, 200}}, 1},
        {{{0, 100}, {0, 300}, {100, 400}}, 1},
        {{{500, 500}, {900, 100}}, 0},
        {{{900, 100}, {0, 10}}, 1},
    };
    for (const auto &c : cases) {
        SourceList list;
        for (const auto &[start, end] : c.sectors) {
            list.appendRow({});
            list.sizeArraysToRows(true);
            list.convertInfo().last().startSector = start;
            list.convertInfo().last().endSector = end;
        }
        EXPECT_EQ(FindLongestTitle(list), c.longest) << c.sectors.size() << " rows";
    }
}

class IfoReaders : public ::testing::Test {
protected:
    IfoReadTarget target()
    {
        return {list, engine, ifo, QStringLiteral("Status"),
                [this](int32_t seconds) {
                    return QStringLiteral("%1@%2:%3")
                        .arg(list.originalInfo().value(engine.currentEstimateRow).frameSize)
                        .arg(engine.currentEstimateRow)
                        .arg(seconds);
                },
                [this] { ++redraws; }};
    }
    // Reads one file as the folder scan does.
    TIFOSelint &read(const QString &path, bool chapters = false)
    {
        TIFOSelint entry;
        entry.ifoPath = path;
        disc.TIFOAS.append(entry);
        disc.chapterView = chapters;
        AddIfoInCurrentView(target(), disc, disc.TIFOAS.last());
        return disc.TIFOAS.last();
    }
    QStringList captions() const
    {
        QStringList out;
        for (int i = 0; i < list.rowCount(); ++i)
            out << list.row(i).caption;
        return out;
    }
    std::vector<std::pair<int32_t, int32_t>> sectors() const
    {
        std::vector<std::pair<int32_t, int32_t>> out;
        for (int i = 0; i < list.rowCount(); ++i)
            out.emplace_back(list.convertInfo().at(i).startSector, list.convertInfo().at(i).endSector);
        return out;
    }

    SourceList list;
    EngineState engine;
    DiscState disc;
    FakeIfo ifo;
    int redraws = 0;
};

TEST_F(IfoReaders, TitleViewKeepsOnlyUsableDistinctChains)
{
    Chain allShort{900, {}};
    for (int i = 0; i < 101; ++i)
        allShort.cells.push_back(cell(i * 100, i * 100 + 99, 8));
    allShort.cells.push_back(cell(20000, 90000, 60));
    Chain longAt101 = allShort;
    longAt101.cells.erase(longAt101.cells.begin());

    const struct {
        const char *name;
        std::vector<Chain> chains;
        std::vector<std::pair<int32_t, int32_t>> rows;
    } cases[] = {
        {"4 s dropped, 5 s kept", {oneCell(4, 0, 5000), oneCell(5, 0, 6000)}, {{0, 6000}}},
        {"start past the first cell over 8 s",
         {{60, {cell(0, 100, 8), cell(100, 400, 3), cell(2000, 9000, 9), cell(9000, 12000, 40)}}},
         {{2300, 12000}}},
        {"only the first 101 cells may give the start", {allShort}, {{0, 90000}}},
        {"no cell over 8 s: its own first sector, not the title set's",
         {{12, {cell(5000, 7000, 6), cell(7001, 9000, 6)}}},
         {{5000, 9000}}},
        {"the 101st cell still gives it", {longAt101}, {{20300, 90000}}},
        {"end: the larger last sector of the last two cells",
         {{60, {cell(0, 9000, 50), cell(3000, 5000, 10)}}},
         {{300, 9000}}},
        {"end compared unsigned: a sector with the top bit set is the larger",
         {{60, {cell(0, -2, 50), cell(3000, 5000, 10)}}},
         {}},
        {"same end, later start: takes the earlier row's place",
         {oneCell(30, 0, 9000), oneCell(40, 5000, 20000), {60, {cell(0, 1000, 3), cell(6000, 20000, 50)}},
          oneCell(30, 0, 30000)},
         {{300, 9000}, {6300, 20000}, {300, 30000}}},
        {"same end, same or earlier start: dropped",
         {oneCell(30, 300, 20000), oneCell(40, 300, 20000), oneCell(40, 0, 20000), oneCell(5, 100, 20000)},
         {{600, 20000}}},
        {"a later start too close to the end replaces nothing",
         {oneCell(30, 0, 20000), {60, {cell(0, 100, 2), cell(19500, 20000, 50)}}},
         {{300, 20000}}},
        {"fewer than 1000 sectors dropped", {oneCell(6, 0, 999), oneCell(6, 5, 1005)}, {{5, 1005}}},
        {"a chain without cells is skipped", {{60, {}}, oneCell(30, 0, 4000)}, {{300, 4000}}},
    };
    for (const auto &c : cases) {
        list.clear();
        disc.TIFOAS.clear();
        TitleSet set;
        set.chains = c.chains;
        ifo.sets["/d/VTS_01_0.IFO"] = set;
        const TIFOSelint &entry = read("/d/VTS_01_0.IFO");
        EXPECT_EQ(sectors(), c.rows) << c.name;
        QStringList want;
        for (size_t i = 1; i <= c.rows.size(); ++i)
            want << QStringLiteral("Title_%1").arg(i, 2, 10, QLatin1Char('0'));
        EXPECT_EQ(captions(), want) << c.name;
        EXPECT_EQ(entry.firstRow, 0) << c.name;
        EXPECT_EQ(entry.endRow, c.rows.empty() ? -1 : int(c.rows.size())) << c.name;
        EXPECT_EQ(ifo.openHandles, 0) << c.name;
    }
}

TEST_F(IfoReaders, TitleRowCarriesItsRecords)
{
    list.appendRow({"clip", {}, true, false});
    list.sizeArraysToRows(true);
    TitleSet set;
    set.chains = {{3725, {cell(0, 800, 5), cell(1000, 70000, 3700), cell(70000, 72000, 20)}}};
    ifo.sets["/d/VTS_02_0.IFO"] = set;
    const TIFOSelint entry = read("/d/VTS_02_0.IFO");

    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(entry.firstRow, 1);
    EXPECT_EQ(entry.endRow, 2);
    EXPECT_EQ(entry.audioCount, 2);
    EXPECT_EQ(entry.audioDescriptions, set.audio);
    EXPECT_EQ(entry.subPictureCount, 1);
    EXPECT_EQ(entry.subPictureDescriptions, set.subPictures);
    EXPECT_EQ(engine.sourceMode, SourceMode::DvdRows);

    const SourceRow &row = list.row(1);
    EXPECT_EQ(row.caption, "Title_02");
    EXPECT_TRUE(row.checked);
    EXPECT_EQ(row.subItems, (std::array<QString, 4>{"01:02:05", "01:02:05", "720x576@1:3725", "Status"}));
    const TConvertInfo &convert = list.convertInfo().at(1);
    EXPECT_EQ(convert.audioId, "0x80");
    EXPECT_EQ(convert.subtitleId, "0");
    EXPECT_EQ(convert.startSector, 1300);
    EXPECT_EQ(convert.endSector, 72000);
    EXPECT_EQ(convert.leadSectors, 1300) << "the opening cell and the skipped start, from sector 0";
    EXPECT_EQ(convert.ifoPath, "/d/VTS_02_0.IFO");
    EXPECT_EQ(convert.length, 3725);
    EXPECT_EQ(convert.startSeconds, 0);
    EXPECT_EQ(convert.endSeconds, 3725);
    const ClipRange &clip = list.clipRanges().at(1);
    EXPECT_EQ(clip.startSector, 1300);
    EXPECT_EQ(clip.endSector, 72000);
    EXPECT_EQ(clip.clipBegin, 0);
    EXPECT_EQ(clip.clipEnd, 3725);
    EXPECT_EQ(clip.flag, 1);
    const Toriginalinfo &info = list.originalInfo().at(1);
    EXPECT_EQ(info.videoCodec, "MPEG2");
    EXPECT_EQ(info.frameSize, "720x576");
    EXPECT_EQ(info.duration, "01:02:05");
    EXPECT_EQ(info.audioCodec, "AC3"); // the second stream's format word
    EXPECT_EQ(redraws, 1);
}

TEST_F(IfoReaders, StreamsShapeTheIdsAndFormats)
{
    TitleSet oneAudio;
    oneAudio.audio = {"LPCM de 2ch 48kHz (0xa0)"};
    oneAudio.chains = {oneCell(30, 0, 5000)};
    TitleSet silent = oneAudio;
    silent.audio.clear();
    silent.subPictures.clear();
    ifo.sets["/d/a.ifo"] = oneAudio;
    ifo.sets["/d/b.ifo"] = silent;
    read("/d/a.ifo");
    read("/d/b.ifo");
    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.convertInfo().at(0).audioId, "0xa0");
    EXPECT_EQ(list.originalInfo().at(0).audioCodec, "");
    EXPECT_EQ(list.convertInfo().at(1).audioId, "0");
    EXPECT_EQ(disc.TIFOAS.at(1).audioCount, 0);
    EXPECT_EQ(disc.TIFOAS.at(1).subPictureCount, 0);
}

TEST_F(IfoReaders, UnreadableTitleSetsAddNothing)
{
    TitleSet many;
    many.chains.assign(501, oneCell(30, 0, 5000));
    TitleSet limit = many;
    limit.chains.resize(500);
    ifo.sets["/d/many.ifo"] = many;
    ifo.sets["/d/limit.ifo"] = limit;
    ifo.sets["/d/empty.ifo"] = TitleSet{};
    ifo.sets["/d/short.ifo"].chains = {oneCell(3, 0, 5000), oneCell(30, 0, 10)};

    for (const char *path : {"/d/missing.ifo", "/d/many.ifo", "/d/empty.ifo", "/d/short.ifo"}) {
        const TIFOSelint &entry = read(path);
        EXPECT_EQ(entry.endRow, -1) << path;
        EXPECT_EQ(list.rowCount(), 0) << path;
    }
    // Equal sectors collapse the 500 chains of the readable set into one row.
    EXPECT_EQ(read("/d/limit.ifo").endRow, 1);
    EXPECT_EQ(ifo.openHandles, 0);
}

TEST_F(IfoReaders, TitleSetsDoNotCompareSectorsWithEachOther)
{
    // Sectors count from each title set's start: equal numbers in two sets
    // are different places.
    ifo.sets["/d/VTS_01_0.IFO"].chains = {oneCell(30, 0, 20000)};
    ifo.sets["/d/VTS_02_0.IFO"].chains = {oneCell(30, 0, 20000), oneCell(40, 500, 20000)};
    read("/d/VTS_01_0.IFO");
    read("/d/VTS_02_0.IFO");
    EXPECT_EQ(captions(), (QStringList{"Title_01", "Title_02"}));
    EXPECT_EQ(sectors(), (std::vector<std::pair<int32_t, int32_t>>{{300, 20000}, {800, 20000}}));
    EXPECT_EQ(list.convertInfo().at(1).ifoPath, "/d/VTS_02_0.IFO");
}

TEST_F(IfoReaders, ChapterViewNumbersTitlesByRowAndChaptersByCell)
{
    TitleSet set;
    set.chains = {
        {30, {cell(0, 2000, 10), cell(2000, 4000, 10), cell(4000, 6000, 10)}},
        {22, {cell(0, 2000, 10), cell(2000, 2500, 5), cell(2500, 5000, 7)}},
        {0, {cell(0, 5000, 10)}},
        {40, {}},
        {22, {cell(100, 900, 10), cell(900, 1500, 12)}},
        {12, {cell(6000, 9000, 0), cell(9000, 12000, 12)}},
    };
    ifo.sets["/d/VTS_01_0.IFO"] = set;
    const TIFOSelint entry = read("/d/VTS_01_0.IFO", true);

    EXPECT_EQ(captions(), (QStringList{"Title_01", "  Chapter_01", "  Chapter_02", "  Chapter_03", "Title_05",
                                       "  Chapter_01", "  Chapter_03", "Title_08", "Title_09", "  Chapter_02"}));
    EXPECT_EQ(entry.firstRow, 0);
    EXPECT_EQ(entry.endRow, 10);

    // Chapter_03 of the second title starts after both earlier cells, the dropped one too.
    const TConvertInfo &chapter = list.convertInfo().at(6);
    EXPECT_EQ(chapter.startSector, 2500);
    EXPECT_EQ(chapter.endSector, 5000);
    EXPECT_EQ(chapter.length, 7);
    EXPECT_EQ(chapter.startSeconds, 15);
    EXPECT_EQ(chapter.endSeconds, 22);
    EXPECT_EQ(chapter.audioId, "0x80");
    EXPECT_EQ(chapter.ifoPath, "/d/VTS_01_0.IFO");
    const ClipRange &clip = list.clipRanges().at(6);
    EXPECT_EQ((std::array<int32_t, 4>{clip.startSector, clip.endSector, clip.clipBegin, clip.clipEnd}),
              (std::array<int32_t, 4>{2500, 5000, 15, 22}));
    EXPECT_EQ(clip.flag, 0);
    EXPECT_EQ(list.row(6).subItems, (std::array<QString, 4>{"00:00:07", "00:00:07", "720x576@6:7", "Status"}));
    EXPECT_EQ(list.originalInfo().at(6).duration, "00:00:07");
    EXPECT_EQ(list.clipRanges().at(9).clipBegin, 0); // a cell of 0 s adds no time

    // A title row spans its chain from the first cell on, and carries no format words.
    const TConvertInfo &title = list.convertInfo().at(4);
    EXPECT_EQ(title.startSector, 0);
    EXPECT_EQ(title.endSector, 5000);
    EXPECT_EQ(title.length, 22);
    EXPECT_EQ(list.clipRanges().at(4).flag, 1);
    EXPECT_EQ(list.originalInfo().at(4).frameSize, "720x576");
    EXPECT_EQ(list.originalInfo().at(4).videoCodec, "");
    EXPECT_EQ(list.originalInfo().at(4).audioCodec, "");
    EXPECT_EQ(redraws, 10);
}

TEST_F(IfoReaders, ChapterViewHasNoChainLimit)
{
    TitleSet many;
    for (int i = 0; i < 501; ++i)
        many.chains.push_back(oneCell(30, i * 2000, i * 2000 + 1500));
    ifo.sets["/d/many.ifo"] = many;
    EXPECT_EQ(read("/d/many.ifo", true).endRow, 1002);
    EXPECT_EQ(list.row(1000).caption, "Title_1001");
}

TEST_F(IfoReaders, ViewSwitchGivesEachViewItsCheckBoxesBack)
{
    ifo.sets["/d/VTS_01_0.IFO"].chains = {{30, {cell(0, 2000, 10), cell(2000, 4000, 20)}}};
    ifo.sets["/d/VTS_02_0.IFO"].chains = {oneCell(30, 0, 5000), oneCell(40, 5000, 9000)};
    read("/d/VTS_01_0.IFO");
    read("/d/VTS_02_0.IFO");
    ASSERT_EQ(captions(), (QStringList{"Title_01", "Title_02", "Title_03"}));
    disc.TitleChecks = {1, 0, 1};
    disc.titleChecksMade = true;
    list.setChecked(1, false);
    disc.AudioChoice[1] = 1;
    disc.SubtitleChoice[2] = 1;

    SwitchListView(disc, target());
    EXPECT_TRUE(disc.chapterView);
    EXPECT_EQ(captions(),
              (QStringList{"Title_01", "  Chapter_01", "  Chapter_02", "Title_04", "  Chapter_01", "Title_06",
                           "  Chapter_01"}));
    EXPECT_EQ(disc.TIFOAS.size(), 2);
    EXPECT_EQ(disc.TIFOAS.at(1).firstRow, 3);
    EXPECT_EQ(disc.TIFOAS.at(1).endRow, 7);
    EXPECT_EQ(list.checkedRows().size(), 7);
    EXPECT_EQ(disc.ChapterChecks, (QVector<uint8_t>(7, 1)));
    EXPECT_EQ(disc.AudioChoice[1], 0);
    EXPECT_EQ(disc.SubtitleChoice[2], 0);

    disc.ChapterChecks[2] = 0;
    SwitchListView(disc, target());
    EXPECT_FALSE(disc.chapterView);
    EXPECT_EQ(captions(), (QStringList{"Title_01", "Title_02", "Title_03"}));
    EXPECT_EQ(list.checkedRows(), (QVector<int>{0, 2}));
    EXPECT_EQ(disc.TIFOAS.at(1).firstRow, 1);
    EXPECT_EQ(disc.TIFOAS.at(1).endRow, 3);

    SwitchListView(disc, target());
    EXPECT_EQ(list.checkedRows(), (QVector<int>{0, 1, 3, 4, 5, 6}));
    EXPECT_EQ(ifo.openHandles, 0);
}

TEST_F(IfoReaders, RowsBeyondAViewsStatesAreChecked)
{
    ifo.sets["/d/a.ifo"].chains = {oneCell(30, 0, 5000), oneCell(40, 5000, 9000), oneCell(50, 9000, 19000)};
    TIFOSelint entry;
    entry.ifoPath = "/d/a.ifo";
    disc.TIFOAS.append(entry);
    disc.chapterView = true;
    disc.TitleChecks = {0};
    disc.titleChecksMade = true;
    SwitchListView(disc, target());
    EXPECT_EQ(list.checkedRows(), (QVector<int>{1, 2}));
    EXPECT_EQ(disc.TitleChecks, (QVector<uint8_t>{0, 1, 1}));
}

} // namespace

#include "disc/dvd_titles.h"

#include "disc/dvd_folder.h"
#include "engine/engine_state.h"
#include "engine/language_texts.h"
#include "engine/settings_model.h"
#include "engine/source_list.h"
#include "platform/dialogs/recording_dialogs.h"
#include "tests/disc/fake_ifo.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fake_ifo;

namespace {

const char kNotFound[] = "Not found DVD movies in this folder";

QString line(int n)
{
    return *ReadLanguageInfoLine(ravenmoor::test::sourceDir() + "/data/language.info", n);
}

class DvdCommands : public ::testing::Test {
protected:
    DvdCommands()
        : texts(ravenmoor::test::sourceDir() + "/data/language.info",
                [this](const QString &section, const QString &key, const QString &def) {
                    return lug.value(section + "/" + key, def);
                },
                [this] { return engine.converting; }),
          titles(disc, engine, list, texts, dialogs, ifo, cb_audio, cb_subtitle, hooks())
    {
        ifo.requireFiles = true;
    }

    DvdTitlesHooks hooks()
    {
        DvdTitlesHooks h;
        h.updateControlStates = [this] { log << "update"; };
        h.showBusyWindow = [this] { log << "busy"; };
        h.closeBusyWindow = [this] { log << "close busy"; };
        h.saveBrowsePath = [this](const QString &folder) { log << "save " + folder; };
        h.estimatedSize = [this](int32_t seconds) {
            return QString::number(engine.currentEstimateRow) + ":" + QString::number(seconds);
        };
        h.setSkinText = [this](const QString &object, const QString &text) { skinTexts[object] = text; };
        h.pumpMessages = [this] {
            if (onPump)
                onPump();
        };
        h.isOpticalDrive = [this](const QString &) { return optical; };
        h.waitForDrive = [this](const QString &folder) {
            log << QString("wait %1 pending=%2").arg(folder).arg(disc.DriveWaitPending);
        };
        h.setListEnabled = [this](bool enabled) { log << (enabled ? "list on" : "list off"); };
        return h;
    }

    // A title set file on disk with the given streams and chains.
    QString makeSet(const QString &relative, std::vector<Chain> chains,
                    QStringList audio = {"AC3 en 2ch 48kHz (0x80)", "AC3 fr 2ch 48kHz (0x81)"},
                    QStringList subPictures = {"en (0x20)"})
    {
        const QString path = QDir(root.path()).filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        TitleSet set;
        set.chains = std::move(chains);
        set.audio = std::move(audio);
        set.subPictures = std::move(subPictures);
        ifo.sets[path] = set;
        return path;
    }
    // The two-title-set disc: VTS_01 a 30-s and a 90-s title, VTS_02 one 60-s title.
    void makeDisc()
    {
        makeSet("VIDEO_TS/VTS_01_0.IFO", {oneCell(30, 0, 5000), oneCell(90, 5000, 30000)});
        makeSet("VIDEO_TS/VTS_02_0.IFO", {oneCell(60, 0, 20000)}, {"AC3 de 6ch 48kHz (0x82)"}, {});
        makeSet("VIDEO_TS/VIDEO_TS.IFO", {oneCell(60, 0, 20000)});
    }
    QStringList captions() const
    {
        QStringList out;
        for (int i = 0; i < list.rowCount(); ++i)
            out << list.row(i).caption;
        return out;
    }
    void addFileRows()
    {
        for (const char *name : {"clip a", "clip b"})
            list.appendRow({name, {}, true, false});
        list.sizeArraysToRows();
        list.setVisible(true);
        engine.sourceMode = SourceMode::FileRows;
    }
    void click(int row)
    {
        list.selectOnly(row);
        titles.lvClick();
    }

    QTemporaryDir root;
    DiscState disc;
    EngineState engine;
    SourceList list;
    QHash<QString, QString> lug;
    LanguageTexts texts;
    RecordingDialogs dialogs;
    FakeIfo ifo;
    ComboModel cb_audio, cb_subtitle;
    QStringList log;
    QHash<QString, QString> skinTexts;
    bool optical = false;
    std::function<void()> onPump;
    DvdTitles titles;
};

TEST_F(DvdCommands, OpeningAFolderListsItsTitlesWithTheLongestChosen)
{
    makeDisc();
    addFileRows();
    disc.AudioChoice[1] = 1;
    disc.ChapterChecks = {0};
    disc.chapterChecksMade = true;
    dialogs.folderChoices = {root.path()};
    titles.OpenDvdFolder();

    EXPECT_EQ(dialogs.folderCaptions, QStringList{line(32)});
    EXPECT_EQ(captions(), (QStringList{"Title_01", "Title_02", "Title_03"}));
    EXPECT_EQ(ifo.opened.size(), 2);
    EXPECT_EQ(engine.sourceMode, SourceMode::DvdRows);
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(list.checkedRows(), (QVector<int>{0, 1, 2}));
    EXPECT_EQ(disc.TitleChecks, (QVector<uint8_t>{1, 1, 1}));
    EXPECT_FALSE(disc.chapterChecksMade);
    EXPECT_EQ(disc.AudioChoice[1], 0);
    EXPECT_EQ(list.selectedRows(), QVector<int>{1});
    EXPECT_EQ(disc.PreviewRow, 1);
    EXPECT_EQ(skinTexts["alltime"], "00:01:30");
    EXPECT_EQ(skinTexts["begin_time"], "00:00:00");
    EXPECT_EQ(skinTexts["End_time"], "00:01:30");
    EXPECT_EQ(list.row(1).subItems[SourceRow::OutputSize], "1:90");
    EXPECT_EQ(cb_audio.Items(), (QStringList{"AC3 en 2ch 48kHz ", "AC3 fr 2ch 48kHz "}));
    EXPECT_EQ(cb_audio.ItemIndex(), 0);
    EXPECT_EQ(cb_subtitle.Items(), (QStringList{"No Subtitle", "en "}));
    EXPECT_EQ(cb_subtitle.ItemIndex(), 0);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(log, (QStringList{"busy", "save " + root.path(), "list off", "list on", "update", "close busy",
                                "update"}));
    EXPECT_FALSE(titles.isBusy());
}

TEST_F(DvdCommands, AFolderOnAnOpticalDriveWaitsForTheDriveFirst)
{
    makeDisc();
    optical = true;
    dialogs.folderChoices = {root.path()};
    titles.OpenDvdFolder();
    ASSERT_GE(log.size(), 3);
    EXPECT_EQ(log[2], QString("wait %1 pending=1").arg(root.path()));
    EXPECT_EQ(log[3], "list off");
    EXPECT_EQ(disc.DriveWaitPending, 0);
    EXPECT_EQ(list.rowCount(), 3);
}

TEST_F(DvdCommands, BusyWindowRefusalsComeBeforeThePickers)
{
    const struct {
        bool converting, previewing;
        int line;
    } cases[] = {{true, false, 26}, {false, true, 27}, {true, true, 26}};
    for (const auto &c : cases) {
        engine.converting = c.converting;
        engine.previewing = c.previewing;
        dialogs.shown.clear();
        titles.OpenDvdFolder();
        titles.AddIfoFiles();
        ASSERT_EQ(dialogs.shown.size(), 2);
        for (const auto &shown : dialogs.shown) {
            EXPECT_EQ(shown.kind, MessageKind::Warning);
            // While converting the language texts serve line 26 only.
            EXPECT_EQ(shown.text, line(c.line));
        }
    }
    EXPECT_TRUE(dialogs.folderCaptions.isEmpty());
    EXPECT_TRUE(dialogs.fileFilters.isEmpty());
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(DvdCommands, CancelledPickersChangeOnlyTheControlStates)
{
    addFileRows();
    titles.OpenDvdFolder();
    titles.AddIfoFiles();
    EXPECT_EQ(log, (QStringList{"update", "update"}));
    EXPECT_EQ(captions(), (QStringList{"clip a", "clip b"}));
    EXPECT_EQ(engine.sourceMode, SourceMode::FileRows);
    ASSERT_EQ(dialogs.fileFilters.size(), 1);
    EXPECT_EQ(dialogs.fileFilters[0].size(), 1);
    EXPECT_EQ(dialogs.fileFilters[0][0].description, "IFO Files(*.ifo)");
    EXPECT_TRUE(dialogs.fileFilters[0][0].patterns.contains("*.ifo"));
}

TEST_F(DvdCommands, FoldersWithoutAUsableTitleSayNoDvdWasFound)
{
    lug["MessageDlg/" + QString(kNotFound)] = "Keine DVD";
    const struct {
        const char *name;
        std::function<QString()> folder;
    } cases[] = {
        {"no IFO", [&] { return makeSet("none/VIDEO_TS/VIDEO_TS.IFO", {}); }},
        {"damaged IFO",
         [&] {
             const QString path = makeSet("damaged/VTS_01_0.IFO", {});
             ifo.sets.remove(path);
             return path;
         }},
        {"no chains", [&] { return makeSet("empty/VTS_01_0.IFO", {}); }},
        {"no usable title", [&] { return makeSet("short/VTS_01_0.IFO", {oneCell(4, 0, 9000)}); }},
        {"vanished", [&] { return QDir(root.path()).filePath("gone/VTS_01_0.IFO"); }},
    };
    for (const auto &c : cases) {
        addFileRows();
        log.clear();
        dialogs.shown.clear();
        dialogs.folderChoices = {QFileInfo(c.folder()).path()};
        titles.OpenDvdFolder();
        ASSERT_EQ(dialogs.shown.size(), 1) << c.name;
        EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Information) << c.name;
        EXPECT_EQ(dialogs.shown[0].text, "Keine DVD") << c.name;
        EXPECT_EQ(list.rowCount(), 0) << c.name;
        EXPECT_FALSE(list.isVisible()) << c.name;
        EXPECT_TRUE(disc.TIFOAS.isEmpty()) << c.name;
        EXPECT_EQ(log.mid(log.size() - 2), (QStringList{"close busy", "update"})) << c.name;
    }
    EXPECT_EQ(ifo.openHandles, 0);
}

TEST_F(DvdCommands, NotFoundTextIsTheProgramsOwnByDefault)
{
    dialogs.folderChoices = {root.path()};
    titles.OpenDvdFolder();
    EXPECT_EQ(dialogs.texts(), QStringList{kNotFound});
}

TEST_F(DvdCommands, AFolderVanishingWhileScannedEndsCleanly)
{
    makeDisc();
    onPump = [this] { QDir(root.path()).removeRecursively(); };
    dialogs.folderChoices = {root.path()};
    titles.OpenDvdFolder();
    EXPECT_EQ(dialogs.texts(), QStringList{kNotFound});
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_FALSE(titles.isBusy());
}

TEST_F(DvdCommands, AReaderFaultClosesTheBusyWindowAndFreesTheCommands)
{
    ifo.throwOn = makeSet("VIDEO_TS/VTS_01_0.IFO", {oneCell(30, 0, 5000)});
    dialogs.folderChoices = {root.path(), root.path()};
    EXPECT_THROW(titles.OpenDvdFolder(), std::runtime_error);
    EXPECT_EQ(log.mid(log.size() - 2), (QStringList{"list on", "close busy"}));
    EXPECT_FALSE(titles.isBusy());
    ifo.throwOn.clear();
    titles.OpenDvdFolder();
    EXPECT_EQ(list.rowCount(), 1);
}

TEST_F(DvdCommands, CommandsArrivingDuringTheScanAreIgnored)
{
    makeDisc();
    int inner = 0;
    onPump = [&] {
        if (inner++ > 0)
            return;
        EXPECT_TRUE(titles.isBusy());
        dialogs.folderChoices = {root.path()};
        titles.OpenDvdFolder();
        titles.AddIfoFiles();
        titles.ToggleTitleChapterView();
    };
    dialogs.folderChoices = {root.path()};
    titles.OpenDvdFolder();
    EXPECT_EQ(dialogs.folderCaptions.size(), 1);
    EXPECT_TRUE(dialogs.fileFilters.isEmpty());
    EXPECT_FALSE(disc.chapterView);
    EXPECT_EQ(captions(), (QStringList{"Title_01", "Title_02", "Title_03"}));
}

TEST_F(DvdCommands, IfoFilesReplaceFileRowsAndAppendToDvdRows)
{
    const QString first = makeSet("a/VTS_01_0.IFO", {oneCell(30, 0, 5000)});
    const QString second = makeSet("b/VTS_01_0.IFO", {oneCell(90, 0, 30000), oneCell(40, 30000, 35000)});
    addFileRows();
    list.convertInfo().resize(5);
    list.convertInfo()[1].audioId = "stale";
    dialogs.fileChoices = {{first}};
    titles.AddIfoFiles();
    EXPECT_EQ(captions(), QStringList{"Title_01"});
    EXPECT_EQ(engine.sourceMode, SourceMode::DvdRows);
    EXPECT_EQ(list.convertInfo().size(), 1);

    list.setChecked(0, false);
    disc.AudioChoice[0] = 1;
    dialogs.fileChoices = {{second}};
    titles.AddIfoFiles();
    EXPECT_EQ(captions(), (QStringList{"Title_01", "Title_02", "Title_03"}));
    EXPECT_EQ(disc.TIFOAS.size(), 2);
    EXPECT_EQ(disc.TIFOAS[1].firstRow, 1);
    EXPECT_EQ(list.checkedRows(), (QVector<int>{0, 1, 2}));
    EXPECT_EQ(disc.AudioChoice[0], 1);
    EXPECT_EQ(list.selectedRows(), QVector<int>{1});
    EXPECT_EQ(list.convertInfo().at(1).audioId, "0x80");
    EXPECT_EQ(log.last(), "update");
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(DvdCommands, AnUnreadableIfoStopsTheFilesAfterIt)
{
    const QString good = makeSet("a/VTS_01_0.IFO", {oneCell(30, 0, 5000)});
    const QString bad = makeSet("b/VTS_01_0.IFO", {oneCell(4, 0, 5000)});
    const QString later = makeSet("c/VTS_01_0.IFO", {oneCell(30, 0, 5000)});
    const QString chapterless = makeSet("d/VTS_01_0.IFO", {oneCell(30, 0, 500)});
    const struct {
        bool chapterView;
        QString second;
        QStringList rows;
    } cases[] = {
        {false, bad, {"Title_01"}},
        {false, QDir(root.path()).filePath("missing.ifo"), {"Title_01"}},
        {true, chapterless, {"Title_01", "  Chapter_01"}},
    };
    for (const auto &c : cases) {
        list.clear();
        ifo.opened.clear();
        dialogs.shown.clear();
        disc.chapterView = c.chapterView;
        dialogs.fileChoices = {{good, c.second, later}};
        titles.AddIfoFiles();
        EXPECT_EQ(captions(), c.rows) << qPrintable(c.second);
        EXPECT_EQ(ifo.opened, (QStringList{good, c.second})) << qPrintable(c.second);
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Information);
        EXPECT_EQ(dialogs.shown[0].text, line(34));
        EXPECT_EQ(log.last(), "update");
    }
}

TEST_F(DvdCommands, ViewSwitchRebuildsDvdRowsAndNothingElse)
{
    const struct {
        bool converting, previewing;
        int line;
    } refusals[] = {{false, true, 27}, {true, true, 27}, {true, false, 26}};
    // A busy program refuses first, whatever the rows are.
    const auto refusesWhileBusy = [&](const char *rows) {
        for (const auto &r : refusals) {
            engine.converting = r.converting;
            engine.previewing = r.previewing;
            dialogs.shown.clear();
            titles.ToggleTitleChapterView();
            ASSERT_EQ(dialogs.shown.size(), 1) << rows << " " << r.line;
            EXPECT_EQ(dialogs.shown[0].kind, MessageKind::Warning);
            EXPECT_EQ(dialogs.shown[0].text, texts.LoadLanguageLine(r.line)) << rows;
            EXPECT_FALSE(disc.chapterView);
        }
        engine.converting = engine.previewing = false;
    };
    addFileRows();
    refusesWhileBusy("file rows");
    dialogs.shown.clear();
    titles.ToggleTitleChapterView();
    EXPECT_FALSE(disc.chapterView);
    EXPECT_EQ(captions(), (QStringList{"clip a", "clip b"}));
    EXPECT_TRUE(dialogs.shown.isEmpty());

    makeDisc();
    dialogs.folderChoices = {root.path()};
    titles.OpenDvdFolder();
    refusesWhileBusy("DVD rows");

    click(2);
    cb_audio.SetItemIndex(0);
    titles.cb_audioChange(0);
    titles.ToggleTitleChapterView();
    EXPECT_TRUE(disc.chapterView);
    EXPECT_EQ(captions(), (QStringList{"Title_01", "  Chapter_01", "Title_03", "  Chapter_01", "Title_05",
                                       "  Chapter_01"}));
    EXPECT_EQ(list.selectedRows(), QVector<int>{2});
    EXPECT_EQ(disc.PreviewRow, 2);
    EXPECT_EQ(disc.ChapterChecks, (QVector<uint8_t>(6, 1)));

    list.setChecked(0, false);
    click(5);
    EXPECT_EQ(cb_audio.Items(), QStringList{"AC3 de 6ch 48kHz "});
    EXPECT_EQ(cb_subtitle.Items(), QStringList{"No Subtitle"});
    titles.ToggleTitleChapterView();
    titles.ToggleTitleChapterView();
    EXPECT_EQ(list.checkedRows(), (QVector<int>{1, 2, 3, 4, 5}));
}

TEST_F(DvdCommands, RowClickShowsTimesAndOffersNoStreamsForFileRows)
{
    addFileRows();
    list.clipRanges()[1] = {0, 0, 10, 75, 0};
    list.originalInfo()[1].duration = "00:02:00";
    cb_audio.SetItems({"kept", "other"});

    engine.previewing = true;
    click(1);
    EXPECT_TRUE(skinTexts.isEmpty());
    EXPECT_TRUE(log.isEmpty());
    engine.previewing = false;

    click(1);
    EXPECT_EQ(skinTexts["alltime"], "00:02:00");
    EXPECT_EQ(skinTexts["begin_time"], "00:00:10");
    EXPECT_EQ(skinTexts["End_time"], "00:01:15");
    EXPECT_EQ(disc.PreviewRow, 1);
    EXPECT_TRUE(cb_audio.Items().isEmpty()) << "a DVD's streams are not offered for a file row";
    EXPECT_TRUE(cb_subtitle.Items().isEmpty());
    EXPECT_FALSE(disc.titleChecksMade);
    titles.cb_audioChange(1);
    EXPECT_EQ(disc.AudioChoice[1], 0);

    log.clear();
    list.selectOnly(-1);
    titles.lvClick();
    EXPECT_EQ(log, QStringList{"update"});
    EXPECT_EQ(skinTexts["alltime"], "00:02:00") << "rows are left: the times stay";

    // An emptied list shows no times of the rows it had.
    list.clear();
    titles.lvClick();
    for (const char *object : {"alltime", "begin_time", "End_time"})
        EXPECT_EQ(skinTexts[object], "00:00:00") << object;
}

TEST_F(DvdCommands, EachRowKeepsItsOwnStreamChoice)
{
    makeSet("VIDEO_TS/VTS_01_0.IFO",
            {oneCell(30, 0, 5000), oneCell(40, 5000, 10000), oneCell(50, 10000, 15000), oneCell(60, 15000, 30000)},
            {"AC3 en (0x80)", "DTS fr (0x89)", "no parenthesis"}, {"en (0x20)", "de (0x21)"});
    dialogs.folderChoices = {root.path()};
    titles.OpenDvdFolder();
    ASSERT_EQ(list.rowCount(), 4);

    click(3);
    EXPECT_EQ(cb_audio.Items(), (QStringList{"AC3 en ", "DTS fr ", ""}));
    cb_audio.SetItemIndex(1);
    titles.cb_audioChange(1);
    cb_subtitle.SetItemIndex(2);
    titles.cb_subtitleChange(2);
    EXPECT_EQ(list.convertInfo().at(3).audioId, "0x89");
    EXPECT_EQ(list.convertInfo().at(3).subtitleId, "0x21");

    click(0);
    EXPECT_EQ(cb_audio.ItemIndex(), 0);
    EXPECT_EQ(cb_subtitle.ItemIndex(), 0);
    titles.cb_audioChange(2);
    EXPECT_EQ(list.convertInfo().at(0).audioId, "0");
    titles.cb_audioChange(3); // past what the list offers
    EXPECT_EQ(disc.AudioChoice[0], 2);
    EXPECT_EQ(list.convertInfo().at(0).audioId, "0");

    click(3);
    EXPECT_EQ(cb_audio.ItemIndex(), 1);
    EXPECT_EQ(cb_subtitle.ItemIndex(), 2);
    titles.cb_subtitleChange(0);
    EXPECT_EQ(list.convertInfo().at(3).subtitleId, "0");
    EXPECT_EQ(disc.SubtitleChoice[3], 0);
    EXPECT_EQ(list.convertInfo().at(3).audioId, "0x89");
}

TEST_F(DvdCommands, RowsAndStreamsBeyondTheTablesStoreNothing)
{
    // Chapter view: a title row and a chapter row per chain, and no chain limit.
    disc.chapterView = true;
    std::vector<Chain> chains;
    for (int i = 0; i < 260; ++i)
        chains.push_back(oneCell(30, i * 2000, i * 2000 + 1500));
    QStringList audio, subPictures;
    for (int i = 0; i < 150; ++i) {
        audio << QString("AC3 a%1 (0x%2)").arg(i).arg(i, 2, 16, QLatin1Char('0'));
        subPictures << QString("s%1 (0x%2)").arg(i).arg(i, 2, 16, QLatin1Char('0'));
    }
    makeSet("VIDEO_TS/VTS_01_0.IFO", chains, audio, subPictures);
    dialogs.folderChoices = {root.path()};
    titles.OpenDvdFolder();
    ASSERT_EQ(list.rowCount(), 520);
    EXPECT_EQ(cb_audio.Count(), DiscState::kDescTableSize);
    EXPECT_EQ(cb_subtitle.Count(), DiscState::kDescTableSize + 1);

    click(500);
    titles.cb_subtitleChange(101);
    EXPECT_EQ(list.convertInfo().at(500).subtitleId, "0x64");
    titles.cb_audioChange(101);
    EXPECT_EQ(disc.AudioChoice[500], 0);

    click(510);
    titles.cb_audioChange(3);
    titles.cb_subtitleChange(3);
    EXPECT_EQ(list.convertInfo().at(510).audioId, "0x00");
    EXPECT_EQ(list.convertInfo().at(510).subtitleId, "0");
    click(510);
    EXPECT_EQ(cb_audio.ItemIndex(), 0);
    EXPECT_EQ(cb_subtitle.ItemIndex(), 0);
}

} // namespace

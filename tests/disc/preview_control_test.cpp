// The preview's control over recording players: starting and stopping, the
// two clocks, the play bar, the 30-s steps, pause, and the worker's ends.

#include "disc/preview_control.h"

#include "engine/engine_state.h"
#include "engine/language_texts.h"
#include "engine/source_list.h"
#include "platform/dialogs/recording_dialogs.h"
#include "tests/disc/fake_players.h"
#include "tests/support/test_support.h"

#include <QCoreApplication>
#include <QHash>
#include <atomic>
#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using namespace fake_players;
using ravenmoor::test::waitUntil;

QCoreApplication &App()
{
    static int argc = 1;
    static char name[] = "preview_control_test";
    static char *argv[] = {name, nullptr};
    static auto *app = new QCoreApplication(argc, argv);
    return *app;
}

QString Line(int n)
{
    return *ReadLanguageInfoLine(ravenmoor::test::sourceDir() + "/data/language.info", n);
}

class Preview : public testing::Test {
protected:
    Preview()
        : texts(ravenmoor::test::sourceDir() + "/data/language.info",
                [](const QString &, const QString &, const QString &def) { return def; },
                [this] { return engine.converting; })
    {
        App();
        auto file = std::make_unique<FakeFilePlayer>();
        auto dvd = std::make_unique<FakeDvdPlayer>();
        filePlayer = file.get();
        dvdPlayer = dvd.get();
        preview = std::make_unique<PreviewControl>(disc, engine, list, texts, dialogs, std::move(file), std::move(dvd),
                                                   hooks());
    }
    ~Preview() override
    {
        preview.reset();
    }

    PreviewHooks hooks()
    {
        PreviewHooks h;
        h.updateControlStates = [this] { ++controlUpdates; };
        h.showPreviewPanel = [this](bool visible) { panelShown = visible; };
        h.previewWindow = [] { return PreviewWindow{77, 230, 173}; };
        h.playTimeText = [this] { return playTime; };
        h.setPlayTime = [this](const QString &text) { playTime = text; };
        h.playBarSlider = [this] { return slider; };
        h.setPlayBarSlider = [this](int p) { slider = p; };
        h.showPlayBar = [this](bool visible) { playBarShown = visible; };
        h.setPlayBarPosition = [this](int p) { barPositions << p; };
        h.playBarDragging = [this] { return dragging; };
        h.endPlayBarDrag = [this] { dragging = false; };
        h.setButtonEnabled = [this](const QString &button, bool enabled) {
            buttons << button + (enabled ? " on" : " off");
        };
        h.showPlayHint = [this] { ++hints; };
        return h;
    }

    // File rows with their duration texts.
    void addFiles(std::initializer_list<std::pair<const char *, const char *>> rows)
    {
        for (const auto &[name, duration] : rows) {
            SourceRow row;
            row.caption = name;
            row.subItems[SourceRow::OriginalTime] = duration;
            list.appendRow(row);
        }
        list.sizeArraysToRows();
        for (int i = 0; i < list.rowCount(); ++i)
            list.originalInfo()[i].path = "/media/" + list.row(i).caption;
        engine.sourceMode = SourceMode::FileRows;
    }
    // DVD rows of title set 1 with their lengths in seconds.
    void addTitles(std::initializer_list<int> lengths)
    {
        int start = 0;
        for (int length : lengths) {
            SourceRow row;
            row.caption = QString("Title_%1").arg(list.rowCount() + 1, 2, 10, QChar('0'));
            list.appendRow(row);
            list.sizeArraysToRows(true);
            TConvertInfo &info = list.convertInfo().last();
            info.audioId = "0x81";
            info.subtitleId = "0x20";
            info.startSector = start;
            info.endSector = start + length * 100 - 1;
            info.ifoPath = "/discs/A Film/VIDEO_TS/VTS_01_0.IFO";
            info.length = length;
            info.endSeconds = length;
            list.clipRanges().last() = {info.startSector, info.endSector, 0, length, 1};
            start += length * 100;
        }
        engine.sourceMode = SourceMode::DvdRows;
    }
    QString status(int row) const { return list.row(row).subItems[SourceRow::Status]; }

    void startFile(int row = 0)
    {
        list.selectOnly(row);
        preview->StartFilePreview();
        ASSERT_TRUE(waitUntil([&] { return filePlayer->loop.playing(); }, 2000));
    }
    void startDvd(int row = 0)
    {
        list.selectOnly(row);
        preview->StartDvdPreview();
        ASSERT_TRUE(waitUntil([&] { return dvdPlayer->loop.playing(); }, 2000));
    }
    // A stamp from the player's thread and its way to the window.
    void stamp(double value)
    {
        filePlayer->stamp(value);
        ASSERT_TRUE(waitUntil([&] { return preview->PreviewStamp() == value && preview->BluRayplay_time().isActive(); },
                              2000));
    }
    void dvdEvent()
    {
        dvdPlayer->started();
        ASSERT_TRUE(waitUntil([&] { return preview->play_time().isActive(); }, 2000));
    }
    // Lets posted work arrive.
    void settle() { waitUntil([] { return false; }, 50); }

    DiscState disc;
    EngineState engine;
    SourceList list;
    LanguageTexts texts;
    RecordingDialogs dialogs;
    FakeFilePlayer *filePlayer = nullptr;
    FakeDvdPlayer *dvdPlayer = nullptr;
    std::unique_ptr<PreviewControl> preview;

    int controlUpdates = 0;
    bool panelShown = false;
    QString playTime = "00:00:00";
    int slider = 0;
    bool playBarShown = false;
    QList<int> barPositions;
    bool dragging = false;
    QStringList buttons;
    int hints = 0;
};

TEST_F(Preview, AFileRowPlaysFromItsFirstPositiveStampAndItsClockStopsItAtItsLength)
{
    addFiles({{"a.mp4", "00:00:10"}, {"b.mp4", "00:00:20"}});
    list.selectOnly(1);
    preview->StartFilePreview();
    ASSERT_TRUE(waitUntil([&] { return filePlayer->loop.playing(); }, 2000));
    EXPECT_TRUE(engine.previewing);
    EXPECT_TRUE(panelShown);
    EXPECT_EQ(disc.PreviewRow, 1);
    EXPECT_EQ(status(1), "Play");
    EXPECT_EQ(hints, 1);
    EXPECT_EQ(disc.PlayAddress, "/media/b.mp4");
    EXPECT_EQ(filePlayer->log.take(), (QStringList{"Init 77 230x173", "Play /media/b.mp4 from 0"}));
    EXPECT_FALSE(preview->BluRayplay_time().isActive()) << "the clock waits for the player";

    // The stream's own start time does not count: the first positive stamp is
    // the base, though the clock's first tick comes a second of play later.
    filePlayer->stamp(0.0);
    stamp(10.4);
    EXPECT_TRUE(playBarShown);
    stamp(11.3);
    preview->BluRayplay_timeTimer();
    EXPECT_EQ(disc.PreviewBase, 10);
    EXPECT_EQ(playTime, "00:00:01");
    stamp(13.6);
    preview->BluRayplay_timeTimer();
    EXPECT_EQ(disc.PreviewPosition, 4);
    EXPECT_EQ(playTime, "00:00:04");
    EXPECT_EQ(slider, 2000);
    EXPECT_EQ(barPositions.last(), 2000);

    // While the bar is dragged the position is counted but not shown.
    dragging = true;
    stamp(16.0);
    preview->BluRayplay_timeTimer();
    EXPECT_EQ(disc.PreviewPosition, 6);
    EXPECT_EQ(playTime, "00:00:04");
    dragging = false;

    stamp(30.2);
    preview->BluRayplay_timeTimer();
    EXPECT_FALSE(engine.previewing) << "stopped at the row's length";
    EXPECT_FALSE(preview->BluRayplay_time().isActive());
    EXPECT_EQ(playTime, "00:00:00");
    EXPECT_EQ(slider, 0);
    EXPECT_FALSE(playBarShown);
    EXPECT_FALSE(panelShown);
    EXPECT_EQ(status(1), "Stop");
    EXPECT_FALSE(preview->workerRunning()) << "the worker is joined";
    EXPECT_EQ(filePlayer->log.take(), QStringList{"Stop"});
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(Preview, AFileOfUnknownLengthIsEndedByItsPlayerNotByTheClock)
{
    addFiles({{"a.mp4", "N/A"}});
    startFile();
    stamp(0.5);
    preview->BluRayplay_timeTimer();
    stamp(42.0);
    preview->BluRayplay_timeTimer();
    EXPECT_TRUE(engine.previewing);
    EXPECT_EQ(playTime, "00:00:41");
    EXPECT_EQ(slider, 0);

    filePlayer->loop.finish();
    ASSERT_TRUE(waitUntil([&] { return !engine.previewing; }, 2000)) << "the end of Play ends the preview";
    EXPECT_EQ(status(0), "Stop");
}

TEST_F(Preview, PlayBarAndStepsSeekAFilePreviewInTheStampsOfItsFirstStart)
{
    addFiles({{"a.mp4", "00:02:00"}});
    startFile();
    stamp(5.2);
    preview->BluRayplay_timeTimer();
    ASSERT_EQ(disc.PreviewBase, 5);
    filePlayer->log.take();

    slider = 5000;
    dragging = true;
    preview->Skin1MouseUp("play_bar");
    EXPECT_EQ(filePlayer->log.take(), QStringList{"Seek 65"}) << "half of 120 s, plus the base";
    EXPECT_EQ(barPositions.last(), 5000);
    EXPECT_FALSE(dragging);

    // Thirty seconds on: the file starts again there, the time base stays.
    stamp(65.0);
    preview->BluRayplay_timeTimer();
    ASSERT_EQ(playTime, "00:01:00");
    preview->SeekPreviewForward();
    ASSERT_TRUE(waitUntil([&] { return filePlayer->loop.playing(); }, 2000));
    EXPECT_EQ(filePlayer->log.take(), (QStringList{"Stop", "Init 77 230x173", "Play /media/a.mp4 from 95"}));
    EXPECT_EQ(buttons, (QStringList{"bt_next off", "bt_next on"}));
    EXPECT_TRUE(engine.previewing);
    EXPECT_EQ(playTime, "00:01:30") << "the new position shows at once";
    EXPECT_FALSE(preview->BluRayplay_time().isActive());
    settle();
    EXPECT_TRUE(engine.previewing) << "the old worker's end does not stop the new preview";

    stamp(95.0);
    preview->BluRayplay_timeTimer();
    EXPECT_EQ(playTime, "00:01:30");
    stamp(97.0);
    preview->BluRayplay_timeTimer();
    EXPECT_EQ(playTime, "00:01:32");
    slider = 2500;
    preview->Skin1MouseUp("play_bar");
    EXPECT_EQ(filePlayer->log.take(), QStringList{"Seek 35"}) << "the base of the first start, not of the restart";
    EXPECT_EQ(playTime, "00:00:30") << "the time shown follows the seek at once";
    EXPECT_EQ(disc.PreviewPosition, 30);
    stamp(97.0);
    preview->BluRayplay_timeTimer();
    ASSERT_EQ(playTime, "00:01:32");

    // Back thirty seconds, and the bounds of both steps.
    preview->SeekPreviewBack();
    ASSERT_TRUE(waitUntil([&] { return filePlayer->loop.playing(); }, 2000));
    EXPECT_EQ(filePlayer->log.take(), (QStringList{"Stop", "Init 77 230x173", "Play /media/a.mp4 from 67"}));
    EXPECT_EQ(playTime, "00:01:02");
    playTime = "00:01:30";
    preview->SeekPreviewForward();
    EXPECT_TRUE(filePlayer->log.take().isEmpty()) << "90 + 30 reaches the length of 120";
    playTime = "00:00:30";
    preview->SeekPreviewBack();
    EXPECT_TRUE(filePlayer->log.take().isEmpty());
    EXPECT_TRUE(engine.previewing);
}

TEST_F(Preview, PausingAFilePausesItsPlayerAndLeavesTheDvdClockAlone)
{
    addFiles({{"a.mp4", "00:01:00"}});
    startFile();
    stamp(1.0);
    stamp(2.6);
    filePlayer->log.take();
    preview->TogglePreviewPause();
    EXPECT_EQ(filePlayer->log.take(), QStringList{"Pause"});
    EXPECT_EQ(status(0), "Pause");
    EXPECT_EQ(disc.PreviewPaused, 1);
    EXPECT_FALSE(preview->play_time().isActive());
    EXPECT_FALSE(preview->BluRayplay_time().isActive()) << "the shown position stands still";
    EXPECT_EQ(playTime, "00:00:02") << "the position of the pause shows at once";
    preview->TogglePreviewPause();
    EXPECT_EQ(status(0), "Play");
    EXPECT_FALSE(preview->play_time().isActive());
    EXPECT_TRUE(preview->BluRayplay_time().isActive());

    // Paused at the very end: the position of the pause ends the preview, and the row says so.
    stamp(61.2);
    preview->TogglePreviewPause();
    EXPECT_FALSE(engine.previewing);
    EXPECT_EQ(status(0), "Stop");
    EXPECT_EQ(disc.PreviewPaused, 0);
}

TEST_F(Preview, AFileThePlayerCannotPlayEndsThePreviewWithItsReason)
{
    addFiles({{"broken.mp4", "00:00:10"}});
    filePlayer->loop.finish("broken.mp4: unrecognized file format");
    list.selectOnly(0);
    preview->StartFilePreview();
    ASSERT_TRUE(waitUntil([&] { return !engine.previewing; }, 2000));
    ASSERT_TRUE(waitUntil([&] { return !dialogs.shown.isEmpty(); }, 2000));
    EXPECT_TRUE(dialogs.shown.first().text.contains("broken.mp4: unrecognized file format"));
    EXPECT_EQ(status(0), "Stop");
    EXPECT_FALSE(panelShown);
}

TEST_F(Preview, StartsAreRefusedWhileConvertingAndIgnoredWhilePreviewing)
{
    addFiles({{"a.mp4", "00:00:10"}});
    engine.converting = true;
    preview->StartFilePreview();
    EXPECT_FALSE(engine.previewing);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown.first().text, Line(26));
    EXPECT_EQ(list.selectedRow(), 0) << "row 0 is selected first";

    engine.converting = false;
    startFile();
    preview->StartFilePreview();
    settle();
    EXPECT_EQ(filePlayer->log.calls().count("Play /media/a.mp4 from 0"), 1);
}

TEST_F(Preview, ADvdTitlePlaysItsRowAndItsClockCountsToItsLength)
{
    addTitles({12, 600});
    list.convertInfo()[1].audioId = "0x80";
    list.convertInfo()[1].leadSectors = 300;
    list.clipRanges()[1].startSector = 1700;
    list.selectOnly(-1);
    preview->StartDvdPreview();
    ASSERT_TRUE(waitUntil([&] { return dvdPlayer->loop.playing(); }, 2000));
    EXPECT_EQ(list.selectedRow(), 1) << "the longest title";
    EXPECT_EQ(status(1), "play");
    EXPECT_EQ(disc.PlayAddress, "vts://01*900*61199*0x80*0x20*/discs/A Film")
        << "the whole row from its first picture, not its cut";
    EXPECT_EQ(dvdPlayer->log.take(), (QStringList{"Init 77 230x173", "Play vts://01*900*61199*0x80*0x20*/discs/A Film"}));
    EXPECT_FALSE(preview->play_time().isActive());

    dvdEvent();
    EXPECT_TRUE(playBarShown);
    for (int tick = 1; tick < 600; ++tick) {
        preview->play_timeTimer();
        ASSERT_TRUE(engine.previewing) << tick;
    }
    EXPECT_EQ(playTime, "00:09:59");
    EXPECT_EQ(slider, 9983);
    preview->play_timeTimer();
    EXPECT_FALSE(engine.previewing);
    EXPECT_EQ(status(1), "Stop");
    EXPECT_EQ(playTime, "00:00:00");
    EXPECT_FALSE(preview->play_time().isActive());
    EXPECT_FALSE(preview->workerRunning());
    settle();
    EXPECT_EQ(dvdPlayer->log.take(), (QStringList{"Stop", "DestroyPreviewWindow"}));
}

TEST_F(Preview, ADvdPlayBarReleaseSeeksFromSecondOneAndAStoppedPlayerEndsThePreview)
{
    addTitles({24});
    startDvd();
    dvdEvent();
    dvdPlayer->log.take();

    slider = 0;
    dragging = true;
    preview->Skin1MouseUp("play_bar");
    EXPECT_EQ(dvdPlayer->log.take(), QStringList{"Seek 1"});
    EXPECT_EQ(disc.PreviewPosition, 1);
    EXPECT_FALSE(dragging);
    EXPECT_FALSE(preview->play_time().isActive()) << "until the player's next event";

    // Without the clock on, a release seeks nothing.
    slider = 5000;
    preview->Skin1MouseUp("play_bar");
    EXPECT_TRUE(dvdPlayer->log.take().isEmpty());
    dvdEvent();
    preview->Skin1MouseUp("play_bar");
    EXPECT_EQ(dvdPlayer->log.take(), QStringList{"Seek 12"});
    EXPECT_EQ(barPositions.last(), 5000);

    // A release on the cut bar only ends the drag.
    dvdEvent();
    dragging = true;
    preview->Skin1MouseUp("cut_play_bar");
    EXPECT_FALSE(dragging);
    EXPECT_TRUE(dvdPlayer->log.take().isEmpty());
    EXPECT_TRUE(preview->play_time().isActive());

    // A failed seek ends the preview.
    dvdPlayer->seekResult = -1;
    preview->Skin1MouseUp("play_bar");
    EXPECT_FALSE(engine.previewing);

    // So does the sector the player gives once its Play has returned.
    dvdPlayer->seekResult = 0;
    startDvd();
    dvdEvent();
    dvdPlayer->loop.finish();
    ASSERT_TRUE(waitUntil([&] { return status(0) == "Stop"; }, 2000));
    EXPECT_TRUE(engine.previewing) << "the clock ends it";
    preview->play_timeTimer();
    EXPECT_FALSE(engine.previewing);
}

TEST_F(Preview, ADvdPlayThatReturnsWithoutAnyEventEndsThePreview)
{
    addTitles({24});
    dvdPlayer->loop.finish();
    list.selectOnly(0);
    preview->StartDvdPreview();
    ASSERT_TRUE(waitUntil([&] { return !engine.previewing; }, 2000)) << "no clock would ever end it";
    EXPECT_EQ(status(0), "Stop");
    EXPECT_TRUE(dialogs.shown.isEmpty());

    // One that could not read its sectors says so.
    dvdPlayer->loop.finish("The sectors 0 to 63 of title set 1 cannot be read.");
    preview->StartDvdPreview();
    ASSERT_TRUE(waitUntil([&] { return !dialogs.shown.isEmpty(); }, 2000));
    EXPECT_FALSE(engine.previewing);
    EXPECT_TRUE(dialogs.shown.first().text.contains("The sectors 0 to 63"));
}

TEST_F(Preview, DvdStepsKeepToTheRowAndAFailedStepEndsThePreview)
{
    addTitles({120});
    startDvd();
    dvdEvent();
    dvdPlayer->log.take();

    playTime = "00:00:30";
    preview->SeekPreviewBack();
    EXPECT_TRUE(dvdPlayer->log.take().isEmpty());
    EXPECT_TRUE(preview->play_time().isActive());
    playTime = "00:00:31";
    preview->SeekPreviewBack();
    EXPECT_EQ(dvdPlayer->log.take(), QStringList{"Seek 1"});
    EXPECT_EQ(disc.PreviewPosition, 1);
    EXPECT_FALSE(preview->play_time().isActive());

    dvdEvent();
    playTime = "00:01:30";
    preview->SeekPreviewForward();
    EXPECT_TRUE(dvdPlayer->log.take().isEmpty()) << "90 + 30 reaches the length";
    playTime = "00:01:29";
    preview->SeekPreviewForward();
    EXPECT_EQ(dvdPlayer->log.take(), QStringList{"Seek 119"});
    EXPECT_EQ(buttons, (QStringList{"bt_back off", "bt_back on", "bt_back off", "bt_back on", "bt_next off",
                                    "bt_next on", "bt_next off", "bt_next on"}));

    buttons.clear();
    dvdPlayer->seekResult = -1;
    playTime = "00:00:40";
    preview->SeekPreviewBack();
    EXPECT_FALSE(engine.previewing);
    EXPECT_EQ(buttons, QStringList{"bt_back off"}) << "the control states keep it off after the stop";

    buttons.clear();
    preview->SeekPreviewBack();
    EXPECT_TRUE(buttons.isEmpty()) << "nothing without a preview";
}

// The DVD position counts the clock's ticks: a clock started again by a later
// player event or by a resume would drop the part of a second already played,
// and the time shown would fall behind the picture by that much each time.
TEST_F(Preview, TheDvdClockKeepsItsBeatThroughLaterEventsAndPauses)
{
    addTitles({60});
    startDvd();
    dvdEvent();
    waitUntil([] { return false; }, 600);
    dvdPlayer->started();
    settle();
    ASSERT_TRUE(preview->play_time().isActive());
    EXPECT_LT(preview->play_time().remainingTime(), 550) << "a second event does not start the second again";

    waitUntil([&] { return disc.PreviewPosition == 1; }, 2000);
    waitUntil([] { return false; }, 600);
    preview->TogglePreviewPause();
    waitUntil([] { return false; }, 300);
    preview->TogglePreviewPause();
    ASSERT_TRUE(preview->play_time().isActive());
    EXPECT_LT(preview->play_time().remainingTime(), 550) << "the resumed second goes on where the pause held it";
    EXPECT_TRUE(waitUntil([&] { return disc.PreviewPosition == 2; }, 700));
    EXPECT_EQ(preview->play_time().interval(), 1000) << "the seconds after it are whole again";
}

TEST_F(Preview, PlayResumesAPausedDvdAndAStoppedPauseIsForgotten)
{
    addTitles({60});
    startDvd();
    dvdEvent();
    dvdPlayer->log.take();

    preview->TogglePreviewPause();
    EXPECT_EQ(status(0), "Pause");
    EXPECT_FALSE(preview->play_time().isActive());
    // An event that was on its way when the pause came does not start the clock.
    dvdPlayer->started();
    settle();
    EXPECT_FALSE(preview->play_time().isActive());

    preview->StartDvdPreview();
    EXPECT_EQ(dvdPlayer->log.take(), (QStringList{"Pause", "Pause"})) << "paused, then resumed by Play";
    EXPECT_EQ(status(0), "Play");
    EXPECT_TRUE(preview->play_time().isActive());
    preview->StartDvdPreview();
    EXPECT_TRUE(dvdPlayer->log.take().isEmpty()) << "Play on a running preview does nothing";

    preview->TogglePreviewPause();
    preview->StopPreview();
    EXPECT_EQ(disc.PreviewPaused, 0);
    settle();
    dvdPlayer->log.take();
    startDvd();
    EXPECT_FALSE(dvdPlayer->log.calls().contains("Pause")) << "a new preview starts unpaused";
    preview->TogglePreviewPause();
    EXPECT_EQ(status(0), "Pause");
}

TEST_F(Preview, EventsOfAnEndedPreviewStartNoClock)
{
    addTitles({60});
    startDvd();
    const auto oldEvent = dvdPlayer->event;
    preview->StopPreview();
    oldEvent();
    settle();
    EXPECT_FALSE(preview->play_time().isActive());
    EXPECT_FALSE(playBarShown);

    preview->Timer1Timer();
    EXPECT_FALSE(preview->Timer1().isActive());
    EXPECT_FALSE(engine.previewing);
}

TEST_F(Preview, GoingAwayStopsThePlayerAndJoinsItsWorker)
{
    addFiles({{"a.mp4", "00:10:00"}});
    std::atomic<bool> returned{false};
    filePlayer->onPlayReturn = [&] { returned = true; };
    startFile();
    preview.reset();
    EXPECT_TRUE(returned) << "Play had ended before the control was gone";
}

} // namespace

#include "main/skin/skin_dispatch.h"

#include <QHash>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Records every act; answers the facts from its fields.
struct RecordingWindow : SkinCommands {
    bool previewing = false, isConverting = false, chapter = false, hintShowing = false, editFocus = false;
    QString exeName = "ravenmoor";
    QHash<QString, QPoint> offsets; // sections with their own offset
    QStringList log;

    bool previewRunning() const override { return previewing; }
    bool converting() const override { return isConverting; }
    bool chapterView() const override { return chapter; }
    bool hintWindowShowing() const override { return hintShowing; }
    bool outputEditHasFocus() const override { return editFocus; }
    QString executableName() const override { return exeName; }
    QPoint popupOffset(const QString &section) const override { return offsets.value(section, QPoint(6, 64)); }

    void HidePreviewPanel() override { log << "HidePreviewPanel"; }
    void BringHintWindowToFront() override { log << "BringHintWindowToFront"; }
    void SetPickerVisible(bool v) override { log << QString("SetPickerVisible(%1)").arg(v); }
    void CommitOutputEdit() override { log << "CommitOutputEdit"; }
    void ArmPlayBarDrag() override { log << "ArmPlayBarDrag"; }
    void CloseMainWindow() override { log << "CloseMainWindow"; }
    void PopupMenu(PopupMenuId menu, QPoint at) override
    {
        log << QString("PopupMenu(%1,%2,%3)").arg(int(menu)).arg(at.x()).arg(at.y());
    }
    void WarnLine(int line) override { log << QString("WarnLine(%1)").arg(line); }
    void ShowHintLine(int line) override { log << QString("ShowHintLine(%1)").arg(line); }
    void StopPreview() override { log << "StopPreview"; }
    void TogglePreviewPause() override { log << "TogglePreviewPause"; }
    void SeekPreviewBack() override { log << "SeekPreviewBack"; }
    void SeekPreviewForward() override { log << "SeekPreviewForward"; }
    void ShowProfilePicker() override { log << "ShowProfilePicker"; }
    void AddFilesDialog() override { log << "AddFilesDialog"; }
    void ToggleTitleChapterView() override { log << "ToggleTitleChapterView"; }
    void AddIfoFiles() override { log << "AddIfoFiles"; }
    void OpenDvdFolder() override { log << "OpenDvdFolder"; }
    void AddSourceFolder() override { log << "AddSourceFolder"; }
    void StartConversion() override { log << "StartConversion"; }
    void RemoveSelectedSources() override { log << "RemoveSelectedSources"; }
    void ClearSourceList() override { log << "ClearSourceList"; }
    void StopConversion() override { log << "StopConversion"; }
    void BrowseOutputFolder() override { log << "BrowseOutputFolder"; }
    void OpenOutputFolder() override { log << "OpenOutputFolder"; }
};

QString Popup(PopupMenuId menu, int x, int y)
{
    return QString("PopupMenu(%1,%2,%3)").arg(int(menu)).arg(x).arg(y);
}

struct ClickCase {
    const char *name;
    QStringList acts; // after the preview panel is hidden (no preview runs)
};

class ClickTable : public testing::TestWithParam<ClickCase> {};

TEST_P(ClickTable, NameRunsItsCommand)
{
    RecordingWindow w;
    w.offsets["Tools"] = QPoint(30, 90);
    w.offsets["Edit"] = QPoint(100, 40);
    Skin1Click(GetParam().name, w);
    EXPECT_EQ(w.log, QStringList{"HidePreviewPanel"} + GetParam().acts) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, ClickTable,
    testing::Values(ClickCase{"mainclose", {"CloseMainWindow"}}, ClickCase{"cutclose", {"StopPreview"}},
                    ClickCase{"profiles", {"ShowProfilePicker"}}, ClickCase{"openfiles", {"AddFilesDialog"}},
                    ClickCase{"chapter", {"ToggleTitleChapterView"}}, ClickCase{"ifoopen", {"AddIfoFiles"}},
                    ClickCase{"dvdopen", {"OpenDvdFolder"}}, ClickCase{"openfolder", {"AddSourceFolder"}},
                    ClickCase{"converter", {"StartConversion"}}, ClickCase{"remove", {"RemoveSelectedSources"}},
                    ClickCase{"clear", {"ClearSourceList"}}, ClickCase{"stopconverter", {"StopConversion"}},
                    ClickCase{"browse", {"BrowseOutputFolder"}}, ClickCase{"open", {"OpenOutputFolder"}},
                    ClickCase{"help", {Popup(PopupMenuId::zm_pop_help, 6, 64)}},
                    ClickCase{"file", {Popup(PopupMenuId::zm_popup_file, 6, 64)}},
                    ClickCase{"dvdfile", {Popup(PopupMenuId::pop_dvd, 16, 70)}},
                    ClickCase{"register", {Popup(PopupMenuId::zm_pop_tools, 30, 90)}},
                    ClickCase{"settings", {Popup(PopupMenuId::zm_pop_edit, 100, 40)}},
                    ClickCase{"purchase", {Popup(PopupMenuId::zm_pop_actions, 6, 64)}},
                    ClickCase{"stop", {"StopPreview"}}, ClickCase{"pause", {"TogglePreviewPause"}},
                    ClickCase{"hou", {"SeekPreviewBack"}}, ClickCase{"qian", {"SeekPreviewForward"}},
                    ClickCase{"play", {}}, ClickCase{"begin", {}}, ClickCase{"end", {}}, ClickCase{"cutter", {}},
                    // Names compare exactly.
                    ClickCase{"Converter", {}}, ClickCase{"converter ", {}}, ClickCase{"", {}},
                    ClickCase{"stopplay", {}}));

TEST(SkinClick, MainCloseStopsARunningPreviewFirst)
{
    RecordingWindow w;
    w.previewing = true;
    Skin1Click("mainclose", w);
    EXPECT_EQ(w.log, (QStringList{"StopPreview", "CloseMainWindow"}));
}

TEST(SkinClick, ShowingHintWindowTakesEveryClick)
{
    for (const SkinClickRow &row : SkinClickTable()) {
        RecordingWindow w;
        w.hintShowing = true;
        w.previewing = true;
        Skin1Click(row.name, w);
        EXPECT_EQ(w.log, QStringList{"BringHintWindowToFront"}) << row.name;
    }
}

TEST(SkinClick, CutterRefusesByPreviewThenConversionThenChapterView)
{
    const struct {
        bool previewing, converting, chapter;
        QStringList acts;
    } cases[] = {
        {true, true, true, {"WarnLine(27)"}},
        {false, true, true, {"HidePreviewPanel", "WarnLine(26)"}},
        {false, false, true, {"HidePreviewPanel", "WarnLine(28)"}},
        {false, false, false, {"HidePreviewPanel"}},
    };
    for (const auto &c : cases) {
        RecordingWindow w;
        w.previewing = c.previewing;
        w.isConverting = c.converting;
        w.chapter = c.chapter;
        Skin1Click("cutter", w);
        EXPECT_EQ(w.log, c.acts);
    }
}

TEST(SkinClick, DvdFileMenuMovesForTheBrandEditionInAnyCase)
{
    EXPECT_EQ(DvdFilePopupOffset("ravenmoor"), QPoint(16, 70));
    EXPECT_EQ(DvdFilePopupOffset("QorvaDVD Ripper"), QPoint(85, 64));
    EXPECT_EQ(DvdFilePopupOffset("my-QORVA.exe"), QPoint(85, 64));
    EXPECT_EQ(DvdFilePopupOffset("qorv"), QPoint(16, 70));
}

TEST(SkinHint, TableLines)
{
    const struct {
        const char *name;
        int line;
    } lines[] = {{"profiles", 3},   {"profilestext", 3}, {"openfiles", 22},    {"chapter", 15},
                 {"ifoopen", 2},    {"dvdopen", 1},      {"openfolder", 21},   {"converter", 17},
                 {"stopconverter", 18}, {"open", 20},    {"play", 10},         {"stop", 12},
                 {"pause", 11},     {"cutter", 16},      {"play_bar", 13},     {"play_time", 14},
                 {"remove", 23},    {"browse", 19},      {"audio", 4},         {"subtitle", 5},
                 {"video_size", 6}, {"video_quality", 7}, {"audio_quality", 8}, {"channels", 9},
                 {"hint1", 25},     {"clear", 24}};
    for (const auto &l : lines) {
        RecordingWindow w;
        Skin1MouseMove(l.name, w);
        EXPECT_EQ(w.log, QStringList{QString("ShowHintLine(%1)").arg(l.line)}) << l.name;
    }
    for (const char *silent : {"mainclose", "hint", "Play", "begin", "stopplay"}) {
        RecordingWindow w;
        Skin1MouseMove(silent, w);
        EXPECT_TRUE(w.log.isEmpty()) << silent;
    }
}

// The preview stop button is the object "stop": its click stops the preview
// and its hint is the "Stop Play" line.
TEST(SkinHint, StopButtonShowsTheStopPlayLine)
{
    RecordingWindow w;
    Skin1MouseMove("stop", w);
    EXPECT_EQ(w.log, QStringList{"ShowHintLine(12)"});
    RecordingWindow clicked;
    Skin1Click("stop", clicked);
    EXPECT_EQ(clicked.log, (QStringList{"HidePreviewPanel", "StopPreview"}));
}

TEST(SkinMouseDown, ArmsTheDragOnlyOnThePlayBarsAndNotWhileConverting)
{
    const struct {
        const char *name;
        bool converting, editFocus;
        QStringList acts;
    } cases[] = {
        {"play_bar", false, false, {"SetPickerVisible(0)", "ArmPlayBarDrag"}},
        {"cut_play_bar", false, true, {"SetPickerVisible(0)", "CommitOutputEdit", "ArmPlayBarDrag"}},
        {"converter", false, true, {"SetPickerVisible(0)", "CommitOutputEdit"}},
        {"play_bar", true, true, {"SetPickerVisible(0)"}},
    };
    for (const auto &c : cases) {
        RecordingWindow w;
        w.isConverting = c.converting;
        w.editFocus = c.editFocus;
        Skin1MouseDown(c.name, w);
        EXPECT_EQ(w.log, c.acts) << c.name;
    }
}

ScrollTrackFacts Track(int position, SourceMode mode = SourceMode::FileRows)
{
    ScrollTrackFacts f;
    f.dragArmed = true;
    f.rowCount = 2;
    f.currentRow = 1;
    f.sliderPosition = position;
    f.mode = mode;
    f.rowDuration = "00:10:00";
    f.titleSeconds = 3600;
    return f;
}

TEST(SkinScrollTrack, FileRowShowsThePlaceInTheRowsDuration)
{
    const auto r = Skin1ScrollTrack("play_bar", Track(2500));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->barPosition, 2500);
    EXPECT_EQ(r->playTime, QString("00:02:30"));
}

TEST(SkinScrollTrack, DvdRowUsesTheTitleLengthEvenWhilePreviewing)
{
    ScrollTrackFacts f = Track(5001, SourceMode::DvdRows);
    f.previewing = true;
    const auto r = Skin1ScrollTrack("play_bar", f);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->playTime, QString("00:30:00")); // 5001 × 3600 / 10000 = 1800.36
}

TEST(SkinScrollTrack, FilePreviewMovesOnlyTheBar)
{
    ScrollTrackFacts f = Track(20000);
    f.previewing = true;
    const auto r = Skin1ScrollTrack("play_bar", f);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->barPosition, 10000);
    EXPECT_FALSE(r->playTime);
}

TEST(SkinScrollTrack, ChangesNothingWithoutARowOrWithoutTheDrag)
{
    ScrollTrackFacts empty = Track(100);
    empty.rowCount = 0;
    empty.currentRow = -1;
    EXPECT_FALSE(Skin1ScrollTrack("play_bar", empty));
    ScrollTrackFacts noCurrent = Track(100);
    noCurrent.currentRow = -1;
    EXPECT_FALSE(Skin1ScrollTrack("play_bar", noCurrent));
    ScrollTrackFacts notArmed = Track(100);
    notArmed.dragArmed = false;
    EXPECT_FALSE(Skin1ScrollTrack("play_bar", notArmed));
    EXPECT_FALSE(Skin1ScrollTrack("cut_play_bar", Track(100)));
}

TEST(SkinScrollTrack, UnreadableDurationShowsZero)
{
    ScrollTrackFacts f = Track(9000);
    f.rowDuration = "N/A";
    EXPECT_EQ(Skin1ScrollTrack("play_bar", f)->playTime, QString("00:00:00"));
}

} // namespace

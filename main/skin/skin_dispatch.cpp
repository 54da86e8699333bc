#include "main/skin/skin_dispatch.h"

#include "engine/text_helpers.h"

#include <algorithm>

namespace {

using C = SkinCommands;

QPoint Offset(const C &c, const char *section)
{
    return c.popupOffset(QLatin1String(section));
}

// First equal name wins; names are compared exactly.
constexpr SkinClickRow kClicks[] = {
    {"mainclose",
     [](C &c) {
         if (c.previewRunning())
             c.StopPreview();
         c.CloseMainWindow();
     }},
    {"cutclose", [](C &c) { c.StopPreview(); }},
    {"profiles", [](C &c) { c.ShowProfilePicker(); }},
    {"openfiles", [](C &c) { c.AddFilesDialog(); }},
    {"chapter", [](C &c) { c.ToggleTitleChapterView(); }},
    {"ifoopen", [](C &c) { c.AddIfoFiles(); }},
    {"dvdopen", [](C &c) { c.OpenDvdFolder(); }},
    {"openfolder", [](C &c) { c.AddSourceFolder(); }},
    {"converter", [](C &c) { c.StartConversion(); }},
    {"remove", [](C &c) { c.RemoveSelectedSources(); }},
    {"clear", [](C &c) { c.ClearSourceList(); }},
    {"stopconverter", [](C &c) { c.StopConversion(); }},
    {"browse", [](C &c) { c.BrowseOutputFolder(); }},
    {"open", [](C &c) { c.OpenOutputFolder(); }},
    {"help", [](C &c) { c.PopupMenu(PopupMenuId::zm_pop_help, Offset(c, "help")); }},
    {"file", [](C &c) { c.PopupMenu(PopupMenuId::zm_popup_file, Offset(c, "file")); }},
    {"dvdfile", [](C &c) { c.PopupMenu(PopupMenuId::pop_dvd, DvdFilePopupOffset(c.executableName())); }},
    {"register", [](C &c) { c.PopupMenu(PopupMenuId::zm_pop_tools, Offset(c, "Tools")); }},
    {"play", nullptr},
    {"stop", [](C &c) { c.StopPreview(); }},
    {"pause", [](C &c) { c.TogglePreviewPause(); }},
    {"settings", [](C &c) { c.PopupMenu(PopupMenuId::zm_pop_edit, Offset(c, "Edit")); }},
    {"cutter",
     [](C &c) {
         if (const auto line = CutterRefusalLine(c.previewRunning(), c.converting(), c.chapterView()))
             c.WarnLine(*line);
     }},
    {"purchase", [](C &c) { c.PopupMenu(PopupMenuId::zm_pop_actions, Offset(c, "actions")); }},
    {"begin", nullptr},
    {"end", nullptr},
    {"hou", [](C &c) { c.SeekPreviewBack(); }},
    {"qian", [](C &c) { c.SeekPreviewForward(); }},
};

// The preview stop button is one object, "stop", for its click and its
// "Stop Play" hint alike.
constexpr SkinHintRow kHints[] = {
    {"profiles", 3},       {"profilestext", 3},  {"openfiles", 22},     {"chapter", 15},
    {"ifoopen", 2},        {"dvdopen", 1},       {"openfolder", 21},    {"converter", 17},
    {"stopconverter", 18}, {"open", 20},         {"play", 10},
    {"stop", 12},          {"pause", 11},        {"cutter", 16},        {"play_bar", 13},
    {"play_time", 14},     {"remove", 23},       {"browse", 19},        {"audio", 4},
    {"subtitle", 5},       {"video_size", 6},    {"video_quality", 7},  {"audio_quality", 8},
    {"channels", 9},       {"hint1", 25},        {"clear", 24},
};

const QString kPlayBar = QStringLiteral("play_bar");
const QString kCutPlayBar = QStringLiteral("cut_play_bar");

} // namespace

std::span<const SkinClickRow> SkinClickTable()
{
    return kClicks;
}

std::span<const SkinHintRow> SkinHintTable()
{
    return kHints;
}

std::optional<int> SkinHintLine(const QString &name)
{
    for (const SkinHintRow &row : SkinHintTable())
        if (name == QLatin1String(row.name))
            return row.line;
    return std::nullopt;
}

QPoint DvdFilePopupOffset(const QString &executableName)
{
    return executableName.toLower().contains(QLatin1String("qorva")) ? QPoint(85, 64) : QPoint(16, 70);
}

std::optional<int> CutterRefusalLine(bool previewing, bool converting, bool chapterView)
{
    if (previewing)
        return 27;
    if (converting)
        return 26;
    if (chapterView)
        return 28;
    return std::nullopt;
}

void Skin1Click(const QString &name, SkinCommands &window)
{
    if (!window.previewRunning())
        window.HidePreviewPanel();
    if (window.hintWindowShowing()) {
        window.BringHintWindowToFront();
        return;
    }
    for (const SkinClickRow &row : kClicks) {
        if (name != QLatin1String(row.name))
            continue;
        if (row.action)
            row.action(window);
        return;
    }
}

void Skin1MouseDown(const QString &name, SkinCommands &window)
{
    window.SetPickerVisible(false);
    if (window.converting())
        return;
    if (window.outputEditHasFocus())
        window.CommitOutputEdit();
    if (name == kPlayBar || name == kCutPlayBar)
        window.ArmPlayBarDrag();
}

void Skin1MouseMove(const QString &name, SkinCommands &window)
{
    if (const auto line = SkinHintLine(name))
        window.ShowHintLine(*line);
}

std::optional<ScrollTrackResult> Skin1ScrollTrack(const QString &name, const ScrollTrackFacts &facts)
{
    if (!facts.dragArmed || name != kPlayBar || facts.rowCount == 0 || facts.currentRow < 0)
        return std::nullopt;
    ScrollTrackResult result;
    result.barPosition = std::min(facts.sliderPosition, 10000);
    if (facts.mode == SourceMode::FileRows) {
        if (!facts.previewing)
            result.playTime = SecondsToHms(MulDiv(result.barPosition, HmsToSeconds(facts.rowDuration), 10000));
    } else {
        result.playTime = SecondsToHms(MulDiv(result.barPosition, int32_t(facts.titleSeconds), 10000));
    }
    return result;
}

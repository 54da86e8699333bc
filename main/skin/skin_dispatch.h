#pragma once

// The main window's answers to events on its skin objects, by the object's
// name: the click table, the hint table, the press that arms the play-bar
// drag, and the play-bar drag itself. Everything the handlers ask of the
// window goes through SkinCommands, so the tables run without widgets.

#include "engine/engine_state.h"

#include <QPoint>
#include <QString>
#include <optional>
#include <span>

// The popup menus of the main window: the six a skin object opens, and
// pop_file and pop_help, which nothing opens.
enum class PopupMenuId { zm_popup_file, zm_pop_edit, zm_pop_actions, zm_pop_tools, zm_pop_help, pop_dvd, pop_file, pop_help };

class SkinCommands {
public:
    virtual ~SkinCommands() = default;

    // Facts.
    virtual bool previewRunning() const = 0;
    virtual bool converting() const = 0;
    virtual bool chapterView() const = 0;
    virtual bool hintWindowShowing() const = 0;
    virtual bool outputEditHasFocus() const = 0;
    // The executable's file name (editions are told apart by it).
    virtual QString executableName() const = 0;
    // Skin.ini [section] "left" and "top" (defaults 6 and 64).
    virtual QPoint popupOffset(const QString &section) const = 0;

    // Window acts.
    virtual void HidePreviewPanel() = 0;
    virtual void BringHintWindowToFront() = 0;
    virtual void SetPickerVisible(bool visible) = 0;
    virtual void CommitOutputEdit() = 0;
    virtual void ArmPlayBarDrag() = 0;
    virtual void CloseMainWindow() = 0;
    // Pops the menu up at the main window's top-left corner plus offset.
    virtual void PopupMenu(PopupMenuId menu, QPoint offset) = 0;
    virtual void WarnLine(int line) = 0; // a warning dialog with language line `line`
    virtual void ShowHintLine(int line) = 0;

    // Commands of the other parts.
    virtual void StopPreview() = 0;
    virtual void TogglePreviewPause() = 0;
    virtual void SeekPreviewBack() = 0;
    virtual void SeekPreviewForward() = 0;
    virtual void ShowProfilePicker() = 0;
    virtual void AddFilesDialog() = 0;
    virtual void ToggleTitleChapterView() = 0;
    virtual void AddIfoFiles() = 0;
    virtual void OpenDvdFolder() = 0;
    virtual void AddSourceFolder() = 0;
    virtual void StartConversion() = 0;
    virtual void RemoveSelectedSources() = 0;
    virtual void ClearSourceList() = 0;
    virtual void StopConversion() = 0;
    virtual void BrowseOutputFolder() = 0;
    virtual void OpenOutputFolder() = 0;
};

using SkinAction = void (*)(SkinCommands &);

struct SkinClickRow {
    const char *name;
    SkinAction action; // null: the object is known and does nothing
};

struct SkinHintRow {
    const char *name;
    int line; // language line shown while the pointer is over the object
};

std::span<const SkinClickRow> SkinClickTable();
std::span<const SkinHintRow> SkinHintTable();

// The hint line of an object, nothing for names without one.
std::optional<int> SkinHintLine(const QString &name);

// Where "dvdfile" pops its menu up: further right in the edition whose file
// name holds the brand word (any case).
QPoint DvdFilePopupOffset(const QString &executableName);

// The "cutter" refusal: line 27 while previewing, 26 while converting, 28 in
// chapter view; nothing in title view.
std::optional<int> CutterRefusalLine(bool previewing, bool converting, bool chapterView);

// The four skin events of the main window.
void Skin1Click(const QString &name, SkinCommands &window);
void Skin1MouseDown(const QString &name, SkinCommands &window);
void Skin1MouseMove(const QString &name, SkinCommands &window);

// What a drag on the play bar changes.
struct ScrollTrackFacts {
    bool dragArmed = false;
    int rowCount = 0;
    int currentRow = -1;
    int sliderPosition = 0; // the "play_bar" slider's own position
    SourceMode mode = SourceMode::FileRows;
    bool previewing = false;
    QString rowDuration;      // file mode: the current row's time text
    int64_t titleSeconds = 0; // DVD mode: the current row's title length
};

struct ScrollTrackResult {
    int barPosition = 0;            // for SetPlayBarPosition
    std::optional<QString> playTime; // new text of "play_time", when it changes
};

// Nothing when the drag changes nothing (not armed, another object, no current row).
std::optional<ScrollTrackResult> Skin1ScrollTrack(const QString &name, const ScrollTrackFacts &facts);

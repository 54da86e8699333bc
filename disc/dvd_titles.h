#pragma once

// The DVD commands of the main window: open a DVD folder, add IFO files,
// switch between title and chapter view, the row click, and the choice of
// audio stream and subtitle per row. The window owns one DvdTitles and calls
// these entries from its commands and events; what lies outside disc/ comes
// in through DvdTitlesHooks (an empty hook is skipped).

#include "disc/disc_state.h"
#include "disc/ifo_titles.h"

#include <QString>
#include <cstdint>
#include <functional>

class ComboModel;
class Dialogs;
class IfoLibrary;
class LanguageTexts;
class SourceList;
struct EngineState;

struct DvdTitlesHooks {
    std::function<void()> updateControlStates;
    // The busy window Tfm_add in busy mode, in front, not modal; and its close.
    std::function<void()> showBusyWindow;
    std::function<void()> closeBusyWindow;
    // The chosen folder into the settings file (section "BluRay", key "Path").
    std::function<void(const QString &folder)> saveBrowsePath;
    // The "Output Size" text for `seconds` of the engine state's estimate row.
    std::function<QString(int32_t seconds)> estimatedSize;
    // Text of the skin objects "alltime", "begin_time", "End_time"; redraws them.
    std::function<void(const QString &object, const QString &text)> setSkinText;
    // One round of pending window events.
    std::function<void()> pumpMessages;
    // Whether the folder lies on an optical drive, and the wait (pumping
    // events) until that drive has answered.
    std::function<bool(const QString &folder)> isOpticalDrive;
    std::function<void(const QString &folder)> waitForDrive;
    std::function<void()> redrawList;
    // The list takes no clicks while a folder is scanned.
    std::function<void(bool enabled)> setListEnabled;
};

class DvdTitles {
public:
    // cb_audio and cb_subtitle are the models of the two stream lists.
    DvdTitles(DiscState &disc, EngineState &engine, SourceList &list, const LanguageTexts &texts,
              Dialogs &dialogs, IfoLibrary &ifo, ComboModel &cb_audio, ComboModel &cb_subtitle,
              DvdTitlesHooks hooks);

    // "Add DVD", "Add DVD Disc", bt_dvdopen, "dvdopen": a folder replaces the list.
    void OpenDvdFolder();
    // "Add IFO", bt_ifo, "ifoopen": picked IFO files are appended to DVD rows
    // (file rows are removed first).
    void AddIfoFiles();
    // bt_chapte, "chapter": rebuilds the DVD rows in the other view; nothing
    // with file rows. The stream choices of the rows are reset.
    void ToggleTitleChapterView();
    // The selection changed: time texts, PreviewRow and, for DVD rows, the
    // view's check boxes and the row's streams in the two lists.
    void lvClick();
    // The user chose item `index` of cb_audio / cb_subtitle (not for indexes
    // the program sets itself).
    void cb_audioChange(int index);
    void cb_subtitleChange(int index);

    // True while a folder or IFO files are being read (events are pumped
    // meanwhile): the window must not change the list then. The DVD commands
    // themselves ignore a second call.
    bool isBusy() const { return m_busy; }

private:
    IfoReadTarget readTarget();
    void refuse(int line);
    // Converting (line 26) is tested before previewing (line 27) here.
    bool refusedWhileConvertingOrPreviewing();
    void selectLongestAndClick();
    void call(const std::function<void()> &hook) const;

    DiscState &m_disc;
    EngineState &m_engine;
    SourceList &m_list;
    const LanguageTexts &m_texts;
    Dialogs &m_dialogs;
    IfoLibrary &m_ifo;
    ComboModel &m_audio;
    ComboModel &m_subtitle;
    DvdTitlesHooks m_hooks;
    bool m_busy = false;
};

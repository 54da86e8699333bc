#pragma once

// The list commands: add files (one by one, from the open dialog, from a
// folder), remove the selected rows, clear the list. Each file is probed by
// the encoder first; only a file with a duration becomes a row.

#include "engine/media_probe.h"
#include "engine/size_estimate.h"
#include "engine/source_list.h"
#include "platform/dialogs/dialogs.h"

#include <QString>
#include <QVector>
#include <functional>
#include <optional>

class LanguageTexts;
class SettingsModel;
struct EngineState;

// Runs the probes of an add command: probes are started ahead of their
// files' turns and their results taken in the order they were started.
class SourceProbe {
public:
    virtual ~SourceProbe() = default;
    // Starts one probe and returns at once.
    virtual void start(const QString &commandLine, const QString &workingFolder) = 0;
    // Waits, with the window's events running, for the oldest probe not yet
    // taken and gives its values. Nothing when no probe is waiting to be
    // taken, when it was cancelled, or when the wait was cut short because
    // the program is quitting. Throws what starting that probe threw.
    virtual std::optional<ProbeValues> takeNext() = 0;
    // Ends every probe not yet taken, the one being waited for included.
    virtual void cancel() = 0;
};

// How many files an add command probes at once: the encoder-slot count or
// the core count, whichever is larger, at most 16.
int DefaultProbeLookAhead(int encoderSlots, int cores);

// The main window's parts the commands touch.
struct SourceListHooks {
    std::function<void()> bringHintWindowToFront;
    std::function<void()> rowClicked;          // the list's click handler
    std::function<void()> updateControlStates;
    std::function<void()> pumpMessages;        // one round of pending window events
    // The "Output Size" text of the row `estimateRow` of the state for `seconds`.
    std::function<QString(int32_t seconds)> estimatedSize;
};

// The size estimate of a new row, from the current profile and the settings
// window's choices.
void SetEstimateHook(SourceListHooks &hooks, const EngineState &state, const SettingsModel &settings,
                     const SourceList &list);

// The source list as the estimate walks it.
class SourceListEstimateRows : public EstimateRows {
public:
    explicit SourceListEstimateRows(SourceList &list) : m_list(list) {}
    int estimateRowCount() const override { return m_list.rowCount(); }
    QString sourceFrameSize(int row) const override { return m_list.originalInfo().value(row).frameSize; }
    QString sourceDuration(int row) const override { return m_list.originalInfo().value(row).duration; }
    void setEstimatedSize(int row, const QString &text) override
    {
        m_list.setSubItem(row, SourceRow::OutputSize, text);
    }

private:
    SourceList &m_list;
};

// The types the open-file dialog offers, in order.
const QVector<FileFilter> &SourceFileFilter();
// The extensions a folder's files are taken by (lower case, with the dot).
const QStringList &FolderSourceExtensions();

// Missing rates from the probe: video V, audio A, total T (kb/s text, empty
// when not reported) → the row's video and audio rates as whole numbers.
struct RowBitrates {
    QString video;
    QString audio;
};
RowBitrates FillBitrates(const QString &video, const QString &audio, const QString &total);

class SourceListCommands {
public:
    SourceListCommands(SourceList &list, EngineState &state, const LanguageTexts &texts, Dialogs &dialogs,
                       SourceProbe &probe, QString programFolder, SourceListHooks hooks);

    void AddSourceFile(const QString &path);
    void AddFilesDialog();
    void AddSourceFolder();
    void RemoveSelectedSources();
    void ClearSourceList();

    // True while an add command probes its files: the window's events still
    // run meanwhile, and no second add or conversion may start inside it.
    bool isAdding() const { return m_adding; }

    // Ends an add command under way: its running probes are ended and no
    // further file is added. The window's close calls it.
    void CancelAdding();

    // Files probed at once; 0 (the default) takes DefaultProbeLookAhead.
    void setProbeLookAhead(int files) { m_lookAhead = files; }
    int probeLookAhead() const;

    // The probe line for one file.
    QString probeCommandLine(const QString &path) const;

private:
    // Adds the files in order, each probed ahead of its turn; window events
    // are pumped twice before each turn when pumpEachTurn is set.
    void addFiles(const QStringList &paths, bool pumpEachTurn);
    // The row of a probed file; none when the facts hold no duration.
    void appendProbedFile(const QString &path, const ProbeValues &facts);
    void endAddCommand();
    void refuse(int line);
    // Line 27 while a preview plays, else line 26 while converting: true when refused.
    bool refusedWhilePreviewingOrConverting();
    void call(const std::function<void()> &hook) const;
    void selectFirstWhenNoneSelected();

    SourceList &m_list;
    EngineState &m_state;
    const LanguageTexts &m_texts;
    Dialogs &m_dialogs;
    SourceProbe &m_probe;
    QString m_programFolder;
    SourceListHooks m_hooks;
    bool m_adding = false;
    bool m_cancelRequested = false;
    int m_lookAhead = 0;
};

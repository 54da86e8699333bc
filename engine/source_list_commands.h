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

class LanguageTexts;
class SettingsModel;
struct EngineState;

// The probe's values as the add command reads them.
using ProbeFacts = ProbeValues;

// Runs one probe command line to its end; the caller waits for it.
class SourceProbe {
public:
    virtual ~SourceProbe() = default;
    virtual ProbeValues probe(const QString &commandLine, const QString &workingFolder) = 0;
};

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

    // The probe line for one file.
    QString probeCommandLine(const QString &path) const;

private:
    void refuse(int line);
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
};

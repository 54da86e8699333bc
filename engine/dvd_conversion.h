#pragma once

// The DVD run: the checked DVD rows are ripped one after another by
// "mydvd.dll", one process at a time. Until a job's first progress line its
// row creeps up by 0.01 % a second (Timer2); then it follows the seconds done.
// While a job runs, Convert_used counts its elapsed time, estimates the
// remaining time and measures its output; the skin shows them with each
// progress line.

#include "engine/encoder_slot_runner.h"
#include "engine/job_builder.h"
#include "engine/job_messages.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class Dialogs;
class LanguageTexts;
class SettingsModel;
class Shell;
class SourceList;
struct EngineState;

// The skin objects a DVD run shows besides the job texts.
class DvdRunDisplay : public JobTextDisplay {
public:
    // Shows or hides "convertinfo" and refreshes it.
    virtual void setConvertInfoVisible(bool visible) = 0;
    // Hides the preview panel pl_play, empties its text and repaints it.
    virtual void hidePreviewPanel() = 0;
};

// The parts outside the engine a DVD run calls.
struct DvdRunHooks {
    std::function<void()> updateControlStates;
    std::function<void(int hundredths)> setConvertProgress;
};

class DvdConversion : public QObject {
    Q_OBJECT
public:
    // The creep may fill at most half the bar, so the encoder's part of the
    // scale (10000 less the ticks) always keeps the other half.
    static constexpr int kMaxTicks = 5000;
    static constexpr int kTimerMs = 1000;

    DvdConversion(EngineState &state, SourceList &list, const SettingsModel &settings, const LanguageTexts &texts,
                  Dialogs &dialogs, Shell &shell, DvdRunDisplay &display, EncoderRunnerFactory runners,
                  QString programFolder, DvdRunHooks hooks, QObject *parent = nullptr);
    ~DvdConversion() override;

    // One step of the run: the row at the current row index is ripped, or
    // skipped when unchecked; past the last row the run ends.
    void ConvertNextItem();
    // Starts the single DVD encoder on the job; false when it could not be
    // started (the run has then ended with a message and "Failed" on the row).
    bool StartEncoderJob(const intputrec &job);
    // Stop's DVD part, after the converting flag has fallen: the encoder's
    // whole process group is ended, the row reads "Stop", the run is over.
    void StopDvdRun();

    // The timers' and the runner's events; the runner's reach these only
    // while their runner is the current one.
    void Timer2Timer();
    void Convert_usedTimer();
    void JvCreateProcessRead(const QString &line, bool startsOnNewLine);
    void JvCreateProcessTerminate(quint32 exitCode);

    // p in hundredths of a percent; before the first progress line p is the
    // tick count, afterwards the encoder's share, to which the ticks are added.
    void ShowItemProgress(int p);
    void RefreshConvertStatus();

    const QTimer &Timer2() const { return m_timer2; }
    const QTimer &Convert_used() const { return m_convertUsed; }
    // The running encoder, also one still ending after Stop.
    int liveEncoders() const;

signals:
    void jobStarted(int row);
    // Every row was done and the after-finish action has run.
    void runFinished();
    // The run ended in any way: finished, stopped or failed.
    void runEnded();

private:
    void startRow(int row);
    void markPreviousRow();
    void endRun();
    void endRunWithMessage(const QString &text);
    void hideJobDisplay();
    void measureOutput();
    void setConvertProgress(int p) const;
    void retire(std::unique_ptr<EncoderSlotRunner> runner);

    EngineState &m_state;
    SourceList &m_list;
    const SettingsModel &m_settings;
    const LanguageTexts &m_texts;
    Dialogs &m_dialogs;
    Shell &m_shell;
    DvdRunDisplay &m_display;
    EncoderRunnerFactory m_runners;
    QString m_programFolder;
    DvdRunHooks m_hooks;

    QTimer m_timer2;
    QTimer m_convertUsed;
    std::unique_ptr<EncoderSlotRunner> m_runner;
    std::vector<std::unique_ptr<EncoderSlotRunner>> m_stopping;
    int m_wellFinishedRow = -1; // the last row whose rip ended with its output written
    JobMessages m_messages;     // of the running rip
};

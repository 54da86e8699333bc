#pragma once

// Start and Stop, and the parallel file run: every checked row becomes one
// encoder job; up to eleven slots run side by side, each taking the next job
// when its process ends; the run's end triggers the after-finish action.

#include "engine/encoder_slot_runner.h"
#include "engine/job_messages.h"
#include "engine/records.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class Dialogs;
class LanguageTexts;
class SettingsModel;
class Shell;
class SourceList;
struct EngineState;

// The parts outside the engine a run calls.
struct ConversionHooks {
    std::function<void()> updateControlStates;
    std::function<void(int hundredths)> setConvertProgress;
    // Builds the file job of list row `row` into the state's current job;
    // throws std::exception with a message the user can read when it cannot.
    std::function<void(int row)> buildFileJob;
    // The output folder the jobs will be written to (the settings' ed_output).
    std::function<QString()> outputFolder;
    // True while an add command is busy (no run may start inside it).
    std::function<bool()> addingSources;
    // The DVD run: its next title, and its part of Stop.
    std::function<void()> convertNextItem;
    std::function<void()> stopDvdRun;
};

// The engine's side of the hooks: file jobs built by the job builder from the
// row and the settings window's choices (an unusable frame size refuses the
// run with the window's own message), outputs in the settings' folder.
void SetFileJobHooks(ConversionHooks &hooks, EngineState &state, const SettingsModel &settings,
                     const SourceList &list, const LanguageTexts &texts);

// The after-finish action of a run that ended with every job done: nothing,
// the output folder opened, or the computer shut down (FinishSelcet 0, 1, 2).
void RunAfterFinishAction(const EngineState &state, Shell &shell);

// True when an encoder's last reported position falls short of the clip
// length by more than a tenth and more than two seconds: its source ended
// early (cut short, damaged), though the encoder may have ended well.
bool EndsShortOfClip(int32_t lastSeconds, int32_t clipSeconds);

// Status texts of a row at its end.
inline const QString kStatusFinish = QStringLiteral("Finish");
inline const QString kStatusFailed = QStringLiteral("Failed");
inline const QString kStatusStop = QStringLiteral("Stop");

class ConversionQueue : public QObject {
    Q_OBJECT
public:
    static constexpr int kSlotCount = 11;

    ConversionQueue(EngineState &state, SourceList &list, const LanguageTexts &texts, Dialogs &dialogs, Shell &shell,
                    EncoderRunnerFactory runners, QString programFolder, ConversionHooks hooks,
                    QObject *parent = nullptr);
    ~ConversionQueue() override;

    void StartConversion();
    void ConvertFileList();
    void StartParallelJobs();
    // False when the encoder could not be started (the run has then ended).
    bool StartSlotJob(int slot, int jobIndex, const intputrec &job);
    void StopConversion();

    // The slots' runner events.
    void JvCreateProcessRead(int slot, const QString &line, bool startsOnNewLine);
    void JvCreateProcessTerminate(int slot, quint32 exitCode);

    // Slots in use in the current or last file run (n + 1).
    int slotsInUse() const { return m_lastSlot + 1; }
    // Encoder processes still alive, stopped ones included.
    int liveEncoders() const;

    // The Stop wait before the controls come back.
    static constexpr int kStopSettleMs = 500;

signals:
    void jobStarted(int slot, int jobIndex, int row);
    // A file run ended with every job done; the after-finish action has run.
    void runFinished();
    // A run ended in any way: finished, stopped or failed.
    void runEnded();
    // Every stopped encoder has ended.
    void stoppedEncodersEnded();

private:
    struct Slot {
        std::unique_ptr<EncoderSlotRunner> runner;
        int row = -1;
        int jobIndex = -1;
        int32_t lastSeconds = 0; // the job's last reported position
        JobMessages messages;
        uint8_t done = 1;
    };

    bool isCurrent(int slot, const EncoderSlotRunner *runner) const;
    void retire(std::unique_ptr<EncoderSlotRunner> runner);
    void stopRunningSlots();
    void endRunWithMessage(const QString &text);
    bool outputFolderUsable(QString *folder);
    // False when the output folder is unusable: the run has then ended with a message.
    bool outputFolderChecked();
    void call(const std::function<void()> &hook) const;

    EngineState &m_state;
    SourceList &m_list;
    const LanguageTexts &m_texts;
    Dialogs &m_dialogs;
    Shell &m_shell;
    EncoderRunnerFactory m_runners;
    QString m_programFolder;
    ConversionHooks m_hooks;

    std::array<Slot, kSlotCount> m_slots;
    int m_lastSlot = -1; // n
    quint64 m_run = 0;   // counts runs, so a question asked in one run is not answered in another
    std::vector<std::unique_ptr<EncoderSlotRunner>> m_stopping;
    QTimer m_stopSettle;
};

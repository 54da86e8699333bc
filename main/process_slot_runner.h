#pragma once

// The encoder processes of the conversion slots: the console runner started
// hidden at idle priority, its lines and its end handed on to the conversion
// queue. EncoderProcesses knows every one it made, so the program can end
// them properly when it closes during a run.

#include "engine/console_process.h"
#include "engine/encoder_slot_runner.h"

#include <QSet>
#include <chrono>

class EncoderProcesses;

class ProcessSlotRunner : public EncoderSlotRunner {
    Q_OBJECT
public:
    ProcessSlotRunner(EncoderProcesses &registry, ErrorBox *errors);
    ~ProcessSlotRunner() override;

    void start(const QString &commandLine, const QString &workingFolder) override;
    void terminate() override;
    bool running() const { return m_process.State() == TJvCreateProcess::TJvProcessState::Running; }

private:
    EncoderProcesses &m_registry;
    TJvCreateProcess m_process;
};

class EncoderProcesses {
public:
    explicit EncoderProcesses(ErrorBox *errors = nullptr) : m_errors(errors) {}

    // Makes the queue's runners.
    EncoderRunnerFactory factory();
    // Encoder processes that have not ended yet.
    int running() const;
    // Asks every running encoder to stop (its whole process group, so the real
    // encoder closes its output file) and waits in the event loop until all
    // have ended or `wait` has passed; what is left is killed when its runner goes.
    void endAll(std::chrono::milliseconds wait);

private:
    friend class ProcessSlotRunner;
    ErrorBox *m_errors;
    QSet<ProcessSlotRunner *> m_runners;
};

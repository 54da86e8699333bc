#pragma once

// The encoders of the conversion slots, as the program makes them: the
// engine's runner on the console process runner, known to EncoderProcesses
// from its start to its end, so the program can end them when it closes.

#include "engine/jv_encoder_runner.h"

#include <QSet>
#include <chrono>

class EncoderProcesses;

class TrackedEncoderRunner : public JvEncoderRunner {
    Q_OBJECT
public:
    explicit TrackedEncoderRunner(EncoderProcesses &registry);
    ~TrackedEncoderRunner() override;

    void start(const QString &commandLine, const QString &workingFolder) override;

private:
    friend class EncoderProcesses;
    void leaveRegistry();

    // Null once the encoder ended or the registry went first (a retired
    // runner is deleted later, possibly after the program's registry).
    EncoderProcesses *m_registry;
};

class EncoderProcesses {
public:
    EncoderProcesses() = default;
    ~EncoderProcesses();
    EncoderProcesses(const EncoderProcesses &) = delete;
    EncoderProcesses &operator=(const EncoderProcesses &) = delete;

    // Makes the queue's runners.
    EncoderRunnerFactory factory();
    // Encoders started and not ended yet.
    int running() const { return int(m_running.size()); }
    // Asks every running encoder to stop (its whole process group, so the real
    // encoder closes its output file) and waits in the event loop until all
    // have ended or `wait` has passed; what is left is killed when its runner goes.
    void endAll(std::chrono::milliseconds wait);

private:
    friend class TrackedEncoderRunner;
    QSet<TrackedEncoderRunner *> m_running;
};

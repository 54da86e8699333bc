#pragma once

// TJvCreateProcess runs one console program hidden, with its output captured,
// and reports that output line by line and the program's end on the
// user-interface thread. One runner per run; release a finished runner later
// (deleteLater), never inside its own OnRead handler.
//
// - CommandLine is one string, the program first, split by the Windows
//   command-line rules and started without a shell; CurrentDirectory is the
//   working folder (empty: the caller's); Priority ppIdle runs it at nice 19.
// - Standard output and standard error share one pipe; all of it is reported,
//   nothing is dropped: the output is taken at every notification, so memory
//   stays bounded by what one notification brings.
// - OnRead(sender, line, startsOnNewLine) for every line report of the line
//   emulation (LineEmulator); OnTerminate(sender, exitCode) exactly once per
//   Run, after the program has ended and all its output was reported, from
//   the event loop (a handler may start the next runner, or release this one).
// - When the program ends, whatever it left running in its process group
//   (a child it did not wait for) is killed: nothing of a run outlives it.
// - An exception out of a handler goes to ErrorHandler (or the log when none
//   is set); the runner goes on.

#include "engine/line_emulator.h"
#include "platform/process/child_process.h"

#include <QObject>
#include <QString>
#include <chrono>
#include <functional>

class ErrorBox;

enum TProcessPriority { ppNormal, ppIdle };

class TJvCreateProcess : public QObject {
    Q_OBJECT
public:
    enum class TJvProcessState { Ready, Running };

    using TReadEvent = std::function<void(TJvCreateProcess *sender, const QString &line, bool startsOnNewLine)>;
    using TTerminateEvent = std::function<void(TJvCreateProcess *sender, quint32 exitCode)>;

    explicit TJvCreateProcess(QObject *parent = nullptr);
    ~TJvCreateProcess() override;

    QString CommandLine;
    QString CurrentDirectory;
    TProcessPriority Priority = ppNormal;
    TReadEvent OnRead;
    TTerminateEvent OnTerminate;
    ErrorBox *ErrorHandler = nullptr;

    // Starts the program and returns at once. Throws std::runtime_error with the
    // system's reason when it cannot be started, and "Cannot perform this
    // operation when process is running" while a run is under way.
    void Run();

    // Stop: ends the program with everything it started (SIGTERM to its process
    // group, SIGKILL after the grace time). OnTerminate still follows.
    void Terminate(std::chrono::milliseconds grace = std::chrono::milliseconds(2000));

    TJvProcessState State() const { return m_state; }
    // The process id of the running program, which is also its process group.
    qint64 ProcessId() const { return m_child.processId(); }

private:
    void takeOutput();
    void ended(quint32 exitCode);
    void guarded(const std::function<void()> &handler);

    ChildProcess m_child;
    LineEmulator m_emulator;
    TJvProcessState m_state = TJvProcessState::Ready;
};

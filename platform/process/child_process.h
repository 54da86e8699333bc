#pragma once

// One console program started without a shell: its standard output and
// standard error share one pipe, standard input is a pipe, it runs in its own
// process group (so that stopping it reaches everything it started) and, when
// asked, at the lowest scheduling priority (nice 19).

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <chrono>

struct ChildProcessOptions {
    QString program;
    QStringList arguments;
    QString workingFolder; // empty: the caller's
    bool idlePriority = false;
};

class ChildProcess : public QObject {
    Q_OBJECT
public:
    explicit ChildProcess(QObject *parent = nullptr);
    // A group still running is killed and reaped.
    ~ChildProcess() override;

    // Starts the program and returns once it runs. Throws std::runtime_error
    // naming the program and the system's reason when it cannot be started.
    void start(const ChildProcessOptions &options);

    bool isRunning() const;
    qint64 processId() const { return m_group; }

    // The output received so far and not yet taken.
    QByteArray takeOutput();

    // SIGTERM to the whole process group, then SIGKILL to whatever of the
    // group is left after the grace time. finished() still follows.
    void terminateGroup(std::chrono::milliseconds grace = std::chrono::milliseconds(2000));

    // The exit code a run reports: the program's own, or 128 + the signal that ended it.
    static quint32 ExitCodeOf(int code, QProcess::ExitStatus status);

signals:
    void outputReady();
    // Once per start, after the program has ended; output may still be waiting in takeOutput().
    void finished(quint32 exitCode);

private:
    QProcess m_process;
    QTimer m_killTimer;
    qint64 m_group = 0;
};

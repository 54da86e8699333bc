#include "platform/process/child_process.h"

#include <csignal>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <unistd.h>

ChildProcess::ChildProcess(QObject *parent) : QObject(parent)
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &ChildProcess::outputReady);
    connect(&m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        emit finished(ExitCodeOf(code, status));
    });
    m_killTimer.setSingleShot(true);
    connect(&m_killTimer, &QTimer::timeout, this, [this] {
        if (m_group > 0)
            ::killpg(pid_t(m_group), SIGKILL);
    });
}

ChildProcess::~ChildProcess()
{
    m_process.disconnect(this);
    if (isRunning()) {
        ::killpg(pid_t(m_group), SIGKILL);
        m_process.waitForFinished(5000);
    }
}

void ChildProcess::start(const ChildProcessOptions &options)
{
    if (options.program.isEmpty())
        throw std::runtime_error("The command line names no program.");
    m_killTimer.stop();
    m_group = 0;
    m_process.setProgram(options.program);
    m_process.setArguments(options.arguments);
    m_process.setWorkingDirectory(options.workingFolder);
    const bool idle = options.idlePriority;
    const pid_t program = ::getpid();
    // Runs in the child between fork and exec: only async-signal-safe calls.
    // Nothing started here runs on without the program: the death signal
    // survives the exec, and a program gone before it was set ends the child.
    m_process.setChildProcessModifier([idle, program] {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != program)
            ::_exit(127);
        ::setpgid(0, 0);
        if (idle)
            ::setpriority(PRIO_PROCESS, 0, 19);
    });
    m_process.start(QIODevice::ReadWrite);
    if (!m_process.waitForStarted(-1)) {
        const QString reason = m_process.errorString();
        throw std::runtime_error(QStringLiteral("Cannot run \"%1\": %2")
                                     .arg(options.program, reason)
                                     .toStdString());
    }
    m_group = m_process.processId();
}

bool ChildProcess::isRunning() const { return m_process.state() != QProcess::NotRunning; }

QByteArray ChildProcess::takeOutput() { return m_process.readAll(); }

void ChildProcess::terminateGroup(std::chrono::milliseconds grace)
{
    if (m_group <= 0 || !isRunning())
        return;
    ::killpg(pid_t(m_group), SIGTERM);
    m_killTimer.start(grace);
}

quint32 ChildProcess::ExitCodeOf(int code, QProcess::ExitStatus status)
{
    return status == QProcess::CrashExit ? quint32(128 + code) : quint32(code);
}

#include "engine/console_process.h"

#include "platform/errors/error_guard.h"
#include "platform/process/windows_command_line.h"

#include <QMetaObject>
#include <csignal>
#include <stdexcept>

TJvCreateProcess::TJvCreateProcess(QObject *parent)
    : QObject(parent),
      m_emulator([this](QByteArrayView line, bool startsOnNewLine) {
          if (!OnRead)
              return;
          const QString text = QString::fromUtf8(line);
          guarded([&] { OnRead(this, text, startsOnNewLine); });
      })
{
    connect(&m_child, &ChildProcess::outputReady, this, &TJvCreateProcess::takeOutput);
    connect(&m_child, &ChildProcess::finished, this, &TJvCreateProcess::ended);
}

TJvCreateProcess::~TJvCreateProcess() = default;

void TJvCreateProcess::Run()
{
    if (m_state == TJvProcessState::Running)
        throw std::runtime_error("Cannot perform this operation when process is running");
    QStringList words = SplitWindowsCommandLine(CommandLine);
    if (words.isEmpty())
        throw std::runtime_error("The command line is empty.");
    ChildProcessOptions options;
    options.program = words.takeFirst();
    options.arguments = words;
    options.workingFolder = CurrentDirectory;
    options.idlePriority = Priority == ppIdle;
    m_emulator.reset();
    m_child.start(options);
    m_state = TJvProcessState::Running;
}

void TJvCreateProcess::Terminate(std::chrono::milliseconds grace)
{
    if (m_state == TJvProcessState::Running)
        m_child.terminateGroup(grace);
}

void TJvCreateProcess::takeOutput()
{
    const QByteArray bytes = m_child.takeOutput();
    m_emulator.write(bytes);
}

void TJvCreateProcess::ended(quint32 exitCode)
{
    // The group outlives its leader while a member is alive, so its id is still ours.
    if (const qint64 group = m_child.processId(); group > 0)
        ::killpg(pid_t(group), SIGKILL);
    takeOutput();
    m_emulator.finish();
    // The end is reported from the event loop, outside the process object's own
    // notification, so that a handler may release this runner.
    QMetaObject::invokeMethod(
        this,
        [this, exitCode] {
            m_state = TJvProcessState::Ready;
            const TTerminateEvent handler = OnTerminate;
            if (handler)
                guarded([&] { handler(this, exitCode); });
        },
        Qt::QueuedConnection);
}

void TJvCreateProcess::guarded(const std::function<void()> &handler)
{
    if (ErrorHandler) {
        RunGuarded(*ErrorHandler, handler);
        return;
    }
    try {
        handler();
    } catch (const std::exception &e) {
        qWarning("Console process handler failed: %s", e.what());
    } catch (...) {
        qWarning("Console process handler failed.");
    }
}

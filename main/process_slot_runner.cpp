#include "main/process_slot_runner.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

ProcessSlotRunner::ProcessSlotRunner(EncoderProcesses &registry, ErrorBox *errors) : m_registry(registry)
{
    m_registry.m_runners.insert(this);
    m_process.ErrorHandler = errors;
    m_process.Priority = ppIdle;
    m_process.OnRead = [this](TJvCreateProcess *, const QString &line, bool startsOnNewLine) {
        emit lineRead(line, startsOnNewLine);
    };
    m_process.OnTerminate = [this](TJvCreateProcess *, quint32 exitCode) { emit ended(exitCode); };
}

ProcessSlotRunner::~ProcessSlotRunner()
{
    m_registry.m_runners.remove(this);
}

void ProcessSlotRunner::start(const QString &commandLine, const QString &workingFolder)
{
    m_process.CommandLine = commandLine;
    m_process.CurrentDirectory = workingFolder;
    m_process.Run();
}

void ProcessSlotRunner::terminate()
{
    if (running())
        m_process.Terminate();
}

EncoderRunnerFactory EncoderProcesses::factory()
{
    return [this] { return std::make_unique<ProcessSlotRunner>(*this, m_errors); };
}

int EncoderProcesses::running() const
{
    int n = 0;
    for (const ProcessSlotRunner *r : m_runners)
        n += r->running() ? 1 : 0;
    return n;
}

void EncoderProcesses::endAll(std::chrono::milliseconds wait)
{
    if (running() == 0)
        return;
    for (ProcessSlotRunner *r : m_runners)
        r->terminate();
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (running() == 0 || clock.elapsed() >= wait.count())
            loop.quit();
    });
    poll.start(20);
    loop.exec();
}

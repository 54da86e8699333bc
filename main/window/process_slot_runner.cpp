#include "main/window/process_slot_runner.h"

#include <QEventLoop>
#include <QTimer>

TrackedEncoderRunner::TrackedEncoderRunner(EncoderProcesses &registry) : m_registry(&registry)
{
    connect(this, &EncoderSlotRunner::ended, this, &TrackedEncoderRunner::leaveRegistry);
}

TrackedEncoderRunner::~TrackedEncoderRunner()
{
    leaveRegistry();
}

void TrackedEncoderRunner::leaveRegistry()
{
    if (m_registry)
        m_registry->m_running.remove(this);
    m_registry = nullptr;
}

void TrackedEncoderRunner::start(const QString &commandLine, const QString &workingFolder)
{
    JvEncoderRunner::start(commandLine, workingFolder);
    if (m_registry)
        m_registry->m_running.insert(this);
}

EncoderProcesses::~EncoderProcesses()
{
    for (TrackedEncoderRunner *r : m_running)
        r->m_registry = nullptr;
}

EncoderRunnerFactory EncoderProcesses::factory()
{
    return [this] { return std::make_unique<TrackedEncoderRunner>(*this); };
}

void EncoderProcesses::endAll(std::chrono::milliseconds wait)
{
    if (m_running.isEmpty())
        return;
    const QSet<TrackedEncoderRunner *> running = m_running;
    for (TrackedEncoderRunner *r : running)
        r->terminate();
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    for (TrackedEncoderRunner *r : running)
        QObject::connect(r, &EncoderSlotRunner::ended, &loop, [this, &loop] {
            if (m_running.isEmpty())
                loop.quit();
        }, Qt::QueuedConnection);
    deadline.start(wait);
    if (!m_running.isEmpty())
        loop.exec();
}

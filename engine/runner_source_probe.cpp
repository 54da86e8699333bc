#include "engine/runner_source_probe.h"

#include <algorithm>

RunnerSourceProbe::~RunnerSourceProbe() = default;

void RunnerSourceProbe::start(const QString &commandLine, const QString &workingFolder)
{
    std::erase_if(m_stopping, [](const std::unique_ptr<MediaProbe> &p) { return !p->ProbeRunning(); });
    Started started{std::make_unique<MediaProbe>(), nullptr};
    try {
        started.probe->StartProbe(commandLine, workingFolder);
    } catch (...) {
        started.failure = std::current_exception();
    }
    m_started.push_back(std::move(started));
}

std::optional<ProbeValues> RunnerSourceProbe::takeNext()
{
    // A second wait inside the first answers nothing instead of nesting.
    if (m_waitedFor || m_started.empty())
        return std::nullopt;
    Started next = std::move(m_started.front());
    m_started.pop_front();
    if (next.failure)
        std::rethrow_exception(next.failure);
    m_waitedFor = next.probe.get();
    next.probe->WaitForProbe();
    m_waitedFor = nullptr;
    // Still running: the wait was cut short because the program is quitting.
    if (next.probe->ProbeRunning() || next.probe->Stopped()) {
        stopLater(std::move(next.probe));
        return std::nullopt;
    }
    return next.probe->TimedOut() ? ProbeValues() : next.probe->Values();
}

void RunnerSourceProbe::cancel()
{
    if (m_waitedFor)
        m_waitedFor->Stop();
    while (!m_started.empty()) {
        if (m_started.front().probe->ProbeRunning())
            stopLater(std::move(m_started.front().probe));
        m_started.pop_front();
    }
}

void RunnerSourceProbe::stopLater(std::unique_ptr<MediaProbe> probe)
{
    probe->Stop();
    if (probe->ProbeRunning())
        m_stopping.push_back(std::move(probe));
}

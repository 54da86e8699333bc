#include "engine/runner_source_probe.h"

ProbeValues RunnerSourceProbe::probe(const QString &commandLine, const QString &workingFolder)
{
    if (m_probe.ProbeRunning())
        return {};
    m_probe.StartProbe(commandLine, workingFolder);
    m_probe.WaitForProbe();
    return m_probe.TimedOut() ? ProbeValues() : m_probe.Values();
}

#pragma once

// The add commands' probes: register.dat through one media probe per file.
// The probes of the next files run side by side while the add command waits,
// in a local event loop, for the oldest one; results are taken in the order
// the probes were started. A probe that could not be started keeps its error
// until its turn, so the files before it are still added.

#include "engine/media_probe.h"
#include "engine/source_list_commands.h"

#include <deque>
#include <exception>
#include <memory>
#include <vector>

class RunnerSourceProbe : public SourceProbe {
public:
    RunnerSourceProbe() = default;
    // Probes still running are killed with everything they started.
    ~RunnerSourceProbe() override;
    RunnerSourceProbe(const RunnerSourceProbe &) = delete;
    RunnerSourceProbe &operator=(const RunnerSourceProbe &) = delete;

    void start(const QString &commandLine, const QString &workingFolder) override;
    std::optional<ProbeValues> takeNext() override;
    void cancel() override;

private:
    struct Started {
        std::unique_ptr<MediaProbe> probe;
        std::exception_ptr failure; // set when the probe could not be started
    };

    void stopLater(std::unique_ptr<MediaProbe> probe);

    std::deque<Started> m_started;
    MediaProbe *m_waitedFor = nullptr;
    // Stopped probes, kept until their processes have ended.
    std::vector<std::unique_ptr<MediaProbe>> m_stopping;
};

#pragma once

// The add commands' probe: register.dat through the media probe, waited for
// in a local event loop. A probe asked for while one is waited for answers
// nothing instead of nesting a second loop inside the first.

#include "engine/media_probe.h"
#include "engine/source_list_commands.h"

class RunnerSourceProbe : public SourceProbe {
public:
    ProbeValues probe(const QString &commandLine, const QString &workingFolder) override;

    MediaProbe &mediaProbe() { return m_probe; }

private:
    MediaProbe m_probe;
};

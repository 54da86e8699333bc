#pragma once

// The source list's probe: the probe line run through register.dat to its
// end, its facts handed over as the list reads them.

#include "engine/source_list_commands.h"

class RegisterProbe : public SourceProbe {
public:
    ProbeFacts probe(const QString &commandLine, const QString &workingFolder) override;
};

#pragma once

// Reads one title set through libdvdread, the disc being the folder that
// holds the IFO file: a VIDEO_TS folder in any case, or any folder holding a
// copy of a disc's files. When the IFO file is damaged, libdvdread reads the
// title set from its backup (VTS_nn_0.BUP) beside it.

#include "platform/ifo/title_set.h"

#include <QString>
#include <optional>

// nn of a file named VTS_nn_0.IFO or VTS_nn_0.BUP (any case), 1 to 99; 0 for
// any other name (VIDEO_TS.IFO is the disc's menu, not a title set).
int TitleSetNumberOfFileName(const QString &fileName);

// Nothing when the file is missing or cannot be read as a title set.
std::optional<TitleSet> ReadTitleSet(const QString &ifoPath);

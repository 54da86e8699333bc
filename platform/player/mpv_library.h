#pragma once

// libmpv is opened by name when a player first needs it, not linked into the
// program: it brings ffmpeg's whole library tree, whose loading would delay
// every start, and a system without it still converts and rips. The mpv_*
// functions the players call are defined beside this header and pass each
// call on to the opened library.

#include <QString>

// Why libmpv cannot be used; empty once it is open. The first call opens it
// (RAVENMOOR_LIBMPV in the environment may name another library file).
QString MpvLibraryProblem();

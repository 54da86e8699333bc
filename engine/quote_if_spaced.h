#pragma once

// Every path on an encoder command line passes through QuoteIfSpaced. The
// runner splits the line by the Windows command-line rules, so a path must be
// written for those rules: a path with a blank becomes "path", and a path with
// a double quote, a tab or a backslash before a quote is escaped as well, so it
// always comes back from the split as one unchanged argument. A path without
// any of these (and not empty) is returned unchanged.

#include <QString>

QString QuoteIfSpaced(const QString &text);

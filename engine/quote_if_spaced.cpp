#include "engine/quote_if_spaced.h"

#include "platform/process/windows_command_line.h"

QString QuoteIfSpaced(const QString &text) { return QuoteWindowsArgument(text); }

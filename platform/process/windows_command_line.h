#pragma once

// One command-line string, as the engine builds it, split into the program and
// its arguments by the rules a Windows program's start-up code applies
// (CommandLineToArgvW), so that the lines keep their meaning on Linux:
// - the program name ends at the first blank or tab, or, when it starts with a
//   double quote, at the next double quote (no escapes in it);
// - in the arguments, blanks and tabs outside quotes separate; 2n backslashes
//   before a double quote give n backslashes and the quote opens or closes a
//   quoted part; 2n+1 backslashes give n backslashes and a literal quote;
//   backslashes before anything else are literal;
// - a run of double quotes counts as in CommandLineToArgvW: inside a quoted
//   part, "" gives one literal quote and ends the quoted part.

#include <QString>
#include <QStringList>

// The program first, then every argument. An empty or blank line gives an empty list.
QStringList SplitWindowsCommandLine(const QString &commandLine);

// The argument written so that SplitWindowsCommandLine gives it back unchanged as
// one argument: left alone when it is not empty and holds no blank, tab, line
// break or double quote; otherwise wrapped in double quotes, with every double
// quote and the backslashes before it (and before the closing quote) escaped.
QString QuoteWindowsArgument(const QString &argument);

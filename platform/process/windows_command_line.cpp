#include "platform/process/windows_command_line.h"

namespace {

bool IsSeparator(QChar c) { return c == u' ' || c == u'\t'; }

bool NeedsQuotes(const QString &argument)
{
    if (argument.isEmpty())
        return true;
    for (QChar c : argument) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\r' || c == u'"')
            return true;
    }
    return false;
}

} // namespace

QStringList SplitWindowsCommandLine(const QString &commandLine)
{
    QStringList result;
    const qsizetype n = commandLine.size();
    qsizetype i = 0;
    while (i < n && IsSeparator(commandLine[i]))
        ++i;
    if (i == n)
        return result;

    // The program name: no escapes, quotes only group.
    QString program;
    if (commandLine[i] == u'"') {
        ++i;
        while (i < n && commandLine[i] != u'"')
            program += commandLine[i++];
        if (i < n)
            ++i;
    } else {
        while (i < n && !IsSeparator(commandLine[i]))
            program += commandLine[i++];
    }
    result << program;

    while (true) {
        while (i < n && IsSeparator(commandLine[i]))
            ++i;
        if (i == n)
            break;
        QString argument;
        bool inQuotes = false;
        while (i < n && (inQuotes || !IsSeparator(commandLine[i]))) {
            const QChar c = commandLine[i];
            if (c == u'\\') {
                qsizetype backslashes = 0;
                while (i < n && commandLine[i] == u'\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < n && commandLine[i] == u'"') {
                    argument += QString(backslashes / 2, u'\\');
                    if (backslashes % 2 == 1) {
                        argument += u'"';
                        ++i;
                    }
                    // An even count leaves the quote to the quote rule below.
                } else {
                    argument += QString(backslashes, u'\\');
                }
                continue;
            }
            if (c == u'"') {
                ++i;
                if (inQuotes && i < n && commandLine[i] == u'"') {
                    // "" inside quotes: one literal quote, and the quoted part ends.
                    argument += u'"';
                    ++i;
                    inQuotes = false;
                } else {
                    inQuotes = !inQuotes;
                }
                continue;
            }
            argument += c;
            ++i;
        }
        result << argument;
    }
    return result;
}

QString QuoteWindowsArgument(const QString &argument)
{
    if (!NeedsQuotes(argument))
        return argument;
    QString quoted(u'"');
    qsizetype backslashes = 0;
    for (QChar c : argument) {
        if (c == u'\\') {
            ++backslashes;
            continue;
        }
        if (c == u'"') {
            quoted += QString(backslashes * 2 + 1, u'\\');
            quoted += u'"';
        } else {
            quoted += QString(backslashes, u'\\');
            quoted += c;
        }
        backslashes = 0;
    }
    quoted += QString(backslashes * 2, u'\\');
    quoted += u'"';
    return quoted;
}

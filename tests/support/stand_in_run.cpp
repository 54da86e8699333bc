#include "tests/support/stand_in_run.h"

#include "engine/encoder_progress.h"
#include "tests/support/test_support.h"

#include "platform/process/windows_command_line.h"

#include <QCoreApplication>
#include <QProcess>
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

namespace ravenmoor::test {

bool WaitFor(const std::function<bool()> &done, int timeoutMs)
{
    coreApp();
    return waitUntil(done, timeoutMs);
}

Finished RunLine(const QString &commandLine, const std::function<void(TJvCreateProcess &, Finished &)> &during)
{
    Finished run;
    TJvCreateProcess runner;
    runner.CommandLine = commandLine;
    runner.CurrentDirectory = binDir();
    runner.OnRead = [&](TJvCreateProcess *, const QString &line, bool startsOnNewLine) {
        run.reports.append(line);
        if (startsOnNewLine || run.screen.isEmpty())
            run.screen.append(line);
        else
            run.screen.last() = line;
        if (during)
            during(runner, run);
    };
    runner.OnTerminate = [&](TJvCreateProcess *, quint32 code) { run.ends.append(code); };
    runner.Run();
    run.group = runner.ProcessId();
    EXPECT_TRUE(WaitFor([&] { return !run.ends.isEmpty(); })) << commandLine.toStdString();
    coreApp().processEvents();
    return run;
}

bool EndsWithItsKilledParent(const QString &commandLine, int timeoutMs)
{
    QStringList words;
    for (QString word : SplitWindowsCommandLine(commandLine))
        words << u'\'' + word.replace(u'\'', QLatin1String("'\\''")) + u'\'';
    QProcess shell;
    shell.setProgram(QStringLiteral("/bin/sh"));
    shell.setArguments({QStringLiteral("-c"), words.join(u' ') + QStringLiteral(" >/dev/null 2>&1 & wait")});
    shell.setWorkingDirectory(binDir());
    // A group of its own, so the stand-in and its tool can be counted after the shell is gone.
    shell.setChildProcessModifier([] { ::setpgid(0, 0); });
    shell.start();
    if (!shell.waitForStarted())
        return false;
    const qint64 group = shell.processId();
    const bool toolRuns = WaitFor([&] { return processesInGroup(group) >= 3; }, 20000);
    EXPECT_TRUE(toolRuns) << "the shell, the stand-in and its tool: " << commandLine.toStdString();
    ::kill(pid_t(group), SIGKILL);
    shell.waitForFinished();
    const bool gone = WaitFor([&] { return processesInGroup(group) == 0; }, timeoutMs);
    if (!gone)
        ::killpg(pid_t(group), SIGKILL);
    return toolRuns && gone;
}

QList<int32_t> StatusSeconds(const QStringList &lines)
{
    QList<int32_t> seconds;
    for (const QString &line : lines) {
        if (const int32_t s = ParseEncoderSeconds(line); s > 0)
            seconds << s;
    }
    return seconds;
}

} // namespace ravenmoor::test

#include "tests/support/stand_in_run.h"

#include "engine/encoder_progress.h"
#include "tests/support/test_support.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

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

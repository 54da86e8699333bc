#include "engine/console_process.h"
#include "platform/errors/recording_error_box.h"
#include "platform/process/windows_command_line.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <sys/resource.h>
#include <stdexcept>

namespace {

using ravenmoor::test::processesInGroup;

QCoreApplication &App()
{
    static int argc = 1;
    static char name[] = "console_process_test";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Everything one run reported: the line reports, the screen they make, the ends.
struct Recorder {
    QList<std::pair<QString, bool>> reports;
    QStringList screen;
    QList<quint32> ends;
    bool endedAfterOutput = true;

    void attach(TJvCreateProcess &runner)
    {
        runner.OnRead = [this](TJvCreateProcess *, const QString &line, bool startsOnNewLine) {
            if (!ends.isEmpty())
                endedAfterOutput = false;
            reports.append({line, startsOnNewLine});
            if (startsOnNewLine || screen.isEmpty())
                screen.append(line);
            else
                screen.last() = line;
        };
        runner.OnTerminate = [this](TJvCreateProcess *, quint32 code) { ends.append(code); };
    }
};

// Pumps events until done() holds or the time is up.
bool WaitFor(const std::function<bool()> &done, int timeoutMs = 30000)
{
    App();
    return ravenmoor::test::waitUntil(done, timeoutMs);
}

QString Shell(const QString &script) { return QStringLiteral("/bin/sh -c ") + QuoteWindowsArgument(script); }

long ResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

class ConsoleProcess : public ::testing::Test {
protected:
    void SetUp() override { App(); }
};

TEST_F(ConsoleProcess, ReportsTheOutputAndEndsOnce)
{
    const struct {
        const char *name;
        QString script;
        QStringList screen;
        quint32 exitCode;
    } table[] = {
        {"overwrite at a carriage return", "printf 'abc\\rxy\\n'", {"xyc", ""}, 0},
        {"standard error shares the pipe", "echo out; echo err >&2; exit 3", {"out", "err", ""}, 3},
        {"silent program", "exit 0", {}, 0},
        {"unfinished last line", "printf 'no line feed'", {"no line feed"}, 0},
        {"non-ASCII text", "printf 'Ünïcödé ファイル\\n'", {"Ünïcödé ファイル", ""}, 0},
        {"ended by a signal", "kill -9 $$", {}, 128 + 9},
    };
    for (const auto &row : table) {
        TJvCreateProcess runner;
        Recorder record;
        record.attach(runner);
        runner.CommandLine = Shell(row.script);
        runner.Run();
        ASSERT_TRUE(WaitFor([&] { return !record.ends.isEmpty(); })) << row.name;
        App().processEvents();
        EXPECT_EQ(record.screen, row.screen) << row.name;
        EXPECT_EQ(record.ends, QList<quint32>{row.exitCode}) << row.name;
        EXPECT_TRUE(record.endedAfterOutput) << row.name;
        if (!record.reports.isEmpty()) {
            EXPECT_TRUE(record.reports.first().second) << row.name;
        }
        EXPECT_EQ(runner.State(), TJvCreateProcess::TJvProcessState::Ready) << row.name;
    }
}

TEST_F(ConsoleProcess, StartsInTheWorkingFolderWithoutAShell)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("a \"b\" c"));
    ASSERT_TRUE(QDir().mkpath(folder));
    TJvCreateProcess runner;
    Recorder record;
    record.attach(runner);
    // No shell: $HOME and ; stay plain text.
    runner.CommandLine = QStringLiteral("/bin/echo $HOME ; ") + QuoteWindowsArgument(QStringLiteral("x \"y\""));
    runner.Run();
    ASSERT_TRUE(WaitFor([&] { return !record.ends.isEmpty(); }));
    EXPECT_EQ(record.screen.value(0), QStringLiteral("$HOME ; x \"y\""));

    TJvCreateProcess pwd;
    Recorder where;
    where.attach(pwd);
    pwd.CommandLine = QStringLiteral("/bin/pwd");
    pwd.CurrentDirectory = folder;
    pwd.Run();
    ASSERT_TRUE(WaitFor([&] { return !where.ends.isEmpty(); }));
    EXPECT_EQ(where.screen.value(0), QDir(folder).canonicalPath());
}

TEST_F(ConsoleProcess, IdlePriorityAndItsOwnProcessGroup)
{
    for (const TProcessPriority priority : {ppNormal, ppIdle}) {
        TJvCreateProcess runner;
        Recorder record;
        record.attach(runner);
        runner.Priority = priority;
        // pid, pgrp and nice of the shell itself.
        runner.CommandLine = Shell(QStringLiteral("read -r s < /proc/$$/stat; set -- ${s##*') '}; echo $$ $3 ${17}"));
        runner.Run();
        const qint64 pid = runner.ProcessId();
        ASSERT_TRUE(WaitFor([&] { return !record.ends.isEmpty(); }));
        const QStringList fields = record.screen.value(0).split(u' ');
        ASSERT_EQ(fields.size(), 3) << record.screen.value(0).toStdString();
        EXPECT_EQ(fields[0].toLongLong(), pid);
        EXPECT_EQ(fields[1].toLongLong(), pid) << "the program leads its own process group";
        EXPECT_EQ(fields[2], priority == ppIdle ? QStringLiteral("19") : QString::number(getpriority(PRIO_PROCESS, 0)));
    }
}

TEST_F(ConsoleProcess, RunRaisesWhenTheProgramCannotStartOrRunsAlready)
{
    TJvCreateProcess missing;
    Recorder none;
    none.attach(missing);
    missing.CommandLine = QStringLiteral("/nonexistent/register.dat -mardozb x");
    try {
        missing.Run();
        FAIL() << "a missing program started";
    } catch (const std::runtime_error &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("/nonexistent/register.dat"))) << e.what();
    }
    EXPECT_EQ(missing.State(), TJvCreateProcess::TJvProcessState::Ready);

    TJvCreateProcess empty;
    empty.CommandLine = QStringLiteral("  ");
    EXPECT_THROW(empty.Run(), std::runtime_error);

    TJvCreateProcess runner;
    Recorder record;
    record.attach(runner);
    runner.CommandLine = QStringLiteral("/bin/sleep 0.3");
    runner.Run();
    try {
        runner.Run();
        FAIL() << "a second run started";
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "Cannot perform this operation when process is running");
    }
    ASSERT_TRUE(WaitFor([&] { return !record.ends.isEmpty(); }));
    EXPECT_EQ(record.ends.size(), 1);
    App().processEvents();
    EXPECT_TRUE(none.ends.isEmpty());
}

// The end handler starts the next job, and may release its own runner.
TEST_F(ConsoleProcess, AnEndHandlerStartsTheNextRun)
{
    QStringList order;
    int ended = 0;
    std::function<void(int)> startJob = [&](int n) {
        auto *runner = new TJvCreateProcess;
        runner->CommandLine = QStringLiteral("/bin/echo job%1").arg(n);
        runner->OnRead = [&](TJvCreateProcess *, const QString &line, bool) {
            if (!line.isEmpty())
                order << line;
        };
        runner->OnTerminate = [&, n](TJvCreateProcess *self, quint32) {
            ++ended;
            if (n < 3)
                startJob(n + 1);
            if (n == 2)
                delete self; // released inside its own end handler
            else
                self->deleteLater();
        };
        runner->Run();
    };
    startJob(1);
    ASSERT_TRUE(WaitFor([&] { return ended == 3; }));
    EXPECT_EQ(order, (QStringList{"job1", "job2", "job3"}));
}

TEST_F(ConsoleProcess, AHandlerErrorGoesToTheErrorHandlerAndTheRunGoesOn)
{
    RecordingErrorBox box;
    TJvCreateProcess runner;
    runner.ErrorHandler = &box;
    QStringList lines;
    quint32 ends = 0;
    runner.OnRead = [&](TJvCreateProcess *, const QString &line, bool) {
        lines << line;
        if (line == QStringLiteral("bad"))
            throw std::runtime_error("handler failed");
    };
    runner.OnTerminate = [&](TJvCreateProcess *, quint32) {
        ++ends;
        throw std::runtime_error("end handler failed");
    };
    runner.CommandLine = Shell(QStringLiteral("echo bad; sleep 0.1; echo good"));
    runner.Run();
    ASSERT_TRUE(WaitFor([&] { return ends > 0; }));
    App().processEvents();
    EXPECT_TRUE(lines.contains(QStringLiteral("good")));
    EXPECT_EQ(ends, 1u);
    EXPECT_EQ(box.shown, (QStringList{"handler failed", "end handler failed"}));
}

TEST_F(ConsoleProcess, TerminateEndsTheWholeProcessGroup)
{
    const struct {
        const char *name;
        QString script;
    } table[] = {
        {"children that obey", QStringLiteral("sleep 100 & sleep 100 & echo started; wait")},
        {"children that ignore SIGTERM", QStringLiteral("trap '' TERM; sh -c \"trap '' TERM; sleep 100\" & echo started; wait")},
    };
    for (const auto &row : table) {
        TJvCreateProcess runner;
        Recorder record;
        record.attach(runner);
        runner.CommandLine = Shell(row.script);
        runner.Run();
        const qint64 group = runner.ProcessId();
        ASSERT_TRUE(WaitFor([&] { return record.screen.contains(QStringLiteral("started")); })) << row.name;
        EXPECT_GE(processesInGroup(group), 2) << row.name;
        QElapsedTimer clock;
        clock.start();
        runner.Terminate(std::chrono::milliseconds(300));
        ASSERT_TRUE(WaitFor([&] { return !record.ends.isEmpty(); }, 10000)) << row.name;
        EXPECT_LT(clock.elapsed(), 5000) << row.name;
        ASSERT_TRUE(WaitFor([&] { return processesInGroup(group) == 0; }, 5000)) << row.name;
        App().processEvents();
        EXPECT_EQ(record.ends.size(), 1) << row.name;
    }
}

// A program that ends leaving a child behind (its own or one killed mid-run):
// the rest of its group ends with it, and the end is reported once.
TEST_F(ConsoleProcess, TheGroupOfAnEndedProgramEndsWithIt)
{
    const struct {
        const char *name;
        QString script;
    } table[] = {
        {"leaves a child running", QStringLiteral("sleep 100 > /dev/null 2>&1 & echo started")},
        {"killed outright", QStringLiteral("sleep 100 > /dev/null 2>&1 & echo started; kill -KILL $$")},
    };
    for (const auto &row : table) {
        TJvCreateProcess runner;
        Recorder record;
        record.attach(runner);
        runner.CommandLine = Shell(row.script);
        runner.Run();
        const qint64 group = runner.ProcessId();
        ASSERT_TRUE(WaitFor([&] { return !record.ends.isEmpty(); }, 10000)) << row.name;
        EXPECT_TRUE(record.screen.contains(QStringLiteral("started"))) << row.name;
        EXPECT_TRUE(WaitFor([&] { return processesInGroup(group) == 0; }, 3000)) << row.name;
        App().processEvents();
        EXPECT_EQ(record.ends.size(), 1) << row.name;
    }
}

// 100 MB of status lines, ended by line feeds or (as ffmpeg's) by carriage
// returns: every line arrives, and memory stays flat.
TEST_F(ConsoleProcess, LargeOutputIsNeverDroppedAndMemoryStaysBounded)
{
    const QByteArray status = "frame=  100 fps= 25 q=28.0 size=    1024kB time=83.45 bitrate= 792.5kbits/s speed=1.0x";
    const qint64 total = 100'000'000;
    const struct {
        const char *name;
        const char *filter; // turns yes's line feeds into the line end under test
        qint64 newLines;    // reports that open a new line
    } table[] = {
        {"line feeds", "cat", total / (status.size() + 1) + 1},
        {"carriage returns", "tr '\\n' '\\r'", 1},
    };
    for (const auto &row : table) {
        const long before = ResidentKilobytes();
        long peak = before;
        qint64 newLines = 0;
        qint64 reports = 0;
        qint64 bytes = 0;
        quint32 ends = 0;
        TJvCreateProcess runner;
        runner.OnRead = [&](TJvCreateProcess *, const QString &line, bool startsOnNewLine) {
            if (startsOnNewLine)
                ++newLines;
            bytes = std::max<qint64>(bytes, line.size());
            if (++reports % 4096 == 0)
                peak = std::max(peak, ResidentKilobytes());
        };
        runner.OnTerminate = [&](TJvCreateProcess *, quint32) { ++ends; };
        runner.CommandLine = Shell(QStringLiteral("yes '%1' | head -c %2 | %3")
                                       .arg(QString::fromLatin1(status))
                                       .arg(total)
                                       .arg(QString::fromLatin1(row.filter)));
        runner.Run();
        ASSERT_TRUE(WaitFor([&] { return ends > 0; }, 120000)) << row.name;
        peak = std::max(peak, ResidentKilobytes());
        EXPECT_EQ(newLines, row.newLines) << row.name;
        EXPECT_EQ(bytes, status.size()) << row.name << ": the longest line";
        EXPECT_GT(reports, total / LineEmulator::kPortionSize) << row.name;
        if (ravenmoor::test::residentMemoryIsMeasurable()) {
            EXPECT_LT(peak - before, 10 * 1024) << row.name << ": kB resident growth";
        }
    }
}

} // namespace

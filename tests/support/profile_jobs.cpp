#include "tests/support/profile_jobs.h"

#include "engine/console_process.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <functional>

namespace ravenmoor::test {

void RunEncoderLines(std::vector<EncoderRun> &runs, const QString &workingFolder, int parallel)
{
    const std::size_t most = std::size_t(std::max(1, parallel));
    std::size_t next = 0, running = 0;
    QEventLoop loop;
    std::function<void()> startNext = [&] {
        while (running < most && next < runs.size()) {
            EncoderRun &run = runs[next++];
            auto *runner = new TJvCreateProcess(QCoreApplication::instance());
            runner->CommandLine = run.commandLine;
            runner->CurrentDirectory = workingFolder;
            runner->OnRead = [&run](TJvCreateProcess *, const QString &line, bool) {
                if (!line.trimmed().isEmpty())
                    run.lastLines = (run.lastLines + " | " + line.trimmed()).right(400);
            };
            runner->OnTerminate = [&](TJvCreateProcess *sender, quint32 code) {
                run.exitCode = code;
                sender->deleteLater();
                --running;
                if (next == runs.size() && running == 0)
                    loop.quit();
                else
                    QTimer::singleShot(0, &loop, startNext);
            };
            ++running;
            runner->Run();
        }
    };
    if (runs.empty())
        return;
    QTimer::singleShot(0, &loop, startNext);
    loop.exec();
}

} // namespace ravenmoor::test

// The preview in the real window on an X display, for bench/preview_start.sh
// and bench/screenshot.sh.
//
//   preview_driver bench <clip> <dvd folder> [runs]
//     For a file row and for the DVD's longest title, `runs` times: the time
//     from the Play press to the first decoded frame (the player's first
//     event), the time from a release of the play bar at its middle to the
//     first frame from there, and the CPU the preview's threads (all but
//     the window's own) use while paused.
//     Prints one line per figure, medians last; exits 1 above the limits.
//   preview_driver show <clip>
//     Plays the clip in the window, prints "playing" and keeps playing until
//     its standard input closes.

#include "disc/preview_control.h"
#include "engine/runner_source_probe.h"
#include "engine/source_list.h"
#include "engine/text_helpers.h"
#include "main/window/main_window.h"
#include "skin_controls/controls/image_button.h"
#include "main/window/process_slot_runner.h"
#include "main/program.h"
#include "platform/dialogs/message_error_box.h"
#include "platform/dialogs/recording_dialogs.h"
#include "platform/errors/error_guard.h"
#include "platform/paths/program_paths.h"
#include "platform/shell/recording_shell.h"
#include "platform/skin/skin.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kFileStartLimitMs = 500;
// The first preview of a session also opens the player library and finds the
// display's video and sound outputs.
constexpr double kFirstStartLimitMs = 600;
constexpr double kDvdStartLimitMs = 800;
constexpr double kSeekLimitMs = 300;
constexpr double kPausedCpuLimit = 1.0; // percent of one core

bool WaitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return done();
}

// CPU seconds of the process's threads other than the window's own (the
// main thread): the preview's worker and the player's threads.
double PlayerCpuSeconds()
{
    const QString self = QString::number(getpid());
    const double tick = double(sysconf(_SC_CLK_TCK));
    double seconds = 0;
    for (const QString &task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(QStringLiteral("/proc/self/task/%1/stat").arg(task));
        if (task == self || !stat.open(QIODevice::ReadOnly))
            continue;
        // After the thread's name in parentheses, utime and stime are the 12th and 13th fields.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 12)
            seconds += (fields[11].toDouble() + fields[12].toDouble()) / tick;
    }
    return seconds;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

class Driver {
public:
    explicit Driver(Tfm_main &window) : m_window(window) {}

    QPoint centre(const char *object) const
    {
        ISkinObject *o = m_window.skin().GetWindowObject(&m_window)->FindChildObject(QString::fromLatin1(object));
        return o ? o->FrameFacet()->GetRect().toQRect().center() : QPoint();
    }
    void click(const char *object) { QTest::mouseClick(&m_window, Qt::LeftButton, {}, centre(object)); }
    bool firstFrame(int timeoutMs = 10000)
    {
        return WaitUntil([&] { return m_window.binding().play_bar.frame->IsVisible(); }, timeoutMs);
    }
    // Play pressed: milliseconds to the first frame, negative when none came.
    double start()
    {
        auto *play = m_window.findChild<TsuiImageButton *>(QStringLiteral("bt_play"));
        QElapsedTimer clock;
        clock.start();
        play->click();
        return firstFrame() ? clock.nsecsElapsed() / 1e6 : -1;
    }
    // The play bar released at its middle: milliseconds until the player plays from there.
    double seekToMiddle(bool dvd, int rowSeconds)
    {
        const QPoint middle = centre("play_bar");
        QTest::mousePress(&m_window, Qt::LeftButton, {}, middle);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseRelease(&m_window, Qt::LeftButton, {}, middle);
        PreviewControl &preview = m_window.preview();
        const double target = rowSeconds / 2.0 - 0.5;
        // A DVD's clock starts again with the player's first event from the new place.
        const bool answered = WaitUntil(
            [&] { return dvd ? preview.play_time().isActive() : preview.PreviewStamp() >= target; }, 5000);
        return answered ? clock.nsecsElapsed() / 1e6 : -1;
    }
    // Percent of one core the preview's threads use over `ms` of a paused preview.
    double pausedCpu(int ms)
    {
        click("pause");
        QTest::qWait(500);
        const double before = PlayerCpuSeconds();
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(ms);
        const double percent = 100.0 * (PlayerCpuSeconds() - before) / (clock.nsecsElapsed() / 1e9);
        click("pause");
        return percent;
    }
    bool stop()
    {
        click("stop");
        return WaitUntil([&] { return !m_window.state().previewing && !m_window.preview().workerRunning(); }, 5000);
    }

private:
    Tfm_main &m_window;
};

struct Figures {
    std::vector<double> start, seek, cpu;
};

bool Measure(Driver &driver, Tfm_main &window, const char *what, bool dvd, int runs, Figures &f)
{
    const int row = window.sourceList().selectedRow();
    const int rowSeconds = dvd ? int(window.sourceList().convertInfo().value(row).length)
                               : HmsToSeconds(window.sourceList().row(row).subItems[SourceRow::OriginalTime]);
    for (int i = 0; i < runs; ++i) {
        const double start = driver.start();
        if (start < 0) {
            std::printf("%s: no frame came\n", what);
            return false;
        }
        QTest::qWait(1200);
        const double seek = driver.seekToMiddle(dvd, rowSeconds);
        const double cpu = driver.pausedCpu(3000);
        if (!driver.stop()) {
            std::printf("%s: the preview did not stop\n", what);
            return false;
        }
        std::printf("%s run %d: start %.0f ms, seek %.0f ms, paused CPU %.2f %%\n", what, i + 1, start, seek, cpu);
        std::fflush(stdout);
        f.start.push_back(start);
        f.seek.push_back(seek < 0 ? 1e9 : seek);
        f.cpu.push_back(cpu);
        QTest::qWait(300);
    }
    return true;
}

int Bench(Tfm_main &window, RecordingDialogs &dialogs, const QString &clip, const QString &disc, int runs)
{
    Driver driver(window);
    dialogs.fileChoices << QStringList{clip};
    window.AddFilesDialog();
    window.sourceList().selectOnly(0);
    window.UpdateControlStates();
    Figures file, dvd;
    if (!Measure(driver, window, "file", false, runs, file))
        return 1;

    dialogs.answers << true;
    window.ClearSourceList();
    dialogs.folderChoices << disc;
    window.OpenDvdFolder();
    if (window.sourceList().rowCount() == 0) {
        std::printf("dvd: no titles listed\n");
        return 1;
    }
    if (!Measure(driver, window, "dvd", true, runs, dvd))
        return 1;

    const double fileStart = Median(file.start), dvdStart = Median(dvd.start);
    const double seek = std::max(Median(file.seek), Median(dvd.seek));
    const double cpu = std::max(*std::max_element(file.cpu.begin(), file.cpu.end()),
                                *std::max_element(dvd.cpu.begin(), dvd.cpu.end()));
    std::printf("first file start: %.0f ms (limit %.0f); first dvd start: %.0f ms\n", file.start.front(),
                kFirstStartLimitMs, dvd.start.front());
    std::printf("median file start: %.0f ms, best %.0f (limit %.0f)\n", fileStart,
                *std::min_element(file.start.begin(), file.start.end()), kFileStartLimitMs);
    std::printf("median dvd start: %.0f ms, best %.0f (limit %.0f)\n", dvdStart,
                *std::min_element(dvd.start.begin(), dvd.start.end()), kDvdStartLimitMs);
    std::printf("median seek (file %.0f, dvd %.0f): %.0f ms (limit %.0f)\n", Median(file.seek), Median(dvd.seek), seek,
                kSeekLimitMs);
    std::printf("paused CPU of the preview's threads, highest: %.2f %% of a core (limit %.1f)\n", cpu, kPausedCpuLimit);
    const bool within = file.start.front() <= kFirstStartLimitMs && fileStart <= kFileStartLimitMs &&
                        dvdStart <= kDvdStartLimitMs && seek <= kSeekLimitMs && cpu <= kPausedCpuLimit;
    std::printf("%s\n", within ? "within the limits" : "ABOVE THE LIMITS");
    return within ? 0 : 1;
}

int Show(QApplication &app, Tfm_main &window, RecordingDialogs &dialogs, const QString &clip)
{
    Driver driver(window);
    dialogs.fileChoices << QStringList{clip};
    window.AddFilesDialog();
    window.sourceList().selectOnly(0);
    window.UpdateControlStates();
    if (driver.start() < 0)
        return 1;
    QTest::qWait(1500);
    std::printf("playing\n");
    std::fflush(stdout);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            QCoreApplication::quit();
    });
    return app.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    MessageErrorBox errors;
    GuardedApplication<QApplication> app(argc, argv, errors);
    const QStringList args = app.arguments();
    const bool bench = args.size() >= 4 && args[1] == "bench";
    if (!bench && !(args.size() == 3 && args[1] == "show")) {
        std::fprintf(stderr, "usage: preview_driver bench <clip> <dvd folder> [runs] | show <clip>\n");
        return 2;
    }
    const ProgramPaths own("ravenmoor");
    const ProgramPaths paths(QStringLiteral(RAVENMOOR_BIN_DIR), QStringLiteral("ravenmoor"), own.configFolder());
    RecordingDialogs dialogs;
    RecordingShell shell;
    RunnerSourceProbe probe;
    EncoderProcesses encoders;
    Program program(ProgramOutside{paths, errors, dialogs, shell, probe, encoders});
    Tfm_main &window = program.main();
    const PlayerLibraryPreload playerLibrary(window); // as the program does
    errors.setParent(&window);
    window.move(40, 40);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    // As the hint window's check box leaves it: no modal hint before each file preview.
    window.skinIni().WriteBool(QStringLiteral("play"), QStringLiteral("hint"), false);
    const int code = bench ? Bench(window, dialogs, args[2], args[3], args.size() > 4 ? args[4].toInt() : 5)
                           : Show(app, window, dialogs, args[2]);
    program.shutDown();
    return code;
}

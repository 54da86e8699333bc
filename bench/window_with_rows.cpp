// The main window as a user sees it after adding files: the program's windows
// over the real data files, the files given (as if chosen in the open dialog)
// on the command line, probed and listed. Prints "ready" once the rows are in
// and keeps the window up until its standard input closes. With
// RAVENMOOR_OPEN_MENU naming one of the window's popup menus, that menu is
// open over the list then.
// bench/screenshot.sh runs it under Xvfb and photographs the screen.

#include "main/window/main_window.h"
#include "main/window/process_slot_runner.h"
#include "main/program.h"
#include "engine/runner_source_probe.h"
#include "platform/dialogs/message_error_box.h"
#include "platform/dialogs/recording_dialogs.h"
#include "platform/errors/error_guard.h"
#include "platform/paths/program_paths.h"
#include "platform/shell/recording_shell.h"

#include <QApplication>
#include <QMenu>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    MessageErrorBox errors;
    GuardedApplication<QApplication> app(argc, argv, errors);
    const ProgramPaths own("ravenmoor");
    const ProgramPaths paths(QStringLiteral(RAVENMOOR_BIN_DIR), QStringLiteral("ravenmoor"), own.configFolder());
    RecordingDialogs dialogs;
    QStringList files;
    for (int i = 1; i < argc; ++i)
        files << QString::fromLocal8Bit(argv[i]);
    dialogs.fileChoices << files;
    RecordingShell shell;
    RunnerSourceProbe probe;
    EncoderProcesses encoders;
    Program program(ProgramOutside{paths, errors, dialogs, shell, probe, encoders});
    Tfm_main &window = program.main();
    errors.setParent(&window);
    window.move(40, 40);
    window.show();
    QTimer::singleShot(200, &window, [&window] {
        window.AddFilesDialog();
        window.sourceList().selectOnly(0);
        window.UpdateControlStates();
        if (auto *menu = window.findChild<QMenu *>(qEnvironmentVariable("RAVENMOOR_OPEN_MENU"))) {
            auto *list = window.findChild<QWidget *>(QStringLiteral("lv"));
            menu->popup(list->mapToGlobal(QPoint(list->width() / 3, 40)));
        }
        std::printf("ready %d rows\n", window.sourceList().rowCount());
        std::fflush(stdout);
    });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            QCoreApplication::quit();
    });
    const int code = app.exec();
    program.shutDown();
    return code;
}

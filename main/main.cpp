#include "platform/dialogs/message_error_box.h"
#include "platform/errors/error_guard.h"
#include "platform/paths/program_paths.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    // Fixed first: the logical name comes from argv[0], before anything else reads it.
    const ProgramPaths paths(argc > 0 ? argv[0] : nullptr);
    MessageErrorBox errorBox;
    GuardedApplication<QApplication> app(argc, argv, errorBox);
    QApplication::setApplicationDisplayName(QStringLiteral("Ravenmoor"));

    QMainWindow window;
    errorBox.setParent(&window);
    window.setWindowTitle(QStringLiteral("Ravenmoor"));
    window.resize(800, 560);
    window.show();
    return app.exec();
}

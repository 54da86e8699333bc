#pragma once

// A real X display of the test program's own: a private Xvfb found through
// -displayfd, ending with the test program, and the one application on it.

#include <QApplication>
#include <QProcess>

#include <csignal>
#include <sys/prctl.h>

namespace ravenmoor::test {

inline void StartPrivateDisplay()
{
    static QProcess *const server = new QProcess; // kept for the program's whole run
    server->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    server->start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    QByteArray number;
    while (!number.endsWith('\n') && server->waitForReadyRead(10000))
        number += server->readAllStandardOutput();
    if (number.trimmed().isEmpty())
        qFatal("Xvfb did not start");
    qputenv("DISPLAY", ":" + number.trimmed());
    qputenv("QT_QPA_PLATFORM", "xcb");
}

// The application, made on first use on a display started for it.
inline QApplication &PrivateDisplayApp()
{
    static int argc = 1;
    static char name[] = "display_test";
    static char *argv[] = {name, nullptr};
    static QApplication *application = [] {
        StartPrivateDisplay();
        return new QApplication(argc, argv);
    }();
    return *application;
}

} // namespace ravenmoor::test

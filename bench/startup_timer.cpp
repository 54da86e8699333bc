// The program as it starts for a user, until its main window has been painted
// for the first time: then it prints the wall-clock time (nanoseconds since
// the epoch) and ends. bench/first_paint.sh compares it with the time the
// process was started.

#include "main/window/main_window.h"
#include "main/program.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <chrono>
#include <cstdio>

namespace {

class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Once this paint has been done: the window is on screen.
            QTimer::singleShot(0, [] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("%lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace

int main(int argc, char *argv[])
{
    static char name[] = "ravenmoor";
    char *args[] = {name, nullptr};
    int count = 1;
    (void)argc;
    (void)argv;
    ProgramMainHooks hooks;
    hooks.executableFolder = QStringLiteral(RAVENMOOR_BIN_DIR);
    hooks.onShown = [](Tfm_main &window) { window.installEventFilter(new FirstPaint(&window)); };
    return ProgramMain(count, args, hooks);
}

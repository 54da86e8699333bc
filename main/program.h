#pragma once

// The program: its seven windows, made in their fixed order and living until
// the end, and the entry that runs them.

#include "main/window/window_language.h"
#include "platform/dialogs/dialogs.h"

#include <QObject>

#include <functional>
#include <memory>
#include <thread>

class ErrorBox;
class NotificationIcon;
class ProgramPaths;
class Shell;
class SourceProbe;
class Tfm_about;
class Tfm_add;
class Tfm_dir;
class Tfm_info;
class Tfm_main;
class Tfm_set;
class Tfm_show;
class EncoderProcesses;

// The outside world the windows act on; tests give recording ones.
struct ProgramOutside {
    const ProgramPaths &paths;
    ErrorBox &errors;
    Dialogs &dialogs;
    Shell &shell;
    SourceProbe &probe;
    EncoderProcesses &encoders;
    NotificationIcon *notificationIcon = nullptr; // null: the desktop's notification area
};

class Program {
public:
    // Makes Tfm_main, Tfm_dir, Tfm_about, Tfm_set, Tfm_show, Tfm_info, Tfm_add
    // in that order. Throws when one cannot be made (a missing "wait.skn").
    explicit Program(ProgramOutside outside);
    ~Program();

    Tfm_main &main() const { return *m_main; }
    Tfm_dir &folderPicker() const { return *m_dir; }
    Tfm_set &settingsWindow() const { return *m_set; }
    Tfm_add &hintWindow() const { return *m_add; }
    Tfm_info &infoWindow() const { return *m_info; }
    const WindowLanguage &language() const { return m_language; }

    // After the message loop: ends the encoders still running, so none is left
    // working with no window to show or stop it.
    void shutDown();

private:
    ProgramOutside m_outside;
    WindowLanguage m_language;
    std::unique_ptr<Tfm_main> m_main;
    std::unique_ptr<Tfm_dir> m_dir;
    std::unique_ptr<Tfm_about> m_about;
    std::unique_ptr<Tfm_set> m_set;
    std::unique_ptr<Tfm_show> m_show;
    std::unique_ptr<Tfm_info> m_info;
    std::unique_ptr<Tfm_add> m_add;
};

// The real dialogs over the main window, with the program's own folder picker.
class ProgramDialogs : public Dialogs {
public:
    ProgramDialogs();
    ~ProgramDialogs() override;
    // Once the windows exist.
    void setWindows(QWidget *owner, Tfm_dir *picker);

    void message(MessageKind kind, const QString &text) override { m_standard->message(kind, text); }
    bool ask(MessageKind kind, const QString &text) override { return m_standard->ask(kind, text); }
    QStringList openFiles(const QVector<FileFilter> &filter) override { return m_standard->openFiles(filter); }
    QString pickFolder(const QString &caption) override;

private:
    std::unique_ptr<Dialogs> m_standard;
    Tfm_dir *m_picker = nullptr;
};

// Opens the player library (with the ffmpeg libraries it brings) on a thread
// of its own once the window has been painted for the first time, so that
// neither the first paint nor the first preview waits for it. Waits for the
// loading to end when destroyed.
class PlayerLibraryPreload : public QObject {
public:
    explicit PlayerLibraryPreload(QWidget &window);
    ~PlayerLibraryPreload() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    std::jthread m_loading;
};

// For programs that run the windows with a purpose of their own (benchmarks).
struct ProgramMainHooks {
    QString executableFolder;                 // where the data files lie; empty: beside the binary
    std::function<void(Tfm_main &)> onShown;  // runs right after the main window was shown
};

// Runs the program to its end and returns its exit code.
int ProgramMain(int argc, char *argv[], const ProgramMainHooks &hooks = {});

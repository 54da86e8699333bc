#include "main/program.h"

#include "engine/source_list.h"
#include "main/dialogs/about_window.h"
#include "main/dialogs/folder_picker.h"
#include "main/dialogs/hint_window.h"
#include "main/dialogs/info_window.h"
#include "main/window/main_window.h"
#include "main/window/process_slot_runner.h"
#include "engine/runner_source_probe.h"
#include "main/dialogs/settings_window.h"
#include "main/dialogs/update_window.h"
#include "platform/dialogs/message_error_box.h"
#include "platform/dialogs/qt_dialogs.h"
#include "platform/errors/error_guard.h"
#include "platform/paths/program_paths.h"
#include "platform/player/mpv_library.h"
#include "platform/shell/desktop_shell.h"
#include "skin_controls/drawing/form_helpers.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace {

WindowLanguage::ListTarget ModelList(ComboModel &model)
{
    return {[&model] { model.Clear(); }, [&model](const QString &text) { model.Add(text); }};
}

} // namespace

Program::Program(ProgramOutside outside) : m_outside(outside)
{
    const ProgramPaths &paths = m_outside.paths;
    m_main = std::make_unique<Tfm_main>(MainWindowServices{paths, m_outside.dialogs, m_outside.shell, m_outside.errors,
                                                           m_outside.probe, m_outside.encoders.factory(),
                                                           m_outside.notificationIcon});
    Tfm_main *main = m_main.get();
    SetApplicationMainForm(main);
    m_dir = std::make_unique<Tfm_dir>(main);
    m_about = std::make_unique<Tfm_about>(main->skin(), main);
    m_set = std::make_unique<Tfm_set>(main->state(), main->settings(), main->estimateRows(), main->texts(),
                                      m_outside.dialogs, [main] { return main->settingsFile().qualityIni(); }, main);
    m_show = std::make_unique<Tfm_show>(paths.besideExecutable(QStringLiteral("wait.skn")), main);
    m_info = std::make_unique<Tfm_info>(
        [main]() -> const Toriginalinfo * {
            const int row = main->sourceList().selectedRow();
            const auto &info = main->sourceList().originalInfo();
            return row >= 0 && row < info.size() ? &info[row] : nullptr;
        },
        [main] {
            const int row = main->sourceList().selectedRow();
            return row >= 0 ? main->sourceList().row(row).note : QString();
        },
        main);
    m_add = std::make_unique<Tfm_add>(paths.besideExecutable(QStringLiteral("wait.skn")), main->skinIni(), main);

    for (QWidget *w : std::initializer_list<QWidget *>{m_main.get(), m_dir.get(), m_set.get(), m_info.get()})
        m_language.addWindow(w);
    SettingsModel &settings = main->settings();
    m_language.addList(QStringLiteral("Tfm_set"), QStringLiteral("cb_videobitrate"), ModelList(settings.cb_videobitrate));
    m_language.addList(QStringLiteral("Tfm_set"), QStringLiteral("cb_audiobitrate"), ModelList(settings.cb_audiobitrate));
    m_language.addList(QStringLiteral("Tfm_set"), QStringLiteral("cb_channel"), ModelList(settings.cb_channel));
    Tfm_set *set = m_set.get();
    auto finishItems = std::make_shared<QStringList>();
    m_language.addList(QStringLiteral("Tfm_set"), QStringLiteral("rg_finish"),
                       {[set, finishItems] {
                            finishItems->clear();
                            set->setFinishItems(*finishItems);
                        },
                        [set, finishItems](const QString &text) {
                            *finishItems << text;
                            set->setFinishItems(*finishItems);
                        }});
    main->attachWindows(m_set.get(), m_add.get(), [this] { ApplyLanguage(m_main->texts(), m_language); });
    main->attachInfoWindow(m_info.get());
}

Program::~Program() = default;

void Program::shutDown()
{
    // Closing during a run has stopped it; the stopped encoders get a moment
    // to close their files, and nothing of theirs outlives the program.
    m_main->state().converting = false;
    m_outside.encoders.endAll(std::chrono::seconds(3));
}

ProgramDialogs::ProgramDialogs() : m_standard(std::make_unique<QtDialogs>()) {}

ProgramDialogs::~ProgramDialogs() = default;

void ProgramDialogs::setWindows(QWidget *owner, Tfm_dir *picker)
{
    m_standard = std::make_unique<QtDialogs>(owner);
    m_picker = picker;
}

QString ProgramDialogs::pickFolder(const QString &caption)
{
    return m_picker ? m_picker->pick(caption) : m_standard->pickFolder(caption);
}

PlayerLibraryPreload::PlayerLibraryPreload(QWidget &window) : m_window(&window)
{
    window.installEventFilter(this);
}

PlayerLibraryPreload::~PlayerLibraryPreload() = default;

bool PlayerLibraryPreload::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched == m_window) {
        m_window->removeEventFilter(this);
        // Once this paint is done.
        QTimer::singleShot(0, this, [this] { m_loading = std::jthread([] { MpvLibraryProblem(); }); });
    }
    return QObject::eventFilter(watched, event);
}

namespace {

ProgramPaths PathsFor(const char *argv0, const QString &executableFolder)
{
    const ProgramPaths own(argv0);
    if (executableFolder.isEmpty())
        return own;
    return ProgramPaths(executableFolder, own.executableName(), own.configFolder());
}

} // namespace

int ProgramMain(int argc, char *argv[], const ProgramMainHooks &hooks)
{
    // Fixed first: the logical name comes from argv[0], before anything else reads it.
    const ProgramPaths paths = PathsFor(argc > 0 ? argv[0] : nullptr, hooks.executableFolder);
    MessageErrorBox errorBox;
    GuardedApplication<QApplication> app(argc, argv, errorBox);
    QApplication::setApplicationDisplayName(QStringLiteral("Ravenmoor"));

    ProgramDialogs dialogs;
    DesktopShell shell;
    RunnerSourceProbe probe;
    EncoderProcesses encoders;
    std::unique_ptr<Program> program;
    if (!RunGuarded(errorBox, [&] {
            program = std::make_unique<Program>(ProgramOutside{paths, errorBox, dialogs, shell, probe, encoders});
        }))
        return 1;
    Tfm_main &main = program->main();
    errorBox.setParent(&main);
    dialogs.setWindows(&main, &program->folderPicker());

    const PlayerLibraryPreload playerLibrary(main);
    main.show();
    if (main.skinFailed())
        return 1;
    if (hooks.onShown)
        hooks.onShown(main);
    const int code = app.exec();
    program->shutDown();
    return code;
}

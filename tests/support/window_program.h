#pragma once

// The real program in a window test: one application per test program, and
// the program over the built program folder with a real probe and real
// encoders, its dialogs, errors and shell recorded.

#include "engine/runner_source_probe.h"
#include "main/picker/picker_controller.h"
#include "main/picker/picker_panels.h"
#include "main/program.h"
#include "main/window/main_window.h"
#include "main/window/process_slot_runner.h"
#include "platform/dialogs/recording_dialogs.h"
#include "platform/errors/recording_error_box.h"
#include "platform/paths/program_paths.h"
#include "platform/shell/recording_shell.h"
#include "platform/skin/skin.h"
#include "tests/support/test_support.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace ravenmoor::test {

inline QApplication &windowTestApp()
{
    static int argc = 1;
    static char name[] = "window_test";
    static char *argv[] = {name, nullptr};
    static auto *application = new QApplication(argc, argv);
    return *application;
}

// The middle of a skin object, in window pixels.
inline QPoint SkinObjectCentre(Tfm_main &window, const char *object)
{
    ISkinObject *o = window.skin().GetWindowObject(&window)->FindChildObject(QString::fromLatin1(object));
    EXPECT_TRUE(o) << object;
    return o ? o->FrameFacet()->GetRect().toQRect().center() : QPoint();
}

// A left click there, as the user's hand gives it.
inline void ClickObject(Tfm_main &window, const char *object)
{
    QTest::mouseClick(&window, Qt::LeftButton, {}, SkinObjectCentre(window, object));
}

struct RealProgram {
    QTemporaryDir config;
    RecordingErrorBox errors;
    RecordingDialogs dialogs;
    RecordingShell shell;
    RunnerSourceProbe probe;
    EncoderProcesses encoders;
    std::unique_ptr<ProgramPaths> paths;
    std::unique_ptr<Program> program;

    // The program as executableName in the built program folder, with the
    // test's own config folder found the way the program finds it.
    void makeProgram(const QString &executableName = QStringLiteral("ravenmoor"))
    {
        qputenv("RAVENMOOR_CONFIG_DIR", config.path().toUtf8());
        paths = std::make_unique<ProgramPaths>(
            binDir(), executableName,
            ConfigFolderFromEnvironment([](const char *name) { return qEnvironmentVariable(name); }));
        program = std::make_unique<Program>(ProgramOutside{*paths, errors, dialogs, shell, probe, encoders});
    }
    void showWindow()
    {
        window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
        ASSERT_TRUE(window().setUpDone()) << errors.shown.join("\n").toStdString();
    }
    // Shown, with its outputs going into folder in the iPod 320x240 MPEG-4
    // profile: small and quick to encode.
    void showWindowForQuickOutputs(const QString &folder)
    {
        ASSERT_NO_FATAL_FAILURE(showWindow());
        window().settings().ed_output = folder;
        window().picker().picker().ButtonClick(27);
        ASSERT_EQ(window().state().currentProfile, 27);
    }
    // Nothing of a test outlives it.
    void endProgram()
    {
        if (!program)
            return;
        encoders.endAll(std::chrono::seconds(3));
        program->shutDown();
        program.reset();
    }
    Tfm_main &window() { return program->main(); }

    // The window's source list view.
    QTreeWidget *listView() { return window().findChild<QTreeWidget *>(QStringLiteral("lv")); }
    // A left click in the middle of that row.
    void clickRow(int row)
    {
        QTreeWidgetItem *item = listView()->topLevelItem(row);
        ASSERT_TRUE(item) << row;
        QTest::mouseClick(listView()->viewport(), Qt::LeftButton, {}, listView()->visualItemRect(item).center());
    }
    // As a click on the row's check box does.
    void checkRow(int row, bool checked)
    {
        listView()->topLevelItem(row)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    }
};

} // namespace ravenmoor::test

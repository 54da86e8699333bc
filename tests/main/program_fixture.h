#pragma once

// What the window tests share: one application per test program, and the
// program's outside world, all of it recording, over a program folder of its
// own with every file of the real one linked in.

#include "engine/source_list_commands.h"
#include "main/window/main_window.h"
#include "main/window/process_slot_runner.h"
#include "main/program.h"
#include "platform/dialogs/recording_dialogs.h"
#include "platform/errors/recording_error_box.h"
#include "platform/paths/program_paths.h"
#include "platform/shell/recording_shell.h"
#include "platform/shell/recording_tray_icon.h"
#include "tests/support/test_support.h"
#include "tests/support/window_program.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

inline QApplication &WindowTestApp() { return ravenmoor::test::windowTestApp(); }

// Never asked: the window tests add rows directly.
struct NoProbe : SourceProbe {
    void start(const QString &, const QString &) override {}
    std::optional<ProbeValues> takeNext() override { return std::nullopt; }
    void cancel() override {}
};

inline void LinkProgramFolder(const QString &folder)
{
    const QDir bin(ravenmoor::test::binDir());
    for (const QString &name : bin.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
        ASSERT_TRUE(QFile::link(bin.filePath(name), QDir(folder).filePath(name))) << name.toStdString();
}

struct RecordedOutside {
    QTemporaryDir folder, config;
    RecordingErrorBox errors;
    RecordingDialogs dialogs;
    RecordingShell shell;
    RecordingTrayIcon tray;
    NoProbe probe;
    EncoderProcesses encoders;
    std::unique_ptr<ProgramPaths> paths;
    std::unique_ptr<Program> program;

    void linkProgramFolder()
    {
        LinkProgramFolder(folder.path());
        paths = std::make_unique<ProgramPaths>(folder.path(), "ravenmoor", config.path());
    }
    void makeProgram()
    {
        program = std::make_unique<Program>(ProgramOutside{*paths, errors, dialogs, shell, probe, encoders, &tray});
    }
    void endProgram()
    {
        if (program)
            program->shutDown();
        program.reset();
    }
    Tfm_main &window() const { return program->main(); }
};

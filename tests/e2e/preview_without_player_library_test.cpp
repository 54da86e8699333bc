// The program without its player library: libmpv is opened only when a
// preview first needs it, so the program links none of it (nor the ffmpeg
// libraries it brings), and where it is missing (RAVENMOOR_LIBMPV naming a
// file that is not there) the window still starts and a preview ends with a
// message that says what is missing.

#include "engine/source_list.h"
#include "main/window/main_window.h"
#include "main/window/process_slot_runner.h"
#include "main/program.h"
#include "engine/runner_source_probe.h"
#include "platform/dialogs/recording_dialogs.h"
#include "platform/errors/recording_error_box.h"
#include "platform/paths/program_paths.h"
#include "platform/shell/recording_shell.h"
#include "tests/support/test_support.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace ravenmoor::test;

// The libraries loaded late (libmpv and the ffmpeg libraries it brings, libcurl) are not linked.
TEST(WithoutPlayerLibrary, TheProgramLinksNeitherThePlayerNorTheDecoders)
{
    QString libraries;
    ASSERT_EQ(runProgram(QStringLiteral("ldd"), {binDir() + QStringLiteral("/ravenmoor")}, &libraries), 0);
    ASSERT_TRUE(libraries.contains(QLatin1String("libQt6Widgets"))) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains(QLatin1String("libmpv"))) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains(QLatin1String("libavcodec"))) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains(QLatin1String("libcurl"))) << libraries.toStdString();
}

TEST(WithoutPlayerLibrary, APreviewEndsWithAMessageNamingIt)
{
    qputenv("RAVENMOOR_LIBMPV", "/nonexistent/libmpv.so.2");
    static int argc = 1;
    static char name[] = "preview_without_player_library_test";
    static char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QTemporaryDir config, media;
    const QString clip = media.filePath(QStringLiteral("clip.mp4"));
    ASSERT_TRUE(makeClip(clip, 2));
    qputenv("RAVENMOOR_CONFIG_DIR", config.path().toUtf8());
    const ProgramPaths paths(binDir(), "ravenmoor", config.path());
    RecordingErrorBox errors;
    RecordingDialogs dialogs;
    RecordingShell shell;
    RunnerSourceProbe probe;
    EncoderProcesses encoders;
    Program program(ProgramOutside{paths, errors, dialogs, shell, probe, encoders});
    Tfm_main &window = program.main();
    window.show();
    ASSERT_TRUE(window.setUpDone()) << errors.shown.join("\n").toStdString();
    window.skinIni().WriteBool("play", "hint", false);

    dialogs.fileChoices << QStringList{clip};
    window.AddFilesDialog();
    ASSERT_EQ(window.sourceList().rowCount(), 1) << dialogs.texts().join("\n").toStdString();
    window.sourceList().selectOnly(0);
    window.UpdateControlStates();
    window.StartPreview();
    ASSERT_TRUE(waitUntil([&] { return !window.state().previewing; }, 10000));
    EXPECT_TRUE(waitUntil([&] { return dialogs.texts().join("\n").contains(QLatin1String("libmpv")); }, 3000))
        << dialogs.texts().join("\n").toStdString();
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
    program.shutDown();
}

} // namespace

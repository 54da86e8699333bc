// The program without its player library: libmpv is opened only when a
// preview first needs it, so the program links none of it (nor the ffmpeg
// libraries it brings), and where it is missing (RAVENMOOR_LIBMPV naming a
// file that is not there) the window still starts and a preview ends with a
// message that says what is missing.

#include "engine/source_list.h"
#include "tests/support/test_support.h"
#include "tests/support/window_program.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace ravenmoor::test;

class WithoutPlayerLibrary : public testing::Test, protected RealProgram {
protected:
    void TearDown() override { endProgram(); }
};

// The libraries loaded late (libmpv and the ffmpeg libraries it brings, libcurl) are not linked.
TEST_F(WithoutPlayerLibrary, TheProgramLinksNeitherThePlayerNorTheDecoders)
{
    QString libraries;
    ASSERT_EQ(runProgram(QStringLiteral("ldd"), {binDir() + QStringLiteral("/ravenmoor")}, &libraries), 0);
    ASSERT_TRUE(libraries.contains(QLatin1String("libQt6Widgets"))) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains(QLatin1String("libmpv"))) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains(QLatin1String("libavcodec"))) << libraries.toStdString();
    EXPECT_FALSE(libraries.contains(QLatin1String("libcurl"))) << libraries.toStdString();
}

TEST_F(WithoutPlayerLibrary, APreviewEndsWithAMessageNamingIt)
{
    qputenv("RAVENMOOR_LIBMPV", "/nonexistent/libmpv.so.2");
    windowTestApp();
    QTemporaryDir media;
    const QString clip = media.filePath(QStringLiteral("clip.mp4"));
    ASSERT_TRUE(makeClip(clip, 2));
    makeProgram();
    ASSERT_NO_FATAL_FAILURE(showWindow());
    window().skinIni().WriteBool("play", "hint", false);

    dialogs.fileChoices << QStringList{clip};
    window().AddFilesDialog();
    ASSERT_EQ(window().sourceList().rowCount(), 1) << dialogs.texts().join("\n").toStdString();
    window().sourceList().selectOnly(0);
    window().UpdateControlStates();
    window().StartPreview();
    ASSERT_TRUE(waitUntil([&] { return !window().state().previewing; }, 10000));
    EXPECT_TRUE(waitUntil([&] { return dialogs.texts().join("\n").contains(QLatin1String("libmpv")); }, 3000))
        << dialogs.texts().join("\n").toStdString();
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

} // namespace

#include "engine/quote_if_spaced.h"
#include "platform/process/windows_command_line.h"

#include <gtest/gtest.h>

namespace {

TEST(QuoteIfSpaced, LeavesPlainPathsAndWrapsSpacedOnes)
{
    EXPECT_EQ(QuoteIfSpaced(QStringLiteral(R"(C:\Video\a.avi)")), QStringLiteral(R"(C:\Video\a.avi)"));
    EXPECT_EQ(QuoteIfSpaced(QStringLiteral("/home/u/clip.mp4")), QStringLiteral("/home/u/clip.mp4"));
    EXPECT_EQ(QuoteIfSpaced(QStringLiteral(R"(C:\My Video\a.avi)")), QStringLiteral(R"("C:\My Video\a.avi")"));
}

// Each path, quoted, comes back from the runner's split as one unchanged
// argument in the place the encoder line gives it.
TEST(QuoteIfSpaced, PathsSurviveTheEncoderLine)
{
    const char *paths[] = {
        "/media/My Video/clip one.avi",
        R"(/tmp/say "hi".mp4)",
        "/tmp/tab\there.mkv",
        R"(/tmp/back\"slash.avi)",
        R"(/tmp/ends in backslash\)",
        R"(/tmp/dir\\)",
        "-leading-dash.avi",
        "- spaced dash.avi",
        "/tmp/Ünïcödé ファイル.mp4",
        "/tmp/\"\"\"",
        "",
    };
    for (const char *raw : paths) {
        const QString path = QString::fromUtf8(raw);
        const QString line = QStringLiteral("/opt/ravenmoor/register.dat -y  -mardozb ") + QuoteIfSpaced(path) +
                             QStringLiteral(" -ab 128000 -ac 2 -sn  ") + QuoteIfSpaced(path);
        const QStringList words = SplitWindowsCommandLine(line);
        EXPECT_EQ(words, (QStringList{"/opt/ravenmoor/register.dat", "-y", "-mardozb", path, "-ab", "128000", "-ac",
                                      "2", "-sn", path}))
            << raw;
    }
}

} // namespace

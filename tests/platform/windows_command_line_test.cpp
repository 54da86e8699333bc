#include "platform/process/windows_command_line.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(WindowsCommandLine, SplitsByTheWindowsRules)
{
    const struct {
        const char *line;
        QStringList words;
    } table[] = {
        {"", {}},
        {" \t ", {}},
        {"prog", {"prog"}},
        {"prog a b", {"prog", "a", "b"}},
        {"  prog\t a \t b  ", {"prog", "a", "b"}},
        // The program name: quotes group, backslashes are plain.
        {R"("C:\My Video\register.dat" -y)", {R"(C:\My Video\register.dat)", "-y"}},
        {R"(C:\a\"b" x)", {R"(C:\a\"b")", "x"}},
        {R"("a b"c d)", {"a b", "c", "d"}},
        {R"("unclosed program)", {"unclosed program"}},
        // The documented argument examples.
        {R"(p "a b c" d e)", {"p", "a b c", "d", "e"}},
        {R"(p "ab\"c" "\\" d)", {"p", R"(ab"c)", R"(\)", "d"}},
        {R"(p a\\\b d"e f"g h)", {"p", R"(a\\\b)", "de fg", "h"}},
        {R"(p a\\\"b c d)", {"p", R"(a\"b)", "c", "d"}},
        {R"(p a\\\\"b c" d e)", {"p", R"(a\\b c)", "d", "e"}},
        // Runs of quotes: inside quotes "" is one quote and ends the quoted part.
        {R"(p a"b"" c d)", {"p", R"(ab")", "c", "d"}},
        {R"(p "a""b c")", {"p", R"(a"b)", "c"}},
        {R"(p """)", {"p", R"(")"}},
        {R"(p """" x)", {"p", R"(" x)"}},
        {R"(p "" x)", {"p", "", "x"}},
        {R"(p "a\"" b)", {"p", R"(a")", "b"}},
        // Tabs inside quotes stay, outside they separate; line breaks are plain.
        {"p \"a\tb\"\tc", {"p", "a\tb", "c"}},
        {"p a\nb", {"p", "a\nb"}},
        {R"(p "trailing\\")", {"p", R"(trailing\)"}},
        {R"(p "open)", {"p", "open"}},
    };
    for (const auto &row : table)
        EXPECT_EQ(SplitWindowsCommandLine(QString::fromUtf8(row.line)), row.words) << row.line;
}

TEST(WindowsCommandLine, QuotesOnlyWhatNeedsIt)
{
    const struct {
        const char *argument;
        const char *written;
    } table[] = {
        {"plain", "plain"},
        {R"(C:\dir\file.avi)", R"(C:\dir\file.avi)"},
        {"-leading-dash", "-leading-dash"},
        {"", R"("")"},
        {"a b", R"("a b")"},
        {R"(C:\My Video\a.avi)", R"("C:\My Video\a.avi")"},
        {R"(say "hi")", R"("say \"hi\"")"},
        {R"(a\"b)", R"("a\\\"b")"},
        {R"(end\)", R"(end\)"},
        {R"(end \)", R"("end \\")"},
        {"tab\there", "\"tab\there\""},
    };
    for (const auto &row : table)
        EXPECT_EQ(QuoteWindowsArgument(QString::fromUtf8(row.argument)), QString::fromUtf8(row.written))
            << row.argument;
}

// Whatever an argument holds, quoting it and splitting the line gives it back.
TEST(WindowsCommandLine, QuotedArgumentsSurviveTheSplit)
{
    const QString alphabet = QString::fromUtf8("ab \t\"\\-é\n'*;$");
    std::mt19937 random(20240611);
    for (int round = 0; round < 5000; ++round) {
        QStringList arguments;
        const int count = 1 + int(random() % 4);
        for (int a = 0; a < count; ++a) {
            QString s;
            const int length = int(random() % 10);
            for (int i = 0; i < length; ++i)
                s += alphabet[qsizetype(random() % alphabet.size())];
            arguments << s;
        }
        QString line = QStringLiteral("prog");
        for (const QString &a : arguments)
            line += u' ' + QuoteWindowsArgument(a);
        ASSERT_EQ(SplitWindowsCommandLine(line), QStringList{"prog"} + arguments) << line.toStdString();
    }
}

} // namespace

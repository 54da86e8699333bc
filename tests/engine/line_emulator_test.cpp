#include "engine/line_emulator.h"

#include <gtest/gtest.h>

#include <QList>
#include <QString>
#include <utility>

namespace {

using Report = std::pair<QByteArray, bool>;

QList<Report> Emulate(const QList<QByteArray> &pieces, bool finish = false)
{
    QList<Report> reports;
    LineEmulator emulator([&](QByteArrayView line, bool startsOnNewLine) {
        reports.append({line.toByteArray(), startsOnNewLine});
    });
    for (const QByteArray &piece : pieces)
        emulator.write(piece);
    if (finish)
        emulator.finish();
    return reports;
}

// What a console would show: a report on a new line adds a line, any other
// replaces the last one.
QList<QByteArray> Screen(const QList<Report> &reports)
{
    QList<QByteArray> lines;
    for (const auto &[line, startsOnNewLine] : reports) {
        if (startsOnNewLine || lines.isEmpty())
            lines.append(line);
        else
            lines.last() = line;
    }
    return lines;
}

TEST(LineEmulator, ReportsLinesAsAConsoleShowsThem)
{
    const struct {
        const char *name;
        QList<QByteArray> pieces;
        QList<Report> reports;
    } table[] = {
        {"carriage return overwrites, line feed reports",
         {"abc\rxy\n"},
         {{"xyc", true}, {"", true}}},
        {"text in a later portion replaces the open line",
         {"abc\rxy\n", "next"},
         {{"xyc", true}, {"", true}, {"next", false}}},
        {"two CR-ended status lines in separate pieces",
         {"time=1.00 bitrate=1\r", "time=2.00 bitrate=2\r"},
         {{"time=1.00 bitrate=1", true}, {"time=2.00 bitrate=2", false}}},
        {"a shorter status keeps the tail of the longer one",
         {"frame=100\rfr=9\r"},
         {{"fr=9e=100", true}}},
        {"NUL and BEL are blanks", {QByteArray("a\0b\ac\n", 6)}, {{"a b c", true}, {"", true}}},
        {"tab is eight blanks at the cursor", {"a\tb\n"}, {{"a        b", true}, {"", true}}},
        {"tab overwrites", {"0123456789\r\tX\n"}, {{"        X9", true}, {"", true}}},
        {"backspace moves back and overwrites", {"abc\b\bX\n"}, {{"aXc", true}, {"", true}}},
        {"backspace stops at column 0", {"ab\b\b\b\bX\n"}, {{"Xb", true}, {"", true}}},
        {"empty lines are reported", {"\n\n"}, {{"", true}, {"", true}, {"", true}}},
        {"an empty portion end is still reported", {"x\n", "\n"}, {{"x", true}, {"", true}, {"", false}, {"", true}}},
        {"other control bytes are ordinary", {"a\x1b[0mb\n"}, {{"a\x1b[0mb", true}, {"", true}}},
    };
    for (const auto &row : table)
        EXPECT_EQ(Emulate(row.pieces), row.reports) << row.name;
}

TEST(LineEmulator, ReportsEveryPortionOfAtMost1024Bytes)
{
    const QByteArray text(2500, 'z');
    const QList<Report> reports = Emulate({text});
    ASSERT_EQ(reports.size(), 3);
    EXPECT_EQ(reports[0], Report(QByteArray(1024, 'z'), true));
    EXPECT_EQ(reports[1], Report(QByteArray(2048, 'z'), false));
    EXPECT_EQ(reports[2], Report(text, false));
}

TEST(LineEmulator, ReportsAnUnfinishedLineOnceMoreAtTheEnd)
{
    EXPECT_EQ(Emulate({"tail"}, true), (QList<Report>{{"tail", true}, {"tail", false}}));
    EXPECT_EQ(Emulate({"done\n"}, true), (QList<Report>{{"done", true}, {"", true}}));
    EXPECT_TRUE(Emulate({}, true).isEmpty());
}

// However the output is cut into pieces, the console shows the same text.
TEST(LineEmulator, EverySplitOffsetGivesTheSameText)
{
    const QByteArray output = QByteArray("Input #0\n  Duration: 00:00:03.00\tx\n") +
                              QByteArray("frame=1 time=0.50 bitrate= 1.0kbits/s\r") +
                              QByteArray("frame=22 time=1.50 bitrate= 2.0kbits/s\r\n") + QByteArray("ab\b\bZ\0\a!\n", 9) +
                              QByteArray("\rlast");
    const QList<QByteArray> whole = Screen(Emulate({output}, true));
    ASSERT_EQ(whole.size(), 5);
    EXPECT_EQ(whole[2], "frame=22 time=1.50 bitrate= 2.0kbits/s");
    EXPECT_EQ(whole[3], "Z  !");
    for (qsizetype first = 0; first <= output.size(); ++first) {
        EXPECT_EQ(Screen(Emulate({output.first(first), output.sliced(first)}, true)), whole) << "split at " << first;
        for (qsizetype second = first; second <= output.size(); second += 7) {
            const QList<QByteArray> pieces{output.first(first), output.sliced(first, second - first),
                                           output.sliced(second)};
            ASSERT_EQ(Screen(Emulate(pieces, true)), whole) << "split at " << first << " and " << second;
        }
    }
}

TEST(LineEmulator, BreaksALineThatNeverEnds)
{
    const QByteArray text(LineEmulator::kMaxLineLength + 10, 'q');
    const QList<Report> reports = Emulate({text}, true);
    qsizetype longest = 0;
    for (const auto &report : reports)
        longest = std::max(longest, report.first.size());
    EXPECT_EQ(longest, LineEmulator::kMaxLineLength);
    const QList<QByteArray> shown = Screen(reports);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].size() + shown[1].size(), text.size());
}

} // namespace

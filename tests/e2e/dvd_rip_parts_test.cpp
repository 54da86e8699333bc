// Every title and chapter of a real DVD ripped through the real windows, on a
// disc whose every picture shows its title and frame number in blocks that
// survive any encoding: lost, frozen, doubled and foreign pictures are
// counted in the outputs.

#include "engine/source_list.h"
#include "tests/support/test_support.h"
#include "tests/support/window_program.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

namespace {

using namespace ravenmoor::test;

constexpr int kBits = 12;     // the columns of a picture: bits 0-9 the frame, 10-11 the title
constexpr int kFrameBits = 10;

struct NumberedTitle {
    int frames;           // at 25 a second
    const char *chapters; // dvdauthor's chapter marks
    bool skipsOpening;    // a cell over 8 s: the title row starts 300 sectors into it
};

// Titles of 19.2 s (two cells), 10.08 s (one) and 12 s of two short cells
// (5.76 and 6.24 s): the last title's row starts at its own first cell.
const NumberedTitle kTitles[] = {{480, "0,9.6", true}, {252, "0", true}, {300, "0,5.76", false}};

// A PAL title set of the titles above, with one AC-3 stream each.
bool MakeNumberedDisc(const QString &dir)
{
    QTemporaryDir work;
    QString vobs;
    for (int t = 0; t < 3; ++t) {
        const QString mpg = work.filePath(QStringLiteral("title%1.mpg").arg(t + 1));
        const double seconds = kTitles[t].frames / 25.0;
        const QString picture =
            QStringLiteral("nullsrc=s=%1x2:r=25:d=%2,geq=lum='255*mod(floor((N+%3)/pow(2\\,X))\\,2)':cb=128:cr=128,"
                           "scale=720:576:flags=neighbor")
                .arg(kBits)
                .arg(seconds)
                .arg((t + 1) << kFrameBits);
        if (!makeClip(mpg, seconds,
                      dvdVideoOptions(QStringLiteral("pal")) + QStringList{"-c:a", "ac3", "-b:a", "192k", "-ac", "2"} +
                          dvdMuxOptions(),
                      picture, QStringLiteral("sine=frequency=440:sample_rate=48000:duration=%1").arg(seconds)))
            return false;
        vobs += QStringLiteral("<pgc><vob file=\"%1\" chapters=\"%2\"/></pgc>").arg(mpg, QLatin1String(kTitles[t].chapters));
    }
    return authorDvd(dir, QStringLiteral("pal"),
                     QStringLiteral("<titleset><titles><video format=\"pal\" aspect=\"4:3\"/><audio lang=\"en\"/>%1"
                                    "</titles></titleset>")
                         .arg(vobs));
}

// The numbers (title << 10 | frame) the pictures of an output show, in order.
QList<int> PictureNumbers(const QString &path)
{
    QTemporaryDir work;
    const QString raw = work.filePath(QStringLiteral("columns.raw"));
    if (runProgram(QStringLiteral("ffmpeg"), {"-nostdin", "-loglevel", "error", "-i", "file:" + path, "-vf",
                                              QStringLiteral("scale=%1:1:flags=area,format=gray").arg(kBits), "-f",
                                              "rawvideo", "-y", raw}) != 0)
        return {};
    QFile file(raw);
    file.open(QIODevice::ReadOnly);
    const QByteArray columns = file.readAll();
    QList<int> numbers;
    for (qsizetype at = 0; at + kBits <= columns.size(); at += kBits) {
        int n = 0;
        for (int bit = 0; bit < kBits; ++bit)
            n |= (uchar(columns[at + bit]) >= 128 ? 1 : 0) << bit;
        numbers << n;
    }
    return numbers;
}

int TitleOf(int number) { return number >> kFrameBits; }
int FrameOf(int number) { return number & ((1 << kFrameBits) - 1); }

// The frames of each output, by the title its first picture shows, outputs in frame order.
std::map<int, std::vector<QList<int>>> OutputsByTitle(const QString &folder)
{
    std::map<int, std::vector<QList<int>>> titles;
    for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files)) {
        const QList<int> numbers = PictureNumbers(file.filePath());
        EXPECT_FALSE(numbers.isEmpty()) << file.fileName().toStdString();
        if (!numbers.isEmpty())
            titles[TitleOf(numbers.first())].push_back(numbers);
    }
    for (auto &[title, outputs] : titles)
        std::sort(outputs.begin(), outputs.end(), [](const QList<int> &a, const QList<int> &b) { return a.first() < b.first(); });
    return titles;
}

std::string InOrder(int from, int to) { return "frames " + std::to_string(from) + ".." + std::to_string(to) + " in order"; }

// "frames a..b in order" or where the run breaks: a frozen, lost or foreign picture.
std::string Sequence(const QList<int> &numbers)
{
    for (qsizetype i = 1; i < numbers.size(); ++i) {
        if (numbers[i] != numbers[i - 1] + 1)
            return "breaks after picture " + std::to_string(i - 1) + ": title " + std::to_string(TitleOf(numbers[i - 1])) +
                   " frame " + std::to_string(FrameOf(numbers[i - 1])) + ", then title " +
                   std::to_string(TitleOf(numbers[i])) + " frame " + std::to_string(FrameOf(numbers[i]));
    }
    return numbers.isEmpty() ? "no pictures" : InOrder(FrameOf(numbers.first()), FrameOf(numbers.last()));
}

class DvdRipParts : public testing::Test, protected RealProgram {
protected:
    static void SetUpTestSuite()
    {
        s_media = new QTemporaryDir;
        s_disc = s_media->filePath(QStringLiteral("numbered"));
        s_made = MakeNumberedDisc(s_disc);
    }
    static void TearDownTestSuite() { delete s_media; }

    void SetUp() override
    {
        ASSERT_TRUE(s_made);
        windowTestApp();
        makeProgram();
        ASSERT_NO_FATAL_FAILURE(showWindowForQuickOutputs(output.path()));
        dialogs.folderChoices << s_disc;
        ClickObject(window(), "dvdopen");
    }
    void TearDown() override { endProgram(); }

    const SourceList &list() { return window().sourceList(); }
    void checkOnly(const std::function<bool(int row)> &wanted)
    {
        for (int row = 0; row < list().rowCount(); ++row)
            checkRow(row, wanted(row));
    }
    void rip()
    {
        ClickObject(window(), "converter");
        ASSERT_TRUE(window().state().converting) << dialogs.texts().join("\n").toStdString();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window().state().converting; }, 180000));
        for (int row = 0; row < list().rowCount(); ++row) {
            if (list().row(row).checked) {
                EXPECT_EQ(list().row(row).subItems[SourceRow::Status], "Finish") << row;
            }
        }
        EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
    }

    static QTemporaryDir *s_media;
    static QString s_disc;
    static bool s_made;

    QTemporaryDir output;
};

QTemporaryDir *DvdRipParts::s_media = nullptr;
QString DvdRipParts::s_disc;
bool DvdRipParts::s_made = false;

// Each title row rips its own pictures from its first decodable one, none
// frozen, lost or doubled; the longest title is the one chosen.
TEST_F(DvdRipParts, EachTitleRowRipsItsOwnPicturesAndTheLongestIsChosen)
{
    ASSERT_EQ(list().rowCount(), 3);
    EXPECT_EQ(list().selectedRow(), 0) << "the 19-s title, not the 12-s one";
    rip();
    const auto titles = OutputsByTitle(output.path());
    ASSERT_EQ(titles.size(), 3u) << "one output of each title's own pictures";
    for (const auto &[title, outputs] : titles) {
        ASSERT_EQ(outputs.size(), 1u) << "title " << title;
        const QList<int> &frames = outputs.front();
        const int last = kTitles[title - 1].frames - 1;
        // 300 sectors in: at the first picture there, not frozen on it.
        const int first = kTitles[title - 1].skipsOpening ? FrameOf(frames.first()) : 0;
        EXPECT_EQ(Sequence(frames), InOrder(first, last)) << "title " << title;
    }
}

// The chapters of a title, ripped one by one, hold every frame of it once.
TEST_F(DvdRipParts, TheChaptersOfATitleTogetherHoldEachOfItsFramesOnce)
{
    ClickObject(window(), "chapter");
    ASSERT_TRUE(window().chapterView());
    checkOnly([this](int row) { return list().row(row).caption.startsWith(QLatin1String("  Chapter")); });
    rip();
    const auto titles = OutputsByTitle(output.path());
    ASSERT_EQ(titles.size(), 3u);
    for (const auto &[title, outputs] : titles) {
        QList<int> frames;
        for (const QList<int> &chapter : outputs)
            frames += chapter;
        EXPECT_EQ(Sequence(frames), InOrder(0, kTitles[title - 1].frames - 1)) << "title " << title;
    }
}

} // namespace

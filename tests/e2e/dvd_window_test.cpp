// The DVD road through the real windows: a real DVD folder made at test time
// opened through the skin's "dvdopen" object, its titles and chapters listed,
// streams chosen per row, and the checked rows ripped one after another by
// the real mydvd.dll and ffmpeg, with the outputs checked by ffprobe.

#include "engine/source_list.h"
#include "tests/support/test_support.h"
#include "tests/support/window_program.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

using namespace ravenmoor::test;

QStringList Captions(const SourceList &list)
{
    QStringList out;
    for (int i = 0; i < list.rowCount(); ++i)
        out << list.row(i).caption;
    return out;
}

QStringList Items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// The disc lives in a folder with a blank and a non-ASCII letter, as a
// user's copies do.
class DvdWindow : public testing::Test, protected RealProgram {
protected:
    static void SetUpTestSuite()
    {
        s_media = new QTemporaryDir;
        s_disc = s_media->filePath(QStringLiteral("Mein Film ü"));
        s_fixtureMade = makeDvdFixture(s_disc);
    }
    static void TearDownTestSuite() { delete s_media; }

    void SetUp() override
    {
        ASSERT_TRUE(s_fixtureMade);
        windowTestApp();
        makeProgram();
        ASSERT_NO_FATAL_FAILURE(showWindowForQuickOutputs(output.path()));
    }
    void TearDown() override { endProgram(); }
    const SourceList &list() { return window().sourceList(); }
    QComboBox *combo(const char *name) { return window().findChild<QComboBox *>(QString::fromLatin1(name)); }

    void openDisc()
    {
        dialogs.folderChoices << s_disc;
        ClickObject(window(), "dvdopen");
    }

    static QTemporaryDir *s_media;
    static QString s_disc;
    static bool s_fixtureMade;

    QTemporaryDir output;
};

QTemporaryDir *DvdWindow::s_media = nullptr;
QString DvdWindow::s_disc;
bool DvdWindow::s_fixtureMade = false;

TEST_F(DvdWindow, OpenedFolderListsItsTitlesWithTheLongestChosenAndItsStreams)
{
    openDisc();
    ASSERT_EQ(Captions(list()), (QStringList{"Title_01", "Title_02"})) << dialogs.texts().join("\n").toStdString();
    EXPECT_TRUE(list().isVisible());
    EXPECT_EQ(list().row(0).subItems[SourceRow::OriginalTime], "00:00:24");
    EXPECT_EQ(list().row(1).subItems[SourceRow::OriginalTime], "00:00:08");
    EXPECT_TRUE(list().row(0).checked && list().row(1).checked);
    EXPECT_EQ(list().selectedRow(), 0);
    EXPECT_EQ(window().binding().alltime.getText(), "00:00:24");
    EXPECT_EQ(window().state().sourceMode, SourceMode::DvdRows);
    EXPECT_EQ(Items(combo("cb_audio")), (QStringList{"AC3 English 2ch 48kHz ", "AC3 French 2ch 48kHz "}));
    EXPECT_EQ(Items(combo("cb_subtitle")), (QStringList{"No Subtitle", "English "}));
    EXPECT_TRUE(window().controlStates().enabled("bt_start"));

    // The second title set has one audio stream and no subtitle.
    clickRow(1);
    EXPECT_EQ(Items(combo("cb_audio")), QStringList{"AC3 German 2ch 48kHz "});
    EXPECT_EQ(Items(combo("cb_subtitle")), QStringList{"No Subtitle"});

    // Opened again, the folder lists its rows at once (best of three, so a busy machine does not count).
    qint64 best = 1 << 30;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer clock;
        clock.start();
        openDisc();
        best = std::min(best, clock.elapsed());
        ASSERT_EQ(list().rowCount(), 2);
    }
    EXPECT_LT(best, 200) << "ms from the chosen folder to its rows";
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

TEST_F(DvdWindow, ChapterViewListsEachTitleWithItsChaptersAndBack)
{
    openDisc();
    ASSERT_EQ(list().rowCount(), 2);
    checkRow(1, false);
    ClickObject(window(), "chapter");
    EXPECT_TRUE(window().chapterView());
    EXPECT_EQ(Captions(list()), (QStringList{"Title_01", "  Chapter_01", "  Chapter_02", "  Chapter_03", "  Chapter_04",
                                             "Title_06", "  Chapter_01"}));
    EXPECT_EQ(list().row(2).subItems[SourceRow::OriginalTime], "00:00:06");
    EXPECT_EQ(list().convertInfo()[3].startSeconds, 12) << "chapter 3 starts after two cells of about 6 s";
    EXPECT_EQ(list().selectedRow(), 0);

    // Back in title view the titles keep the check boxes they had.
    ClickObject(window(), "chapter");
    EXPECT_FALSE(window().chapterView());
    ASSERT_EQ(Captions(list()), (QStringList{"Title_01", "Title_02"}));
    EXPECT_TRUE(list().row(0).checked);
    EXPECT_FALSE(list().row(1).checked);
}

TEST_F(DvdWindow, AStreamChosenOnARowStaysWithThatRow)
{
    openDisc();
    ASSERT_EQ(list().rowCount(), 2);
    QComboBox *audio = combo("cb_audio");
    audio->setCurrentIndex(1);
    emit audio->activated(1);
    QComboBox *subtitle = combo("cb_subtitle");
    subtitle->setCurrentIndex(1);
    emit subtitle->activated(1);
    EXPECT_EQ(list().convertInfo()[0].audioId, "0x81");
    EXPECT_EQ(list().convertInfo()[0].subtitleId, "0x20");

    clickRow(1);
    EXPECT_EQ(combo("cb_audio")->currentIndex(), 0);
    clickRow(0);
    EXPECT_EQ(combo("cb_audio")->currentIndex(), 1);
    EXPECT_EQ(combo("cb_subtitle")->currentIndex(), 1);
    EXPECT_EQ(list().convertInfo()[1].audioId, "0x80");
}

// Mean volume in dB of the file's audio through a narrow band around `hertz`.
double BandVolume(const QString &path, int hertz)
{
    QString out;
    runProgram("ffmpeg", {"-nostdin", "-hide_banner", "-i", path, "-vn", "-af",
                          QString("bandpass=f=%1:width_type=q:w=8,volumedetect").arg(hertz), "-f", "null", "-"},
               &out);
    const QRegularExpressionMatch m = QRegularExpression("mean_volume: (-?[0-9.]+) dB").match(out);
    return m.hasMatch() ? m.captured(1).toDouble() : -200;
}

// Processes whose command line names the disc or the output folder: what a rip
// of this test left running (other tests may rip other discs meanwhile).
QStringList ProcessesReading(const QString &disc, const QString &outputFolder)
{
    QStringList found;
    for (const QString &pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile cmdline("/proc/" + pid + "/cmdline");
        if (!pid.toInt() || !cmdline.open(QIODevice::ReadOnly))
            continue;
        const QString line = QString::fromUtf8(cmdline.readAll()).replace(QChar(0), ' ');
        if (line.contains(disc) || line.contains(outputFolder))
            found << pid + ": " + line;
    }
    return found;
}

TEST_F(DvdWindow, CheckedTitlesAreRippedOneAfterTheOtherWithTheChosenAudio)
{
    openDisc();
    ASSERT_EQ(list().rowCount(), 2);
    QComboBox *audio = combo("cb_audio");
    audio->setCurrentIndex(1);
    emit audio->activated(1);

    // The running row's elapsed and remaining time and output size, as the skin shows them.
    QSet<QString> used, rest, sizes;
    QSet<int> rowsRunTogether;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!window().binding().convertinfo.frame || !window().binding().convertinfo.frame->IsVisible())
            return;
        used << window().binding().usedtime.getText();
        rest << window().binding().resttime.getText();
        sizes << window().binding().filesize.getText();
        int running = 0;
        for (int i = 0; i < list().rowCount(); ++i)
            running += list().row(i).subItems[SourceRow::Status].endsWith('%');
        rowsRunTogether << running;
    });
    watch.start(100);
    ClickObject(window(), "converter");
    ASSERT_TRUE(window().state().converting) << dialogs.texts().join("\n").toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window().state().converting; }, 180000));
    watch.stop();

    EXPECT_EQ(list().row(0).subItems[SourceRow::Status], "Finish");
    EXPECT_EQ(list().row(1).subItems[SourceRow::Status], "Finish");
    EXPECT_GE(used.size(), 2) << "the elapsed time moves";
    EXPECT_GE(rest.size(), 2) << "the remaining time moves";
    EXPECT_GE(sizes.size(), 2) << "the output grows";
    EXPECT_FALSE(rowsRunTogether.contains(2)) << "one title at a time";

    const QString first = output.filePath("Title_01.mp4");
    const QString second = output.filePath("Title_02.mp4");
    ASSERT_TRUE(QFile::exists(first) && QFile::exists(second))
        << QDir(output.path()).entryList(QDir::Files).join(", ").toStdString();
    EXPECT_NEAR(durationOf(first), 24, 1.0);
    EXPECT_NEAR(durationOf(second), 8, 1.0);
    // Row 0 took the second audio stream, the 1760 Hz one.
    EXPECT_GT(BandVolume(first, 1760) - BandVolume(first, 440), 10.0);
    EXPECT_GT(BandVolume(second, 660) - BandVolume(second, 1760), 10.0);
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

TEST_F(DvdWindow, StopLeavesStopOnTheRowAndNothingRunning)
{
    window().state().FinishSelcet = 1;
    openDisc();
    ASSERT_EQ(list().rowCount(), 2);
    ClickObject(window(), "converter");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list().row(0).subItems[SourceRow::Status].endsWith('%'); }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ProcessesReading(s_disc, output.path()).isEmpty(); }, 20000));
    dialogs.answers << true;
    ClickObject(window(), "stopconverter");
    EXPECT_FALSE(window().state().converting);
    EXPECT_EQ(list().row(0).subItems[SourceRow::Status], "Stop");
    EXPECT_NE(list().row(1).subItems[SourceRow::Status], "Finish");
    EXPECT_TRUE(QTest::qWaitFor([&] { return ProcessesReading(s_disc, output.path()).isEmpty(); }, 10000))
        << ProcessesReading(s_disc, output.path()).join("\n").toStdString();
    QTest::qWait(300);
    EXPECT_TRUE(shell.openedFolders.isEmpty()) << "no after-finish action after Stop";
}

// A title whose VOB was cut short after the disc was opened: the row fails and
// says why, in its tooltip and in the log beside the settings.
TEST_F(DvdWindow, AFailedRipSaysWhyInItsRowAndInTheLog)
{
    const QString copy = output.filePath("copy");
    QDir().mkpath(copy + "/VIDEO_TS");
    for (const QString &name : QDir(s_disc + "/VIDEO_TS").entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(s_disc + "/VIDEO_TS/" + name, copy + "/VIDEO_TS/" + name));
    dialogs.folderChoices << copy;
    ClickObject(window(), "dvdopen");
    ASSERT_EQ(list().rowCount(), 2);
    checkRow(0, false);
    ASSERT_TRUE(QFile::resize(copy + "/VIDEO_TS/VTS_02_1.VOB", 100 * 2048));

    ClickObject(window(), "converter");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window().state().converting; }, 60000));
    EXPECT_EQ(list().row(1).subItems[SourceRow::Status], "Failed");
    const QString note = list().row(1).note;
    EXPECT_TRUE(note.startsWith("mydvd.dll: sectors ") && note.endsWith(" lie past the end of title set 02, which has 100 sectors"))
        << note.toStdString();
    EXPECT_EQ(listView()->topLevelItem(1)->toolTip(4), note);
    QFile log(config.filePath("ravenmoor.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString logged = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(logged.contains("  Failed  vts://02*") && logged.contains(output.filePath("Title_02.mp4") + ": " + note))
        << logged.toStdString();
}

} // namespace

// The DVD road through the real windows: a real DVD folder made at test time
// opened through the skin's "dvdopen" object, its titles and chapters listed,
// streams chosen per row, and the checked rows ripped one after another by
// the real mydvd.dll and ffmpeg, with the outputs checked by ffprobe.

#include "engine/source_list.h"
#include "main/main_window.h"
#include "main/process_slot_runner.h"
#include "main/program.h"
#include "engine/runner_source_probe.h"
#include "platform/dialogs/recording_dialogs.h"
#include "platform/errors/recording_error_box.h"
#include "platform/paths/program_paths.h"
#include "platform/shell/recording_shell.h"
#include "platform/skin/skin.h"
#include "tests/support/test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

using namespace ravenmoor::test;

QApplication &App()
{
    static int argc = 1;
    static char name[] = "dvd_window_test";
    static char *argv[] = {name, nullptr};
    static auto *application = new QApplication(argc, argv);
    return *application;
}

void ClickObject(Tfm_main &window, const char *object)
{
    ISkinObject *o = window.skin().GetWindowObject(&window)->FindChildObject(QString::fromLatin1(object));
    ASSERT_TRUE(o) << object;
    QTest::mouseClick(&window, Qt::LeftButton, {}, o->FrameFacet()->GetRect().toQRect().center());
}

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
class DvdWindow : public testing::Test {
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
        App();
        qputenv("RAVENMOOR_CONFIG_DIR", config.path().toUtf8());
        paths = std::make_unique<ProgramPaths>(
            binDir(), "ravenmoor", ConfigFolderFromEnvironment([](const char *name) { return qEnvironmentVariable(name); }));
        program = std::make_unique<Program>(ProgramOutside{*paths, errors, dialogs, shell, probe, encoders});
        window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
        ASSERT_TRUE(window().setUpDone()) << errors.shown.join("\n").toStdString();
        window().settings().ed_output = output.path();
    }
    void TearDown() override
    {
        if (!program)
            return;
        program->shutDown();
        program.reset();
    }
    Tfm_main &window() { return program->main(); }
    const SourceList &list() { return window().sourceList(); }
    QComboBox *combo(const char *name) { return window().findChild<QComboBox *>(QString::fromLatin1(name)); }
    QTreeWidget *view() { return window().findChild<QTreeWidget *>(QStringLiteral("lv")); }
    void clickRow(int row)
    {
        QTreeWidgetItem *item = view()->topLevelItem(row);
        ASSERT_TRUE(item);
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, view()->visualItemRect(item).center());
    }
    // As a click on the row's check box does.
    void checkRow(int row, bool checked) { view()->topLevelItem(row)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked); }

    void openDisc()
    {
        dialogs.folderChoices << s_disc;
        ClickObject(window(), "dvdopen");
    }

    static QTemporaryDir *s_media;
    static QString s_disc;
    static bool s_fixtureMade;

    QTemporaryDir config, output;
    RecordingErrorBox errors;
    RecordingDialogs dialogs;
    RecordingShell shell;
    RunnerSourceProbe probe;
    EncoderProcesses encoders;
    std::unique_ptr<ProgramPaths> paths;
    std::unique_ptr<Program> program;
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
    EXPECT_EQ(list().convertInfo()[3].startSeconds, 11) << "chapter 3 starts after 5 + 6 whole seconds";
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

} // namespace

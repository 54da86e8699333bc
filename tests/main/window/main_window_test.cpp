// The main window and its small windows over a program folder of their own:
// the real data files linked in, one of them changed or missing per case.

#include "engine/source_list.h"
#include "main/dialogs/folder_picker.h"
#include "main/dialogs/hint_window.h"
#include "main/window/main_window.h"
#include "main/window/process_slot_runner.h"
#include "main/program.h"
#include "main/dialogs/settings_window.h"
#include "platform/dialogs/recording_dialogs.h"
#include "platform/errors/recording_error_box.h"
#include "platform/ini/ini_file.h"
#include "platform/paths/program_paths.h"
#include "platform/shell/recording_shell.h"
#include "platform/skin/skin.h"
#include "tests/main/program_fixture.h"
#include "tests/support/test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Recorded dialogs, but a folder is picked in the program's own picker once one is given.
struct PickerDialogs : RecordingDialogs {
    Tfm_dir *picker = nullptr;
    QString pickFolder(const QString &caption) override
    {
        return picker ? picker->pick(caption) : RecordingDialogs::pickFolder(caption);
    }
};

class MainWindowTest : public testing::Test {
protected:
    QTemporaryDir folder, config;
    RecordingErrorBox errors;
    PickerDialogs dialogs;
    RecordingShell shell;
    NoProbe probe;
    EncoderProcesses encoders;
    std::unique_ptr<ProgramPaths> paths;
    std::unique_ptr<Program> program;

    // The program folder: every file of the real one linked in, except `replaced`.
    void SetUp() override
    {
        WindowTestApp();
        ASSERT_NO_FATAL_FAILURE(LinkProgramFolder(folder.path()));
        paths = std::make_unique<ProgramPaths>(folder.path(), "ravenmoor", config.path());
    }
    void TearDown() override
    {
        if (program)
            program->shutDown();
        program.reset();
    }

    void replace(const QString &name, const QByteArray &content)
    {
        QFile::remove(folder.filePath(name));
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QByteArray original(const QString &name) const
    {
        QFile f(QDir(ravenmoor::test::binDir()).filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void start()
    {
        program = std::make_unique<Program>(ProgramOutside{*paths, errors, dialogs, shell, probe, encoders});
        program->main().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&program->main()));
    }
    Tfm_main &window() const { return program->main(); }
};

// A damaged skin file ends the program cleanly with a message that names the file.
TEST_F(MainWindowTest, DamagedSkinIsReportedAndEndsTheProgram)
{
    replace("skn.skn", "{\"sections\": {\"popravenmoor\": ");
    start();
    EXPECT_FALSE(window().setUpDone());
    EXPECT_TRUE(window().skinFailed());
    EXPECT_FALSE(window().isVisible());
    ASSERT_EQ(errors.shown.size(), 1);
    EXPECT_TRUE(errors.shown[0].contains("skn.skn")) << errors.shown[0].toStdString();
    // Nothing was loaded, so nothing is written over the stored settings.
    window().close();
    EXPECT_FALSE(QFile::exists(config.filePath("ravenmoor.ini")));
}

// A skin without some of the bound objects still starts: writes to them go nowhere.
TEST_F(MainWindowTest, SkinLackingObjectsStillStarts)
{
    QByteArray skin = original("skn.skn");
    ASSERT_FALSE(skin.isEmpty());
    for (const char *name : {"alltime", "convertinfo", "play_bar"})
        skin.replace(QByteArray("\"") + name + "\"", QByteArray("\"old_") + name + "\"");
    replace("skn.skn", skin);
    start();
    EXPECT_TRUE(window().setUpDone());
    EXPECT_FALSE(window().binding().alltime.bound());
    EXPECT_FALSE(window().binding().play_bar.bound());
    EXPECT_TRUE(window().binding().hint.bound());
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

// The images folder: every picture of the real one linked in, except `left`;
// `damaged` replaced by bytes no picture reader takes.
void LinkImages(const QString &programFolder, const QString &left, const QString &damaged)
{
    QFile::remove(QDir(programFolder).filePath("images"));
    ASSERT_TRUE(QDir(programFolder).mkdir("images"));
    const QDir images(QDir(ravenmoor::test::binDir()).filePath("images"));
    for (const QString &name : images.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString to = QDir(programFolder).filePath("images/" + name);
        if (name == damaged) {
            QFile f(to);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("not a picture");
        } else if (name != left) {
            ASSERT_TRUE(QFile::link(images.filePath(name), to));
        }
    }
}

// Without its whole layout the window would show what is not so (a Stop
// that stops nothing, rows under the empty list's picture): the program ends
// after one message that names the file and says what is wrong with it.
TEST_F(MainWindowTest, LayoutFileOrButtonPictureMissingOrDamagedEndsTheProgram)
{
    const struct {
        const char *name;
        const char *file; // inside the program folder
        const char *fault;
        std::function<void()> spoil;
    } table[] = {
        {"Skin.ini missing", "Skin.ini", "missing", [this] { QFile::remove(folder.filePath("Skin.ini")); }},
        {"Skin.ini garbage", "Skin.ini", "damaged",
         [this] { replace("Skin.ini", QByteArray("\x89PNG\r\n\x1a\n\x00\x00\xff\xfe garbage", 20)); }},
        {"Skin.ini of some other program", "Skin.ini", "damaged",
         [this] { replace("Skin.ini", "[Window]\nWidth=5\n[Colors]\nBack=$00FFFFFF\n"); }},
        {"Skin.ini lost a button's place", "Skin.ini", "damaged",
         [this] { replace("Skin.ini", original("Skin.ini").replace("[bt_start]", "[bt_star]")); }},
        {"Skin.ini with a colour no one knows", "Skin.ini", "damaged",
         [this] { replace("Skin.ini", original("Skin.ini").replace("[Audio]", "[Audio]\nArrowColor=darkish")); }},
        {"a hover picture missing", "images/bt_clearon.bmp", "missing",
         [this] { LinkImages(folder.path(), "bt_clearon.bmp", ""); }},
        {"a normal picture damaged", "images/bt_open.bmp", "damaged",
         [this] { LinkImages(folder.path(), "", "bt_open.bmp"); }},
    };
    for (const auto &row : table) {
        SCOPED_TRACE(row.name);
        ASSERT_NO_FATAL_FAILURE(row.spoil());
        errors.shown.clear();
        dialogs.shown.clear();
        start();
        EXPECT_TRUE(window().skinFailed());
        EXPECT_FALSE(window().isVisible());
        const QStringList messages = errors.shown + dialogs.texts();
        ASSERT_EQ(messages.size(), 1) << messages.join("\n").toStdString();
        EXPECT_TRUE(messages[0].startsWith("The program file cannot be found, please install again."))
            << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains(folder.filePath(row.file) + "\" is " + row.fault))
            << messages[0].toStdString();
        program->shutDown();
        program.reset();
        // The program folder as shipped again.
        replace("Skin.ini", original("Skin.ini"));
        if (!QFileInfo(folder.filePath("images")).isSymLink())
            QDir(folder.filePath("images")).removeRecursively();
        QFile::remove(folder.filePath("images"));
        ASSERT_TRUE(QFile::link(QDir(ravenmoor::test::binDir()).filePath("images"), folder.filePath("images")));
    }
    // As shipped, nothing is reported.
    errors.shown.clear();
    dialogs.shown.clear();
    start();
    EXPECT_FALSE(window().skinFailed());
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(errors.shown.isEmpty() && dialogs.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

// A typed output folder is kept absolute, against the home folder, before it is made.
TEST_F(MainWindowTest, RelativeOutputFolderIsMadeAbsoluteAgainstHome)
{
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    start();
    auto *box = window().findChild<QLineEdit *>("ed_output");
    ASSERT_TRUE(box);
    box->setText("relout/sub/..");
    window().CommitOutputEdit();
    qputenv("HOME", oldHome);
    EXPECT_EQ(box->text(), home.filePath("relout"));
    EXPECT_EQ(window().settings().ed_output, home.filePath("relout"));
    EXPECT_TRUE(QFileInfo(home.filePath("relout")).isDir());
    EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath("relout")));
}

TEST_F(MainWindowTest, ClickWhileTheHintWindowShowsOnlyRaisesIt)
{
    start();
    Tfm_add &hint = program->hintWindow();
    hint.setBusyMode(true);
    hint.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&hint));
    ISkinObject *browse = window().skin().GetWindowObject(&window())->FindChildObject("browse");
    ASSERT_TRUE(browse);
    QTest::mouseClick(&window(), Qt::LeftButton, {}, browse->FrameFacet()->GetRect().toQRect().center());
    EXPECT_TRUE(dialogs.folderCaptions.isEmpty());
    hint.hide();
    QTest::mouseClick(&window(), Qt::LeftButton, {}, browse->FrameFacet()->GetRect().toQRect().center());
    EXPECT_EQ(dialogs.folderCaptions.size(), 1);
}

TEST_F(MainWindowTest, TitlePictureDragsTheWindowOnlyWithTheLeftButton)
{
    start();
    QLabel *title = window().findChild<QLabel *>("img_name");
    ASSERT_TRUE(title);
    if (!title->isVisible())
        GTEST_SKIP() << "the edition has no title picture";
    const QPoint before = window().pos();
    // The button is asked of the system, not taken from the event.
    QTest::mouseMove(title, QPoint(5, 5));
    EXPECT_EQ(window().pos(), before);
    QTest::mousePress(title, Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 25), title->mapToGlobal(QPointF(30, 25)), Qt::LeftButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(title, &move);
    QTest::mouseRelease(title, Qt::LeftButton, {}, QPoint(30, 25));
    EXPECT_EQ(window().pos(), before + QPoint(20, 15));
}

TEST_F(MainWindowTest, HintWindowCheckBoxWritesThePlayHintIntoTheUserFile)
{
    start();
    Tfm_add &hint = program->hintWindow();
    hint.setBusyMode(false);
    hint.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&hint));
    QCheckBox *box = hint.playHintBox();
    const bool hasStill = hint.skin().GetWindowObject(&hint)->FindChildObject("showstatic") != nullptr;
    EXPECT_EQ(box->isVisible(), !hasStill);
    box->click();
    const TIniFile user(config.filePath("Skin.ini"));
    EXPECT_EQ(user.ReadString("play", "hint", ""), box->isChecked() ? "0" : "1");
    box->click();
    EXPECT_EQ(user.ReadString("play", "hint", ""), box->isChecked() ? "0" : "1");
    EXPECT_EQ(window().skinIni().ReadBool("play", "hint", false), !box->isChecked());
    // The shipped file is never written.
    EXPECT_EQ(QFileInfo(folder.filePath("Skin.ini")).symLinkTarget(),
              QDir(ravenmoor::test::binDir()).filePath("Skin.ini"));
    hint.hide();
}

// Cancel forgets a changed after-finish action and thread count; the next showing shows the kept ones.
TEST_F(MainWindowTest, SettingsWindowCancelKeepsTheChoices)
{
    start();
    Tfm_set &set = program->settingsWindow();
    const int finish = window().state().FinishSelcet;
    const int threads = window().state().ThCount;
    QTimer::singleShot(0, &set, [&set] {
        set.findChild<QGroupBox *>("rg_finish")->findChildren<QRadioButton *>().at(2)->click();
        QComboBox *nt = set.findChild<QComboBox *>("CB_NT");
        nt->setCurrentIndex(7);
        emit nt->activated(7);
        set.findChild<QPushButton *>("Button2")->click();
    });
    set.exec();
    EXPECT_EQ(window().state().FinishSelcet, finish);
    EXPECT_EQ(window().state().ThCount, threads);
    QTimer::singleShot(0, &set, [&set] { set.reject(); });
    set.exec();
    EXPECT_EQ(set.finishItem(), finish);
    EXPECT_EQ(set.findChild<QComboBox *>("CB_NT")->currentIndex(), threads);
    EXPECT_EQ(shell.shutDowns, 0);
}

TEST_F(MainWindowTest, TypedFrameSizeWarnsPerBadPart)
{
    start();
    Tfm_set &set = program->settingsWindow();
    const QString message = "Invalid height or width, please input again or select from the pull-down menu.";
    const struct {
        const char *text;
        int warnings;
    } cases[] = {{"720x576", 0}, {"640x480(4:3)", 0}, {"720x", 1}, {"x576", 1}, {"640x480 (4:3)", 1}, {"big", 2}};
    for (const auto &c : cases) {
        dialogs.shown.clear();
        window().settings().cb_size.SetText(c.text);
        set.cb_sizeExit();
        EXPECT_EQ(dialogs.shown.size(), c.warnings) << c.text;
        for (const auto &shown : dialogs.shown)
            EXPECT_EQ(shown.text, message);
    }
}

// The size list's arrow, as the style places it.
QPoint ComboArrow(QComboBox *box)
{
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    return box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, box).center();
}

// Opening the size list is not leaving it: a refused text does not keep the
// list shut. A real leave warns once per bad part, also while the warning
// takes the focus from the settings window; a picked PAL or NTSC is no bad size.
TEST_F(MainWindowTest, SizeListOpensWithTheMouseAndOnlyALeaveChecksIt)
{
    for (const int profile : {9, 113}) {
        SCOPED_TRACE(profile);
        TIniFile(config.filePath("ravenmoor.ini")).WriteInteger("profiles", "selcetsubindex", profile);
        start();
        Tfm_set &set = program->settingsWindow();
        set.show();
        set.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &set; }, 2000));
        auto *size = set.findChild<QComboBox *>("cb_size");
        // The warning box takes the focus while it shows.
        QWidget warningBox;
        dialogs.whileOpen = [&warningBox] {
            warningBox.show();
            warningBox.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&warningBox));
            warningBox.hide();
        };
        if (profile == 9) {
            QTest::mouseClick(size->lineEdit(), Qt::LeftButton, {}, QPoint(5, 5));
            size->lineEdit()->selectAll();
            QTest::keyClicks(size->lineEdit(), "abc");
        }
        dialogs.shown.clear();

        QTest::mouseClick(size, Qt::LeftButton, {}, ComboArrow(size));
        ASSERT_TRUE(QTest::qWaitFor([&] { return size->view()->isVisible(); }, 2000));
        EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.texts().join("\n").toStdString();
        if (profile == 113) {
            const QModelIndex ntsc = size->model()->index(1, 0);
            ASSERT_EQ(ntsc.data().toString(), "NTSC");
            // A release right after the list opened is taken as the end of the opening click.
            QTest::qWait(QApplication::doubleClickInterval() + 50);
            const QPoint at = size->view()->visualRect(ntsc).center();
            QTest::mouseMove(size->view()->viewport(), at);
            QTest::mouseClick(size->view()->viewport(), Qt::LeftButton, {}, at);
            EXPECT_EQ(window().settings().cb_size.Text(), "NTSC");
        } else {
            QTest::keyClick(size->view(), Qt::Key_Escape);
            EXPECT_EQ(size->currentText(), "abc");
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return !size->view()->isVisible() && set.isActiveWindow(); }, 2000));
        EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.texts().join("\n").toStdString();

        // Leaving for OK: two warnings for "abc", none for NTSC; OK takes its first click.
        QPushButton *ok = set.findChild<QPushButton *>("Button1");
        QTest::mouseClick(ok, Qt::LeftButton, {}, ok->rect().center());
        EXPECT_EQ(dialogs.shown.size(), profile == 113 ? 0 : 2) << dialogs.texts().join("\n").toStdString();
        EXPECT_FALSE(set.isVisible());
        dialogs.whileOpen = nullptr;
        program->shutDown();
        program.reset();
    }
}

TEST(FolderPicker, OkTakesTheChosenFolderAndOnlyWithOneSelected)
{
    WindowTestApp();
    QTemporaryDir dir;
    Tfm_dir picker;
    EXPECT_EQ(picker.windowTitle(), "Output Directory");

    QTimer::singleShot(0, &picker, [&] {
        picker.btn_okClick(); // nothing selected: the picker stays open
        EXPECT_TRUE(picker.isVisible());
        picker.selectFolder(dir.path());
        picker.btn_okClick();
    });
    EXPECT_EQ(picker.pick("Choose"), dir.path());
    EXPECT_EQ(picker.windowTitle(), "Choose");
}

// Escape, the title bar's close and Cancel all choose nothing, also right
// after a folder was chosen: the list of the Add DVD or Add Folder that
// opened the picker stays as it was.
TEST_F(MainWindowTest, FolderPickerLeftWithoutOkChangesNothing)
{
    start();
    Tfm_dir &picker = program->folderPicker();
    dialogs.picker = &picker;
    QTemporaryDir chosen;
    const auto pickWith = [&](std::function<void()> leave, const char *object) {
        QTimer::singleShot(0, &picker, [&picker, leave] {
            ASSERT_TRUE(QTest::qWaitForWindowActive(&picker));
            leave();
        });
        ravenmoor::test::ClickObject(window(), object);
        EXPECT_FALSE(picker.isVisible());
    };
    const std::pair<const char *, std::function<void()>> ways[] = {
        {"Escape",
         [&picker] { QTest::keyClick(picker.focusWidget() ? picker.focusWidget() : &picker, Qt::Key_Escape); }},
        {"title bar", [&picker] { picker.close(); }},
        {"Cancel", [&picker] { picker.findChild<QPushButton *>("btn_cancel")->click(); }},
    };
    for (const char *object : {"openfolder", "dvdopen"}) {
        for (const auto &[way, leave] : ways) {
            SCOPED_TRACE(std::string(object) + " left by " + way);
            // A folder chosen with OK first (it holds nothing to add).
            pickWith([&picker, &chosen] {
                picker.selectFolder(chosen.path());
                picker.btn_okClick();
            }, object);
            SourceList &list = window().sourceList();
            window().state().sourceMode = SourceMode::DvdRows;
            SourceRow row;
            row.caption = "kept";
            list.appendRow(row);
            list.sizeArraysToRows();
            list.setVisible(true);
            window().UpdateControlStates();
            dialogs.shown.clear();

            pickWith(leave, object);
            ASSERT_EQ(list.rowCount(), 1);
            EXPECT_EQ(list.row(0).caption, "kept");
            EXPECT_TRUE(list.isVisible());
            EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join("\n").toStdString();
            list.clear();
        }
    }
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

} // namespace

// The main window's commands in the real window over the real data files:
// every popup-menu item and picture button clicked (the two menus nothing
// opens triggered directly) and the command that ran read from the recording
// dialogs, tray and pages; then the commands that do their own work.

#include "engine/job_builder.h"
#include "engine/profile_captions.h"
#include "engine/source_list.h"
#include "main/dialogs/info_window.h"
#include "main/dialogs/settings_window.h"
#include "tests/main/program_fixture.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// What the window is doing when the command comes: an empty list; two file
// rows, none checked; the second checked; a conversion running; a preview.
enum class Situation { Empty, Unchecked, Mixed, Converting, Previewing };

class WindowCommands : public testing::Test, public RecordedOutside {
public:
    QTemporaryDir work;
    QStringList modals; // the modal windows that opened, each closed at once
    QList<ProductPage> pages;
    QTimer modalCloser;

    void SetUp() override
    {
        WindowTestApp().setQuitOnLastWindowClosed(false);
        linkProgramFolder();
        // The shipped layout hides the settings button; the user's layout file shows it.
        QFile layout(config.filePath("Skin.ini"));
        ASSERT_TRUE(layout.open(QIODevice::WriteOnly));
        layout.write("[bt_set]\nVisible=1\n");
        layout.close();
        modalCloser.setInterval(20);
        QObject::connect(&modalCloser, &QTimer::timeout, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                modals << modal->objectName();
                modal->close();
            }
        });
        startProgram();
    }
    void TearDown() override { stopProgram(); }

    // A fresh program over the same folders, with fresh recordings.
    void startProgram()
    {
        dialogs = RecordingDialogs();
        tray = RecordingTrayIcon();
        pages.clear();
        modals.clear();
        makeProgram();
        window().plugins().openPage = [this](ProductPage page) { pages << page; };
        window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        modalCloser.start();
    }
    void stopProgram()
    {
        modalCloser.stop();
        endProgram();
    }

    SourceList &list() const { return window().sourceList(); }
    QLineEdit *editor() const { return window().findChild<QLineEdit *>("edt_tit"); }
    QTreeWidget *listView() const { return window().findChild<QTreeWidget *>("lv"); }

    // Two unchecked file rows, the first selected and focused.
    void addTwoRows()
    {
        for (const char *caption : {"first", "second"}) {
            SourceRow row;
            row.caption = QString::fromLatin1(caption);
            row.checked = false;
            list().appendRow(row);
        }
        list().sizeArraysToRows();
        list().setVisible(true);
        list().selectOnly(0);
        listView()->setCurrentItem(listView()->topLevelItem(0));
        window().UpdateControlStates();
    }
    void enter(Situation situation)
    {
        if (situation == Situation::Empty)
            return;
        addTwoRows();
        if (situation == Situation::Mixed)
            list().setChecked(1, true);
        if (situation == Situation::Converting) {
            window().state().converting = true;
            window().UpdateControlStates();
        }
        if (situation == Situation::Previewing) {
            window().StartPreview();
            ASSERT_TRUE(window().state().previewing);
        }
    }

    QString checks() const
    {
        QString out;
        for (int i = 0; i < list().rowCount(); ++i)
            out += list().row(i).checked ? u'x' : u'-';
        return out;
    }

    // Everything the window did that a user or the desktop would see.
    QStringList effects() const
    {
        QStringList out;
        for (const RecordingDialogs::Shown &s : dialogs.shown)
            out << (s.question ? "ask: " : "message: ") + s.text;
        for (const QString &caption : dialogs.folderCaptions)
            out << "folder picker: " + caption;
        for (const QVector<FileFilter> &filter : dialogs.fileFilters)
            out << "file dialog: " + (filter.isEmpty() ? QString() : filter.first().description);
        for (ProductPage page : pages)
            out << "page " + QString::number(int(page));
        for (const QString &modal : modals)
            out << "modal: " + modal;
        if (tray.shown)
            out << "tray icon: " + tray.tip;
        if (!window().isVisible())
            out << "window gone";
        if (editor()->isVisible())
            out << "rename editor";
        out << (window().state().previewing ? "previewing" : "not previewing");
        out << "checks: " + checks();
        return out;
    }

    void clickMenuItem(const char *menuName, const char *item)
    {
        auto *menu = window().findChild<QMenu *>(QString::fromLatin1(menuName));
        ASSERT_TRUE(menu) << menuName;
        auto *action = menu->findChild<QAction *>(QString::fromLatin1(item));
        ASSERT_TRUE(action) << item;
        ASSERT_TRUE(action->isEnabled()) << item;
        menu->popup(window().mapToGlobal(QPoint(20, 20)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QTest::qWait(30);
    }
    void clickButton(const char *name)
    {
        auto *button = window().findChild<QWidget *>(QString::fromLatin1(name));
        ASSERT_TRUE(button) << name;
        ASSERT_TRUE(button->isVisible() && button->isEnabled()) << name;
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        QTest::qWait(30);
    }
};

struct CommandCase {
    const char *where; // a menu, or "button"
    const char *item;
    Situation situation;
    QStringList expected; // effects that must be among the window's (their beginnings)
};

TEST_F(WindowCommands, EveryMenuItemAndPictureButtonRunsItsCommand)
{
    const QString ifoDialog = "file dialog: IFO Files(*.ifo)";
    const QString videoDialog = "file dialog: All Support Files";
    const QString dvdPicker = "folder picker: Choose the DVD folder";
    const QString sourcePicker = "folder picker: File Directory";
    const QString stopQuestion = "ask: Are you sure to sop converting?";
    const QString noneChecked = "message: Please select one file.";
    const QString page = "page %1";
    const auto pageOf = [&](ProductPage p) { return page.arg(int(p)); };
    const CommandCase cases[] = {
        {"zm_popup_file", "AddFiles2", Situation::Empty, {dvdPicker}},
        {"zm_popup_file", "AddIFOFiles1", Situation::Empty, {ifoDialog}},
        {"button", "bt_dvdopen", Situation::Empty, {dvdPicker}},
        {"zm_popup_file", "AddVideoFiles1", Situation::Unchecked, {videoDialog}},
        {"zm_popup_file", "AddVideoFolder1", Situation::Unchecked, {sourcePicker}},
        {"zm_popup_file", "AddFolder2", Situation::Mixed, {"checks: x"}},
        {"zm_popup_file", "Clear3", Situation::Mixed, {"checks: "}},
        {"zm_popup_file", "RunBackground1", Situation::Unchecked, {"tray icon: Pellmark", "window gone"}},
        {"zm_popup_file", "Exit2", Situation::Unchecked, {"window gone"}},
        {"zm_pop_edit", "Remove1", Situation::Mixed, {"checks: x"}},
        {"zm_pop_edit", "Clear2", Situation::Mixed, {"checks: "}},
        {"zm_pop_edit", "Rename1", Situation::Mixed, {"rename editor"}},
        {"zm_pop_edit", "SelectAll1", Situation::Mixed, {"checks: xx"}},
        {"zm_pop_edit", "UnselectAll1", Situation::Mixed, {"checks: --"}},
        {"zm_pop_actions", "Convert2", Situation::Unchecked, {noneChecked}},
        {"zm_pop_actions", "Stop2", Situation::Converting, {stopQuestion}},
        {"zm_pop_tools", "Settings1", Situation::Unchecked, {"modal: Tfm_set"}},
        {"zm_pop_help", "Help1", Situation::Unchecked, {pageOf(ProductPage::HelpPage)}},
        {"zm_pop_help", "FeedbackandSupport1", Situation::Unchecked, {pageOf(ProductPage::SupportPage)}},
        {"zm_pop_help", "AboutRavenmoor1", Situation::Unchecked, {pageOf(ProductPage::AboutPage)}},
        {"pop_dvd", "MenuItem3", Situation::Unchecked, {dvdPicker}},
        {"pop_dvd", "MenuItem8", Situation::Unchecked, {ifoDialog}},
        {"pop_dvd", "MenuItem10", Situation::Mixed, {"checks: xx"}},
        {"pop_dvd", "MenuItem11", Situation::Mixed, {"checks: --"}},
        {"pop_dvd", "MenuItem13", Situation::Unchecked, {noneChecked}},
        {"pop_dvd", "MenuItem14", Situation::Converting, {stopQuestion}},
        {"pop_dvd", "MenuItem16", Situation::Unchecked, {"window gone"}},
        {"pop_file", "AddFiles1", Situation::Unchecked, {videoDialog}},
        {"pop_file", "AddFolder1", Situation::Unchecked, {sourcePicker}},
        {"pop_file", "Rmove1", Situation::Mixed, {"checks: x"}},
        {"pop_file", "Clear1", Situation::Mixed, {"checks: "}},
        {"pop_file", "Convert1", Situation::Unchecked, {noneChecked}},
        {"pop_file", "Stop1", Situation::Converting, {stopQuestion}},
        {"pop_file", "Exit1", Situation::Unchecked, {"window gone"}},
        {"pop_help", "MenuItem1", Situation::Unchecked, {pageOf(ProductPage::WebSiteLink)}},
        {"pop_help", "MenuItem2", Situation::Unchecked, {pageOf(ProductPage::SupportLink)}},
        {"pop_help", "MenuItem4", Situation::Unchecked, {pageOf(ProductPage::WebSiteLink)}},
        {"pop_help", "MenuItem5", Situation::Unchecked, {pageOf(ProductPage::SupportLink)}},
        {"pop_help", "MenuItem7", Situation::Unchecked, {pageOf(ProductPage::VersionContactPage)}},
        {"button", "bt_open", Situation::Unchecked, {videoDialog}},
        {"button", "bt_ifo", Situation::Unchecked, {ifoDialog}},
        {"button", "bt_remove", Situation::Mixed, {"checks: x"}},
        {"button", "bt_clear", Situation::Mixed, {"checks: "}},
        {"button", "bt_start", Situation::Unchecked, {noneChecked}},
        {"button", "bt_all", Situation::Mixed, {"checks: xx"}},
        {"button", "bt_none", Situation::Mixed, {"checks: --"}},
        {"button", "bt_web", Situation::Unchecked, {pageOf(ProductPage::WebSitePage)}},
        {"button", "bt_play", Situation::Mixed, {"previewing"}},
        {"button", "Bt_Convertstop", Situation::Converting, {stopQuestion}},
        {"button", "bt_playstop", Situation::Previewing, {"not previewing"}},
        {"button", "bt_set", Situation::Unchecked, {"modal: Tfm_set"}},
    };
    for (const CommandCase &c : cases) {
        SCOPED_TRACE(std::string(c.where) + " " + c.item);
        stopProgram();
        startProgram();
        // Clearing is confirmed; stopping the (pretended) run is not.
        dialogs.defaultAnswer = c.situation != Situation::Converting;
        enter(c.situation);
        if (QString::fromLatin1(c.where) == "pop_file" || QString::fromLatin1(c.where) == "pop_help") {
            auto *menu = window().findChild<QMenu *>(QString::fromLatin1(c.where));
            ASSERT_TRUE(menu);
            menu->findChild<QAction *>(QString::fromLatin1(c.item))->trigger();
        } else if (QString::fromLatin1(c.where) == "button") {
            clickButton(c.item);
        } else {
            clickMenuItem(c.where, c.item);
        }
        const QStringList seen = effects();
        for (const QString &e : c.expected) {
            const bool found = std::any_of(seen.begin(), seen.end(), [&](const QString &s) { return s.startsWith(e); });
            EXPECT_TRUE(found) << e.toStdString() << " not in\n" << seen.join('\n').toStdString();
        }
        EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join('\n').toStdString();
        window().state().converting = false;
        window().StopPreview();
    }
}

// Three ways to check rows, kept apart: the list menu always, the picture
// buttons not while converting, the DVD menu with the current view's saved states.
TEST_F(WindowCommands, CheckingEveryRowInItsThreeWays)
{
    addTwoRows();
    DiscState &disc = window().disc();
    disc.TitleChecks = {0, 1};
    disc.titleChecksMade = true;
    disc.ChapterChecks = {1, 0};
    disc.chapterChecksMade = true;

    window().state().converting = true;
    window().bt_allClick();
    EXPECT_EQ(checks(), "--");
    list().setChecked(0, true);
    window().bt_noneClick();
    EXPECT_EQ(checks(), "x-");
    window().SelectAll1Click();
    EXPECT_EQ(checks(), "xx");
    window().UnselectAll1Click();
    EXPECT_EQ(checks(), "--");
    window().state().converting = false;
    window().bt_allClick();
    EXPECT_EQ(checks(), "xx");
    window().bt_noneClick();
    EXPECT_EQ(checks(), "--");
    // The list's own commands leave the saved states alone.
    EXPECT_EQ(disc.TitleChecks, QVector<uint8_t>({0, 1}));

    disc.chapterView = true;
    window().MenuItem10Click();
    EXPECT_EQ(checks(), "xx");
    EXPECT_EQ(disc.ChapterChecks, QVector<uint8_t>({1, 1}));
    EXPECT_EQ(disc.TitleChecks, QVector<uint8_t>({0, 1}));
    disc.chapterView = false;
    window().MenuItem11Click();
    EXPECT_EQ(checks(), "--");
    EXPECT_EQ(disc.TitleChecks, QVector<uint8_t>({0, 0}));
    EXPECT_EQ(disc.ChapterChecks, QVector<uint8_t>({1, 1}));

    // A view without saved states yet gets one per row.
    DiscState fresh;
    disc.TitleChecks = fresh.TitleChecks;
    disc.titleChecksMade = false;
    window().MenuItem10Click();
    EXPECT_EQ(disc.TitleChecks, QVector<uint8_t>({1, 1}));
}

TEST_F(WindowCommands, RenameInPlace)
{
    enum class End { Enter, FocusLoss };
    struct Case {
        const char *typed;
        End end;
        QString caption;
    };
    const Case cases[] = {
        {"holiday", End::Enter, "holiday"},
        {"Ferien am Meer – 2024", End::FocusLoss, "Ferien am Meer – 2024"},
        {"", End::Enter, "first"},
        {"", End::FocusLoss, "first"},
        {"a/b", End::Enter, "first"},
    };
    addTwoRows();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        list().setCaption(0, "first");
        window().Rename1Click();
        ASSERT_TRUE(editor()->isVisible());
        EXPECT_EQ(editor()->text(), "first");
        EXPECT_EQ(editor()->width(), listView()->columnWidth(0));
        EXPECT_EQ(editor()->height(), 18);
        EXPECT_TRUE(editor()->hasFocus());
        editor()->setText(QString::fromUtf8(c.typed));
        if (c.end == End::Enter)
            QTest::keyClick(editor(), Qt::Key_Return);
        else
            listView()->setFocus();
        EXPECT_FALSE(editor()->isVisible());
        EXPECT_EQ(list().row(0).caption, c.caption);
        EXPECT_EQ(list().row(1).caption, "second");
    }

    // A caption whose output names would not fit a file name keeps the old
    // one, counted in bytes with the profile's extension and the longest "_n".
    const QString ext = GetProfileExtension(window().state());
    ASSERT_FALSE(ext.isEmpty());
    const int room = kMaxFileNameBytes - 11 - int(ext.toUtf8().size());
    const struct {
        QString typed;
        QString caption;
    } lengths[] = {
        {QString(300, 'a'), "first"},
        {QString(room + 1, 'b'), "first"},
        {QString(QChar(0xE4)).repeated(room / 2 + 1), "first"},
        {QString(room, 'c'), QString(room, 'c')},
    };
    for (const auto &c : lengths) {
        SCOPED_TRACE(c.typed.size());
        list().setCaption(0, "first");
        window().Rename1Click();
        editor()->setText(c.typed);
        QTest::keyClick(editor(), Qt::Key_Return);
        EXPECT_FALSE(editor()->isVisible());
        EXPECT_EQ(list().row(0).caption, c.caption);
    }
    list().setCaption(0, "first");

    // A NUL inside the text keeps the old caption as well.
    window().Rename1Click();
    editor()->setText(QString("a") + QChar(u'\0') + "b");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(list().row(0).caption, "first");

    // The row went while the editor was open: nothing is renamed.
    window().Rename1Click();
    editor()->setText("late");
    list().clear();
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(list().rowCount(), 0);

    // No selected row: nothing; a selection without a focused row: the message.
    window().Rename1Click();
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_TRUE(dialogs.shown.isEmpty());
    addTwoRows();
    listView()->setCurrentItem(nullptr);
    list().selectOnly(1);
    window().Rename1Click();
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_EQ(dialogs.texts(), QStringList({"Please select one file."}));
}

// A typed folder is made one level deep; a relative one (a "~" among them)
// is taken against the home folder and shown so, never beside the program.
// A refused one stays in the box to be mended; the folder in use stays.
TEST_F(WindowCommands, TypedOutputFolderIsMadeOneLevelDeepOrRefused)
{
    struct Case {
        QString typed;
        QString kept; // empty: refused
    };
    const QString base = work.path();
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    const Case cases[] = {
        {base + "/one", base + "/one"},
        {base + "/My Vidéos ü", base + "/My Vidéos ü"},
        {base, base},
        {base + "/two/levels", {}},
        {"~", home.path()},
        {"~/Videos", home.path() + "/Videos"},
        {"relative", home.path() + "/relative"},
        {"", {}},
    };
    auto *box = window().findChild<QLineEdit *>("ed_output");
    ASSERT_TRUE(box);
    window().state().outputFolder = base;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        dialogs.shown.clear();
        const QString before = window().state().outputFolder;
        box->setText(c.typed);
        const bool taken = window().ed_outputExit();
        EXPECT_EQ(taken, !c.kept.isEmpty());
        if (!c.kept.isEmpty()) {
            EXPECT_TRUE(QFileInfo(c.kept).isDir());
            EXPECT_EQ(box->text(), c.kept);
            EXPECT_EQ(window().state().outputFolder, c.kept);
            EXPECT_EQ(window().settings().ed_output, c.kept);
            EXPECT_TRUE(dialogs.shown.isEmpty());
        } else {
            EXPECT_EQ(dialogs.texts(), QStringList({"Unable to create the directory."}));
            EXPECT_EQ(box->text(), c.typed);
            EXPECT_EQ(window().state().outputFolder, before);
            EXPECT_EQ(window().settings().ed_output, before);
        }
    }
    qputenv("HOME", oldHome);
    // Nothing was made beside the program's working folder.
    EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath("~")));
    EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath("relative")));
    EXPECT_FALSE(QFileInfo::exists(base + "/two"));
}

TEST_F(WindowCommands, RunBackgroundAndTheNotificationIcon)
{
    // Without a notification area the window is minimised and can come back.
    tray.hasArea = false;
    window().RunBackground1Click();
    EXPECT_TRUE(window().isMinimized());
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(tray.adds, 0);
    window().showNormal();
    EXPECT_FALSE(window().isMinimized());

    tray.hasArea = true;
    window().RunBackground1Click();
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(tray.shown);
    EXPECT_EQ(tray.tip, "Pellmark");
    // The icon is the program's own, as the build draws it, with its magenta see-through.
    const QImage bitmap(QDir(ravenmoor::test::binDir()).filePath("tsui/MAINICON.bmp"));
    ASSERT_FALSE(bitmap.isNull());
    const QImage shown = tray.icon.pixmap(bitmap.size()).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(shown.size(), bitmap.size());
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) {
            const QRgb drawn = bitmap.pixel(x, y);
            const bool seeThrough = (drawn & 0xFFFFFF) == 0xFF00FF;
            EXPECT_EQ(qAlpha(shown.pixel(x, y)), seeThrough ? 0 : 255) << x << "," << y;
            if (!seeThrough) {
                EXPECT_EQ(shown.pixel(x, y) & 0xFFFFFF, drawn & 0xFFFFFF) << x << "," << y;
            }
        }
    // The other windows show it too.
    EXPECT_EQ(program->settingsWindow().windowIcon().pixmap(bitmap.size()).toImage().convertToFormat(QImage::Format_ARGB32),
              shown);
    for (int other : {int(NotificationIcon::RightButtonUp), int(NotificationIcon::LeftButtonDoubleClick),
                      int(NotificationIcon::MiddleButtonUp)}) {
        tray.click(other);
        EXPECT_FALSE(window().isVisible()) << other;
        EXPECT_TRUE(tray.shown) << other;
    }
    tray.click(NotificationIcon::LeftButtonUp);
    EXPECT_TRUE(window().isVisible());
    EXPECT_FALSE(tray.shown);
    EXPECT_EQ(tray.removes, 1);
}

TEST_F(WindowCommands, PropertiesNeedASelectedRow)
{
    window().Properties1Click();
    EXPECT_EQ(dialogs.texts(), QStringList({"Please select a file first."}));
    EXPECT_TRUE(modals.isEmpty());
    addTwoRows();
    dialogs.shown.clear();
    window().Properties1Click();
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(modals, QStringList({"Tfm_info"}));
}

// Why a row failed is where the user looks: its tooltip and its properties.
TEST_F(WindowCommands, ARowsNoteShowsInItsTooltipAndProperties)
{
    addTwoRows();
    const QString note = "mydvd.dll: sectors 0..8072 lie past the end of title set 01, which has 3906 sectors";
    list().setStatus(0, "Failed");
    list().setNote(0, note);
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(listView()->topLevelItem(0)->toolTip(column), note) << column;
        EXPECT_EQ(listView()->topLevelItem(1)->toolTip(column), "") << column;
    }
    Tfm_info &info = program->infoWindow();
    info.FormShow();
    EXPECT_EQ(info.findChild<QLineEdit *>("ed_note")->text(), note);
    list().selectOnly(1);
    info.FormShow();
    EXPECT_EQ(info.findChild<QLineEdit *>("ed_note")->text(), "");
    list().setNote(0, {});
    EXPECT_EQ(listView()->topLevelItem(0)->toolTip(4), "");
}

} // namespace

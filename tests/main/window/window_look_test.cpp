// The main window as a new user sees it: menus that show what is off, the
// DVD menu's items, the toolbar's hint lines, the profile caption's end, the
// skin buttons drawn off when off, and the empty list's picture.

#include "engine/source_list.h"
#include "main/window/control_states.h"
#include "main/window/main_window_links.h"
#include "main/dialogs/settings_window.h"
#include "platform/skin/skin.h"
#include "platform/skin/skin_file.h"
#include "skin_controls/controls/combo_box.h"
#include "skin_controls/controls/image_button.h"
#include "skin_controls/controls/popup_menu.h"
#include "tests/main/program_fixture.h"

#include <QGlyphRun>
#include <QMenu>
#include <QTextLayout>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class WindowLook : public testing::Test, public RecordedOutside {
protected:
    void SetUp() override
    {
        WindowTestApp();
        linkProgramFolder();
        makeProgram();
        window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    }
    void TearDown() override { endProgram(); }

    ISkinObject *skinObject(const QString &name) const
    {
        return window().skin().GetWindowObject(&window())->FindChildObject(name);
    }
    void addRow()
    {
        SourceRow row;
        row.caption = "clip";
        window().sourceList().appendRow(row);
        window().sourceList().sizeArraysToRows();
        window().sourceList().selectOnly(0);
        window().UpdateControlStates();
    }
    // The open menu as drawn, and the place of one of its items.
    QImage openMenu(const char *name, QMenu **menu)
    {
        *menu = window().findChild<QMenu *>(QString::fromLatin1(name));
        EXPECT_TRUE(*menu) << name;
        (*menu)->popup(window().mapToGlobal(QPoint(20, 20)));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(*menu));
        return (*menu)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static int count(const QImage &image, const QRect &area, QRgb colour)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        return n;
    }
};

// The window's controls are the skinned ones: the five menus the skin
// opens in the colours of Skin.ini [File], the DVD menu and the two nobody
// opens in their DeepBlue style; the lists flat, the typed frame size still typed.
TEST_F(WindowLook, ControlsAreSkinnedInTheLayoutsColours)
{
    for (const char *name : {"zm_popup_file", "zm_pop_edit", "zm_pop_actions", "zm_pop_tools", "zm_pop_help"}) {
        auto *menu = window().findChild<TsuiPopupMenu *>(name);
        ASSERT_TRUE(menu) << name;
        EXPECT_EQ(menu->Color(), 0xFEFBFA) << name;
        EXPECT_EQ(menu->BarColor(), 0xF2EDE8) << name;
        EXPECT_EQ(menu->FontColor(), 0x332B1F) << name;
        EXPECT_EQ(menu->SelectedColor(), 0xD27D2D) << name;
    }
    const TsuiPopupMenu deepBlue;
    for (const char *name : {"pop_dvd", "pop_file", "pop_help"}) {
        auto *menu = window().findChild<TsuiPopupMenu *>(name);
        ASSERT_TRUE(menu) << name;
        EXPECT_EQ(menu->UIStyle(), TsuiUIStyle::DeepBlue) << name;
        EXPECT_EQ(menu->Color(), deepBlue.Color()) << name;
        EXPECT_EQ(menu->FontColor(), deepBlue.FontColor()) << name;
    }
    for (const char *name : {"bt_dvdopen", "bt_start", "bt_all", "bt_web"})
        EXPECT_TRUE(window().findChild<TsuiImageButton *>(name)) << name;
    for (const char *name : {"cb_audio", "cb_subtitle"})
        EXPECT_TRUE(window().findChild<TsuiComboBox *>(name)) << name;
    auto *size = program->settingsWindow().findChild<TsuiComboBox *>("cb_size");
    ASSERT_TRUE(size);
    EXPECT_TRUE(size->isEditable());
}

// With an empty list "Remove" is off and "Add DVD Disc" on: only the item
// that is off has grey text.
TEST_F(WindowLook, MenuItemsThatAreOffAreGrey)
{
    QMenu *edit = nullptr;
    const QImage editShot = openMenu("zm_pop_edit", &edit);
    QAction *remove = edit->findChild<QAction *>("Remove1");
    ASSERT_FALSE(remove->isEnabled());
    EXPECT_GT(count(editShot, edit->actionGeometry(remove), 0x808080), 0);
    edit->hide();

    QMenu *file = nullptr;
    const QImage fileShot = openMenu("zm_popup_file", &file);
    QAction *add = file->findChild<QAction *>("AddFiles2");
    ASSERT_TRUE(add->isEnabled());
    EXPECT_EQ(count(fileShot, file->actionGeometry(add), 0x808080), 0);
    file->hide();
}

TEST_F(WindowLook, DvdMenuShowsItsItemsOnALightFace)
{
    QMenu *dvd = nullptr;
    const QImage shot = openMenu("pop_dvd", &dvd);
    QStringList captions;
    for (QAction *a : dvd->actions())
        captions << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(captions, QStringList({"Add DVD", "Add IFO", "-", "Select All", "Unselect ALL", "-", "Convert", "Stop",
                                     "-", "Exit"}));
    // Light behind the captions and dark glyphs on it.
    const QRect item = dvd->actionGeometry(dvd->actions().at(3));
    const QColor face = shot.pixelColor(item.right() - 4, item.center().y());
    EXPECT_GT(face.lightness(), 200);
    int dark = 0;
    for (int x = item.left(); x < item.right(); ++x)
        for (int y = item.top(); y < item.bottom(); ++y)
            dark += shot.pixelColor(x, y).lightness() < 100;
    EXPECT_GT(dark, 10);
    dvd->hide();
}

TEST_F(WindowLook, ToolbarButtonsShowTheirHintLines)
{
    struct Case {
        const char *button;
        const char *over;  // null: the line stays as it was
        const char *leave; // the same
    };
    const char *idle = "Add files, choose an output format and press Start.";
    const Case cases[] = {
        {"bt_dvdopen", "Open a DVD folder or disc and add its titles to the list.", idle},
        {"bt_open", "Add video files or the IFO files of a DVD to the list.", idle},
        {"bt_ifo", "Add video files or the IFO files of a DVD to the list.", idle},
        {"bt_remove", "Remove the selected files from the list.", idle},
        {"bt_play", "Play the selected file.", idle},
        {"bt_start", nullptr, nullptr},
    };
    addRow();
    const auto hint = [&] { return window().binding().hint.getText(); };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.button);
        QWidget *button = window().findChild<QWidget *>(c.button);
        ASSERT_TRUE(button && button->isVisible());
        window().binding().hint.setText("before");
        const QPoint middle = button->rect().center();
        QEnterEvent enter(middle, middle, button->mapToGlobal(middle));
        QApplication::sendEvent(button, &enter);
        EXPECT_EQ(hint(), c.over ? c.over : "before");
        window().binding().hint.setText("before");
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        EXPECT_EQ(hint(), c.leave ? c.leave : "before");
    }
    // While converting the hint line stays as it is.
    window().state().converting = true;
    window().binding().hint.setText("before");
    QWidget *open = window().findChild<QWidget *>("bt_open");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(open, &leave);
    EXPECT_EQ(hint(), "before");
    window().state().converting = false;
}

TEST_F(WindowLook, PressOnAToolbarButtonClosesThePickerAndAMoveShowsItsHint)
{
    QWidget *picker = window().findChild<QWidget *>("pl_main");
    ASSERT_TRUE(picker);
    window().ShowProfilePicker();
    ASSERT_TRUE(picker->isVisible());
    QWidget *open = window().findChild<QWidget *>("bt_open");
    QTest::mousePress(open, Qt::RightButton, {}, open->rect().center());
    EXPECT_FALSE(picker->isVisible()) << "any button's press, before the click";
    QTest::mouseRelease(open, Qt::RightButton, {}, open->rect().center());

    window().binding().hint.setText("before");
    QTest::mouseMove(open, open->rect().center() + QPoint(1, 0));
    EXPECT_EQ(window().binding().hint.getText(), "Add video files or the IFO files of a DVD to the list.");
}

TEST_F(WindowLook, StreamLabelsKeepClearOfTheirLists)
{
    for (const auto &[label, list] : {std::pair{"audio", "cb_audio"}, std::pair{"subtitle", "cb_subtitle"}}) {
        SCOPED_TRACE(label);
        ISkinObject *object = skinObject(QString::fromLatin1(label));
        QWidget *combo = window().findChild<QWidget *>(QString::fromLatin1(list));
        ASSERT_TRUE(object && object->TextFacet() && object->FrameFacet() && combo);
        const QRect rows = object->FrameFacet()->GetRect().toQRect();
        const QImage with = window().grab().toImage();
        const QString text = object->TextFacet()->GetText();
        object->TextFacet()->SetText(QString());
        const QImage without = window().grab().toImage();
        object->TextFacet()->SetText(text);
        int inkRight = -1;
        for (int y = rows.top(); y <= rows.bottom(); ++y)
            for (int x = rows.left(); x < combo->x(); ++x)
                if (with.pixel(x, y) != without.pixel(x, y))
                    inkRight = std::max(inkRight, x);
        ASSERT_GE(inkRight, rows.left()) << "the label is drawn";
        EXPECT_GE(combo->x() - inkRight, 6) << "a clear gap before the list's border";
    }
}

TEST_F(WindowLook, ProfileCaptionKeepsItsEnd)
{
    ISkinObject *caption = skinObject("profilestext");
    ASSERT_TRUE(caption);
    const QRect place = caption->FrameFacet()->GetRect().toQRect();
    const auto shot = [&](const QString &text) {
        window().showProfileCaption(text);
        QApplication::processEvents();
        return window().grab().toImage().copy(place);
    };
    const QString common = "Apple iPod Video with a long description, ";
    EXPECT_NE(shot(common + "MPEG-4 (*.mp4)"), shot(common + "H.264 AVC (*.mp4)"));
}

// What is off in the window is drawn off in the skin too.
TEST_F(WindowLook, SkinButtonsFollowTheirPictureButtons)
{
    const auto skinState = [&](const char *name) {
        ISkinObject *o = skinObject(name);
        EXPECT_TRUE(o) << name;
        return o && o->FrameFacet()->IsEnabled();
    };
    EXPECT_FALSE(skinState("pause"));
    EXPECT_FALSE(skinState("hou"));
    EXPECT_FALSE(skinState("qian"));
    EXPECT_FALSE(skinState("converter"));
    EXPECT_FALSE(skinState("chapter"));

    addRow();
    EXPECT_TRUE(skinState("converter"));
    EXPECT_TRUE(skinState("chapter"));
    EXPECT_FALSE(skinState("pause"));

    window().state().converting = true;
    window().UpdateControlStates();
    EXPECT_FALSE(skinState("converter"));
    EXPECT_TRUE(skinState("stopconverter"));
    EXPECT_FALSE(skinState("chapter"));

    window().state().converting = false;
    window().state().previewing = true;
    window().UpdateControlStates();
    for (const char *name : {"pause", "hou", "qian", "stop"})
        EXPECT_TRUE(skinState(name)) << name;
    EXPECT_FALSE(skinState("chapter"));
    window().state().previewing = false;
    window().UpdateControlStates();
    for (const SkinButtonRule &rule : SkinButtonRules())
        EXPECT_EQ(skinState(rule.skinObject), window().controlStates().enabled(rule.control)) << rule.skinObject;
}

// A skin object answers as it is drawn: drawn off (with rows in file mode,
// during a conversion, during a preview) a click on it, as the user's hand
// gives it to whatever lies on top there, does nothing at all.
TEST_F(WindowLook, SkinObjectsDrawnOffDoNothing)
{
    const auto drawnOn = [&](const char *name) { return skinObject(name)->FrameFacet()->IsEnabled(); };
    const auto clickAsTheUser = [&](const char *name) {
        const QPoint at = ravenmoor::test::SkinObjectCentre(window(), name);
        QWidget *top = window().childAt(at);
        QTest::mouseClick(top ? top : &window(), Qt::LeftButton, {}, top ? top->mapFrom(&window(), at) : at);
    };
    // With an empty list Add Folder is on and answers.
    ASSERT_TRUE(drawnOn("openfolder"));
    clickAsTheUser("openfolder");
    EXPECT_EQ(dialogs.folderCaptions.size(), 1);

    const struct {
        const char *situation;
        bool converting, previewing;
        std::vector<const char *> drawnOff;
    } cases[] = {
        {"rows in file mode", false, false, {"dvdopen", "begin", "end", "stop", "pause", "cutclose"}},
        {"converting", true, false,
         {"dvdopen", "openfiles", "ifoopen", "openfolder", "remove", "clear", "converter", "chapter", "cutter",
          "cutclose", "play"}},
        {"previewing", false, true,
         {"dvdopen", "openfiles", "ifoopen", "openfolder", "remove", "clear", "converter", "chapter", "cutter",
          "play"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.situation);
        addRow();
        window().state().converting = c.converting;
        window().state().previewing = c.previewing;
        window().UpdateControlStates();
        for (const SkinButtonRule &rule : SkinButtonRules())
            EXPECT_EQ(drawnOn(rule.skinObject), window().controlStates().enabled(rule.control)) << rule.skinObject;
        for (const char *name : c.drawnOff) {
            EXPECT_FALSE(drawnOn(name)) << name;
            dialogs.shown.clear();
            dialogs.folderCaptions.clear();
            dialogs.fileFilters.clear();
            clickAsTheUser(name);
            EXPECT_TRUE(dialogs.shown.isEmpty()) << name << ": " << dialogs.texts().join("\n").toStdString();
            EXPECT_TRUE(dialogs.folderCaptions.isEmpty() && dialogs.fileFilters.isEmpty()) << name;
            EXPECT_EQ(window().sourceList().rowCount(), 1) << name;
            EXPECT_EQ(window().state().converting, c.converting) << name;
            EXPECT_EQ(window().state().previewing, c.previewing) << name;
        }
        window().state().converting = false;
        window().state().previewing = false;
        window().sourceList().clear();
        window().UpdateControlStates();
    }
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

// While a conversion runs Start is hidden, and what lies beneath it says that
// a conversion runs: the skin's own picture for that, in colour, not a grey Start.
TEST_F(WindowLook, StartsPlaceShowsARunningConversion)
{
    addRow();
    QWidget *start = window().findChild<QWidget *>("bt_start");
    ASSERT_TRUE(start && start->isVisible());
    const SkinSectionDef *main = window().skin().LoadedFile().section("popravenmoor");
    ASSERT_TRUE(main);
    const auto converter = std::find_if(main->objects.begin(), main->objects.end(),
                                        [](const SkinObjectDef &o) { return o.name == "converter"; });
    ASSERT_NE(converter, main->objects.end());
    const QRect place = converter->rect.toQRect();
    EXPECT_TRUE(start->geometry().contains(place)) << "the skin's start lies beneath the picture button";

    window().state().converting = true;
    window().UpdateControlStates();
    ASSERT_FALSE(start->isVisible());
    const QImage shot = window().grab(place).toImage().convertToFormat(QImage::Format_RGB32);
    int coloured = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            coloured += shot.pixelColor(x, y).hsvSaturation() > 100;
    EXPECT_GT(coloured, shot.width() * shot.height() / 2);
    ASSERT_FALSE(converter->disabled.isEmpty());
    const QImage busy(QDir(ravenmoor::test::binDir()).filePath(converter->disabled));
    EXPECT_EQ(shot, busy.convertToFormat(QImage::Format_RGB32));

    window().state().converting = false;
    window().UpdateControlStates();
    EXPECT_TRUE(start->isVisible());
}

// The program's own texts in CJK characters (the update prompt ends in a
// full-width question mark), and captions a "lug.ini" may translate into
// them, draw as glyphs, not as the empty box of a missing one: some installed
// font has them.
TEST_F(WindowLook, CjkCharactersOfTheProgramsTextsHaveGlyphs)
{
    dialogs.answers = {false};
    window().links().Timer3Timer();
    ASSERT_EQ(dialogs.texts().size(), 1);
    const QString prompt = dialogs.texts().constFirst();
    ASSERT_TRUE(prompt.contains(QChar(0xFF1F)));
    for (const QString &text : {prompt, QString(QChar(0xFF1F)), QString::fromUtf8("\u6587\u4EF6\u8F6C\u6362")}) {
        QTextLayout layout(text, QApplication::font());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        int glyphs = 0;
        for (const QGlyphRun &run : layout.glyphRuns())
            for (quint32 glyph : run.glyphIndexes()) {
                ++glyphs;
                EXPECT_NE(glyph, 0u) << text.toStdString() << " in " << run.rawFont().familyName().toStdString();
            }
        EXPECT_GE(glyphs, text.size());
    }
}

// The empty list's steps are drawn flat: no frame or face of a card, so
// nothing in the picture has the long straight edges of a control.
TEST(EmptyListPicture, HasNoCardsToPress)
{
    const QImage picture(QDir(ravenmoor::test::binDir()).filePath("images/skin/hint1.bmp"));
    ASSERT_FALSE(picture.isNull());
    const QRgb paper = picture.pixel(picture.width() / 2, picture.height() - 30);
    // Below the title lines, inside the outer frame.
    int longest = 0;
    for (int y = 175; y < picture.height() - 4; ++y) {
        int run = 0;
        for (int x = 4; x < picture.width() - 4; ++x) {
            const QRgb c = picture.pixel(x, y);
            run = c != paper && c == picture.pixel(x - 1, y) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    EXPECT_LT(longest, 40);
}

} // namespace

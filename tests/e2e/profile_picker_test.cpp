// The profile picker in the real main window: opened from the skin's
// "profiles" object and from the profile icon, a profile chosen with the
// mouse, the choice shown in the caption object, applied to the size list and
// kept in the settings file; an edition's link opens only its own panel.

#include "engine/profile_captions.h"
#include "main/picker/picker_panels.h"
#include "platform/ini/ini_file.h"
#include "tests/support/test_support.h"
#include "tests/support/window_program.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace ravenmoor::test;

class PickerInWindow : public testing::Test, protected RealProgram {
protected:
    void start(const QString &executableName)
    {
        windowTestApp();
        makeProgram(executableName);
        ASSERT_NO_FATAL_FAILURE(showWindow());
    }
    void TearDown() override { endProgram(); }
    ProfilePickerPanels &picker() { return window().picker(); }

    QPoint skinObjectCentre(const char *name) { return SkinObjectCentre(window(), name); }
    void clickSkinObject(const char *name) { ClickObject(window(), name); }
    // The pointer moves onto a picker picture, as the user's hand would.
    void pointAt(QWidget *w) { QTest::mouseMove(w, QPoint(w->width() / 2, std::min(20, w->height() / 2))); }
};

TEST_F(PickerInWindow, ProfilesObjectOpensThePickerAndProfile27IsChosen)
{
    start("ravenmoor");
    EXPECT_FALSE(picker().mainPanel()->isVisible());

    clickSkinObject("profiles");
    ASSERT_TRUE(picker().mainPanel()->isVisible()) << errors.shown.join("\n").toStdString();
    // The stored default (profile 9) lies on the video strip.
    EXPECT_TRUE(picker().panel(PickerPanel::Video1)->isVisible());

    pointAt(picker().categoryPicture(3));
    ASSERT_TRUE(picker().panel(PickerPanel::Ipod)->isVisible());
    PickerImage *button = picker().button(27);
    pointAt(button);
    EXPECT_EQ(button->pictureFile(), "images/sub/move/27.bmp");
    // The open picker lies in front of the window's other controls.
    EXPECT_EQ(window().childAt(button->mapTo(&window(), QPoint(100, 20))), button);

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(100, 20));
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
    EXPECT_EQ(window().binding().profilestext.getText(), ProfileCaption(27));
    EXPECT_EQ(window().settings().cb_size.Items().value(0), "320x240")
        << window().settings().cb_size.Items().join(" ").toStdString();
    EXPECT_EQ(window().state().currentProfile, 27);
    EXPECT_FALSE(picker().mainPanel()->isVisible());
    EXPECT_FALSE(picker().panel(PickerPanel::Ipod)->isVisible());

    window().close();
    const TIniFile saved(config.filePath("ravenmoor.ini"));
    EXPECT_EQ(saved.ReadInteger("profiles", "selcetsubindex", -1), 27);
    EXPECT_EQ(saved.ReadInteger("profiles", "selcetindex", -1), 3);
}

TEST_F(PickerInWindow, ProfileIconOpensThePickerAndAPressOnTheSkinClosesIt)
{
    start("ravenmoor");
    QLabel *icon = window().findChild<QLabel *>("im_mainico");
    ASSERT_TRUE(icon);
    QTest::mouseClick(icon, Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_TRUE(picker().mainPanel()->isVisible()) << errors.shown.join("\n").toStdString();

    QTest::mousePress(&window(), Qt::LeftButton, {}, skinObjectCentre("hint"));
    QTest::mouseRelease(&window(), Qt::LeftButton, {}, skinObjectCentre("hint"));
    EXPECT_FALSE(picker().mainPanel()->isVisible());
    EXPECT_FALSE(picker().panel(PickerPanel::Video1)->isVisible());
}

// The foot of the category column, below its last picture, takes no press:
// the picker stays open.
TEST_F(PickerInWindow, PressOnTheColumnFootKeepsThePickerOpen)
{
    start("ravenmoor");
    clickSkinObject("profiles");
    QWidget *column = picker().mainPanel();
    ASSERT_TRUE(column->isVisible()) << errors.shown.join("\n").toStdString();
    QWidget *foot = column->findChild<QWidget *>("Image3");
    ASSERT_TRUE(foot);
    const QPoint at = foot->mapTo(&window(), foot->rect().center());
    ASSERT_EQ(window().childAt(at), foot);
    QTest::mousePress(foot, Qt::LeftButton, {}, foot->rect().center());
    QTest::mouseRelease(foot, Qt::LeftButton, {}, foot->rect().center());
    EXPECT_TRUE(column->isVisible());
    EXPECT_TRUE(picker().panel(PickerPanel::Video1)->isVisible());
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

TEST_F(PickerInWindow, IpodEditionOpensOnlyItsPanelWithItsOwnDefault)
{
    start("ravenmoor-ipod");
    EXPECT_EQ(window().state().currentProfile, 27) << "the edition's default profile";
    EXPECT_EQ(window().binding().profilestext.getText(), ProfileCaption(27));

    clickSkinObject("profiles");
    QFrame *ipod = picker().panel(PickerPanel::Ipod);
    ASSERT_TRUE(ipod->isVisible()) << errors.shown.join("\n").toStdString();
    EXPECT_FALSE(picker().mainPanel()->isVisible());
    EXPECT_EQ(ipod->x(), picker().mainPanel()->x());

    PickerImage *button = picker().button(29);
    pointAt(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(100, 20));
    EXPECT_EQ(window().binding().profilestext.getText(), ProfileCaption(29));
    EXPECT_FALSE(ipod->isVisible());
}

} // namespace

// A press on any toolbar picture button or on the preview panel closes the
// open picker, whether or not the press goes on to a click.
TEST_F(PickerInWindow, PressOnToolbarButtonsOrPreviewPanelClosesThePicker)
{
    start("ravenmoor");
    const char *pressed[] = {"bt_dvdopen", "bt_ifo", "bt_open", "bt_start", "bt_web", "pl_play"};
    for (const char *name : pressed) {
        SCOPED_TRACE(name);
        QWidget *target = window().findChild<QWidget *>(QString::fromLatin1(name));
        ASSERT_TRUE(target);
        target->setEnabled(true);
        target->show();
        clickSkinObject("profiles");
        ASSERT_TRUE(picker().mainPanel()->isVisible()) << errors.shown.join("\n").toStdString();

        QTest::mousePress(target, Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_FALSE(picker().mainPanel()->isVisible());
        EXPECT_FALSE(picker().panel(PickerPanel::Video1)->isVisible());
        QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(-5, -5)); // off the button: no click
    }
    EXPECT_TRUE(errors.shown.isEmpty()) << errors.shown.join("\n").toStdString();
}

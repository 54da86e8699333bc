#include "engine/engine_state.h"
#include "engine/profile_captions.h"
#include "engine/profile_catalogue.h"
#include "engine/settings_model.h"
#include "engine/size_estimate.h"
#include "main/picker/picker_panels.h"
#include "platform/errors/recording_error_box.h"
#include "tests/support/test_support.h"

#include <QApplication>
#include <QFrame>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

using ravenmoor::test::binDir;

namespace {

QApplication &app()
{
    static int argc = 1;
    static char name[] = "picker_panels_test";
    static char *argv[] = {name, nullptr};
    // Never destroyed: the pointing device QTest creates must not outlive it at exit.
    static QApplication *a = new QApplication(argc, argv);
    return *a;
}

// Shows the caption where the skin's caption object would and loads the real category icon.
struct CaptionDisplay : ProfileCaptionDisplay {
    QString caption;
    QString icon;
    void loadCategoryIcon(const QString &path) override
    {
        if (QPixmap(path).isNull())
            throw std::runtime_error("Cannot open file " + path.toStdString());
        icon = path;
    }
    void showProfileCaption(const QString &text) override { caption = text; }
};

struct NoRows : EstimateRows {
    int estimateRowCount() const override { return 0; }
    QString sourceFrameSize(int) const override { return {}; }
    QString sourceDuration(int) const override { return {}; }
    void setEstimatedSize(int, const QString &) override {}
};

// A main window stand-in with the real catalogue behind the picker.
struct Window {
    QApplication &application = app(); // before any widget
    QWidget form;
    EngineState state;
    SettingsModel settings;
    CaptionDisplay display;
    NoRows rows;
    RecordingErrorBox errors;
    ProfileCatalogue catalogue;
    ProfilePickerPanels panels;

    explicit Window(const QString &pictureFolder = binDir(), const QString &exeName = QStringLiteral("ravenmoor"))
        : catalogue(state, settings, binDir(), {}, display, rows),
          panels(&form, pictureFolder, exeName, state,
                 PickerHooks{[this](int n) { catalogue.SelectProfile(n); }, [] {}, [] {}}, errors)
    {
        form.resize(700, 520);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    void startUp(int category, int profile)
    {
        ProfilePicker &p = panels.picker();
        p.SetPickerVisible(false);
        p.RestoreAllButtons();
        p.LayoutProfileStrip();
        state.currentCategory = category;
        state.currentProfile = profile;
        catalogue.SelectProfile(profile);
        state.settingsLoaded = true;
        p.SettingsLoaded();
    }

    void hover(QWidget *w) { QTest::mouseMove(w, QPoint(w->width() / 2, std::min(20, w->height() / 2))); }
};

TEST(PickerPanels, ClickingProfile27SelectsItsCaptionAndFrameSizes)
{
    Window w;
    w.startUp(1, 9);
    ASSERT_TRUE(w.errors.shown.isEmpty()) << w.errors.shown.join("\n").toStdString();
    EXPECT_FALSE(w.panels.mainPanel()->isVisible());
    EXPECT_EQ(w.panels.categoryPicture(13)->pictureFile(), "images/main/general/img_animation.bmp");

    w.panels.picker().ShowProfilePicker(w.state.appliedProfile);
    EXPECT_TRUE(w.panels.mainPanel()->isVisible());
    EXPECT_TRUE(w.panels.panel(PickerPanel::Video1)->isVisible());
    EXPECT_TRUE(w.panels.backPanel()->isVisible());

    w.hover(w.panels.categoryPicture(3));
    EXPECT_TRUE(w.panels.panel(PickerPanel::Ipod)->isVisible());
    EXPECT_FALSE(w.panels.panel(PickerPanel::Video1)->isVisible());
    EXPECT_EQ(w.panels.categoryPicture(3)->pictureFile(), "images/main/move/img_ipod.bmp");

    PickerImage *button = w.panels.button(27);
    w.hover(button);
    EXPECT_EQ(button->pictureFile(), "images/sub/move/27.bmp");
    EXPECT_EQ(button->pixmap().size(), QSize(310, 53));

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(100, 20));
    EXPECT_TRUE(w.errors.shown.isEmpty()) << w.errors.shown.join("\n").toStdString();
    EXPECT_EQ(w.state.currentProfile, 27);
    EXPECT_EQ(w.state.appliedProfile, 27);
    EXPECT_EQ(w.display.caption, ProfileCaption(27));
    EXPECT_TRUE(w.display.icon.endsWith("images/main/3.bmp")) << w.display.icon.toStdString();
    EXPECT_TRUE(w.settings.cb_size.Items().contains("320x240")) << w.settings.cb_size.Items().join(" ").toStdString();
    EXPECT_FALSE(w.panels.mainPanel()->isVisible());
    EXPECT_FALSE(w.panels.panel(PickerPanel::Ipod)->isVisible());
    EXPECT_FALSE(w.panels.backPanel()->isVisible());
}

TEST(PickerPanels, FillersAndTheBackPanelSwapPicturesButSelectNothing)
{
    Window w;
    w.startUp(6, 46);
    w.panels.picker().ShowProfilePicker(w.state.appliedProfile);
    ASSERT_TRUE(w.panels.panel(PickerPanel::Appletv)->isVisible());
    PickerImage *filler = w.panels.button(52);
    w.hover(filler);
    EXPECT_EQ(filler->pictureFile(), "images/sub/move/52.bmp");
    QTest::mouseClick(filler, Qt::LeftButton, {}, QPoint(50, 20));
    EXPECT_EQ(w.state.currentProfile, 46);
    EXPECT_TRUE(w.panels.mainPanel()->isVisible());

    // The back panel lies under the open panel; its picture answers where no panel covers it.
    w.panels.picker().BackPanelHover();
    EXPECT_EQ(filler->pictureFile(), "images/sub/general/52.bmp");
    EXPECT_EQ(w.panels.button(109)->pictureFile(), "images/sub/move/109.bmp");
}

TEST(PickerPanels, DownArrowScrollsTheStripEveryHalfSecondUntilAButtonIsHovered)
{
    Window w;
    w.startUp(1, 9);
    w.panels.picker().ShowProfilePicker(w.state.appliedProfile);
    PickerImage *down = w.panels.button(kButtonDown);
    ASSERT_TRUE(down->isVisible());
    EXPECT_FALSE(w.panels.button(kButtonUp)->isVisible());
    w.hover(down);
    EXPECT_TRUE(w.panels.timer(StripTimer::Down)->isActive());
    EXPECT_EQ(down->pictureFile(), "images/sub/move/down.bmp");
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.panels.button(1)->y() == -48; }, 2000));
    EXPECT_TRUE(w.panels.button(kButtonUp)->isVisible());

    w.hover(w.panels.button(5));
    EXPECT_FALSE(w.panels.timer(StripTimer::Down)->isActive());
    EXPECT_EQ(down->pictureFile(), "images/sub/general/down.bmp");
}

TEST(PickerPanels, EditionPanelOpensFlatAtTheBrandPlace)
{
    Window w(binDir(), QStringLiteral("Qorva-iPod"));
    w.startUp(1, 27);
    w.panels.picker().ShowProfilePicker(w.state.appliedProfile);
    QFrame *ipod = w.panels.panel(PickerPanel::Ipod);
    EXPECT_TRUE(ipod->isVisible());
    EXPECT_FALSE(w.panels.mainPanel()->isVisible());
    EXPECT_EQ(ipod->x(), 88);
    EXPECT_EQ(ipod->frameShape(), QFrame::Box);
    EXPECT_EQ(w.panels.button(28)->y(), 52);
    EXPECT_EQ(w.panels.button(33)->y(), 292);
}

TEST(PickerPanels, LayoutPlacesFollowIntoTheBackPanelAndTheEditions)
{
    Window w;
    w.startUp(1, 9);
    EXPECT_TRUE(w.panels.movePanel("pl_main", 12, 110));
    for (const PickerPanelInfo &info : PickerPanelTable())
        EXPECT_TRUE(w.panels.movePanel(QLatin1String(info.name), 165, 110));
    EXPECT_FALSE(w.panels.movePanel("pl_play", 1, 1));
    w.panels.picker().ShowProfilePicker(9);
    EXPECT_EQ(w.panels.mainPanel()->pos(), QPoint(12, 110));
    EXPECT_EQ(w.panels.backPanel()->pos(), QPoint(165, 110)) << "behind the video panel";
    EXPECT_EQ(w.panels.panel(PickerPanel::Video1)->pos(), QPoint(165, 110));
}

TEST(PickerPanels, PickerLiesInFrontOfLaterControls)
{
    Window w;
    auto *list = new QWidget(&w.form); // a control the form builds after the picker
    list->setGeometry(0, 0, 700, 520);
    w.panels.bringToFront();
    w.startUp(1, 9);
    w.panels.picker().ShowProfilePicker(9);
    EXPECT_EQ(w.form.childAt(100, 120), w.panels.categoryPicture(2));
    EXPECT_EQ(w.form.childAt(300, 150), w.panels.button(2));
}

TEST(PickerPanels, BackPanelCarriesTheSkinFrameAlong)
{
    QList<std::pair<bool, QRect>> frames;
    Window w;
    ProfilePickerPanels panels(&w.form, binDir(), "ravenmoor", w.state, PickerHooks{[](int) {}, [] {}, [] {}},
                               w.errors, [&](bool v, const QRect &r) { frames.append({v, r}); });
    panels.picker().SetPickerVisible(false);
    panels.picker().RestoreCategoryImage(2);
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[0], std::make_pair(false, QRect(0, 0, 0, 0)));
    EXPECT_EQ(frames[1], std::make_pair(true, QRect(206, 81, 310, 358)));
}

TEST(PickerPanels, MissingPictureIsShownAndEndsTheHover)
{
    QTemporaryDir empty;
    Window w(empty.path());
    ASSERT_EQ(w.errors.shown.size(), kCategoryCount) << "the column's pictures are loaded with the widgets";
    w.errors.shown.clear();
    w.state.currentCategory = 1;
    EXPECT_THROW(w.panels.picker().ShowProfilePicker(9), std::runtime_error);
    EXPECT_FALSE(w.panels.mainPanel()->isVisible()) << "opening ended before the column showed";

    // Through the mouse the error goes to the error box and ends the handler.
    w.panels.mainPanel()->show();
    w.panels.panel(PickerPanel::Video1)->show();
    w.hover(w.panels.button(3));
    ASSERT_EQ(w.errors.shown.size(), 1);
    EXPECT_TRUE(w.errors.shown[0].contains(empty.path() + "/images/sub/move/103.bmp"))
        << w.errors.shown[0].toStdString();
    EXPECT_EQ(w.panels.picker().hoveredCode(), -1);
}

} // namespace

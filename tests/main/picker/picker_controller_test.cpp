#include "engine/engine_state.h"
#include "main/picker/picker_controller.h"

#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>

namespace {

// Records what the picker does to its widgets; panels keep the form's places.
class RecordingView : public PickerView {
public:
    QStringList loads;            // "btim_27=images/sub/move/27.bmp", in order
    std::map<int, QString> shown; // picture each button shows
    QSet<PickerPanel> visible;
    QSet<PickerPanel> flat;
    std::map<PickerPanel, int> lefts;
    bool main = false;
    bool back = false;
    QRect backRect;
    std::map<int, QPoint> places;
    QSet<int> hiddenButtons;
    QSet<StripTimer> running;
    QSet<QString> missing; // pictures that fail to load
    QStringList log;       // panels and timers, in order

    void loadButtonPicture(int button, const QString &path) override
    {
        if (missing.contains(path))
            throw std::runtime_error("missing " + path.toStdString());
        loads << ButtonName(button) + "=" + path;
        shown[button] = path;
    }
    void loadCategoryPicture(int category, const QString &path) override
    {
        if (missing.contains(path))
            throw std::runtime_error("missing " + path.toStdString());
        loads << QLatin1String(FindPickerCategory(category)->objectName) + "=" + path;
    }
    void setPanelVisible(PickerPanel p, bool v) override
    {
        if (v)
            visible.insert(p);
        else
            visible.remove(p);
    }
    bool panelVisible(PickerPanel p) const override { return visible.contains(p); }
    QRect panelRect(PickerPanel p) const override
    {
        QRect r = PanelInfo(p).rect;
        if (lefts.count(p))
            r.moveLeft(lefts.at(p));
        return r;
    }
    void setPanelLeft(PickerPanel p, int left) override { lefts[p] = left; }
    void setPanelFlat(PickerPanel p) override { flat.insert(p); }
    void setMainVisible(bool v) override { main = v; }
    bool mainVisible() const override { return main; }
    int mainLeft() const override { return 53; }
    void showBackPanel(bool v, const QRect &r) override
    {
        back = v;
        backRect = r;
    }
    void placeButton(int button, int left, int top) override { places[button] = QPoint(left, top); }
    void setButtonVisible(int button, bool v) override
    {
        if (v)
            hiddenButtons.remove(button);
        else
            hiddenButtons.insert(button);
    }
    void raiseButton(int) override {}
    void setTimerRunning(StripTimer t, bool r) override
    {
        if (r && !running.contains(t))
            log << (t == StripTimer::Down ? "downtime on" : "uptime on");
        if (!r && running.contains(t))
            log << (t == StripTimer::Down ? "downtime off" : "uptime off");
        if (r)
            running.insert(t);
        else
            running.remove(t);
    }
    bool timerRunning(StripTimer t) const override { return running.contains(t); }

    QStringList visibleNames() const
    {
        QStringList names;
        for (PickerPanel p : visible)
            names << QLatin1String(PanelInfo(p).name);
        names.sort();
        return names;
    }
};

struct Fixture {
    RecordingView view;
    EngineState state;
    QList<int> selected;
    QList<int> currentAtSelect;
    int warnings = 0;
    int previewHidden = 0;
    ProfilePicker picker;

    explicit Fixture(const QString &exeName = QStringLiteral("ravenmoor"))
        : picker(view, state, exeName,
                 PickerHooks{[this](int n) {
                                 selected << n;
                                 currentAtSelect << state.currentProfile;
                                 state.appliedProfile = n;
                             },
                             [this] { ++warnings; }, [this] { ++previewHidden; }})
    {
    }

    // Start-up: picker closed, all normal pictures, the strip, then the settings.
    void startUp(int category, int profile)
    {
        picker.SetPickerVisible(false);
        picker.RestoreAllButtons();
        picker.LayoutProfileStrip();
        state.currentCategory = category;
        state.currentProfile = profile;
        state.appliedProfile = profile;
        picker.SettingsLoaded();
        view.loads.clear();
        view.log.clear();
    }

    // "c3" category hover, "b27" button hover, "k27" click, "back" the back panel's picture,
    // "open" ShowProfilePicker with the applied profile, "tick-down", "tick-up".
    void run(const QString &action)
    {
        if (action == "back")
            picker.BackPanelHover();
        else if (action == "open")
            picker.ShowProfilePicker(state.appliedProfile);
        else if (action == "tick-down")
            picker.DownTimerTick();
        else if (action == "tick-up")
            picker.UpTimerTick();
        else if (action.startsWith('c'))
            picker.CategoryHover(action.mid(1).toInt());
        else if (action.startsWith('b'))
            picker.ButtonHover(action.mid(1).toInt());
        else if (action.startsWith('k'))
            picker.ButtonClick(action.mid(1).toInt());
        else
            FAIL() << action.toStdString();
    }
};

TEST(PickerController, StartUpLoadsEveryNormalPictureAndClosesThePicker)
{
    Fixture f;
    f.picker.SetPickerVisible(false);
    f.picker.RestoreAllButtons();
    f.picker.LayoutProfileStrip();
    for (const PickerButton &b : PickerButtons()) {
        if (b.role == ButtonRole::Blank)
            EXPECT_EQ(f.view.shown.count(b.id), 0u) << b.id;
        else
            EXPECT_EQ(f.view.shown[b.id], NormalButtonPicture(b.code)) << b.id;
    }
    EXPECT_TRUE(f.view.visible.isEmpty());
    EXPECT_FALSE(f.view.main);
    EXPECT_FALSE(f.view.back);
    EXPECT_TRUE(f.view.running.isEmpty());
    EXPECT_EQ(f.view.places[18], QPoint(0, 816));
    EXPECT_EQ(f.view.places[kButtonDown], QPoint(0, 338));
    EXPECT_TRUE(f.view.hiddenButtons.contains(kButtonUp));
    EXPECT_EQ(f.view.places[26], QPoint(0, 341));
}

TEST(PickerController, SettingsMakeTheCurrentProfileTheHoveredCode)
{
    Fixture f;
    f.startUp(3, 27);
    EXPECT_EQ(f.picker.hoveredCode(), 27);
    // So the first hover puts profile 27's own picture back.
    f.run("b28");
    EXPECT_EQ(f.view.loads, QStringList({"btim_27=images/sub/general/27.bmp", "btim_28=images/sub/move/28.bmp"}));
}

struct HoverCase {
    const char *what;
    int category, profile; // from the settings
    QStringList actions;
    QStringList loads;   // pictures loaded by the last action
    QStringList visible; // panels visible at the end
    int hovered;
};

TEST(PickerController, HoverSequencesLoadPicturesAndShowPanels)
{
    const HoverCase cases[] = {
        {"moving within one button loads once", 3, 27, {"open", "b28", "b28"}, {}, {"pl_ipod"}, 28},
        {"first category hover restores the stored category", 1, 9, {"c3"},
         {"img_gvideo1=images/main/general/img_video1.bmp", "img_ipod=images/main/move/img_ipod.bmp"},
         {"pl_ipod"}, 9},
        {"the same category again does nothing", 1, 9, {"c3", "c3"}, {}, {"pl_ipod"}, 9},
        {"btim_1 then btim_3", 1, 9, {"open", "b1", "b3"},
         {"btim_1=images/sub/general/8.bmp", "btim_3=images/sub/move/103.bmp"}, {"pl_video1"}, 103},
        {"restoring 103 reloads both of its buttons", 1, 9, {"open", "b1", "b3", "c3", "b27"},
         {"btim_3=images/sub/general/103.bmp", "btim_103=images/sub/general/103.bmp",
          "btim_27=images/sub/move/27.bmp"},
         {"pl_ipod"}, 27},
        {"a filler swaps pictures like a button", 6, 46, {"open", "b52"},
         {"btim_46=images/sub/general/46.bmp", "btim_52=images/sub/move/52.bmp"}, {"pl_appletv"}, 52},
        {"blanks and stills do nothing", 2, 15, {"open", "b20", "b26", "b98", "b101", "b117", "b132"}, {},
         {"pl_audio1"}, 15},
        {"back panel restores the last button", 3, 27, {"open", "b28", "back"},
         {"btim_28=images/sub/general/28.bmp", "btim_109=images/sub/move/109.bmp"}, {"pl_ipod"}, 109},
    };
    for (const HoverCase &c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        f.startUp(c.category, c.profile);
        for (const QString &a : c.actions) {
            f.view.loads.clear();
            f.run(a);
        }
        EXPECT_EQ(f.view.loads, c.loads);
        EXPECT_EQ(f.view.visibleNames(), c.visible);
        EXPECT_EQ(f.picker.hoveredCode(), c.hovered);
    }
}

TEST(PickerController, RestoringAnEditionNumberHidesItsPanel)
{
    Fixture f;
    f.startUp(3, 2);
    f.view.visible.insert(PickerPanel::Avi);
    f.run("b27");
    EXPECT_EQ(f.view.loads, QStringList({"btim_27=images/sub/move/27.bmp"}));
    EXPECT_FALSE(f.view.visible.contains(PickerPanel::Avi));
}

TEST(PickerController, EditionButtonKeepsItsPanelWhenTheHoveredCodeIsItsEditionNumber)
{
    Fixture f(QStringLiteral("ravenmoor-avi"));
    f.startUp(1, 2); // AVI-DivX has no button: the hovered code is the edition number 2
    f.run("open");
    EXPECT_TRUE(f.view.visible.contains(PickerPanel::Avi));
    f.run("b104");
    EXPECT_EQ(f.view.loads, QStringList({"btim_4=images/sub/general/102.bmp", "btim_102=images/sub/general/102.bmp",
                                         "btim_104=images/sub/move/104.bmp"}));
    EXPECT_TRUE(f.view.visible.contains(PickerPanel::Avi));
    EXPECT_EQ(f.picker.hoveredCode(), 104);
}

TEST(PickerController, ClickSetsTheCurrentProfileBeforeSelectingAndClosesThePicker)
{
    Fixture f;
    f.startUp(3, 9);
    f.run("open");
    f.run("k27");
    EXPECT_EQ(f.selected, QList<int>({27}));
    EXPECT_EQ(f.currentAtSelect, QList<int>({27}));
    EXPECT_EQ(f.state.currentProfile, 27);
    EXPECT_TRUE(f.view.visible.isEmpty());
    EXPECT_FALSE(f.view.main);
    EXPECT_FALSE(f.view.back);
}

TEST(PickerController, ClicksOnFillersBlanksAndArrowsSelectNothing)
{
    for (int button : {52, 67, 74, 82, 90, 109, 124, 20, 26, 98, 101, 117, 132, kButtonUp, kButtonDown}) {
        Fixture f;
        f.startUp(1, 9);
        f.run("open");
        f.run(QStringLiteral("k%1").arg(button));
        EXPECT_TRUE(f.selected.isEmpty()) << button;
        EXPECT_EQ(f.state.currentProfile, 9) << button;
        EXPECT_TRUE(f.view.main) << "the picker stays open";
    }
}

TEST(PickerController, FailedSelectionLeavesThePreviousProfileCurrent)
{
    Fixture f;
    f.startUp(3, 9);
    ProfilePicker failing(f.view, f.state, "ravenmoor",
                          PickerHooks{[](int) { throw std::runtime_error("profiles.pop"); }, [] {}, [] {}});
    EXPECT_THROW(failing.ButtonClick(27), std::runtime_error);
    EXPECT_EQ(f.state.currentProfile, 9);
}

TEST(PickerController, MissingPictureEndsTheHoverBeforeStateChanges)
{
    Fixture f;
    f.startUp(1, 9);
    f.run("open");
    f.view.missing.insert("images/sub/move/103.bmp");
    EXPECT_THROW(f.run("b3"), std::runtime_error);
    EXPECT_EQ(f.picker.hoveredCode(), 9);

    f.view.missing.insert("images/main/move/img_ipod.bmp");
    EXPECT_THROW(f.run("c3"), std::runtime_error);
    EXPECT_EQ(f.state.currentCategory, 1);
    EXPECT_FALSE(f.view.visible.contains(PickerPanel::Ipod));
}

struct OpenCase {
    const char *exe;
    int applied;
    int category; // current category before opening
    QStringList visible;
    bool main;
    int categoryAfter;
    QStringList loads;
};

TEST(PickerController, OpeningShowsTheEditionOrTheCategoryOfTheAppliedProfile)
{
    const OpenCase cases[] = {
        {"ravenmoor", 33, 1, {"pl_ipod"}, true, 3,
         {"img_gvideo1=images/main/general/img_video1.bmp", "img_ipod=images/main/move/img_ipod.bmp"}},
        {"ravenmoor", 17, 1, {"pl_audio1"}, true, 2,
         {"img_gvideo1=images/main/general/img_video1.bmp", "img_audio1=images/main/move/img_audio1.bmp"}},
        {"ravenmoor", 110, 3, {"pl_video1"}, true, 1,
         {"img_ipod=images/main/general/img_ipod.bmp", "img_gvideo1=images/main/move/img_video1.bmp"}},
        {"ravenmoor", 26, 4, {}, true, 4, {"img_iphone=images/main/general/img_iphone.bmp"}},
        {"ravenmoor-ipod", 9, 1, {"pl_ipod"}, false, 1, {}},
        {"ravenmoor-mkv", 9, 1, {"pl_mkv"}, false, 1, {}},
        {"ravenmoor-wmv", 9, 1, {}, false, 1, {}},
    };
    for (const OpenCase &c : cases) {
        SCOPED_TRACE(std::string(c.exe) + " " + std::to_string(c.applied));
        Fixture f(QString::fromLatin1(c.exe));
        f.startUp(c.category, c.applied);
        f.run("open");
        EXPECT_EQ(f.view.visibleNames(), c.visible);
        EXPECT_EQ(f.view.main, c.main);
        EXPECT_EQ(f.state.currentCategory, c.categoryAfter);
        EXPECT_EQ(f.view.loads, c.loads);
        EXPECT_EQ(f.view.back, c.main) << "the back panel stands behind the full picker only";
    }
}

TEST(PickerController, DeviceEditionOpensFlatAndRestackedAtTheBrandPlace)
{
    Fixture f(QStringLiteral("Qorva-HD"));
    f.startUp(1, 91);
    f.run("open");
    EXPECT_EQ(f.view.visibleNames(), QStringList({"pl_hd"}));
    EXPECT_TRUE(f.view.flat.contains(PickerPanel::Hd));
    EXPECT_EQ(f.view.lefts[PickerPanel::Hd], 88);
    EXPECT_EQ(f.view.places[91], QPoint(0, -1));
    EXPECT_EQ(f.view.places[97], QPoint(0, 291));
    EXPECT_EQ(f.previewHidden, 1);

    Fixture previewing(QStringLiteral("qorva-hd"));
    previewing.startUp(1, 91);
    previewing.state.previewing = true;
    previewing.run("open");
    EXPECT_EQ(previewing.previewHidden, 0);
}

TEST(PickerController, WhileConvertingOpeningOnlyWarns)
{
    Fixture f;
    f.startUp(1, 9);
    f.state.converting = true;
    f.run("open");
    EXPECT_EQ(f.warnings, 1);
    EXPECT_FALSE(f.view.main);
    EXPECT_TRUE(f.view.visible.isEmpty());
}

TEST(PickerController, ArrowsRunTheirTimersUntilAButtonIsHovered)
{
    Fixture f;
    f.startUp(1, 9);
    f.run("open");
    f.run("b134");
    f.run("b134");
    EXPECT_EQ(f.view.log, QStringList({"downtime on"}));
    EXPECT_EQ(f.view.shown[kButtonDown], "images/sub/move/down.bmp");
    EXPECT_EQ(f.picker.hoveredCode(), 134);

    // A category hover does not stop the scroll; a strip button does.
    f.run("tick-down");
    f.run("c2");
    EXPECT_TRUE(f.view.running.contains(StripTimer::Down));
    f.run("b2");
    EXPECT_FALSE(f.view.running.contains(StripTimer::Down));
    EXPECT_EQ(f.view.shown[kButtonDown], "images/sub/general/down.bmp");
    EXPECT_EQ(f.view.places[1], QPoint(0, -48));
}

TEST(PickerController, AnArrowStopsTheOppositeTimer)
{
    Fixture f;
    f.startUp(1, 9);
    f.run("open");
    f.run("b134");
    f.run("tick-down");
    f.run("b133");
    EXPECT_EQ(f.view.log, QStringList({"downtime on", "downtime off", "uptime on"}));
    EXPECT_EQ(f.view.shown[kButtonDown], "images/sub/general/down.bmp");
    EXPECT_EQ(f.view.shown[kButtonUp], "images/sub/move/up.bmp");
}

TEST(PickerController, TimerTicksMoveTheStripToItsEndsAndStop)
{
    Fixture f;
    f.startUp(1, 9);
    f.run("b134");
    for (int i = 0; i < 11; ++i)
        f.run("tick-down");
    EXPECT_EQ(f.view.places[18], QPoint(0, 310));
    EXPECT_EQ(f.view.places[1], QPoint(0, -506));
    EXPECT_TRUE(f.view.hiddenButtons.contains(kButtonDown));
    EXPECT_FALSE(f.view.hiddenButtons.contains(kButtonUp));
    EXPECT_FALSE(f.view.running.contains(StripTimer::Down));

    f.run("b133");
    for (int i = 0; i < 11; ++i)
        f.run("tick-up");
    EXPECT_EQ(f.view.places[1], QPoint(0, 0));
    EXPECT_EQ(f.view.places[18], QPoint(0, 816));
    EXPECT_TRUE(f.view.hiddenButtons.contains(kButtonUp));
    EXPECT_FALSE(f.view.hiddenButtons.contains(kButtonDown));
    EXPECT_FALSE(f.view.running.contains(StripTimer::Up));
}

} // namespace

namespace {

TEST(PickerController, StripButtonsOneSixAndSevenPutTheBackPanelBehindTheStrip)
{
    // Restoring edition number 2 puts the back panel where pl_mpeg stands (311
    // wide); btim_1, btim_6 and btim_7 move it back behind the strip (310 wide).
    for (const auto &[button, width] : {std::pair{1, 310}, std::pair{6, 310}, std::pair{7, 310}, std::pair{5, 311}}) {
        Fixture f;
        f.startUp(1, 2);
        f.run("open");
        f.run(QStringLiteral("b%1").arg(button));
        EXPECT_TRUE(f.view.back) << button;
        EXPECT_EQ(f.view.backRect.width(), width) << button;
    }
}

} // namespace

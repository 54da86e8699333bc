#include "skin_controls/controls/button.h"
#include "skin_controls/controls/image_button.h"
#include "skin_controls/drawing/form_helpers.h"
#include "tests/skin_controls/skin_test_app.h"
#include "tests/support/test_support.h"

#include <QAction>
#include <QDialog>
#include <QEnterEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QColor kBack(0x33, 0x44, 0x55);

QImage solid(QSize size, const QColor &c)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

void enter(QWidget &w)
{
    QEnterEvent event(QPointF(5, 5), w.mapToGlobal(QPointF(5, 5)), w.mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(&w, &event);
}

void leave(QWidget &w)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&w, &event);
}

class Buttons : public ::testing::Test {
protected:
    void SetUp() override
    {
        SkinTestApp();
        form = std::make_unique<QWidget>();
        form->resize(220, 120);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void TearDown() override { form.reset(); }

    std::unique_ptr<QWidget> form;
};

TEST_F(Buttons, ImageButtonStatePicturesAndFallbacks)
{
    const QColor normal(Qt::red), on(Qt::green), down(Qt::blue), disabled(Qt::gray);
    struct Case {
        const char *pictures;
        bool n, o, d, x;
        QColor inNormal, inHover, inPressed, inDisabled;
    };
    const Case cases[] = {
        {"all four", true, true, true, true, normal, on, down, disabled},
        {"as the main window has them", true, true, false, true, normal, on, normal, disabled},
        {"normal only", true, false, false, false, normal, normal, normal, normal},
        {"none", false, false, false, false, kBack, kBack, kBack, kBack},
        {"mouse-on only", false, true, false, false, kBack, on, kBack, kBack},
    };
    for (const Case &k : cases) {
        TsuiImageButton button(QStringLiteral("bt_start"), form.get());
        button.setGeometry(10, 10, 80, 30);
        button.setColor(QColorToTColor(kBack));
        if (k.n)
            button.setPicNormal(TsuiPicture::fromBitmap(solid({80, 30}, normal)));
        if (k.o)
            button.setPicMouseOn(TsuiPicture::fromBitmap(solid({80, 30}, on)));
        if (k.d)
            button.setPicMouseDown(TsuiPicture::fromBitmap(solid({80, 30}, down)));
        if (k.x)
            button.setPicDisabled(TsuiPicture::fromBitmap(solid({80, 30}, disabled)));
        button.show();
        EXPECT_EQ(At(Shot(button), 5, 5), k.inNormal) << k.pictures << ": normal";
        enter(button);
        EXPECT_EQ(At(Shot(button), 5, 5), k.inHover) << k.pictures << ": hovered";
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(At(Shot(button), 5, 5), k.inPressed) << k.pictures << ": pressed";
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
        leave(button);
        button.setEnabled(false);
        EXPECT_EQ(At(Shot(button), 5, 5), k.inDisabled) << k.pictures << ": disabled";
    }
}

TEST_F(Buttons, ImageButtonDrawingOptions)
{
    TsuiImageButton button(form.get());
    button.setGeometry(0, 0, 100, 30);
    button.setColor(QColorToTColor(kBack));
    button.show();

    // An icon is not a bitmap: a blank 74 x 21 picture, and no error.
    button.setPicNormal(TsuiPicture::fromIcon(QIcon(QPixmap::fromImage(solid({16, 16}, Qt::red)))));
    QImage shot = Shot(button);
    EXPECT_EQ(At(shot, 73, 20), QColor(Qt::white));
    EXPECT_EQ(At(shot, 74, 20), kBack);
    EXPECT_EQ(At(shot, 73, 21), kBack);

    button.setPicNormal(TsuiPicture::fromBitmap(solid({10, 10}, Qt::red)));
    shot = Shot(button);
    EXPECT_EQ(At(shot, 9, 9), QColor(Qt::red));
    EXPECT_EQ(At(shot, 10, 9), kBack);
    button.setStretch(true);
    EXPECT_EQ(At(Shot(button), 99, 29), QColor(Qt::red));
    button.setStretch(false);

    // Transparent: the picture's top-left colour lets the parent through.
    QImage keyed = solid({10, 10}, Qt::magenta);
    keyed.setPixelColor(5, 5, Qt::red);
    button.setPicNormal(TsuiPicture::fromBitmap(keyed));
    QPalette p = form->palette();
    p.setColor(QPalette::Window, QColor(0x12, 0x34, 0x56));
    form->setPalette(p);
    form->setAutoFillBackground(true);
    button.setColor(QColorToTColor(kBack));
    EXPECT_EQ(At(Shot(button), 1, 1), QColor(Qt::magenta));
    button.setTransparent(true);
    shot = Shot(button);
    EXPECT_EQ(At(shot, 1, 1), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(At(shot, 5, 5), QColor(Qt::red));

    // Loaded straight into the picture object: no resize, shown at the next paint.
    button.setAutoSize(true);
    button.PicNormal() = TsuiPicture::fromBitmap(solid({50, 20}, Qt::green));
    EXPECT_EQ(button.size(), QSize(10, 10)) << "AutoSize took the size of the picture set by its writer";
    button.setPicNormal(button.PicNormal());
    EXPECT_EQ(button.size(), QSize(50, 20));
    EXPECT_EQ(button.UIStyle(), TsuiUIStyle::FromThemeFile);
}

TEST_F(Buttons, HoldingRepeatsUntilReleaseOrLeave)
{
    TsuiImageButton button(form.get());
    button.setGeometry(0, 0, 60, 30);
    button.show();
    QSignalSpy ticks(&button, &TsuiCustomButton::mouseContinuouslyDown);
    QSignalSpy clicks(&button, &TsuiCustomButton::clicked);
    button.setMouseContinuouslyDownInterval(40);

    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(ravenmoor::test::waitUntil([&] { return ticks.count() >= 3; }, 3000));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 1);
    const qsizetype afterRelease = ticks.count();
    QTest::qWait(200);
    EXPECT_EQ(ticks.count(), afterRelease) << "the click ends the repeat";

    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(ravenmoor::test::waitUntil([&] { return ticks.count() > afterRelease; }, 3000));
    leave(button);
    const qsizetype afterLeave = ticks.count();
    QTest::qWait(200);
    EXPECT_EQ(ticks.count(), afterLeave) << "leaving ends the repeat";
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));

    for (const int interval : {0, -5}) {
        button.setMouseContinuouslyDownInterval(interval);
        const qsizetype before = ticks.count();
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::qWait(150);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(ticks.count(), before) << "interval " << interval << " means no repeat";
    }
}

TEST_F(Buttons, ClickNeedsAReleaseInside)
{
    TsuiImageButton button(form.get());
    button.setGeometry(0, 0, 60, 30);
    button.show();
    QSignalSpy clicks(&button, &TsuiCustomButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(&button, QPoint(100, 5));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(100, 5));
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseClick(&button, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 0) << "only the left button clicks";
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(59, 29));
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(Buttons, MouseEventsForEveryButtonWithTheReleaseAfterTheClick)
{
    TsuiImageButton button(form.get());
    button.setGeometry(0, 0, 60, 30);
    button.show();
    QStringList seen;
    QObject::connect(&button, &TsuiCustomButton::mouseDown, [&](Qt::MouseButton b, Qt::KeyboardModifiers shift, QPoint at) {
        seen << QStringLiteral("down %1 %2 %3,%4").arg(int(b)).arg(int(shift)).arg(at.x()).arg(at.y());
    });
    QObject::connect(&button, &TsuiCustomButton::mouseMove, [&](Qt::KeyboardModifiers, QPoint at) {
        seen << QStringLiteral("move %1,%2").arg(at.x()).arg(at.y());
    });
    QObject::connect(&button, &TsuiCustomButton::mouseUp, [&](Qt::MouseButton b, Qt::KeyboardModifiers, QPoint at) {
        seen << QStringLiteral("up %1 %2,%3").arg(int(b)).arg(at.x()).arg(at.y());
    });
    QObject::connect(&button, &TsuiCustomButton::clicked, [&] { seen << QStringLiteral("click"); });
    QTest::mousePress(&button, Qt::RightButton, Qt::ShiftModifier, {5, 6});
    QTest::mouseRelease(&button, Qt::RightButton, {}, {5, 6});
    QTest::mousePress(&button, Qt::LeftButton, {}, {7, 8});
    QTest::mouseMove(&button, {9, 10});
    QTest::mouseRelease(&button, Qt::LeftButton, {}, {9, 10});
    const QString right = QString::number(int(Qt::RightButton)), left = QString::number(int(Qt::LeftButton));
    const QString shift = QString::number(int(Qt::ShiftModifier));
    EXPECT_EQ(seen.filter(QRegularExpression(QStringLiteral("^(down|up|click)"))),
              QStringList({"down " + right + " " + shift + " 5,6", "up " + right + " 5,6", "down " + left + " 0 7,8",
                           QStringLiteral("click"), "up " + left + " 9,10"}));
    EXPECT_TRUE(seen.contains(QStringLiteral("move 9,10")));
}

TEST_F(Buttons, BoundActionGivesCaptionAndStateAndIsTriggered)
{
    QAction start(QStringLiteral("&Start"));
    start.setEnabled(false);
    start.setToolTip(QStringLiteral("Start converting"));
    TsuiButton button(form.get());
    button.show();
    button.setProperty("Action", QVariant::fromValue(&start));
    EXPECT_EQ(button.Action(), &start);
    EXPECT_EQ(button.Caption(), QStringLiteral("&Start"));
    EXPECT_FALSE(button.isEnabled());
    EXPECT_EQ(button.toolTip(), QStringLiteral("Start converting"));
    start.setEnabled(true);
    start.setText(QStringLiteral("&Go"));
    EXPECT_TRUE(button.isEnabled());
    EXPECT_EQ(button.Caption(), QStringLiteral("&Go"));
    start.setVisible(false);
    EXPECT_FALSE(button.isVisible());
    start.setVisible(true);

    QSignalSpy triggered(&start, &QAction::triggered);
    QSignalSpy clicks(&button, &TsuiCustomButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(triggered.count(), 1);
    button.setAction(nullptr);
    start.setText(QStringLiteral("&Stop"));
    QTest::mouseClick(&button, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(triggered.count(), 1) << "unbound";
    EXPECT_EQ(button.Caption(), QStringLiteral("&Go"));

    button.setProperty("ResHandle", 5u);
    EXPECT_EQ(button.property("ResHandle").toUInt(), 0u) << "kept for stored descriptions, always 0";
}

TEST_F(Buttons, KeysClickTheFocusedButtonAndDialogKeysTheOthers)
{
    TsuiButton focused(form.get());
    TsuiButton ok(form.get());
    TsuiButton cancel(form.get());
    focused.move(0, 0);
    ok.move(0, 40);
    cancel.move(100, 40);
    ok.setDefault(true);
    cancel.setCancel(true);
    for (TsuiButton *b : {&focused, &ok, &cancel})
        b->show();
    QSignalSpy focusedClicks(&focused, &TsuiCustomButton::clicked);
    QSignalSpy okClicks(&ok, &TsuiCustomButton::clicked);
    QSignalSpy cancelClicks(&cancel, &TsuiCustomButton::clicked);

    focused.setFocus();
    ASSERT_TRUE(focused.hasFocus());
    QTest::keyPress(&focused, Qt::Key_Space);
    EXPECT_EQ(focusedClicks.count(), 0) << "clicks on key up";
    QTest::keyRelease(&focused, Qt::Key_Space);
    EXPECT_EQ(focusedClicks.count(), 1);
    QTest::keyClick(&focused, Qt::Key_Return);
    EXPECT_EQ(focusedClicks.count(), 2);
    EXPECT_EQ(okClicks.count(), 0) << "the focused button takes Enter itself";

    QWidget other(form.get());
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    other.setFocus();
    QTest::keyClick(&other, Qt::Key_Return);
    EXPECT_EQ(okClicks.count(), 1);
    QTest::keyClick(&other, Qt::Key_Escape);
    EXPECT_EQ(cancelClicks.count(), 1);
    QTest::keyClick(&other, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(okClicks.count(), 1) << "not with a shift key held";
    ok.setEnabled(false);
    QTest::keyClick(&other, Qt::Key_Return);
    EXPECT_EQ(okClicks.count(), 1) << "not when disabled";
}

TEST_F(Buttons, CaptionAcceleratorClicks)
{
    TsuiButton button(form.get());
    button.setCaption(QStringLiteral("&Convert"));
    button.show();
    QSignalSpy clicks(&button, &TsuiCustomButton::clicked);
    QTest::keyClick(form.get(), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    button.setCaption(QStringLiteral("Start"));
    QTest::keyClick(form.get(), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1) << "the old accelerator is gone";
    button.setCaption(QStringLiteral("&Start"));
    button.setEnabled(false);
    QTest::keyClick(form.get(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1) << "not when disabled";
}

TEST_F(Buttons, ModalResultClosesTheDialog)
{
    QDialog dialog;
    TsuiButton button(&dialog);
    button.setModalResult(7);
    QSignalSpy clicks(&button, &TsuiCustomButton::clicked);
    QTimer::singleShot(0, &button, [&] { button.click(); });
    EXPECT_EQ(dialog.exec(), 7);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(Buttons, StyleDecidesTransparencyAndAutoSize)
{
    struct Case {
        TsuiUIStyle style;
        bool transparent;
    };
    for (const Case &k : {Case{TsuiUIStyle::MacOS, true}, Case{TsuiUIStyle::WinXP, false},
                          Case{TsuiUIStyle::DeepBlue, false}, Case{TsuiUIStyle::Protein, false},
                          Case{TsuiUIStyle::BlueGlass, true}, Case{TsuiUIStyle::FromThemeFile, false}}) {
        TsuiButton button(form.get());
        button.setUIStyle(k.style);
        EXPECT_EQ(button.Transparent(), k.transparent) << UIStyleName(k.style);
    }
    TsuiButton fresh(form.get());
    EXPECT_EQ(fresh.UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(fresh.size(), QSize(80, 27));
    fresh.setUIStyle(TsuiUIStyle::BlueGlass);
    fresh.setAutoSize(true);
    EXPECT_EQ(fresh.size(), QSize(231 / 3, 27));

    // Without the picture folder the size is that of an empty 74 x 21 picture.
    const QString folder = ThemeResourceFolder();
    QTemporaryDir empty;
    SetThemeResourceFolder(empty.path());
    TsuiButton lost(form.get());
    EXPECT_NO_THROW(lost.setAutoSize(true));
    SetThemeResourceFolder(folder);
    EXPECT_EQ(lost.size(), QSize(74 / 3, 21));
}

// Pixels that differ between two pictures of the same size.
std::vector<QPoint> differences(const QImage &a, const QImage &b)
{
    std::vector<QPoint> out;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                out.push_back({x, y});
    return out;
}

TEST_F(Buttons, FocusIsADottedFrameOrABoldCaption)
{
    TsuiButton other(form.get());
    other.move(0, 60);
    other.show();
    for (const TsuiUIStyle style : {TsuiUIStyle::DeepBlue, TsuiUIStyle::BlueGlass}) {
        TsuiButton button(form.get());
        button.setUIStyle(style);
        button.setCaption(QStringLiteral("Convert"));
        button.move(0, 0);
        button.show();
        other.setFocus();
        const QImage plain = Shot(button);
        button.setFocus();
        ASSERT_TRUE(button.hasFocus());
        const QImage focused = Shot(button);
        const std::vector<QPoint> changed = differences(plain, focused);
        ASSERT_FALSE(changed.empty()) << UIStyleName(style);
        const auto onRing = [](QPoint p) {
            const bool inside = p.x() >= 2 && p.x() <= 77 && p.y() >= 2 && p.y() <= 24;
            return inside && (p.x() == 2 || p.x() == 77 || p.y() == 2 || p.y() == 24);
        };
        const auto ringPixels = std::count_if(changed.begin(), changed.end(), onRing);
        if (style == TsuiUIStyle::DeepBlue) {
            EXPECT_EQ(size_t(ringPixels), changed.size()) << "only the frame 2 pixels in changes";
            EXPECT_GT(ringPixels, 40);
        } else {
            EXPECT_EQ(ringPixels, 0) << "no frame in BlueGlass: the caption turns bold";
        }
    }
}

TEST_F(Buttons, TwoFrameGlyphShowsItsSecondFrameWhenDisabled)
{
    QImage glyph = solid({32, 16}, Qt::magenta);
    {
        QPainter p(&glyph);
        p.fillRect(2, 2, 12, 12, Qt::green);
        p.fillRect(18, 2, 12, 12, Qt::blue);
    }
    TsuiButton button(form.get());
    button.setGlyph(glyph);
    button.show();
    const auto count = [](const QImage &image, const QColor &c) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == c;
        return n;
    };
    QImage shot = Shot(button);
    EXPECT_EQ(count(shot, Qt::green), 144);
    EXPECT_EQ(count(shot, Qt::blue), 0);
    EXPECT_EQ(count(shot, Qt::magenta), 0) << "the glyph's key colour is see-through";
    button.setEnabled(false);
    shot = Shot(button);
    EXPECT_EQ(count(shot, Qt::green), 0);
    EXPECT_EQ(count(shot, Qt::blue), 144);
}

TEST_F(Buttons, FormHasFocusFollowsTheActiveWindow)
{
    QWidget hidden;
    EXPECT_TRUE(FormHasFocus(form.get()));
    EXPECT_FALSE(FormHasFocus(&hidden));
    EXPECT_TRUE(FormHasFocus(nullptr));

    auto mainForm = std::make_unique<QWidget>();
    SetApplicationMainForm(mainForm.get());
    EXPECT_TRUE(FormHasFocus(mainForm.get())) << "the main form counts as active while the application is";
    EXPECT_TRUE(FormHasFocus(nullptr));
    EXPECT_TRUE(FormHasFocus(form.get()));
    EXPECT_FALSE(FormHasFocus(&hidden)) << "another form by its own active flag";
    mainForm.reset();
    EXPECT_EQ(ApplicationMainForm(), nullptr) << "a closed main form is forgotten";
    QWidget wasMain;
    SetApplicationMainForm(&wasMain);
    SetApplicationMainForm(nullptr);
    EXPECT_FALSE(FormHasFocus(&wasMain)) << "without a main form only the form's own flag counts";
}

TEST(GlyphPlacementTable, EveryLayout)
{
    struct Case {
        TsuiGlyphLayout layout;
        QPoint glyph, caption;
    };
    // An 80 x 27 button, text 30 x 13, glyph 16 x 16, spacing 4.
    const Case cases[] = {
        {TsuiGlyphLayout::GlyphLeft, {15, 5}, {35, 7}},
        {TsuiGlyphLayout::GlyphRight, {49, 5}, {15, 7}},
        {TsuiGlyphLayout::GlyphTop, {32, -3}, {25, 17}},
        {TsuiGlyphLayout::GlyphBottom, {32, 14}, {25, -3}},
    };
    for (const Case &k : cases) {
        const GlyphPlacement p = PlaceGlyph(k.layout, {80, 27}, {30, 13}, {16, 16}, 4);
        EXPECT_EQ(p.glyph, k.glyph) << int(k.layout);
        EXPECT_EQ(p.caption, k.caption) << int(k.layout);
    }
    // Halves truncate toward zero.
    EXPECT_EQ(PlaceGlyph(TsuiGlyphLayout::GlyphTop, {10, 10}, {40, 13}, {16, 16}, 4).glyph, QPoint(-3, -11));
}

} // namespace

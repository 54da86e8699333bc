#include "skin_controls/frame/form_zoom.h"
#include "skin_controls/frame/title_bar.h"
#include "skin_controls/theme/theme_resources.h"
#include "tests/skin_controls/frame_test_desktop.h"
#include "tests/skin_controls/skin_test_app.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

using B = TsuiTitleBarBtnType;
const QPoint kAway(-500, -500);

QImage solid(QSize size, const QColor &c)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

// Frame n (from 1) of the DeepBlue strip of 18 title-bar buttons.
QImage deepBlueFrame(int n)
{
    QImage frame;
    GetInsideThemeBitmapFrame(TsuiUIStyle::DeepBlue, 5, &frame, 18, n);
    return frame;
}

class TitleBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        SkinTestApp();
        desktop = std::make_unique<RecordingDesktop>();
        form = std::make_unique<QWidget>();
        form->resize(300, 120);
        bar = new TsuiTitleBar(form.get());
        bar->resize(300, bar->height());
        bar->setCaption(QStringLiteral("Ravenmoor"));
    }
    void TearDown() override
    {
        form.reset();
        desktop.reset();
    }
    void showForm()
    {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    // The place of button `index` as the bar lays it out.
    QPoint centreOf(int index) const { return bar->buttonLayout(kAway).places[size_t(index)].toQRect().center(); }

    std::unique_ptr<RecordingDesktop> desktop;
    std::unique_ptr<QWidget> form;
    TsuiTitleBar *bar = nullptr;
};

TEST_F(TitleBar, StyleGivesSectionsButtonsHeightAndFontColour)
{
    ASSERT_EQ(bar->Buttons().Count(), 4);
    const B order[] = {B::suiControlBox, B::suiClose, B::suiMax, B::suiMin};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bar->Buttons().Items(i)->ButtonType(), order[i]) << i;
    EXPECT_EQ(bar->height(), 32) << "the DeepBlue left picture's height";
    EXPECT_EQ(bar->Sections().Count(), 3);
    EXPECT_EQ(bar->Sections().Items(0)->Width(), 97);
    EXPECT_EQ(bar->Sections().Items(2)->Align(), TsuiTitleBarAlign::suiClient);
    EXPECT_EQ(bar->FontColor(), 0xFFFFFF);
    EXPECT_EQ(bar->font().family(), QStringLiteral("Tahoma"));
    EXPECT_TRUE(bar->font().bold());
    const TsuiTitleBarButton &close = *bar->Buttons().Items(1);
    EXPECT_EQ(close.PicNormal(), deepBlueFrame(16));
    EXPECT_EQ(close.PicMouseOn(), deepBlueFrame(17));
    EXPECT_EQ(close.PicMouseDown(), deepBlueFrame(18));
    EXPECT_EQ(bar->Buttons().Items(0)->PicNormal(), deepBlueFrame(1));
    EXPECT_EQ(bar->Buttons().Items(3)->PicNormal(), deepBlueFrame(13));

    struct Case {
        TsuiUIStyle style;
        int height, top, left, right, round, minWidth;
        TColor font;
    };
    for (const Case &k : {Case{TsuiUIStyle::MacOS, 23, 4, 3, -2, 0, 130, 0x000000},
                          Case{TsuiUIStyle::WinXP, 29, 5, 2, -2, 13, 150, 0xFFFFFF},
                          Case{TsuiUIStyle::BlueGlass, 33, 6, 4, -3, 11, 270, 0xFFFFFF}}) {
        bar->setUIStyle(k.style);
        const char *name = UIStyleName(k.style);
        EXPECT_EQ(bar->height(), k.height) << name;
        EXPECT_EQ(bar->Buttons().Items(1)->Top(), k.top) << name;
        EXPECT_EQ(bar->LeftBtnXOffset(), k.left) << name;
        EXPECT_EQ(bar->RightBtnXOffset(), k.right) << name;
        EXPECT_EQ(bar->RoundCorner(), k.round) << name;
        EXPECT_EQ(form->minimumWidth(), k.minWidth) << name;
        EXPECT_EQ(bar->FontColor(), k.font) << name;
        EXPECT_EQ(bar->Sections().Count(), 3) << name << ": the old sections are gone";
    }

    bar->setFontColor(0x00FF00);
    TsuiFileTheme theme;
    bar->setFileTheme(&theme);
    EXPECT_EQ(bar->FontColor(), 0x00FF00) << "a new file theme keeps the font colour";
    bar->setUIStyle(TsuiUIStyle::DeepBlue);
    EXPECT_EQ(bar->FontColor(), 0xFFFFFF);
}

int pixelsOf(const QImage &image, const QColor &colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

TEST_F(TitleBar, InactiveCaptionIsWrittenInTheInactiveColour)
{
    const QColor inactive(TsuiColorToQColor(kSystemColor | 19, bar->palette()).rgb());
    for (TsuiUIStyle style : kBuiltInStyles) {
        bar->setUIStyle(style);
        const QColor active(TsuiColorToQColor(bar->FontColor(), bar->palette()).rgb());
        EXPECT_NE(inactive, active) << UIStyleName(style);
        bar->setFormActive(true);
        const QImage on = bar->paintBar(kAway);
        bar->setFormActive(false);
        const QImage off = bar->paintBar(kAway);
        EXPECT_GT(pixelsOf(off, inactive), pixelsOf(on, inactive) + 20) << UIStyleName(style);
        EXPECT_GT(pixelsOf(on, active), pixelsOf(off, active) + 20) << UIStyleName(style);
    }
}

TEST_F(TitleBar, CaptionSitsInTheMiddleOfTheBandsCaptionStrip)
{
    const QRgb seeThrough = qRgb(0xFF, 0x00, 0xFF);
    for (TsuiUIStyle style : kBuiltInStyles) {
        bar->setUIStyle(style);
        const char *name = UIStyleName(style);
        // Rows alike from the client picture's bottom up are a ledge below
        // the strip the caption belongs in.
        const QImage client = bar->Sections().Items(2)->Picture();
        const int h = client.height();
        int ledge = 1;
        while (ledge < h && client.pixel(0, h - 1 - ledge) == client.pixel(0, h - 1))
            ++ledge;
        const int strip = ledge >= 3 ? h - ledge : h;
        const TsuiTitleBarButton &close = *bar->Buttons().Items(1);
        const QFontMetrics metrics(bar->font());
        const double captionMiddle =
            (close.PicNormal().height() - metrics.height()) / 2 + close.Top() + metrics.height() / 2.0;
        EXPECT_NEAR(captionMiddle, strip / 2.0, 1.5) << name;

        // No picture behind the caption: every row of the band is one colour.
        for (const QImage &piece : {bar->Sections().Items(0)->Picture(), client}) {
            for (int y = 0; y < piece.height(); ++y) {
                QRgb first = seeThrough;
                for (int x = 0; x < piece.width(); ++x) {
                    const QRgb p = piece.pixel(x, y) | 0xFF000000u;
                    if (p == seeThrough)
                        continue;
                    if (first == seeThrough)
                        first = p;
                    ASSERT_EQ(p, first) << name << " " << x << "," << y;
                }
            }
        }
    }
}

TEST_F(TitleBar, ButtonPlacesRightToLeftAndCaptionRoom)
{
    const TitleBarLayout layout = bar->buttonLayout(kAway);
    // 19-pixel frames, one pixel apart, from one pixel beyond the right edge.
    EXPECT_EQ(layout.places[1], (TRect{281, 2, 300, 21})) << "close rightmost";
    EXPECT_EQ(layout.places[2], (TRect{261, 2, 280, 21})) << "then maximise";
    EXPECT_EQ(layout.places[3], (TRect{241, 2, 260, 21})) << "then minimise";
    EXPECT_EQ(layout.places[0], (TRect{0, 2, 19, 21})) << "control box at the left";
    EXPECT_EQ(layout.controlBox, 0);
    EXPECT_EQ(layout.captionLeft, 24);
    EXPECT_EQ(layout.captionRight, 241);
    EXPECT_EQ(layout.hovered, -1);
    EXPECT_EQ(bar->buttonLayout({290, 10}).hovered, 1);
    EXPECT_EQ(bar->buttonLayout({280, 21}).hovered, 2) << "the bottom-right corner counts as inside";
    EXPECT_EQ(bar->buttonLayout({10, 10}).hovered, 0);

    struct Case {
        const char *what;
        bool boxVisible, appIcon;
        int leftOffset, rightOffset, interval;
        int captionLeft, closeLeft, minLeft;
    };
    const Case cases[] = {
        {"no control box, offset 0: caption at 6", false, false, 0, 0, 0, 6, 281, 241},
        {"no control box, offset 4", false, false, 4, 0, 0, 4, 281, 241},
        {"program icon instead of the control box", true, true, 0, 0, 0, 21, 281, 241},
        {"control box after a left offset", true, false, 3, 0, 0, 27, 281, 241},
        {"right offset and interval", true, false, 0, -2, 3, 24, 276, 230},
    };
    for (const Case &k : cases) {
        const std::vector<TitleBarButtonSlot> buttons = {{B::suiControlBox, k.boxVisible, {19, 19}, 2},
                                                         {B::suiClose, true, {19, 19}, 2},
                                                         {B::suiMax, true, {19, 19}, 2},
                                                         {B::suiMin, true, {19, 19}, 2}};
        const TitleBarLayout got =
            LayOutTitleBarButtons(buttons, 300, k.leftOffset, k.rightOffset, k.interval, k.appIcon, kAway);
        EXPECT_EQ(got.captionLeft, k.captionLeft) << k.what;
        EXPECT_EQ(got.places[1].Left, k.closeLeft) << k.what;
        EXPECT_EQ(got.places[3].Left, k.minLeft) << k.what;
        EXPECT_EQ(got.captionRight, k.minLeft) << k.what;
        EXPECT_EQ(got.controlBox, k.boxVisible ? 0 : -1) << k.what;
        if (k.appIcon) {
            EXPECT_EQ(got.appIconAt, QPoint(3, 2)) << k.what;
        }
    }
}

TEST_F(TitleBar, CaptionIsCutToItsRoom)
{
    const QFontMetrics m(bar->font());
    const QString caption = QStringLiteral("Converting holiday.mpg to MPEG-4");
    const int full = m.horizontalAdvance(caption);
    EXPECT_EQ(FitTitleCaption(caption, m, full), caption);
    for (const int room : {full - 1, full / 2, m.horizontalAdvance(QStringLiteral("C...")) + 1}) {
        const QString got = FitTitleCaption(caption, m, room);
        ASSERT_TRUE(got.endsWith(QStringLiteral("..."))) << room;
        const QString rest = got.chopped(3);
        EXPECT_TRUE(caption.startsWith(rest)) << room;
        EXPECT_LE(m.horizontalAdvance(got), room) << room;
        EXPECT_GT(m.horizontalAdvance(caption.left(rest.size() + 1) + QStringLiteral("...")), room)
            << "no more characters than fit";
    }
    EXPECT_EQ(FitTitleCaption(caption, m, m.horizontalAdvance(QStringLiteral("...")) - 1), QString());

    // On the bar the caption never reaches the buttons.
    bar->setCaption(caption + caption + caption);
    const QImage longCaption = bar->paintBar(kAway);
    bar->setCaption(QString());
    const QImage noCaption = bar->paintBar(kAway);
    const int right = bar->buttonLayout(kAway).captionRight;
    int changed = 0;
    for (int y = 0; y < noCaption.height(); ++y)
        for (int x = 0; x < noCaption.width(); ++x) {
            if (x >= right)
                ASSERT_EQ(longCaption.pixel(x, y), noCaption.pixel(x, y)) << x << "," << y;
            else
                changed += longCaption.pixel(x, y) != noCaption.pixel(x, y);
        }
    EXPECT_GT(changed, 50);
}

TEST_F(TitleBar, SectionsLeftRightAndStretchedMiddle)
{
    TsuiTitleBarSections sections(nullptr);
    const auto add = [&](TsuiTitleBarAlign align, const QImage &picture, int width) {
        TsuiTitleBarSection *s = sections.Add();
        s->setPicture(picture);
        s->setWidth(width);
        s->setAlign(align);
        return s;
    };
    QImage twoTone = solid({30, 10}, Qt::red);
    QPainter(&twoTone).fillRect(5, 0, 25, 10, Qt::darkRed);
    add(TsuiTitleBarAlign::suiLeft, twoTone, 10);
    add(TsuiTitleBarAlign::suiLeft, solid({40, 10}, Qt::blue), 15);
    add(TsuiTitleBarAlign::suiRight, solid({20, 10}, Qt::yellow), 20);
    add(TsuiTitleBarAlign::suiClient, solid({1, 10}, Qt::green), 10);
    add(TsuiTitleBarAlign::suiRight, solid({500, 10}, Qt::magenta), 500);

    QImage image = solid({200, 10}, Qt::black);
    {
        QPainter p(&image);
        DrawTitleBarSections(p, image.size(), sections);
    }
    for (int x = 0; x < 200; ++x) {
        const QColor want = x < 5    ? QColor(Qt::red)
                            : x < 10  ? QColor(Qt::darkRed)
                            : x < 25  ? QColor(Qt::blue)
                            : x < 180 ? QColor(Qt::green)
                                      : QColor(Qt::yellow);
        EXPECT_EQ(At(image, x, 5), want) << x;
    }
    EXPECT_TRUE(sections.Items(3)->Stretch()) << "the middle section is always stretched";
}

TEST_F(TitleBar, MistakesAreRefusedWithAMessage)
{
    TsuiTitleBarSection *extra = bar->Sections().Add();
    extra->setAlign(TsuiTitleBarAlign::suiClient);
    EXPECT_EQ(extra->Align(), TsuiTitleBarAlign::suiLeft);
    bar->Buttons().Items(3)->setButtonType(B::suiControlBox);
    EXPECT_EQ(bar->Buttons().Items(3)->ButtonType(), B::suiMin);
    EXPECT_EQ(desktop->dialogs.texts(),
              QStringList({QStringLiteral("Sorry, only one section's Align property can be \"suiClient\""),
                           QStringLiteral("Sorry, only one button's ButtonType property can be \"suiControlBox\"")}));
}

TEST_F(TitleBar, CustomKeepsUserSectionsAndPictures)
{
    bar->setCustom(true);
    bar->Sections().Clear();
    bar->Sections().Add()->setPicture(solid({50, 18}, Qt::blue));
    bar->Buttons().Items(1)->setPicNormal(solid({16, 16}, Qt::red));
    bar->setUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(bar->UIStyle(), TsuiUIStyle::WinXP);
    ASSERT_EQ(bar->Sections().Count(), 1);
    EXPECT_EQ(bar->Sections().Items(0)->Picture().pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(bar->Buttons().Items(1)->PicNormal().size(), QSize(16, 16));
    EXPECT_EQ(bar->height(), 32) << "nothing of WinXP applied";
}

TEST_F(TitleBar, DraggingMovesTheFormOnlyFromTheCaption)
{
    showForm();
    const QPoint caption(120, 12);
    QTest::mousePress(bar, Qt::LeftButton, {}, caption);
    QTest::mouseMove(bar, caption + QPoint(20, 5));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, caption + QPoint(20, 5));
    EXPECT_EQ(desktop->moves, 1) << "a drag on the caption moves the form";

    const QPoint minimise = centreOf(3);
    QTest::mousePress(bar, Qt::LeftButton, {}, minimise);
    QTest::mouseMove(bar, minimise + QPoint(0, 3));
    const TRect place = bar->buttonLayout(kAway).places[3];
    EXPECT_EQ(bar->paintBar(minimise).copy(place.toQRect()), deepBlueFrame(15)) << "pressed picture";
    EXPECT_EQ(bar->paintBar(kAway).copy(place.toQRect()), deepBlueFrame(13));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(120, 40));
    EXPECT_EQ(desktop->moves, 1) << "a drag on a button does not";

    form->showMaximized();
    QTest::mousePress(bar, Qt::LeftButton, {}, caption);
    QTest::mouseMove(bar, caption + QPoint(20, 5));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, caption + QPoint(20, 5));
    EXPECT_EQ(desktop->moves, 1) << "a maximised form stays";
}

TEST_F(TitleBar, DoubleClickMaximisesAndRestores)
{
    showForm();
    const QPoint caption(120, 12);
    QTest::mouseDClick(bar, Qt::LeftButton, {}, caption);
    EXPECT_TRUE(FormMaximised(form.get()));
    EXPECT_EQ(form->geometry(), desktop->workArea) << "the form covers the work area";
    EXPECT_EQ(bar->Buttons().Items(2)->PicNormal(), deepBlueFrame(10)) << "restore pictures";
    EXPECT_EQ(bar->Buttons().Items(2)->PicMouseDown(), deepBlueFrame(12));
    QTest::mouseDClick(bar, Qt::LeftButton, {}, caption);
    EXPECT_FALSE(FormMaximised(form.get()));
    EXPECT_EQ(bar->Buttons().Items(2)->PicNormal(), deepBlueFrame(7)) << "maximise pictures again";

    QTest::mouseDClick(bar, Qt::LeftButton, {}, centreOf(0));
    EXPECT_FALSE(form->isVisible()) << "a double-click on the control box closes the form";
}

TEST_F(TitleBar, ButtonClicks)
{
    showForm();
    TsuiTitleBarButton *help = bar->Buttons().Add();
    help->setButtonType(B::suiHelp);
    TsuiTitleBarButton *custom = bar->Buttons().Add();
    custom->setPicNormal(solid({16, 16}, Qt::red));
    custom->setTop(3);
    QSignalSpy helpClicks(bar, &TsuiTitleBar::helpButtonClicked);
    QSignalSpy customClicks(bar, &TsuiTitleBar::customButtonClicked);
    QTest::mouseClick(bar, Qt::LeftButton, {}, centreOf(4));
    QTest::mouseClick(bar, Qt::LeftButton, {}, centreOf(5));
    ASSERT_EQ(helpClicks.size(), 1);
    EXPECT_EQ(helpClicks[0][0].toInt(), 4);
    ASSERT_EQ(customClicks.size(), 1);
    EXPECT_EQ(customClicks[0][0].toInt(), 5);
    EXPECT_TRUE(form->isVisible());

    // Without a menu of its own the control box opens the system menu, whose
    // items follow the bar's buttons.
    bar->Buttons().Items(3)->setVisible(false);
    bar->Buttons().Items(3)->setButtonType(B::suiCustom);
    QTest::mouseClick(bar, Qt::LeftButton, {}, centreOf(0));
    TsuiTitleBarPopupMenu *menu = bar->systemMenu();
    EXPECT_TRUE(menu->isVisible());
    const QList<QAction *> items = menu->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), QStringLiteral("最小化(&N)"));
    EXPECT_FALSE(items[0]->isEnabled()) << "no minimise button left";
    EXPECT_TRUE(items[1]->isEnabled());
    EXPECT_TRUE(items[3]->isEnabled());
    items[1]->trigger();
    EXPECT_TRUE(FormMaximised(form.get()));
    menu->hide();

    QTest::mouseClick(bar, Qt::LeftButton, {}, centreOf(1));
    EXPECT_FALSE(form->isVisible()) << "close";
}

} // namespace

#include "skin_controls/controls/main_menu.h"
#include "skin_controls/controls/progress_bar.h"
#include "skin_controls/frame/form.h"
#include "skin_controls/frame/form_zoom.h"
#include "skin_controls/frame/menu_bar.h"
#include "skin_controls/frame/window_shape.h"
#include "skin_controls/theme/theme_item_table.h"
#include "skin_controls/theme/theme_resources.h"
#include "tests/skin_controls/frame_test_desktop.h"
#include "tests/skin_controls/skin_test_app.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr Qt::Edges kNone{};
constexpr Qt::Edges T = Qt::TopEdge, Bo = Qt::BottomEdge, L = Qt::LeftEdge, R = Qt::RightEdge;

class FormFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        SkinTestApp();
        desktop = std::make_unique<RecordingDesktop>();
        form = std::make_unique<QWidget>();
        form->resize(400, 300);
    }
    void TearDown() override
    {
        form.reset();
        desktop.reset();
    }
    // A WinXP frame (border 3) on the 400 x 300 form, shown: a hidden form
    // hears of its new size only when it is shown.
    TsuiForm *winXPFrame()
    {
        auto *frame = new TsuiForm(form.get());
        frame->setUIStyle(TsuiUIStyle::WinXP);
        form->resize(400, 300);
        showForm();
        return frame;
    }

    void showForm()
    {
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    std::unique_ptr<RecordingDesktop> desktop;
    std::unique_ptr<QWidget> form;
};

TEST_F(FormFrame, LayoutOverTheClientArea)
{
    struct Case {
        int border;
        bool titleBar;
        QRect bounds;
    };
    for (const Case &k : {Case{3, true, {3, 0, 394, 297}}, Case{3, false, {3, 3, 394, 294}},
                          Case{1, true, {1, 0, 398, 299}}, Case{0, false, {0, 0, 400, 300}}})
        EXPECT_EQ(FrameBounds({400, 300}, k.border, k.titleBar), k.bounds) << k.border << " " << k.titleBar;

    TsuiForm *frame = new TsuiForm(form.get());
    EXPECT_EQ(form->size(), QSize(400, 300)) << "the form keeps its size when the frame comes";
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(frame->BorderWidth(), 1);
    EXPECT_EQ(frame->geometry(), QRect(1, 0, 398, 299));
    showForm();
    frame->setUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(form->width(), 398 + 2 * 3) << "a wider border widens the form around the frame";
    form->resize(400, 300);
    EXPECT_EQ(frame->geometry(), QRect(3, 0, 394, 297));
    EXPECT_EQ(frame->titleBar()->geometry(), QRect(0, 0, 394, 29));
    frame->setTitleBarVisible(false);
    EXPECT_EQ(frame->geometry(), QRect(3, 3, 394, 294));
    frame->setTitleBarVisible(true);

    // The width writer puts the border on both sides; the height writer adds
    // one and a half borders, so the frame comes out one row taller.
    frame->setFrameWidth(394);
    EXPECT_EQ(form->width(), 400);
    frame->setFrameHeight(297);
    EXPECT_EQ(form->height(), 301);
    EXPECT_EQ(frame->height(), 298);

    auto *panel = new QFrame;
    panel->setFrameShape(QFrame::Box);
    frame->setFormPanel(panel);
    EXPECT_EQ(panel->parentWidget(), frame);
    EXPECT_EQ(panel->geometry(), QRect(0, 29, 394, 298 - 29)) << "below the title bar";
    EXPECT_EQ(panel->frameShape(), QFrame::NoFrame);
    frame->setFormPanel(frame);
    EXPECT_EQ(frame->FormPanel(), panel);
    EXPECT_EQ(desktop->dialogs.texts(),
              QStringList(QStringLiteral("Sorry, you can't select the Form assign to FormPanel property")));

    frame->setVersion(QStringLiteral("5.0"));
    EXPECT_EQ(frame->Version(), QStringLiteral("4.06"));
}

TEST_F(FormFrame, ApplyingAStyleAgainKeepsTheFormsSize)
{
    TsuiForm *frame = new TsuiForm(form.get());
    showForm();
    frame->setUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(frame->size(), QSize(398, 299)) << "a wider border grows the form around the frame";
    EXPECT_EQ(form->size(), QSize(404, 302));
    for (int i = 0; i < 5; ++i)
        frame->setUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(form->size(), QSize(404, 302));
    auto theme = std::make_unique<TsuiFileTheme>(form.get());
    frame->setFileTheme(theme.get());
    EXPECT_EQ(form->size(), QSize(404, 302)) << "a file theme applies the style again";
    theme.reset();
    EXPECT_EQ(frame->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(form->size(), QSize(400, 300)) << "back to the border of 1";
    frame->setTitleBarVisible(false);
    frame->setUIStyle(TsuiUIStyle::DeepBlue);
    EXPECT_EQ(form->size(), QSize(400, 300));
    frame->setUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(frame->size(), QSize(398, 298)) << "without a title bar the border is on top too";
    EXPECT_EQ(form->size(), QSize(404, 304));
}

TEST_F(FormFrame, OneFramePerForm)
{
    new TsuiForm(form.get());
    try {
        TsuiForm second(form.get());
        FAIL() << "a second frame was made";
    } catch (const TsuiFormError &e) {
        EXPECT_STREQ(e.what(), "Sorry, You can create only one TsuiForm component in one form!");
    }
    EXPECT_EQ(form->findChildren<TsuiForm *>().size(), 1);
}

TEST_F(FormFrame, HitTests)
{
    struct Case {
        QPoint at;
        Qt::Edges edges;
    };
    const Case onForm[] = {
        {{2, 2}, T | L},     {{397, 297}, Bo | R}, {{398, 2}, T | R},  {{2, 298}, Bo | L},  {{4, 150}, L},
        {{5, 150}, kNone},   {{396, 150}, R},      {{395, 150}, kNone}, {{200, 4}, T},      {{200, 5}, kNone},
        {{200, 296}, Bo},    {{200, 295}, kNone},  {{10, 150}, kNone},  {{390, 290}, kNone}, {{4, 4}, T | L},
    };
    for (const Case &k : onForm)
        EXPECT_EQ(FormHitTest(k.at, {400, 300}), k.edges) << k.at.x() << "," << k.at.y();
    const Case onTitleBar[] = {
        {{2, 2}, T | L}, {{4, 0}, T | L}, {{5, 4}, T}, {{200, 4}, T}, {{200, 5}, kNone}, {{396, 3}, T | R},
    };
    for (const Case &k : onTitleBar)
        EXPECT_EQ(TitleBarHitTest(k.at, 400), k.edges) << k.at.x() << "," << k.at.y();

    TsuiForm *frame = winXPFrame();
    showForm();
    QTest::mousePress(form.get(), Qt::LeftButton, {}, {397, 297});
    QTest::mouseRelease(form.get(), Qt::LeftButton, {}, {397, 297});
    QTest::mousePress(frame->titleBar(), Qt::LeftButton, {}, {200, 1});
    QTest::mouseRelease(frame->titleBar(), Qt::LeftButton, {}, {200, 1});
    EXPECT_EQ(desktop->resizes, (QList<Qt::Edges>{Bo | R, T}));
    EXPECT_EQ(desktop->moves, 0);

    MaximiseForm(form.get());
    QTest::mousePress(form.get(), Qt::LeftButton, {}, {2, 200});
    QTest::mouseRelease(form.get(), Qt::LeftButton, {}, {2, 200});
    EXPECT_EQ(desktop->resizes.size(), 2) << "a maximised form is not resized";
}

TEST_F(FormFrame, FixedSizeFormIsNotResized)
{
    form->setFixedSize(400, 300);
    TsuiForm *frame = new TsuiForm(form.get());
    EXPECT_FALSE(frame->formSizeable());
    showForm();
    QTest::mousePress(form.get(), Qt::LeftButton, {}, {397, 297});
    QTest::mouseRelease(form.get(), Qt::LeftButton, {}, {397, 297});
    QTest::mousePress(frame->titleBar(), Qt::LeftButton, {}, {200, 1});
    QTest::mouseRelease(frame->titleBar(), Qt::LeftButton, {}, {200, 1});
    EXPECT_TRUE(desktop->resizes.isEmpty());
    EXPECT_EQ(form->minimumSize(), QSize(400, 300));
}

TEST_F(FormFrame, WindowShapeHasRoundedTopCornersOnly)
{
    const QRegion shape = TitleBarWindowRegion({400, 300}, 13);
    struct Case {
        QPoint at;
        bool inside;
    };
    const Case cases[] = {
        {{0, 0}, false},   {{3, 0}, false},   {{4, 0}, true},    {{396, 0}, true},  {{397, 0}, false},
        {{399, 0}, false}, {{0, 3}, false},   {{0, 6}, true},    {{399, 6}, true},  {{200, 0}, true},
        {{0, 299}, true},  {{399, 299}, true}, {{0, 150}, true},  {{400, 150}, false},
    };
    for (const Case &k : cases)
        EXPECT_EQ(shape.contains(k.at), k.inside) << k.at.x() << "," << k.at.y();
    EXPECT_EQ(TitleBarWindowRegion({400, 300}, 0), QRegion(0, 0, 400, 300));

    winXPFrame();
    showForm();
    EXPECT_EQ(form->mask(), TitleBarWindowRegion({400, 300}, 13));
    form->resize(500, 350);
    EXPECT_EQ(form->mask(), TitleBarWindowRegion({500, 350}, 13)) << "the shape follows the size";
}

// The pixels of pure magenta, the colour that marks see-through parts.
int magentaPixels(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            n += rgb.pixel(x, y) == qRgb(0xFF, 0x00, 0xFF);
    return n;
}

TEST_F(FormFrame, NoStyleShowsItsSeeThroughColour)
{
    for (TsuiUIStyle style : kBuiltInStyles) {
        for (const bool appIcon : {false, true}) {
            const std::string name = std::string(UIStyleName(style)) + (appIcon ? " with the icon" : "");
            QWidget window;
            window.resize(360, 170);
            auto *frame = new TsuiForm(&window);
            frame->setUIStyle(style);
            frame->setTitleBarDrawAppIcon(appIcon);
            window.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
            EXPECT_EQ(magentaPixels(Shot(window)), 0) << name;
            TsuiTitleBar *bar = frame->titleBar();
            for (int i = 0; i < bar->Buttons().Count(); ++i) {
                const QPoint on = bar->buttonLayout({-500, -500}).places[size_t(i)].toQRect().center();
                EXPECT_EQ(magentaPixels(bar->paintBar(on)), 0) << name << ", button " << i << " hovered";
                QTest::mousePress(bar, Qt::LeftButton, {}, on);
                EXPECT_EQ(magentaPixels(bar->paintBar(on)), 0) << name << ", button " << i << " pressed";
                QTest::mouseRelease(bar, Qt::LeftButton, {}, {-500, -500});
            }
        }

        // The rounded pieces are see-through exactly outside the window's shape.
        const int round = GetInsideThemeInt(style, 14), border = GetInsideThemeInt(style, 17);
        if (round <= 0)
            continue;
        for (const int item : {10, 12}) {
            QImage piece;
            GetInsideThemeBitmap(style, item, &piece);
            const QRegion shape = TitleBarWindowRegion({400, piece.height()}, round);
            const int offset = item == 10 ? border : 400 - border - piece.width();
            for (int y = 0; y < piece.height(); ++y)
                for (int x = 0; x < piece.width(); ++x)
                    ASSERT_EQ(piece.pixel(x, y) == qRgb(0xFF, 0x00, 0xFF), !shape.contains({offset + x, y}))
                        << UIStyleName(style) << " item " << item << " at " << x << "," << y;
        }
    }
}

TEST_F(FormFrame, BorderAndBackgroundArePainted)
{
    TsuiForm *frame = winXPFrame();
    showForm();
    const QImage shot = Shot(*form);
    const QColor border = Bgr(0xC82C00);
    for (const QPoint at : {QPoint(0, 150), QPoint(2, 150), QPoint(399, 150), QPoint(397, 150), QPoint(200, 299),
                            QPoint(200, 297)})
        EXPECT_EQ(At(shot, at.x(), at.y()), border) << at.x() << "," << at.y();
    EXPECT_EQ(At(shot, 200, 200), Bgr(0xDEEBEF)) << "the frame in the form colour";

    frame->setUIStyle(TsuiUIStyle::MacOS);
    form->resize(400, 300);
    const QImage pattern = LoadThemeResource(QStringLiteral("MACOS_FORM_BACKGROUND"));
    const QImage mac = Shot(*frame);
    for (int y = 100; y < 116; ++y)
        for (int x = 100; x < 116; ++x)
            ASSERT_EQ(mac.pixel(x, y), pattern.pixel(x % 8, y % 8)) << x << "," << y;
}

TEST_F(FormFrame, MaximisedFormCoversTheWorkArea)
{
    TsuiForm *frame = winXPFrame();
    showForm();
    const QRect normal = form->geometry();
    TsuiTitleBar *bar = frame->titleBar();
    const QPoint maximise = bar->buttonLayout({-500, -500}).places[2].toQRect().center();
    QTest::mouseClick(bar, Qt::LeftButton, {}, maximise);
    EXPECT_TRUE(FormMaximised(form.get()));
    EXPECT_EQ(form->geometry(), desktop->workArea);
    EXPECT_EQ(frame->geometry(), QRect(3, 0, 700 - 6, 500 - 3));
    EXPECT_EQ(form->mask(), TitleBarWindowRegion({700, 500}, 13));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->buttonLayout({-500, -500}).places[2].toQRect().center());
    EXPECT_FALSE(FormMaximised(form.get()));
    EXPECT_EQ(form->geometry(), normal);
}

TEST_F(FormFrame, FormMadeMaximisedReturnsToTheBoundsItWasMadeWith)
{
    form->setGeometry(60, 40, 400, 300);
    form->setWindowState(Qt::WindowMaximized);
    const auto bounds = [&] { return QRect(form->pos(), form->size()); };
    const QRect madeWith = bounds();
    TsuiForm *frame = new TsuiForm(form.get());
    showForm();
    ASSERT_TRUE(FormMaximised(form.get()));
    form->setGeometry(10, 10, 200, 150);
    form->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(bounds(), madeWith);
    EXPECT_EQ(frame->geometry(), QRect(1, 0, 398, 299));
    form->setGeometry(10, 10, 200, 150);
    EXPECT_EQ(form->size(), QSize(200, 150)) << "only once";
}

TEST_F(FormFrame, ControlsStartInTheFrameStyle)
{
    TsuiForm *frame = winXPFrame();
    TsuiProgressBar onForm(form.get());
    EXPECT_EQ(onForm.UIStyle(), TsuiUIStyle::WinXP);
    auto *onFrame = new TsuiProgressBar(frame);
    EXPECT_EQ(onFrame->UIStyle(), TsuiUIStyle::WinXP);
    frame->setUIStyle(TsuiUIStyle::Protein);
    EXPECT_EQ(onFrame->UIStyle(), TsuiUIStyle::WinXP) << "children keep theirs by default";
    frame->setUIStyleAutoUpdateSub(true);
    frame->setUIStyle(TsuiUIStyle::BlueGlass);
    EXPECT_EQ(onFrame->UIStyle(), TsuiUIStyle::BlueGlass);
    EXPECT_EQ(frame->titleBar()->UIStyle(), TsuiUIStyle::BlueGlass);

    auto theme = std::make_unique<TsuiFileTheme>();
    frame->setFileTheme(theme.get());
    EXPECT_EQ(onFrame->FileTheme(), theme.get());
    theme.reset();
    EXPECT_EQ(frame->FileTheme(), nullptr);
    EXPECT_EQ(frame->UIStyle(), TsuiUIStyle::DeepBlue) << "a removed file theme falls back to DeepBlue";
    EXPECT_EQ(onFrame->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(frame->BorderColor(), 0x000000);
}

TEST_F(FormFrame, MenuBarFollowsTheMainMenu)
{
    TsuiForm *frame = winXPFrame();
    auto *menu = new TsuiMainMenu(QStringLiteral("MainMenu1"), form.get());
    EXPECT_EQ(frame->Menu(), menu) << "the frame on the owner form takes the menu";
    EXPECT_EQ(menu->hostFrame(), frame);
    EXPECT_EQ(menu->UIStyle(), TsuiUIStyle::WinXP);
    QMenu *file = menu->addMenu(QStringLiteral("File1"), QStringLiteral("&File"));
    QAction *open = file->addAction(QStringLiteral("&Open"));
    open->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    menu->addMenu(QStringLiteral("Edit1"), QStringLiteral("&Edit"));
    menu->addMenu(QStringLiteral("Help1"), QStringLiteral("&Help"));
    menu->Loaded();

    const auto captions = [&] {
        QStringList out;
        if (frame->menuBar())
            for (TsuiMenuBarButton *b : frame->menuBar()->buttons())
                out << b->text();
        return out;
    };
    ASSERT_NE(frame->menuBar(), nullptr);
    EXPECT_EQ(captions(), QStringList({"&File", "&Edit", "&Help"})) << "in menu order";
    EXPECT_EQ(frame->menuBar()->geometry(), QRect(0, 29, 394, 22)) << "below the title bar";

    menu->items()[1]->setText(QStringLiteral("&Tools"));
    menu->items()[2]->setEnabled(false);
    EXPECT_EQ(captions(), QStringList({"&File", "&Tools", "&Help"}));
    EXPECT_FALSE(frame->menuBar()->buttons()[2]->isEnabled());

    frame->setMenu(nullptr);
    EXPECT_EQ(frame->menuBar(), nullptr);
    EXPECT_EQ(menu->hostFrame(), nullptr);
    frame->setMenu(menu);
    EXPECT_EQ(captions(), QStringList({"&File", "&Tools", "&Help"}));

    // Shortcuts reach the menu's items through the form.
    showForm();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QSignalSpy opened(open, &QAction::triggered);
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(opened.size(), 1);
    open->setEnabled(false);
    EXPECT_FALSE(menu->TakeShortcut(QKeyCombination(Qt::ControlModifier, Qt::Key_O)));

    delete menu;
    EXPECT_EQ(frame->Menu(), nullptr);
    EXPECT_EQ(frame->menuBar(), nullptr);
}

TEST_F(FormFrame, TitleBarFollowsActivation)
{
    TsuiForm *frame = winXPFrame();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_TRUE(frame->titleBar()->FormActive());
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(frame->titleBar()->FormActive());
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_TRUE(frame->titleBar()->FormActive());
}

TEST_F(FormFrame, FormOutlivesItsFrame)
{
    TsuiForm *frame = winXPFrame();
    auto *menu = new TsuiMainMenu(form.get());
    showForm();
    delete frame;
    EXPECT_EQ(menu->hostFrame(), nullptr);
    form->resize(350, 250);
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    QTest::mousePress(form.get(), Qt::LeftButton, {}, {2, 2});
    QTest::mouseRelease(form.get(), Qt::LeftButton, {}, {2, 2});
    EXPECT_TRUE(desktop->resizes.isEmpty()) << "the form no longer answers for the frame";
    EXPECT_EQ(form->size(), QSize(350, 250));
}

} // namespace

#include "skin_controls/controls/main_menu.h"
#include "skin_controls/frame/form.h"
#include "skin_controls/frame/menu_bar.h"
#include "tests/skin_controls/skin_test_app.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QColor kPaper(0x10, 0x20, 0x30);

class MainMenu : public ::testing::Test {
protected:
    void SetUp() override { SkinTestApp(); }
};

TEST_F(MainMenu, StyleHeightsImagesAndOwnerDraw)
{
    TsuiMainMenu menu;
    EXPECT_EQ(menu.UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(menu.MenuItemHeight(), 21);
    EXPECT_EQ(menu.SeparatorHeight(), 5);
    EXPECT_EQ(menu.BarWidth(), 26);
    EXPECT_EQ(menu.FontName(), QStringLiteral("MS Sans Serif"));
    EXPECT_TRUE(menu.UseSystemFont());

    menu.setUIStyle(TsuiUIStyle::MacOS);
    menu.setMenuItemHeight(30);
    EXPECT_EQ(menu.MenuItemHeight(), 20) << "MacOS keeps its height";
    menu.setUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(menu.MenuItemHeight(), 21) << "the style writer resets it";
    EXPECT_EQ(menu.SelectedColor(), 0xEFD3C6);
    EXPECT_EQ(menu.SelectedFontColor(), 0x000000);

    EXPECT_EQ(menu.Images(), nullptr) << "the own check-mark picture is in place";
    const QList<QImage> pictures = {QImage(16, 16, QImage::Format_RGB32)};
    menu.setImages(&pictures);
    EXPECT_EQ(menu.Images(), &pictures);
    menu.setImages(nullptr);
    EXPECT_EQ(menu.Images(), nullptr);

    menu.setOwnerDraw(false);
    menu.setProperty("OwnerDraw", false);
    EXPECT_TRUE(menu.OwnerDraw());
    EXPECT_TRUE(menu.property("OwnerDraw").toBool());

    auto theme = std::make_unique<TsuiFileTheme>();
    menu.setFileTheme(theme.get());
    theme.reset();
    EXPECT_EQ(menu.FileTheme(), nullptr);
    EXPECT_EQ(menu.UIStyle(), TsuiUIStyle::DeepBlue) << "a removed file theme falls back to DeepBlue";
    EXPECT_EQ(menu.SelectedColor(), 0xA04A44);
    EXPECT_EQ(menu.Color(), 0xFFFFFF);
}

TEST_F(MainMenu, DropDownShowsTheMenusImagesAndCheckMark)
{
    TsuiMainMenu menu;
    QMenu *view = menu.addMenu(QStringLiteral("View1"), QStringLiteral("&View"));
    QImage green(16, 16, QImage::Format_RGB32);
    green.fill(Qt::green);
    const QList<QImage> pictures = {green};
    menu.setImages(&pictures);
    const auto item = [&](const QString &caption, int imageIndex) {
        QAction *a = view->addAction(caption);
        a->setCheckable(true);
        a->setChecked(true);
        a->setProperty(TsuiMainMenu::kImageIndex, imageIndex);
        return a;
    };
    QAction *withImage = item(QStringLiteral("&Toolbar"), 0);
    QAction *outside = item(QStringLiteral("&Hints"), 3);
    view->popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    const QImage shot = Shot(*view);
    const QRect a = view->actionGeometry(withImage), b = view->actionGeometry(outside);
    EXPECT_EQ(a.height(), 21);
    EXPECT_EQ(At(shot, a.left() + 2, a.top() + 1), QColor(Qt::black)) << "framed square behind the image";
    EXPECT_EQ(At(shot, a.left() + 3, a.top() + 2), Bgr(0xA04A44));
    EXPECT_EQ(At(shot, a.left() + 10, a.top() + 10), QColor(Qt::green));
    // An index beyond the pictures: the check mark on the bar.
    const QImage mark = LoadThemeResource(QStringLiteral("MENU_CHECKED"));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QColor want = mark.pixelColor(x, y) == QColor(Qt::black) ? QColor(Qt::black) : Bgr(0xCED3D6);
            ASSERT_EQ(At(shot, b.left() + 4 + x, b.top() + 3 + y), want) << x << "," << y;
        }
    view->hide();

    QMenu *nested = view->addMenu(QStringLiteral("More"));
    EXPECT_NE(nested->style(), view->style()) << "added after loading: not drawn by the menu yet";
    menu.Loaded();
    EXPECT_EQ(nested->style(), view->style());
}

TEST_F(MainMenu, BarButtonsHotAndOpen)
{
    MenuBarLook look;
    look.font = QFont();
    look.fontColor = Qt::black;
    look.selected = Qt::blue;
    look.selectedBorder = Qt::red;
    look.selectedFont = Qt::white;
    const auto paint = [&](bool hot, bool open) {
        QImage image(50, 22, QImage::Format_RGB32);
        image.fill(kPaper);
        QPainter p(&image);
        PaintMenuBarButton(p, {0, 0, 40, 22}, look, QString(), hot, open);
        return image;
    };
    const QImage plain = paint(false, false), hot = paint(true, false), open = paint(false, true);
    EXPECT_EQ(At(plain, 20, 10), kPaper) << "the bar shows through";
    EXPECT_EQ(At(hot, 0, 0), QColor(Qt::red));
    EXPECT_EQ(At(hot, 39, 21), QColor(Qt::red));
    EXPECT_EQ(At(hot, 20, 10), QColor(Qt::blue));
    EXPECT_EQ(At(open, 37, 10), QColor(Qt::red)) << "an open button is 2 pixels narrower";
    EXPECT_EQ(At(open, 38, 10), kPaper);

    look.macOS = true;
    const QImage mac = paint(true, false);
    const QImage select = LoadThemeResource(QStringLiteral("MACOS_MENU_SELECT"));
    EXPECT_EQ(mac.pixel(20, 5), select.scaled(40, 22).pixel(20, 5));
}

TEST_F(MainMenu, BarTakesTheMenusFont)
{
    QWidget form;
    form.resize(300, 200);
    TsuiForm *frame = new TsuiForm(&form);
    TsuiMainMenu menu(&form);
    menu.addMenu(QStringLiteral("File1"), QStringLiteral("&File"));
    menu.Loaded();
    ASSERT_NE(frame->menuBar(), nullptr);
    menu.setFontName(QStringLiteral("DejaVu Serif"));
    menu.setFontColor(0x0000FF);
    EXPECT_NE(frame->menuBar()->look().font.family(), QStringLiteral("DejaVu Serif")) << "the system font is in use";
    menu.setUseSystemFont(false);
    EXPECT_EQ(frame->menuBar()->look().font.family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(frame->menuBar()->look().fontColor, QColor(Qt::red));
    EXPECT_EQ(frame->menuBar()->look().selected, Bgr(0xA04A44)) << "the menu's DeepBlue selection";
}

} // namespace

#include "skin_controls/controls/menu_item_painting.h"
#include "skin_controls/controls/popup_menu.h"
#include "tests/skin_controls/skin_test_app.h"

#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QColor kPaper(0x10, 0x20, 0x30);

class PopupMenu : public ::testing::Test {
protected:
    void SetUp() override { SkinTestApp(); }

    QImage paint(const TRect &rect, const MenuItemLook &look, const MenuItemInfo &item, QSize size = {160, 60})
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(kPaper);
        QPainter p(&image);
        DrawMenuItem(p, rect, look, item);
        return image;
    }
    MenuItemLook deepBlue()
    {
        TsuiPopupMenu menu;
        return menu.look();
    }
};

TEST_F(PopupMenu, StyleSetsHeightsBarAndColours)
{
    TsuiPopupMenu menu;
    EXPECT_EQ(menu.UIStyle(), TsuiUIStyle::DeepBlue) << "no form frame owns it";
    EXPECT_EQ(menu.MenuItemHeight(), 21);
    EXPECT_EQ(menu.SeparatorHeight(), 5);
    EXPECT_EQ(menu.BarWidth(), 26);
    EXPECT_EQ(menu.SeparatorColor(), 0x848284);
    EXPECT_EQ(menu.BarColor(), 0xCED3D6);
    EXPECT_EQ(menu.Color(), 0xFFFFFF);
    EXPECT_EQ(menu.SelectedColor(), 0xA04A44);
    EXPECT_EQ(menu.SelectedFontColor(), 0xFFFFFF);

    menu.setUIStyle(TsuiUIStyle::MacOS);
    menu.setMenuItemHeight(30);
    menu.setSeparatorHeight(3);
    EXPECT_EQ(menu.MenuItemHeight(), 20) << "MacOS keeps its heights";
    EXPECT_EQ(menu.SeparatorHeight(), 12);
    EXPECT_EQ(menu.SeparatorColor(), 0);
    menu.setUIStyle(TsuiUIStyle::DeepBlue);
    EXPECT_EQ(menu.MenuItemHeight(), 21);
    EXPECT_EQ(menu.SeparatorHeight(), 5);
    menu.setMenuItemHeight(30);
    EXPECT_EQ(menu.MenuItemHeight(), 30);
}

TEST_F(PopupMenu, DeepBlueSeparator)
{
    MenuItemInfo separator;
    separator.caption = QStringLiteral("-");
    const QImage got = paint({0, 40, 150, 45}, deepBlue(), separator);
    for (int x = 0; x < 160; ++x) {
        const QColor want = x < 26 ? Bgr(0xCED3D6) : x < 150 ? Bgr(0xFFFFFF) : kPaper;
        EXPECT_EQ(At(got, x, 40), want) << x;
        const QColor line = x >= 30 && x < 148 ? Bgr(0x848284) : want;
        EXPECT_EQ(At(got, x, 42), line) << x;
    }
    EXPECT_EQ(At(got, 60, 39), kPaper);
    EXPECT_EQ(At(got, 60, 45), kPaper);
}

TEST_F(PopupMenu, SelectedAndDisabledItems)
{
    MenuItemInfo item;
    item.caption = QStringLiteral("&Convert");
    item.selected = true;
    const QImage selected = paint({0, 10, 150, 31}, deepBlue(), item);
    EXPECT_EQ(At(selected, 0, 10), Bgr(0xA04A44)) << "frame";
    EXPECT_EQ(At(selected, 149, 30), Bgr(0xA04A44));
    EXPECT_EQ(At(selected, 10, 20), Bgr(0xA04A44)) << "fill over the bar too";
    EXPECT_EQ(At(selected, 150, 20), kPaper);
    bool whiteText = false;
    for (int x = 30; x < 100; ++x)
        for (int y = 14; y < 30; ++y)
            whiteText |= At(selected, x, y) == QColor(Qt::white);
    EXPECT_TRUE(whiteText);

    item.enabled = false;
    const QImage disabled = paint({0, 10, 150, 31}, deepBlue(), item);
    EXPECT_EQ(At(disabled, 10, 20), Bgr(0xCED3D6)) << "a disabled item is drawn as not selected";
    EXPECT_EQ(At(disabled, 140, 12), Bgr(0xFFFFFF));
    bool grey = false;
    for (int x = 30; x < 100; ++x)
        for (int y = 14; y < 30; ++y)
            grey |= At(disabled, x, y) == QColor(0x80, 0x80, 0x80);
    EXPECT_TRUE(grey);
}

TEST_F(PopupMenu, MeasureAddsShortcutBarAndForty)
{
    const MenuItemLook look = deepBlue();
    MenuItemInfo item;
    item.caption = QStringLiteral("&Open");
    item.shortcut = QKeySequence(QStringLiteral("Ctrl+O")).toString(QKeySequence::NativeText);
    const QFontMetrics m(look.textFont);
    const QSize size = MeasureMenuItem(look, item);
    EXPECT_EQ(size.width(), m.horizontalAdvance(QStringLiteral("&Open")) + m.horizontalAdvance(item.shortcut) + 26 + 40);
    EXPECT_EQ(size.height(), 21);
    item.caption = QStringLiteral("-");
    EXPECT_EQ(MeasureMenuItem(look, item).height(), 5);
}

TEST_F(PopupMenu, CheckMarkOrFramedImage)
{
    const QImage mark = LoadThemeResource(QStringLiteral("MENU_CHECKED"));
    MenuItemInfo item;
    item.caption = QStringLiteral("Hints");
    item.checked = true;
    const QImage plain = paint({0, 10, 150, 31}, deepBlue(), item);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QColor want = mark.pixelColor(x, y) == QColor(Qt::black) ? QColor(Qt::black) : Bgr(0xCED3D6);
            ASSERT_EQ(At(plain, 4 + x, 13 + y), want) << x << "," << y;
        }

    item.image = QImage(16, 16, QImage::Format_RGB32);
    item.image.fill(Qt::green);
    const QImage framed = paint({0, 10, 150, 31}, deepBlue(), item);
    EXPECT_EQ(At(framed, 2, 11), QColor(Qt::black));
    EXPECT_EQ(At(framed, 20, 29), QColor(Qt::black));
    EXPECT_EQ(At(framed, 3, 12), Bgr(0xA04A44)) << "SelectedColor behind the image";
    EXPECT_EQ(At(framed, 10, 20), QColor(Qt::green));
    EXPECT_EQ(At(framed, 21, 20), Bgr(0xCED3D6));
}

TEST_F(PopupMenu, OpenMenuIsDrawnByTheMenuItself)
{
    QWidget owner;
    TsuiPopupMenu menu(QStringLiteral("zm_popup_file"), &owner);
    menu.addItem(QStringLiteral("Open1"), QStringLiteral("&Open"));
    QAction *separator = menu.addItem(QStringLiteral("N1"), QStringLiteral("-"));
    EXPECT_TRUE(separator->isSeparator());
    EXPECT_EQ(separator->objectName(), QStringLiteral("N1"));
    QAction *convert = menu.addItem(QStringLiteral("Convert1"), QStringLiteral("&Convert"));
    menu.setBorderColor(0x0000FF);
    menu.popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    menu.setActiveAction(convert);
    QApplication::processEvents();

    const QImage shot = Shot(menu);
    const QRect open = menu.actionGeometry(menu.actions()[0]);
    const QRect line = menu.actionGeometry(separator);
    const QRect selected = menu.actionGeometry(convert);
    EXPECT_EQ(open.height(), 21);
    EXPECT_EQ(line.height(), 5);
    EXPECT_EQ(At(shot, open.left() + 5, open.top() + 2), Bgr(0xCED3D6)) << "bar";
    EXPECT_EQ(At(shot, open.right() - 3, open.top() + 2), Bgr(0xFFFFFF)) << "background";
    EXPECT_EQ(At(shot, line.left() + 40, line.top() + 2), Bgr(0x848284)) << "separator line";
    EXPECT_EQ(At(shot, selected.left() + 5, selected.center().y()), Bgr(0xA04A44)) << "selected";
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            ASSERT_NE(At(shot, x, y), QColor(Qt::red)) << "BorderColor is never drawn";

    // The layout file's colours take effect at the next painting.
    menu.setSelectedColor(0x00FF00);
    menu.setSelectedBorderColor(0x00FF00);
    menu.update();
    QApplication::processEvents();
    EXPECT_EQ(At(Shot(menu), selected.left() + 5, selected.center().y()), QColor(0, 0xFF, 0));

    menu.setFlatMenu(true);
    menu.hide();
    menu.popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    const QImage flat = Shot(menu);
    EXPECT_EQ(At(flat, 0, flat.height() / 2), QColor(Qt::black));
    EXPECT_EQ(At(flat, 1, flat.height() / 2), QColor(Qt::white));
    EXPECT_EQ(At(flat, flat.width() - 1, flat.height() / 2), Bgr(0xE8E8E8)) << "line in the form colour";
    menu.hide();
}

TEST_F(PopupMenu, FlatBorderOnEverySideAndAnEdgeOtherwise)
{
    QWidget owner;
    TsuiPopupMenu menu(QStringLiteral("zm_popup_file"), &owner);
    menu.addItem(QStringLiteral("Open1"), QStringLiteral("&Open"));
    menu.addItem(QStringLiteral("Convert1"), QStringLiteral("&Convert"));
    // Items on green, so that nothing white but the ring is left.
    menu.setColor(0x00FF00);
    const auto open = [&] {
        menu.hide();
        menu.popup(QPoint(0, 0));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&menu));
        return Shot(menu);
    };

    const QImage plain = open();
    const QColor edge(TsuiColorToQColor(kSystemColor | 16, menu.palette()).rgb());
    const int w = plain.width(), h = plain.height();
    for (const QPoint at : {QPoint(0, h / 2), QPoint(w - 1, h / 2), QPoint(w / 2, 0), QPoint(w / 2, h - 1)})
        EXPECT_EQ(At(plain, at.x(), at.y()), edge) << "a one-pixel edge at " << at.x() << "," << at.y();
    EXPECT_EQ(At(plain, w / 2, 1), QColor(0, 0xFF, 0)) << "the items right inside it";

    menu.setFlatMenu(true);
    const QImage flat = open();
    ASSERT_EQ(flat.size(), QSize(w + 4, h + 4)) << "two more rings round the items";
    const QColor black(Qt::black), white(Qt::white), line = Bgr(0xE8E8E8);
    const int fw = flat.width(), fh = flat.height(), x = fw / 2, y = fh / 2;
    struct Case {
        const char *side;
        QPoint at;
        QColor colour;
    };
    const Case cases[] = {
        {"left frame", {0, y}, black},          {"left ring", {1, y}, white},
        {"top line", {x, 0}, line},             {"top frame", {x, 1}, black},          {"top ring", {x, 2}, white},
        {"right line", {fw - 1, y}, line},      {"right frame", {fw - 2, y}, black},   {"right ring", {fw - 3, y}, white},
        {"bottom line", {x, fh - 1}, line},     {"bottom frame", {x, fh - 2}, black},  {"bottom ring", {x, fh - 3}, white},
        {"items inside", {x, 3}, QColor(0, 0xFF, 0)},
    };
    for (const Case &k : cases)
        EXPECT_EQ(At(flat, k.at.x(), k.at.y()), k.colour) << k.side;
    menu.hide();
}

TEST_F(PopupMenu, SubmenusAreHookedWhenLoaded)
{
    TsuiPopupMenu menu;
    EXPECT_TRUE(menu.setProperty("OwnerDraw", false));
    EXPECT_TRUE(menu.property("OwnerDraw").toBool()) << "the menu always draws its items";
    QMenu *sub = menu.addMenu(QStringLiteral("More"));
    EXPECT_NE(sub->style(), menu.style()) << "added after the start: the platform's drawing";
    menu.Loaded();
    EXPECT_EQ(sub->style(), menu.style());
}

} // namespace

#include "skin_controls/controls/combo_box.h"
#include "tests/skin_controls/skin_test_app.h"
#include "tests/support/test_support.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QColor kPaper(0x10, 0x20, 0x30);
const QColor kGrey(0x80, 0x80, 0x80);

class ComboBox : public ::testing::Test {
protected:
    void SetUp() override { SkinTestApp(); }
};

// Counts the parent's paints, to see the repaint after the list closes.
class CountingParent : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

TEST_F(ComboBox, ArrowShapesEnabledAndDisabled)
{
    QImage enabled(12, 8, QImage::Format_RGB32), disabled(12, 8, QImage::Format_RGB32);
    enabled.fill(kPaper);
    disabled.fill(kPaper);
    {
        QPainter p(&enabled);
        DrawComboArrow(p, 2, 2, Qt::red, true);
        QPainter q(&disabled);
        DrawComboArrow(q, 2, 2, Qt::red, false);
    }
    const auto inTriangle = [](int x, int y, int ox, int oy) {
        const int row = y - oy, half = 3 - row;
        return row >= 0 && row <= 3 && x >= ox + 3 - half && x <= ox + 3 + half;
    };
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x) {
            EXPECT_EQ(At(enabled, x, y) == QColor(Qt::red), inTriangle(x, y, 2, 2)) << x << "," << y;
            const QColor want = inTriangle(x, y, 2, 2) ? kGrey : inTriangle(x, y, 3, 3) ? QColor(Qt::white) : kPaper;
            EXPECT_EQ(At(disabled, x, y), want) << x << "," << y;
        }
}

TEST_F(ComboBox, FlatPaintingByStyle)
{
    const TRect client{0, 0, 100, 21}, button{81, 2, 98, 19};
    const QImage macButton = LoadThemeResource(QStringLiteral("MACOS_COMBOBOX_BUTTON"));
    const QImage xpButton = LoadThemeResource(QStringLiteral("WINXP_COMBOBOX_BUTTON"));
    struct Case {
        TsuiUIStyle style;
        bool bitmap, arrow;
    };
    for (const Case &k : {Case{TsuiUIStyle::DeepBlue, false, true}, Case{TsuiUIStyle::WinXP, true, false},
                          Case{TsuiUIStyle::MacOS, true, true}}) {
        QImage image(100, 21, QImage::Format_RGB32);
        image.fill(kPaper);
        FlatComboLook look{k.style, Qt::red, Qt::blue, Qt::yellow, Qt::green, true};
        {
            QPainter p(&image);
            PaintFlatCombo(p, client, button, look);
        }
        const char *name = UIStyleName(k.style);
        EXPECT_EQ(At(image, 0, 10), QColor(Qt::red)) << name << " border";
        EXPECT_EQ(At(image, 99, 20), QColor(Qt::red)) << name;
        EXPECT_EQ(At(image, 1, 10), QColor(Qt::green)) << name << " face ring";
        EXPECT_EQ(At(image, 50, 19), QColor(Qt::green)) << name;
        // The arrow's tip row sits at half the button's height, not below its top.
        const int ax = 81 + 17 / 2 - 3, ay = 17 / 2;
        EXPECT_EQ(At(image, ax + 3, ay + 3) == QColor(Qt::yellow), k.arrow) << name << " arrow";
        EXPECT_EQ(At(image, ax, ay) == QColor(Qt::yellow), k.arrow) << name;
        if (k.bitmap) {
            const QImage &source = k.style == TsuiUIStyle::MacOS ? macButton : xpButton;
            EXPECT_EQ(image.pixel(button.Left, button.Top), source.pixel(0, 0)) << name << " bitmap";
        } else {
            EXPECT_EQ(At(image, 90, 15), QColor(Qt::blue)) << name << " button face";
            for (int y = 1; y <= 19; ++y)
                EXPECT_EQ(At(image, 81, y), QColor(Qt::red)) << name << " dividing line " << y;
        }
    }
}

TEST_F(ComboBox, DeepBlueDefaultsAndStoredColours)
{
    QWidget form;
    TsuiComboBox box(QStringLiteral("cb_audio"), &form);
    box.addItems({QStringLiteral("English"), QStringLiteral("Deutsch")});
    box.setGeometry(10, 10, 140, 21);
    form.resize(200, 60);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(box.objectName(), QStringLiteral("cb_audio"));
    EXPECT_EQ(box.UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(box.BorderColor(), 0);
    EXPECT_EQ(box.ArrowColor(), 0);
    EXPECT_EQ(box.ButtonColor(), 0xE8E8E8);

    QImage shot = Shot(box);
    const FlatComboLook look = box.look();
    EXPECT_EQ(At(shot, 0, 0), QColor(Qt::black));
    EXPECT_EQ(At(shot, 139, 20), QColor(Qt::black));
    EXPECT_EQ(look.button, Bgr(0xE8E8E8));
    int arrow = 0, face = 0;
    for (int y = 2; y < 19; ++y)
        for (int x = 110; x < 138; ++x) {
            arrow += At(shot, x, y) == QColor(Qt::black);
            face += At(shot, x, y) == Bgr(0xE8E8E8);
        }
    EXPECT_EQ(arrow, 7 + 5 + 3 + 1 + 17) << "the arrow and the dividing line";
    EXPECT_GT(face, 100);

    // Colours written after the style (as the owner does at start-up) stay.
    box.setBorderColor(0x000000);
    box.setArrowColor(0x000000);
    box.setButtonColor(0x808000);
    box.setColor(0xFEFBFA);
    shot = Shot(box);
    EXPECT_EQ(At(shot, 1, 10), Bgr(0xFEFBFA));
    int teal = 0;
    for (int y = 2; y < 19; ++y)
        for (int x = 110; x < 138; ++x)
            teal += At(shot, x, y) == Bgr(0x808000);
    EXPECT_GT(teal, 100);

    box.setEnabled(false);
    shot = Shot(box);
    int grey = 0, white = 0;
    for (int y = 2; y < 19; ++y)
        for (int x = 110; x < 138; ++x) {
            grey += At(shot, x, y) == kGrey;
            white += At(shot, x, y) == QColor(Qt::white);
        }
    EXPECT_EQ(grey, 16) << "the grey arrow";
    EXPECT_GE(white, 4) << "its white copy one pixel down and right";
}

TEST_F(ComboBox, OpenListIsFramedAndClosingRepaintsTheParent)
{
    CountingParent form;
    form.resize(200, 60);
    TsuiComboBox box(&form);
    box.addItems({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    box.setGeometry(10, 10, 140, 21);
    box.setBorderColor(0x0000FF);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    box.showPopup();
    QWidget *list = box.view()->window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list));
    const QImage shot = Shot(*list);
    for (const QPoint at : {QPoint(0, 0), QPoint(shot.width() - 1, shot.height() / 2), QPoint(shot.width() / 2,
                                                                                              shot.height() - 1)})
        EXPECT_EQ(At(shot, at.x(), at.y()), QColor(Qt::red)) << at.x() << "," << at.y();

    QApplication::processEvents();
    const int before = form.paints;
    box.hidePopup();
    EXPECT_TRUE(ravenmoor::test::waitUntil([&] { return form.paints > before; }, 2000));
}

TEST_F(ComboBox, ListOfEightRowsOpensBelowTheBoxOrAboveAtTheScreensFoot)
{
    QWidget form;
    form.resize(200, 60);
    TsuiComboBox box(&form);
    EXPECT_EQ(box.maxVisibleItems(), 8);
    for (int i = 1; i <= 20; ++i)
        box.addItem(QString::number(i));
    box.setCurrentIndex(10);
    box.setGeometry(10, 10, 140, 21);
    const QRect screen = form.screen()->availableGeometry();
    for (const bool atFoot : {false, true}) {
        form.move(screen.left() + 50, atFoot ? screen.bottom() - 40 : screen.top() + 50);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        box.showPopup();
        QWidget *list = box.view()->window();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list));
        const QRect onScreen(box.mapToGlobal(QPoint(0, 0)), box.size());
        const QRect listRect = list->geometry();
        EXPECT_EQ(listRect.left(), onScreen.left()) << atFoot;
        // The list's frame lies on the box's own border line.
        if (atFoot)
            EXPECT_EQ(listRect.bottom(), onScreen.top()) << "no room below: above the box";
        else
            EXPECT_EQ(listRect.top(), onScreen.bottom()) << "below the box, not over it";
        const int row = box.view()->visualRect(box.model()->index(0, 0)).height();
        ASSERT_GT(row, 0);
        EXPECT_EQ(box.view()->viewport()->height() / row, 8) << atFoot;
        box.hidePopup();
    }
}

} // namespace

#include "skin_controls/drawing/bitmap_helpers.h"
#include "skin_controls/drawing/form_helpers.h"
#include "skin_controls/drawing/menu_drawing.h"
#include "skin_controls/drawing/pixel_rules.h"
#include "tests/skin_controls/skin_test_app.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <vector>

namespace {

const QColor kPaper(0x10, 0x20, 0x30);
const QColor kMagenta(0xFF, 0x00, 0xFF);

QImage blank(int w, int h, const QColor &c = kPaper)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

template <typename Draw>
QImage drawn(int w, int h, Draw draw)
{
    QImage image = blank(w, h);
    QPainter p(&image);
    draw(p);
    return image;
}

// Rectangles filled in order make the picture a drawing step should give.
struct Region {
    TRect rect;
    QColor color;
};

QImage expected(int w, int h, const std::vector<Region> &regions)
{
    return drawn(w, h, [&](QPainter &p) {
        for (const Region &r : regions)
            p.fillRect(r.rect.toQRect(), r.color);
    });
}

void expectSame(const QImage &got, const QImage &want)
{
    ASSERT_EQ(got.size(), want.size());
    int wrong = 0;
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x)
            if (got.pixel(x, y) != want.pixel(x, y) && ++wrong <= 5)
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << qPrintable(got.pixelColor(x, y).name())
                              << ", expected " << qPrintable(want.pixelColor(x, y).name());
    EXPECT_EQ(wrong, 0);
}

// A 74 x 21 picture of nine colours: columns [0,37) [37,38) [38,74), rows [0,10) [10,12) [12,21).
QColor nine(int col, int row)
{
    return QColor(40 + 80 * col, 40 + 80 * row, 200 - 20 * (col + row));
}

QImage ninePicture()
{
    QImage image(74, 21, QImage::Format_RGB32);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 74; ++x)
            image.setPixelColor(x, y, nine(x < 37 ? 0 : x < 38 ? 1 : 2, y < 10 ? 0 : y < 12 ? 1 : 2));
    return image;
}

TEST(SpreadBitmap, NineColoursOntoALargerButton)
{
    const QImage got = drawn(80, 27, [](QPainter &p) { SpreadBitmap(ninePicture(), p, {0, 0, 80, 27}, false); });
    // Corners keep their size at the four anchors; the edges and the centre
    // stretch the middle bands; the bottom edge starts one column and one
    // row early and so overlaps the corner and the centre beside it.
    expectSame(got, expected(80, 27,
                             {
                                 {{0, 0, 37, 10}, nine(0, 0)},   // top-left corner
                                 {{0, 18, 37, 27}, nine(0, 2)},  // bottom-left corner
                                 {{0, 10, 37, 18}, nine(0, 1)},  // left edge
                                 {{44, 0, 80, 10}, nine(2, 0)},  // top-right corner
                                 {{44, 18, 80, 27}, nine(2, 2)}, // bottom-right corner
                                 {{44, 10, 80, 18}, nine(2, 1)}, // right edge, from row 11
                                 {{37, 0, 44, 10}, nine(1, 0)},  // top edge
                                 {{37, 10, 44, 17}, nine(1, 1)}, // centre
                                 {{36, 17, 44, 18}, nine(1, 1)}, // bottom edge, its first row from row 11
                                 {{36, 18, 44, 27}, nine(1, 2)}, // ... the rest from the bottom rows
                             }));
}

TEST(SpreadBitmap, SameSizeGivesThePictureBack)
{
    QImage picture = ninePicture();
    // Row 11 and column 37 show only where the grid's bands pick them.
    const QImage got = drawn(74, 21, [&](QPainter &p) { SpreadBitmap(picture, p, {0, 0, 74, 21}, false); });
    for (const QPoint at : {QPoint(0, 0), QPoint(73, 0), QPoint(0, 20), QPoint(73, 20), QPoint(20, 15), QPoint(60, 5)})
        EXPECT_EQ(got.pixel(at), picture.pixel(at)) << at.x() << "," << at.y();
}

TEST(SpreadBitmap, MagentaIsSeeThroughInCornersOnlyWhenMasked)
{
    QImage picture = blank(20, 20, QColor(0x22, 0x88, 0x22));
    picture.setPixelColor(0, 0, kMagenta);    // a corner pixel
    picture.setPixelColor(10, 10, kMagenta);  // in the middle band
    for (const bool masked : {false, true}) {
        const QImage got = drawn(40, 40, [&](QPainter &p) { SpreadBitmap(picture, p, {0, 0, 40, 40}, masked); });
        EXPECT_EQ(got.pixelColor(0, 0), masked ? kPaper : kMagenta) << masked;
        // The middle band stretches over the centre; its magenta never shows.
        EXPECT_EQ(got.pixelColor(15, 15), kPaper) << masked;
        EXPECT_EQ(got.pixelColor(5, 5), QColor(0x22, 0x88, 0x22)) << masked;
    }
}

TEST(SpreadBitmap, TinyPicturesAndRectanglesEnd)
{
    const QImage onePixel = blank(1, 1, Qt::red);
    for (const TRect r : {TRect{0, 0, 1, 1}, TRect{0, 0, 30, 2}, TRect{0, 0, 0, 0}, TRect{0, 0, 5, 40}}) {
        QImage canvas = blank(40, 40);
        QPainter p(&canvas);
        SpreadBitmap(onePixel, p, r, true);
        SpreadBitmap(QImage(), p, r, false);
        SpreadBitmap(ninePicture(), p, r, true);
    }
}

TEST(RotateBitmap90, QuarterTurn)
{
    QImage column(1, 10, QImage::Format_RGB32);
    for (int y = 0; y < 10; ++y)
        column.setPixel(0, y, qRgb(y * 20, 0, 0));
    QImage turned = column;
    RotateBitmap90(turned);
    ASSERT_EQ(turned.size(), QSize(10, 1));
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(turned.pixel(y, 0), column.pixel(0, y));

    QImage wide(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            wide.setPixel(x, y, qRgb(x * 50, y * 50, 7));
    QImage t = wide;
    RotateBitmap90(t);
    ASSERT_EQ(t.size(), QSize(2, 3));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(t.pixel(y, 3 - 1 - x), wide.pixel(x, y));
}

TEST(CutBitmapFrame, FramesOfAStrip)
{
    QImage strip(222, 21, QImage::Format_RGB32);
    for (int x = 0; x < 222; ++x)
        for (int y = 0; y < 21; ++y)
            strip.setPixel(x, y, qRgb(x, y, 0));
    QImage frame;
    CutBitmapFrame(strip, frame, 3, 3);
    ASSERT_EQ(frame.size(), QSize(74, 21));
    EXPECT_EQ(frame, strip.copy(148, 0, 74, 21));
    // 223 columns in 3 frames: frames of 74, the last column left over.
    QImage odd = strip.copy(0, 0, 221, 21);
    CutBitmapFrame(odd, frame, 3, 1);
    EXPECT_EQ(frame.width(), 73);
    for (const auto &[count, index] : {std::pair{0, 1}, std::pair{3, 0}, std::pair{3, 4}, std::pair{-1, 1}})
        EXPECT_THROW(CutBitmapFrame(strip, frame, count, index), std::out_of_range) << count << " " << index;
}

// A parent that paints a diagonal ramp, so a wrong offset shows.
class RampParent : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                p.fillRect(x, y, 1, 1, QColor(x % 256, y % 256, 99));
    }
};

TEST(PaintParentBackground, ParentsPaintingUnderTheControl)
{
    SkinTestApp();
    QWidget orphan;
    orphan.resize(10, 10);
    QImage untouched = blank(10, 10);
    {
        QPainter p(&untouched);
        PaintParentBackground(p, &orphan);
    }
    expectSame(untouched, blank(10, 10));

    RampParent parent;
    parent.resize(100, 60);
    QWidget child(&parent);
    child.setGeometry(30, 20, 12, 8);
    QImage under = blank(12, 8);
    {
        QPainter p(&under);
        PaintParentBackground(p, &child);
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(under.pixelColor(x, y), QColor(30 + x, 20 + y, 99)) << x << "," << y;
}

TEST(PixelRules, RectanglesLeaveOutTheirRightAndBottomEdge)
{
    const QImage framed = drawn(8, 8, [](QPainter &p) { FrameRectColor(p, {1, 1, 6, 5}, Qt::red); });
    const QImage filled = drawn(8, 8, [](QPainter &p) { FillRectColor(p, {1, 1, 6, 5}, Qt::red); });
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 1 && x < 6 && y >= 1 && y < 5;
            const bool ring = inside && (x == 1 || x == 5 || y == 1 || y == 4);
            EXPECT_EQ(framed.pixelColor(x, y) == QColor(Qt::red), ring) << x << "," << y;
            EXPECT_EQ(filled.pixelColor(x, y) == QColor(Qt::red), inside) << x << "," << y;
        }
    const QImage empty = drawn(8, 8, [](QPainter &p) {
        FrameRectColor(p, {5, 5, 5, 9}, Qt::red);
        FillRectColor(p, {6, 1, 2, 4}, Qt::red);
    });
    expectSame(empty, blank(8, 8));
}

TEST(PixelRules, LinesLeaveOutTheirLastPoint)
{
    const QImage h = drawn(10, 3, [](QPainter &p) { LineToColor(p, {2, 1}, {7, 1}, Qt::red); });
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(h.pixelColor(x, 1) == QColor(Qt::red), x >= 2 && x < 7) << x;
    const QImage d = drawn(6, 6, [](QPainter &p) { LineToColor(p, {4, 4}, {0, 0}, Qt::red); });
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(d.pixelColor(i, i) == QColor(Qt::red), i >= 1 && i <= 4) << i;
    const QImage none = drawn(3, 3, [](QPainter &p) { LineToColor(p, {1, 1}, {1, 1}, Qt::red); });
    expectSame(none, blank(3, 3));
}

TEST(PixelRules, FilledTriangleIncludesItsOutline)
{
    const QImage got = drawn(12, 8, [](QPainter &p) {
        const QPoint points[] = {{2, 2}, {8, 2}, {5, 5}};
        PolygonColor(p, points, Qt::red);
    });
    // Rows 2 to 5: 7, 5, 3 and 1 pixels, centred on column 5.
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x) {
            const int half = 3 - (y - 2);
            const bool in = y >= 2 && y <= 5 && x >= 5 - half && x <= 5 + half;
            EXPECT_EQ(got.pixelColor(x, y) == QColor(Qt::red), in) << x << "," << y;
        }
}

TEST(PixelRules, FocusFrameIsDottedAndUndoesItself)
{
    QImage image = blank(10, 8);
    QPainter p(&image);
    DrawFocusFrame(p, {1, 1, 9, 7});
    const QColor inverted(0xFF - kPaper.red(), 0xFF - kPaper.green(), 0xFF - kPaper.blue());
    EXPECT_EQ(image.pixelColor(1, 1), inverted);
    EXPECT_EQ(image.pixelColor(2, 1), kPaper);
    EXPECT_EQ(image.pixelColor(3, 1), inverted);
    EXPECT_EQ(image.pixelColor(1, 2), kPaper);
    EXPECT_EQ(image.pixelColor(9, 1), kPaper) << "the right edge lies outside";
    EXPECT_EQ(image.pixelColor(4, 4), kPaper);
    DrawFocusFrame(p, {1, 1, 9, 7});
    p.end();
    expectSame(image, blank(10, 8));
}

TEST(MenuDrawing, SeparatorLineSpot)
{
    const QImage got = drawn(160, 50, [](QPainter &p) { DrawMenuSeparatorLine(p, {0, 40, 150, 45}, Qt::red, 26); });
    for (int x = 0; x < 160; ++x)
        EXPECT_EQ(got.pixelColor(x, 42) == QColor(Qt::red), x >= 30 && x < 148) << x;
    EXPECT_EQ(got.pixelColor(40, 41), kPaper);
}

TEST(MenuDrawing, FlatBorderRings)
{
    const QImage got = drawn(20, 12, [](QPainter &p) { DrawMenuBorder(p, {0, 0, 20, 12}, Qt::black, Qt::red); });
    EXPECT_EQ(got.pixelColor(0, 5), QColor(Qt::black)) << "left frame";
    EXPECT_EQ(got.pixelColor(1, 5), QColor(Qt::white)) << "white ring inside it";
    EXPECT_EQ(got.pixelColor(2, 5), kPaper);
    EXPECT_EQ(got.pixelColor(10, 11), QColor(Qt::red)) << "bottom line";
    EXPECT_EQ(got.pixelColor(19, 5), QColor(Qt::red)) << "right line";
    EXPECT_EQ(got.pixelColor(10, 0), QColor(Qt::red)) << "top line";
    EXPECT_EQ(got.pixelColor(10, 1), QColor(Qt::black)) << "frame starts one row down";
    EXPECT_EQ(got.pixelColor(0, 0), kPaper) << "the top line's last point is left out";
}

TEST(MenuDrawing, MacBarsAreTheBitmapCutAndStretched)
{
    SkinTestApp();
    const QImage bar = LoadThemeResource(QStringLiteral("MACOS_MENU_BAR"));
    const QImage got = drawn(30, 44, [](QPainter &p) {
        DrawMacMenuBar(p, {0, 0, 30, 20});
        DrawMacMenuBarSeparator(p, {0, 20, 30, 44});
    });
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(got.pixel(17, y), bar.pixel(0, y)) << y;
    // The top 12 rows, each twice.
    for (int y = 0; y < 24; ++y)
        EXPECT_EQ(got.pixel(3, 20 + y), bar.pixel(0, y / 2)) << y;
}

TEST(FormHelpers, PointsOnEveryEdgeAreInside)
{
    EXPECT_TRUE(PointInRectXY(10, 10, {0, 0, 10, 10}));
    EXPECT_TRUE(PointInRect({0, 0}, {0, 0, 10, 10}));
    EXPECT_FALSE(PointInRectXY(11, 5, {0, 0, 10, 10}));
    EXPECT_FALSE(PointInRectXY(5, -1, {0, 0, 10, 10}));
    EXPECT_EQ(PCharToString(nullptr), QString());
    EXPECT_EQ(PCharToString(""), QString());
    EXPECT_EQ(PCharToString("abc"), QStringLiteral("abc"));
}

TEST(FormHelpers, WindowBoundsAndWorkArea)
{
    SkinTestApp();
    QWidget form;
    SetFormBoundsRect(&form, {10, 20, 310, 220});
    EXPECT_EQ(form.pos(), QPoint(10, 20));
    EXPECT_EQ(form.size(), QSize(300, 200));
    const TRect area = GetWorkAreaRect();
    EXPECT_GT(area.width(), 0);
    EXPECT_GT(area.height(), 0);
}

} // namespace

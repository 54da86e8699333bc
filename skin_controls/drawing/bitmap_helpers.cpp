#include "skin_controls/drawing/bitmap_helpers.h"

#include "skin_controls/drawing/image_drawing.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

constexpr QRgb kSeeThrough = 0xFF00FF;

int d2(int n)
{
    return n / 2;
}

// Source rows or columns [from, to), clipped to [0, limit).
struct Band {
    int from, to;
    int size() const { return std::max(0, to - from); }
};

Band clip(Band b, int limit)
{
    return {std::clamp(b.from, 0, limit), std::clamp(b.to, 0, limit)};
}

// Keeps `size` of the band at its outer end (the start for a left or top
// band, the end for a right or bottom one).
Band keepOuter(Band b, int size, bool outerIsStart)
{
    size = std::min(size, b.size());
    return outerIsStart ? Band{b.from, b.from + size} : Band{b.to - size, b.to};
}

QImage piece(const QImage &bitmap, Band cols, Band rows)
{
    return bitmap.copy(cols.from, rows.from, cols.size(), rows.size());
}

// One corner: returns the rectangle it covers (empty at its anchor when
// nothing is drawn).
TRect drawCorner(QPainter &canvas, const QImage &bitmap, Band srcCols, Band srcRows, int destW, int destH,
                 bool left, bool top, const TRect &rect, bool masked)
{
    const int w = std::max(0, std::min(srcCols.size(), destW));
    const int h = std::max(0, std::min(srcRows.size(), destH));
    const int x = left ? 0 : rect.Right - w;
    const int y = top ? 0 : rect.Bottom - h;
    if (w == 0 || h == 0) {
        const int ax = left ? 0 : rect.Right, ay = top ? 0 : rect.Bottom;
        return {ax, ay, ax, ay};
    }
    const QImage part = piece(bitmap, keepOuter(srcCols, w, left), keepOuter(srcRows, h, top));
    canvas.drawImage(QPoint(x, y), masked ? KeyedOut(part, kSeeThrough) : part);
    return {x, y, x + w, y + h};
}

enum class Trim { Columns, Rows };

// An edge or the centre: the source stretched over dest, magenta keyed out.
void drawStretched(QPainter &canvas, const QImage &bitmap, Band cols, Band rows, const TRect &dest, Trim trim,
                   bool outerIsStart)
{
    if (dest.isEmpty())
        return;
    if (trim == Trim::Columns)
        cols = keepOuter(cols, dest.width(), outerIsStart);
    else
        rows = keepOuter(rows, dest.height(), outerIsStart);
    if (cols.size() == 0 || rows.size() == 0)
        return;
    const QImage stretched =
        piece(bitmap, cols, rows).scaled(dest.width(), dest.height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    canvas.drawImage(QPoint(dest.Left, dest.Top), KeyedOut(stretched, kSeeThrough));
}

} // namespace

void SpreadBitmap(const QImage &bitmap, QPainter &canvas, const TRect &rect, bool masked)
{
    const int W = bitmap.width(), H = bitmap.height();
    const int w = rect.width(), h = rect.height();
    if (W == 0 || H == 0 || w <= 0 || h <= 0)
        return;

    const Band leftCols = clip({0, d2(W)}, W), rightCols = clip({W - d2(W) + 1, W}, W);
    const Band middleCols = clip({d2(W), W - d2(W) + 1}, W);
    const Band topRows = clip({0, d2(H)}, H), bottomRows = clip({H - d2(H) + 1, H}, H);
    const int destLeft = d2(w), destRight = std::max(0, w - (w - d2(w) + 1));
    const int destTop = d2(h), destBottom = std::max(0, h - (h - d2(h) + 1));

    const TRect TL = drawCorner(canvas, bitmap, leftCols, topRows, destLeft, destTop, true, true, rect, masked);
    const TRect BL = drawCorner(canvas, bitmap, leftCols, bottomRows, destLeft, destBottom, true, false, rect, masked);
    drawStretched(canvas, bitmap, leftCols, clip({d2(H), H - d2(H)}, H), {0, TL.Bottom, TL.Right, BL.Top},
                  Trim::Columns, true);

    const TRect TR = drawCorner(canvas, bitmap, rightCols, topRows, destRight, destTop, false, true, rect, masked);
    const TRect BR =
        drawCorner(canvas, bitmap, rightCols, bottomRows, destRight, destBottom, false, false, rect, masked);
    drawStretched(canvas, bitmap, rightCols, clip({H - d2(H), d2(H) + 2}, H), {TR.Left, TR.Bottom, TR.Right, BR.Top},
                  Trim::Columns, false);

    drawStretched(canvas, bitmap, middleCols, topRows, {TL.Right, 0, TR.Left, TL.Bottom}, Trim::Rows, true);
    drawStretched(canvas, bitmap, middleCols, clip({d2(H), H - d2(H)}, H), {TL.Right, TL.Bottom, TR.Left, BR.Top - 1},
                  Trim::Rows, true);
    drawStretched(canvas, bitmap, middleCols, clip({H - d2(H), H}, H), {TL.Right - 1, BL.Top - 1, BR.Left, BR.Bottom},
                  Trim::Rows, false);
}

void RotateBitmap90(QImage &bitmap)
{
    const int oldW = bitmap.width(), oldH = bitmap.height();
    QImage turned(oldH, oldW, bitmap.format() == QImage::Format_Invalid ? QImage::Format_RGB32 : bitmap.format());
    for (int y = 0; y < oldH; ++y)
        for (int x = 0; x < oldW; ++x)
            turned.setPixel(y, oldW - 1 - x, bitmap.pixel(x, y));
    bitmap = turned;
}

void CutBitmapFrame(const QImage &source, QImage &target, int frameCount, int frameIndex)
{
    if (frameCount < 1 || frameIndex < 1 || frameIndex > frameCount)
        throw std::out_of_range("frame " + std::to_string(frameIndex) + " of " + std::to_string(frameCount));
    const int frameWidth = source.width() / frameCount;
    target = source.copy((frameIndex - 1) * frameWidth, 0, frameWidth, source.height());
}

void PaintParentBackground(QPainter &canvas, const QWidget *control)
{
    QWidget *parent = control->parentWidget();
    if (!parent)
        return;
    canvas.save();
    canvas.setClipRect(QRect(-control->x(), -control->y(), parent->width(), parent->height()));
    // render() puts the region's top-left corner at the target offset.
    parent->render(&canvas, QPoint(0, 0), QRegion(control->geometry()), QWidget::DrawWindowBackground);
    canvas.restore();
}

#include "skin_controls/drawing/pixel_rules.h"

#include <QPainter>
#include <QPolygon>
#include <cstdlib>
#include <set>
#include <utility>

namespace {

void plot(QPainter &canvas, int x, int y, const QColor &color)
{
    canvas.fillRect(x, y, 1, 1, color);
}

} // namespace

void FillRectColor(QPainter &canvas, const TRect &rect, const QColor &color)
{
    if (!rect.isEmpty())
        canvas.fillRect(rect.toQRect(), color);
}

void FrameRectColor(QPainter &canvas, const TRect &rect, const QColor &color)
{
    if (rect.isEmpty())
        return;
    FillRectColor(canvas, {rect.Left, rect.Top, rect.Right, rect.Top + 1}, color);
    FillRectColor(canvas, {rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom}, color);
    FillRectColor(canvas, {rect.Left, rect.Top, rect.Left + 1, rect.Bottom}, color);
    FillRectColor(canvas, {rect.Right - 1, rect.Top, rect.Right, rect.Bottom}, color);
}

void LineToColor(QPainter &canvas, QPoint from, QPoint to, const QColor &color)
{
    // Bresenham from `from`, stopping before `to`.
    const int dx = std::abs(to.x() - from.x()), dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1, sy = from.y() < to.y() ? 1 : -1;
    int err = dx + dy;
    int x = from.x(), y = from.y();
    while (x != to.x() || y != to.y()) {
        plot(canvas, x, y, color);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void PolylineColor(QPainter &canvas, std::span<const QPoint> points, const QColor &color)
{
    for (size_t i = 1; i < points.size(); ++i)
        LineToColor(canvas, points[i - 1], points[i], color);
}

void PolygonColor(QPainter &canvas, std::span<const QPoint> points, const QColor &color)
{
    if (points.empty())
        return;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(color);
    canvas.drawPolygon(QPolygon(QList<QPoint>(points.begin(), points.end())));
    canvas.restore();
    PolylineColor(canvas, points, color);
    LineToColor(canvas, points.back(), points.front(), color);
}

void DrawFocusFrame(QPainter &canvas, const TRect &rect)
{
    if (rect.isEmpty())
        return;
    std::set<std::pair<int, int>> ring;
    for (int x = rect.Left; x < rect.Right; ++x) {
        ring.insert({x, rect.Top});
        ring.insert({x, rect.Bottom - 1});
    }
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        ring.insert({rect.Left, y});
        ring.insert({rect.Right - 1, y});
    }
    canvas.save();
    canvas.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const auto &[x, y] : ring)
        if ((x - rect.Left + y - rect.Top) % 2 == 0)
            plot(canvas, x, y, Qt::white);
    canvas.restore();
}

#pragma once

// The small drawing steps of the controls with the pixel rules they are
// designed for: rectangles leave out their right and bottom edge, a line
// leaves out its last point, a filled polygon includes its outline. QPainter
// draws a line's last point and outlines rectangles one pixel wider, so the
// controls draw through these helpers.

#include "skin_controls/drawing/trect.h"

#include <QColor>
#include <QPoint>
#include <span>

class QPainter;

void FillRectColor(QPainter &canvas, const TRect &rect, const QColor &color);
// A one-pixel frame on the outermost pixels of rect.
void FrameRectColor(QPainter &canvas, const TRect &rect, const QColor &color);
// The pixels from `from` towards `to`, without `to` itself.
void LineToColor(QPainter &canvas, QPoint from, QPoint to, const QColor &color);
// Connected lines through the points, the last point left out.
void PolylineColor(QPainter &canvas, std::span<const QPoint> points, const QColor &color);
// A polygon filled and outlined in one colour.
void PolygonColor(QPainter &canvas, std::span<const QPoint> points, const QColor &color);
// The dotted focus frame: every other pixel of rect's outermost ring,
// inverted, so drawing it twice takes it away.
void DrawFocusFrame(QPainter &canvas, const TRect &rect);

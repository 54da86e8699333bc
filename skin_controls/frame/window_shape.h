#pragma once

// The geometry of a skinned form, as plain functions: where the frame lies
// in the form, which edges a press on the border resizes, and the window
// shape with its rounded top corners.

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <Qt>

// The frame's bounds in a form of client size `client`: a border of
// borderWidth left, right and bottom, and at the top too while the title
// bar is hidden.
QRect FrameBounds(QSize client, int borderWidth, bool titleBarVisible);
// The client size whose FrameBounds has the size frame.
QSize FormSizeAroundFrame(QSize frame, int borderWidth, bool titleBarVisible);

// The edges a press at `at` (client coordinates) of a sizeable form resizes:
// within 5 pixels of an edge, corners first. None elsewhere.
Qt::Edges FormHitTest(QPoint at, QSize client);
// The same for a press on the title bar at `at` (the bar's coordinates): its
// top 5 rows resize the top edge, and the corners at the form's sides.
Qt::Edges TitleBarHitTest(QPoint at, int formClientWidth);

// The form's window shape: its client rectangle with the two top corners
// rounded by a corner ellipse `round` wide and high; the whole rectangle
// for 0.
QRegion TitleBarWindowRegion(QSize client, int round);

// The pieces of the form's border in BorderColor: left, bottom and right
// strips, and the top line a pen of that width draws along the top edge.
struct FrameBorder {
    QRect left, bottom, right, top;
};
FrameBorder FrameBorderPieces(QSize client, int borderWidth);

// The mouse cursor over a place that resizes those edges.
Qt::CursorShape CursorForEdges(Qt::Edges edges);

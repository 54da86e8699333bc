#include "skin_controls/frame/window_shape.h"

#include <algorithm>
#include <cmath>

QRect FrameBounds(QSize client, int borderWidth, bool titleBarVisible)
{
    const int top = titleBarVisible ? 0 : borderWidth;
    return QRect(borderWidth, top, client.width() - 2 * borderWidth, client.height() - borderWidth - top);
}

QSize FormSizeAroundFrame(QSize frame, int borderWidth, bool titleBarVisible)
{
    const int top = titleBarVisible ? 0 : borderWidth;
    return QSize(frame.width() + 2 * borderWidth, frame.height() + borderWidth + top);
}

Qt::Edges FormHitTest(QPoint at, QSize client)
{
    const bool left = at.x() <= 4, top = at.y() <= 4;
    const bool right = at.x() > client.width() - 5, bottom = at.y() > client.height() - 5;
    if (left && top)
        return Qt::TopEdge | Qt::LeftEdge;
    if (right && top)
        return Qt::TopEdge | Qt::RightEdge;
    if (right && bottom)
        return Qt::BottomEdge | Qt::RightEdge;
    if (left && bottom)
        return Qt::BottomEdge | Qt::LeftEdge;
    if (left)
        return Qt::LeftEdge;
    if (top)
        return Qt::TopEdge;
    if (right)
        return Qt::RightEdge;
    if (bottom)
        return Qt::BottomEdge;
    return {};
}

Qt::Edges TitleBarHitTest(QPoint at, int formClientWidth)
{
    if (at.y() > 4)
        return {};
    if (at.x() <= 4)
        return Qt::TopEdge | Qt::LeftEdge;
    if (at.x() > formClientWidth - 5)
        return Qt::TopEdge | Qt::RightEdge;
    return Qt::TopEdge;
}

QRegion TitleBarWindowRegion(QSize client, int round)
{
    const QRect whole(QPoint(0, 0), client);
    if (round <= 0)
        return QRegion(whole);
    // The rounded rectangle reaches one pixel past the client's right edge,
    // so its right corner is cut one pixel further out.
    const int right = client.width() + 1;
    const double r = round / 2.0;
    QRegion region;
    const int rows = std::min(int(std::ceil(r)), client.height());
    for (int y = 0; y < rows; ++y) {
        const double dy = r - (y + 0.5);
        const int inset = std::max(0, int(std::lround(r - std::sqrt(std::max(0.0, r * r - dy * dy)))));
        region += QRect(QPoint(inset, y), QPoint(std::min(right - 1 - inset, client.width() - 1), y));
    }
    region += QRect(0, rows, client.width(), client.height() - rows);
    return region & whole;
}

FrameBorder FrameBorderPieces(QSize client, int borderWidth)
{
    const int w = client.width(), h = client.height();
    FrameBorder b;
    b.left = QRect(0, 0, borderWidth, h);
    b.bottom = QRect(0, h - borderWidth, w, borderWidth);
    b.right = QRect(w - borderWidth, 0, borderWidth, h);
    // A wide pen is centred on its line: half of it lies above the window.
    b.top = QRect(0, 0, w, borderWidth - borderWidth / 2);
    return b;
}

Qt::CursorShape CursorForEdges(Qt::Edges edges)
{
    const bool top = edges & Qt::TopEdge, bottom = edges & Qt::BottomEdge;
    const bool left = edges & Qt::LeftEdge, right = edges & Qt::RightEdge;
    if ((top && left) || (bottom && right))
        return Qt::SizeFDiagCursor;
    if ((top && right) || (bottom && left))
        return Qt::SizeBDiagCursor;
    if (left || right)
        return Qt::SizeHorCursor;
    if (top || bottom)
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

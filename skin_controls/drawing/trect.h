#pragma once

// A rectangle as the drawing rules give it: left and top inside, right and
// bottom just outside (a 10 x 10 square at the origin is (0, 0, 10, 10)).

#include <QRect>

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;

    int width() const { return Right - Left; }
    int height() const { return Bottom - Top; }
    bool isEmpty() const { return Right <= Left || Bottom <= Top; }
    // The covered pixels as a QRect (whose right and bottom are inside).
    QRect toQRect() const { return QRect(Left, Top, width(), height()); }
    static TRect fromQRect(const QRect &r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
    bool operator==(const TRect &) const = default;
};

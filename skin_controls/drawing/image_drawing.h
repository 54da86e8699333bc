#pragma once

// Drawing a picture the way an image list does: with one colour keyed out,
// and in the platform's disabled rendering when asked.

#include <QImage>
#include <QPoint>
#include <QRgb>

class QPainter;

// An ARGB copy in which every pixel of colour key is see-through.
QImage KeyedOut(const QImage &picture, QRgb key);
// Pure magenta marks the pixels a skin picture leaves see-through, as in
// rounded corners: the picture with them keyed out.
QImage SeeThroughKeyed(const QImage &picture);

// enabled false: the picture as the desktop style draws a disabled icon.
void DrawImageListPicture(QPainter &canvas, QPoint at, const QImage &picture, bool enabled);

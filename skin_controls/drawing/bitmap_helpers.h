#pragma once

// Bitmap steps shared by the skinned controls.

#include "skin_controls/drawing/trect.h"

#include <QImage>

class QPainter;
class QWidget;

// Spreads a small picture over rect as a nine-part grid: the four corners
// kept at their size, the edges and the centre stretched from the picture's
// middle bands. The grid is anchored at the canvas origin and at rect's right
// and bottom. Corners key out magenta only when masked; edges and centre
// always do.
void SpreadBitmap(const QImage &bitmap, QPainter &canvas, const TRect &rect, bool masked);

// Turns the picture a quarter: old pixel (x, y) lands at (y, old width - 1 - x).
void RotateBitmap90(QImage &bitmap);

// target := frame frameIndex (from 1) of frameCount equal frames side by side
// in source; each frame is source width div frameCount wide. Throws
// std::out_of_range for a frame count below 1 or an index outside the frames.
void CutBitmapFrame(const QImage &source, QImage &target, int frameCount, int frameIndex);

// Paints what the control's parent shows under the control (the parent's
// background and its own painting, not its other children), in the
// control's coordinates. Nothing without a parent.
void PaintParentBackground(QPainter &canvas, const QWidget *control);

#pragma once

// Drawing helpers for the picture generators: gradients, rounded boxes,
// shadows and labels, always antialiased.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace pictures {

// A painter with antialiasing for shapes and text.
void Smooth(QPainter &p);

QImage Canvas(int width, int height, const QColor &fill);
// The part of a picture under rect (what a control placed there lies on).
QImage Under(const QImage &background, const QRect &rect);

QColor Mix(const QColor &a, const QColor &b, qreal t);

void FillVertical(QPainter &p, const QRectF &rect, const QColor &top, const QColor &bottom, qreal radius = 0);
// A rounded box with a vertical gradient and a one-pixel border (no border when border is invalid).
void RoundedBox(QPainter &p, const QRectF &rect, qreal radius, const QColor &top, const QColor &bottom,
                const QColor &border = QColor());
// A soft shadow below and around rect.
void Shadow(QPainter &p, const QRectF &rect, qreal radius, int spread, int alpha);
void HLine(QPainter &p, qreal x1, qreal x2, qreal y, const QColor &color);
void VLine(QPainter &p, qreal x, qreal y1, qreal y2, const QColor &color);

// Text in the program's sans-serif face; size in pixels.
QFont Face(int pixelSize, bool bold = false);
void Label(QPainter &p, const QRectF &rect, const QString &text, int pixelSize, bool bold, const QColor &color,
           Qt::Alignment align = Qt::AlignCenter);

// Paints the corners outside a rounded rectangle of the whole picture magenta,
// so a window drawn from it gets round corners.
void SeeThroughCorners(QImage &image, int radius);

} // namespace pictures

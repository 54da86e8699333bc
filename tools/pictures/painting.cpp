#include "tools/pictures/painting.h"

#include "tools/pictures/palette.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace pictures {

void Smooth(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QImage Canvas(int width, int height, const QColor &fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QImage Under(const QImage &background, const QRect &rect)
{
    QImage out = Canvas(rect.width(), rect.height(), palette::kBody);
    QPainter p(&out);
    p.drawImage(QPoint(0, 0), background, rect);
    return out;
}

QColor Mix(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

void FillVertical(QPainter &p, const QRectF &rect, const QColor &top, const QColor &bottom, qreal radius)
{
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    if (radius > 0)
        p.drawRoundedRect(rect, radius, radius);
    else
        p.drawRect(rect);
    p.restore();
}

void RoundedBox(QPainter &p, const QRectF &rect, qreal radius, const QColor &top, const QColor &bottom,
                const QColor &border)
{
    FillVertical(p, rect, top, bottom, radius);
    if (!border.isValid())
        return;
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(border, 1));
    p.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

void Shadow(QPainter &p, const QRectF &rect, qreal radius, int spread, int alpha)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = spread; i > 0; --i) {
        QColor c(0, 0, 0, alpha * (spread - i + 1) / (spread * spread));
        p.setPen(QPen(c, 1));
        p.drawRoundedRect(rect.adjusted(-i, -i + 1, i, i + 1), radius + i, radius + i);
    }
    p.restore();
}

void HLine(QPainter &p, qreal x1, qreal x2, qreal y, const QColor &color)
{
    p.fillRect(QRectF(x1, y, x2 - x1, 1), color);
}

void VLine(QPainter &p, qreal x, qreal y1, qreal y2, const QColor &color)
{
    p.fillRect(QRectF(x, y1, 1, y2 - y1), color);
}

QFont Face(int pixelSize, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

void Label(QPainter &p, const QRectF &rect, const QString &text, int pixelSize, bool bold, const QColor &color,
           Qt::Alignment align)
{
    p.save();
    p.setFont(Face(pixelSize, bold));
    p.setPen(color);
    p.drawText(rect, static_cast<int>(align), text);
    p.restore();
}

void SeeThroughCorners(QImage &image, int radius)
{
    QPainterPath inside;
    inside.addRoundedRect(QRectF(0, 0, image.width(), image.height()), radius, radius);
    for (int y = 0; y < radius; ++y)
        for (int x = 0; x < image.width(); ++x) {
            for (int row : {y, image.height() - 1 - y})
                if ((x < radius || x >= image.width() - radius) && !inside.contains(QPointF(x + 0.5, row + 0.5)))
                    image.setPixelColor(x, row, palette::kSeeThrough);
        }
}

} // namespace pictures

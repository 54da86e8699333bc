#include "skin_controls/drawing/image_drawing.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

QImage KeyedOut(const QImage &picture, QRgb key)
{
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb opaqueKey = key | 0xFF000000u;
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] | 0xFF000000u) == opaqueKey)
                line[x] = 0;
    }
    return out;
}

QImage SeeThroughKeyed(const QImage &picture)
{
    return picture.isNull() ? picture : KeyedOut(picture, 0xFF00FF);
}

void DrawImageListPicture(QPainter &canvas, QPoint at, const QImage &picture, bool enabled)
{
    if (picture.isNull())
        return;
    if (enabled) {
        canvas.drawImage(at, picture);
        return;
    }
    const QPixmap pixmap = QPixmap::fromImage(picture);
    QStyleOption option;
    option.palette = QApplication::palette();
    canvas.drawPixmap(at, QApplication::style()->generatedIconPixmap(QIcon::Disabled, pixmap, &option));
}

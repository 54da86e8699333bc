#include "main/image_button.h"

#include <QPainter>
#include <stdexcept>

ImageButton::ImageButton(const QString &name, QWidget *parent) : QAbstractButton(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
}

void ImageButton::setPictures(QImage normal, QImage mouseOn, QImage disabled)
{
    m_normal = std::move(normal);
    m_mouseOn = std::move(mouseOn);
    m_disabled = std::move(disabled);
    update();
}

void ImageButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QImage &picture = !isEnabled() ? m_disabled : (underMouse() || isDown()) ? m_mouseOn : m_normal;
    if (!picture.isNull())
        painter.drawImage(rect(), picture);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

QImage LoadPicture(const QString &path)
{
    QImage image(path);
    if (image.isNull())
        throw std::runtime_error(QStringLiteral("Cannot open file \"%1\".").arg(path).toStdString());
    return image;
}

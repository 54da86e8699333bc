#include "skin_controls/controls/image_button.h"

#include "skin_controls/drawing/image_drawing.h"

#include <QPainter>

TsuiImageButton::TsuiImageButton(QWidget *parent) : TsuiCustomButton(parent)
{
    applyOwnerStyle();
}

TsuiImageButton::TsuiImageButton(const QString &name, QWidget *parent) : TsuiImageButton(parent)
{
    setObjectName(name);
}

void TsuiImageButton::setPicture(TsuiPicture &own, const TsuiPicture &picture)
{
    own = picture;
    AutoSizeChanged();
    update();
}

void TsuiImageButton::setPicNormal(const TsuiPicture &picture)
{
    setPicture(m_normal, picture);
}

void TsuiImageButton::setPicMouseOn(const TsuiPicture &picture)
{
    setPicture(m_mouseOn, picture);
}

void TsuiImageButton::setPicMouseDown(const TsuiPicture &picture)
{
    setPicture(m_mouseDown, picture);
}

void TsuiImageButton::setPicDisabled(const TsuiPicture &picture)
{
    setPicture(m_disabled, picture);
}

void TsuiImageButton::setStretch(bool on)
{
    m_stretch = on;
    update();
}

void TsuiImageButton::setDrawFocused(bool on)
{
    m_drawFocused = on;
    update();
}

void TsuiImageButton::AutoSizeChanged()
{
    if (parentWidget() && AutoSize() && m_normal.hasGraphic())
        resize(m_normal.size());
}

void TsuiImageButton::DrawPicture(QPainter &canvas, const QImage &picture)
{
    if (picture.isNull())
        return;
    // The colour of the top-left pixel is see-through only on a transparent button.
    const QImage shown = pictureTransparent() ? KeyedOut(picture, picture.pixel(0, 0)) : picture;
    if (Stretch())
        canvas.drawImage(rect(), shown);
    else
        canvas.drawImage(QPoint(0, 0), shown);
}

void TsuiImageButton::DrawFocusRect(QPainter &canvas)
{
    if (m_drawFocused)
        TsuiCustomButton::DrawFocusRect(canvas);
}

void TsuiImageButton::copyOwnOrNormal(const TsuiPicture &own, QImage &bitmap) const
{
    if (own.hasGraphic())
        bitmap = own.bitmap();
    else if (m_normal.hasGraphic())
        bitmap = m_normal.bitmap();
}

void TsuiImageButton::GetPicNormal(QImage &bitmap)
{
    if (m_normal.hasGraphic())
        bitmap = m_normal.bitmap();
}

void TsuiImageButton::GetPicMouseOn(QImage &bitmap)
{
    copyOwnOrNormal(m_mouseOn, bitmap);
}

void TsuiImageButton::GetPicMouseDown(QImage &bitmap)
{
    copyOwnOrNormal(m_mouseDown, bitmap);
}

void TsuiImageButton::GetPicDisabled(QImage &bitmap)
{
    copyOwnOrNormal(m_disabled, bitmap);
}

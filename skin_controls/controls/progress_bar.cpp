#include "skin_controls/controls/progress_bar.h"

#include "skin_controls/drawing/bitmap_helpers.h"
#include "skin_controls/drawing/pixel_rules.h"
#include "skin_controls/theme/file_theme_link.h"
#include "skin_controls/theme/owner_style.h"
#include "skin_controls/theme/theme_lookup.h"

#include <QMouseEvent>
#include <QPainter>
#include <exception>

namespace {

constexpr int kThickness = 12;
constexpr int kCaptionPixels = 9;

} // namespace

int64_t ProgressPercentage(int32_t min, int32_t max, int32_t position)
{
    if (min == max)
        return 0;
    // 64 bits: a wide range times 100 must not wrap round.
    return (int64_t(position) - min) * 100 / (int64_t(max) - min);
}

int ProgressFilledLength(int32_t min, int32_t max, int32_t position, int length)
{
    if (min >= max || min >= position)
        return 0;
    if (position > max)
        return length;
    return int(int64_t(length) * (int64_t(position) - min) / (int64_t(max) - min));
}

QImage PaintProgressBar(QSize size, const ProgressBarLook &look)
{
    const bool vertical = look.orientation == TsuiProgressBarOrientation::suiVertical;
    QSize bitmapSize = size;
    if (!look.picture.isNull()) {
        if (vertical)
            bitmapSize.setWidth(look.picture.width() + 2);
        else
            bitmapSize.setHeight(look.picture.height() + 2);
    }
    QImage bitmap(bitmapSize.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    bitmap.fill(look.color);
    QPainter canvas(&bitmap);
    const int w = bitmapSize.width(), h = bitmapSize.height();
    if (vertical) {
        int top = (h - 1) - ProgressFilledLength(look.min, look.max, look.position, h - 1);
        if (top == 0)
            top = 1;
        // Mirrored top to bottom: the picture fills upward from the bottom.
        if (!look.picture.isNull() && h - 1 - top > 0)
            canvas.drawImage(QRect(1, top, w - 2, h - 1 - top), look.picture.mirrored(false, true));
        FillRectColor(canvas, {1, 1, w - 1, top}, look.color);
    } else {
        int filled = ProgressFilledLength(look.min, look.max, look.position, w - 1);
        if (filled == 0)
            filled = 1;
        if (!look.picture.isNull() && filled > 1)
            canvas.drawImage(QRect(1, 1, filled - 1, h - 2), look.picture);
        FillRectColor(canvas, {filled, 1, w - 1, h - 1}, look.color);
    }
    if (look.showCaption && !(look.smartShowCaption && look.position == look.min)) {
        // The surface's own small font, not the control's: its digits keep a
        // clear row to the border of the 12-pixel bar.
        QFont font;
        font.setPixelSize(kCaptionPixels);
        canvas.setFont(font);
        const QFontMetrics metrics(canvas.font());
        const int tw = metrics.horizontalAdvance(look.text), th = metrics.height();
        canvas.setPen(look.caption);
        canvas.drawText(QRect((w - tw) / 2, (h - th) / 2, tw, th), Qt::AlignLeft | Qt::AlignTop, look.text);
    }
    FrameRectColor(canvas, {0, 0, size.width(), size.height()}, look.border);
    return bitmap;
}

TsuiProgressBar::TsuiProgressBar(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    updateSize(150);
    setColor(m_color);
    setUIStyle(GetOwnerUIStyle(OwnerForm(parent)));
    updateCaption();
}

TsuiProgressBar::TsuiProgressBar(const QString &name, QWidget *parent) : TsuiProgressBar(parent)
{
    setObjectName(name);
}

void TsuiProgressBar::setMax(int32_t max)
{
    m_max = max;
    updateCaption();
}

void TsuiProgressBar::setMin(int32_t min)
{
    m_min = min;
    updateCaption();
}

void TsuiProgressBar::setPosition(int32_t position)
{
    m_position = position;
    updateCaption();
}

void TsuiProgressBar::setUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    applyStyle();
}

void TsuiProgressBar::setFileTheme(TsuiFileTheme *theme)
{
    LinkFileTheme(this, m_fileTheme, theme, [this] { setUIStyle(TsuiUIStyle::DeepBlue); });
    setUIStyle(m_uiStyle);
}

void TsuiProgressBar::setOrientation(TsuiProgressBarOrientation orientation)
{
    m_orientation = orientation;
    applyStyle();
    updateSize(std::max(width(), height()));
}

void TsuiProgressBar::setBorderColor(TColor color)
{
    m_borderColor = color;
    update();
}

void TsuiProgressBar::setColor(TColor color)
{
    m_color = color;
    update();
}

void TsuiProgressBar::setCaptionColor(TColor color)
{
    m_captionColor = color;
    update();
}

void TsuiProgressBar::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void TsuiProgressBar::setShowCaption(bool on)
{
    m_showCaption = on;
    update();
}

void TsuiProgressBar::setSmartShowCaption(bool on)
{
    m_smartShowCaption = on;
    update();
}

ProgressBarLook TsuiProgressBar::look() const
{
    const QPalette p = palette();
    ProgressBarLook look;
    look.orientation = m_orientation;
    look.min = m_min;
    look.max = m_max;
    look.position = m_position;
    look.picture = m_picture;
    look.color = TsuiColorToQColor(m_color, p);
    look.border = TsuiColorToQColor(m_borderColor, p);
    look.caption = TsuiColorToQColor(m_captionColor, p);
    look.showCaption = m_showCaption;
    look.smartShowCaption = m_smartShowCaption;
    look.text = m_text;
    return look;
}

void TsuiProgressBar::applyStyle()
{
    try {
        ResolveThemeBitmap(m_fileTheme, m_uiStyle, 24, m_picture);
    } catch (const std::exception &) {
        // Without its picture the bar still shows the rest and the caption.
        m_picture = QImage();
    }
    setColor(ResolveThemeColor(m_fileTheme, m_uiStyle, 26));
    setBorderColor(ResolveThemeColor(m_fileTheme, m_uiStyle, 25));
    if (m_orientation == TsuiProgressBarOrientation::suiVertical && !m_picture.isNull())
        RotateBitmap90(m_picture);
    update();
}

void TsuiProgressBar::updateCaption()
{
    m_text = QString::number(ProgressPercentage(m_min, m_max, m_position)) + QLatin1Char('%');
    update();
}

void TsuiProgressBar::updateSize(int length)
{
    // The bar refuses any other thickness.
    if (m_orientation == TsuiProgressBarOrientation::suiHorizontal) {
        setMinimumSize(0, kThickness);
        setMaximumSize(QWIDGETSIZE_MAX, kThickness);
        resize(length, kThickness);
    } else {
        setMinimumSize(kThickness, 0);
        setMaximumSize(kThickness, QWIDGETSIZE_MAX);
        resize(kThickness, length);
    }
}

void TsuiProgressBar::paintEvent(QPaintEvent *)
{
    if (m_orientation == TsuiProgressBarOrientation::suiVertical)
        m_showCaption = false;
    QPainter(this).drawImage(QPoint(0, 0), PaintProgressBar(size(), look()));
}

void TsuiProgressBar::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

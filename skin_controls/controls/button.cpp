#include "skin_controls/controls/button.h"

#include "skin_controls/drawing/bitmap_helpers.h"
#include "skin_controls/drawing/image_drawing.h"
#include "skin_controls/theme/theme_lookup.h"

#include <QFontMetrics>
#include <QPainter>

GlyphPlacement PlaceGlyph(TsuiGlyphLayout layout, QSize button, QSize text, QSize glyph, int spacing)
{
    const int W = button.width(), H = button.height(), tw = text.width(), th = text.height();
    const int gw = glyph.width(), gh = glyph.height(), S = spacing;
    GlyphPlacement p;
    switch (layout) {
    case TsuiGlyphLayout::GlyphLeft:
        p.glyph = {(W - (tw + gw + S)) / 2, (H - gh) / 2};
        p.caption = {p.glyph.x() + gw + S, (H - th) / 2};
        break;
    case TsuiGlyphLayout::GlyphRight:
        p.glyph = {(W + tw + S - gw) / 2, (H - gh) / 2};
        p.caption = {p.glyph.x() - tw - S, (H - th) / 2};
        break;
    case TsuiGlyphLayout::GlyphTop:
        p.glyph = {(W - gw) / 2, (H - (th + gh + S)) / 2};
        p.caption = {(W - tw) / 2, p.glyph.y() + gh + S};
        break;
    case TsuiGlyphLayout::GlyphBottom:
        p.glyph = {(W - gw) / 2, (H + th + S - gh) / 2};
        p.caption = {(W - tw) / 2, p.glyph.y() - th - S};
        break;
    }
    return p;
}

TsuiButton::TsuiButton(QWidget *parent) : TsuiCustomButton(parent)
{
    resize(80, 27);
    applyOwnerStyle();
}

void TsuiButton::setGlyph(const QImage &glyph)
{
    m_glyph = glyph;
    update();
}

void TsuiButton::setLayout(TsuiGlyphLayout layout)
{
    m_layout = layout;
    update();
}

void TsuiButton::setSpacing(int spacing)
{
    m_spacing = spacing;
    update();
}

void TsuiButton::UIStyleChanged()
{
    setTransparent(ResolveThemeBool(FileTheme(), UIStyle(), 2));
}

void TsuiButton::DrawFocusRect(QPainter &canvas)
{
    // These styles show focus by a bold caption instead of a frame.
    if (UIStyle() == TsuiUIStyle::MacOS || UIStyle() == TsuiUIStyle::BlueGlass)
        setBoldOnce();
    else
        TsuiCustomButton::DrawFocusRect(canvas);
}

void TsuiButton::DrawPicture(QPainter &canvas, const QImage &picture)
{
    canvas.setFont(font());
    SpreadBitmap(picture, canvas, TRect::fromQRect(rect()), pictureTransparent());
    if (m_glyph.isNull())
        return;
    const QFontMetrics metrics(font());
    const QSize text(metrics.horizontalAdvance(Caption()), metrics.height());
    const bool twoFrames = m_glyph.width() == 2 * m_glyph.height();
    const QSize glyph(twoFrames ? m_glyph.height() : m_glyph.width(), m_glyph.height());
    const GlyphPlacement at = PlaceGlyph(m_layout, size(), text, glyph, m_spacing);
    m_captionAt = at.caption;
    const QPoint glyphAt = isPressed() ? at.glyph + QPoint(1, 1) : at.glyph;
    const QImage keyed = KeyedOut(m_glyph, m_glyph.pixel(0, 0));
    if (twoFrames)
        canvas.drawImage(glyphAt, keyed.copy(isEnabled() ? 0 : glyph.width(), 0, glyph.width(), glyph.height()));
    else
        DrawImageListPicture(canvas, glyphAt, keyed, isEnabled());
}

void TsuiButton::DrawCaption(QPainter &canvas, const QString &caption)
{
    if (m_glyph.isNull()) {
        TsuiCustomButton::DrawCaption(canvas, caption);
        return;
    }
    canvas.setBrush(Qt::NoBrush);
    canvas.setFont(font());
    const auto draw = [&](QPoint at, const QColor &color) {
        canvas.setPen(color);
        canvas.drawText(QRect(at, QPoint(width() - 1, height() - 1)),
                        Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
    };
    if (!isEnabled()) {
        draw(m_captionAt + QPoint(1, 1), Qt::white);
        draw(m_captionAt, QColor(0x80, 0x80, 0x80));
        return;
    }
    draw(isPressed() ? m_captionAt + QPoint(1, 1) : m_captionAt, palette().color(QPalette::WindowText));
}

#pragma once

// A button drawn from the style's three-frame button picture spread over its
// size, with an optional glyph beside, above or below the caption.

#include "skin_controls/controls/custom_button.h"

#include <QPoint>
#include <QSize>

enum class TsuiGlyphLayout { GlyphLeft = 0, GlyphRight = 1, GlyphTop = 2, GlyphBottom = 3 };

struct GlyphPlacement {
    QPoint glyph;
    QPoint caption;
};

// Where glyph and caption go on a button of that size (integer halves
// truncate toward zero).
GlyphPlacement PlaceGlyph(TsuiGlyphLayout layout, QSize button, QSize text, QSize glyph, int spacing);

class TsuiButton : public TsuiCustomButton {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ UIStyle WRITE setUIStyle)
    Q_PROPERTY(TsuiFileTheme *FileTheme READ FileTheme WRITE setFileTheme)
    Q_PROPERTY(int Spacing READ Spacing WRITE setSpacing)
    Q_PROPERTY(uint ResHandle READ ResHandle WRITE setResHandle)

public:
    explicit TsuiButton(QWidget *parent = nullptr);

    // A glyph twice as wide as high holds two frames: enabled, disabled.
    const QImage &Glyph() const { return m_glyph; }
    void setGlyph(const QImage &glyph);
    TsuiGlyphLayout Layout() const { return m_layout; }
    void setLayout(TsuiGlyphLayout layout);
    // Pixels between glyph and caption.
    int Spacing() const { return m_spacing; }
    void setSpacing(int spacing);
    // Kept for stored window descriptions: reads 0, writes change nothing.
    uint ResHandle() const { return 0; }
    void setResHandle(uint) {}

protected:
    void UIStyleChanged() override;
    void DrawPicture(QPainter &canvas, const QImage &picture) override;
    void DrawCaption(QPainter &canvas, const QString &caption) override;
    void DrawFocusRect(QPainter &canvas) override;

private:
    QImage m_glyph;
    TsuiGlyphLayout m_layout = TsuiGlyphLayout::GlyphLeft;
    QPoint m_captionAt;
    int m_spacing = 4;
};

#pragma once

// A button of four pictures: normal, pointer over it, held down and
// disabled. A state without its own picture shows the normal one.

#include "skin_controls/controls/custom_button.h"
#include "skin_controls/controls/tsui_picture.h"

class TsuiImageButton : public TsuiCustomButton {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ UIStyle WRITE setUIStyle)
    Q_PROPERTY(bool Stretch READ Stretch WRITE setStretch)
    Q_PROPERTY(bool DrawFocused READ DrawFocused WRITE setDrawFocused)

public:
    explicit TsuiImageButton(QWidget *parent = nullptr);
    TsuiImageButton(const QString &name, QWidget *parent);

    // The pictures do not depend on a style.
    TsuiUIStyle UIStyle() const override { return TsuiUIStyle::FromThemeFile; }

    // The writers copy the picture, size the button to it when AutoSize is
    // on, and repaint.
    void setPicNormal(const TsuiPicture &picture);
    void setPicMouseOn(const TsuiPicture &picture);
    void setPicMouseDown(const TsuiPicture &picture);
    void setPicDisabled(const TsuiPicture &picture);
    // The picture objects themselves: what is loaded into them shows at the
    // next paint, without a size change or a repaint of its own.
    TsuiPicture &PicNormal() { return m_normal; }
    TsuiPicture &PicMouseOn() { return m_mouseOn; }
    TsuiPicture &PicMouseDown() { return m_mouseDown; }
    TsuiPicture &PicDisabled() { return m_disabled; }

    bool Stretch() const { return m_stretch; }
    void setStretch(bool on);
    // Draw the dotted focus frame while focused.
    bool DrawFocused() const { return m_drawFocused; }
    void setDrawFocused(bool on);

protected:
    void AutoSizeChanged() override;
    void DrawPicture(QPainter &canvas, const QImage &picture) override;
    void DrawFocusRect(QPainter &canvas) override;
    void GetPicNormal(QImage &bitmap) override;
    void GetPicMouseOn(QImage &bitmap) override;
    void GetPicMouseDown(QImage &bitmap) override;
    void GetPicDisabled(QImage &bitmap) override;

private:
    void setPicture(TsuiPicture &own, const TsuiPicture &picture);
    void copyOwnOrNormal(const TsuiPicture &own, QImage &bitmap) const;

    TsuiPicture m_normal, m_mouseOn, m_mouseDown, m_disabled;
    bool m_stretch = false;
    bool m_drawFocused = false;
};

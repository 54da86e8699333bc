#pragma once

// The proxy style through which a TsuiPopupMenu and its submenus measure and
// paint their items, their background and their border.

#include <QPointer>
#include <QProxyStyle>

class TsuiPopupMenu;

class TsuiMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit TsuiMenuStyle(TsuiPopupMenu *menu);

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contents,
                           const QWidget *widget) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override;

private:
    QPointer<TsuiPopupMenu> m_menu;
};

#pragma once

// The proxy style through which a skinned menu and its submenus measure and
// paint their items, their background and their border, in the look of the
// menu's appearance.

#include <QPointer>
#include <QProxyStyle>

class QFont;
class QMenu;
class TsuiMenuAppearance;

class TsuiMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Lives as a child of owner, whose appearance it draws.
    TsuiMenuStyle(QObject *owner, const TsuiMenuAppearance *appearance);

    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contents,
                           const QWidget *widget) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override;

private:
    const TsuiMenuAppearance *appearance() const { return m_owner ? m_appearance : nullptr; }

    QPointer<QObject> m_owner;
    const TsuiMenuAppearance *m_appearance;
};

// A menu measures its items with its own font: keep it the drawing font, and
// have it measure again.
void RelayoutSkinnedMenu(QMenu *menu, const QFont &font);

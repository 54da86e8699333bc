#pragma once

// The menu bar of a skinned form frame: one button per top-level item of the
// frame's main menu, which drops the item's list down. A hot or open button
// is drawn in the menu's selection colours (or the MacOS picture).

#include "skin_controls/drawing/trect.h"

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QPointer>
#include <QWidget>

class QAction;
class TsuiMainMenu;

struct MenuBarLook {
    bool macOS = false;
    QFont font;
    QColor fontColor;      // a button neither hot nor open
    QColor bar;            // the bar's colour
    QColor selected, selectedBorder, selectedFont;
};

// One bar button in `rect`; `hot`: under the mouse, `open`: its list is down.
void PaintMenuBarButton(QPainter &canvas, const TRect &rect, const MenuBarLook &look, const QString &caption,
                        bool hot, bool open);

class TsuiMenuBarButton : public QAbstractButton {
    Q_OBJECT
public:
    TsuiMenuBarButton(QAction *item, QWidget *bar);

    QAction *item() const { return m_item; }
    bool isOpen() const { return m_open; }
    // Caption and enabled state from the item.
    void refresh();
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void dropDown();

    QPointer<QAction> m_item;
    bool m_open = false;
};

class TsuiMenuBar : public QWidget {
    Q_OBJECT
public:
    explicit TsuiMenuBar(QWidget *frame);

    // A new button for every top-level item of the menu, in menu order.
    void rebuild(TsuiMainMenu *menu);
    // Captions and enabled states from the items.
    void refresh();
    QList<TsuiMenuBarButton *> buttons() const;
    void setLook(const MenuBarLook &look);
    const MenuBarLook &look() const { return m_look; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    MenuBarLook m_look;
};

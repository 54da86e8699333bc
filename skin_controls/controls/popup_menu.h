#pragma once

// A popup menu whose items the menu measures and paints itself (through a
// proxy style), in the colours and heights of its style, each of which the
// owner may overwrite.

#include "skin_controls/controls/menu_appearance.h"

#include <QMenu>

class TsuiMenuStyle;

class TsuiPopupMenu : public QMenu, public TsuiMenuAppearance {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ UIStyle WRITE setUIStyle)
    Q_PROPERTY(TsuiFileTheme *FileTheme READ FileTheme WRITE setFileTheme)
    Q_PROPERTY(int MenuItemHeight READ MenuItemHeight WRITE setMenuItemHeight)
    Q_PROPERTY(int SeparatorHeight READ SeparatorHeight WRITE setSeparatorHeight)
    Q_PROPERTY(int BarWidth READ BarWidth WRITE setBarWidth)
    Q_PROPERTY(bool FlatMenu READ FlatMenu WRITE setFlatMenu)
    Q_PROPERTY(bool UseSystemFont READ UseSystemFont WRITE setUseSystemFont)
    Q_PROPERTY(bool OwnerDraw READ OwnerDraw WRITE setOwnerDraw)

public:
    explicit TsuiPopupMenu(QWidget *parent = nullptr);
    TsuiPopupMenu(const QString &name, QWidget *parent);
    ~TsuiPopupMenu() override;

    // The menu always draws its items itself; writes change nothing.
    bool OwnerDraw() const { return true; }
    void setOwnerDraw(bool) {}

    // Adds an item with its component name; a caption "-" makes a separator.
    QAction *addItem(const QString &name, const QString &caption);
    // Gives every submenu added so far the menu's item drawing (the menu's
    // own items have it from the start).
    void Loaded();

protected:
    void AppearanceChanged() override;
    QObject *appearanceContext() override { return this; }

private:
    TsuiMenuStyle *m_style;
};

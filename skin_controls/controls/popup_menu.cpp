#include "skin_controls/controls/popup_menu.h"

#include "skin_controls/controls/menu_style.h"
#include "skin_controls/drawing/menu_drawing.h"
#include "skin_controls/theme/owner_style.h"

#include <QCoreApplication>
#include <QEvent>

TsuiPopupMenu::TsuiPopupMenu(QWidget *parent) : QMenu(parent), m_style(new TsuiMenuStyle(this, this))
{
    HookMenuItemsDraw(this, m_style);
    setUIStyle(GetOwnerUIStyle(OwnerForm(parent)));
}

TsuiPopupMenu::TsuiPopupMenu(const QString &name, QWidget *parent) : TsuiPopupMenu(parent)
{
    setObjectName(name);
}

TsuiPopupMenu::~TsuiPopupMenu() = default;

QAction *TsuiPopupMenu::addItem(const QString &name, const QString &caption)
{
    QAction *action = caption == QLatin1String("-") ? addSeparator() : addAction(caption);
    action->setObjectName(name);
    return action;
}

void TsuiPopupMenu::Loaded()
{
    HookMenuItemsDraw(this, m_style);
}

void TsuiPopupMenu::AppearanceChanged()
{
    RelayoutSkinnedMenu(this, textFont());
}

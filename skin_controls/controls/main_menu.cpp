#include "skin_controls/controls/main_menu.h"

#include "skin_controls/controls/menu_style.h"
#include "skin_controls/drawing/menu_drawing.h"
#include "skin_controls/theme/owner_style.h"

#include <QAction>
#include <QMenu>
#include <QStyleOptionMenuItem>
#include <QVariant>
#include <QWidget>

namespace {

bool takeShortcut(const QMenu *menu, QKeyCombination key)
{
    for (QAction *action : menu->actions()) {
        if (action->menu() && takeShortcut(action->menu(), key))
            return true;
        if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut()[0] == key) {
            action->trigger();
            return true;
        }
    }
    return false;
}

} // namespace

TsuiMainMenu::TsuiMainMenu(QObject *owner) : QObject(owner), m_style(new TsuiMenuStyle(this, this))
{
    setUIStyle(GetOwnerUIStyle(owner));
    // A frame on the owner form shows this menu in its bar.
    if (auto *form = qobject_cast<QWidget *>(owner); form && form->isWindow())
        for (QObject *child : form->children())
            if (child->isWidgetType() && child->inherits("TsuiForm")) {
                child->setProperty("Menu", QVariant::fromValue(this));
                break;
            }
}

TsuiMainMenu::TsuiMainMenu(const QString &name, QObject *owner) : TsuiMainMenu(owner)
{
    setObjectName(name);
}

TsuiMainMenu::~TsuiMainMenu() = default;

QMenu *TsuiMainMenu::addMenu(const QString &name, const QString &caption)
{
    auto menu = std::make_unique<QMenu>(caption);
    menu->setObjectName(name);
    HookMenuItemsDraw(menu.get(), m_style);
    RelayoutSkinnedMenu(menu.get(), textFont());
    connect(menu->menuAction(), &QAction::changed, this, &TsuiMainMenu::MenuChanged);
    m_menus.push_back(std::move(menu));
    return m_menus.back().get();
}

QList<QAction *> TsuiMainMenu::items() const
{
    QList<QAction *> out;
    for (const auto &menu : m_menus)
        out.append(menu->menuAction());
    return out;
}

void TsuiMainMenu::Loaded()
{
    for (const auto &menu : m_menus)
        HookMenuItemsDraw(menu.get(), m_style);
    emit rebuilt();
}

void TsuiMainMenu::MenuChanged()
{
    emit itemsChanged();
}

bool TsuiMainMenu::TakeShortcut(QKeyCombination key)
{
    for (const auto &menu : m_menus)
        if (takeShortcut(menu.get(), key))
            return true;
    return false;
}

QImage TsuiMainMenu::itemImage(const QWidget *menu, const QStyleOptionMenuItem &option) const
{
    const auto *list = qobject_cast<const QMenu *>(menu);
    const QAction *action = list ? list->actionAt(option.rect.center()) : nullptr;
    if (!m_images || !action)
        return QImage();
    bool ok = false;
    const int index = action->property(kImageIndex).toInt(&ok);
    return ok && index >= 0 && index < m_images->size() ? m_images->at(index) : QImage();
}

void TsuiMainMenu::AppearanceChanged()
{
    for (const auto &menu : m_menus)
        RelayoutSkinnedMenu(menu.get(), textFont());
    emit appearanceChanged();
}

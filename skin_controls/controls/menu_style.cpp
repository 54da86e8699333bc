#include "skin_controls/controls/menu_style.h"

#include "skin_controls/controls/menu_item_painting.h"
#include "skin_controls/controls/menu_appearance.h"
#include "skin_controls/drawing/menu_drawing.h"
#include "skin_controls/drawing/pixel_rules.h"

#include <QCoreApplication>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <exception>

namespace {

// The edge of a menu that is not flat: the desktop's button shadow.
constexpr TColor kMenuEdge = kSystemColor | 16;

MenuItemInfo itemInfo(const TsuiMenuAppearance &appearance, const QStyleOptionMenuItem &option,
                      const QWidget *menu)
{
    MenuItemInfo info;
    if (option.menuItemType == QStyleOptionMenuItem::Separator) {
        info.caption = QStringLiteral("-");
        return info;
    }
    const qsizetype tab = option.text.indexOf(QLatin1Char('\t'));
    info.caption = tab < 0 ? option.text : option.text.left(tab);
    info.shortcut = tab < 0 ? QString() : option.text.mid(tab + 1);
    info.enabled = option.state & QStyle::State_Enabled;
    info.selected = option.state & QStyle::State_Selected;
    info.checked = option.checkType != QStyleOptionMenuItem::NotCheckable && option.checked;
    info.isDefault = option.menuItemType == QStyleOptionMenuItem::DefaultItem;
    info.image = appearance.itemImage(menu, option);
    return info;
}

} // namespace

TsuiMenuStyle::TsuiMenuStyle(QObject *owner, const TsuiMenuAppearance *appearance)
    : m_owner(owner), m_appearance(appearance)
{
    setParent(owner);
}

void RelayoutSkinnedMenu(QMenu *menu, const QFont &font)
{
    menu->setFont(font);
    QEvent styleChanged(QEvent::StyleChange);
    QCoreApplication::sendEvent(menu, &styleChanged);
    menu->update();
}

QSize TsuiMenuStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contents,
                                      const QWidget *widget) const
{
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    const TsuiMenuAppearance *menu = appearance();
    if (type == CT_Menu && menu)
        return contents;
    if (type != CT_MenuItem || !item || !menu)
        return QProxyStyle::sizeFromContents(type, option, contents, widget);
    const MenuItemLook look = menu->look();
    const MenuItemInfo info = itemInfo(*menu, *item, widget);
    QSize size = MeasureMenuItem(look, info);
    // The menu adds room for its widest shortcut to every row itself.
    size.rwidth() -= QFontMetrics(look.textFont).horizontalAdvance(info.shortcut);
    return size;
}

void TsuiMenuStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                const QWidget *widget) const
{
    const TsuiMenuAppearance *menu = appearance();
    if (!menu || (element != CE_MenuItem && element != CE_MenuEmptyArea)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const MenuItemLook look = menu->look();
    if (element == CE_MenuEmptyArea) {
        FillRectColor(*painter, TRect::fromQRect(option->rect), look.background);
        return;
    }
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (!item)
        return;
    painter->save();
    try {
        const MenuItemInfo info = itemInfo(*menu, *item, widget);
        DrawMenuItem(*painter, TRect::fromQRect(item->rect), look, info);
        if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
            QStyleOption arrow = *option;
            arrow.rect = QRect(item->rect.right() - 14, item->rect.top(), 10, item->rect.height());
            arrow.palette.setColor(QPalette::ButtonText, info.selected ? look.selectedFont : look.font);
            QProxyStyle::drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, widget);
        }
    } catch (const std::exception &) {
        // A missing bitmap leaves the item as far as it got; painting never fails.
    }
    painter->restore();
}

void TsuiMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                  const QWidget *widget) const
{
    const TsuiMenuAppearance *menu = appearance();
    if (menu && element == PE_PanelMenu) {
        FillRectColor(*painter, TRect::fromQRect(option->rect), menu->look().background);
        return;
    }
    if (menu && element == PE_FrameMenu) {
        if (menu->FlatMenu())
            DrawMenuBorder(*painter, TRect::fromQRect(option->rect), Qt::black, menu->flatBorderLineColor());
        else
            FrameRectColor(*painter, TRect::fromQRect(option->rect), TsuiColorToQColor(kMenuEdge, option->palette));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int TsuiMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (const TsuiMenuAppearance *menu = appearance()) {
        switch (metric) {
        case PM_MenuHMargin:
        case PM_MenuVMargin:
            return 0;
        case PM_MenuPanelWidth:
            // The flat border: its line, frame and white ring above, right
            // and below the items; otherwise a one-pixel edge.
            return menu->FlatMenu() ? 3 : 1;
        default:
            break;
        }
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

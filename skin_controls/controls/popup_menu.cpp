#include "skin_controls/controls/popup_menu.h"

#include "skin_controls/controls/menu_item_painting.h"
#include "skin_controls/controls/menu_style.h"
#include "skin_controls/drawing/menu_drawing.h"
#include "skin_controls/theme/file_theme.h"
#include "skin_controls/theme/owner_style.h"
#include "skin_controls/theme/theme_lookup.h"

#include <QCoreApplication>
#include <QEvent>

TsuiPopupMenu::TsuiPopupMenu(QWidget *parent) : QMenu(parent), m_style(new TsuiMenuStyle(this))
{
    m_style->setParent(this);
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

void TsuiPopupMenu::setUIStyle(TsuiUIStyle style)
{
    m_uiStyle = style;
    m_barWidth = 26;
    if (style == TsuiUIStyle::MacOS) {
        m_itemHeight = 20;
        m_separatorHeight = 12;
        m_separatorColor = 0;
    } else {
        m_itemHeight = 21;
        m_separatorHeight = 5;
        m_separatorColor = 0x848284;
    }
    m_barColor = ResolveThemeColor(m_fileTheme, style, 23);
    m_color = ResolveThemeColor(m_fileTheme, style, 21);
    m_fontColor = ResolveThemeColor(m_fileTheme, style, 22);
    m_selectedBorderColor = ResolveThemeColor(m_fileTheme, style, 18);
    m_selectedColor = ResolveThemeColor(m_fileTheme, style, 19);
    m_selectedFontColor = ResolveThemeColor(m_fileTheme, style, 20);
    relayout();
}

void TsuiPopupMenu::setFileTheme(TsuiFileTheme *theme)
{
    if (m_fileTheme)
        disconnect(m_fileTheme, &QObject::destroyed, this, nullptr);
    m_fileTheme = theme;
    if (theme)
        connect(theme, &QObject::destroyed, this, [this] {
            m_fileTheme = nullptr;
            setUIStyle(TsuiUIStyle::DeepBlue);
        });
    setUIStyle(m_uiStyle);
}

void TsuiPopupMenu::setMenuItemHeight(int height)
{
    if (m_uiStyle == TsuiUIStyle::MacOS)
        return;
    m_itemHeight = height;
    relayout();
}

void TsuiPopupMenu::setSeparatorHeight(int height)
{
    if (m_uiStyle == TsuiUIStyle::MacOS)
        return;
    m_separatorHeight = height;
    relayout();
}

void TsuiPopupMenu::setBarWidth(int width)
{
    m_barWidth = width;
    relayout();
}

void TsuiPopupMenu::setFlatMenu(bool on)
{
    m_flatMenu = on;
    relayout();
}

void TsuiPopupMenu::setFontName(const QString &name)
{
    m_fontName = name;
    relayout();
}

void TsuiPopupMenu::setFontSize(int points)
{
    m_fontSize = points;
    relayout();
}

void TsuiPopupMenu::setUseSystemFont(bool on)
{
    m_useSystemFont = on;
    relayout();
}

MenuItemLook TsuiPopupMenu::look() const
{
    const QPalette p = palette();
    const auto c = [&](TColor color) { return TsuiColorToQColor(color, p); };
    MenuItemLook look;
    look.macOS = m_uiStyle == TsuiUIStyle::MacOS;
    look.itemHeight = m_itemHeight;
    look.separatorHeight = m_separatorHeight;
    look.barWidth = m_barWidth;
    look.bar = c(m_barColor);
    look.background = c(m_color);
    look.separator = c(m_separatorColor);
    look.selectedBorder = c(m_selectedBorderColor);
    look.selected = c(m_selectedColor);
    look.selectedFont = c(m_selectedFontColor);
    look.font = c(m_fontColor);
    if (m_useSystemFont) {
        QColor systemText;
        SetMenuFont(look.textFont, systemText);
    } else {
        look.textFont = QFont(m_fontName, m_fontSize);
    }
    return look;
}

QColor TsuiPopupMenu::flatBorderLineColor() const
{
    return TsuiColorToQColor(ResolveThemeColor(m_fileTheme, m_uiStyle, 15), palette());
}

void TsuiPopupMenu::relayout()
{
    // The menu measures its items with its own font: keep it the drawing font.
    setFont(look().textFont);
    QEvent styleChanged(QEvent::StyleChange);
    QCoreApplication::sendEvent(this, &styleChanged);
    update();
}

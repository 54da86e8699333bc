#include "skin_controls/controls/menu_appearance.h"

#include "skin_controls/drawing/menu_drawing.h"
#include "skin_controls/theme/file_theme_link.h"
#include "skin_controls/theme/theme_lookup.h"

#include <QApplication>
#include <QStyleOptionMenuItem>

void TsuiMenuAppearance::setUIStyle(TsuiUIStyle style)
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
    AppearanceChanged();
}

void TsuiMenuAppearance::setFileTheme(TsuiFileTheme *theme)
{
    LinkFileTheme(appearanceContext(), m_fileTheme, theme, [this] { setUIStyle(TsuiUIStyle::DeepBlue); });
    setUIStyle(m_uiStyle);
}

void TsuiMenuAppearance::setMenuItemHeight(int height)
{
    if (m_uiStyle == TsuiUIStyle::MacOS)
        return;
    m_itemHeight = height;
    AppearanceChanged();
}

void TsuiMenuAppearance::setSeparatorHeight(int height)
{
    if (m_uiStyle == TsuiUIStyle::MacOS)
        return;
    m_separatorHeight = height;
    AppearanceChanged();
}

void TsuiMenuAppearance::setBarWidth(int width)
{
    m_barWidth = width;
    AppearanceChanged();
}

void TsuiMenuAppearance::setFlatMenu(bool on)
{
    m_flatMenu = on;
    AppearanceChanged();
}

void TsuiMenuAppearance::setFontName(const QString &name)
{
    m_fontName = name;
    AppearanceChanged();
}

void TsuiMenuAppearance::setFontSize(int points)
{
    m_fontSize = points;
    AppearanceChanged();
}

void TsuiMenuAppearance::setUseSystemFont(bool on)
{
    m_useSystemFont = on;
    AppearanceChanged();
}

QFont TsuiMenuAppearance::textFont() const
{
    if (!m_useSystemFont)
        return QFont(m_fontName, m_fontSize);
    QFont font;
    QColor systemText;
    SetMenuFont(font, systemText);
    return font;
}

MenuItemLook TsuiMenuAppearance::look() const
{
    const QPalette p = QApplication::palette();
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
    look.textFont = textFont();
    return look;
}

QColor TsuiMenuAppearance::flatBorderLineColor() const
{
    return TsuiColorToQColor(ResolveThemeColor(m_fileTheme, m_uiStyle, 15), QApplication::palette());
}

QImage TsuiMenuAppearance::itemImage(const QWidget *, const QStyleOptionMenuItem &option) const
{
    return option.icon.isNull() ? QImage() : option.icon.pixmap(16, 16).toImage();
}

#pragma once

// The look a skinned menu draws its items with: bar, colours, heights and
// font, set together by the style and each overwritable by the owner. The
// popup menu and the main menu both keep one; the menu style asks it how to
// measure and paint.

#include "skin_controls/controls/menu_item_painting.h"
#include "skin_controls/theme/file_theme.h"
#include "skin_controls/theme/tsui_color.h"
#include "skin_controls/theme/ui_style.h"

#include <QPointer>

class QStyleOptionMenuItem;
class QWidget;

class TsuiMenuAppearance {
public:
    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    // Sets bar width, heights and the six style colours.
    void setUIStyle(TsuiUIStyle style);
    TsuiFileTheme *FileTheme() const { return m_fileTheme; }
    // A theme that goes away turns the menu DeepBlue.
    void setFileTheme(TsuiFileTheme *theme);
    // Writes are ignored in MacOS.
    int MenuItemHeight() const { return m_itemHeight; }
    void setMenuItemHeight(int height);
    int SeparatorHeight() const { return m_separatorHeight; }
    void setSeparatorHeight(int height);
    int BarWidth() const { return m_barWidth; }
    void setBarWidth(int width);

    // The colours are stored and used at the next painting.
    TColor BarColor() const { return m_barColor; }
    void setBarColor(TColor c) { m_barColor = c; }
    TColor Color() const { return m_color; }
    void setColor(TColor c) { m_color = c; }
    TColor SeparatorColor() const { return m_separatorColor; }
    void setSeparatorColor(TColor c) { m_separatorColor = c; }
    TColor SelectedBorderColor() const { return m_selectedBorderColor; }
    void setSelectedBorderColor(TColor c) { m_selectedBorderColor = c; }
    TColor SelectedColor() const { return m_selectedColor; }
    void setSelectedColor(TColor c) { m_selectedColor = c; }
    TColor SelectedFontColor() const { return m_selectedFontColor; }
    void setSelectedFontColor(TColor c) { m_selectedFontColor = c; }
    TColor FontColor() const { return m_fontColor; }
    void setFontColor(TColor c) { m_fontColor = c; }
    // Kept for the owner; nothing draws it.
    TColor BorderColor() const { return m_borderColor; }
    void setBorderColor(TColor c) { m_borderColor = c; }

    // A flat two-line border around the open menu.
    bool FlatMenu() const { return m_flatMenu; }
    void setFlatMenu(bool on);
    const QString &FontName() const { return m_fontName; }
    void setFontName(const QString &name);
    int FontSize() const { return m_fontSize; }
    void setFontSize(int points);
    int FontCharset() const { return m_fontCharset; }
    void setFontCharset(int charset) { m_fontCharset = charset; }
    // The desktop's menu font instead of FontName and FontSize.
    bool UseSystemFont() const { return m_useSystemFont; }
    void setUseSystemFont(bool on);

    // What the item drawing uses now.
    MenuItemLook look() const;
    // The font the items are written in.
    QFont textFont() const;
    // The frame colour of the flat border's lines (the style's form background).
    QColor flatBorderLineColor() const;
    // The picture an open menu shows beside an item; by default the item's icon.
    virtual QImage itemImage(const QWidget *menu, const QStyleOptionMenuItem &option) const;

protected:
    TsuiMenuAppearance() = default;
    ~TsuiMenuAppearance() = default;

    // After every change that alters sizes or the font.
    virtual void AppearanceChanged() = 0;
    // The object whose life bounds the file theme's watch.
    virtual QObject *appearanceContext() = 0;

private:
    TsuiUIStyle m_uiStyle = TsuiUIStyle::DeepBlue;
    QPointer<TsuiFileTheme> m_fileTheme;
    int m_itemHeight = 21;
    int m_separatorHeight = 21;
    TColor m_barColor = clBtnFace;
    int m_barWidth = 0;
    TColor m_color = clWhite;
    TColor m_separatorColor = clGray;
    TColor m_selectedBorderColor = clHighlight;
    TColor m_selectedColor = clHighlight;
    TColor m_selectedFontColor = clWhite;
    TColor m_fontColor = clWhite;
    TColor m_borderColor = clBlack;
    bool m_flatMenu = false;
    QString m_fontName = QStringLiteral("MS Sans Serif");
    int m_fontSize = 8;
    int m_fontCharset = 1;
    bool m_useSystemFont = true;
};

#pragma once

// How a skinned menu measures and paints one item: a bar down the left side,
// flat colours for the background and the selected item (or the MacOS
// bitmaps), a drawn separator line, a check mark and the item's image.

#include "skin_controls/drawing/trect.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

class QPainter;

struct MenuItemLook {
    bool macOS = false; // bar, selection and separator from the MacOS bitmaps
    int itemHeight = 21;
    int separatorHeight = 5;
    int barWidth = 26;
    QColor bar, background, separator, selectedBorder, selected, selectedFont, font;
    QFont textFont;
};

struct MenuItemInfo {
    QString caption; // "-": a separator
    QString shortcut;
    bool enabled = true;
    bool selected = false;
    bool checked = false;
    bool isDefault = false;
    QImage image; // null: the item has no usable image

    bool isSeparator() const { return caption == QLatin1String("-"); }
};

// Height from the look; width: caption + shortcut text + bar width + 40.
QSize MeasureMenuItem(const MenuItemLook &look, const MenuItemInfo &item);
// Throws TsuiResourceError when a bitmap the look needs is missing.
void DrawMenuItem(QPainter &canvas, const TRect &rect, const MenuItemLook &look, const MenuItemInfo &item);

// The check mark all menus share: "MENU_CHECKED" with its white keyed out.
const QImage &MenuCheckMark();

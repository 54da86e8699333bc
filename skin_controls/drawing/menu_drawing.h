#pragma once

// The small drawing steps of skinned menus.

#include "skin_controls/drawing/trect.h"

#include <QColor>
#include <QFont>

class QMenu;
class QPainter;
class QStyle;

// Gives the menu and, recursively, all its submenus the style that measures
// and paints their items.
void HookMenuItemsDraw(QMenu *menu, QStyle *drawing);

// A horizontal line from (left + bar width + 4, top + 2) to (right - 2, top + 2), the end left out.
void DrawMenuSeparatorLine(QPainter &canvas, const TRect &rect, const QColor &color, int barWidth);
// "MACOS_MENU_BAR" cut to 12 rows and stretched over rect.
void DrawMacMenuBarSeparator(QPainter &canvas, const TRect &rect);
// "MACOS_MENU_SELECT" cut to 20 rows and stretched over rect.
void DrawMacMenuSelect(QPainter &canvas, const TRect &rect);
// "MACOS_MENU_BAR" cut to 20 rows and stretched over rect.
void DrawMacMenuBar(QPainter &canvas, const TRect &rect);

// The flat border of an open menu whose window covers `window` (in the
// canvas's coordinates): a frame, a white frame inside it, and lines in the
// line colour along the bottom, the right and the top.
void DrawMenuBorder(QPainter &canvas, const TRect &window, const QColor &frame, const QColor &line);

// The desktop's menu font and menu text colour.
void SetMenuFont(QFont &font, QColor &color);

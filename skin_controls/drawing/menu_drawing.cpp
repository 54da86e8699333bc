#include "skin_controls/drawing/menu_drawing.h"

#include "skin_controls/drawing/pixel_rules.h"
#include "skin_controls/theme/theme_resources.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>

namespace {

void stretchRows(QPainter &canvas, const TRect &rect, const char *name, int rows)
{
    const QImage bitmap = LoadThemeResource(QLatin1String(name));
    canvas.drawImage(rect.toQRect(), bitmap.copy(0, 0, bitmap.width(), rows));
}

} // namespace

void HookMenuItemsDraw(QMenu *menu, QStyle *drawing)
{
    menu->setStyle(drawing);
    for (QAction *action : menu->actions())
        if (QMenu *sub = action->menu())
            HookMenuItemsDraw(sub, drawing);
}

void DrawMenuSeparatorLine(QPainter &canvas, const TRect &rect, const QColor &color, int barWidth)
{
    LineToColor(canvas, {rect.Left + barWidth + 4, rect.Top + 2}, {rect.Right - 2, rect.Top + 2}, color);
}

void DrawMacMenuBarSeparator(QPainter &canvas, const TRect &rect)
{
    stretchRows(canvas, rect, "MACOS_MENU_BAR", 12);
}

void DrawMacMenuSelect(QPainter &canvas, const TRect &rect)
{
    stretchRows(canvas, rect, "MACOS_MENU_SELECT", 20);
}

void DrawMacMenuBar(QPainter &canvas, const TRect &rect)
{
    stretchRows(canvas, rect, "MACOS_MENU_BAR", 20);
}

void DrawMenuBorder(QPainter &canvas, const TRect &window, const QColor &frame, const QColor &line)
{
    const TRect outer{window.Left, window.Top + 1, window.Right - 1, window.Bottom - 1};
    FrameRectColor(canvas, outer, frame);
    FrameRectColor(canvas, {outer.Left + 1, outer.Top + 1, outer.Right - 1, outer.Bottom - 1}, Qt::white);
    const QPoint path[] = {{window.Left, window.Bottom - 1}, {window.Right - 1, window.Bottom - 1},
                           {window.Right - 1, window.Top}, {window.Right, window.Top}, {window.Left, window.Top}};
    PolylineColor(canvas, path, line);
}

void SetMenuFont(QFont &font, QColor &color)
{
    font = QApplication::font("QMenu");
    color = QApplication::palette("QMenu").color(QPalette::Active, QPalette::WindowText);
}

#include "skin_controls/controls/menu_item_painting.h"

#include "skin_controls/drawing/image_drawing.h"
#include "skin_controls/drawing/menu_drawing.h"
#include "skin_controls/drawing/pixel_rules.h"
#include "skin_controls/theme/theme_resources.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

void drawBarAndBackground(QPainter &canvas, const TRect &rect, const MenuItemLook &look)
{
    if (look.barWidth > 0)
        FillRectColor(canvas, {rect.Left, rect.Top, rect.Left + look.barWidth, rect.Bottom}, look.bar);
    FillRectColor(canvas, {rect.Left + look.barWidth, rect.Top, rect.Right, rect.Bottom}, look.background);
}

} // namespace

QSize MeasureMenuItem(const MenuItemLook &look, const MenuItemInfo &item)
{
    const QFontMetrics metrics(look.textFont);
    const int width =
        metrics.horizontalAdvance(item.caption) + metrics.horizontalAdvance(item.shortcut) + look.barWidth + 40;
    return {width, item.isSeparator() ? look.separatorHeight : look.itemHeight};
}

const QImage &MenuCheckMark()
{
    static QImage mark;
    if (mark.isNull())
        mark = KeyedOut(LoadThemeResource(QStringLiteral("MENU_CHECKED")), 0xFFFFFF);
    return mark;
}

void DrawMenuItem(QPainter &canvas, const TRect &rect, const MenuItemLook &look, const MenuItemInfo &item)
{
    if (item.isSeparator()) {
        if (look.macOS) {
            DrawMacMenuBarSeparator(canvas, rect);
            return;
        }
        drawBarAndBackground(canvas, rect, look);
        DrawMenuSeparatorLine(canvas, rect, look.separator, look.barWidth);
        return;
    }

    const bool selected = item.selected && item.enabled;
    if (selected && look.macOS) {
        DrawMacMenuSelect(canvas, rect);
    } else if (selected) {
        FillRectColor(canvas, rect, look.selected);
        FrameRectColor(canvas, rect, look.selectedBorder);
    } else if (look.macOS) {
        DrawMacMenuBar(canvas, rect);
    } else {
        drawBarAndBackground(canvas, rect, look);
    }

    QFont font = look.textFont;
    font.setBold(item.isDefault);
    canvas.setFont(font);
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(!item.enabled ? QColor(0x80, 0x80, 0x80) : item.selected ? look.selectedFont : look.font);
    const QFontMetrics metrics(font);
    canvas.drawText(QRect(QPoint(rect.Left + look.barWidth + 4, rect.Top + 4), QPoint(rect.Right - 1, rect.Bottom - 1)),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic, item.caption);
    if (!item.shortcut.isEmpty()) {
        const int width = metrics.horizontalAdvance(item.shortcut);
        canvas.drawText(QRect(rect.Right - width - 16, rect.Top + 4, width, metrics.height()),
                        Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, item.shortcut);
    }

    const QPoint imageAt(rect.Left + 4, rect.Top + 3);
    if (item.checked) {
        if (!item.image.isNull()) {
            FrameRectColor(canvas, {rect.Left + 2, rect.Top + 1, rect.Left + 21, rect.Top + 20}, Qt::black);
            FillRectColor(canvas, {rect.Left + 3, rect.Top + 2, rect.Left + 20, rect.Top + 19}, look.selected);
        } else {
            DrawImageListPicture(canvas, imageAt, MenuCheckMark(), item.enabled);
        }
    }
    if (!item.image.isNull())
        DrawImageListPicture(canvas, imageAt, item.image, item.enabled);
}

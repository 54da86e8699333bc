#pragma once

// The caption band of a title bar, as plain functions over its parts: the
// sections side by side, the places of the window buttons (right to left,
// the control box at the left) and the caption cut to the room between.

#include "skin_controls/drawing/trect.h"
#include "skin_controls/frame/title_bar_items.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <vector>

class QFontMetrics;
class QPainter;

// Left sections from the left edge at their widths, right ones from the
// right edge while they fit, and the (last) middle section stretched over
// what is left between. Their pure magenta pixels stay see-through.
void DrawTitleBarSections(QPainter &canvas, QSize size, const TsuiTitleBarSections &sections);

struct TitleBarButtonSlot {
    TsuiTitleBarBtnType type = TsuiTitleBarBtnType::suiCustom;
    bool visible = true;
    QSize picture;
    int top = 0;
};

struct TitleBarLayout {
    std::vector<TRect> places; // one per button; empty for a hidden one
    int hovered = -1;          // the button under the cursor
    int controlBox = -1;       // the visible control box, if any
    QPoint appIconAt;          // where the program icon goes instead of the control box
    int captionLeft = 0;
    int captionRight = 0;      // the leftmost right-hand button's left edge
};

// The buttons of a bar `width` wide; a cursor on a button's edge counts as
// over it.
TitleBarLayout LayOutTitleBarButtons(const std::vector<TitleBarButtonSlot> &buttons, int width, int leftOffset,
                                     int rightOffset, int interval, bool drawAppIcon, QPoint cursor);

// The caption as it fits `room` pixels: cut at its end and closed with
// "..." when too wide; empty when not even "..." fits.
QString FitTitleCaption(const QString &caption, const QFontMetrics &metrics, int room);

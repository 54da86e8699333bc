#pragma once

// Vector icons, drawn on a 24-unit grid scaled into any square box.

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace pictures {

enum class Icon {
    Disc, Film, Ifo, Folder, FolderOpen, Remove, Trash, CheckAll, CheckNone, Chapters, Gear,
    Play, Pause, Stop, Back, Forward, Camera, MarkBegin, MarkEnd, Scissors, Eject, Close, Globe,
    Frame, Note, Speaker, Raven, Screen, Wait, Info,
};

// color: the icon's main colour; lighter and darker shades derive from it.
void DrawIcon(QPainter &p, Icon icon, const QRectF &box, const QColor &color);

} // namespace pictures

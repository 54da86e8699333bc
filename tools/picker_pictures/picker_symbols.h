#pragma once

// Small drawings that tell a device family or an output format at a glance.
// Each is drawn into a square box; at icon size (16 px) labels are left out.

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QString>

enum class Symbol {
    Film,      // a film frame with the format's name
    Disc,      // an optical disc with its name (VCD, SVCD, DVD)
    Note,      // audio
    Ipod,
    Iphone,
    Gphone,
    AppleTv,
    Handheld,  // PSP
    Console,   // PS3
    Gamepad,   // Xbox
    Phone,     // 3GP and BlackBerry phones
    Pda,       // Pocket PC
    Player,    // portable media players
    HdTv,
    Flash,     // Flash animation
    Video,     // the video category: a film frame with a play sign
};

struct SymbolLook {
    QColor colour;  // the symbol's main colour
    QString label;  // written on film frames, discs and the HD screen; may be empty
    bool onAccent;  // drawn over the highlighted card: keep contrast with a light rim
};

void DrawSymbol(QPainter &p, Symbol symbol, const QRectF &box, const SymbolLook &look);

// The colour that marks an output format ("MP4", "AVI", ...) on film frames and chips.
QColor FormatColour(const QString &label);

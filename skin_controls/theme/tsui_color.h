#pragma once

// Colours as the skinned controls store them: $00BBGGRR, or a system colour
// with $FF in the high byte and the colour's index in the low byte.

#include <QColor>
#include <cstdint>

class QPalette;

using TColor = int32_t;

inline constexpr TColor kSystemColor = TColor(0xFF000000u);
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clWindow = kSystemColor | 5;
inline constexpr TColor clHighlight = kSystemColor | 13;
inline constexpr TColor clBtnFace = kSystemColor | 15;

// The colour to paint with: system colours come from the palette; other
// marker values (clNone, clDefault) give an invalid colour.
QColor TsuiColorToQColor(TColor color, const QPalette &palette);
// $00BBGGRR of an opaque colour.
TColor QColorToTColor(const QColor &color);

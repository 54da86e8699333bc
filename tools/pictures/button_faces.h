#pragma once

// The faces of the program's buttons in their states, drawn over the picture
// of what lies beneath them so edges blend without see-through pixels.

#include "tools/pictures/icons.h"

#include <QImage>
#include <QString>
#include <optional>

namespace pictures {

enum class FaceStyle {
    Tool,      // toolbar: icon over a label, a box only under the pointer
    Menu,      // a word on the dark title bar
    TitleIcon, // an icon on the dark title bar
    WindowClose,
    Transport, // round playback button
    Mark,      // small square button
    Primary,   // wide green button
    Danger,    // wide red button
    Busy,      // wide blue face of work in progress
    Text,      // plain boxed word
    Chooser,   // the output-format box with its arrow
};

enum class FaceState { Normal, Hover, Pressed, Disabled };

struct ButtonFace {
    FaceStyle style;
    std::optional<Icon> icon;
    QString label;
    QColor tint; // the icon's colour; invalid for the style's own
};

// A picture of under's size.
QImage DrawButtonFace(const QImage &under, const ButtonFace &face, FaceState state);

} // namespace pictures

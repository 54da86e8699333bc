#pragma once

// Which face every button of the windows wears: the main window's own image
// buttons (placed by Skin.ini) and the skin's button objects. A skin object
// that lies beneath an image button of the same command wears the same face.

#include "tools/pictures/button_faces.h"

#include <QString>
#include <span>

struct NamedFace {
    const char *name;
    pictures::ButtonFace face;
};

// The image buttons, each with a normal, a pointer-over ("on") and a disabled ("D") picture.
std::span<const NamedFace> ImageButtonFaces();
// The skin's button objects (normal, hover and pressed pictures); null for an unknown name.
const pictures::ButtonFace *SkinButtonFace(const QString &name);
// The look a skin button has while it is off, where that is not its face
// greyed: what lies beneath a hidden image button tells why it is hidden.
// Null for the others.
const pictures::ButtonFace *SkinButtonOffFace(const QString &name);

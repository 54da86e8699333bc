#pragma once

// The colours and shapes one built-in style's pictures are drawn with,
// taken from the style's own column of the theme table, so that the
// pictures and the flat colours of the controls agree.

#include "skin_controls/theme/ui_style.h"

#include <QColor>

struct StyleLook {
    TsuiUIStyle style;
    QColor accent;     // selection and focus
    QColor accentDark;
    QColor face;       // control faces
    QColor border;
    QColor light;      // top of glossy faces
    bool rounded;      // the style's buttons are see-through outside round corners
    bool glossy;       // a bright upper half
    int radius;
};

StyleLook LookOf(TsuiUIStyle style);

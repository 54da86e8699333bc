#include "tools/skin_control_pictures/style_look.h"

#include "skin_controls/theme/theme_item_table.h"
#include "tools/pictures/painting.h"

namespace {

QColor colorOf(TsuiUIStyle style, int item)
{
    const TColor c = GetInsideThemeColor(style, item);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace

StyleLook LookOf(TsuiUIStyle style)
{
    StyleLook look;
    look.style = style;
    look.accent = colorOf(style, 18);
    look.accentDark = pictures::Mix(look.accent, Qt::black, 0.35);
    look.face = colorOf(style, 15);
    const QColor border = colorOf(style, 25);
    // Pure black borders read harsh on the lighter styles; keep them dark but tinted.
    look.border = border == QColor(Qt::black) ? pictures::Mix(look.accent, Qt::black, 0.7) : border;
    look.light = pictures::Mix(look.face, Qt::white, 0.75);
    look.rounded = GetInsideThemeBool(style, 2);
    look.glossy = style == TsuiUIStyle::MacOS || style == TsuiUIStyle::BlueGlass;
    look.radius = style == TsuiUIStyle::BlueGlass ? 5 : style == TsuiUIStyle::MacOS ? 4 : 0;
    return look;
}

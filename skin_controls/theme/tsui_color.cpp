#include "skin_controls/theme/tsui_color.h"

#include <QPalette>

namespace {

struct SystemRole {
    int index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// System colour index → the palette colour that plays its part on this desktop.
// The inactive caption text (19) is the dimmed text colour: a palette's
// inactive highlighted text is mostly the active caption's white again.
constexpr SystemRole kSystemRoles[] = {
    {0, QPalette::Active, QPalette::Mid},          {1, QPalette::Active, QPalette::Window},
    {2, QPalette::Active, QPalette::Highlight},    {3, QPalette::Inactive, QPalette::Highlight},
    {4, QPalette::Active, QPalette::Window},       {5, QPalette::Active, QPalette::Base},
    {6, QPalette::Active, QPalette::Shadow},       {7, QPalette::Active, QPalette::WindowText},
    {8, QPalette::Active, QPalette::Text},         {9, QPalette::Active, QPalette::HighlightedText},
    {10, QPalette::Active, QPalette::Button},      {11, QPalette::Inactive, QPalette::Button},
    {12, QPalette::Active, QPalette::Dark},        {13, QPalette::Active, QPalette::Highlight},
    {14, QPalette::Active, QPalette::HighlightedText}, {15, QPalette::Active, QPalette::Button},
    {16, QPalette::Active, QPalette::Dark},        {17, QPalette::Disabled, QPalette::Text},
    {18, QPalette::Active, QPalette::ButtonText},  {19, QPalette::Disabled, QPalette::WindowText},
    {20, QPalette::Active, QPalette::Light},       {21, QPalette::Active, QPalette::Shadow},
    {22, QPalette::Active, QPalette::Midlight},    {23, QPalette::Active, QPalette::ToolTipText},
    {24, QPalette::Active, QPalette::ToolTipBase}, {26, QPalette::Active, QPalette::Link},
    {27, QPalette::Active, QPalette::Highlight},   {28, QPalette::Inactive, QPalette::Highlight},
    {29, QPalette::Active, QPalette::Highlight},   {30, QPalette::Active, QPalette::Window},
};

} // namespace

QColor TsuiColorToQColor(TColor color, const QPalette &palette)
{
    const uint32_t value = uint32_t(color);
    if ((value >> 24) == 0xFF) {
        for (const SystemRole &r : kSystemRoles)
            if (r.index == int(value & 0xFF))
                return palette.color(r.group, r.role);
        return palette.color(QPalette::Active, QPalette::Window);
    }
    if ((value >> 24) != 0)
        return QColor();
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

TColor QColorToTColor(const QColor &color)
{
    return TColor(color.red() | (color.green() << 8) | (color.blue() << 16));
}

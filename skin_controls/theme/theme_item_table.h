#pragma once

// The built-in theme table: 42 named items (colours, sizes, switches and
// bitmap names), one value per built-in style, and the typed lookups over it.
// The names are also the keys of the items in a theme container file.

#include "skin_controls/theme/tsui_color.h"
#include "skin_controls/theme/ui_style.h"

#include <cstdint>
#include <span>

enum class ThemeItemKind : uint8_t { Int = 0, Color = 1, Image = 2, Bool = 3 };

struct ThemeItem {
    const char *name;
    ThemeItemKind kind;
    // Int, Color and Bool items, in the order MacOS, WinXP, DeepBlue, Protein, BlueGlass.
    int32_t values[5];
    // Image items: the names of the built-in bitmaps, same order.
    const char *images[5];
};

inline constexpr int kThemeItemCount = 42;

// Item n (1 to 42) at position n - 1.
std::span<const ThemeItem> ThemeItemTable();
// The item's name; nullptr outside 1 to 42.
const char *ThemeItemName(int index);

struct ThemeItemValue {
    int32_t value;
    ThemeItemKind kind;
    const char *image; // Image items: the bitmap's name
};

// The style byte is masked with $7F. Style 0, a masked style above 5 and an
// index outside 1 to 42 give value -1 and kind Int.
ThemeItemValue GetThemeItem(uint8_t style, int index);
inline ThemeItemValue GetThemeItem(TsuiUIStyle style, int index)
{
    return GetThemeItem(uint8_t(style), index);
}

// The value when the item has that kind; else 0, -1 and false.
TColor GetInsideThemeColor(TsuiUIStyle style, int index);
int32_t GetInsideThemeInt(TsuiUIStyle style, int index);
bool GetInsideThemeBool(TsuiUIStyle style, int index);

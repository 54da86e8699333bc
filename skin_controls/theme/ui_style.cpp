#include "skin_controls/theme/ui_style.h"

const char *UIStyleName(TsuiUIStyle style)
{
    static constexpr const char *kNames[] = {"FromThemeFile", "MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass"};
    const auto n = size_t(style);
    return n < std::size(kNames) ? kNames[n] : "";
}

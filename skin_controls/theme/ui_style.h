#pragma once

// The looks a skinned control can take: five built-in styles, or the values
// of a loaded theme container file.

#include <QMetaType>
#include <array>
#include <cstdint>

enum class TsuiUIStyle : uint8_t {
    FromThemeFile = 0,
    MacOS = 1,
    WinXP = 2,
    DeepBlue = 3,
    Protein = 4,
    BlueGlass = 5,
};
Q_DECLARE_METATYPE(TsuiUIStyle)

inline constexpr std::array<TsuiUIStyle, 5> kBuiltInStyles = {TsuiUIStyle::MacOS, TsuiUIStyle::WinXP,
                                                               TsuiUIStyle::DeepBlue, TsuiUIStyle::Protein,
                                                               TsuiUIStyle::BlueGlass};

// "MacOS", "WinXP", ... ("FromThemeFile" for 0, "" for a byte outside the enumeration).
const char *UIStyleName(TsuiUIStyle style);

#pragma once

// One theme item for a control with a UIStyle and a FileTheme: from the file
// theme when the style is FromThemeFile and the theme is loaded, else from
// the built-in table (FromThemeFile without a loaded theme reads as DeepBlue).

#include "skin_controls/theme/tsui_color.h"
#include "skin_controls/theme/ui_style.h"

#include <QImage>

class TsuiFileTheme;

TColor ResolveThemeColor(const TsuiFileTheme *theme, TsuiUIStyle style, int item);
int32_t ResolveThemeInt(const TsuiFileTheme *theme, TsuiUIStyle style, int item);
bool ResolveThemeBool(const TsuiFileTheme *theme, TsuiUIStyle style, int item);
void ResolveThemeBitmap(const TsuiFileTheme *theme, TsuiUIStyle style, int item, QImage &bitmap);
void ResolveThemeBitmapFrame(const TsuiFileTheme *theme, TsuiUIStyle style, int item, QImage &bitmap,
                             int frameCount, int frameIndex);

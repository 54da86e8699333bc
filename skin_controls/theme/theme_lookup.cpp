#include "skin_controls/theme/theme_lookup.h"

#include "skin_controls/theme/file_theme.h"
#include "skin_controls/theme/theme_item_table.h"
#include "skin_controls/theme/theme_resources.h"

TColor ResolveThemeColor(const TsuiFileTheme *theme, TsuiUIStyle style, int item)
{
    TsuiUIStyle effective;
    return UsingFileTheme(theme, style, effective) ? theme->GetColor(item) : GetInsideThemeColor(effective, item);
}

int32_t ResolveThemeInt(const TsuiFileTheme *theme, TsuiUIStyle style, int item)
{
    TsuiUIStyle effective;
    return UsingFileTheme(theme, style, effective) ? theme->GetInt(item) : GetInsideThemeInt(effective, item);
}

bool ResolveThemeBool(const TsuiFileTheme *theme, TsuiUIStyle style, int item)
{
    TsuiUIStyle effective;
    return UsingFileTheme(theme, style, effective) ? theme->GetBool(item) : GetInsideThemeBool(effective, item);
}

void ResolveThemeBitmap(const TsuiFileTheme *theme, TsuiUIStyle style, int item, QImage &bitmap)
{
    TsuiUIStyle effective;
    if (UsingFileTheme(theme, style, effective))
        theme->GetBitmap(item, bitmap);
    else
        GetInsideThemeBitmap(effective, item, &bitmap);
}

void ResolveThemeBitmapFrame(const TsuiFileTheme *theme, TsuiUIStyle style, int item, QImage &bitmap,
                             int frameCount, int frameIndex)
{
    TsuiUIStyle effective;
    if (UsingFileTheme(theme, style, effective))
        theme->GetBitmapFrame(item, bitmap, frameCount, frameIndex);
    else
        GetInsideThemeBitmapFrame(effective, item, &bitmap, frameCount, frameIndex);
}

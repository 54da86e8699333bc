#pragma once

// Draws one built-in bitmap of the skinned controls at the size and with the
// frames the resource table gives it.

#include "skin_controls/theme/theme_resources.h"

#include <QImage>

QImage DrawThemeResource(const ThemeResource &resource);

#include "skin_controls/theme/file_theme_link.h"

#include "skin_controls/theme/file_theme.h"

void LinkFileTheme(QObject *context, QPointer<TsuiFileTheme> &slot, TsuiFileTheme *theme,
                   std::function<void()> whenDestroyed)
{
    if (slot)
        QObject::disconnect(slot, &QObject::destroyed, context, nullptr);
    slot = theme;
    if (theme)
        QObject::connect(theme, &QObject::destroyed, context,
                         [&slot, fallback = std::move(whenDestroyed)] {
                             slot = nullptr;
                             fallback();
                         });
}

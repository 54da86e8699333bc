#pragma once

// A control's FileTheme reference is not owned: the control forgets the theme
// when it is destroyed and falls back (normally to DeepBlue). One place keeps
// that link for every control.

#include <QPointer>
#include <functional>

class TsuiFileTheme;

// Stores theme in slot, dropping the link to the previous theme. When the new
// theme is destroyed while the context lives, slot becomes null and
// whenDestroyed runs.
void LinkFileTheme(QObject *context, QPointer<TsuiFileTheme> &slot, TsuiFileTheme *theme,
                   std::function<void()> whenDestroyed);

#pragma once

// Geometry and form helpers of the skinned frame and title bar.

#include "skin_controls/drawing/trect.h"
#include "skin_controls/theme/ui_style.h"

#include <QPoint>
#include <QString>

class QObject;
class QWidget;
class TsuiFileTheme;

// All four edges count as inside.
bool PointInRect(QPoint point, const TRect &rect);
bool PointInRectXY(int x, int y, const TRect &rect);

// The desktop area that task bars leave free, on the form's screen (the
// primary one without a form).
TRect GetWorkAreaRect(const QWidget *form = nullptr);
// Left, top, width and height of the window from rect.
void SetFormBoundsRect(QWidget *form, const TRect &rect);

bool HasPublishedProperty(const QObject *component, const char *name);
// Every direct child that publishes both "FileTheme" and "UIStyle" gets the
// theme, then the style.
void ApplyThemeToChildren(QWidget *parent, TsuiUIStyle style, TsuiFileTheme *fileTheme);
// The application's main window, as the program names it; none until then.
QWidget *ApplicationMainForm();
void SetApplicationMainForm(QWidget *form);
// Whether the window counts as the active one. Without a main form: its own
// active flag (no window: whether the application is active). With one:
// nothing while the application is inactive; the main form itself (and no
// window) always; any other window by its own active flag.
bool FormHasFocus(const QWidget *form);

QString PCharToString(const char *text);

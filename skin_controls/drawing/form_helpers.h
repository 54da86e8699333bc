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
// Whether the window counts as the active one; no window counts as active
// while the application is.
bool FormHasFocus(const QWidget *form);

QString PCharToString(const char *text);

#pragma once

// The style a new control starts with: that of the skinned frame (a child of
// class TsuiForm) on the form that owns it, else DeepBlue.

#include "skin_controls/theme/ui_style.h"

class QObject;
class QWidget;

TsuiUIStyle GetOwnerUIStyle(const QObject *owner);
// The form that owns a control created under parent: parent's window.
QWidget *OwnerForm(QWidget *parent);

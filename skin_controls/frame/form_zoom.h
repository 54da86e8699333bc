#pragma once

// Maximising a skinned form. The form has no border of the window system's
// for the desktop to maximise by, so it covers the desktop work area itself
// and keeps its normal bounds to return to. A form the window system
// maximised counts as maximised too.

class QWidget;

// Maximised by the window system, or covering the work area after
// MaximiseForm (a form since moved or resized no longer is).
bool FormMaximised(const QWidget *form);
void MaximiseForm(QWidget *form);
// Back to the bounds it had before.
void RestoreForm(QWidget *form);

#pragma once

// What the skinned frame and its title bar ask of the desktop, in one place
// so that tests can stand in for it: the work area a maximised form covers,
// the desktop's own window move and resize, and the messages of mistakes.

#include "skin_controls/drawing/trect.h"

#include <Qt>
#include <functional>

class Dialogs;
class QWidget;

struct FrameDesktop {
    std::function<TRect(const QWidget *form)> workArea;
    // The user drags the window from here on; false when the desktop cannot.
    std::function<bool(QWidget *form)> startMove;
    std::function<bool(QWidget *form, Qt::Edges edges)> startResize;
    // Shows "Sorry, ..." messages.
    Dialogs *dialogs = nullptr;
};

// The screen's work area, the window system's moves, real message boxes.
FrameDesktop RealFrameDesktop();
// The one in force; the real one until replaced.
const FrameDesktop &CurrentFrameDesktop();
void SetFrameDesktop(FrameDesktop desktop);

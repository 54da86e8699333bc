#include "skin_controls/frame/frame_desktop.h"

#include "platform/dialogs/qt_dialogs.h"
#include "skin_controls/drawing/form_helpers.h"

#include <QWidget>
#include <QWindow>

namespace {

FrameDesktop &current()
{
    static FrameDesktop desktop = RealFrameDesktop();
    return desktop;
}

} // namespace

FrameDesktop RealFrameDesktop()
{
    static QtDialogs dialogs;
    FrameDesktop d;
    d.workArea = [](const QWidget *form) { return GetWorkAreaRect(form); };
    d.startMove = [](QWidget *form) { return form->windowHandle() && form->windowHandle()->startSystemMove(); };
    d.startResize = [](QWidget *form, Qt::Edges edges) {
        return form->windowHandle() && form->windowHandle()->startSystemResize(edges);
    };
    d.dialogs = &dialogs;
    return d;
}

const FrameDesktop &CurrentFrameDesktop()
{
    return current();
}

void SetFrameDesktop(FrameDesktop desktop)
{
    current() = std::move(desktop);
}

#include "skin_controls/frame/form_zoom.h"

#include "skin_controls/frame/frame_desktop.h"

#include <QVariant>
#include <QWidget>

namespace {

constexpr const char *kNormalBounds = "tsuiNormalBounds";

QRect workArea(const QWidget *form)
{
    return CurrentFrameDesktop().workArea(form).toQRect();
}

} // namespace

bool FormMaximised(const QWidget *form)
{
    if (form->isMaximized())
        return true;
    return form->property(kNormalBounds).isValid() && form->geometry() == workArea(form);
}

void MaximiseForm(QWidget *form)
{
    if (FormMaximised(form))
        return;
    form->setProperty(kNormalBounds, form->geometry());
    // The window itself, so that a frameless form covers exactly the work area.
    form->setGeometry(workArea(form));
}

void RestoreForm(QWidget *form)
{
    if (form->isMaximized()) {
        form->showNormal();
        return;
    }
    const QVariant normal = form->property(kNormalBounds);
    form->setProperty(kNormalBounds, QVariant());
    if (normal.isValid())
        form->setGeometry(normal.toRect());
}

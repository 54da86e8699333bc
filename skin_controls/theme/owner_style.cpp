#include "skin_controls/theme/owner_style.h"

#include <QVariant>
#include <QWidget>

TsuiUIStyle GetOwnerUIStyle(const QObject *owner)
{
    const auto *form = qobject_cast<const QWidget *>(owner);
    if (!form || !form->isWindow())
        return TsuiUIStyle::DeepBlue;
    for (const QObject *child : form->children())
        if (child->isWidgetType() && child->inherits("TsuiForm"))
            return child->property("UIStyle").value<TsuiUIStyle>();
    return TsuiUIStyle::DeepBlue;
}

QWidget *OwnerForm(QWidget *parent)
{
    return parent ? parent->window() : nullptr;
}

#include "skin_controls/drawing/form_helpers.h"

#include "skin_controls/theme/file_theme.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QPointer>
#include <QScreen>
#include <QVariant>
#include <QWidget>

bool PointInRect(QPoint point, const TRect &rect)
{
    return PointInRectXY(point.x(), point.y(), rect);
}

bool PointInRectXY(int x, int y, const TRect &rect)
{
    return rect.Left <= x && x <= rect.Right && rect.Top <= y && y <= rect.Bottom;
}

TRect GetWorkAreaRect(const QWidget *form)
{
    const QScreen *screen = form && form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    return screen ? TRect::fromQRect(screen->availableGeometry()) : TRect{};
}

void SetFormBoundsRect(QWidget *form, const TRect &rect)
{
    form->move(rect.Left, rect.Top);
    form->resize(rect.width(), rect.height());
}

bool HasPublishedProperty(const QObject *component, const char *name)
{
    return component && component->metaObject()->indexOfProperty(name) >= 0;
}

void ApplyThemeToChildren(QWidget *parent, TsuiUIStyle style, TsuiFileTheme *fileTheme)
{
    for (QObject *child : parent->children()) {
        if (!child->isWidgetType() || !HasPublishedProperty(child, "FileTheme") || !HasPublishedProperty(child, "UIStyle"))
            continue;
        child->setProperty("FileTheme", QVariant::fromValue(fileTheme));
        child->setProperty("UIStyle", QVariant::fromValue(style));
    }
}

namespace {

QPointer<QWidget> &mainForm()
{
    static QPointer<QWidget> form;
    return form;
}

} // namespace

QWidget *ApplicationMainForm()
{
    return mainForm();
}

void SetApplicationMainForm(QWidget *form)
{
    mainForm() = form;
}

bool FormHasFocus(const QWidget *form)
{
    const bool applicationActive = QGuiApplication::applicationState() == Qt::ApplicationActive;
    const QWidget *main = ApplicationMainForm();
    if (!main)
        return form ? form->isActiveWindow() : applicationActive;
    if (!applicationActive)
        return false;
    return !form || form == main || form->isActiveWindow();
}

QString PCharToString(const char *text)
{
    return text ? QString::fromLocal8Bit(text) : QString();
}

#include "main/window/window_language.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QTreeWidget>
#include <QWidget>

void WindowLanguage::addWindow(QWidget *window)
{
    m_windows.insert(window->objectName(), window);
}

void WindowLanguage::addList(const QString &window, const QString &control, ListTarget target)
{
    m_lists.insert(window + u'.' + control, std::move(target));
}

QObject *WindowLanguage::find(const QString &window, const QString &control)
{
    QWidget *w = m_windows.value(window);
    QObject *found = !w ? nullptr : control == window ? w : w->findChild<QObject *>(control);
    if (!found)
        m_missing << window + u'.' + control;
    return found;
}

const WindowLanguage::ListTarget *WindowLanguage::list(const QString &window, const QString &control)
{
    const auto it = m_lists.constFind(window + u'.' + control);
    if (it == m_lists.constEnd()) {
        m_missing << window + u'.' + control;
        return nullptr;
    }
    return &*it;
}

void WindowLanguage::setCaption(const QString &window, const QString &control, const QString &text)
{
    QObject *o = find(window, control);
    if (!o)
        return;
    if (auto *action = qobject_cast<QAction *>(o))
        action->setText(text);
    else if (auto *group = qobject_cast<QGroupBox *>(o))
        group->setTitle(text);
    else if (auto *label = qobject_cast<QLabel *>(o))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(o))
        button->setText(text);
    else if (auto *widget = qobject_cast<QWidget *>(o))
        widget->setWindowTitle(text);
}

void WindowLanguage::setColumnCaption(const QString &window, const QString &control, int column, const QString &text)
{
    if (auto *tree = qobject_cast<QTreeWidget *>(find(window, control)))
        tree->headerItem()->setText(column, text);
}

void WindowLanguage::setHint(const QString &window, const QString &control, const QString &text)
{
    if (auto *widget = qobject_cast<QWidget *>(find(window, control)))
        widget->setToolTip(text);
}

void WindowLanguage::clearItems(const QString &window, const QString &control)
{
    if (const ListTarget *t = list(window, control))
        t->clear();
}

void WindowLanguage::appendItem(const QString &window, const QString &control, const QString &text)
{
    if (const ListTarget *t = list(window, control))
        t->append(text);
}

#pragma once

// Gives the translated texts to the windows: each text goes to the control of
// that object name in the named window (a menu item, label, button, group or
// the window itself); list items go to the list's own target, since some
// lists are the engine's models.

#include "main/window/language_table.h"

#include <QHash>
#include <QStringList>
#include <functional>

class QObject;
class QWidget;

class WindowLanguage : public LanguageReceiver {
public:
    struct ListTarget {
        std::function<void()> clear;
        std::function<void(const QString &)> append;
    };

    void addWindow(QWidget *window);
    // "window.control" → where that list's items go.
    void addList(const QString &window, const QString &control, ListTarget target);

    void setCaption(const QString &window, const QString &control, const QString &text) override;
    void setColumnCaption(const QString &window, const QString &control, int column, const QString &text) override;
    void setHint(const QString &window, const QString &control, const QString &text) override;
    void clearItems(const QString &window, const QString &control) override;
    void appendItem(const QString &window, const QString &control, const QString &text) override;

    // "window.control" of every text that found no control.
    const QStringList &missing() const { return m_missing; }

private:
    QObject *find(const QString &window, const QString &control);
    const ListTarget *list(const QString &window, const QString &control);

    QHash<QString, QWidget *> m_windows;
    QHash<QString, ListTarget> m_lists;
    QStringList m_missing;
};

#pragma once

// The dialogs as real modal Qt windows.

#include "platform/dialogs/dialogs.h"

#include <QPointer>

class QWidget;

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget *owner = nullptr);

    void message(MessageKind kind, const QString &text) override;
    bool ask(MessageKind kind, const QString &text) override;
    QStringList openFiles(const QVector<FileFilter> &filter) override;
    QString pickFolder(const QString &caption) override;

    // "desc (*.a *.b)" as Qt's file dialogs read them.
    static QStringList nameFilters(const QVector<FileFilter> &filter);

private:
    QPointer<QWidget> m_owner;
};

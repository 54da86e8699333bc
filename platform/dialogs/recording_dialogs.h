#pragma once

// Dialogs for tests: every request is recorded and answered from a script,
// nothing is shown.

#include "platform/dialogs/dialogs.h"

#include <QList>
#include <functional>

class RecordingDialogs : public Dialogs {
public:
    struct Shown {
        MessageKind kind;
        QString text;
        bool question;
    };

    QList<Shown> shown;                 // messages and questions, in order
    QList<bool> answers;                // next answers to ask(); empty → defaultAnswer
    bool defaultAnswer = true;
    QList<QStringList> fileChoices;     // next results of openFiles(); empty → cancelled
    QList<QString> folderChoices;       // next results of pickFolder(); empty → nothing chosen
    QStringList folderCaptions;
    QList<QVector<FileFilter>> fileFilters;
    // Runs while a dialog "is open", e.g. to let events arrive meanwhile.
    std::function<void()> whileOpen;

    void message(MessageKind kind, const QString &text) override
    {
        shown.append({kind, text, false});
        runWhileOpen();
    }
    bool ask(MessageKind kind, const QString &text) override
    {
        shown.append({kind, text, true});
        runWhileOpen();
        return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
    }
    QStringList openFiles(const QVector<FileFilter> &filter) override
    {
        fileFilters.append(filter);
        runWhileOpen();
        return fileChoices.isEmpty() ? QStringList() : fileChoices.takeFirst();
    }
    QString pickFolder(const QString &caption) override
    {
        folderCaptions.append(caption);
        runWhileOpen();
        return folderChoices.isEmpty() ? QString() : folderChoices.takeFirst();
    }

    QStringList texts() const
    {
        QStringList out;
        for (const Shown &s : shown)
            out << s.text;
        return out;
    }

private:
    void runWhileOpen()
    {
        if (whileOpen)
            whileOpen();
    }
};

#pragma once

// The modal dialogs the engine asks for. Kept free of widget headers so the
// engine (Qt Core only) can hold a reference; the windows supply QtDialogs,
// tests a RecordingDialogs.

#include <QString>
#include <QStringList>
#include <QVector>

enum class MessageKind { Warning, Information, Confirmation, Error };

// One entry of an open-file dialog's type list.
struct FileFilter {
    QString description;
    QStringList patterns; // "*.avi", ...
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message with the single button OK.
    virtual void message(MessageKind kind, const QString &text) = 0;
    // A question with the buttons Yes and No; true for Yes.
    virtual bool ask(MessageKind kind, const QString &text) = 0;
    // Choose existing files (several allowed, hidden files listed); the chosen
    // paths in the dialog's order, empty when cancelled.
    virtual QStringList openFiles(const QVector<FileFilter> &filter) = 0;
    // The folder picker; empty when nothing was chosen.
    virtual QString pickFolder(const QString &caption) = 0;
};

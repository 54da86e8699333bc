#pragma once

// A shell for tests: remembers what it was asked to do and does nothing.

#include "platform/shell/shell.h"

#include <QStringList>

class RecordingShell : public Shell {
public:
    QStringList openedFolders;
    int shutDowns = 0;
    QStringList openedPages;

    void openFolder(const QString &folder) override { openedFolders << folder; }
    void shutDown() override { ++shutDowns; }
    void openPage(const QString &address) override { openedPages << address; }
};

#pragma once

// What the program does to the desktop outside its own windows. The engine
// holds a Shell; the program uses DesktopShell, tests a RecordingShell.

#include "platform/shell/page_opener.h"

#include <QString>

class Shell : public PageOpener {
public:
    virtual ~Shell() = default;
    // Show a folder in the desktop's file manager.
    virtual void openFolder(const QString &folder) = 0;
    // Switch the computer off.
    virtual void shutDown() = 0;
};

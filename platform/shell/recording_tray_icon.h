#pragma once

// A notification icon for tests: remembers what it showed; a test plays the
// user's clicks with click().

#include "platform/shell/tray_icon.h"

class RecordingTrayIcon : public NotificationIcon {
public:
    bool hasArea = true;  // what available() answers
    bool shown = false;
    QString tip;
    QIcon icon;
    int adds = 0, removes = 0;

    bool available() const override { return hasArea; }
    void add(const QIcon &shownIcon, const QString &text) override
    {
        shown = true;
        icon = shownIcon;
        tip = text;
        ++adds;
    }
    void remove() override
    {
        shown = false;
        ++removes;
    }
    void click(int message)
    {
        if (onMouse)
            onMouse(message);
    }
};

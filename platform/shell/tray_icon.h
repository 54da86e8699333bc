#pragma once

// The program's icon in the desktop's notification area. The main window
// shows it while it is hidden; the icon reports the mouse on it by the
// numbers of the window messages the window reacts to.

#include <QIcon>
#include <QString>
#include <functional>
#include <memory>

class QSystemTrayIcon;

class NotificationIcon {
public:
    enum MouseMessage {
        LeftButtonUp = 514,
        LeftButtonDoubleClick = 515,
        RightButtonUp = 517,
        MiddleButtonUp = 520,
    };

    virtual ~NotificationIcon() = default;
    // Whether the desktop has a notification area at all.
    virtual bool available() const = 0;
    virtual void add(const QIcon &icon, const QString &tip) = 0;
    virtual void remove() = 0;

    // Runs for every mouse event on the icon.
    std::function<void(int message)> onMouse;
};

// The real notification area, through QSystemTrayIcon.
class TrayIcon : public NotificationIcon {
public:
    TrayIcon();
    ~TrayIcon() override;

    bool available() const override;
    void add(const QIcon &icon, const QString &tip) override;
    void remove() override;

private:
    std::unique_ptr<QSystemTrayIcon> m_icon;
};

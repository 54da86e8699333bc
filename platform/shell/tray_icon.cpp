#include "platform/shell/tray_icon.h"

#include <QApplication>
#include <QStyle>
#include <QSystemTrayIcon>

namespace {

// What a click on the icon means, as the window message it stands for.
int MessageOf(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return NotificationIcon::LeftButtonUp;
    case QSystemTrayIcon::DoubleClick:
        return NotificationIcon::LeftButtonDoubleClick;
    case QSystemTrayIcon::Context:
        return NotificationIcon::RightButtonUp;
    case QSystemTrayIcon::MiddleClick:
        return NotificationIcon::MiddleButtonUp;
    case QSystemTrayIcon::Unknown:
        break;
    }
    return 0;
}

} // namespace

TrayIcon::TrayIcon() : m_icon(std::make_unique<QSystemTrayIcon>())
{
    QObject::connect(m_icon.get(), &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
        if (onMouse)
            onMouse(MessageOf(reason));
    });
}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::available() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::add(const QIcon &icon, const QString &tip)
{
    // An icon-less entry would not show at all, and the hidden window could not come back.
    m_icon->setIcon(icon.isNull() ? QIcon::fromTheme(QStringLiteral("video-x-generic"),
                                                     QApplication::style()->standardIcon(QStyle::SP_ComputerIcon))
                                  : icon);
    m_icon->setToolTip(tip);
    m_icon->show();
}

void TrayIcon::remove()
{
    m_icon->hide();
}

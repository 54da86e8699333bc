#include "platform/shell/desktop_shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

QString DesktopShell::defaultShutdownCommand()
{
    const QString configured = qEnvironmentVariable("RAVENMOOR_SHUTDOWN_COMMAND");
    return configured.isEmpty() ? QStringLiteral("systemctl poweroff") : configured;
}

DesktopShell::DesktopShell(const QString &shutdownCommand)
    : m_shutdown(QProcess::splitCommand(shutdownCommand.isEmpty() ? defaultShutdownCommand() : shutdownCommand))
{
}

void DesktopShell::openFolder(const QString &folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void DesktopShell::shutDown()
{
    if (m_shutdown.isEmpty())
        return;
    QProcess::startDetached(m_shutdown.first(), m_shutdown.mid(1));
}

#pragma once

// The real desktop: folders open in the file manager, shut-down runs a
// configurable command.

#include "platform/shell/shell.h"

#include <QStringList>

class DesktopShell : public Shell {
public:
    // The command run by shutDown(), split like a shell would (no shell runs).
    // Empty: RAVENMOOR_SHUTDOWN_COMMAND from the environment, else "systemctl poweroff".
    explicit DesktopShell(const QString &shutdownCommand = QString());

    void openFolder(const QString &folder) override;
    void shutDown() override;
    void openPage(const QString &address) override;

    QStringList shutdownCommand() const { return m_shutdown; }

    static QString defaultShutdownCommand();

private:
    QStringList m_shutdown;
};

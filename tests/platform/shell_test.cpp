#include "platform/shell/desktop_shell.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

bool waitForFile(const QString &path)
{
    for (QDeadlineTimer t(10000); !t.hasExpired(); QThread::msleep(20))
        if (QFileInfo::exists(path))
            return true;
    return false;
}

TEST(DesktopShell, DefaultShutdownIsSystemctlPoweroff)
{
    qunsetenv("RAVENMOOR_SHUTDOWN_COMMAND");
    EXPECT_EQ(DesktopShell().shutdownCommand(), (QStringList{"systemctl", "poweroff"}));
}

// The configured command runs instead of switching anything off.
TEST(DesktopShell, ShutdownRunsTheConfiguredCommand)
{
    QTemporaryDir dir;
    const QString marker = dir.filePath("powered off");
    DesktopShell shell("touch \"" + marker + "\"");
    EXPECT_EQ(shell.shutdownCommand(), (QStringList{"touch", marker}));
    shell.shutDown();
    EXPECT_TRUE(waitForFile(marker));
}

TEST(DesktopShell, ShutdownCommandFromTheEnvironment)
{
    QTemporaryDir dir;
    const QString marker = dir.filePath("env-off");
    qputenv("RAVENMOOR_SHUTDOWN_COMMAND", ("touch " + marker).toUtf8());
    DesktopShell shell;
    qunsetenv("RAVENMOOR_SHUTDOWN_COMMAND");
    shell.shutDown();
    EXPECT_TRUE(waitForFile(marker));
}

} // namespace

#include "platform/shell/desktop_shell.h"

#include <QDesktopServices>
#include <QUrl>

void DesktopShell::openPage(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address));
}

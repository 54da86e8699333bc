#include "main/links/first_run.h"

#include "main/links/web_links.h"
#include "platform/http/http_download.h"
#include "platform/shell/shell.h"

#include <QDir>
#include <QFile>

namespace {

const QString kMarker = QStringLiteral("temp.txt");

} // namespace

bool IsFirstRun(const FirstRunFolders &folders)
{
    for (const QString &folder : {folders.installed, folders.perUser})
        if (!folder.isEmpty() && QFile::exists(QDir(folder).filePath(kMarker)))
            return false;
    return true;
}

void FirstRunWeb(Shell &shell, const QString &helpPage, HttpClient &client, const QString &pageAddress,
                 const FirstRunFolders &folders)
{
    if (!helpPage.isEmpty())
        shell.openPage(helpPage);
    QFile file(QDir(folders.installed).filePath(kMarker));
    if (!file.open(QIODevice::WriteOnly)) {
        if (folders.perUser.isEmpty() || !QDir().mkpath(folders.perUser))
            return;
        file.setFileName(QDir(folders.perUser).filePath(kMarker));
        if (!file.open(QIODevice::WriteOnly))
            return;
    }
    client.userAgent = QString::fromLatin1(kFirstRunUserAgent);
    const QString address = WebAddress(pageAddress);
    if (address.isEmpty())
        return;
    try {
        client.Get(address, file);
    } catch (const HttpError &) {
        // The help page is open; the first-run page is only a courtesy.
    }
}

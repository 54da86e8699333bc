#include "main/links/first_run.h"

#include "main/links/web_links.h"
#include "platform/http/http_download.h"
#include "platform/shell/shell.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

namespace {

const QString kMarker = QStringLiteral("temp.txt");

// The empty marker in the first folder that takes it; empty when none does.
QString MakeMarker(const FirstRunFolders &folders)
{
    QFile file(QDir(folders.installed).filePath(kMarker));
    if (file.open(QIODevice::WriteOnly))
        return file.fileName();
    if (folders.perUser.isEmpty() || !QDir().mkpath(folders.perUser))
        return QString();
    file.setFileName(QDir(folders.perUser).filePath(kMarker));
    return file.open(QIODevice::WriteOnly) ? file.fileName() : QString();
}

} // namespace

bool IsFirstRun(const FirstRunFolders &folders)
{
    for (const QString &folder : {folders.installed, folders.perUser})
        if (!folder.isEmpty() && QFile::exists(QDir(folder).filePath(kMarker)))
            return false;
    return true;
}

FirstRunFetch::FirstRunFetch(std::shared_ptr<HttpClient> client, QObject *parent)
    : WebThreadOwner(std::move(client), parent)
{
}

void FirstRunFetch::start(const QString &address, const QString &markerPath)
{
    run(QThread::create([client = m_client, address, markerPath] { FetchFirstRunPage(*client, address, markerPath); }));
}

void FetchFirstRunPage(HttpClient &client, const QString &address, const QString &markerPath)
{
    QBuffer page;
    page.open(QIODevice::WriteOnly);
    try {
        client.Get(address, page, kSmallPageMaxBytes);
    } catch (const HttpError &) {
        // The help page is open; the first-run page is only a courtesy.
        return;
    }
    QFile file(markerPath);
    if (file.open(QIODevice::WriteOnly))
        file.write(page.data());
}

void FirstRunWeb(Shell &shell, const QString &helpPage, FirstRunFetch &fetch, const QString &pageAddress,
                 const FirstRunFolders &folders)
{
    if (!helpPage.isEmpty())
        shell.openPage(helpPage);
    const QString marker = MakeMarker(folders);
    if (marker.isEmpty())
        return;
    fetch.client().userAgent = QString::fromLatin1(kFirstRunUserAgent);
    const QString address = WebAddress(pageAddress);
    if (!address.isEmpty())
        fetch.start(address, marker);
}

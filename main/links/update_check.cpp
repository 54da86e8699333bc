#include "main/links/update_check.h"

#include "platform/http/http_download.h"
#include "platform/ini/ini_file.h"
#include "platform/paths/program_paths.h"
#include "main/links/web_links.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

namespace {

const QString kNewVersionFile = QStringLiteral("updatenew.ini");
const QString kInstalledVersionFile = QStringLiteral("update.ini");

// The temporary file of "updatenew.ini" in the first folder that takes it.
bool OpenNewVersionFile(QSaveFile &file, const UpdateFolders &folders)
{
    file.setFileName(QDir(folders.installed).filePath(kNewVersionFile));
    if (file.open(QIODevice::WriteOnly))
        return true;
    if (folders.perUser.isEmpty() || !QDir().mkpath(folders.perUser))
        return false;
    file.setFileName(QDir(folders.perUser).filePath(kNewVersionFile));
    return file.open(QIODevice::WriteOnly);
}

} // namespace

QString SpacesToDashes(const QString &text)
{
    QString dashed = text;
    return dashed.replace(QLatin1Char(' '), QLatin1Char('-'));
}

QString UpdateAddress(const QString &base, const QString &executableName)
{
    if (WebAddress(base).isEmpty())
        return QString();
    // Any other character a path cannot carry as it is ("#", "?", "%") is escaped.
    const QString file = SpacesToDashes(SettingsBaseName(executableName)) + QStringLiteral(".ini");
    return base.trimmed() + QString::fromLatin1(QUrl::toPercentEncoding(file));
}

int VersionOf(const QString &iniPath)
{
    const QString name = QStringLiteral("versinon");
    return TIniFile(iniPath).ReadInteger(name, name, 0);
}

bool CheckForUpdate(HttpClient &client, const QString &address, const UpdateFolders &folders)
{
    if (address.isEmpty() || !QFileInfo(folders.installed).isDir())
        return false;
    QSaveFile file;
    if (!OpenNewVersionFile(file, folders))
        return false;
    try {
        client.Get(address, file, kSmallPageMaxBytes);
    } catch (const HttpError &) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    const int local = VersionOf(QDir(folders.installed).filePath(kInstalledVersionFile));
    return VersionOf(file.fileName()) > local;
}

TMyUPdate::TMyUPdate(std::shared_ptr<HttpClient> client, QString address, UpdateFolders folders)
    : m_client(std::move(client)), m_address(std::move(address)), m_folders(std::move(folders))
{
}

void TMyUPdate::Execute()
{
    if (CheckForUpdate(*m_client, m_address, m_folders))
        emit newVersion();
}

UpdateCheck::UpdateCheck(std::shared_ptr<HttpClient> client, QObject *parent)
    : WebThreadOwner(std::move(client), parent)
{
}

void UpdateCheck::start(const QString &address, const UpdateFolders &folders)
{
    if (address.isEmpty())
        return;
    auto *check = new TMyUPdate(m_client, address, folders);
    connect(check, &TMyUPdate::newVersion, this, &UpdateCheck::newVersion, Qt::QueuedConnection);
    run(check);
}

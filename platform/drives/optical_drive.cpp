#include "platform/drives/optical_drive.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <atomic>
#include <dirent.h>
#include <memory>
#include <sys/statvfs.h>
#include <thread>

namespace {

// mountinfo escapes blanks, tabs, new lines and backslashes as \ooo.
QString Unescape(const QByteArray &field)
{
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out.append(char(code));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return QString::fromUtf8(out);
}

bool IsParentOrSame(const QString &mountPoint, const QString &path)
{
    if (mountPoint == u"/")
        return path.startsWith(u'/');
    return path == mountPoint || path.startsWith(mountPoint + u'/');
}

// How often the wait looks at the worker's flag while it sleeps in the event loop.
constexpr int kPollMs = 20;

} // namespace

MountEntry MountOfPath(const QString &mountinfo, const QString &path)
{
    MountEntry best;
    const QByteArray text = mountinfo.toUtf8();
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() < 5 || dash < 6 || dash + 2 >= fields.size())
            continue;
        MountEntry entry{Unescape(fields[4]), QString::fromUtf8(fields[dash + 1]), Unescape(fields[dash + 2])};
        if (IsParentOrSame(entry.mountPoint, path) && entry.mountPoint.size() >= best.mountPoint.size())
            best = entry;
    }
    return best;
}

bool IsOpticalMount(const MountEntry &mount)
{
    static const char *const kDevices[] = {"/dev/sr", "/dev/scd", "/dev/cdrom", "/dev/dvd"};
    for (const char *device : kDevices)
        if (mount.source.startsWith(QLatin1String(device)))
            return true;
    return mount.fileSystem == u"udf" || mount.fileSystem == u"iso9660";
}

bool IsOnOpticalDrive(const QString &folder)
{
    QFile file(QStringLiteral("/proc/self/mountinfo"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    const QString path = canonical.isEmpty() ? QDir::cleanPath(QDir(folder).absolutePath()) : canonical;
    return IsOpticalMount(MountOfPath(QString::fromUtf8(file.readAll()), path));
}

void WaitForDriveAnswer(const QString &root)
{
    auto pending = std::make_shared<std::atomic<uint8_t>>(1);
    const QByteArray path = QFile::encodeName(root);
    std::thread([pending, path] {
        struct statvfs volume {};
        ::statvfs(path.constData(), &volume);
        if (DIR *dir = ::opendir(path.constData())) {
            ::readdir(dir);
            ::closedir(dir);
        }
        pending->store(0);
    }).detach();

    QEventLoop loop;
    QTimer poll;
    poll.setInterval(kPollMs);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&loop, pending] {
        if (pending->load() == 0)
            loop.quit();
    });
    poll.start();
    loop.exec();
}

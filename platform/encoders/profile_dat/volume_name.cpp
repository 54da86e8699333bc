#include "platform/encoders/profile_dat/volume_name.h"

#include "platform/drives/optical_drive.h"

#include <QDir>
#include <QFileInfo>

QString UnescapeUdevLabel(const QString &name)
{
    const QByteArray raw = name.toUtf8();
    QByteArray out;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 3 < raw.size() && raw[i + 1] == 'x') {
            bool ok = false;
            const int code = raw.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out.append(char(code));
                i += 3;
                continue;
            }
        }
        out.append(raw[i]);
    }
    return QString::fromUtf8(out);
}

QString LabelOfDevice(const QString &byLabelFolder, const QString &device)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty())
        return {};
    const QFileInfoList links = QDir(byLabelFolder).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot,
                                                                 QDir::Name);
    for (const QFileInfo &link : links)
        if (link.canonicalFilePath() == target)
            return UnescapeUdevLabel(link.fileName());
    return {};
}

QString VolumeName(const QString &folder, const QString &mountinfo, const QString &byLabelFolder)
{
    const QString path = QFileInfo(folder).canonicalFilePath();
    const MountEntry mount = MountOfPath(mountinfo, path);
    if (IsOpticalMount(mount)) {
        const QString label = LabelOfDevice(byLabelFolder, mount.source);
        if (!label.isEmpty())
            return label;
    }
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

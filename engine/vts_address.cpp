#include "engine/vts_address.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

QString DiscFolderOfIfo(const QString &ifoPath)
{
    QStringList parts = QDir::cleanPath(QFileInfo(ifoPath).absoluteFilePath()).split(u'/');
    parts.removeLast(); // the IFO file itself
    // The last one counts: a disc copied into a folder of its own may sit under another VIDEO_TS.
    for (qsizetype i = parts.size() - 1; i >= 0; --i) {
        if (parts.at(i).compare(u"video_ts", Qt::CaseInsensitive) == 0) {
            parts.resize(i);
            break;
        }
    }
    const QString folder = parts.join(u'/');
    return folder.isEmpty() ? QStringLiteral("/") : folder;
}

QString VtsAddress(const TConvertInfo &dvd, const ClipRange &clip)
{
    const QString fileName = QFileInfo(dvd.ifoPath).fileName();
    return QStringLiteral("vts://") + fileName.mid(4, 2) + u'*' + QString::number(clip.startSector) + u'*' +
           QString::number(clip.endSector) + u'*' + dvd.audioId + u'*' + dvd.subtitleId + u'*' +
           DiscFolderOfIfo(dvd.ifoPath);
}

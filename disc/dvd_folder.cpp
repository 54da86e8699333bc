#include "disc/dvd_folder.h"

#include "disc/ifo_titles.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

bool scan(const QString &folder, DiscState &disc, const IfoReadTarget &target,
          const std::function<void()> &pumpMessages, QSet<QString> &entered)
{
    // A link back up the tree must not make the scan endless.
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty() || entered.contains(canonical))
        return false;
    entered.insert(canonical);

    // Linux lists a folder in no particular order; take its entries by name.
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                   QDir::Name | QDir::IgnoreCase);
    bool found = false;
    for (const QFileInfo &item : entries) {
        if (pumpMessages) {
            pumpMessages();
            pumpMessages();
        }
        const QString name = item.fileName().toLower();
        if (item.isDir()) {
            if (name == QLatin1String("video_ts") && scan(item.filePath(), disc, target, pumpMessages, entered)) {
                found = true;
                break;
            }
        } else if (name.endsWith(QLatin1String(".ifo")) && name != QLatin1String("video_ts.ifo")) {
            TIFOSelint entry;
            entry.ifoPath = item.filePath();
            disc.TIFOAS.append(entry);
            AddIfoInCurrentView(target, disc, disc.TIFOAS.last());
            found = true;
        }
    }
    return found;
}

} // namespace

const QVector<FileFilter> &IfoFileFilter()
{
    // Some native dialogs match patterns case-sensitively; discs spell names in capitals.
    static const QVector<FileFilter> filter = {{QStringLiteral("IFO Files(*.ifo)"), {"*.ifo", "*.IFO"}}};
    return filter;
}

bool ScanFolderForIfo(const QString &folder, DiscState &disc, const IfoReadTarget &target,
                      const std::function<void()> &pumpMessages)
{
    QSet<QString> entered;
    return scan(folder, disc, target, pumpMessages, entered);
}

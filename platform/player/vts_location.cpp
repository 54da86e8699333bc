#include "platform/player/vts_location.h"

#include <QStringList>

namespace {

const QString kScheme = QStringLiteral("vts://");

// "0x80" or "128"; "0" or nothing is none.
std::optional<int> StreamId(const QString &text)
{
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const int id = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? text.mid(2).toInt(&ok, 16)
                                                                               : text.toInt(&ok, 10);
    if (!ok || id < 0 || id > 0xff)
        return std::nullopt;
    return id;
}

} // namespace

std::optional<VtsLocation> ParseVtsLocation(const QString &address)
{
    if (!address.startsWith(kScheme))
        return std::nullopt;
    QStringList fields;
    qsizetype from = kScheme.size();
    for (int i = 0; i < 5; ++i) {
        const qsizetype star = address.indexOf(u'*', from);
        if (star < 0)
            return std::nullopt;
        fields << address.mid(from, star - from);
        from = star + 1;
    }
    VtsLocation location;
    bool ok = false;
    location.titleSet = fields[0].toInt(&ok);
    if (!ok || location.titleSet < 1 || location.titleSet > 99)
        return std::nullopt;
    location.startSector = fields[1].toInt(&ok);
    if (!ok || location.startSector < 0)
        return std::nullopt;
    location.endSector = fields[2].toInt(&ok);
    if (!ok || location.endSector < location.startSector)
        return std::nullopt;
    const auto audio = StreamId(fields[3]);
    const auto subtitle = StreamId(fields[4]);
    if (!audio || !subtitle)
        return std::nullopt;
    location.audioId = *audio;
    location.subtitleId = *subtitle;
    location.folder = address.mid(from);
    return location;
}

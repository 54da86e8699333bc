#include "platform/encoders/mydvd/dvd_address.h"

#include "platform/encoders/core/encoder_request.h"

#include <QStringList>

namespace {

const QString kScheme = QStringLiteral("vts://");

bool AllDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

uint32_t SectorOf(const QString &text, const char *which)
{
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    if (!AllDigits(text) || !ok || value > UINT32_MAX)
        throw RequestError(std::string("the ") + which + " sector \"" + text.toStdString() +
                           "\" of the address is not a sector number");
    return uint32_t(value);
}

// "0x81" or "129"; "0" and nothing mean none.
int StreamIdOf(const QString &text, const char *which)
{
    if (text.isEmpty())
        return 0;
    bool ok = false;
    int id = -1;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) && text.size() > 2)
        id = text.mid(2).toInt(&ok, 16);
    else if (AllDigits(text))
        id = text.toInt(&ok, 10);
    if (!ok || id < 0 || id > 0xff)
        throw RequestError(std::string("the ") + which + " stream id \"" + text.toStdString() +
                           "\" of the address is not a stream id such as 0x80");
    return id;
}

} // namespace

QString StreamIdText(int id) { return QStringLiteral("0x%1").arg(id, 2, 16, QLatin1Char('0')); }

DvdAddress ParseDvdAddress(const QString &address)
{
    if (!address.startsWith(kScheme, Qt::CaseInsensitive))
        throw RequestError("the input is no DVD address: it must start with vts://");
    QStringList fields;
    qsizetype from = kScheme.size();
    for (int i = 0; i < 5; ++i) {
        const qsizetype star = address.indexOf(u'*', from);
        if (star < 0)
            throw RequestError("the DVD address is cut short: it needs title set, start and end sector, audio "
                               "and subtitle id and the folder, each after a \"*\"");
        fields << address.mid(from, star - from);
        from = star + 1;
    }
    DvdAddress result;
    const QString &titleSet = fields[0];
    if (!AllDigits(titleSet) || titleSet.size() > 2 || titleSet.toInt() < 1)
        throw RequestError("the title set \"" + titleSet.toStdString() + "\" of the address is not a number 01..99");
    result.titleSet = titleSet.toInt();
    result.startSector = SectorOf(fields[1], "start");
    result.endSector = SectorOf(fields[2], "end");
    if (result.startSector > result.endSector)
        throw RequestError("the start sector " + std::to_string(result.startSector) + " lies after the end sector " +
                           std::to_string(result.endSector));
    result.audioId = StreamIdOf(fields[3], "audio");
    result.subtitleId = StreamIdOf(fields[4], "subtitle");
    result.folder = address.mid(from);
    if (result.folder.isEmpty())
        throw RequestError("the DVD address names no disc folder");
    return result;
}

#include "engine/encoder_progress.h"

#include "engine/text_helpers.h"

int32_t ParseEncoderSeconds(const QString &line)
{
    const qsizetype p = line.indexOf(QLatin1String("time="));
    if (p < 0)
        return 0;
    const qsizetype q = line.indexOf(QLatin1String("bitrate="));
    if (q <= p)
        return 0;
    // Only the stretch between "time=" and "bitrate=" is looked at.
    const qsizetype first = p + 5;
    const qsizetype last = qMin(q, line.size() - 1);
    qsizetype dot = -1;
    for (qsizetype i = first; i <= last; ++i) {
        if (line.at(i) == QLatin1Char('.')) {
            dot = i;
            break;
        }
    }
    if (dot < 0)
        return 0;
    const QString digits = line.mid(first, dot - first);
    if (digits.isEmpty())
        return 0;
    for (QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0; // "00:01:23" and negative times carry no usable value
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    if (!ok || value > 100000)
        return 0;
    return static_cast<int32_t>(value);
}

int ProgressFromSeconds(int32_t seconds, int32_t clipSeconds, int tickCount)
{
    // A clip of no length has no share to show (the scaled division gives -1 there).
    if (clipSeconds <= 0)
        return 0;
    const int p = MulDiv(seconds, 10000 - tickCount, clipSeconds);
    return qBound(0, p, 9999);
}

QString ProgressPercentText(int hundredths)
{
    const QString digits = QStringLiteral("%1").arg(qMax(0, hundredths), 4, 10, QLatin1Char('0'));
    return digits.left(2) + QLatin1Char('.') + digits.mid(2, 2) + QLatin1Char('%');
}

#include "platform/encoders/register/probe_report.h"

#include <QJsonArray>
#include <QJsonValue>
#include <cmath>

namespace {

// Numbers in ffprobe's JSON are strings; an absent or unreadable one is unknown.
bool NumberOf(const QJsonObject &o, const char *key, double *value)
{
    const QJsonValue v = o.value(QLatin1String(key));
    bool ok = v.isDouble();
    const double d = v.isString() ? v.toString().toDouble(&ok) : v.toDouble();
    if (ok && std::isfinite(d))
        *value = d;
    return ok && std::isfinite(d);
}

// A text of ffprobe's output on one line: no line end or control character in it.
QByteArray Clean(const QJsonObject &o, const char *key)
{
    QByteArray text = o.value(QLatin1String(key)).toString().toUtf8();
    for (char &c : text) {
        if (static_cast<unsigned char>(c) < 0x20)
            c = '_';
    }
    return text.isEmpty() ? QByteArray("N/A") : text;
}

// A text as one field of a stream line: no field separator in it either.
QByteArray Word(const QJsonObject &o, const char *key) { return Clean(o, key).replace(',', '_'); }

QByteArray Kbps(const QJsonObject &o)
{
    double bits = 0;
    if (!NumberOf(o, "bit_rate", &bits) || bits <= 0)
        return {};
    return QByteArray::number(qint64(bits) / 1000) + " kb/s";
}

// Frames per second of a "num/den" rate, as ffmpeg prints it: 25, 29.97, 23.98.
QByteArray FpsText(const QJsonObject &stream)
{
    for (const char *key : {"avg_frame_rate", "r_frame_rate"}) {
        const QStringList parts = stream.value(QLatin1String(key)).toString().split(u'/');
        if (parts.size() != 2)
            continue;
        const double num = parts[0].toDouble();
        const double den = parts[1].toDouble();
        if (num <= 0 || den <= 0)
            continue;
        const double fps = num / den;
        const double rounded = std::round(fps * 100) / 100;
        if (std::fabs(rounded - std::round(rounded)) < 0.005)
            return QByteArray::number(qint64(std::round(rounded)));
        return QByteArray::number(rounded, 'f', 2);
    }
    return "N/A";
}

QByteArray VideoLine(int index, const QJsonObject &s)
{
    double width = 0;
    double height = 0;
    QByteArray size = "N/A";
    if (NumberOf(s, "width", &width) && NumberOf(s, "height", &height))
        size = QByteArray::number(qint64(width)) + 'x' + QByteArray::number(qint64(height));
    QByteArray rate = Kbps(s);
    if (rate.isEmpty())
        rate = "N/A";
    return "    Stream #0:" + QByteArray::number(index) + "[0x1011]: Video: " + Word(s, "codec_name") + ", " +
           Word(s, "pix_fmt") + ", " + size + ", " + rate + ", " + FpsText(s) + " fps \n";
}

QByteArray AudioLine(int index, const QJsonObject &s)
{
    double rate = 0;
    QByteArray hz = NumberOf(s, "sample_rate", &rate) ? QByteArray::number(qint64(rate)) : QByteArray("0");
    QByteArray channels = Word(s, "channel_layout");
    double count = 0;
    if (channels == "N/A" && NumberOf(s, "channels", &count))
        channels = QByteArray::number(qint64(count)) + " channels";
    QByteArray line = "    Stream #0:" + QByteArray::number(index) + ": Audio: " + Word(s, "codec_name") + ", " +
                      hz + " Hz, " + channels + ", " + Word(s, "sample_fmt");
    const QByteArray kbps = Kbps(s);
    if (!kbps.isEmpty())
        line += ", " + kbps;
    return line + '\n';
}

} // namespace

QByteArray DurationText(double seconds)
{
    const qint64 hundredths = qint64(std::floor(seconds * 100 + 0.5));
    const qint64 s = hundredths / 100;
    return QByteArray::number(s / 3600).rightJustified(2, '0') + ':' +
           QByteArray::number(s / 60 % 60).rightJustified(2, '0') + ':' +
           QByteArray::number(s % 60).rightJustified(2, '0') + '.' +
           QByteArray::number(hundredths % 100).rightJustified(2, '0');
}

QByteArray ProbeReport(const QJsonObject &ffprobe)
{
    const QJsonObject format = ffprobe.value(QLatin1String("format")).toObject();
    QByteArray out = "Input #0, " + Clean(format, "format_name") + ":\n";

    double duration = 0;
    double start = 0;
    out += "  Duration: ";
    out += NumberOf(format, "duration", &duration) && duration >= 0 ? DurationText(duration) : QByteArray("N/A");
    out += ", start: ";
    out += NumberOf(format, "start_time", &start) ? QByteArray::number(start, 'f', 6) : QByteArray("N/A");
    out += ", bitrate: ";
    const QByteArray total = Kbps(format);
    out += total.isEmpty() ? QByteArray("N/A") : total;
    out += '\n';

    const QJsonArray streams = ffprobe.value(QLatin1String("streams")).toArray();
    for (qsizetype i = 0; i < streams.size(); ++i) {
        const QJsonObject s = streams[i].toObject();
        const QString type = s.value(QLatin1String("codec_type")).toString();
        const bool cover = s.value(QLatin1String("disposition")).toObject().value(QLatin1String("attached_pic")).toInt() == 1;
        if (type == QLatin1String("video") && !cover)
            out += VideoLine(int(i), s);
        else if (type == QLatin1String("audio"))
            out += AudioLine(int(i), s);
    }
    return out;
}

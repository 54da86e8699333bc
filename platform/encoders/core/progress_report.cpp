#include "platform/encoders/core/progress_report.h"


QByteArray SecondsText(QByteArrayView microseconds)
{
    bool ok = false;
    long long us = microseconds.toByteArray().trimmed().toLongLong(&ok);
    if (!ok || us < 0)
        us = 0;
    const long long hundredths = us / 10000;
    return QByteArray::number(hundredths / 100) + '.' + QByteArray::number(hundredths % 100).rightJustified(2, '0');
}

QByteArray ProgressReport::feed(QByteArrayView line)
{
    const qsizetype eq = line.indexOf('=');
    if (eq <= 0)
        return {};
    const QByteArray key = line.first(eq).toByteArray().trimmed();
    const QByteArray value = line.sliced(eq + 1).toByteArray().trimmed();
    if (key != "progress") {
        m_values.insert(key, value);
        return {};
    }
    const auto get = [this](const char *k) { return m_values.value(k, "N/A"); };
    QByteArray size = "N/A";
    bool ok = false;
    const long long bytes = m_values.value("total_size").toLongLong(&ok);
    if (ok)
        size = QByteArray::number(bytes / 1024) + "kB";
    QByteArray status = "frame=" + get("frame").rightJustified(5) + " fps=" + get("fps").rightJustified(3) +
                        " size=" + size.rightJustified(10) + " time=" + SecondsText(m_values.value("out_time_us")) +
                        " bitrate=" + get("bitrate").rightJustified(6) + " speed=" + get("speed");
    status += value == "end" ? '\n' : '\r';
    return status;
}

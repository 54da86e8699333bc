#include "engine/media_probe.h"

#include "engine/quote_if_spaced.h"

#include <QEventLoop>
#include <QTimerEvent>
#include <stdexcept>

namespace {

const QString kDuration = QStringLiteral("Duration:");
const QString kKbps = QStringLiteral(" kb/s");
const QString kVideo = QStringLiteral("Video:");
const QString kAudio = QStringLiteral("Audio:");

// The text of s before its first ",", empty when it holds none.
QString BeforeComma(const QString &s)
{
    const qsizetype c = s.indexOf(u',');
    return c < 0 ? QString() : s.left(c);
}

// The text of s after its first ",", s itself when it holds none.
QString AfterComma(const QString &s)
{
    const qsizetype c = s.indexOf(u',');
    return c < 0 ? s : s.mid(c + 1);
}

// The characters from index from up to (not including) index to; empty when none.
QString Between(const QString &s, qsizetype from, qsizetype to)
{
    return to > from && from >= 0 ? s.mid(from, to - from) : QString();
}

QString LessLastCharacter(QString s)
{
    s.chop(1);
    return s;
}

bool IsStreamLine(const QString &line) { return line.trimmed().startsWith(QLatin1String("Stream #")); }
bool IsDurationLine(const QString &line) { return line.trimmed().startsWith(kDuration); }

} // namespace

QString ParseKbps(const QString &key, const QString &line)
{
    if (!line.contains(key) || !line.contains(kKbps))
        return {};
    const qsizetype k = line.indexOf(kKbps);
    for (qsizetype i = 1; i <= 10 && k - i >= 0; ++i) {
        if (line[k - i] == u' ')
            return line.mid(k - i + 1, i - 1);
    }
    const qsizetype from = std::max<qsizetype>(0, k - 10);
    return line.mid(from, k - from);
}

QString ParseProbeResolution(const QString &line)
{
    if (!line.contains(kVideo) || !line.contains(QLatin1String("1011")))
        return {};
    const QString s = LessLastCharacter(line.mid(line.indexOf(kVideo)));
    const qsizetype x = s.indexOf(u'x');
    if (x < 0)
        return {};
    qsizetype i = 1;
    while (i <= 10 && x - i >= 0 && s[x - i] != u' ')
        ++i;
    qsizetype j = 1;
    while (j <= 10 && x + j < s.size() && s[x + j] >= u'0' && s[x + j] <= u'9')
        ++j;
    const qsizetype from = std::max<qsizetype>(0, x - i + 1);
    return s.mid(from, x + j - from);
}

void ParseProbeAudio(const QString &line, ProbeValues &values)
{
    const qsizetype p = line.indexOf(kAudio);
    if (p < 0)
        return;
    const qsizetype k = line.indexOf(u',');
    if (values.audioCodec.isEmpty())
        values.audioCodec = Between(line, p + 7, k);
    QString r = LessLastCharacter(line.mid(k + 1));
    if (values.sampleRate.isEmpty())
        values.sampleRate = BeforeComma(r);
    r = AfterComma(r);
    if (values.channels.isEmpty())
        values.channels = BeforeComma(r);
}

void ParseProbeVideo(const QString &line, ProbeValues &values)
{
    const qsizetype p = line.indexOf(kVideo);
    if (p < 0)
        return;
    const qsizetype c = line.indexOf(u',');
    values.videoCodec = Between(line, p + 7, c);
    QString r = LessLastCharacter(line.mid(c + 1));
    for (int i = 0; i < 3; ++i)
        r = AfterComma(r);
    values.frameRate = r;
}

void ScanProbeLine(const QString &line, ProbeValues &values)
{
    if (IsDurationLine(line)) {
        values.duration = line.mid(line.indexOf(kDuration) + 10, 8);
        const QString total = ParseKbps(QStringLiteral("bitrate:"), line);
        if (!total.isEmpty())
            values.totalBitrate = total;
    }
    if (!IsStreamLine(line))
        return;
    const QString video = ParseKbps(kVideo, line);
    if (!video.isEmpty())
        values.videoBitrate = video;
    const QString audio = ParseKbps(kAudio, line);
    if (!audio.isEmpty())
        values.audioBitrate = audio;
    const QString size = ParseProbeResolution(line);
    if (!size.isEmpty())
        values.frameSize = size;
    ParseProbeAudio(line, values);
    ParseProbeVideo(line, values);
}

MediaProbe::MediaProbe(QObject *parent) : QObject(parent) {}

void MediaProbe::StartProbe(const QString &commandLine, const QString &workingFolder)
{
    if (m_running)
        throw std::logic_error("A media probe is running already.");
    m_running = true;
    m_timedOut = false;
    m_stopped = false;
    m_values = {};
    m_pendingLine.clear();
    m_hasPending = false;
    // The previous runner is released here, long after its own handlers ran.
    if (m_runner)
        m_runner->deleteLater();
    m_runner = new TJvCreateProcess(this);
    m_runner->CommandLine = commandLine;
    m_runner->CurrentDirectory = workingFolder;
    m_runner->Priority = ppNormal;
    m_runner->OnRead = [this](TJvCreateProcess *sender, const QString &line, bool startsOnNewLine) {
        gettimeJvCreateProcessRead(sender, line, startsOnNewLine);
    };
    m_runner->OnTerminate = [this](TJvCreateProcess *sender, quint32 exitCode) {
        gettimeJvCreateProcessTerminate(sender, exitCode);
    };
    try {
        m_runner->Run();
    } catch (...) {
        m_running = false;
        throw;
    }
    m_timer = startTimer(Timeout);
}

void MediaProbe::WaitForProbe()
{
    if (m_wait)
        throw std::logic_error("The media probe is being waited for already.");
    if (!m_running)
        return;
    QEventLoop loop;
    m_wait = &loop;
    loop.exec();
    m_wait = nullptr;
}

void MediaProbe::gettimeJvCreateProcessRead(TJvCreateProcess *, const QString &line, bool startsOnNewLine)
{
    // A report on a new line means the line reported before it is finished.
    if (startsOnNewLine && m_hasPending)
        ScanProbeLine(m_pendingLine, m_values);
    m_pendingLine = line;
    m_hasPending = true;
}

void MediaProbe::gettimeJvCreateProcessTerminate(TJvCreateProcess *, quint32)
{
    if (m_hasPending && !m_pendingLine.isEmpty())
        ScanProbeLine(m_pendingLine, m_values);
    m_hasPending = false;
    if (m_timer) {
        killTimer(m_timer);
        m_timer = 0;
    }
    if (m_timedOut || m_stopped)
        m_values = {};
    m_running = false;
    if (m_wait)
        m_wait->quit();
}

void MediaProbe::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer)
        return;
    killTimer(m_timer);
    m_timer = 0;
    timedOut();
}

void MediaProbe::timedOut()
{
    m_timedOut = true;
    if (m_runner)
        m_runner->Terminate(std::chrono::milliseconds(1000));
}

void MediaProbe::Stop()
{
    if (!m_running)
        return;
    m_stopped = true;
    if (m_runner)
        m_runner->Terminate(std::chrono::milliseconds(1000));
}

ProbeResult RunProbeLine(const QString &commandLine, const QString &workingFolder, std::chrono::milliseconds timeout)
{
    MediaProbe probe;
    probe.Timeout = timeout;
    probe.StartProbe(commandLine, workingFolder);
    probe.WaitForProbe();
    const ProbeValues &v = probe.Values();
    ProbeResult result;
    result.info.frameSize = v.frameSize;
    result.info.duration = v.duration;
    result.info.videoBitrate = v.videoBitrate;
    result.info.audioBitrate = v.audioBitrate;
    result.info.videoCodec = v.videoCodec;
    result.info.audioCodec = v.audioCodec;
    result.info.sampleRate = v.sampleRate;
    result.info.channels = v.channels;
    result.info.frameRate = v.frameRate;
    result.totalBitrate = v.totalBitrate;
    result.timedOut = probe.TimedOut();
    return result;
}

ProbeResult ProbeMediaFile(const QString &probeProgram, const QString &path, const QString &workingFolder,
                           std::chrono::milliseconds timeout)
{
    ProbeResult result = RunProbeLine(QuoteIfSpaced(probeProgram) + QStringLiteral(" -mardozb ") + QuoteIfSpaced(path),
                                      workingFolder, timeout);
    result.info.path = path;
    return result;
}

#pragma once

// The media probe: register.dat run on a source file with no output prints
// what it knows about the input, and these handlers read its duration,
// bitrates, frame size and codecs from that output.
//
// Only finished lines are read: a report that a later report replaces (the
// runner reports a growing line again and again) is never scanned, so no
// field is ever taken from half a line. "Video:" and "Audio:" count only on
// stream lines, "Duration:" and "bitrate:" only on the duration line, so a
// file's name or tags can never pass for its facts. A probe that does not end
// within Timeout is stopped and its file counts as unreadable (no values).

#include "engine/console_process.h"
#include "engine/records.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>

class QEventLoop;

// The ten probe values, as printed; empty where no line gave one.
struct ProbeValues {
    QString duration;     // "hh:mm:ss"
    QString totalBitrate; // kb/s
    QString videoBitrate; // kb/s
    QString audioBitrate; // kb/s
    QString frameSize;    // "WxH"
    QString videoCodec;
    QString frameRate;    // the rest of the video line
    QString audioCodec;
    QString sampleRate;   // e.g. " 44100 Hz"
    QString channels;     // e.g. " stereo"
};

// The number before the first " kb/s" of a line holding key (at most ten
// characters back to a blank); empty when the line lacks key or " kb/s".
QString ParseKbps(const QString &key, const QString &line);
// "WxH" around the first "x" after "Video:" on a line holding "1011"; else empty.
QString ParseProbeResolution(const QString &line);
// Audio codec, sample rate and channels from an "Audio:" line; each only while still empty.
void ParseProbeAudio(const QString &line, ProbeValues &values);
// Video codec and frame-rate text from a "Video:" line.
void ParseProbeVideo(const QString &line, ProbeValues &values);
// One finished line of probe output into the values.
void ScanProbeLine(const QString &line, ProbeValues &values);

class MediaProbe : public QObject {
    Q_OBJECT
public:
    explicit MediaProbe(QObject *parent = nullptr);

    std::chrono::milliseconds Timeout{20000};

    // Starts one probe and returns at once; the values are emptied and the
    // probe-running flag is set. Throws what the runner throws when the probe
    // program cannot be started (the flag is then clear again), and
    // std::logic_error while a probe runs.
    void StartProbe(const QString &commandLine, const QString &workingFolder);
    // Runs the event loop until the probe-running flag falls. Throws
    // std::logic_error when called again while it waits.
    void WaitForProbe();
    // Ends a running probe with everything it started; its file then counts
    // as unreadable, as after a timeout. The end notification still follows.
    void Stop();

    bool ProbeRunning() const { return m_running; }
    bool TimedOut() const { return m_timedOut; }
    bool Stopped() const { return m_stopped; }
    const ProbeValues &Values() const { return m_values; }

    // The runner's notifications.
    void gettimeJvCreateProcessRead(TJvCreateProcess *sender, const QString &line, bool startsOnNewLine);
    void gettimeJvCreateProcessTerminate(TJvCreateProcess *sender, quint32 exitCode);

private:
    void timedOut();
    void timerEvent(QTimerEvent *event) override;

    QPointer<TJvCreateProcess> m_runner;
    ProbeValues m_values;
    QString m_pendingLine;
    bool m_hasPending = false;
    bool m_running = false;
    bool m_timedOut = false;
    bool m_stopped = false;
    QEventLoop *m_wait = nullptr;
    int m_timer = 0;
};

// One probe run to its end.
struct ProbeResult {
    Toriginalinfo info;   // the path and the probe values it has fields for, as printed
    QString totalBitrate; // kb/s
    bool timedOut = false;
};

// Probes path with probeProgram (the executable's folder + "register.dat"):
// the line is the quoted program, " -mardozb " and the quoted path.
ProbeResult ProbeMediaFile(const QString &probeProgram, const QString &path, const QString &workingFolder,
                           std::chrono::milliseconds timeout = std::chrono::milliseconds(20000));
// Runs a ready probe line to its end; the result's path is left empty.
ProbeResult RunProbeLine(const QString &commandLine, const QString &workingFolder,
                         std::chrono::milliseconds timeout = std::chrono::milliseconds(20000));

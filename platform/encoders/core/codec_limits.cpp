#include "platform/encoders/core/codec_limits.h"

#include <algorithm>

namespace {

// Measured against ffmpeg 5.1's encoders: the least and most rates each opens
// and encodes with. AC-3's bit allocation for 5.1 fails on busy sound up to
// 48 kb/s, so six channels get the next rate that holds for any sound.
const std::vector<CodecLimits> kCodecLimits = {
    {"ac3", 6, {{1, 0, 32000, 640000}, {2, 0, 32000, 640000}, {6, 0, 64000, 640000}}, 1},
    {"libmp3lame", 2, {}, 1},
    {"mp2", 2, {}, 1},
    {"wmav2", 2, {}, 1},
    {"libvorbis",
     0,
     {{1, 0, 16000, 88000},
      {1, 44100, 32000, 240000},
      {2, 0, 32000, 176000},
      {2, 44100, 48000, 496000}},
     1},
    {"rv10", 0, {}, 16},
};

// The sample rate ffmpeg is given when the line names none.
constexpr int kUnnamedSampleRate = 48000;

QString LastValue(const QStringList &options, const char *name)
{
    const qsizetype at = options.lastIndexOf(QLatin1String(name));
    return at >= 0 && at + 1 < options.size() ? options[at + 1] : QString();
}

void SetEvery(QStringList &options, const char *name, const QString &value)
{
    for (qsizetype i = 0; i + 1 < options.size(); ++i)
        if (options[i] == QLatin1String(name))
            options[i + 1] = value;
}

// The range for a channel count at a sample rate: the last of its rows that starts at or below the rate.
const BitrateRange *RangeFor(const CodecLimits &limits, int channels, int sampleRate)
{
    const BitrateRange *found = nullptr;
    for (const BitrateRange &r : limits.ranges)
        if (r.channels == channels && r.fromSampleRate <= sampleRate)
            found = &r;
    return found;
}

int NearestMultiple(int side, int multiple)
{
    const int rounded = (side + multiple / 2) / multiple * multiple;
    return std::max(multiple, rounded);
}

void AdaptAudio(QStringList &options, const CodecLimits &limits, QStringList &notes)
{
    const QString codec = QString::fromLatin1(limits.codec);
    bool ok = false;
    int channels = LastValue(options, "-ac").toInt(&ok);
    if (ok && limits.mostChannels > 0 && channels > limits.mostChannels) {
        notes << QStringLiteral("%1 takes at most %2 channels: converting with %2 instead of %3")
                     .arg(codec)
                     .arg(limits.mostChannels)
                     .arg(channels);
        channels = limits.mostChannels;
        SetEvery(options, "-ac", QString::number(channels));
    }
    if (!ok)
        return;
    const int rate = LastValue(options, "-b:a").toInt(&ok);
    if (!ok)
        return;
    bool rateOk = false;
    int sampleRate = LastValue(options, "-ar").toInt(&rateOk);
    if (!rateOk)
        sampleRate = kUnnamedSampleRate;
    const BitrateRange *range = RangeFor(limits, channels, sampleRate);
    if (!range)
        return;
    const int adapted = std::clamp(rate, range->leastBps, range->mostBps);
    if (adapted == rate)
        return;
    notes << QStringLiteral("%1 takes %2 to %3 b/s for %4 channel(s) at %5 Hz: converting at %6 instead of %7")
                 .arg(codec)
                 .arg(range->leastBps)
                 .arg(range->mostBps)
                 .arg(channels)
                 .arg(sampleRate)
                 .arg(adapted)
                 .arg(rate);
    SetEvery(options, "-b:a", QString::number(adapted));
}

void AdaptFrameSize(QStringList &options, const CodecLimits &limits, QStringList &notes)
{
    if (limits.sizeMultiple <= 1)
        return;
    const QString size = LastValue(options, "-s");
    const qsizetype x = size.indexOf(u'x');
    bool okW = false, okH = false;
    const int width = size.left(x).toInt(&okW);
    const int height = size.mid(x + 1).toInt(&okH);
    if (x < 0 || !okW || !okH)
        return;
    const int w = NearestMultiple(width, limits.sizeMultiple);
    const int h = NearestMultiple(height, limits.sizeMultiple);
    if (w == width && h == height)
        return;
    const QString adapted = QStringLiteral("%1x%2").arg(w).arg(h);
    notes << QStringLiteral("%1 takes frame sides in multiples of %2: converting at %3 instead of %4")
                 .arg(QString::fromLatin1(limits.codec))
                 .arg(limits.sizeMultiple)
                 .arg(adapted, size);
    SetEvery(options, "-s", adapted);
}

} // namespace

const CodecLimits *FindCodecLimits(const QString &codec)
{
    for (const CodecLimits &limits : kCodecLimits)
        if (codec == QLatin1String(limits.codec))
            return &limits;
    return nullptr;
}

QStringList AdaptToCodecLimits(QStringList &outputOptions)
{
    QStringList notes;
    if (const CodecLimits *audio = FindCodecLimits(LastValue(outputOptions, "-c:a")))
        AdaptAudio(outputOptions, *audio, notes);
    if (const CodecLimits *video = FindCodecLimits(LastValue(outputOptions, "-c:v")))
        AdaptFrameSize(outputOptions, *video, notes);
    return notes;
}

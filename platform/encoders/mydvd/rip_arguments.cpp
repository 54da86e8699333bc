#include "platform/encoders/mydvd/rip_arguments.h"

#include "platform/encoders/mydvd/dvd_address.h"

#include <algorithm>

namespace {

// Enough of the stream for ffmpeg to find every stream the opening holds (a
// few megabytes at DVD rates) before it starts.
const QStringList kProbe{"-probesize", "8000000", "-analyzeduration", "30000000"};

bool Has(const QStringList &options, const char *option) { return options.contains(QLatin1String(option)); }

// A subtitle is burned into a picture; an output without one has none.
bool Burns(const EncoderRequest &encoding, const RipStreams &streams)
{
    return streams.subtitleId != 0 && RipsVideo(encoding);
}

QStringList InputOptions(const EncoderRequest &encoding, const RipStreams &streams)
{
    QStringList words = FfmpegCommonOptions(encoding) + encoding.inputOptions + kProbe;
    if (Burns(encoding, streams) && !streams.palette.empty())
        words << "-palette" << PaletteOption(streams.palette);
    return words + QStringList{"-f", "mpeg", "-i", "pipe:0"};
}

QString ValueOf(const QStringList &options, const char *option)
{
    const qsizetype at = options.indexOf(QLatin1String(option));
    return at >= 0 && at + 1 < options.size() ? options[at + 1] : QString();
}

QStringList VideoMap(const EncoderRequest &encoding, const RipStreams &streams)
{
    if (!RipsVideo(encoding))
        return {};
    if (!Burns(encoding, streams))
        return {"-map", "0:v:0"};
    const QString graph =
        QStringLiteral("[0:v:0][0:i:%1]overlay[burned]").arg(StreamIdText(FfmpegStreamId(streams.subtitleId)));
    return {"-filter_complex", graph, "-map", "[burned]"};
}

// The output's clock starts at the range's first picture. Silence fills the
// time before the audio's first packet (a stream that comes in late) and,
// beside a picture, the time after its last: a part's sectors end before the
// sound of its last moments, which is muxed behind the picture.
const QString kAudioInPlace = QStringLiteral("aresample=async=1:first_pts=0");

QStringList AudioFilter(const EncoderRequest &encoding)
{
    if (!RipsVideo(encoding))
        return {"-af", kAudioInPlace};
    return {"-af", kAudioInPlace + QStringLiteral(",apad"), "-shortest"};
}

// ffmpeg moves the clock of an input with timestamp breaks (a program stream)
// to the first packet of the streams it uses: without the picture, that is
// the audio's, and a late stream would sound from the start. The picture,
// copied to nowhere beside the audio, keeps the clock on it.
const QStringList kPictureClock{"-map", "0:v:0?", "-c", "copy", "-f", "null", "-"};

QStringList AudioMap(const EncoderRequest &encoding, const RipStreams &streams)
{
    if (streams.audioMap.isEmpty() || Has(encoding.outputOptions, "-an"))
        return {};
    return QStringList{"-map", streams.audioMap} + AudioFilter(encoding);
}

QStringList PcmOutput(const EncoderRequest &encoding, const RipStreams &streams)
{
    QStringList words = QStringList{"-map", streams.audioMap, "-vn", "-sn", "-af", kAudioInPlace};
    const QString duration = ValueOf(encoding.outputOptions, "-t");
    if (!duration.isEmpty())
        words << "-t" << duration;
    return words + QStringList{"-ac", "1", "-ar", "8000", "-c:a", "pcm_s16le", "-f", "s16le", "pipe:1"};
}

int Clamped(int value) { return std::clamp(value, 0, 255); }

} // namespace

bool RipsVideo(const EncoderRequest &encoding) { return !Has(encoding.outputOptions, "-vn"); }

int FfmpegStreamId(int dvdId)
{
    if (dvdId >= 0xc0 && dvdId <= 0xef)
        return 0x100 | dvdId;
    return dvdId;
}

QString PaletteOption(const std::vector<uint32_t> &yCrCb)
{
    QStringList colours;
    for (const uint32_t entry : yCrCb) {
        // ITU-R BT.601 with video levels, as DVD players show them.
        const int c = int((entry >> 16) & 0xff) - 16;
        const int e = int((entry >> 8) & 0xff) - 128;
        const int d = int(entry & 0xff) - 128;
        const int r = Clamped((298 * c + 409 * e + 128) >> 8);
        const int g = Clamped((298 * c - 100 * d - 208 * e + 128) >> 8);
        const int b = Clamped((298 * c + 516 * d + 128) >> 8);
        colours << QStringLiteral("%1").arg((r << 16) | (g << 8) | b, 6, 16, QLatin1Char('0'));
    }
    return colours.join(u',');
}

QStringList FfmpegRipArguments(const EncoderRequest &encoding, const RipStreams &streams)
{
    const QStringList audio = AudioMap(encoding, streams);
    QStringList words = InputOptions(encoding, streams) + VideoMap(encoding, streams) + audio + encoding.outputOptions +
                        QStringList{FileUrl(encoding.output)};
    if (!RipsVideo(encoding) && !audio.isEmpty())
        words += kPictureClock;
    return words;
}

QStringList FfmpegRipPcmArguments(const EncoderRequest &encoding, const RipStreams &streams)
{
    return InputOptions(encoding, streams) + PcmOutput(encoding, streams) + kPictureClock;
}

QStringList FfmpegRipVideoAndPcmArguments(const EncoderRequest &encoding, const RipStreams &streams,
                                          const QString &videoPath)
{
    EncoderRequest temporary = encoding;
    temporary.overwrite = true; // the temporary file exists already
    QStringList words = InputOptions(temporary, streams) + VideoMap(temporary, streams) + temporary.outputOptions +
                        QStringList{"-an", FileUrl(videoPath)};
    if (!streams.audioMap.isEmpty())
        words += PcmOutput(temporary, streams);
    return words;
}

QStringList FfmpegRipMuxArguments(const EncoderRequest &encoding, const QString &videoPath, const QString &amrPath,
                                  bool withAudio)
{
    QStringList words = FfmpegCommonOptions(encoding) + QStringList{"-i", FileUrl(videoPath)};
    if (withAudio)
        words << "-i" << FileUrl(amrPath) << "-map" << "0:v:0" << "-map" << "1:a:0";
    else
        words << "-map" << "0:v:0";
    words << "-c" << "copy";
    const QString format = ValueOf(encoding.outputOptions, "-f");
    if (!format.isEmpty())
        words << "-f" << format;
    return words + QStringList{"-sn", FileUrl(encoding.output)};
}

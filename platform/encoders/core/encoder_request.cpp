#include "platform/encoders/core/encoder_request.h"

#include "platform/encoders/core/codec_limits.h"

#include <array>
#include <utility>

namespace {

const QString kInputOption = QStringLiteral("-mardozb");

// Old spellings and the ones ffmpeg uses today.
constexpr std::array<std::pair<const char *, const char *>, 4> kRenamedOptions{{
    {"-b", "-b:v"},
    {"-ab", "-b:a"},
    {"-vcodec", "-c:v"},
    {"-acodec", "-c:a"},
}};

// Options of the old lines that take a value, so the value is never read as an option.
const char *const kOptionsWithValue[] = {
    "-b", "-b:v", "-ab", "-b:a", "-vcodec", "-c:v", "-acodec", "-c:a", "-r", "-s", "-aspect", "-ar",
    "-ac", "-t", "-ss", "-f", "-pix_fmt", "-profile:v", "-level:v", "-vtag", "-target", "-bf"};

bool TakesValue(const QString &option)
{
    for (const char *o : kOptionsWithValue) {
        if (option == QLatin1String(o))
            return true;
    }
    return false;
}

QString Renamed(const QString &option)
{
    for (const auto &[old, today] : kRenamedOptions) {
        if (option == QLatin1String(old))
            return QString::fromLatin1(today);
    }
    return option;
}

struct OptionPair {
    QString name;
    QString value;
    bool hasValue = false;
};

QList<OptionPair> Pairs(const QStringList &words)
{
    QList<OptionPair> pairs;
    for (qsizetype i = 0; i < words.size(); ++i) {
        OptionPair p{Renamed(words[i]), {}, false};
        if (TakesValue(words[i]) && i + 1 < words.size()) {
            p.value = words[++i];
            p.hasValue = true;
        }
        pairs.append(p);
    }
    return pairs;
}

QStringList Flatten(const QList<OptionPair> &pairs)
{
    QStringList words;
    for (const OptionPair &p : pairs) {
        words << p.name;
        if (p.hasValue)
            words << p.value;
    }
    return words;
}

QString ValueOf(const QList<OptionPair> &pairs, const QString &name)
{
    for (const OptionPair &p : pairs) {
        if (p.name == name)
            return p.value;
    }
    return {};
}

} // namespace

QStringList FfmpegCommonOptions(const EncoderRequest &request)
{
    // Every line tagged with its level: the errors are passed on, the closing
    // summary (an informational line) tells what was written.
    QStringList words{"-nostdin", "-hide_banner", "-nostats", "-loglevel", "level+info", "-progress", "pipe:3"};
    if (request.overwrite)
        words << "-y";
    else
        words << "-n";
    return words;
}

QString FileUrl(const QString &path) { return QStringLiteral("file:") + path; }

EncoderRequest ParseEncoderRequest(const QStringList &arguments)
{
    const qsizetype at = arguments.indexOf(kInputOption);
    if (at < 0 || at + 1 >= arguments.size())
        throw RequestError("no input: the line needs -mardozb followed by the input file");
    EncoderRequest request;
    request.input = arguments[at + 1];
    if (request.input.isEmpty())
        throw RequestError("the input file name is empty");
    if (at == 0 && arguments.size() == 2) {
        request.kind = EncoderRequest::Kind::Probe;
        return request;
    }
    request.kind = EncoderRequest::Kind::Convert;
    ParseConversionOptions(arguments, at, request);
    return request;
}

void ParseConversionOptions(const QStringList &arguments, qsizetype at, EncoderRequest &request)
{
    if (arguments.size() - (at + 2) < 2 || arguments[arguments.size() - 2] != QLatin1String("-sn"))
        throw RequestError("no output: a conversion line ends with -sn and the output file");
    request.output = arguments.last();
    if (request.output.isEmpty())
        throw RequestError("the output file name is empty");

    for (const OptionPair &p : Pairs(arguments.mid(0, at))) {
        if (p.name == QLatin1String("-y"))
            request.overwrite = true;
        else
            request.inputOptions << p.name << (p.hasValue ? QStringList{p.value} : QStringList{});
    }

    QList<OptionPair> options = Pairs(arguments.mid(at + 2, arguments.size() - at - 4));
    QList<OptionPair> kept;
    bool snapshot = false;
    for (OptionPair &p : options) {
        if (p.name == QLatin1String("-y")) {
            request.overwrite = true;
            continue;
        }
        if (p.name == QLatin1String("-c:a") && p.value == QLatin1String("libopencore_amrnb")) {
            request.amr = true;
            continue;
        }
        // The frame ratio is written with the user's decimal separator.
        if (p.name == QLatin1String("-aspect"))
            p.value.replace(u',', u'.');
        if (p.name == QLatin1String("-f") && p.value == QLatin1String("image2"))
            snapshot = true;
        kept.append(p);
    }
    if (request.amr) {
        bool ok = false;
        const int rate = ValueOf(kept, QStringLiteral("-b:a")).toInt(&ok);
        if (ok && rate > 0)
            request.amrBitrate = rate;
        const QString format = ValueOf(kept, QStringLiteral("-f"));
        request.amrOnly = format == QLatin1String("amr") ||
                          (format.isEmpty() && request.output.endsWith(QLatin1String(".amr"), Qt::CaseInsensitive));
        // The audio is encoded apart at 8 kHz mono; its options do not reach ffmpeg.
        QList<OptionPair> video;
        for (const OptionPair &p : kept) {
            if (p.name != QLatin1String("-b:a") && p.name != QLatin1String("-ar") && p.name != QLatin1String("-ac"))
                video.append(p);
        }
        kept = video;
    }
    request.outputOptions = Flatten(kept);
    request.notes = AdaptToCodecLimits(request.outputOptions);
    if (snapshot)
        request.outputOptions << "-frames:v" << "1" << "-update" << "1";
    request.outputOptions << "-sn";
}

QStringList FfmpegConvertArguments(const EncoderRequest &request)
{
    return FfmpegCommonOptions(request) + request.inputOptions + QStringList{"-i", FileUrl(request.input)} +
           request.outputOptions + QStringList{FileUrl(request.output)};
}

QStringList FfmpegPcmArguments(const EncoderRequest &request)
{
    QStringList words = FfmpegCommonOptions(request) + request.inputOptions + QStringList{"-i", FileUrl(request.input)};
    const qsizetype t = request.outputOptions.indexOf(QStringLiteral("-t"));
    if (t >= 0 && t + 1 < request.outputOptions.size())
        words << "-t" << request.outputOptions[t + 1];
    words << "-map" << "0:a:0" << "-vn" << "-sn" << "-ac" << "1" << "-ar" << "8000" << "-c:a" << "pcm_s16le"
          << "-f" << "s16le" << "pipe:1";
    return words;
}

QStringList FfmpegMuxArguments(const EncoderRequest &request, const QString &amrPath, bool withAudio)
{
    QStringList words = FfmpegCommonOptions(request) + request.inputOptions + QStringList{"-i", FileUrl(request.input)};
    if (withAudio)
        words << "-i" << FileUrl(amrPath) << "-map" << "0:v:0?" << "-map" << "1:a:0" << "-c:a" << "copy";
    else
        words << "-map" << "0:v:0" << "-an";
    return words + request.outputOptions + QStringList{FileUrl(request.output)};
}

QStringList FfprobeArguments(const QString &input)
{
    return {"-hide_banner", "-loglevel", "error", "-print_format", "json", "-show_format", "-show_streams",
            FileUrl(input)};
}

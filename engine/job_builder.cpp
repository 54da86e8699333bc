#include "engine/job_builder.h"

#include "engine/float_format.h"
#include "engine/profile_captions.h"
#include "engine/profile_number.h"
#include "engine/quality_tables.h"
#include "engine/size_estimate.h"
#include "engine/text_helpers.h"
#include "platform/ini/integer_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <limits>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace {

bool isAmrOutput(const QString &ext) { return ext == u".3gp" || ext == u".amr"; }

// One side of a frame size: a whole number above 0, digits only.
std::optional<int> frameSide(QStringView text)
{
    if (text.isEmpty() || text.size() > 5)
        return std::nullopt;
    for (QChar c : text)
        if (!c.isDigit() || c.unicode() > 127)
            return std::nullopt;
    const int value = text.toInt();
    return value > 0 ? std::optional<int>(value) : std::nullopt;
}

struct FrameSize {
    int width;
    int height;
};

// "WxH" with both sides usable.
std::optional<FrameSize> parseFrameSize(QStringView text)
{
    const qsizetype x = text.indexOf(u'x');
    if (x < 0)
        return std::nullopt;
    const auto w = frameSide(text.left(x));
    const auto h = frameSide(text.mid(x + 1));
    if (!w || !h)
        return std::nullopt;
    return FrameSize{*w, *h};
}

// The text the size piece is made of: the list's text before its first "(".
QString sizeTextWithoutNote(const SettingsModel &settings)
{
    const QString text = settings.cb_size.Text();
    const qsizetype paren = text.indexOf(u'(');
    return paren >= 0 ? text.left(paren) : text;
}

// Indexes read from a list without a chosen item count as item 1.
int channelIndex(const SettingsModel &settings)
{
    const int i = settings.cb_channel.ItemIndex();
    return i >= 0 && i <= 2 ? i : 1;
}

const char *const kRefusalKey = "Invalid height or width, please input again or select from the pull-down menu.";

} // namespace

FrameSizeError::FrameSizeError(const QString &sizeText)
    : std::runtime_error(QStringLiteral("Invalid frame size \"%1\"").arg(sizeText).toStdString()),
      m_sizeText(sizeText)
{
}

bool IsUsableFrameSize(const EngineState &state, const SettingsModel &settings)
{
    const QString text = settings.cb_size.Text();
    if (IsDiscTarget(state.currentProfile))
        return text.compare(u"PAL", Qt::CaseInsensitive) == 0 || text.compare(u"NTSC", Qt::CaseInsensitive) == 0;
    if (!settings.cb_size.Enabled())
        return true;
    return parseFrameSize(sizeTextWithoutNote(settings)).has_value();
}

QString FrameSizeRefusal(const EngineState &state, const SettingsModel &settings, const LugLookup &lug)
{
    if (IsUsableFrameSize(state, settings))
        return {};
    const QString key = QString::fromLatin1(kRefusalKey);
    return LugText(lug, QStringLiteral("MessageDlg"), key, key) + QStringLiteral(" (\"%1\")").arg(settings.cb_size.Text());
}

QString BuildSizeArg(const EngineState &state, const SettingsModel &settings)
{
    if (!settings.cb_size.Enabled() || IsDiscTarget(state.currentProfile))
        return {};
    return QStringLiteral(" -s ") + sizeTextWithoutNote(settings);
}

QString BuildAspectArg(const QString &sizePiece, const EngineState &state, const SettingsModel &settings)
{
    if (!settings.cb_size.Enabled() || sizePiece.isEmpty() || IsDiscTarget(state.currentProfile))
        return {};
    const auto size = parseFrameSize(QStringView(sizePiece).mid(4));
    if (!size)
        throw FrameSizeError(settings.cb_size.Text());
    // Always ".": the encoder reads the ratio in the C locale.
    return QStringLiteral(" -aspect ") + FormatFixed(double(size->width) / size->height, 5, 4, u'.');
}

QString BuildVideoBitrateArg(const EngineState &state, const SettingsModel &settings, const QString &rowFrameSize)
{
    const int p = state.currentProfile;
    if (IsDiscTarget(p))
        return {};
    if (IsSlotRated(p)) {
        if (state.videoRateSlots[0] == u"*")
            return {};
        int index = settings.cb_videobitrate.ItemIndex();
        if (!IsQualityIndex(index))
            index = 1;
        return QStringLiteral(" -r 25 -b ") + state.videoRateSlots[index] + QStringLiteral("000");
    }
    // The video part of the total: the total less the audio rate it was counted
    // with (AMR and WAV outputs count their own), never below 0.
    const int total = GetTotalBitrate(state, settings, rowFrameSize);
    const int video = std::max(0, total - CountedAudioKbps(state, settings).value_or(total));
    return QStringLiteral(" -r 25 -b ") + QString::number(int64_t(video) * 1000);
}

QString BuildAudioBitrateArg(const EngineState &state, const SettingsModel &settings)
{
    if (IsDiscTarget(state.currentProfile))
        return {};
    const int index = settings.cb_audiobitrate.ItemIndex();
    if (!IsQualityIndex(index))
        return QStringLiteral(" -ab 128000 ");
    if (isAmrOutput(GetProfileExtension(state)))
        return QStringLiteral(" -ab ") + QLatin1String(kAmrBps[index]);
    return QStringLiteral(" -ab ") + QString::number(kAudioKbps[index] * 1000);
}

QString BuildAudioRateArg(const QString &audioPiece, const EngineState &state, const SettingsModel &settings)
{
    if (audioPiece.isEmpty() || IsDiscTarget(state.currentProfile))
        return {};
    const std::optional<int> parsed = ParseIntegerText(QStringView(audioPiece).mid(5));
    if (!parsed)
        return QStringLiteral(" -ar 44100 ");
    const int n = *parsed;
    QString piece = n > 192000 ? QStringLiteral(" -ar 48000 ")
                    : n > 64000 ? QStringLiteral(" -ar 44100 ")
                                : QStringLiteral(" -ar 22050 ");
    if (isAmrOutput(GetProfileExtension(state)))
        piece = QStringLiteral(" -ar 8000 ");
    if (channelIndex(settings) == 2)
        piece = QStringLiteral(" -ar 48000 ");
    return piece;
}

QString BuildChannelsArg(const EngineState &state, const SettingsModel &settings, const QString *rowChannels)
{
    const int index = channelIndex(settings);
    QString piece = QStringLiteral(" -ac ") + QString::number(index + 1);
    if (index == 2)
        piece = QStringLiteral(" -ac 6 ");
    if (rowChannels && index == 2 && rowChannels->contains(u'1'))
        piece = QStringLiteral(" -ac 2 ");
    if (isAmrOutput(GetProfileExtension(state)))
        piece = QStringLiteral(" -ac 1 ");
    return piece;
}

QString BuildDiscTargetOptions(const EngineState &state, const SettingsModel &settings)
{
    static const char *const kTargets[] = {"-vcd ", "-svcd ", "-dvd "};
    if (!IsDiscTarget(state.currentProfile))
        return {};
    return QStringLiteral(" -target ") + settings.cb_size.Text().toLower() +
           QLatin1String(kTargets[state.currentProfile - 112]);
}

QString BuildDurationArg(int clipSeconds)
{
    return clipSeconds > 0 ? QStringLiteral(" -t ") + SecondsToHms(clipSeconds) : QString();
}

QString AbsoluteOutputFolder(const QString &typed, const QString &home)
{
    if (typed.trimmed().isEmpty())
        return typed;
    // "~" and "~/..." name the home folder as a shell would.
    QString path = typed;
    if (path == u"~" || path.startsWith(QLatin1String("~/")))
        path = path.mid(path.size() > 1 ? 2 : 1);
    return QDir::cleanPath(QDir(home).absoluteFilePath(path));
}

QString ChangeFileExt(const QString &name, const QString &ext)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    const qsizetype slash = name.lastIndexOf(u'/');
    if (dot < 0 || dot < slash)
        return name + ext;
    return name.left(dot) + ext;
}

namespace {

// The folder part of every output name: made when missing (one level), with its "/".
QString outputDir(const QString &folder)
{
    QString dir = folder;
    if (!dir.isEmpty() && !QFileInfo::exists(dir))
        QDir().mkdir(dir);
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

// Name number n of the rule: 0 is the stem's own, then caption_1, caption_2, ...
QString candidateName(const QString &dir, const OutputName &name, int n)
{
    if (n == 0)
        return dir + FitFileNameBase(name.stem, name.ext) + name.ext;
    const QString suffix = u'_' + QString::number(n) + name.ext;
    return dir + FitFileNameBase(name.caption, suffix) + suffix;
}

enum class Claim { Made, Taken, Failed };

// Creates path empty, only when nothing is there yet.
Claim claimFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
        ::close(fd);
        return Claim::Made;
    }
    return errno == EEXIST ? Claim::Taken : Claim::Failed;
}

} // namespace

QString UniqueOutputPath(const QString &folder, const QString &stem, const QString &caption,
                         const QString &ext, const QSet<QString> &handedOut)
{
    const QString dir = outputDir(folder);
    const OutputName name{folder, stem, caption, ext};
    QString output = candidateName(dir, name, 0);
    for (int n = 1; QFileInfo::exists(output) || handedOut.contains(output); ++n)
        output = candidateName(dir, name, n);
    return output;
}

QString ClaimOutputPath(const QString &planned, const OutputName &name, QSet<QString> &handedOut)
{
    if (!planned.isEmpty()) {
        const Claim claim = claimFile(planned);
        if (claim != Claim::Taken) {
            handedOut.insert(planned);
            return planned;
        }
    }
    const QString dir = outputDir(name.folder);
    for (int n = 0;; ++n) {
        const QString output = candidateName(dir, name, n);
        if (handedOut.contains(output) || claimFile(output) == Claim::Taken)
            continue;
        handedOut.insert(output);
        return output;
    }
}

bool OutputWritten(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

void RemoveUnwrittenOutput(const QString &path)
{
    if (QFileInfo(path).isFile() && !OutputWritten(path))
        QFile::remove(path);
}

QString FitFileNameBase(const QString &base, const QString &suffix)
{
    const qsizetype room = kMaxFileNameBytes - suffix.toUtf8().size();
    QString fitted = base;
    qsizetype bytes = fitted.toUtf8().size();
    while (!fitted.isEmpty() && bytes > room) {
        // One whole character off the end: a surrogate pair goes together.
        const qsizetype width = fitted.size() >= 2 && fitted.back().isLowSurrogate() ? 2 : 1;
        bytes -= fitted.right(width).toUtf8().size();
        fitted.chop(width);
    }
    return fitted;
}

bool CaptionFitsFileName(const QString &caption, const QString &ext)
{
    // The numbering counts with an int: "_" and at most ten digits.
    const qsizetype longestNumber = 1 + QByteArray::number(std::numeric_limits<int>::max()).size();
    return caption.toUtf8().size() + longestNumber + ext.toUtf8().size() <= kMaxFileNameBytes;
}

namespace {

// The pieces both kinds of row share, in the build order; the caller has set
// the output folder, the input and the output path.
void buildPieces(EngineState &state, const SettingsModel &settings, const Toriginalinfo &info,
                 const QString *rowChannels, int clipSeconds)
{
    intputrec &job = state.currentJob;
    job.sizePiece = BuildSizeArg(state, settings);
    job.aspectPiece = BuildAspectArg(job.sizePiece, state, settings);
    job.videoPiece = BuildVideoBitrateArg(state, settings, info.frameSize);
    job.audioBitratePiece = BuildAudioBitrateArg(state, settings);
    job.sourceSeconds = HmsToSeconds(info.duration);
    job.sampleRatePiece = BuildAudioRateArg(job.audioBitratePiece, state, settings);
    job.channelsPiece = BuildChannelsArg(state, settings, rowChannels);
    job.extraOption.clear();
    job.durationPiece = BuildDurationArg(clipSeconds);
    state.currentClipSeconds = clipSeconds;
    // Taken afresh from the profile, so a snapshot's options never reach a conversion.
    job.profileOptions = IsDiscTarget(state.currentProfile) ? BuildDiscTargetOptions(state, settings)
                                                            : state.profileOptionString;
}

void checkFrameSize(const EngineState &state, const SettingsModel &settings)
{
    if (!IsUsableFrameSize(state, settings))
        throw FrameSizeError(settings.cb_size.Text());
}

// The file-name part of a DVD row's caption, without its leading blanks.
QString dvdBaseName(const QString &caption)
{
    QString name = caption.mid(caption.lastIndexOf(u'/') + 1);
    qsizetype i = 0;
    while (i < name.size() && name.at(i) == u' ')
        ++i;
    return name.mid(i);
}

} // namespace

void BuildFileJob(EngineState &state, const SettingsModel &settings, const QString &caption,
                  const Toriginalinfo &info, const ClipRange &clip)
{
    checkFrameSize(state, settings);
    state.outputFolder = settings.ed_output;
    intputrec &job = state.currentJob;
    job.input = info.path;
    state.currentOutputName = {state.outputFolder, caption, caption, GetProfileExtension(state)};
    const OutputName &name = state.currentOutputName;
    job.output = UniqueOutputPath(name.folder, name.stem, name.caption, name.ext, state.usedOutputNames);
    state.usedOutputNames.insert(job.output);
    buildPieces(state, settings, info, &info.channels, clip.clipEnd - clip.clipBegin);
    job.clipSeconds = state.currentClipSeconds;
    // A clip marked later than the start is converted from its mark, not from 0.
    if (clip.clipBegin > 0)
        job.extraOption = QStringLiteral(" -ss ") + SecondsToHms(clip.clipBegin);
}

void BuildDvdJob(EngineState &state, const SettingsModel &settings, const QString &caption,
                 const Toriginalinfo &info, const TConvertInfo &dvd, const QString &input)
{
    checkFrameSize(state, settings);
    state.outputFolder = settings.ed_output;
    intputrec &job = state.currentJob;
    job.input = input;
    // The numbered names too: a chapter's caption starts with blanks.
    const QString base = dvdBaseName(caption);
    state.currentOutputName = {state.outputFolder, ChangeFileExt(base, {}), base, GetProfileExtension(state)};
    buildPieces(state, settings, info, nullptr, dvd.endSeconds - dvd.startSeconds);
    // The sectors bound the rip; the row's whole seconds would cut the fraction
    // of a second past them from its end.
    job.durationPiece.clear();
    job.output = ClaimOutputPath({}, state.currentOutputName, state.usedOutputNames);
}

QString MakeUniqueOutputName(EngineState &state, const QString &caption, JobTextDisplay &texts)
{
    state.currentJob.output = UniqueOutputPath(state.outputFolder, ChangeFileExt(caption, {}), caption,
                                               GetProfileExtension(state), state.usedOutputNames);
    for (const char *object : {"filename", "filesize", "usedtime", "resttime"})
        texts.setJobText(QLatin1String(object), QString());
    texts.setJobText(QStringLiteral("filepath"), state.currentJob.output);
    return state.currentJob.output;
}

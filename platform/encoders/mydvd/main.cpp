// mydvd.dll: the DVD encoder the program runs for DVD rows. It reads the
// sectors that a "vts://" address names with libdvdread, a chunk at a time,
// into the standard input of the system's ffmpeg (FFMPEG in the environment
// may name another), which encodes them with the program's options, the
// chosen audio stream and, burned into the picture, the chosen subtitle. It
// prints the status lines register.dat prints and returns ffmpeg's exit code,
// or non-zero with a message for what it cannot rip.

#include "platform/encoders/core/amr_writer.h"
#include "platform/encoders/core/encoder_console.h"
#include "platform/encoders/core/encoder_request.h"
#include "platform/encoders/core/progress_report.h"
#include "platform/encoders/core/tool_process.h"
#include "platform/encoders/mydvd/dvd_request.h"
#include "platform/encoders/mydvd/dvd_title_set.h"
#include "platform/encoders/mydvd/pack_scan.h"
#include "platform/encoders/mydvd/rip_arguments.h"
#include "platform/encoders/mydvd/sector_feed.h"
#include "platform/encoders/mydvd/stream_choice.h"

#include <QFileInfo>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

constexpr std::string_view kName = "mydvd.dll";

void Say(const std::string &text) { SayAs(kName, text); }

// A file of its own in TMPDIR, removed with this object.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string &suffix)
    {
        const char *tmp = std::getenv("TMPDIR");
        m_path = std::string(tmp && *tmp ? tmp : "/tmp") + "/mydvd-XXXXXX" + suffix;
        const int fd = ::mkstemps(m_path.data(), int(suffix.size()));
        if (fd < 0)
            throw std::runtime_error(std::string("cannot make a temporary file: ") + std::strerror(errno));
        ::close(fd);
    }
    ~TemporaryFile() { ::unlink(m_path.c_str()); }
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;
    const std::string &path() const { return m_path; }
    QString qpath() const { return QString::fromLocal8Bit(m_path.c_str()); }

private:
    std::string m_path;
};

ToolStreams FedStreams(ProgressReport &report, FfmpegEndReport &end, SectorFeed &feed)
{
    ToolStreams streams = ConversionStreams(report, end);
    streams.input = [&feed] { return feed.next(); };
    return streams;
}

int RipOnce(const DvdRequest &request, const RipStreams &streams, SectorFeed &feed, FfmpegEndReport &end)
{
    ProgressReport report;
    const int code = RunTool(ToolCommand(FfmpegProgram(), FfmpegRipArguments(request.encoding, streams)),
                             FedStreams(report, end, feed));
    return ConversionExitCode(kName, code, end.writeFailed());
}

// The PCM ffmpeg writes on its standard output encoded into an AMR-NB file,
// made with the first audio so that a failing rip leaves path untouched.
int RipToAmr(const QStringList &arguments, const DvdRequest &request, const std::string &path, bool overwrite,
             SectorFeed &feed, FfmpegEndReport &end)
{
    std::optional<AmrWriter> writer;
    ProgressReport report;
    ToolStreams streams = FedStreams(report, end, feed);
    streams.output = [&](const char *data, size_t size) {
        if (!writer)
            writer.emplace(path, overwrite, request.encoding.amrBitrate);
        writer->write(data, size);
    };
    const int code = RunTool(ToolCommand(FfmpegProgram(), arguments), streams);
    if (code == 0 && !writer)
        writer.emplace(path, overwrite, request.encoding.amrBitrate);
    if (writer)
        writer->finish();
    return ConversionExitCode(kName, code, end.writeFailed());
}

// AMR-NB beside video: one reading of the sectors gives the video file and the
// AMR-NB file, which a second, copying run joins into the output.
int RipWithAmr(const DvdRequest &request, const RipStreams &streams, SectorFeed &feed, FfmpegEndReport &end)
{
    const EncoderRequest &encoding = request.encoding;
    if (encoding.amrOnly)
        return RipToAmr(FfmpegRipPcmArguments(encoding, streams), request, encoding.output.toStdString(),
                        encoding.overwrite, feed, end);
    const QString suffix = QFileInfo(encoding.output).suffix();
    const TemporaryFile video(suffix.isEmpty() ? std::string() : (QStringLiteral(".") + suffix).toStdString());
    const TemporaryFile audio(".amr");
    FfmpegEndReport ripEnd;
    const int code = RipToAmr(FfmpegRipVideoAndPcmArguments(encoding, streams, video.qpath()), request, audio.path(),
                              true, feed, ripEnd);
    if (code != 0 || StopRequested())
        return code;
    ProgressReport report;
    ToolStreams join = ConversionStreams(report, end);
    join.progressLine = nullptr; // the rip has shown its progress already
    const int joined = RunTool(
        ToolCommand(FfmpegProgram(),
                    FfmpegRipMuxArguments(encoding, video.qpath(), audio.qpath(), !streams.audioMap.isEmpty())),
        join);
    return ConversionExitCode(kName, joined, end.writeFailed());
}

// An audio stream the IFO lists may start long after the opening (a
// commentary, a chapter before its first line): its first pack is looked for
// ahead and given first, so that ffmpeg knows the stream from the start.
bool FoundLater(int audioId, DvdTitleSet &disc, SectorFeed &feed)
{
    const int stream = FfmpegStreamId(audioId);
    if (audioId == 0 || feed.opening().has(stream) || disc.listedAudio().count(audioId) == 0)
        return false;
    const std::optional<uint32_t> sector = feed.findAhead(stream, StopRequested);
    if (sector)
        feed.moveForward(*sector);
    return sector.has_value();
}

int Rip(const DvdRequest &request)
{
    for (const QString &note : request.encoding.notes)
        Say(note.toStdString());
    const DvdAddress &address = request.address;
    DvdTitleSet disc(address.folder, address.titleSet);
    SectorFeed feed(disc, address.startSector, address.endSector);
    const StreamChoice choice = ChooseStreams(address.audioId, address.subtitleId, feed.opening(),
                                              FoundLater(address.audioId, disc, feed), disc.listedSubtitles());
    for (const QString &note : choice.notes)
        Say(note.toStdString());
    RipStreams streams{choice.audioMap, RipsVideo(request.encoding) ? choice.subtitleId : 0, {}};
    if (streams.subtitleId != 0)
        streams.palette = disc.palette(address.startSector);
    // ffmpeg knows a stream only from its packets; a subtitle's first picture
    // may come minutes into the title, so an empty one opens the stream.
    if (streams.subtitleId != 0) {
        if (const std::optional<uint64_t> pts = feed.firstPicturePts()) {
            feed.prepend(EmptySubpicturePack(feed.firstPack(), streams.subtitleId, *pts));
        } else {
            Say("warning: the opening sectors carry no video time to place the subtitle at: ripping without it");
            streams.subtitleId = 0;
        }
    }
    if (StopRequested())
        return 128 + SIGTERM;
    FfmpegEndReport end; // of the ffmpeg run that wrote the output
    const int code =
        request.encoding.amr ? RipWithAmr(request, streams, feed, end) : RipOnce(request, streams, feed, end);
    if (!feed.readError().empty()) {
        Say(feed.readError());
        return code == 0 ? 1 : code;
    }
    if (code == 0 && streams.subtitleId != 0 && !feed.given().has(streams.subtitleId))
        Say("subtitle " + StreamIdText(streams.subtitleId).toStdString() + " shows nothing in these sectors");
    return StopRequested() ? code : VerifiedOutputExitCode(kName, code, request.encoding.output, end);
}

constexpr const char *kUsage =
    "usage: mydvd.dll [-y] -i vts://TT*START*END*AUDIO*SUBTITLE*/disc/folder [OPTIONS] -sn OUTPUT";

} // namespace

int main(int argc, char **argv)
{
    return RunStandIn(kName, argc, argv, kUsage,
                      [](const QStringList &arguments) { return Rip(ParseDvdRequest(arguments)); });
}

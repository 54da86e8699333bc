// register.dat: the file encoder the program runs for conversions, frame
// snapshots and the media probe. It reads the program's command lines, does
// the work with the system's ffmpeg and ffprobe (FFMPEG and FFPROBE in the
// environment may name others) and prints what the program reads: status
// lines with time=<seconds> and bitrate= while converting, the input's facts
// in stream-line form for a probe. It returns the tool's exit code.

#include "platform/encoders/core/amr_writer.h"
#include "platform/encoders/core/encoder_console.h"
#include "platform/encoders/core/encoder_request.h"
#include "platform/encoders/register/probe_report.h"
#include "platform/encoders/core/progress_report.h"
#include "platform/encoders/core/tool_process.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

void Say(const std::string &text) { SayAs("register.dat", text); }

int Checked(int code, const FfmpegEndReport &end) { return ConversionExitCode("register.dat", code, end.writeFailed()); }

int Probe(const EncoderRequest &request)
{
    std::string json;
    ToolStreams streams;
    streams.output = [&json](const char *data, size_t size) { json.append(data, size); };
    streams.errorLine = RelayToolLine;
    const int code = RunTool(ToolCommand(FfprobeProgram(), FfprobeArguments(request.input)), streams);
    if (code != 0)
        return code;
    const QJsonDocument facts = QJsonDocument::fromJson(QByteArray::fromStdString(json));
    if (!facts.isObject()) {
        Say("ffprobe gave no readable facts about the input");
        return 1;
    }
    const QByteArray lines = ProbeReport(facts.object());
    WriteAll(1, std::string_view(lines.constData(), size_t(lines.size())));
    return 0;
}

// The input's audio as AMR-NB into path; progress is shown when asked. The
// file is made with the first audio, so a failing input leaves it untouched.
int EncodeAmr(const EncoderRequest &request, const std::string &path, bool overwrite, bool showProgress,
              FfmpegEndReport &end)
{
    std::optional<AmrWriter> writer;
    ProgressReport report;
    ToolStreams streams = ConversionStreams(report, end);
    if (!showProgress)
        streams.progressLine = nullptr;
    streams.output = [&](const char *data, size_t size) {
        if (!writer)
            writer.emplace(path, overwrite, request.amrBitrate);
        writer->write(data, size);
    };
    const int code = RunTool(ToolCommand(FfmpegProgram(), FfmpegPcmArguments(request)), streams);
    if (code == 0 && !writer)
        writer.emplace(path, overwrite, request.amrBitrate);
    if (writer)
        writer->finish();
    return code;
}

int ConvertWithAmr(const EncoderRequest &request, FfmpegEndReport &end)
{
    if (request.amrOnly)
        return EncodeAmr(request, request.output.toStdString(), request.overwrite, true, end);
    const char *tmp = std::getenv("TMPDIR");
    std::string amrPath = std::string(tmp && *tmp ? tmp : "/tmp") + "/register-amr-XXXXXX.amr";
    const int fd = ::mkstemps(amrPath.data(), 4);
    if (fd < 0) {
        Say(std::string("cannot make a temporary file: ") + std::strerror(errno));
        return 1;
    }
    ::close(fd);
    int code = 0;
    try {
        FfmpegEndReport audioEnd;
        const int audio = EncodeAmr(request, amrPath, true, false, audioEnd);
        if (StopRequested()) {
            ::unlink(amrPath.c_str());
            return audio;
        }
        // A source without audio still gives its video.
        ProgressReport report;
        code = RunTool(ToolCommand(FfmpegProgram(),
                                   FfmpegMuxArguments(request, QString::fromStdString(amrPath), audio == 0)),
                       ConversionStreams(report, end));
        code = Checked(code, end);
    } catch (...) {
        ::unlink(amrPath.c_str());
        throw;
    }
    ::unlink(amrPath.c_str());
    return code;
}

// end: the report of the ffmpeg run that wrote the output.
int Convert(const EncoderRequest &request, FfmpegEndReport &end)
{
    for (const QString &note : request.notes)
        Say(note.toStdString());
    if (request.amr)
        return ConvertWithAmr(request, end);
    ProgressReport report;
    const int code = RunTool(ToolCommand(FfmpegProgram(), FfmpegConvertArguments(request)),
                             ConversionStreams(report, end));
    return Checked(code, end);
}

constexpr const char *kUsage =
    "usage: register.dat -mardozb INPUT                         (probe)\n"
    "       register.dat [-y] [-ss T] -mardozb INPUT [OPTIONS] -sn OUTPUT   (convert)";

} // namespace

int main(int argc, char **argv)
{
    return RunStandIn("register.dat", argc, argv, kUsage, [](const QStringList &arguments) {
        const EncoderRequest request = ParseEncoderRequest(arguments);
        // A folder, a FIFO or a device is no media file (and a FIFO would never end).
        struct stat info {};
        if (::stat(request.input.toLocal8Bit().constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
            Say("the input is not a regular file");
            return 1;
        }
        if (request.kind == EncoderRequest::Kind::Probe)
            return Probe(request);
        FfmpegEndReport end;
        const int code = Convert(request, end);
        return StopRequested() ? code : VerifiedOutputExitCode("register.dat", code, request.output, end);
    });
}

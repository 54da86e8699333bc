// register.dat: the file encoder the program runs for conversions, frame
// snapshots and the media probe. It reads the program's command lines, does
// the work with the system's ffmpeg and ffprobe (FFMPEG and FFPROBE in the
// environment may name others) and prints what the program reads: status
// lines with time=<seconds> and bitrate= while converting, the input's facts
// in stream-line form for a probe. It returns the tool's exit code.

#include "platform/encoders/register/amr_writer.h"
#include "platform/encoders/register/encoder_request.h"
#include "platform/encoders/register/probe_report.h"
#include "platform/encoders/register/progress_report.h"
#include "platform/encoders/register/tool_process.h"

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

void WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        text.remove_prefix(size_t(n));
    }
}

void Say(const std::string &text) { WriteAll(2, "register.dat: " + text + "\n"); }

// A line of the tool's own messages, passed on so that it can never pass for
// a status line or a probe line: one line, a prefix, no time= in it.
void Relay(std::string_view line)
{
    std::string text = "ffmpeg: ";
    for (const char c : line)
        text.push_back(static_cast<unsigned char>(c) < 0x20 ? '?' : c);
    for (size_t at = text.find("time="); at != std::string::npos; at = text.find("time=", at))
        text[at + 4] = ':';
    text.push_back('\n');
    WriteAll(2, text);
}

std::string Env(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string FfmpegProgram()
{
    const std::string named = Env("FFMPEG");
    return named.empty() ? std::string("ffmpeg") : named;
}

// FFPROBE, else the ffprobe beside a named ffmpeg, else the one on PATH.
std::string FfprobeProgram()
{
    const std::string named = Env("FFPROBE");
    if (!named.empty())
        return named;
    std::string ffmpeg = Env("FFMPEG");
    const size_t slash = ffmpeg.rfind('/');
    const size_t at = ffmpeg.rfind("ffmpeg");
    if (slash != std::string::npos && at != std::string::npos && at > slash)
        return ffmpeg.replace(at, 6, "ffprobe");
    return "ffprobe";
}

std::vector<std::string> Command(const std::string &program, const QStringList &arguments)
{
    std::vector<std::string> argv{program};
    for (const QString &a : arguments)
        argv.push_back(a.toStdString());
    return argv;
}

ToolStreams ConversionStreams(ProgressReport &report)
{
    ToolStreams streams;
    streams.errorLine = Relay;
    streams.progressLine = [&report](std::string_view line) {
        const QByteArray status = report.feed(QByteArrayView(line.data(), qsizetype(line.size())));
        if (!status.isEmpty())
            WriteAll(1, std::string_view(status.constData(), size_t(status.size())));
    };
    return streams;
}

int Probe(const EncoderRequest &request)
{
    std::string json;
    ToolStreams streams;
    streams.output = [&json](const char *data, size_t size) { json.append(data, size); };
    streams.errorLine = Relay;
    const int code = RunTool(Command(FfprobeProgram(), FfprobeArguments(request.input)), streams);
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
int EncodeAmr(const EncoderRequest &request, const std::string &path, bool overwrite, bool showProgress)
{
    std::optional<AmrWriter> writer;
    ProgressReport report;
    ToolStreams streams = ConversionStreams(report);
    if (!showProgress)
        streams.progressLine = nullptr;
    streams.output = [&](const char *data, size_t size) {
        if (!writer)
            writer.emplace(path, overwrite, request.amrBitrate);
        writer->write(data, size);
    };
    const int code = RunTool(Command(FfmpegProgram(), FfmpegPcmArguments(request)), streams);
    if (code == 0 && !writer)
        writer.emplace(path, overwrite, request.amrBitrate);
    if (writer)
        writer->finish();
    return code;
}

int ConvertWithAmr(const EncoderRequest &request)
{
    if (request.amrOnly)
        return EncodeAmr(request, request.output.toStdString(), request.overwrite, true);
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
        const int audio = EncodeAmr(request, amrPath, true, false);
        if (StopRequested()) {
            ::unlink(amrPath.c_str());
            return audio;
        }
        // A source without audio still gives its video.
        ProgressReport report;
        code = RunTool(Command(FfmpegProgram(),
                               FfmpegMuxArguments(request, QString::fromStdString(amrPath), audio == 0)),
                       ConversionStreams(report));
    } catch (...) {
        ::unlink(amrPath.c_str());
        throw;
    }
    ::unlink(amrPath.c_str());
    return code;
}

int Convert(const EncoderRequest &request)
{
    if (request.amr)
        return ConvertWithAmr(request);
    ProgressReport report;
    return RunTool(Command(FfmpegProgram(), FfmpegConvertArguments(request)), ConversionStreams(report));
}

constexpr const char *kUsage =
    "usage: register.dat -mardozb INPUT                         (probe)\n"
    "       register.dat [-y] [-ss T] -mardozb INPUT [OPTIONS] -sn OUTPUT   (convert)";

} // namespace

int main(int argc, char **argv)
{
    ForwardStopSignals();
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    try {
        const EncoderRequest request = ParseEncoderRequest(arguments);
        // A folder, a FIFO or a device is no media file (and a FIFO would never end).
        struct stat info {};
        if (::stat(request.input.toLocal8Bit().constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
            Say("the input is not a regular file");
            return 1;
        }
        return request.kind == EncoderRequest::Kind::Probe ? Probe(request) : Convert(request);
    } catch (const RequestError &e) {
        Say(e.what());
        WriteAll(2, std::string(kUsage) + "\n");
        return 2;
    } catch (const ToolMissing &e) {
        Say(std::string(e.what()) + ". Install ffmpeg, or name the ffmpeg program in the FFMPEG environment variable.");
        return 127;
    } catch (const std::exception &e) {
        Say(e.what());
        return 1;
    }
}

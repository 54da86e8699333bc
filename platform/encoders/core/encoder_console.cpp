#include "platform/encoders/core/encoder_console.h"

#include "platform/encoders/core/encoder_request.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <unistd.h>

namespace {

std::string Env(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// The starts of ffmpeg's messages about an output it could not write.
constexpr std::string_view kWriteErrors[] = {
    "Error writing trailer of ",
    "Error closing file ",
    "av_interleaved_write_frame(): ",
    "Error muxing a packet",
    "Error submitting a packet to the muxer",
};

// True while the last status line ended in a carriage return: a message
// written then would overwrite it on the console and keep its tail.
std::atomic<bool> g_statusLineOpen{false};

// A message on a line of its own.
void WriteMessage(std::string text)
{
    if (g_statusLineOpen.exchange(false))
        text.insert(text.begin(), '\n');
    WriteAll(2, text);
}

} // namespace

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

void SayAs(std::string_view program, std::string_view text)
{
    std::string line(program);
    line += ": ";
    line += text;
    line += '\n';
    WriteMessage(std::move(line));
}

void RelayToolLine(std::string_view line)
{
    std::string text = "ffmpeg: ";
    for (const char c : line)
        text.push_back(static_cast<unsigned char>(c) < 0x20 ? '?' : c);
    for (size_t at = text.find("time="); at != std::string::npos; at = text.find("time=", at))
        text[at + 4] = ':';
    text.push_back('\n');
    WriteMessage(std::move(text));
}

bool IsOutputWriteError(std::string_view line)
{
    for (const std::string_view start : kWriteErrors) {
        if (line.substr(0, start.size()) == start)
            return true;
    }
    return false;
}

int ConversionExitCode(std::string_view program, int code, bool writeFailed)
{
    if (code != 0 || !writeFailed)
        return code;
    SayAs(program, "the output could not be written");
    return 1;
}

int VerifiedOutputExitCode(std::string_view program, int code, const QString &output, bool probeStreams)
{
    if (code != 0)
        return code;
    const QFileInfo file(output);
    if (!file.isFile() || file.size() == 0) {
        SayAs(program, "the output was not made: " + output.toStdString());
        return 1;
    }
    if (!probeStreams)
        return 0;
    std::string json;
    ToolStreams streams;
    streams.output = [&json](const char *data, size_t size) { json.append(data, size); };
    streams.errorLine = RelayToolLine;
    const int probed = RunTool(ToolCommand(FfprobeProgram(), FfprobeArguments(output)), streams);
    const QJsonObject facts = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    if (probed != 0 || facts.value(QStringLiteral("streams")).toArray().isEmpty()) {
        SayAs(program, "the output holds no stream: " + output.toStdString());
        return 1;
    }
    return 0;
}

std::string FfmpegProgram()
{
    const std::string named = Env("FFMPEG");
    return named.empty() ? std::string("ffmpeg") : named;
}

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

std::vector<std::string> ToolCommand(const std::string &program, const QStringList &arguments)
{
    std::vector<std::string> argv{program};
    for (const QString &a : arguments)
        argv.push_back(a.toStdString());
    return argv;
}

ToolStreams ConversionStreams(ProgressReport &report, bool *writeFailed)
{
    ToolStreams streams;
    streams.errorLine = [writeFailed](std::string_view line) {
        if (writeFailed && IsOutputWriteError(line))
            *writeFailed = true;
        RelayToolLine(line);
    };
    streams.progressLine = [&report](std::string_view line) {
        const QByteArray status = report.feed(QByteArrayView(line.data(), qsizetype(line.size())));
        if (!status.isEmpty()) {
            WriteAll(1, std::string_view(status.constData(), size_t(status.size())));
            g_statusLineOpen = status.endsWith('\r');
        }
    };
    return streams;
}

int RunStandIn(std::string_view program, int argc, char **argv, const char *usage,
               const std::function<int(const QStringList &)> &body)
{
    ForwardStopSignals();
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    try {
        return body(arguments);
    } catch (const RequestError &e) {
        SayAs(program, e.what());
        WriteAll(2, std::string(usage) + "\n");
        return 2;
    } catch (const ToolMissing &e) {
        SayAs(program, std::string(e.what()) +
                           ". Install ffmpeg, or name the ffmpeg program in the FFMPEG environment variable.");
        return 127;
    } catch (const std::exception &e) {
        SayAs(program, e.what());
        return 1;
    }
}

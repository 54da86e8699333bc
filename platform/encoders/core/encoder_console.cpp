#include "platform/encoders/core/encoder_console.h"

#include "platform/encoders/core/encoder_request.h"

#include <QFileInfo>

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

int ConversionExitCode(std::string_view program, int code, bool writeFailed)
{
    if (code != 0 || !writeFailed)
        return code;
    SayAs(program, "the output could not be written");
    return 1;
}

int VerifiedOutputExitCode(std::string_view program, int code, const QString &output, const FfmpegEndReport &report)
{
    if (code != 0)
        return code;
    const QFileInfo file(output);
    const std::string path = output.toStdString();
    switch (JudgeOutput(report, file.isFile() ? file.size() : -1)) {
    case OutputVerdict::Made:
        return 0;
    case OutputVerdict::NotMade:
        SayAs(program, "the output was not made: " + path);
        break;
    case OutputVerdict::WriteFailed:
        SayAs(program, "the output could not be written: " + path);
        break;
    case OutputVerdict::NothingEncoded:
        SayAs(program, "nothing was encoded into the output: " + path);
        break;
    case OutputVerdict::NoStream:
        SayAs(program, "the output holds no stream: " + path);
        break;
    }
    return 1;
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

ToolStreams ConversionStreams(ProgressReport &report, FfmpegEndReport &end)
{
    ToolStreams streams;
    streams.errorLine = [&end](std::string_view line) {
        if (const std::optional<std::string> shown = end.read(line))
            RelayToolLine(*shown);
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
    EndWithParent();
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

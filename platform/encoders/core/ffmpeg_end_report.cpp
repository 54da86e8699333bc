#include "platform/encoders/core/ffmpeg_end_report.h"

namespace {

// The starts of ffmpeg's messages about an output it could not write.
constexpr std::string_view kWriteErrors[] = {
    "Error writing trailer of ",
    "Error closing file ",
    "av_interleaved_write_frame(): ",
    "Error muxing a packet",
    "Error submitting a packet to the muxer",
};

struct LevelTag {
    std::string_view name;
    bool shown;
};

// ffmpeg's level names as its "level" log flag writes them.
constexpr LevelTag kLevels[] = {
    {"panic", true},    {"fatal", true},  {"error", true},  {"warning", false}, {"info", false},
    {"verbose", false}, {"debug", false}, {"trace", false}, {"quiet", false},
};

struct TaggedLine {
    std::string text;          // the line without its level tag
    std::optional<bool> shown; // the tag's level is shown; none without a tag
};

// A line is "[context @ 0x...] " groups, then "[level] ", then the message.
TaggedLine SplitLevel(std::string_view line)
{
    size_t at = 0;
    while (at < line.size() && line[at] == '[') {
        const size_t close = line.find("] ", at);
        if (close == std::string_view::npos)
            break;
        const std::string_view inside = line.substr(at + 1, close - at - 1);
        for (const LevelTag &level : kLevels) {
            if (inside == level.name) {
                std::string text(line.substr(0, at));
                text += line.substr(close + 2);
                return {text, level.shown};
            }
        }
        if (inside.find(" @ ") == std::string_view::npos)
            break;
        at = close + 2;
    }
    return {std::string(line), std::nullopt};
}

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

} // namespace

bool IsOutputWriteError(std::string_view line)
{
    for (const std::string_view start : kWriteErrors) {
        if (StartsWith(line, start))
            return true;
    }
    return false;
}

std::optional<std::string> FfmpegEndReport::read(std::string_view line)
{
    TaggedLine tagged = SplitLevel(line);
    if (tagged.shown)
        m_shown = *tagged.shown;
    const std::string_view text = tagged.text;
    // "video:8kB audio:0kB subtitle:0kB other streams:0kB global headers:0kB muxing overhead: 75.1%"
    if (StartsWith(text, "video:") && text.find(" audio:") != std::string_view::npos &&
        text.find(" muxing overhead:") != std::string_view::npos)
        m_summarySeen = true;
    if (StartsWith(text, "Output file is empty, nothing was encoded"))
        m_nothingEncoded = true;
    if (IsOutputWriteError(text))
        m_writeFailed = true;
    if (!m_shown)
        return std::nullopt;
    return std::move(tagged.text);
}

OutputVerdict JudgeOutput(const FfmpegEndReport &report, int64_t size)
{
    if (size <= 0)
        return OutputVerdict::NotMade;
    if (report.writeFailed())
        return OutputVerdict::WriteFailed;
    if (report.nothingEncoded())
        return OutputVerdict::NothingEncoded;
    if (!report.summarySeen())
        return OutputVerdict::NoStream;
    return OutputVerdict::Made;
}

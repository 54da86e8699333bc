#include "platform/encoders/core/ffmpeg_end_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kSummary =
    "[info] video:8kB audio:0kB subtitle:0kB other streams:0kB global headers:0kB muxing overhead: 75.076561%";

// What ffmpeg 5.1 writes with "-loglevel level+info", and what the stand-in
// makes of a run that ended with code 0.
TEST(FfmpegEndReport, JudgesTheOutputFromFfmpegsOwnLog)
{
    const struct {
        const char *name;
        std::vector<std::string> log;
        int64_t size; // of the output file; negative: none
        OutputVerdict verdict;
    } table[] = {
        {"a whole run", {"[info] Output #0, avi, to 'file:x.avi':", kSummary}, 15360, OutputVerdict::Made},
        {"a summary without an overhead figure",
         {"[info] video:8kB audio:0kB subtitle:0kB other streams:0kB global headers:0kB muxing overhead: unknown"},
         15360,
         OutputVerdict::Made},
        {"no file", {kSummary}, -1, OutputVerdict::NotMade},
        {"an empty file", {kSummary}, 0, OutputVerdict::NotMade},
        {"an ffmpeg that said nothing", {}, 27, OutputVerdict::NoStream},
        {"an ffmpeg that stopped before its summary", {"[info] Output #0, avi, to 'file:x.avi':"}, 5762,
         OutputVerdict::NoStream},
        {"a range past the end",
         {"[info] video:0kB audio:0kB subtitle:0kB other streams:0kB global headers:0kB muxing overhead: unknown",
          "[warning] Output file is empty, nothing was encoded (check -ss / -t / -frames parameters if used)"},
         5762,
         OutputVerdict::NothingEncoded},
        {"a full disc at the trailer",
         {"[error] Error writing trailer of file:/out/a.avi: No space left on device", kSummary,
          "[error] Error closing file file:/out/a.avi: No space left on device"},
         4096,
         OutputVerdict::WriteFailed},
        {"a failing device mid-way",
         {"[error] av_interleaved_write_frame(): Input/output error", kSummary}, 4096, OutputVerdict::WriteFailed},
        {"a muxer's own complaint is no write error",
         {"[avi @ 0x55d0] [warning] Too large number of skipped frames 1 > 60000", kSummary}, 4096,
         OutputVerdict::Made},
        {"an input named like a write error",
         {"[error] file:/in/Error writing trailer of.avi: No such file or directory", kSummary}, 4096,
         OutputVerdict::Made},
    };
    for (const auto &row : table) {
        FfmpegEndReport report;
        for (const std::string &line : row.log)
            report.read(line);
        EXPECT_EQ(JudgeOutput(report, row.size), row.verdict) << row.name;
    }
}

// Only ffmpeg's errors reach the user, without the level tag; a line without
// a tag belongs to the line before it.
TEST(FfmpegEndReport, PassesOnTheErrorsAlone)
{
    const struct {
        const char *line;
        std::optional<std::string> shown;
    } log[] = {
        {"[info] Stream mapping:", std::nullopt},
        {"  Stream #0:0 -> #0:0 (rawvideo (native) -> mpeg4 (native))", std::nullopt},
        {"[mpeg4 @ 0x559c305422c0] [warning] too many threads/slices (4), reducing to 3", std::nullopt},
        {"[error] Unknown encoder 'no_such_codec'", "Unknown encoder 'no_such_codec'"},
        {"and its second line", "and its second line"},
        {"[ac3 @ 0x55] [error] incomplete frame", "[ac3 @ 0x55] incomplete frame"},
        {"[fatal] Conversion failed!", "Conversion failed!"},
        {"[info] frame=   25 fps=0.0 q=1.6 Lsize=15kB time=00:00:01.00 bitrate= 118.9kbits/s", std::nullopt},
        {kSummary.c_str(), std::nullopt},
    };
    FfmpegEndReport report;
    for (const auto &row : log)
        EXPECT_EQ(report.read(row.line), row.shown) << row.line;
    // An ffmpeg that tags nothing (or a stand-in for it): every line is passed on.
    FfmpegEndReport untagged;
    EXPECT_EQ(untagged.read("Error opening output files: Invalid argument"),
              std::optional<std::string>("Error opening output files: Invalid argument"));
}

} // namespace

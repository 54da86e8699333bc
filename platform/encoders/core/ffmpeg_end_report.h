#pragma once

// What ffmpeg's own log says about the output of one run, read line by line
// from its standard error (run with "-loglevel level+info", so that every
// line carries its level): the closing summary of the written stream sizes,
// its warning that nothing was encoded, and the reports of writes that
// failed. Together with the output file's size this judges the output
// without a second program.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class OutputVerdict {
    Made,           // ffmpeg summed up what it wrote into a file that holds bytes
    NotMade,        // no file, or an empty one
    WriteFailed,    // ffmpeg reported that it could not write the output
    NothingEncoded, // the file holds no encoded frame or sample
    NoStream,       // ffmpeg never summed up its output: it made no media
};

// True for ffmpeg's report that the output could not be written (full disc,
// failing device): ffmpeg exits 0 after some of them.
bool IsOutputWriteError(std::string_view line);

class FfmpegEndReport {
public:
    // Reads one line. Returns the line worth passing on to the user, without
    // its level tag: ffmpeg's errors (and lines without a level, which
    // continue the line before or come from an ffmpeg that tags nothing);
    // nothing for the informational chatter and the warnings.
    std::optional<std::string> read(std::string_view line);

    bool writeFailed() const { return m_writeFailed; }
    bool summarySeen() const { return m_summarySeen; }
    bool nothingEncoded() const { return m_nothingEncoded; }

private:
    bool m_shown = true; // the level of the last tagged line is shown
    bool m_writeFailed = false;
    bool m_summarySeen = false;
    bool m_nothingEncoded = false;
};

// The verdict on the output of a run that ended well, from its report and the
// output file's size in bytes (negative: there is no such file).
OutputVerdict JudgeOutput(const FfmpegEndReport &report, int64_t size);

#pragma once

// What a stand-in encoder writes and whom it runs: its own messages, the
// tool's messages passed on, the status lines, and the ffmpeg and ffprobe
// programs (FFMPEG and FFPROBE in the environment may name others).

#include "platform/encoders/core/ffmpeg_end_report.h"
#include "platform/encoders/core/progress_report.h"
#include "platform/encoders/core/tool_process.h"

#include <QStringList>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Writes all of text to fd, giving up quietly when it cannot be written.
void WriteAll(int fd, std::string_view text);

// "<program>: <text>" on standard error; program is the stand-in's name.
void SayAs(std::string_view program, std::string_view text);

// A line of the tool's own messages on standard error, so that it can never
// pass for a status line or a probe line: one line, a prefix, no time= in it.
void RelayToolLine(std::string_view line);

// The exit code of a conversion run: one that ffmpeg ended well but whose
// output it could not write has failed, and says so.
int ConversionExitCode(std::string_view program, int code, bool writeFailed);

// The exit code of a conversion that ended well (code 0) but whose output is
// missing or empty, or of which ffmpeg's report (that of the run that wrote
// it) tells no media: 1, said on standard error. Any other code is returned
// unchanged.
int VerifiedOutputExitCode(std::string_view program, int code, const QString &output, const FfmpegEndReport &report);

std::string FfmpegProgram();
// FFPROBE, else the ffprobe beside a named ffmpeg, else the one on PATH.
std::string FfprobeProgram();
std::vector<std::string> ToolCommand(const std::string &program, const QStringList &arguments);

// The streams of a conversion run: its log read into end (the errors
// relayed), its progress as status lines on standard output.
ToolStreams ConversionStreams(ProgressReport &report, FfmpegEndReport &end);

// A stand-in's main (program: its name in messages): stop signals forwarded,
// ended with the program that started it, the arguments read, and the body run; a refused request prints the usage
// and ends 2, a missing tool ends 127, any other failure 1, each with its message.
int RunStandIn(std::string_view program, int argc, char **argv, const char *usage,
               const std::function<int(const QStringList &)> &body);

#pragma once

// One run of ffmpeg or ffprobe under a stand-in encoder: standard input fed
// from a callback (or /dev/null), standard output, standard error and fd 3
// (ffmpeg's -progress pipe) read through pipes, all in one poll loop. SIGTERM
// and SIGINT that reach the stand-in are passed on to the running tool, which
// is killed when it has not ended a moment later; it is also killed should
// the stand-in die without ending it.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct ToolStreams {
    // Standard input: asked for more whenever the pipe has room; the bytes stay
    // valid until the next call; empty ends the input. Unset: /dev/null.
    std::function<std::string_view()> input;
    std::function<void(const char *data, size_t size)> output; // standard output; discarded when empty
    std::function<void(std::string_view line)> errorLine;      // standard error, line by line
    std::function<void(std::string_view line)> progressLine;   // fd 3, line by line
};

class ToolMissing : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Installs the handlers that pass SIGTERM and SIGINT on; once for the program.
void ForwardStopSignals();
// True once SIGTERM or SIGINT has arrived.
bool StopRequested();

// The stand-in ends with the program that started it: SIGTERM when that
// program is gone (passed on to the tool like a Stop), at once when it went
// before this was set up. Call after ForwardStopSignals.
void EndWithParent();

// Runs argv (argv[0] looked up in PATH) to its end. Returns its exit code, or
// 128 + the signal that ended it. Throws ToolMissing when it cannot be started.
// A callback that throws stops the tool (SIGTERM); the exception is passed on
// once the tool has ended. The tool closing its input early (it has read all it
// wants) only ends the input.
int RunTool(const std::vector<std::string> &argv, const ToolStreams &streams);

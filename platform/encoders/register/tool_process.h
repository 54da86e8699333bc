#pragma once

// One run of ffmpeg or ffprobe under register.dat: standard input from
// /dev/null, standard output, standard error and fd 3 (ffmpeg's -progress
// pipe) read through pipes, all in one poll loop. SIGTERM and SIGINT that
// reach register.dat are passed on to the running tool.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct ToolStreams {
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

// Runs argv (argv[0] looked up in PATH) to its end. Returns its exit code, or
// 128 + the signal that ended it. Throws ToolMissing when it cannot be started.
int RunTool(const std::vector<std::string> &argv, const ToolStreams &streams);

#include "platform/encoders/core/tool_process.h"

#include <array>
#include <chrono>
#include <optional>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// How long a stopped tool may take to finish its output before it is killed:
// an encoder with a deep look-ahead flushes for seconds.
constexpr std::chrono::milliseconds kStopGrace{1500};

volatile sig_atomic_t g_child = 0;
volatile sig_atomic_t g_stop = 0;

void OnStopSignal(int signal)
{
    g_stop = 1;
    if (g_child > 0)
        ::kill(pid_t(g_child), signal);
}

// Splits a byte stream at line feeds and carriage returns.
class LineSplitter {
public:
    explicit LineSplitter(std::function<void(std::string_view)> sink) : m_sink(std::move(sink)) {}
    void feed(const char *data, size_t size)
    {
        for (size_t i = 0; i < size; ++i) {
            const char c = data[i];
            if (c == '\n' || c == '\r') {
                flush();
            } else {
                m_line.push_back(c);
            }
        }
    }
    void flush()
    {
        if (!m_line.empty() && m_sink)
            m_sink(m_line);
        m_line.clear();
    }

private:
    std::function<void(std::string_view)> m_sink;
    std::string m_line;
};

struct Pipe {
    int read = -1;
    int write = -1;
};

Pipe MakePipe()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("cannot make a pipe: ") + std::strerror(errno));
    return {fds[0], fds[1]};
}

void Close(int &fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// The child's side between fork and exec: only async-signal-safe calls.
// sources[i] becomes fd i; a failure is written to report as an errno.
[[noreturn]] void ExecTool(char *const *argv, const std::array<int, 4> &sources, pid_t parent, int report)
{
    for (const int s : {SIGTERM, SIGINT, SIGPIPE})
        ::signal(s, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    // The stand-in may be killed outright; the tool must not go on without it.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent)
        ::_exit(127);
    // Moved out of the way first, so that no source is overwritten by another's dup2.
    std::array<int, 4> high{};
    for (size_t i = 0; i < sources.size(); ++i)
        high[i] = ::fcntl(sources[i], F_DUPFD, 10);
    for (size_t i = 0; i < sources.size(); ++i)
        ::dup2(high[i], int(i));
    // Nothing else of the stand-in (disc files, other pipes) reaches the tool.
    ::close_range(4, ~0U, CLOSE_RANGE_CLOEXEC);
    ::execvp(argv[0], argv);
    const int error = errno;
    [[maybe_unused]] const ssize_t n = ::write(report, &error, sizeof error);
    ::_exit(127);
}

} // namespace

void ForwardStopSignals()
{
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
}

bool StopRequested() { return g_stop != 0; }

void EndWithParent()
{
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    // Gone already, adopted by init: no death signal would ever come. (The
    // program sets the same signal between its fork and the exec, checking
    // its own id, so a stand-in it starts is covered from the first moment.)
    if (::getppid() == 1)
        ::raise(SIGTERM);
}

int RunTool(const std::vector<std::string> &argv, const ToolStreams &streams)
{
    std::array<Pipe, 3> pipes{MakePipe(), MakePipe(), MakePipe()}; // stdout, stderr, fd 3
    Pipe input;
    if (streams.input) {
        input = MakePipe();
    } else {
        input.read = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (input.read < 0)
            throw std::runtime_error(std::string("cannot open /dev/null: ") + std::strerror(errno));
    }
    Pipe report = MakePipe();

    std::vector<char *> args;
    for (const std::string &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0)
        ExecTool(args.data(), {input.read, pipes[0].write, pipes[1].write, pipes[2].write}, parent, report.write);
    for (Pipe &p : pipes)
        Close(p.write);
    Close(input.read);
    Close(report.write);
    if (pid < 0) {
        const int error = errno;
        for (Pipe &p : pipes)
            Close(p.read);
        Close(input.write);
        Close(report.read);
        throw std::runtime_error(std::string("cannot start a process: ") + std::strerror(error));
    }
    int execError = 0;
    ssize_t got = 0;
    while ((got = ::read(report.read, &execError, sizeof execError)) < 0 && errno == EINTR) {
    }
    Close(report.read);
    if (got == sizeof execError) {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        for (Pipe &p : pipes)
            Close(p.read);
        Close(input.write);
        throw ToolMissing("cannot start \"" + argv[0] + "\": " + std::strerror(execError));
    }
    g_child = pid;
    if (g_stop)
        ::kill(pid, SIGTERM);
    if (input.write >= 0) {
        // Large writes without blocking: the loop must keep draining the tool's output.
        ::fcntl(input.write, F_SETFL, ::fcntl(input.write, F_GETFL) | O_NONBLOCK);
        ::fcntl(input.write, F_SETPIPE_SZ, 1 << 20);
    }

    LineSplitter errors(streams.errorLine);
    LineSplitter progress(streams.progressLine);
    std::array<pollfd, 4> polls{};
    for (size_t i = 0; i < pipes.size(); ++i)
        polls[i] = {pipes[i].read, POLLIN, 0};
    polls[3] = {input.write, POLLOUT, 0};
    std::string_view pending; // input taken from the callback, not yet written
    const auto endInput = [&] {
        Close(input.write);
        polls[3].fd = -1;
        pending = {};
    };
    char buffer[65536];
    std::exception_ptr failure;
    std::optional<Clock::time_point> killAt; // set once a stop has been passed on
    while (polls[0].fd >= 0 || polls[1].fd >= 0 || polls[2].fd >= 0) {
        if ((g_stop || failure) && input.write >= 0)
            endInput();
        if ((g_stop || failure) && !killAt)
            killAt = Clock::now() + kStopGrace;
        int timeout = -1;
        if (killAt) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*killAt - Clock::now());
            if (left.count() <= 0) {
                ::kill(pid, SIGKILL);
                killAt = Clock::time_point::max();
            } else if (*killAt != Clock::time_point::max()) {
                timeout = int(left.count()) + 1;
            }
        }
        if (::poll(polls.data(), polls.size(), timeout) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (size_t i = 0; i < pipes.size(); ++i) {
            if (polls[i].fd < 0 || polls[i].revents == 0)
                continue;
            const ssize_t n = ::read(polls[i].fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                Close(pipes[i].read);
                polls[i].fd = -1;
                continue;
            }
            if (failure)
                continue; // drained until the stopped tool closes its pipes
            try {
                if (i == 0 && streams.output)
                    streams.output(buffer, size_t(n));
                else if (i == 1)
                    errors.feed(buffer, size_t(n));
                else if (i == 2)
                    progress.feed(buffer, size_t(n));
            } catch (...) {
                failure = std::current_exception();
                ::kill(pid, SIGTERM);
            }
        }
        if (polls[3].fd < 0 || polls[3].revents == 0 || failure)
            continue;
        if (polls[3].revents & (POLLERR | POLLHUP)) {
            endInput(); // the tool has read all it wants
            continue;
        }
        try {
            if (pending.empty())
                pending = streams.input();
        } catch (...) {
            failure = std::current_exception();
            ::kill(pid, SIGTERM);
            continue;
        }
        if (pending.empty()) {
            endInput();
            continue;
        }
        const ssize_t n = ::write(input.write, pending.data(), pending.size());
        if (n > 0)
            pending.remove_prefix(size_t(n));
        else if (n < 0 && errno != EAGAIN && errno != EINTR)
            endInput();
    }
    if (input.write >= 0)
        endInput();
    errors.flush();
    progress.flush();

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    g_child = 0;
    if (failure)
        std::rethrow_exception(failure);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

#include "platform/encoders/register/tool_process.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <exception>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

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

int RunTool(const std::vector<std::string> &argv, const ToolStreams &streams)
{
    std::array<Pipe, 3> pipes{MakePipe(), MakePipe(), MakePipe()}; // stdout, stderr, fd 3
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipes[0].write, 1);
    posix_spawn_file_actions_adddup2(&actions, pipes[1].write, 2);
    posix_spawn_file_actions_adddup2(&actions, pipes[2].write, 3);
    // The tool takes the default answer to the stop signals, whatever register.dat does with them.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGTERM);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    std::vector<char *> args;
    for (const std::string &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int failed = ::posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    for (Pipe &p : pipes)
        Close(p.write);
    if (failed != 0) {
        for (Pipe &p : pipes)
            Close(p.read);
        throw ToolMissing("cannot start \"" + argv[0] + "\": " + std::strerror(failed));
    }
    g_child = pid;
    if (g_stop)
        ::kill(pid, SIGTERM);

    LineSplitter errors(streams.errorLine);
    LineSplitter progress(streams.progressLine);
    std::array<pollfd, 3> polls{};
    for (size_t i = 0; i < polls.size(); ++i)
        polls[i] = {pipes[i].read, POLLIN, 0};
    char buffer[65536];
    // A failing handler stops the tool; the failure is passed on once it has ended.
    std::exception_ptr failure;
    while (polls[0].fd >= 0 || polls[1].fd >= 0 || polls[2].fd >= 0) {
        if (::poll(polls.data(), polls.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (size_t i = 0; i < polls.size(); ++i) {
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
    }
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

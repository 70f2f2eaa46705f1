#include "platform/Process.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/SystemPaths.h"

extern char** environ;

namespace keepgate::platform {

namespace {

std::atomic<long long> startedCount{0};

void closeIfOpen(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

struct Pipe {
    int fds[2] = {-1, -1};
    bool open() { return pipe2(fds, O_CLOEXEC) == 0; }
    int& readEnd() { return fds[0]; }
    int& writeEnd() { return fds[1]; }
    ~Pipe() {
        closeIfOpen(fds[0]);
        closeIfOpen(fds[1]);
    }
};

// The application's environment with the given variables set or replaced.
std::vector<std::string> environmentWith(const std::vector<std::pair<std::string, std::string>>& changes) {
    std::vector<std::string> entries;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string text(*entry);
        const std::string name = text.substr(0, text.find('='));
        bool replaced = false;
        for (const auto& change : changes) {
            replaced = replaced || change.first == name;
        }
        if (!replaced) {
            entries.push_back(text);
        }
    }
    for (const auto& [name, value] : changes) {
        entries.push_back(name + "=" + value);
    }
    return entries;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (auto& text : strings) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

int exitStatusOf(int status) {
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    if (WIFSIGNALED(status)) {
        return 128 + WTERMSIG(status);
    }
    return -1;
}

} // namespace

long long processesStarted() {
    return startedCount.load();
}

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::optional<std::string>& standardInput) {
    ProcessOptions options;
    options.standardInput = standardInput;
    return runProcess(program, arguments, options);
}

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options) {
    using Clock = std::chrono::steady_clock;
    ProcessResult result;
    Pipe in, out, err;
    if (!in.open() || !out.open() || (options.captureStandardError && !err.open())) {
        return result;
    }

    std::vector<std::string> argvStrings{program};
    argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv = pointersTo(argvStrings);
    std::vector<std::string> environmentStrings = environmentWith(options.environment);
    std::vector<char*> envp = pointersTo(environmentStrings);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (options.standardInput) {
        posix_spawn_file_actions_adddup2(&actions, in.readEnd(), STDIN_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    posix_spawn_file_actions_adddup2(&actions, out.writeEnd(), STDOUT_FILENO);
    if (options.captureStandardError) {
        posix_spawn_file_actions_adddup2(&actions, err.writeEnd(), STDERR_FILENO);
    }
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A child that is timed may start children of its own (a control script starting the server); its
    // own process group lets the time limit end them all.
    short flags = POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK;
    if (options.timeoutMilliseconds > 0) {
        flags |= POSIX_SPAWN_SETPGROUP;
        posix_spawnattr_setpgroup(&attributes, 0);
    }
    sigset_t defaults, empty;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigemptyset(&empty);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &empty);
    posix_spawnattr_setflags(&attributes, flags);

    pid_t pid = -1;
    const int spawnError =
        posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    closeIfOpen(in.readEnd());
    closeIfOpen(out.writeEnd());
    closeIfOpen(err.writeEnd());
    if (spawnError != 0) {
        return result;
    }
    result.started = true;
    ++startedCount;

    const bool timed = options.timeoutMilliseconds > 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(options.timeoutMilliseconds);
    const auto millisecondsLeft = [&]() -> int {
        if (!timed) {
            return -1;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        return left.count() > 0 ? static_cast<int>(left.count()) : 0;
    };
    const auto killAll = [&] {
        result.timedOut = true;
        kill(-pid, SIGKILL);
        kill(pid, SIGKILL);
    };

    // Feed standard input and drain the outputs together, so neither side can block the other.
    const std::string input = options.standardInput.value_or(std::string());
    std::size_t inputOffset = 0;
    if (!options.standardInput || input.empty()) {
        closeIfOpen(in.writeEnd());
    } else {
        // A blocking write larger than the pipe's free space would wait for a child that is itself
        // waiting for us to read its output.
        fcntl(in.writeEnd(), F_SETFL, fcntl(in.writeEnd(), F_GETFL) | O_NONBLOCK);
    }
    const auto previousSigpipe = std::signal(SIGPIPE, SIG_IGN);
    char buffer[65536];
    while (out.readEnd() >= 0 || err.readEnd() >= 0) {
        pollfd fds[3];
        int* owners[3];
        nfds_t count = 0;
        for (int* fd : {&out.readEnd(), &err.readEnd()}) {
            if (*fd >= 0) {
                owners[count] = fd;
                fds[count++] = {*fd, POLLIN, 0};
            }
        }
        const nfds_t readers = count;
        if (in.writeEnd() >= 0) {
            owners[count] = &in.writeEnd();
            fds[count++] = {in.writeEnd(), POLLOUT, 0};
        }
        const int ready = poll(fds, count, millisecondsLeft());
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (ready == 0 && timed && millisecondsLeft() == 0) {
            killAll();
            break;
        }
        if (count > readers && (fds[readers].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t w = write(in.writeEnd(), input.data() + inputOffset, input.size() - inputOffset);
            if (w < 0 && errno != EINTR && errno != EAGAIN) {
                closeIfOpen(in.writeEnd());
            } else if (w > 0) {
                inputOffset += static_cast<std::size_t>(w);
                if (inputOffset == input.size()) {
                    closeIfOpen(in.writeEnd());
                }
            }
        }
        for (nfds_t i = 0; i < readers; ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) {
                continue;
            }
            const ssize_t r = read(*owners[i], buffer, sizeof buffer);
            if (r > 0) {
                std::string& gathered =
                    owners[i] == &out.readEnd() ? result.standardOutput : result.standardError;
                const std::size_t room =
                    options.outputLimitBytes - std::min(gathered.size(), options.outputLimitBytes);
                gathered.append(buffer, std::min(static_cast<std::size_t>(r), room));
                if (static_cast<std::size_t>(r) > room) {
                    result.outputExceeded = true;
                }
            } else if (r == 0 || errno != EINTR) {
                closeIfOpen(*owners[i]);
            }
        }
        if (result.outputExceeded) {
            kill(timed ? -pid : pid, SIGKILL);
            kill(pid, SIGKILL);
            break;
        }
    }
    closeIfOpen(in.writeEnd());
    std::signal(SIGPIPE, previousSigpipe);

    int status = 0;
    for (;;) {
        const pid_t waited = waitpid(pid, &status, timed && !result.timedOut ? WNOHANG : 0);
        if (waited == pid) {
            break;
        }
        if (waited < 0 && errno != EINTR) {
            break;
        }
        if (waited == 0) {
            // The child closed its outputs but is still running: wait for it within the limit.
            if (millisecondsLeft() == 0) {
                killAll();
            } else {
                poll(nullptr, 0, 20);
            }
        }
    }
    result.exitStatus = exitStatusOf(status);
    return result;
}

ProcessResult runPrivileged(const std::string& program, const std::vector<std::string>& arguments) {
    return runPrivileged(program, arguments, ProcessOptions{});
}

ProcessResult runPrivileged(const std::string& program, const std::vector<std::string>& arguments,
                            const ProcessOptions& options) {
    std::vector<std::string> launcherArguments{program};
    launcherArguments.insert(launcherArguments.end(), arguments.begin(), arguments.end());
    return runProcess(systemPaths().privilegedLauncher, launcherArguments, options);
}

} // namespace keepgate::platform

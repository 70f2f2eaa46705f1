#include "platform/Process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/SystemPaths.h"

namespace keepgate::platform {

namespace {

void closeIfOpen(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

} // namespace

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::optional<std::string>& standardInput) {
    ProcessResult result;
    int inPipe[2] = {-1, -1};
    int outPipe[2] = {-1, -1};
    int execPipe[2] = {-1, -1}; // tells the parent whether exec succeeded
    if (pipe2(inPipe, O_CLOEXEC) != 0 || pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(execPipe, O_CLOEXEC) != 0) {
        for (int* p : {inPipe, outPipe, execPipe}) {
            closeIfOpen(p[0]);
            closeIfOpen(p[1]);
        }
        return result;
    }

    std::vector<std::string> argvStrings;
    argvStrings.push_back(program);
    argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : argvStrings) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0) {
        for (int* p : {inPipe, outPipe, execPipe}) {
            closeIfOpen(p[0]);
            closeIfOpen(p[1]);
        }
        return result;
    }
    if (pid == 0) {
        if (standardInput) {
            dup2(inPipe[0], STDIN_FILENO);
        } else {
            const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
            dup2(devNull, STDIN_FILENO);
        }
        dup2(outPipe[1], STDOUT_FILENO);
        execv(program.c_str(), argv.data());
        const int error = errno;
        (void)!write(execPipe[1], &error, sizeof error);
        _exit(127);
    }

    closeIfOpen(inPipe[0]);
    closeIfOpen(outPipe[1]);
    closeIfOpen(execPipe[1]);
    int execError = 0;
    ssize_t n;
    do {
        n = read(execPipe[0], &execError, sizeof execError);
    } while (n < 0 && errno == EINTR);
    closeIfOpen(execPipe[0]);
    result.started = n == 0;

    // Feed standard input and drain standard output together, so neither side can block the other.
    const std::string input = standardInput.value_or(std::string());
    std::size_t inputOffset = 0;
    if (!standardInput || !result.started || input.empty()) {
        closeIfOpen(inPipe[1]);
    } else {
        // A blocking write larger than the pipe's free space would wait for a child that is itself
        // waiting for us to read its output.
        fcntl(inPipe[1], F_SETFL, fcntl(inPipe[1], F_GETFL) | O_NONBLOCK);
    }
    const auto previousSigpipe = std::signal(SIGPIPE, SIG_IGN);
    char buffer[65536];
    while (outPipe[0] >= 0) {
        pollfd fds[2];
        nfds_t count = 0;
        fds[count++] = {outPipe[0], POLLIN, 0};
        if (inPipe[1] >= 0) {
            fds[count++] = {inPipe[1], POLLOUT, 0};
        }
        if (poll(fds, count, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (count > 1 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t w = write(inPipe[1], input.data() + inputOffset, input.size() - inputOffset);
            if (w < 0 && errno != EINTR && errno != EAGAIN) {
                closeIfOpen(inPipe[1]);
            } else if (w > 0) {
                inputOffset += static_cast<std::size_t>(w);
                if (inputOffset == input.size()) {
                    closeIfOpen(inPipe[1]);
                }
            }
        }
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t r = read(outPipe[0], buffer, sizeof buffer);
            if (r > 0) {
                result.standardOutput.append(buffer, static_cast<std::size_t>(r));
            } else if (r == 0 || errno != EINTR) {
                closeIfOpen(outPipe[0]);
            }
        }
    }
    closeIfOpen(inPipe[1]);
    std::signal(SIGPIPE, previousSigpipe);

    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) {
        result.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.exitStatus = 128 + WTERMSIG(status);
    }
    if (!result.started) {
        result.exitStatus = -1;
    }
    return result;
}

ProcessResult runPrivileged(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> launcherArguments{program};
    launcherArguments.insert(launcherArguments.end(), arguments.begin(), arguments.end());
    return runProcess(systemPaths().privilegedLauncher, launcherArguments);
}

} // namespace keepgate::platform

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace keepgate::platform {

struct ProcessResult {
    bool started = false; // false when the program could not be run at all (missing, not executable)
    int exitStatus = -1;  // the exit code, or 128 + signal number; -1 when not started
    std::string standardOutput;
    std::string standardError; // only when the options asked for it
    bool timedOut = false;     // the time limit ran out and the program was killed
    // The program wrote more than the output limit and was killed; what it wrote up to the limit is kept.
    bool outputExceeded = false;
};

// More output than any program Keepgate runs prints; a program that writes without end is stopped here.
inline constexpr std::size_t kProcessOutputLimit = 16u * 1024 * 1024;

struct ProcessOptions {
    // Written to the child's standard input, which is then closed; without it the child reads /dev/null.
    std::optional<std::string> standardInput;
    // After this many milliseconds the child and everything it started are killed; 0 waits for ever.
    int timeoutMilliseconds = 0;
    // Variables set (or replaced) in the child's environment, which is otherwise the application's own.
    std::vector<std::pair<std::string, std::string>> environment;
    // Gathers standard error into the result instead of leaving it the application's own.
    bool captureStandardError = false;
    // Standard output and standard error may each hold this many bytes; one more kills the program.
    std::size_t outputLimitBytes = kProcessOutputLimit;
};

// Runs a program with arguments (no shell), writes `standardInput` to it and closes it, captures its
// standard output to end of file and waits for it to end. Without `standardInput` the child reads
// from /dev/null. Standard error stays the application's own.
ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::optional<std::string>& standardInput = std::nullopt);

// The same with a time limit, extra environment variables or captured standard error. The child is
// started with posix_spawn, so the cost of starting it does not grow with this process's memory.
ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const ProcessOptions& options);

// How many programs runProcess has started in this process, for tests that count spawns.
long long processesStarted();

// Runs a program with administrator rights through the configured privileged launcher (pkexec),
// waiting for it to end. Exit status 126 or 127 means the administrator refused or could not be asked.
ProcessResult runPrivileged(const std::string& program, const std::vector<std::string>& arguments);
// The same with the runner's options (captured standard error, for the message of a failed command).
ProcessResult runPrivileged(const std::string& program, const std::vector<std::string>& arguments,
                            const ProcessOptions& options);

} // namespace keepgate::platform

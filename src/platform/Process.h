#pragma once

#include <optional>
#include <string>
#include <vector>

namespace keepgate::platform {

struct ProcessResult {
    bool started = false;   // false when the program could not be run at all (missing, not executable)
    int exitStatus = -1;    // the exit code, or 128 + signal number; -1 when not started
    std::string standardOutput;
};

// Runs a program with arguments (no shell), writes `standardInput` to it and closes it, captures its
// standard output to end of file and waits for it to end. Without `standardInput` the child reads
// from /dev/null. Standard error stays the application's own.
ProcessResult runProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::optional<std::string>& standardInput = std::nullopt);

// Runs a program with administrator rights through the configured privileged launcher (pkexec),
// waiting for it to end. Exit status 126 or 127 means the administrator refused or could not be asked.
ProcessResult runPrivileged(const std::string& program, const std::vector<std::string>& arguments);

} // namespace keepgate::platform

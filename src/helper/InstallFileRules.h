#pragma once

#include <optional>
#include <string>
#include <vector>

// The privileged helper's checks and operations, kept apart from its entry point so that each can be
// exercised without administrator rights.
namespace keepgate::helper {

// The folders that hold web-server configuration on the systems Keepgate knows.
const std::vector<std::string>& serverConfigFolders();

// Why a path given on the command line is refused (not absolute, empty, holding a "." or ".." step or
// an empty step), or nothing when it is acceptable.
std::optional<std::string> pathProblem(const std::string& path);

// Where a destination really leads: the existing file's resolved path, or, for a file still to be
// made, its resolved folder joined with its name; the reason instead when that cannot be found.
struct Resolved {
    std::string path;
    std::string problem; // empty when `path` holds the answer
};
Resolved resolveDestination(const std::string& destination);

// Why the helper may not replace `destination`, or nothing when it may: it must lie inside one of
// `configFolders`, or be named like an access or password file (".ht…"), or be named keepgate.conf.
// The rules apply to where the path really leads, so a link cannot carry a write elsewhere.
std::optional<std::string> destinationProblem(const std::string& destination,
                                              const std::vector<std::string>& configFolders);

// Why a module name is refused (anything but lower-case letters, digits and underscores).
std::optional<std::string> moduleNameProblem(const std::string& name);

// Replaces `destination` with the bytes read from the open `sourceDescriptor`: a new file beside it,
// made exclusively, written and flushed to disk, given the mode and owner of the file it replaces
// (0644 and the helper's own for a new one), then renamed into place. Returns the reason on failure,
// in which case the destination is untouched and no temporary file is left.
std::optional<std::string> installFromDescriptor(int sourceDescriptor, const std::string& destination);

// The programs the helper may run, in the order they are tried; tests substitute their own.
struct Tools {
    std::vector<std::string> enableModule;        // a2enmod and its kin, given the module name
    std::vector<std::vector<std::string>> reload; // whole command lines for a graceful reload
    std::vector<std::string> enableConf;          // a2enconf, given the configuration's name
};
const Tools& systemTools();

// Runs `argv` (no shell, a fixed PATH) and waits; its exit status, or the reason it could not run.
struct RunResult {
    int status = -1;
    std::string problem;
};
RunResult runTool(const std::vector<std::string>& argv);

std::optional<std::string> enableModule(const std::string& name, const Tools& tools);
std::optional<std::string> reloadServer(const Tools& tools);
// Why a configuration name for a2enconf is refused (anything but letters, digits, "_" and "-").
std::optional<std::string> confNameProblem(const std::string& name);
// Enables conf-available/NAME.conf the distribution's way.
std::optional<std::string> enableConf(const std::string& name, const Tools& tools);

// Opens the source file for reading; the entry point supplies one that reads with the caller's rights.
using SourceOpener = int (*)(const std::string& path, std::string& problem);
int openSource(const std::string& path, std::string& problem);

// The whole command line after the program name: "install SOURCE DEST", "enable-module NAME",
// "enable-conf NAME" or "reload". Returns the exit status (0 done, 1 failed, 2 refused or misused) and fills
// `message` with what went wrong.
int runCommand(const std::vector<std::string>& arguments, const std::vector<std::string>& configFolders,
               const Tools& tools, SourceOpener opener, std::string& message);

} // namespace keepgate::helper

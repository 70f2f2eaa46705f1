#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace keepgate::platform {

// The outcome of a write or a removal; `error` says why it failed, for the alert that reports it.
struct FileResult {
    bool ok = false;
    std::string error;
    explicit operator bool() const { return ok; }
};

// The whole file as bytes; absent when it cannot be read (missing, no permission, a directory).
std::optional<std::string> readFile(const std::string& path);

// Why an existing path cannot be opened as a file ("it is a folder", "it cannot be read"); nothing when
// it is a readable plain file or does not exist (an editor opens a missing file as an empty one).
std::optional<std::string> unreadableReason(const std::string& path);

// Writes a temporary file beside the target, flushes it, then renames it over the target. An existing
// target keeps its permission bits; a symbolic link target stays a link and the file it names is replaced.
FileResult writeFileAtomically(const std::string& path, std::string_view contents);

// True when anything exists at the path (a file or a directory), as the editors' existence test wants.
bool fileExists(const std::string& path);
bool isDirectory(const std::string& path);

// Removes a plain file, or a symbolic link itself; refuses a directory.
FileResult removeFile(const std::string& path);

std::string homeDirectory();

// Joins a directory and a name with exactly one "/" between them.
std::string joinPath(const std::string& directory, const std::string& name);

} // namespace keepgate::platform

#pragma once

#include <cstdint>
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

// What tells one state of a file from another: where it lives, its size and when it was last written.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of the regular file at the path (links followed); nothing when there is none.
std::optional<FileIdentity> identityOf(const std::string& path);

// A whole-file read that refuses files above a size limit before reading a byte of them.
struct FileRead {
    bool ok = false;
    bool missing = false; // nothing at all exists at the path
    std::string bytes;
    FileIdentity identity; // of the file the bytes came from
    std::string error;     // why it could not be read, in words ("it is a folder")
};
FileRead readFileWithin(const std::string& path, std::uint64_t limit);

// Why an existing path cannot be opened as a file ("it is a folder", "it cannot be read"); nothing when
// it is a readable plain file or does not exist (an editor opens a missing file as an empty one).
std::optional<std::string> unreadableReason(const std::string& path);

// Asks the system to back a large buffer, not yet touched, with huge pages: a file of millions of lines
// then costs a few hundred page faults instead of tens of thousands. A hint only; small buffers are left.
void adviseLargeBuffer(const void* data, std::size_t bytes);

// Writes a temporary file (named ".ht…", which the web server refuses to serve) beside the target, flushes
// it, then renames it over the target. An existing target keeps its permission bits, owner and group (as far
// as the process may set them); a symbolic link stays a link and the regular file it names is replaced, but
// a link to anything else, or (for root) to a file owned by someone other than the link's owner, is refused.
// A write cut short by the file-size limit fails like any other; the temporary file never stays behind.
FileResult writeFileAtomically(const std::string& path, std::string_view contents);

// True when anything exists at the path (a file or a directory), as the editors' existence test wants.
bool fileExists(const std::string& path);
bool isDirectory(const std::string& path);

// Removes a plain file, or a symbolic link itself; refuses a directory, a FIFO, a socket or a device.
FileResult removeFile(const std::string& path);

std::string homeDirectory();

// Where temporary files go: $TMPDIR, or /tmp.
std::string temporaryDirectory();

// Joins a directory and a name with exactly one "/" between them.
std::string joinPath(const std::string& directory, const std::string& name);

} // namespace keepgate::platform

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

// A read of a file that another program may be rewriting in place (htpasswd copies its new text over the
// old file): the file is read until two reads taken a quiet moment apart agree. A text that ends mid-line, or
// that is a beginning of `before` (the text last known, all of it included), is taken only after the file
// has stayed still for much longer, since that is what a rewrite caught halfway looks like.
FileRead readSettledFile(const std::string& path, std::uint64_t limit, const std::string* before = nullptr);

// The outcome of a write that replaces a file only as it was read.
struct GuardedWrite {
    FileResult result;
    // The file at the path was no longer the one read (or appeared where none was), so nothing was
    // written; or another program wrote into the replaced file while it was being replaced. Read again.
    bool moved = false;
    // What another program wrote into the replaced file during the replacement: its text, to build on.
    std::optional<std::string> displaced;
    // The identity of the file written, taken from the file itself rather than from the path, which
    // another program may already have replaced again.
    std::optional<FileIdentity> written;
};

// writeFileAtomically that renames only when the file at the path still has the identity `expected`
// (nothing there when absent), checked immediately before the rename. `base`, the text the change was made
// to, tells a displaced text still being written from a finished one.
GuardedWrite writeFileIfUnchanged(const std::string& path, std::string_view contents,
                                  const std::optional<FileIdentity>& expected,
                                  const std::string* base = nullptr);

// How old a temporary file ".htkeepgate.*" left by a save that was killed must be before a later save in
// its folder removes it (only the user's own).
inline constexpr int kStaleTemporarySeconds = 60;

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

#include "platform/FileSystem.h"

#include "platform/Messages.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <pwd.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "platform/History.h"

namespace keepgate::platform {

namespace {

FileResult failure(const std::string& what) {
    // The message is read before anything else can change errno.
    const std::string why = std::strerror(errno);
    return {false, text::fill(QT_TRANSLATE_NOOP("Messages", "%1: %2"), what, why)};
}

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

FileIdentity identityFrom(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size), static_cast<std::int64_t>(info.st_mtim.tv_sec),
            static_cast<std::int64_t>(info.st_mtim.tv_nsec)};
}

// Reads an open regular file whole in one buffer sized from its length, so a large file is never copied
// while the buffer grows.
bool readWhole(int fd, std::size_t expected, std::string& contents) {
    // One byte more than measured, so that the read that meets the end needs no larger buffer.
    contents.reserve(expected + 1);
    adviseLargeBuffer(contents.data(), contents.capacity());
    contents.resize(expected + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == contents.size()) {
            // The file may have grown since it was measured.
            contents.resize(contents.size() + 65536);
        }
        const ssize_t n = read(fd, contents.data() + filled, contents.size() - filled);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            break;
        }
        filled += static_cast<std::size_t>(n);
    }
    contents.resize(filled);
    return true;
}

// Where a write to `path` must land: the path itself, or the regular file that its chain of links names.
struct WriteTarget {
    std::string path;
    std::string error;
};

WriteTarget resolveLinks(const std::string& path) {
    std::string current = path;
    std::optional<uid_t> linkOwner;
    bool foundEnd = false;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            foundEnd = true;
            break;
        }
        if (linkOwner && *linkOwner != info.st_uid) {
            linkOwner = static_cast<uid_t>(-1); // links of several owners: none of them vouches for the end
        } else if (!linkOwner) {
            linkOwner = info.st_uid;
        }
        char buffer[PATH_MAX];
        const ssize_t length = readlink(current.c_str(), buffer, sizeof buffer - 1);
        if (length < 0) {
            return {{}, text::fill(QT_TRANSLATE_NOOP("Messages", "%1 is a link that cannot be read"), path)};
        }
        std::string target(buffer, static_cast<std::size_t>(length));
        current = (!target.empty() && target[0] == '/') ? target : joinPath(directoryOf(current), target);
    }
    if (!foundEnd) {
        return {{}, text::fill(QT_TRANSLATE_NOOP("Messages", "%1 is a chain of links without end"), path)};
    }
    if (!linkOwner) {
        return {current, {}};
    }
    struct stat info {};
    const bool exists = stat(current.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) {
        return {{},
                text::fill(QT_TRANSLATE_NOOP("Messages", "%1 is a link to %2, which is not a regular file"),
                           path, current)};
    }
    // Root writing through a link planted by someone else would overwrite a file of the planter's choosing.
    if (geteuid() == 0 && (!exists || info.st_uid != *linkOwner)) {
        return {{},
                text::fill(QT_TRANSLATE_NOOP("Messages", "%1 is a link to %2, which its owner does not own"),
                           path, current)};
    }
    return {current, {}};
}

// A write past the file-size limit must fail with EFBIG rather than end the program.
void ignoreFileSizeSignal() {
    static const bool ignored = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)ignored;
}

// How long a file must hold still before its text counts as settled, and how long a text that looks cut
// short must hold still before it is believed; a file that never settles is given up after the last.
constexpr auto kQuiet = std::chrono::milliseconds(20);
constexpr auto kPatience = std::chrono::milliseconds(1000);
constexpr auto kGiveUp = std::chrono::seconds(10);

bool recentlyModified(const FileIdentity& identity) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const std::int64_t ageNanoseconds =
        (static_cast<std::int64_t>(now.tv_sec) - identity.modifiedSeconds) * 1000000000 +
        (static_cast<std::int64_t>(now.tv_nsec) - identity.modifiedNanoseconds);
    return ageNanoseconds < std::chrono::duration_cast<std::chrono::nanoseconds>(kQuiet).count();
}

// Whether a text looks like a rewrite caught halfway: it ends mid-line where the text known before did not,
// or it is a beginning of the text known before, all of it included (a program that rewrites the file with
// one line more may stop just before that line).
bool looksCut(const std::string& text, const std::string* before) {
    const bool beforeEndedMidLine = before && !before->empty() && before->back() != '\n';
    if (!text.empty() && text.back() != '\n' && !beforeEndedMidLine) {
        return true;
    }
    return before && text.size() <= before->size() && std::string_view(*before).starts_with(text);
}

// Whether a program other than this descriptor's holder has the open file open for writing now. A read lease
// is granted only while nobody does, and is let go at once (a writer opening meanwhile waits only that long;
// its lease-break signal is one the process ignores by default). False when the system cannot tell (a file
// of another owner, a file system without leases).
bool openForWritingElsewhere(int fd) {
    if (fcntl(fd, F_SETSIG, SIGURG) != 0) {
        return false;
    }
    if (fcntl(fd, F_SETLEASE, F_RDLCK) == 0) {
        (void)fcntl(fd, F_SETLEASE, F_UNLCK);
        return false;
    }
    return errno == EAGAIN;
}

bool pathOpenForWritingElsewhere(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    const bool busy = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && openForWritingElsewhere(fd);
    close(fd);
    return busy;
}

// A text is settled when two reads a quiet moment apart agree and no other program holds the file open for
// writing; a text that looks cut, or whose file is still held open for writing, only after a long stillness.
template <typename Reader, typename Identity, typename Busy>
FileRead settle(Reader read, Identity currentIdentity, Busy busy, const std::string* before) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    FileRead previous = read();
    if (!previous.ok) {
        return previous;
    }
    // A file untouched for a while before the read and still the same after it was read whole in one
    // piece: no second read is needed, which keeps opening a large file at one read.
    if (!recentlyModified(previous.identity) && !looksCut(previous.bytes, before) &&
        currentIdentity() == std::optional(previous.identity) && !busy()) {
        return previous;
    }
    bool waited = false;
    auto stillSince = start;
    for (;;) {
        // A file last written a while ago needs no pause before the read that confirms it.
        const bool writing = busy();
        if (writing || recentlyModified(previous.identity) || looksCut(previous.bytes, before)) {
            std::this_thread::sleep_for(kQuiet);
            waited = true;
        }
        FileRead next = read();
        if (!next.ok) {
            return next;
        }
        const auto now = Clock::now();
        if (next.identity == previous.identity && next.bytes == previous.bytes) {
            const bool believable =
                (!writing && !looksCut(next.bytes, before)) || now - stillSince >= kPatience;
            if ((waited || !recentlyModified(next.identity)) && believable) {
                return next;
            }
        } else {
            stillSince = now;
        }
        if (now - start >= kGiveUp) {
            next.ok = false;
            next.bytes.clear();
            next.error =
                text::fill(QT_TRANSLATE_NOOP("Messages", "another program kept changing it for %1 seconds"),
                           std::chrono::duration_cast<std::chrono::seconds>(kGiveUp).count());
            return next;
        }
        previous = std::move(next);
        waited = false;
    }
}

// The whole text of an open file from its first byte, with the identity it had when it was measured.
FileRead readOpenFile(int fd) {
    FileRead result;
    struct stat info {};
    if (fstat(fd, &info) != 0 || lseek(fd, 0, SEEK_SET) != 0) {
        result.error =
            text::fill(QT_TRANSLATE_NOOP("Messages", "it cannot be read: %1"), std::strerror(errno));
        return result;
    }
    result.identity = identityFrom(info);
    if (!readWhole(fd, static_cast<std::size_t>(info.st_size), result.bytes)) {
        result.error =
            text::fill(QT_TRANSLATE_NOOP("Messages", "it cannot be read: %1"), std::strerror(errno));
        result.bytes.clear();
        return result;
    }
    result.ok = true;
    return result;
}

// A save killed between creating its temporary file and renaming it leaves the file behind; the next save
// in the folder clears the user's own that are old enough that no save can still be writing them.
void removeStaleTemporaries(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        return;
    }
    const time_t now = time(nullptr);
    while (const dirent* entry = readdir(dir)) {
        if (std::strncmp(entry->d_name, ".htkeepgate.", 12) != 0) {
            continue;
        }
        struct stat info {};
        if (fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == geteuid() && now - info.st_mtime > kStaleTemporarySeconds) {
            unlinkat(dirfd(dir), entry->d_name, 0);
        }
    }
    closedir(dir);
}

} // namespace

void adviseLargeBuffer(const void* data, std::size_t bytes) {
    constexpr std::uintptr_t kHuge = 2 * 1024 * 1024;
    if (bytes < 4 * kHuge) {
        return;
    }
    // Only whole huge pages inside the buffer can be advised.
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kHuge - 1);
    if (end > begin) {
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
}

std::optional<std::string> readFile(const std::string& path) {
    auto result = readFileWithin(path, std::numeric_limits<std::uint64_t>::max());
    if (!result.ok) {
        return std::nullopt;
    }
    return std::move(result.bytes);
}

std::optional<FileIdentity> identityOf(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return identityFrom(info);
}

FileRead readFileWithin(const std::string& path, std::uint64_t limit) {
    FileRead result;
    if (path.empty()) {
        result.missing = true;
        result.error = QT_TRANSLATE_NOOP("Messages", "no file name was given");
        return result;
    }
    // Non-blocking open and a regular-file test: a FIFO or a device planted under a file's name would
    // otherwise hang the reader or feed it without end.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        result.missing = errno == ENOENT;
        result.error = errno == EISDIR ? QT_TRANSLATE_NOOP("Messages", "it is a folder")
                                       : text::fill(QT_TRANSLATE_NOOP("Messages", "it cannot be read: %1"),
                                                    std::strerror(errno));
        return result;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.error = S_ISDIR(info.st_mode) ? QT_TRANSLATE_NOOP("Messages", "it is a folder")
                                             : QT_TRANSLATE_NOOP("Messages", "it is not a plain file");
        close(fd);
        return result;
    }
    if (static_cast<std::uint64_t>(info.st_size) > limit) {
        result.error =
            text::fill(QT_TRANSLATE_NOOP("Messages", "it is larger than %1 MiB"), limit / (1024 * 1024));
        close(fd);
        return result;
    }
    result.identity = identityFrom(info);
    if (!readWhole(fd, static_cast<std::size_t>(info.st_size), result.bytes)) {
        result.error =
            text::fill(QT_TRANSLATE_NOOP("Messages", "it cannot be read: %1"), std::strerror(errno));
        result.bytes.clear();
        close(fd);
        return result;
    }
    close(fd);
    result.ok = true;
    return result;
}

std::optional<std::string> unreadableReason(const std::string& path) {
    if (!fileExists(path)) {
        return std::nullopt;
    }
    if (isDirectory(path)) {
        return QT_TRANSLATE_NOOP("Messages", "it is a folder");
    }
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return QT_TRANSLATE_NOOP("Messages", "it cannot be read");
    }
    struct stat info {};
    const bool plain = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    close(fd);
    if (!plain) {
        return QT_TRANSLATE_NOOP("Messages", "it is not a plain file");
    }
    return std::nullopt;
}

FileRead readSettledFile(const std::string& path, std::uint64_t limit, const std::string* before) {
    return settle([&] { return readFileWithin(path, limit); }, [&] { return identityOf(path); },
                  [&] { return pathOpenForWritingElsewhere(path); }, before);
}

namespace {

// Writes beside the target and renames over it; with `expected`, only when the target still has that
// identity just before the rename, and telling afterwards whether another program wrote into the replaced
// file meanwhile (its writes would otherwise vanish with it).
GuardedWrite replaceFile(const std::string& path, std::string_view contents,
                         const std::optional<std::optional<FileIdentity>>& expected,
                         const std::string* base) {
    GuardedWrite out;
    if (path.empty()) {
        out.result = {false, QT_TRANSLATE_NOOP("Messages", "no file name was given")};
        return out;
    }
    ignoreFileSizeSignal();
    const WriteTarget resolved = resolveLinks(path);
    if (!resolved.error.empty()) {
        out.result = {false, resolved.error};
        return out;
    }
    const std::string& target = resolved.path;
    struct stat existing {};
    const bool exists = lstat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        out.result = {false, text::fill(QT_TRANSLATE_NOOP("Messages", "%1 is a directory"), target)};
        return out;
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        out.result = {false, text::fill(QT_TRANSLATE_NOOP("Messages", "%1 is not a regular file"), target)};
        return out;
    }
    removeStaleTemporaries(directoryOf(target));
    std::string temporary = joinPath(directoryOf(target), ".htkeepgate.XXXXXX");
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        out.result = failure(text::fill(QT_TRANSLATE_NOOP("Messages", "cannot create a temporary file in %1"),
                                        directoryOf(target)));
        return out;
    }
    auto abandon = [&](const std::string& what) {
        out.result = failure(what);
        close(fd);
        unlink(temporary.c_str());
        return out;
    };
    const mode_t mode = exists ? (existing.st_mode & 07777) : 0644;
    if (exists) {
        // Giving a file away needs privileges; keeping at least its group often does not.
        if (fchown(fd, existing.st_uid, existing.st_gid) != 0) {
            (void)fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
        }
    }
    // After the owner, since changing the owner clears the set-id bits.
    if (fchmod(fd, mode) != 0) {
        return abandon(
            text::fill(QT_TRANSLATE_NOOP("Messages", "cannot set the permissions of %1"), temporary));
    }
    std::size_t written = 0;
    while (written < contents.size()) {
        const ssize_t n = write(fd, contents.data() + written, contents.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return abandon(text::fill(QT_TRANSLATE_NOOP("Messages", "cannot write %1"), temporary));
        }
        written += static_cast<std::size_t>(n);
    }
    if (fsync(fd) != 0) {
        return abandon(text::fill(QT_TRANSLATE_NOOP("Messages", "cannot flush %1"), temporary));
    }
    struct stat mine {};
    if (fstat(fd, &mine) == 0) {
        out.written = identityFrom(mine);
    }
    if (close(fd) != 0) {
        out.result = failure(text::fill(QT_TRANSLATE_NOOP("Messages", "cannot close %1"), temporary));
        unlink(temporary.c_str());
        return out;
    }
    int replaced = -1;
    FileIdentity replacedIdentity;
    if (expected) {
        replaced = open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW);
        std::optional<FileIdentity> now;
        struct stat info {};
        if (replaced >= 0 && fstat(replaced, &info) == 0 && S_ISREG(info.st_mode)) {
            now = identityFrom(info);
            replacedIdentity = *now;
        }
        if (now != *expected) {
            if (replaced >= 0) {
                close(replaced);
            }
            unlink(temporary.c_str());
            out.moved = true;
            out.result = {false, text::fill(QT_TRANSLATE_NOOP(
                                                "Messages", "%1 was changed by another program while it was "
                                                            "being saved"),
                                            target)};
            return out;
        }
    }
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        out.result = failure(text::fill(QT_TRANSLATE_NOOP("Messages", "cannot replace %1"), target));
        unlink(temporary.c_str());
        if (replaced >= 0) {
            close(replaced);
        }
        return out;
    }
    out.result = {true, {}};
    if (replaced >= 0) {
        // A program that opened the replaced file just before the rename may write into it a moment later
        // (htpasswd truncates and rewrites it in place): the file is watched until it has stayed still for a
        // quiet moment, and for as long as another program holds it open for writing, within patience.
        const auto renamed = std::chrono::steady_clock::now();
        struct stat after {};
        bool changed = false;
        for (;;) {
            if (fstat(replaced, &after) != 0) {
                break;
            }
            if (identityFrom(after) != replacedIdentity) {
                changed = true;
                break;
            }
            const auto waited = std::chrono::steady_clock::now() - renamed;
            if (waited >= kPatience || (waited >= kQuiet && !openForWritingElsewhere(replaced))) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (changed) {
            // Another program opened the file in place just before the rename and wrote into it: once it
            // is done, its text is handed back so that the caller builds on it.
            out.moved = true;
            const auto identityNow = [&]() -> std::optional<FileIdentity> {
                struct stat info {};
                return fstat(replaced, &info) == 0 ? std::optional(identityFrom(info)) : std::nullopt;
            };
            auto text = settle([&] { return readOpenFile(replaced); }, identityNow,
                               [&] { return openForWritingElsewhere(replaced); }, base);
            if (text.ok) {
                out.displaced = std::move(text.bytes);
            }
        }
        close(replaced);
    }
    return out;
}

} // namespace

FileResult writeFileAtomically(const std::string& path, std::string_view contents) {
    auto recorded = PendingChange::before(path, contents);
    auto result = replaceFile(path, contents, std::nullopt, nullptr).result;
    if (result) {
        recorded.keep();
    }
    return result;
}

GuardedWrite writeFileIfUnchanged(const std::string& path, std::string_view contents,
                                  const std::optional<FileIdentity>& expected, const std::string* base) {
    auto recorded = PendingChange::before(path, contents);
    auto out = replaceFile(path, contents,
                           std::optional<std::optional<FileIdentity>>(std::in_place, expected), base);
    if (out.result) {
        recorded.keep();
    }
    return out;
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0;
}

bool isDirectory(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

FileResult removeFile(const std::string& path) {
    auto recorded = PendingChange::before(path, std::nullopt);
    struct stat info {};
    if (path.empty() || lstat(path.c_str(), &info) != 0) {
        return failure(text::fill(QT_TRANSLATE_NOOP("Messages", "cannot remove %1"), path));
    }
    if (S_ISDIR(info.st_mode)) {
        return {false, text::fill(QT_TRANSLATE_NOOP("Messages", "%1 is a directory, not a file"), path)};
    }
    if (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) {
        return {false, text::fill(QT_TRANSLATE_NOOP("Messages", "%1 is not a regular file"), path)};
    }
    if (unlink(path.c_str()) != 0) {
        return failure(text::fill(QT_TRANSLATE_NOOP("Messages", "cannot remove %1"), path));
    }
    recorded.keep();
    return {true, {}};
}

std::string homeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) {
        return home;
    }
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) {
        return entry->pw_dir;
    }
    return "/";
}

std::string temporaryDirectory() {
    if (const char* folder = std::getenv("TMPDIR"); folder && *folder) {
        return folder;
    }
    return "/tmp";
}

std::string joinPath(const std::string& directory, const std::string& name) {
    if (directory.empty()) {
        return name;
    }
    if (directory.back() == '/') {
        return directory + name;
    }
    return directory + "/" + name;
}

} // namespace keepgate::platform

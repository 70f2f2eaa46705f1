#include "platform/FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace keepgate::platform {

namespace {

FileResult failure(const std::string& what) {
    return {false, what + ": " + std::strerror(errno)};
}

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows a chain of symbolic links to the path that the write must replace.
std::string resolveLinks(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current;
        }
        char buffer[PATH_MAX];
        const ssize_t length = readlink(current.c_str(), buffer, sizeof buffer - 1);
        if (length < 0) {
            return current;
        }
        std::string target(buffer, static_cast<std::size_t>(length));
        current = (!target.empty() && target[0] == '/') ? target : joinPath(directoryOf(current), target);
    }
    return current;
}

} // namespace

std::optional<std::string> readFile(const std::string& path) {
    if (path.empty()) {
        return std::nullopt;
    }
    // Non-blocking open and a regular-file test: a FIFO or a device planted under a file's name would
    // otherwise hang the reader or feed it without end.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return std::nullopt;
    }
    std::string contents;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            close(fd);
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        contents.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return contents;
}

std::optional<std::string> unreadableReason(const std::string& path) {
    if (!fileExists(path)) {
        return std::nullopt;
    }
    if (isDirectory(path)) {
        return "it is a folder";
    }
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return "it cannot be read";
    }
    struct stat info {};
    const bool plain = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    close(fd);
    if (!plain) {
        return "it is not a plain file";
    }
    return std::nullopt;
}

FileResult writeFileAtomically(const std::string& path, std::string_view contents) {
    if (path.empty()) {
        return {false, "no file name was given"};
    }
    const std::string target = resolveLinks(path);
    if (isDirectory(target)) {
        return {false, target + " is a directory"};
    }
    std::string temporary = joinPath(directoryOf(target), ".keepgate-XXXXXX");
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        return failure("cannot create a temporary file in " + directoryOf(target));
    }
    auto abandon = [&](const std::string& what) {
        FileResult result = failure(what);
        close(fd);
        unlink(temporary.c_str());
        return result;
    };
    struct stat existing {};
    const mode_t mode = stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
    if (fchmod(fd, mode) != 0) {
        return abandon("cannot set the permissions of " + temporary);
    }
    std::size_t written = 0;
    while (written < contents.size()) {
        const ssize_t n = write(fd, contents.data() + written, contents.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return abandon("cannot write " + temporary);
        }
        written += static_cast<std::size_t>(n);
    }
    if (fsync(fd) != 0) {
        return abandon("cannot flush " + temporary);
    }
    if (close(fd) != 0) {
        FileResult result = failure("cannot close " + temporary);
        unlink(temporary.c_str());
        return result;
    }
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        FileResult result = failure("cannot replace " + target);
        unlink(temporary.c_str());
        return result;
    }
    return {true, {}};
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
    struct stat info {};
    if (path.empty() || lstat(path.c_str(), &info) != 0) {
        return failure("cannot remove " + path);
    }
    if (S_ISDIR(info.st_mode)) {
        return {false, path + " is a directory, not a file"};
    }
    if (unlink(path.c_str()) != 0) {
        return failure("cannot remove " + path);
    }
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

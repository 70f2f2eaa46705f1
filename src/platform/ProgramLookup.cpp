#include "platform/ProgramLookup.h"

#include "platform/Messages.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileSystem.h"

namespace keepgate::platform {

namespace {

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::vector<std::string> pathEntries() {
    std::vector<std::string> entries;
    const char* path = std::getenv("PATH");
    if (!path) {
        return entries;
    }
    const std::string text(path);
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = text.find(':', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        // An empty entry means the current folder, as "." does.
        entries.push_back(end > start ? text.substr(start, end - start) : ".");
        start = end + 1;
    }
    return entries;
}

} // namespace

const std::vector<std::string>& systemProgramFolders() {
    static const std::vector<std::string> folders{
        "/usr/sbin",          "/usr/bin",         "/sbin", "/bin", "/usr/local/sbin", "/usr/local/bin",
        "/opt/homebrew/sbin", "/opt/homebrew/bin"};
    return folders;
}

std::optional<std::string> untrustedFolderReason(const std::string& folder) {
    if (folder.empty() || folder.front() != '/') {
        return text::fill(QT_TRANSLATE_NOOP("Messages", "%1 is not an absolute path"), folder);
    }
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return text::fill(QT_TRANSLATE_NOOP("Messages", "%1 is not a folder"), folder);
    }
    if (info.st_uid != 0) {
        return text::fill(QT_TRANSLATE_NOOP("Messages", "%1 is not owned by root"), folder);
    }
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        return text::fill(QT_TRANSLATE_NOOP("Messages", "%1 may be written by users other than root"),
                          folder);
    }
    return std::nullopt;
}

std::optional<std::string> findSystemProgram(const std::string& name,
                                             const std::vector<std::string>& folders) {
    if (name.empty() || name.find('/') != std::string::npos) {
        return std::nullopt;
    }
    std::vector<std::string> candidates = folders;
    if (folders.empty()) {
        candidates = systemProgramFolders();
        for (const auto& entry : pathEntries()) {
            if (!untrustedFolderReason(entry)) {
                candidates.push_back(entry);
            }
        }
    }
    for (const auto& folder : candidates) {
        if (folder.empty() || folder.front() != '/') {
            continue;
        }
        const std::string candidate = joinPath(folder, name);
        if (isExecutableFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

} // namespace keepgate::platform

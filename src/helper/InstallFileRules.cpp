#include "helper/InstallFileRules.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <deque>

namespace keepgate::helper {

namespace {

// A chain of root's links longer than this is a loop, as the kernel would say.
constexpr int kMaxLinks = 40;

#ifdef O_PATH
// Enough to walk through a folder that may be searched but not listed, as the caller's rights often
// allow; nothing is read through it.
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#else
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#endif

std::string errnoText() {
    return std::strerror(errno);
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string joined(const std::string& folder, const std::string& name) {
    return (folder == "/" ? "" : folder) + "/" + name;
}

bool isInside(const std::string& path, const std::string& folder) {
    return folder == "/" || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                             path[folder.size()] == '/');
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool isExecutable(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

bool writeAll(int descriptor, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(count);
    }
    return true;
}

// Reads until the end or until more than `limit` bytes arrived; false on a read error.
bool readUpTo(int descriptor, std::string& bytes, std::size_t limit) {
    char buffer[65536];
    while (bytes.size() <= limit) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return false;
        }
        if (count == 0) {
            return true;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    return true;
}

std::deque<std::string> stepsOf(const std::string& path) {
    std::deque<std::string> steps;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        steps.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return steps;
}

// The walk shared by files and folders. Folders are opened one by one relative to the last; a link is
// read and its target walked in its place, but only when root owns it, for a link anyone else made
// could lead the administrator's write anywhere that person chose.
WalkedPath walk(const std::string& path, bool toFile) {
    WalkedPath result;
    if (auto problem = pathProblem(path)) {
        result.problem = *problem;
        return result;
    }
    std::vector<int> folders{::open("/", kFolderFlags & ~O_NOFOLLOW)};
    std::vector<std::string> names;
    const auto closeAll = [&folders] {
        for (const int folder : folders) {
            if (folder >= 0) {
                ::close(folder);
            }
        }
        folders.clear();
    };
    const auto here = [&names] {
        std::string text;
        for (const auto& name : names) {
            text += "/" + name;
        }
        return text.empty() ? std::string("/") : text;
    };
    if (folders.front() < 0) {
        result.problem = "\"/\" cannot be opened: " + errnoText();
        closeAll();
        return result;
    }
    std::deque<std::string> steps = stepsOf(path.substr(1));
    int links = 0;
    while (!steps.empty()) {
        const std::string step = steps.front();
        steps.pop_front();
        if (step.empty() || step == ".") {
            continue; // only a link's target brings these
        }
        if (step == "..") {
            if (folders.size() > 1) {
                ::close(folders.back());
                folders.pop_back();
                names.pop_back();
            }
            continue;
        }
        const bool last = toFile && steps.empty();
        const std::string at = joined(here(), step);
        struct stat info {};
        if (::fstatat(folders.back(), step.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT && last) {
                result.name = step;
                break;
            }
            result.problem = quoted(at) + " cannot be reached: " + errnoText();
            result.unreachable = errno == EACCES;
            closeAll();
            return result;
        }
        if (S_ISLNK(info.st_mode)) {
            if (info.st_uid != 0) {
                result.problem = quoted(at) + " is a link owned by user " + std::to_string(info.st_uid) +
                                 ", not by root, and is not followed";
                closeAll();
                return result;
            }
            char target[PATH_MAX];
            const ssize_t length = ::readlinkat(folders.back(), step.c_str(), target, sizeof target - 1);
            if (length <= 0 || ++links > kMaxLinks) {
                result.problem = quoted(at) + " is a link that cannot be followed";
                closeAll();
                return result;
            }
            const std::string targetPath(target, static_cast<std::size_t>(length));
            auto targetSteps = stepsOf(targetPath);
            steps.insert(steps.begin(), targetSteps.begin(), targetSteps.end());
            if (targetPath.front() == '/') {
                while (folders.size() > 1) {
                    ::close(folders.back());
                    folders.pop_back();
                    names.pop_back();
                }
            }
            continue;
        }
        if (last) {
            if (!S_ISREG(info.st_mode)) {
                result.problem = quoted(at) + " is not a regular file";
                closeAll();
                return result;
            }
            result.name = step;
            result.exists = true;
            result.info = info;
            break;
        }
        const int folder = ::openat(folders.back(), step.c_str(), kFolderFlags);
        if (folder < 0) {
            result.unreachable = errno == EACCES;
            result.problem = quoted(at) + (errno == ENOTDIR ? std::string(" is not a folder")
                                                            : " cannot be opened: " + errnoText());
            closeAll();
            return result;
        }
        folders.push_back(folder);
        names.push_back(step);
    }
    if (toFile && result.name.empty()) {
        result.problem = quoted(path) + " does not name a file";
        closeAll();
        return result;
    }
    result.folderPath = here();
    result.folder = folders.back();
    folders.pop_back();
    closeAll();
    return result;
}

bool inSystemFolder(const std::string& path, const std::string& folder) {
    if (!endsWith(folder, "*")) {
        return path == folder || isInside(path, folder);
    }
    // "/lib*": any step at that place whose name begins with "lib".
    const std::string stem = folder.substr(0, folder.size() - 1);
    const std::size_t slash = stem.rfind('/');
    const std::size_t next = path.find('/', slash + 1);
    return path.compare(0, stem.size(), stem) == 0 && (next == std::string::npos || next >= stem.size());
}

// A user file holds "name:hash" lines and a group file "name: members"; nothing else is told by these
// rules to be either, so a write with a kept authorization cannot plant a script under another name.
std::optional<std::string> userOrGroupLinesProblem(std::string_view bytes) {
    std::size_t number = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        const std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        ++number;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::size_t colon = line.find(':');
        bool good = colon != std::string_view::npos && colon > 0;
        for (std::size_t i = 0; good && i < line.size(); ++i) {
            const auto c = static_cast<unsigned char>(line[i]);
            const bool control = (c < 0x20 && c != '\t') || c == 0x7f;
            good = !control && (i >= colon || (c != ' ' && c != '\t'));
        }
        if (!good) {
            return "line " + std::to_string(number) + " is not a user or group line (name:…)";
        }
    }
    return std::nullopt;
}

// The one refusal that reading as root could turn into a yes.
const char* const kUnreadableContents =
    "its present contents cannot be read to tell whether it is a user or group file";

// What the rules look at, gathered once.
struct Facts {
    std::string path;
    std::string name;
    bool exists = false;
    bool insideServerFolder = false;
    std::string systemFolder; // the system folder the file lies in, if any
    bool hiddenFolder = false;
    std::string serverFolders; // for messages
    std::string_view newBytes;
    const std::optional<std::string>* currentBytes = nullptr;
};

std::optional<std::string> placeProblem(const Facts& facts) {
    if (facts.insideServerFolder || facts.systemFolder.empty()) {
        return std::nullopt;
    }
    return "it lies in the system folder " + facts.systemFolder;
}

// Every rule answers nothing when it admits the file, else why not.
using RuleCheck = std::optional<std::string> (*)(const Facts&);

std::optional<std::string> serverConfigurationProblem(const Facts& facts) {
    if (!endsWith(facts.name, ".conf")) {
        return "its name does not end in .conf";
    }
    if (!facts.insideServerFolder) {
        return "it is not inside the web server's configuration folders (" + facts.serverFolders + ")";
    }
    return std::nullopt;
}

std::optional<std::string> sharedConfigurationProblem(const Facts& facts) {
    if (facts.name != "keepgate.conf") {
        return "it is not named keepgate.conf";
    }
    return placeProblem(facts);
}

std::optional<std::string> accessFileProblem(const Facts& facts) {
    if (facts.name.rfind(".ht", 0) != 0) {
        return "its name does not begin with .ht";
    }
    return placeProblem(facts);
}

std::optional<std::string> userOrGroupFileProblem(const Facts& facts) {
    // The server's own scripts and data beside its configuration are never replaced.
    if (facts.insideServerFolder && (facts.name.rfind("envvars", 0) == 0 || facts.name == "magic")) {
        return "the server's " + facts.name + " is never written";
    }
    if (facts.name.front() == '.' || facts.hiddenFolder) {
        return "it lies in a hidden folder or has a hidden name";
    }
    if (auto problem = placeProblem(facts)) {
        return problem;
    }
    if (auto problem = userOrGroupLinesProblem(facts.newBytes)) {
        return "its new contents are not a user or group file: " + *problem;
    }
    if (facts.exists) {
        if (!*facts.currentBytes) {
            return kUnreadableContents;
        }
        if (userOrGroupLinesProblem(**facts.currentBytes)) {
            return "it is not a user or group file now, and only one of those may replace it";
        }
    }
    return std::nullopt;
}

struct RuleRow {
    DestinationRule rule;
    RuleCheck check;
};

// The one table of what the helper writes, tried in order; the first row that admits a file decides
// which command (and so which polkit action) writes it.
const std::vector<RuleRow>& ruleRows() {
    static const std::vector<RuleRow> rows = {
        {{"server configuration file",
          "a *.conf file inside the web server's configuration folders, never envvars, magic or an "
          "executable",
          Command::InstallConfig},
         serverConfigurationProblem},
        {{"shared configuration file",
          "a file named keepgate.conf inside the web server's configuration folders or outside the "
          "system's folders",
          Command::InstallConfig},
         sharedConfigurationProblem},
        {{"access file",
          "a file whose name begins with .ht inside the web server's configuration folders or outside "
          "the system's folders",
          Command::InstallFile},
         accessFileProblem},
        {{"user or group file",
          "a file of name:… lines only, replacing only such a file, inside the web server's "
          "configuration folders or outside the system's folders and hidden folders",
          Command::InstallFile},
         userOrGroupFileProblem},
    };
    return rows;
}

// The row whose refusal explains best why a file was refused: the one its name is about.
const RuleRow& explainingRow(const std::string& name) {
    const auto& rows = ruleRows();
    if (name == "keepgate.conf") {
        return rows[1];
    }
    if (endsWith(name, ".conf")) {
        return rows[0];
    }
    if (name.rfind(".ht", 0) == 0) {
        return rows[2];
    }
    return rows[3];
}

} // namespace

const std::vector<std::string>& serverConfigFolders() {
    static const std::vector<std::string> folders = {"/etc/apache2",
                                                     "/etc/httpd",
                                                     "/usr/local/etc/apache24",
                                                     "/usr/local/etc/httpd",
                                                     "/usr/local/apache2/conf",
                                                     "/opt/homebrew/etc/httpd",
                                                     "/private/etc/apache2"};
    return folders;
}

const Layout& systemLayout() {
    static const Layout layout = {serverConfigFolders(),
                                  {"/etc", "/usr", "/bin", "/sbin", "/lib*", "/boot", "/root", "/proc",
                                   "/sys", "/dev", "/run", "/var/lib", "/var/spool", "/var/cache", "/var/log",
                                   "/var/run",
                                   // The same folders where macOS keeps them, and its own system folder.
                                   "/private/etc", "/private/var/db", "/private/var/root", "/private/var/run",
                                   "/private/var/log", "/System"}};
    return layout;
}

std::optional<std::string> pathProblem(const std::string& path) {
    if (path.empty() || path.front() != '/') {
        return "\"" + path + "\" is not an absolute path";
    }
    if (path.find('\0') != std::string::npos || path.find('\n') != std::string::npos) {
        return "the path holds a control character";
    }
    std::size_t start = 1;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string step = path.substr(start, end - start);
        if (step.empty() || step == "." || step == "..") {
            return "\"" + path + "\" has an empty, \".\" or \"..\" step";
        }
        start = end + 1;
    }
    return std::nullopt;
}

WalkedPath::WalkedPath(WalkedPath&& other) noexcept {
    *this = std::move(other);
}

WalkedPath& WalkedPath::operator=(WalkedPath&& other) noexcept {
    if (this != &other) {
        if (folder >= 0) {
            ::close(folder);
        }
        folder = other.folder;
        folderPath = std::move(other.folderPath);
        name = std::move(other.name);
        exists = other.exists;
        info = other.info;
        problem = std::move(other.problem);
        other.folder = -1;
    }
    return *this;
}

WalkedPath::~WalkedPath() {
    if (folder >= 0) {
        ::close(folder);
    }
}

WalkedPath WalkedPath::toFile(const std::string& path) {
    return walk(path, true);
}

WalkedPath WalkedPath::toFolder(const std::string& path) {
    return walk(path, false);
}

std::string WalkedPath::path() const {
    return name.empty() ? folderPath : joined(folderPath, name);
}

const char* commandName(Command command) {
    return command == Command::InstallConfig ? "install-config" : "install";
}

const std::vector<DestinationRule>& destinationRules() {
    static const std::vector<DestinationRule> rules = [] {
        std::vector<DestinationRule> list;
        for (const auto& row : ruleRows()) {
            list.push_back(row.rule);
        }
        return list;
    }();
    return rules;
}

Verdict judgeDestination(const WalkedPath& destination, std::string_view newBytes,
                         const std::optional<std::string>& currentBytes, const Layout& layout) {
    Verdict verdict;
    if (!destination.ok()) {
        verdict.problem = destination.problem;
        verdict.undecided = destination.unreachable;
        return verdict;
    }
    Facts facts;
    facts.path = destination.path();
    facts.name = destination.name;
    facts.exists = destination.exists;
    facts.newBytes = newBytes;
    facts.currentBytes = &currentBytes;
    for (const std::string& folder : layout.serverFolders) {
        // A configuration folder counts as walked, root's links resolved (/etc is one on macOS).
        const WalkedPath walked = WalkedPath::toFolder(folder);
        if (!walked.ok()) {
            continue;
        }
        facts.serverFolders += (facts.serverFolders.empty() ? "" : ", ") + walked.folderPath;
        facts.insideServerFolder = facts.insideServerFolder || isInside(facts.path, walked.folderPath);
    }
    if (facts.serverFolders.empty()) {
        facts.serverFolders = "none on this system";
    }
    for (const std::string& folder : layout.systemFolders) {
        if (inSystemFolder(destination.folderPath, folder)) {
            facts.systemFolder = folder;
            break;
        }
    }
    for (const std::string& step : stepsOf(destination.folderPath)) {
        facts.hiddenFolder = facts.hiddenFolder || (!step.empty() && step.front() == '.');
    }
    const std::string at = quoted(facts.path);
    // Whatever runs as a program is never rewritten, under any rule.
    if (destination.exists && (destination.info.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH))) {
        verdict.problem = at + " is executable, and Keepgate never writes a program";
        return verdict;
    }
    for (const auto& row : ruleRows()) {
        if (!row.check(facts)) {
            verdict.rule = &row.rule;
            return verdict;
        }
    }
    const RuleRow& row = explainingRow(facts.name);
    const std::string why = *row.check(facts);
    verdict.problem = at + ": " + why + " (" + row.rule.title + ": " + row.rule.description + ")";
    verdict.undecided = why == kUnreadableContents;
    return verdict;
}

std::optional<std::string> readInFolder(int folder, const std::string& name, std::size_t limit) {
    const int descriptor = ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return std::nullopt;
    }
    struct stat info {};
    std::string bytes;
    const bool read = ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) &&
                      static_cast<std::size_t>(info.st_size) <= limit && readUpTo(descriptor, bytes, limit);
    ::close(descriptor);
    if (!read || bytes.size() > limit) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::string> destinationProblem(const std::string& destination, std::string_view newBytes,
                                              Command command, const Layout& layout) {
    const WalkedPath walked = WalkedPath::toFile(destination);
    const auto current = walked.ok() && walked.exists
                             ? readInFolder(walked.folder, walked.name, kSourceSizeLimit)
                             : std::nullopt;
    const Verdict verdict = judgeDestination(walked, newBytes, current, layout);
    if (!verdict.rule) {
        return verdict.problem;
    }
    if (verdict.rule->command != command) {
        return quoted(walked.path()) + " (" + verdict.rule->title + ") is written only by \"" +
               commandName(verdict.rule->command) + "\"";
    }
    return std::nullopt;
}

std::optional<std::string> moduleNameProblem(const std::string& name) {
    if (name.empty()) {
        return "the module name is empty";
    }
    for (const char c : name) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) {
            return "\"" + name + "\" is not a module name (lower-case letters, digits and underscores only)";
        }
    }
    return std::nullopt;
}

std::optional<std::string> backupNameProblem(const std::string& name, const std::string& backupName) {
    const std::string prefix = name + ".keepgate-";
    bool good = backupName.size() > prefix.size() && backupName.compare(0, prefix.size(), prefix) == 0;
    for (std::size_t i = prefix.size(); good && i < backupName.size(); ++i) {
        good = (backupName[i] >= '0' && backupName[i] <= '9') || backupName[i] == '-';
    }
    if (!good) {
        return quoted(backupName) + " is not a backup name for " + quoted(name) + " (" + prefix +
               "followed by a time stamp)";
    }
    return std::nullopt;
}

std::optional<std::string> readSource(int sourceDescriptor, std::string& bytes, bool* tooLarge) {
    struct stat source {};
    if (::fstat(sourceDescriptor, &source) != 0 || !S_ISREG(source.st_mode)) {
        return "the source is not a regular file";
    }
    const std::string limit = std::to_string(kSourceSizeLimit >> 20) + " MiB";
    if (static_cast<std::size_t>(source.st_size) > kSourceSizeLimit) {
        if (tooLarge) {
            *tooLarge = true;
        }
        return "the source is larger than " + limit + " and is not read";
    }
    if (!readUpTo(sourceDescriptor, bytes, kSourceSizeLimit)) {
        return "the source file cannot be read: " + errnoText();
    }
    if (bytes.size() > kSourceSizeLimit) {
        if (tooLarge) {
            *tooLarge = true;
        }
        return "the source grew beyond " + limit + " while it was read";
    }
    return std::nullopt;
}

namespace {

// Makes a file of a fresh random name in the open folder, exclusively and without following a link.
int makeTemporary(int folder, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char random[6] = {};
        if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
            return -1;
        }
        static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        name = ".keepgate-install-";
        for (const unsigned char c : random) {
            name += letters[c % (sizeof letters - 1)];
        }
        const int descriptor =
            ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (descriptor >= 0 || errno != EEXIST) {
            return descriptor;
        }
    }
    errno = EEXIST;
    return -1;
}

// Writes `bytes` to the new file, gives it its mode and owner and flushes it; the reason on failure.
std::optional<std::string> fill(int descriptor, const std::string& bytes, mode_t mode, uid_t owner,
                                gid_t group) {
    if (!writeAll(descriptor, bytes)) {
        return "the new file cannot be written: " + errnoText();
    }
    // The owner first: a change of owner may clear mode bits that were set before it.
    if ((owner != ::geteuid() || group != ::getegid()) && ::fchown(descriptor, owner, group) != 0) {
        return "the new file's owner cannot be set: " + errnoText();
    }
    if (::fchmod(descriptor, mode) != 0) {
        return "the new file's mode cannot be set: " + errnoText();
    }
    if (::fsync(descriptor) != 0) {
        return "the new file cannot be flushed to disk: " + errnoText();
    }
    return std::nullopt;
}

void flushFolder(int folder) {
    const int descriptor = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

} // namespace

std::optional<std::string> installInto(const WalkedPath& destination, const std::string& bytes,
                                       const std::string& backupName) {
    if (!destination.ok()) {
        return destination.problem;
    }
    const std::string at = quoted(destination.path());
    // What the helper writes is never a program, so no execute or set-id bit is carried over.
    mode_t mode = 0644;
    uid_t owner = ::geteuid();
    gid_t group = ::getegid();
    if (destination.exists) {
        mode = destination.info.st_mode & 0666;
        owner = destination.info.st_uid;
        group = destination.info.st_gid;
    }
    if (!backupName.empty()) {
        if (!destination.exists) {
            return at + " does not exist, so there is nothing to back up";
        }
        if (auto problem = backupNameProblem(destination.name, backupName)) {
            return problem;
        }
        const auto previous = readInFolder(destination.folder, destination.name, kSourceSizeLimit);
        if (!previous) {
            return at + " cannot be read for its backup";
        }
        const int descriptor = ::openat(destination.folder, backupName.c_str(),
                                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (descriptor < 0) {
            return "the backup " + quoted(joined(destination.folderPath, backupName)) +
                   " cannot be made: " + errnoText();
        }
        auto problem = fill(descriptor, *previous, mode, owner, group);
        ::close(descriptor);
        if (problem) {
            ::unlinkat(destination.folder, backupName.c_str(), 0);
            return "the backup: " + *problem;
        }
    }
    std::string temporary;
    const int descriptor = makeTemporary(destination.folder, temporary);
    if (descriptor < 0) {
        return "no temporary file can be made beside " + at + ": " + errnoText();
    }
    std::optional<std::string> problem = fill(descriptor, bytes, mode, owner, group);
    if (::close(descriptor) != 0 && !problem) {
        problem = "the new file cannot be closed: " + errnoText();
    }
    if (!problem && ::renameat(destination.folder, temporary.c_str(), destination.folder,
                               destination.name.c_str()) != 0) {
        problem = "the new file cannot replace " + at + ": " + errnoText();
    }
    if (problem) {
        ::unlinkat(destination.folder, temporary.c_str(), 0);
        return problem;
    }
    // The rename itself reaches the disk only once the folder is flushed.
    flushFolder(destination.folder);
    if (readInFolder(destination.folder, destination.name, bytes.size()) != bytes) {
        return at + " does not read back as written";
    }
    return std::nullopt;
}

const Tools& systemTools() {
    static const Tools tools = {{"/usr/sbin/a2enmod", "/usr/bin/a2enmod"},
                                {{"/usr/sbin/apache2ctl", "graceful"},
                                 {"/usr/sbin/apachectl", "graceful"},
                                 {"/usr/bin/apachectl", "graceful"},
                                 {"/usr/local/sbin/apachectl", "graceful"},
                                 {"/bin/systemctl", "reload", "apache2"},
                                 {"/bin/systemctl", "reload", "httpd"}},
                                {"/usr/sbin/a2enconf", "/usr/bin/a2enconf"}};
    return tools;
}

RunResult runTool(const std::vector<std::string>& argv) {
    if (argv.empty() || !isExecutable(argv.front())) {
        return {-1,
                argv.empty() ? "no program given" : "\"" + argv.front() + "\" is not an executable program"};
    }
    std::vector<char*> arguments;
    for (const std::string& argument : argv) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);
    // The tools run with a known search path, never one the caller chose.
    char path[] = "PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin";
    char language[] = "LC_ALL=C";
    char* environment[] = {path, language, nullptr};
    pid_t child = 0;
    const int error =
        ::posix_spawn(&child, argv.front().c_str(), nullptr, nullptr, arguments.data(), environment);
    if (error != 0) {
        return {-1, "\"" + argv.front() + "\" cannot be started: " + std::strerror(error)};
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return {-1, "\"" + argv.front() + "\" could not be waited for: " + errnoText()};
        }
    }
    if (WIFEXITED(status)) {
        return {WEXITSTATUS(status), ""};
    }
    return {128 + WTERMSIG(status), ""};
}

namespace {

// Runs the first of `programs` present with `name`; nothing when it succeeded, else why not, and
// `missing` when none of them is on this system.
std::optional<std::string> runEnabler(const std::vector<std::string>& programs, const std::string& name,
                                      const std::string& missing) {
    for (const std::string& program : programs) {
        if (!isExecutable(program)) {
            continue;
        }
        const RunResult result = runTool({program, name});
        if (!result.problem.empty()) {
            return result.problem;
        }
        if (result.status != 0) {
            return "\"" + program + " " + name + "\" failed with status " + std::to_string(result.status);
        }
        return std::nullopt;
    }
    return missing;
}

} // namespace

std::optional<std::string> enableModule(const std::string& name, const Tools& tools) {
    if (auto problem = moduleNameProblem(name)) {
        return problem;
    }
    return runEnabler(tools.enableModule, name,
                      "this system has no a2enmod; enable the module \"" + name +
                          "\" in the web server's configuration by hand");
}

std::optional<std::string> confNameProblem(const std::string& name) {
    for (const char c : name) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
              c == '-')) {
            return "\"" + name + "\" is not a configuration name (letters, digits, \"_\" and \"-\" only)";
        }
    }
    if (name.empty() || name.front() == '-') {
        return "\"" + name + "\" is not a configuration name";
    }
    return std::nullopt;
}

std::optional<std::string> enableConf(const std::string& name, const Tools& tools) {
    if (auto problem = confNameProblem(name)) {
        return problem;
    }
    return runEnabler(tools.enableConf, name,
                      "this system has no a2enconf; include " + name +
                          ".conf in the web server's configuration by hand");
}

std::optional<std::string> reloadServer(const Tools& tools) {
    std::optional<std::string> lastProblem;
    for (const auto& command : tools.reload) {
        if (command.empty() || !isExecutable(command.front())) {
            continue;
        }
        const RunResult result = runTool(command);
        if (result.problem.empty() && result.status == 0) {
            return std::nullopt;
        }
        std::string line;
        for (const std::string& word : command) {
            line += (line.empty() ? "" : " ") + word;
        }
        lastProblem = result.problem.empty()
                          ? "\"" + line + "\" failed with status " + std::to_string(result.status)
                          : result.problem;
    }
    return lastProblem ? lastProblem
                       : std::optional<std::string>("no tool to reload the web server was found "
                                                    "(apache2ctl, apachectl or systemctl)");
}

int openSource(const std::string& path, std::string& problem) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        problem = "\"" + path + "\" cannot be opened: " + errnoText();
    }
    return descriptor;
}

int runCommand(const std::vector<std::string>& arguments, const Layout& layout, const Tools& tools,
               SourceOpener opener, std::string& message) {
    const std::string command = arguments.empty() ? "" : arguments.front();
    const bool configuration = command == "install-config";
    if ((command == "install" && arguments.size() == 3) ||
        (configuration && (arguments.size() == 3 || arguments.size() == 4))) {
        const std::string& source = arguments[1];
        if (auto problem = pathProblem(source)) {
            message = "source: " + *problem;
            return 2;
        }
        WalkedPath destination = WalkedPath::toFile(arguments[2]);
        if (!destination.ok()) {
            message = "refused: " + destination.problem;
            return 2;
        }
        const int descriptor = opener(source, message);
        if (descriptor < 0) {
            return 1;
        }
        std::string bytes;
        bool tooLarge = false;
        auto problem = readSource(descriptor, bytes, &tooLarge);
        ::close(descriptor);
        if (problem) {
            // Too large a source is bad input, refused; one that could not be read is a failure.
            message = (tooLarge ? "refused: \"" : "\"") + source + "\": " + *problem;
            return tooLarge ? 2 : 1;
        }
        const auto current = destination.exists
                                 ? readInFolder(destination.folder, destination.name, kSourceSizeLimit)
                                 : std::nullopt;
        const Verdict verdict = judgeDestination(destination, bytes, current, layout);
        if (!verdict.rule) {
            message = "refused: " + verdict.problem;
            return 2;
        }
        const Command wanted = configuration ? Command::InstallConfig : Command::InstallFile;
        if (verdict.rule->command != wanted) {
            message = "refused: \"" + destination.path() + "\" (" + verdict.rule->title +
                      ") is written only by \"" + commandName(verdict.rule->command) + "\"";
            return 2;
        }
        const std::string backup = arguments.size() == 4 ? arguments[3] : "";
        if (!backup.empty()) {
            if (auto refusal = backupNameProblem(destination.name, backup)) {
                message = "refused: " + *refusal;
                return 2;
            }
        }
        if (auto failure = installInto(destination, bytes, backup)) {
            message = *failure;
            return 1;
        }
        return 0;
    }
    if (command == "enable-module" && arguments.size() == 2) {
        if (auto problem = moduleNameProblem(arguments[1])) {
            message = "refused: " + *problem;
            return 2;
        }
        if (auto problem = enableModule(arguments[1], tools)) {
            message = *problem;
            return 1;
        }
        return 0;
    }
    if (command == "enable-conf" && arguments.size() == 2) {
        if (auto problem = confNameProblem(arguments[1])) {
            message = "refused: " + *problem;
            return 2;
        }
        if (auto problem = enableConf(arguments[1], tools)) {
            message = *problem;
            return 1;
        }
        return 0;
    }
    if (command == "reload" && arguments.size() == 1) {
        if (auto problem = reloadServer(tools)) {
            message = *problem;
            return 1;
        }
        return 0;
    }
    message = "usage: keepgate-install-file install SOURCE DEST | install-config SOURCE DEST [BACKUP] | "
              "enable-module NAME | enable-conf NAME | reload";
    return 2;
}

} // namespace keepgate::helper

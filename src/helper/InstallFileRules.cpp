#include "helper/InstallFileRules.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace keepgate::helper {

namespace {

std::string errnoText() {
    return std::strerror(errno);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

std::optional<std::string> realPath(const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) {
        return std::nullopt;
    }
    return std::string(resolved);
}

bool isInside(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
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

std::optional<std::string> readAll(int descriptor, std::string& bytes) {
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return "the source file cannot be read: " + errnoText();
        }
        if (count == 0) {
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

} // namespace

const std::vector<std::string>& serverConfigFolders() {
    static const std::vector<std::string> folders = {"/etc/apache2",
                                                     "/etc/httpd",
                                                     "/usr/local/etc/apache24",
                                                     "/usr/local/etc/httpd",
                                                     "/opt/homebrew/etc/httpd",
                                                     "/private/etc/apache2"};
    return folders;
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

Resolved resolveDestination(const std::string& destination) {
    struct stat info {};
    if (::lstat(destination.c_str(), &info) == 0) {
        const auto resolved = realPath(destination);
        if (!resolved) {
            return {"", "\"" + destination + "\" leads nowhere: " + errnoText()};
        }
        struct stat target {};
        if (::stat(resolved->c_str(), &target) != 0 || !S_ISREG(target.st_mode)) {
            return {"", "\"" + destination + "\" is not a regular file"};
        }
        // A link someone else planted (the server's user in a folder it may write) must not carry the
        // administrator's write onto a file that is not that someone's own.
        if (S_ISLNK(info.st_mode) && info.st_uid != target.st_uid) {
            return {"", "\"" + destination + "\" is a link owned by another user than the file it leads to"};
        }
        return {*resolved, ""};
    }
    if (errno != ENOENT) {
        return {"", "\"" + destination + "\" cannot be examined: " + errnoText()};
    }
    const auto folder = realPath(folderOf(destination));
    if (!folder) {
        return {"", "the folder of \"" + destination + "\" cannot be found: " + errnoText()};
    }
    return {(*folder == "/" ? "" : *folder) + "/" + nameOf(destination), ""};
}

std::optional<std::string> destinationProblem(const std::string& destination,
                                              const std::vector<std::string>& configFolders) {
    if (auto problem = pathProblem(destination)) {
        return problem;
    }
    const Resolved resolved = resolveDestination(destination);
    if (!resolved.problem.empty()) {
        return resolved.problem;
    }
    const std::string name = nameOf(resolved.path);
    if (name.rfind(".ht", 0) == 0 || name == "keepgate.conf") {
        return std::nullopt;
    }
    for (const std::string& folder : configFolders) {
        // A configuration folder may itself be a link (as /etc is on macOS), so both spellings count.
        const auto real = realPath(folder);
        if (isInside(resolved.path, folder) || (real && isInside(resolved.path, *real))) {
            return std::nullopt;
        }
    }
    return "\"" + destination +
           "\" is neither in the web server's configuration folders nor an access, password or "
           "keepgate.conf file";
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

std::optional<std::string> installFromDescriptor(int sourceDescriptor, const std::string& destination) {
    struct stat source {};
    if (::fstat(sourceDescriptor, &source) != 0 || !S_ISREG(source.st_mode)) {
        return "the source is not a regular file";
    }
    std::string bytes;
    if (auto problem = readAll(sourceDescriptor, bytes)) {
        return problem;
    }
    mode_t mode = 0644;
    uid_t owner = ::geteuid();
    gid_t group = ::getegid();
    struct stat existing {};
    if (::stat(destination.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
        owner = existing.st_uid;
        group = existing.st_gid;
    }
    std::string temporary = folderOf(destination) + "/.keepgate-install-XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        return "no temporary file can be made beside \"" + destination + "\": " + errnoText();
    }
    std::optional<std::string> problem;
    if (!writeAll(descriptor, bytes)) {
        problem = "the new file cannot be written: " + errnoText();
    } else if (::fchmod(descriptor, mode) != 0) {
        problem = "the new file's mode cannot be set: " + errnoText();
    } else if ((owner != ::geteuid() || group != ::getegid()) && ::fchown(descriptor, owner, group) != 0) {
        problem = "the new file's owner cannot be set: " + errnoText();
    } else if (::fsync(descriptor) != 0) {
        problem = "the new file cannot be flushed to disk: " + errnoText();
    }
    if (::close(descriptor) != 0 && !problem) {
        problem = "the new file cannot be closed: " + errnoText();
    }
    if (!problem && ::rename(temporary.c_str(), destination.c_str()) != 0) {
        problem = "the new file cannot replace \"" + destination + "\": " + errnoText();
    }
    if (problem) {
        ::unlink(temporary.c_str());
        return problem;
    }
    // The rename itself reaches the disk only once the folder is flushed.
    const int folder = ::open(folderOf(destination).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
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

std::optional<std::string> enableModule(const std::string& name, const Tools& tools) {
    if (auto problem = moduleNameProblem(name)) {
        return problem;
    }
    for (const std::string& program : tools.enableModule) {
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
    return "this system has no a2enmod; enable the module \"" + name +
           "\" in the web server's configuration by hand";
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
    for (const std::string& program : tools.enableConf) {
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
    return "this system has no a2enconf; include " + name + ".conf in the web server's configuration by hand";
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

int runCommand(const std::vector<std::string>& arguments, const std::vector<std::string>& configFolders,
               const Tools& tools, SourceOpener opener, std::string& message) {
    const std::string command = arguments.empty() ? "" : arguments.front();
    if (command == "install" && arguments.size() == 3) {
        const std::string& source = arguments[1];
        if (auto problem = pathProblem(source)) {
            message = "source: " + *problem;
            return 2;
        }
        if (auto problem = destinationProblem(arguments[2], configFolders)) {
            message = "refused: " + *problem;
            return 2;
        }
        const std::string destination = resolveDestination(arguments[2]).path;
        const int descriptor = opener(source, message);
        if (descriptor < 0) {
            return 1;
        }
        auto problem = installFromDescriptor(descriptor, destination);
        ::close(descriptor);
        if (problem) {
            message = *problem;
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
    message = "usage: keepgate-install-file install SOURCE DEST | enable-module NAME | enable-conf NAME | "
              "reload";
    return 2;
}

} // namespace keepgate::helper

#include "ApacheInstance.h"

#include <chrono>
#include <filesystem>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "support/TestSupport.h"

namespace keepgate::testing {

namespace {

constexpr const char* kApache = "/usr/sbin/apache2";
constexpr const char* kModules = "/usr/lib/apache2/modules";
constexpr const char* kCurl = "/usr/bin/curl";

int freePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    close(fd);
    return port;
}

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

} // namespace

void openToApache(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) {
        chmod(path.c_str(), (info.st_mode & 07777) | (S_ISDIR(info.st_mode) ? 0755 : 0644));
    }
}

ApacheInstance::ApacheInstance(std::string root) : root_(std::move(root)), port_(freePort()) {
    std::filesystem::create_directories(root_ + "/htdocs");
    std::filesystem::create_directories(root_ + "/logs");
    openToApache(root_);
    openToApache(root_ + "/htdocs");
    writeFile(errorLogPath(), "");
}

ApacheInstance::~ApacheInstance() {
    stop();
}

std::string ApacheInstance::publishPage(const std::string& relative) const {
    const std::string directory = documentRoot() + "/" + relative;
    std::filesystem::create_directories(directory);
    writeFile(directory + "/index.html", "<p>" + relative + "</p>\n");
    for (std::filesystem::path p = directory; p.string().size() > documentRoot().size();
         p = p.parent_path()) {
        openToApache(p.string());
    }
    openToApache(directory + "/index.html");
    return directory;
}

void ApacheInstance::writeConfig(const std::string& documentRootDirectives, const std::string& extra) {
    std::string config;
    config += "ServerRoot \"" + root_ + "\"\n";
    config += "PidFile \"" + root_ + "/logs/httpd.pid\"\n";
    config += "DefaultRuntimeDir \"" + root_ + "/logs\"\n";
    config += "Mutex file:" + root_ + "/logs default\n";
    config += "Listen 127.0.0.1:" + std::to_string(port_) + "\n";
    config += "Listen 127.0.0.2:" + std::to_string(port_) + "\n";
    config += "ServerName 127.0.0.1\n";
    config += "User nobody\nGroup nogroup\n";
    for (const char* module : {"mpm_event", "authz_core", "authn_core", "auth_basic", "authn_file",
                               "authz_user", "authz_groupfile", "authz_host", "access_compat", "dir"}) {
        config += std::string("LoadModule ") + module + "_module " + kModules + "/mod_" + module + ".so\n";
    }
    config += "ErrorLog \"" + errorLogPath() + "\"\n";
    config += "LogLevel warn\n";
    config += "DirectoryIndex index.html\n";
    config += "DocumentRoot \"" + documentRoot() + "\"\n";
    config += "<Directory \"" + documentRoot() + "\">\n" + documentRootDirectives + "</Directory>\n";
    config += extra;
    writeFile(configPath(), config);
    openToApache(configPath());
}

std::string ApacheInstance::apacheCommand() const {
    // The root as -d, so a distribution's configuration without a ServerRoot line reads its own folder.
    return (environmentFile_.empty() ? "" : ". '" + environmentFile_ + "' && ") + std::string(kApache) +
           " -d '" + root_ + "'";
}

bool ApacheInstance::configTest(std::string* output) const {
    // apache2 writes its verdict to standard error; a shell folds it into the captured output.
    const auto result =
        platform::runProcess("/bin/sh", {"-c", apacheCommand() + " -t -f '" + configPath() + "' 2>&1"});
    if (output) {
        *output = result.standardOutput;
    }
    return result.started && result.exitStatus == 0;
}

bool ApacheInstance::start() {
    std::string test;
    if (!configTest(&test)) {
        lastError = "apache2 -t refused the configuration:\n" + test;
        return false;
    }
    const auto result =
        platform::runProcess("/bin/sh", {"-c", apacheCommand() + " -f '" + configPath() + "' -k start 2>&1"});
    if (!result.started || result.exitStatus != 0) {
        lastError = "apache2 -k start failed:\n" + result.standardOutput + errorLog();
        return false;
    }
    running_ = true;
    if (!waitFor([&] { return status("/") != 0; }, std::chrono::seconds(10))) {
        lastError = "apache2 did not answer on port " + std::to_string(port_) + ":\n" + errorLog();
        return false;
    }
    return true;
}

void ApacheInstance::stop() {
    if (!running_) {
        return;
    }
    platform::runProcess("/bin/sh", {"-c", apacheCommand() + " -f '" + configPath() + "' -k stop 2>&1"});
    const std::string pidFile = root_ + "/logs/httpd.pid";
    waitFor([&] { return !platform::fileExists(pidFile); }, std::chrono::seconds(10));
    running_ = false;
}

bool ApacheInstance::restart() {
    stop();
    return start();
}

int ApacheInstance::status(const std::string& path, const std::string& credentials) const {
    std::vector<std::string> arguments{"-s", "-o", "/dev/null", "-w", "%{http_code}", "--max-time", "10"};
    if (!credentials.empty()) {
        arguments.push_back("-u");
        arguments.push_back(credentials);
    }
    arguments.push_back("http://127.0.0.1:" + std::to_string(port_) + path);
    const auto result = platform::runProcess(kCurl, arguments);
    try {
        return result.started ? std::stoi(result.standardOutput) : 0;
    } catch (...) {
        return 0;
    }
}

int ApacheInstance::statusFrom(const std::string& address, const std::string& path,
                               const std::string& credentials) const {
    std::vector<std::string> arguments{"-s",         "-o", "/dev/null",   "-w",   "%{http_code}",
                                       "--max-time", "10", "--interface", address};
    if (!credentials.empty()) {
        arguments.push_back("-u");
        arguments.push_back(credentials);
    }
    arguments.push_back("http://" + address + ":" + std::to_string(port_) + path);
    const auto result = platform::runProcess(kCurl, arguments);
    try {
        return result.started ? std::stoi(result.standardOutput) : 0;
    } catch (...) {
        return 0;
    }
}

std::vector<int> ApacheInstance::statusesFrom(const std::string& address,
                                              const std::vector<std::string>& paths,
                                              const std::string& credentials) const {
    std::vector<std::string> arguments{"-s",          "-w",   "%{http_code}\\n", "--max-time", "60",
                                       "--interface", address};
    if (!credentials.empty()) {
        arguments.push_back("-u");
        arguments.push_back(credentials);
    }
    for (const auto& path : paths) {
        arguments.push_back("-o");
        arguments.push_back("/dev/null");
        arguments.push_back("http://" + address + ":" + std::to_string(port_) + path);
    }
    const auto result = platform::runProcess(kCurl, arguments);
    std::vector<int> statuses;
    std::size_t start = 0;
    while (statuses.size() < paths.size()) {
        const auto end = result.standardOutput.find('\n', start);
        if (end == std::string::npos) {
            statuses.push_back(0);
            continue;
        }
        try {
            statuses.push_back(std::stoi(result.standardOutput.substr(start, end - start)));
        } catch (...) {
            statuses.push_back(0);
        }
        start = end + 1;
    }
    return statuses;
}

std::string ApacheInstance::headers(const std::string& path) const {
    const auto result = platform::runProcess(kCurl, {"-s", "-D", "-", "-o", "/dev/null", "--max-time", "10",
                                                     "http://127.0.0.1:" + std::to_string(port_) + path});
    return result.standardOutput;
}

std::string ApacheInstance::errorLog() const {
    return platform::readFile(errorLogPath()).value_or("");
}

} // namespace keepgate::testing

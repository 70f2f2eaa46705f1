#include "services/ServerProfile.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "formats/TextLines.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/ProgramLookup.h"
#include "services/ApacheConfig.h"
#include "services/ServerCheck.h"
#include "services/ServerPaths.h"

extern char** environ;

namespace keepgate {

namespace {

using serverpaths::absoluteIn;
using serverpaths::directoryOf;
using text::lowerAscii;

const char* const kControlProgramNames[] = {"apache2ctl", "apachectl", "httpd", "apache2"};
// The folders the tests point detection at, or none: then the system's own folders and trusted PATH entries.
std::vector<std::string> searchFolders() {
    return systemPaths().controlProgramFolders;
}

std::optional<std::string> findProgram(const std::string& name, const std::vector<std::string>& folders) {
    return platform::findSystemProgram(name, folders);
}

// The value of one compile-time setting in the output of -V: ` -D NAME="value"`.
std::optional<std::string> compiledSetting(const std::string& output, const std::string& name) {
    const std::string key = "-D " + name + "=\"";
    const auto start = output.find(key);
    if (start == std::string::npos) {
        return std::nullopt;
    }
    const auto valueStart = start + key.size();
    const auto end = output.find('"', valueStart);
    if (end == std::string::npos) {
        return std::nullopt;
    }
    return output.substr(valueStart, end - valueStart);
}

std::map<std::string, std::string> ownEnvironment() {
    std::map<std::string, std::string> variables;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string text(*entry);
        const auto equals = text.find('=');
        if (equals != std::string::npos) {
            variables[text.substr(0, equals)] = text.substr(equals + 1);
        }
    }
    return variables;
}

const ConfigDirective* firstNamed(const ApacheConfigText& text, const std::string& name,
                                  bool outsideSections) {
    for (const auto& directive : text.directives) {
        if (lowerAscii(directive.name) == name && !directive.arguments.empty() &&
            (!outsideSections || directive.sections.empty())) {
            return &directive;
        }
    }
    return nullptr;
}

} // namespace

std::string serverVersion(const std::string& output) {
    const std::string marker = "Apache/";
    const auto start = output.find(marker);
    if (start == std::string::npos) {
        return {};
    }
    const auto first = start + marker.size();
    const auto end = output.find_first_not_of("0123456789.", first);
    return output.substr(first, end == std::string::npos ? std::string::npos : end - first);
}

bool speaksApache24(const std::string& version) {
    int major = 0;
    int minor = 0;
    if (std::sscanf(version.c_str(), "%d.%d", &major, &minor) != 2) {
        return false;
    }
    return major > 2 || (major == 2 && minor >= 4);
}

std::map<std::string, std::string> readEnvironmentFile(const std::string& path, int timeoutMilliseconds) {
    std::map<std::string, std::string> variables;
    if (!platform::fileExists(path)) {
        return variables;
    }
    platform::ProcessOptions options;
    options.timeoutMilliseconds = timeoutMilliseconds;
    options.captureStandardError = true;
    // The file is a shell fragment (Debian's envvars computes values), so only a shell reads it right;
    // its path travels as a positional parameter, never inside the script.
    const auto result =
        platform::runProcess("/bin/sh", {"-c", ". \"$1\" >/dev/null 2>&1 && env", "sh", path}, options);
    if (!result.started || result.exitStatus != 0 || result.timedOut) {
        return variables;
    }
    const auto own = ownEnvironment();
    std::size_t start = 0;
    while (start < result.standardOutput.size()) {
        auto end = result.standardOutput.find('\n', start);
        if (end == std::string::npos) {
            end = result.standardOutput.size();
        }
        const std::string line = result.standardOutput.substr(start, end - start);
        start = end + 1;
        const auto equals = line.find('=');
        if (equals == std::string::npos || equals == 0) {
            continue;
        }
        const std::string name = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        const auto it = own.find(name);
        // Only what the file sets or changes: the rest is this process's own environment.
        if ((it == own.end() || it->second != value) && name != "_" && name != "SHLVL" && name != "PWD" &&
            name != "OLDPWD") {
            variables[name] = value;
        }
    }
    return variables;
}

std::vector<std::pair<std::string, std::string>> ServerProfile::environmentList() const {
    return {environment.begin(), environment.end()};
}

std::vector<std::string> ServerProfile::reloadCommand() const {
    if (controlProgram.empty()) {
        return {};
    }
    return {controlProgram, "graceful"};
}

void ServerProfile::applyTo(SystemPaths& paths) const {
    paths.serverDetected = true;
    paths.mainConfig = mainConfig;
    paths.detectedMainConfig = mainConfig;
    paths.serverRoot = serverRoot;
    paths.controlProgram = controlProgram;
    paths.serverEnvironmentFile = environmentFile;
    paths.serverUser = serverUser;
    paths.enableModuleProgram = enableModuleProgram;
    paths.modulesFolder = modulesFolder;
    paths.documentRoot = documentRoot;
    paths.serverVersion = version;
    paths.defaultConfigFile = ServerCheck::defaultSharedFile(*this);
}

ServerProfile ServerProfile::current() {
    const SystemPaths& paths = systemPaths();
    ServerProfile profile;
    profile.mainConfig = paths.mainConfig;
    profile.serverRoot = paths.serverRoot.empty() ? directoryOf(paths.mainConfig) : paths.serverRoot;
    profile.controlProgram = paths.controlProgram;
    profile.environmentFile = paths.serverEnvironmentFile;
    if (!profile.environmentFile.empty()) {
        profile.environment =
            readEnvironmentFile(profile.environmentFile, paths.detectionTimeoutMilliseconds);
    }
    profile.serverUser = paths.serverUser;
    profile.enableModuleProgram = paths.enableModuleProgram;
    profile.modulesFolder = paths.modulesFolder;
    profile.documentRoot = paths.documentRoot;
    profile.version = paths.serverVersion;
    return profile;
}

ServerProfile ServerProfile::describe(const std::string& mainConfig, const std::string& serverRoot,
                                      const std::string& controlProgram) {
    const int timeout = systemPaths().detectionTimeoutMilliseconds;
    ServerProfile profile;
    profile.mainConfig = absoluteIn(serverRoot, mainConfig);
    profile.serverRoot = serverRoot;
    profile.controlProgram = controlProgram;
    const std::string envvars = platform::joinPath(serverRoot, "envvars");
    if (platform::fileExists(envvars)) {
        profile.environmentFile = envvars;
        profile.environment = readEnvironmentFile(envvars, timeout);
    }
    ApacheConfigText text = ApacheConfig::read(profile.mainConfig, profile.serverRoot, profile.environment);
    // A ServerRoot in the configuration is what the server itself goes by for relative paths.
    if (const auto* root = firstNamed(text, "serverroot", true); root && root->arguments[0] != serverRoot) {
        profile.serverRoot = root->arguments[0];
        text = ApacheConfig::read(profile.mainConfig, profile.serverRoot, profile.environment);
    }
    if (const auto* user = firstNamed(text, "user", true)) {
        profile.serverUser = user->arguments[0];
    }
    const auto* documentRoot = firstNamed(text, "documentroot", true);
    if (!documentRoot) {
        documentRoot = firstNamed(text, "documentroot", false);
    }
    if (documentRoot) {
        profile.documentRoot = absoluteIn(profile.serverRoot, documentRoot->arguments[0]);
    }
    for (const auto& directive : text.directives) {
        if (lowerAscii(directive.name) == "loadmodule" && directive.arguments.size() >= 2) {
            profile.modulesFolder = directoryOf(absoluteIn(profile.serverRoot, directive.arguments[1]));
            break;
        }
    }
    // a2enmod only knows the layout with mods-available beside the main configuration.
    if (platform::isDirectory(platform::joinPath(profile.serverRoot, "mods-available"))) {
        // Beside the control program first: detection took that folder as the server's own.
        auto program =
            controlProgram.empty() ? std::nullopt : findProgram("a2enmod", {directoryOf(controlProgram)});
        profile.enableModuleProgram =
            program ? *program : findProgram("a2enmod", searchFolders()).value_or("");
    }
    return profile;
}

std::optional<ServerProfile> ServerProfile::detect() {
    const SystemPaths& paths = systemPaths();
    const auto folders = searchFolders();
    platform::ProcessOptions options;
    options.timeoutMilliseconds = paths.detectionTimeoutMilliseconds;
    options.captureStandardError = true;
    for (const char* name : kControlProgramNames) {
        const auto program = findProgram(name, folders);
        if (!program) {
            continue;
        }
        const auto result = platform::runProcess(*program, {"-V"}, options);
        // A program that hangs has had its time; the file list is quicker than trying the others.
        if (result.timedOut) {
            break;
        }
        const auto root = compiledSetting(result.standardOutput, "HTTPD_ROOT");
        const auto config = compiledSetting(result.standardOutput, "SERVER_CONFIG_FILE");
        if (!result.started || result.exitStatus != 0 || !root || !config) {
            continue;
        }
        if (platform::fileExists(absoluteIn(*root, *config))) {
            ServerProfile profile = describe(*config, *root, *program);
            // -V begins with the same version line as -v, so no second run is needed.
            profile.version = serverVersion(result.standardOutput);
            return profile;
        }
    }
    for (const auto& config : paths.knownMainConfigs) {
        if (platform::fileExists(config) && !platform::isDirectory(config)) {
            std::string root = directoryOf(config);
            // Red Hat's conf/httpd.conf sits one folder below its root.
            if (root.ends_with("/conf")) {
                root = directoryOf(root);
            }
            return describe(config, root, "");
        }
    }
    return std::nullopt;
}

} // namespace keepgate

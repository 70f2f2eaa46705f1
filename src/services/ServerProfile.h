#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/SystemPaths.h"

namespace keepgate {

// What Keepgate knows of the installed Apache: where its configuration lies, how it is run and
// controlled. Detection fills it; systemPaths() carries it for the rest of the program.
struct ServerProfile {
    std::string mainConfig;
    std::string serverRoot;
    std::string controlProgram;                     // empty when no control program answered
    std::string environmentFile;                    // empty when the distribution has none
    std::map<std::string, std::string> environment; // the variables the environment file sets
    std::string serverUser;
    std::string enableModuleProgram; // a2enmod; empty: a module is enabled with a LoadModule line
    std::string modulesFolder;
    std::string documentRoot;
    std::string version; // "2.4.62", from the server's own version line; empty when unknown

    // The environment as the process runner takes it, so the control program runs as the distribution
    // runs it.
    std::vector<std::pair<std::string, std::string>> environmentList() const;
    // The command that reloads the server gracefully; empty without a control program.
    std::vector<std::string> reloadCommand() const;

    // Writes the profile into the system paths: main configuration, server fields and the default
    // shared configuration file (in conf-available or conf.d where the layout has them, else
    // keepgate.conf in the server root).
    void applyTo(SystemPaths& paths) const;
    // The profile the system paths hold now, the environment file read again.
    static ServerProfile current();

    // Asks the installed server for its layout (the first control program that answers -V), then
    // falls back to the known main configuration files; nothing when neither finds a server.
    static std::optional<ServerProfile> detect();
    // Completes a profile whose main configuration and root are known: environment, user, modules
    // folder, document root and how to enable a module.
    static ServerProfile describe(const std::string& mainConfig, const std::string& serverRoot,
                                  const std::string& controlProgram);
};

// The version in a server's version line ("Server version: Apache/2.4.62 (Debian)"), as -v and -V print
// it; empty when the text holds none.
std::string serverVersion(const std::string& output);
// Whether a version names Apache 2.4 or later, which speaks the Require ip rules.
bool speaksApache24(const std::string& version);

// The variables a shell environment file sets, read by sourcing it the way the distribution's control
// script does; empty when it cannot be read.
std::map<std::string, std::string> readEnvironmentFile(const std::string& path, int timeoutMilliseconds);

} // namespace keepgate

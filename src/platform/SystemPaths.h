#pragma once

#include <string>

#include "platform/Constants.h"

namespace keepgate {

// The system paths and addresses that services and controllers use; tests point them at temp dirs,
// fake tools and a loopback server. The shipped program keeps the constants.
struct SystemPaths {
    std::string mainConfig = constants::kMainConfigPath;
    std::string stagingConfig = constants::kStagingConfigPath;
    std::string htpasswd = constants::kHtpasswdPath;
    std::string copy = constants::kCopyPath;
    std::string privilegedLauncher = constants::kPrivilegedLauncherPath;
    std::string updateURL = constants::kUpdateURL;
    // The web server's document root when it is known (empty otherwise); the directory chooser starts there.
    std::string documentRoot;
};

SystemPaths& systemPaths();

} // namespace keepgate

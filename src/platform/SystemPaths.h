#pragma once

#include <string>
#include <vector>

#include "platform/Constants.h"

namespace keepgate {

// The system paths and addresses that services and controllers use; tests point them at temp dirs,
// fake tools and a loopback server. The shipped program keeps the constants.
struct SystemPaths {
    std::string mainConfig = constants::kMainConfigPath;
    // No longer written: amendments are staged in a fresh private file (see stagingFolder below).
    std::string stagingConfig = constants::kStagingConfigPath;
    std::string htpasswd = constants::kHtpasswdPath;
    std::string copy = constants::kCopyPath;
    std::string privilegedLauncher = constants::kPrivilegedLauncherPath;
    std::string updateURL = constants::kUpdateURL;

    // The installed web server as detection found it at start of the application; empty where no
    // server answered, so the shipped defaults above stay in force.
    bool serverDetected = false;
    std::string detectedMainConfig = constants::kMainConfigPath; // what "Detect" restores
    std::string serverRoot;
    std::string controlProgram;        // the apache2ctl, apachectl, httpd or apache2 that answered
    std::string serverEnvironmentFile; // the distribution's environment file (Debian's envvars)
    std::string serverUser;            // the User the server runs as, variables expanded
    std::string enableModuleProgram;   // a2enmod where the distribution has it
    std::string modulesFolder;         // where the server's module files lie
    std::string documentRoot;          // the main server's DocumentRoot, when it names one
    std::string serverVersion;         // "2.4.62" as the server names itself; empty when unknown
    // The shared configuration file the preferences restore: keepgate.conf in a detected server's root.
    std::string defaultConfigFile = constants::kDefaultConfigFilePath;

    // Where detection looks for control programs (empty: PATH, then the usual folders), which main
    // configuration files it tries when none answers, and how long one may take before it is killed.
    std::vector<std::string> controlProgramFolders;
    std::vector<std::string> knownMainConfigs{"/etc/apache2/apache2.conf",
                                              "/etc/httpd/conf/httpd.conf",
                                              "/etc/apache2/httpd.conf",
                                              "/usr/local/etc/apache24/httpd.conf",
                                              "/opt/homebrew/etc/httpd/httpd.conf",
                                              "/usr/local/etc/httpd/httpd.conf",
                                              "/etc/httpd/httpd.conf"};
    int detectionTimeoutMilliseconds = 10000;

    // The folder that holds the private staging folders of writes made with administrator rights
    // (empty: $XDG_RUNTIME_DIR, else the user's cache folder).
    std::string stagingFolder;
};

SystemPaths& systemPaths();

} // namespace keepgate

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "services/PrivilegedCopy.h"
#include "services/ServerProfile.h"

namespace keepgate {

// The server's own verdict on a configuration file.
struct ConfigTestResult {
    bool ran = false;    // false when there is no control program to ask
    bool passed = false; // the server accepted the configuration
    std::string message; // what the server said (standard error and output), for the alert
};

// A configuration change installed after the server's own test, with a backup of what it replaced.
struct ConfigInstallResult {
    bool installed = false;
    bool unchanged = true;   // the main configuration holds its previous bytes
    std::string error;       // why it was not installed, in a sentence fragment
    std::string testMessage; // the server's message when its test refused the new text
    std::string backup;      // the copy of the previous configuration, when one was made
};

struct ReloadResult {
    bool reloaded = false; // the reload command succeeded and the server is running again
    std::string message;
};

// Talks to the installed server through its control program, with the distribution's environment.
class ServerControl {
  public:
    // Runs "<control program> -t -f <configuration> -d <server root>".
    static ConfigTestResult testConfiguration(const ServerProfile& profile, const std::string& configuration);

    // Installs `text` as the main configuration with administrator rights: staged privately, tested
    // with the server's own test (when the profile has a control program), the current file first
    // copied beside itself with a time stamp, then replaced and read back.
    static ConfigInstallResult installMainConfiguration(const ServerProfile& profile, std::string_view text);

    // The timestamped name of a backup beside `path`.
    static std::string backupPath(const std::string& path);

    // A graceful reload with administrator rights, then whether the server answers to its process id.
    static ReloadResult reload(const ServerProfile& profile);

    // Enables a module the distribution's way: a2enmod (the helper's enable-module) where the server
    // has it, else a LoadModule line for the module file in the modules folder, appended to the main
    // configuration after the server's test.
    static ConfigInstallResult enableModule(const ServerProfile& profile, const std::string& module);
};

} // namespace keepgate

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "operations/Outcome.h"
#include "services/ProtectionProbe.h"
#include "services/ServerAddress.h"
#include "services/ServerCheck.h"
#include "services/ServerProfile.h"

namespace keepgate::operations {

// What the check is about: a directory and the files its protection names.
struct CheckSubject {
    std::string directory;
    bool accessFileMode = true;
    std::string sharedFile;
    std::string userFile, groupFile;
    bool needsGroups = false, needsHostRules = false;
};

// One live test of an address.
struct ProbeReport {
    std::string url;
    ProbeAnswer plain;
    std::optional<ProbeAnswer> withUser;
    bool isProtected = false; // the server asks for a password
    bool userLetIn = false;   // the user's credentials open it
    std::string sentence;
};

// The installed web server as the faces see it: its profile, the check of what protection needs, the
// fixes (each passing the server's own -t, with a backup of what it replaces), reloads and the live test.
class ServerAdmin {
  public:
    // The server described by its main configuration (its folder as root unless it names a ServerRoot) and
    // control program, or detected when `mainConfig` is empty. The profile is also made the process's
    // current one. Nothing when no server is found.
    static std::optional<ServerProfile> profile(const std::string& mainConfig,
                                                const std::string& controlProgram);

    static std::vector<Finding> check(const ServerProfile& profile, const CheckSubject& subject);
    // The amended main configuration that fixes a finding, where the fix is a change of that file (an
    // AllowOverride, an Include line); nothing for other fixes (enabling a module) and on a refusal, which
    // `why` then explains.
    static std::optional<FileChange> plannedFix(const ServerProfile& profile, const Finding& finding,
                                                std::string* why);
    // Fixes one finding; the outcome says what was done and names the backup.
    static Outcome fix(const ServerProfile& profile, const Finding& finding);

    // The server's test of its main configuration after a write of the shared file; on a refusal the
    // outcome holds the server's words and the status ServerFailed.
    static Outcome testConfiguration(const ServerProfile& profile);
    static Outcome reload(const ServerProfile& profile);

    // The address the server publishes the directory under, or why there is none.
    static PublishedAddress addressOf(const ServerProfile& profile, const std::string& directory);
    // Asks the address without, then (when a user is given) with credentials.
    static ProbeReport probe(const std::string& url, const std::string& username, const std::string& password,
                             int timeoutMilliseconds = 5000);
};

} // namespace keepgate::operations

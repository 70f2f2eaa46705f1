#pragma once

#include <optional>
#include <string>
#include <vector>

#include "operations/Outcome.h"
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

// The installed web server as the faces see it: its profile, the check of what protection needs, the
// fixes (each passing the server's own -t, with a backup of what it replaces), reloads and the address
// the live test asks (operations::LiveTest runs the test).
class ServerAdmin {
  public:
    // The server described by its main configuration (its folder as root unless it names a ServerRoot) and
    // control program, or detected when `mainConfig` is empty. The profile is also made the process's
    // current one. Nothing when no server is found.
    static std::optional<ServerProfile> profile(const std::string& mainConfig,
                                                const std::string& controlProgram);

    static std::vector<Finding> check(const ServerProfile& profile, const CheckSubject& subject);

    // The one amendment that fixes a finding (the override fix or the include fix, as the window makes
    // them); nothing for other findings and when it cannot be made, which `why` then explains.
    static std::optional<Amendment> amendmentFor(const ServerProfile& profile, const Finding& finding,
                                                 std::string* why);
    // What fixing a finding means, as values: the files it writes (with their bytes before and after)
    // and the programs it runs (a2enconf, a2enmod). Nothing is written; a refusal says why.
    static Outcome plannedFix(const ServerProfile& profile, const Finding& finding);
    // Fixes one finding; the outcome says what was done and names the backup. Without
    // `administratorRights` a fix that needs them is refused before anything is written, naming the
    // files and programs that need them.
    static Outcome fix(const ServerProfile& profile, const Finding& finding, bool administratorRights = true);

    // The amendment's files and programs as values, nothing written.
    static Outcome plannedAmendment(const ServerProfile& profile, const Amendment& amendment);
    // Makes an amendment worked out by ServerCheck, for the window and the command line alike: the
    // server's own -t runs on the configuration with the new files staged before anything is installed;
    // then Keepgate's own files are written (with administrator rights where the user's do not reach),
    // enabled (a2enconf), the main configuration changed last (backed up first), and -t runs once more on
    // the installed configuration. Any failure puts back what was done and names the file and the cause.
    // The outcome holds the changes and steps made; ServerFailed when the server's test refused.
    static Outcome applyAmendment(const ServerProfile& profile, const Amendment& amendment,
                                  bool administratorRights = true);
    // The files and programs of a planned change that this process cannot write or run without
    // administrator rights.
    static std::vector<std::string> needingAdministratorRights(const Outcome& planned);

    // The server's test of its main configuration after a write of the shared file; on a refusal the
    // outcome holds the server's words and the status ServerFailed.
    static Outcome testConfiguration(const ServerProfile& profile);
    static Outcome reload(const ServerProfile& profile);

    // The address the server publishes the directory under, or why there is none.
    static PublishedAddress addressOf(const ServerProfile& profile, const std::string& directory);
};

} // namespace keepgate::operations

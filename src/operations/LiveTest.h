#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "services/ProtectionProbe.h"
#include "services/ServerAddress.h"
#include "services/ServerProfile.h"

namespace keepgate::operations {

// What a live test says of a directory, in the window's status area and the command line's exit status.
enum class Verdict { NotTested, Protected, NotProtected, Failing, Unreachable };

// One live test as both faces make it: the address asked (and, for a name-based virtual host, this
// computer's listener it goes to while the address names the site in the Host header and SNI), the
// directory and where its protection is kept (to explain an open folder), and the credentials to try.
struct LiveTestPlan {
    std::string url;
    std::string connectTo;
    std::string username;
    std::string password;  // wiped once the test has used it
    std::string directory; // empty for an address given without one: no cause is looked for
    bool accessFileMode = true;
    std::string accessFilename = ".htaccess";
    std::string sharedConfig;
    bool blockSaved = false;
    ServerProfile profile;
    int timeoutMilliseconds = 5000;
};

struct LiveTestResult {
    Verdict verdict = Verdict::NotTested;
    std::string sentence; // what the server answered and, when the folder is open, the likely cause
    std::string notes;    // about the certificate and passwords in clear text, one line each
    ProbeAnswer plain;
    std::optional<ProbeAnswer> withUser;
    bool userLetIn = false; // the credentials opened the folder
};

class LiveTest {
  public:
    // Where to connect for `url`: the published address's listener when `url` names the same site
    // (scheme, host and port) as the published one, else the URL's own host.
    static std::string connectTo(const std::string& url, const PublishedAddress& published);
    // Whether a block for the directory is saved where the protection is kept.
    static bool blockSaved(const std::string& directory, bool accessFileMode,
                           const std::string& accessFilename, const std::string& sharedConfig);
    // Asks the server without, then (when the plan has a user) with credentials, and judges the answers;
    // runs off the interface thread in the window, and stops early once `cancelled` is set.
    static LiveTestResult run(LiveTestPlan plan, const std::shared_ptr<std::atomic<bool>>& cancelled);
};

// The verdict in one or two words ("Protected", "Not protected", …).
const char* verdictWord(Verdict verdict);

} // namespace keepgate::operations

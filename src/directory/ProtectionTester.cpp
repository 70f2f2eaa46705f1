#include "directory/ProtectionTester.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <fstream>
#include <vector>

#include "formats/ReadHtaccess.h"
#include "formats/TextLines.h"
#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/FileSystem.h"
#include "platform/Log.h"
#include "services/ApacheConfig.h"
#include "services/ServerAddress.h"
#include "services/ServerCheck.h"
#include "services/ServerProfile.h"
#include "ui/WindowSystem.h"

namespace keepgate {

namespace {

constexpr std::size_t kLogTail = 256 * 1024;

void wipe(std::string& secret) {
    volatile char* bytes = secret.data();
    for (std::size_t i = 0; i < secret.size(); ++i) {
        bytes[i] = 0;
    }
    secret.clear();
}

using text::sameWord;

struct ServerText {
    bool readable = false;
    std::string mainConfig;
    std::string serverRoot;
    ApacheConfigText config;
};

ServerText readServerText(const std::string& mainConfig, const std::string& serverRoot,
                          const std::map<std::string, std::string>& environment) {
    ServerText text;
    text.mainConfig = mainConfig;
    text.serverRoot = serverRoot;
    text.readable = platform::readFile(mainConfig).has_value();
    if (text.readable) {
        text.config = ApacheConfig::read(mainConfig, serverRoot, environment);
    }
    return text;
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const auto& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

// The newest error-log line about the request: the one naming this side's port as the client, else the
// newest that names the directory.
std::optional<std::string> errorLogLine(const std::string& logPath, int localPort,
                                        const std::string& directory, bool* readable) {
    std::ifstream in(logPath, std::ios::binary);
    *readable = static_cast<bool>(in);
    if (!in) {
        return std::nullopt;
    }
    in.seekg(0, std::ios::end);
    const auto size = static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0));
    in.seekg(static_cast<std::streamoff>(size > kLogTail ? size - kLogTail : 0));
    std::string tail((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines = text::split(tail, '\n');
    for (auto& line : lines) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
    }
    const std::string client = ":" + std::to_string(localPort) + "]";
    for (auto it = lines.rbegin(); localPort > 0 && it != lines.rend(); ++it) {
        if (it->find("[client ") != std::string::npos && it->find(client) != std::string::npos) {
            return *it;
        }
    }
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        if (it->find(directory) != std::string::npos) {
            return *it;
        }
    }
    return std::nullopt;
}

} // namespace

struct ProtectionTester::Plan {
    std::string url;
    std::string connectTo;
    std::string username;
    std::string password;
    std::string directory;
    std::string prefix;
    bool accessFileMode = true;
    std::string accessFilename;
    std::string sharedConfig;
    bool blockSaved = false;
    ServerProfile profile;
    int timeoutMilliseconds = 5000;
    std::string sentence; // the outcome, written by the background work
    Verdict verdict = Verdict::NotTested;
    std::string notes; // about the certificate and passwords in clear text, one line each

    std::string run(const std::shared_ptr<std::atomic<bool>>& cancelled);
    std::string notProtectedCause(const ServerText& server) const;
    std::string failureExcerpt(const ServerText& server, int localPort) const;
    std::optional<std::string> listingRefused(const ServerText& server, int localPort) const;
};

std::string ProtectionTester::Plan::notProtectedCause(const ServerText& server) const {
    if (!blockSaved) {
        return "No protection is saved for this folder.";
    }
    if (!server.readable) {
        return "The server's configuration " + server.mainConfig + " cannot be read to find out why.";
    }
    if (accessFileMode) {
        std::vector<std::string> names;
        for (const auto& directive : server.config.directives) {
            if (sameWord(directive.name, "AccessFileName")) {
                names = directive.arguments;
            }
        }
        if (!names.empty() && std::find(names.begin(), names.end(), accessFilename) == names.end()) {
            return "The server reads access files named " + joined(names) + ", not " + accessFilename + ".";
        }
        const OverrideResolution override = ServerCheck::allowOverrideFor(server.config, directory);
        if (!override.allows("AuthConfig")) {
            const std::string where =
                override.file.empty()
                    ? "no AllowOverride lets it take effect, and the server's default is None"
                    : "AllowOverride " + joined(override.allowOverride) + " is in force for this folder (" +
                          override.file + " line " + std::to_string(override.line) + ")";
            return "The server ignores " + accessFilename + " here: " + where + ".";
        }
    } else if (!ServerCheck::includes(server.config, server.serverRoot, sharedConfig)) {
        return "The main configuration " + server.mainConfig + " does not include " + sharedConfig + ".";
    }
    return "The server has probably not been reloaded since the protection was saved.";
}

std::string ProtectionTester::Plan::failureExcerpt(const ServerText& server, int localPort) const {
    const auto log = ServerAddress::errorLog(server.config.directives, server.serverRoot);
    if (!server.readable || !log) {
        return "";
    }
    bool readable = false;
    const auto line = errorLogLine(*log, localPort, directory, &readable);
    if (!readable) {
        return " (The error log " + *log + " cannot be read.)";
    }
    return line ? " The error log says: " + *line : "";
}

// A 403 that comes from a folder without an index page, rather than from a host rule.
std::optional<std::string> ProtectionTester::Plan::listingRefused(const ServerText& server,
                                                                  int localPort) const {
    const auto log = ServerAddress::errorLog(server.config.directives, server.serverRoot);
    bool readable = false;
    const auto line = log ? errorLogLine(*log, localPort, directory, &readable) : std::nullopt;
    if (line && (line->find("AH01276") != std::string::npos ||
                 line->find("Cannot serve directory") != std::string::npos)) {
        return "Not protected: the server serves this folder to everyone. It shows no listing of it, but "
               "serves the files in it.";
    }
    return std::nullopt;
}

std::string ProtectionTester::Plan::run(const std::shared_ptr<std::atomic<bool>>& cancelled) {
    ProtectionProbe probe;
    probe.timeoutMilliseconds = timeoutMilliseconds;
    probe.cancelled = cancelled;
    probe.connectTo = connectTo;
    const ProbeAnswer plain = probe.request(url);
    std::optional<ServerText> server;
    const auto serverText = [&]() -> const ServerText& {
        if (!server) {
            server = readServerText(profile.mainConfig, profile.serverRoot, profile.environment);
        }
        return *server;
    };
    std::string result;
    if (plain.outcome != ProbeAnswer::Outcome::Answered) {
        result = statusSentence(plain, url);
        const bool asked = plain.outcome == ProbeAnswer::Outcome::NoAnswer ||
                           plain.outcome == ProbeAnswer::Outcome::Cancelled;
        verdict = asked ? Verdict::Unreachable : Verdict::NotTested;
    } else if (plain.status == 401) {
        result = "Protected: the server asks for a password (realm \"" + plain.realm + "\").";
        verdict = Verdict::Protected;
    } else if (plain.status >= 200 && plain.status < 400) {
        result =
            "Not protected: the server serves this folder to everyone. " + notProtectedCause(serverText());
        verdict = Verdict::NotProtected;
    } else if (plain.status == 403) {
        const auto listing = listingRefused(serverText(), plain.localPort);
        result = listing.value_or("Closed by a host rule for this computer.");
        verdict = listing ? Verdict::NotProtected : Verdict::Protected;
    } else if (plain.status == 500) {
        result = "The server fails on this folder." + failureExcerpt(serverText(), plain.localPort);
        verdict = Verdict::Failing;
    } else {
        result = statusSentence(plain, url);
        verdict = Verdict::Unreachable;
    }
    if (plain.tls && !plain.certificateProblem.empty()) {
        const std::string note = "The server's certificate would not be trusted by a browser (" +
                                 plain.certificateProblem +
                                 "); Keepgate accepted it for this test on this computer only.";
        result += " " + note;
        notes += note + "\n";
    }
    if (!username.empty() && plain.outcome == ProbeAnswer::Outcome::Answered && !cancelled->load()) {
        const ProbeAnswer withCredentials = probe.request(url, username, password);
        if (withCredentials.outcome != ProbeAnswer::Outcome::Answered) {
            result += " With " + username + "'s password: " + statusSentence(withCredentials, url);
        } else if (withCredentials.status >= 200 && withCredentials.status < 400) {
            result += " " + username + " is let in.";
            if (!withCredentials.tls) {
                notes += "Warning: passwords travel in clear text to " + url +
                         ", which is plain HTTP; anyone on the network path can read them. Publish the "
                         "folder over HTTPS.\n";
            }
        } else if (withCredentials.status == 401) {
            result +=
                " " + username + " is refused (wrong password, or not among the marked users and groups).";
        } else if (withCredentials.status == 403) {
            result += " With " + username + "'s password: Closed by a host rule for this computer.";
        } else if (withCredentials.status == 500) {
            result += " With " + username + "'s password: The server fails on this folder." +
                      failureExcerpt(serverText(), withCredentials.localPort);
        } else {
            result += " With " + username + "'s password: " + statusSentence(withCredentials, url);
        }
    }
    wipe(password);
    return result;
}

ProtectionTester::ProtectionTester() : alive_(std::make_shared<bool>(true)) {}

ProtectionTester::~ProtectionTester() {
    if (running_) {
        running_->store(true);
    }
}

std::optional<std::string> ProtectionTester::rememberedAddress(const std::string& directory) const {
    const auto table = standardUserDefaults().stringForKey(constants::kTestAddressesKey);
    if (!table) {
        return std::nullopt;
    }
    for (const auto& line : text::split(*table, '\n')) {
        const auto tab = line.find('\t');
        if (tab != std::string::npos && line.substr(0, tab) == directory) {
            return line.substr(tab + 1);
        }
    }
    return std::nullopt;
}

void ProtectionTester::remember(const std::string& directory, const std::string& address) {
    // One line per directory: a path or address holding a line break or tab cannot be stored in it.
    if (directory.find_first_of("\t\n\r") != std::string::npos ||
        address.find_first_of("\t\n\r") != std::string::npos) {
        return;
    }
    DefaultsStore& defaults = standardUserDefaults();
    const std::string table = defaults.stringForKey(constants::kTestAddressesKey).value_or("");
    std::string kept;
    for (const auto& line : text::split(table, '\n')) {
        if (!line.empty() && line.substr(0, line.find('\t')) != directory) {
            kept += line + "\n";
        }
    }
    if (!address.empty()) {
        kept += directory + "\t" + address + "\n";
    }
    defaults.setString(constants::kTestAddressesKey, kept);
    defaults.synchronize();
}

namespace {

PublishedAddress addressFromConfiguration(const std::string& directory) {
    const ServerProfile profile = ServerProfile::current();
    const ServerText server = readServerText(profile.mainConfig, profile.serverRoot, profile.environment);
    if (!server.readable) {
        return {"",
                "The web server's configuration " + profile.mainConfig +
                    " cannot be read, so the address is not known; type it here.",
                ""};
    }
    return ServerAddress::forDirectory(server.config.directives, directory);
}

} // namespace

void ProtectionTester::directoryLoaded(const std::string& directory) {
    // A test of the previous directory still running must not land in this one's status area.
    if (running_) {
        running_->store(true);
        running_.reset();
        testProgress->stopAnimation();
    }
    directory_ = directory;
    const PublishedAddress address = addressFromConfiguration(directory);
    publishedUrl_ = address.url;
    publishedConnectTo_ = address.connectTo;
    if (const auto remembered = rememberedAddress(directory)) {
        addressField->setStringValue(*remembered);
        addressField->setPlaceholderString("");
    } else {
        addressField->setStringValue(address.url);
        addressField->setPlaceholderString(address.reason);
    }
    addressField->setEditable(true);
    testProtectionButton->setEnabled(true);
    verdict_ = Verdict::NotTested;
    verdictSentence_.clear();
    verdictNotes_.clear();
    testedUrl_.clear();
    testedAt_.clear();
    refreshFinding();
    showVerdict();
}

void ProtectionTester::testAgain() {
    if (directory_.empty()) {
        return;
    }
    if (addressField->stringValue().empty()) {
        testProtection(); // says that the address is missing
        return;
    }
    start("", "", "");
}

void ProtectionTester::serverChanged() {
    if (!directory_.empty() && !addressField->stringValue().empty()) {
        start("", "", "");
    } else {
        refreshFinding();
        showVerdict();
    }
}

namespace {

const char* verdictWord(ProtectionTester::Verdict verdict) {
    switch (verdict) {
    case ProtectionTester::Verdict::Protected:
        return "Protected";
    case ProtectionTester::Verdict::NotProtected:
        return "Not protected";
    case ProtectionTester::Verdict::Failing:
        return "Failing";
    case ProtectionTester::Verdict::Unreachable:
        return "Unreachable";
    case ProtectionTester::Verdict::NotTested:
        break;
    }
    return "Not tested";
}

} // namespace

std::string ProtectionTester::statusText() const {
    if (directory_.empty()) {
        return "";
    }
    std::string text = verdictWord(verdict_);
    if (verdict_ == Verdict::NotTested && verdictSentence_.empty()) {
        text += running_ ? ": the test is running." : ": press Test Again to ask the server.";
    } else {
        std::string cause = verdictSentence_;
        // The sentence may open with the verdict itself ("Protected: …"); it is said once.
        const std::string word = std::string(verdictWord(verdict_)) + ": ";
        if (cause.rfind(word, 0) == 0) {
            cause = cause.substr(word.size());
            if (!cause.empty()) {
                cause[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(cause[0])));
            }
        }
        text += "\n" + cause;
    }
    if (!verdictNotes_.empty()) {
        text += "\n" + verdictNotes_.substr(0, verdictNotes_.size() - 1);
    }
    if (finding_) {
        text += "\nServer check: " + finding_->sentence;
    }
    if (!testedAt_.empty()) {
        text += "\nTested " + testedUrl_ + " at " + testedAt_ + ".";
    }
    return text;
}

void ProtectionTester::showVerdict() {
    if (verdictField) {
        verdictField->setStringValue(statusText());
    }
    if (testAgainButton) {
        testAgainButton->setEnabled(!directory_.empty());
    }
    if (fixButton) {
        fixButton->setEnabled(finding_ && finding_->fixable);
    }
}

void ProtectionTester::refreshFinding() {
    finding_ = serverFinding && !directory_.empty() ? serverFinding() : std::nullopt;
}

void ProtectionTester::addressEdited() {
    if (directory_.empty()) {
        return;
    }
    const std::string typed = addressField->stringValue();
    const PublishedAddress published = addressFromConfiguration(directory_);
    // An address the configuration gives anyway is not pinned, so later changes of the server show.
    remember(directory_, typed == published.url ? "" : typed);
    if (typed.empty()) {
        addressField->setStringValue(published.url);
        addressField->setPlaceholderString(published.reason);
    }
}

void ProtectionTester::testProtection() {
    if (running_) {
        running_->store(true);
        running_.reset();
        testProgress->stopAnimation();
        ui::windowSystem().showStatus("Test cancelled.");
        showVerdict();
        return;
    }
    const std::string url = addressField->stringValue();
    if (url.empty()) {
        ui::windowSystem().beginAlertSheet(
            {"No Address",
             "Keepgate does not know the address of this folder. Type it into the address field.", "OK", ""},
            mainWindow, {});
        return;
    }
    ui::windowSystem().beginCredentialSheet(
        {"Test Protection",
         "Keepgate asks " + url +
             " without a password, and with the user name and password below when you give them. The "
             "password "
             "is used for this test only; it is neither stored nor logged.",
         "", "Test", "Cancel"},
        mainWindow, [this](int returnCode, const std::string& username, const std::string& password) {
            credentialSheetEnd(returnCode, username, password);
        });
}

void ProtectionTester::credentialSheetEnd(int returnCode, const std::string& username,
                                          const std::string& password) {
    if (returnCode != 1) {
        return;
    }
    start(username, username.empty() ? std::string() : password, "");
}

void ProtectionTester::protectionWritten(const std::string& directory, const std::string& status) {
    if (directory != directory_ || addressField->stringValue().empty()) {
        return;
    }
    start("", "", status);
}

void ProtectionTester::start(const std::string& username, const std::string& password,
                             const std::string& prefix) {
    if (running_) {
        running_->store(true);
    }
    auto plan = std::make_shared<Plan>();
    plan->url = addressField->stringValue();
    // A named virtual host is reached through this computer's listener, also when the user typed the
    // same host and port into the field again.
    if (!publishedConnectTo_.empty()) {
        const auto typed = ProtectionProbe::parse(plan->url);
        const auto published = ProtectionProbe::parse(publishedUrl_);
        if (typed && published && typed->host == published->host && typed->port == published->port &&
            typed->https == published->https) {
            plan->connectTo = publishedConnectTo_;
        }
    }
    plan->username = username;
    plan->password = password;
    plan->directory = directory_;
    plan->prefix = prefix;
    const DefaultsStore& defaults = standardUserDefaults();
    plan->accessFileMode = isAccessFileMode(defaults);
    plan->accessFilename = defaults.stringForKey(constants::kDefaultAccessFilenameKey)
                               .value_or(constants::kDefaultAccessFilename);
    plan->sharedConfig =
        defaults.stringForKey(constants::kConfigFilePathKey).value_or(constants::kDefaultConfigFilePath);
    plan->blockSaved = plan->accessFileMode
                           ? platform::fileExists(platform::joinPath(directory_, plan->accessFilename))
                           : !ReadHtaccess::configFile(plan->sharedConfig, directory_).values().empty();
    plan->profile = ServerProfile::current();
    plan->timeoutMilliseconds = timeoutMilliseconds;

    auto token = std::make_shared<std::atomic<bool>>(false);
    running_ = token;
    testProgress->startAnimation();
    ui::windowSystem().showStatus((prefix.empty() ? "" : prefix + ". ") + "Testing " + plan->url +
                                  " (click Test Protection again to cancel)…");
    verdict_ = Verdict::NotTested;
    verdictSentence_.clear();
    verdictNotes_.clear();
    testedAt_.clear();
    showVerdict();
    std::weak_ptr<bool> alive = alive_;
    ui::windowSystem().runInBackground([plan, token] { plan->sentence = plan->run(token); },
                                       [this, alive, plan, token] {
                                           if (alive.lock()) {
                                               finish(token, *plan);
                                           }
                                       });
}

void ProtectionTester::finish(const std::shared_ptr<std::atomic<bool>>& token, const Plan& plan) {
    // A test that was cancelled or replaced by a newer one has nothing to say.
    if (token != running_ || token->load()) {
        return;
    }
    running_.reset();
    testProgress->stopAnimation();
    ui::windowSystem().showStatus((plan.prefix.empty() ? "" : plan.prefix + ". ") + plan.sentence);
    platform::appLog("Protection test of " + plan.url + ": " + plan.sentence);
    verdict_ = plan.verdict;
    verdictSentence_ = plan.sentence;
    verdictNotes_ = plan.notes;
    testedUrl_ = plan.url + (plan.connectTo.empty() ? "" : " (through " + plan.connectTo + ")");
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char clock[16];
    std::strftime(clock, sizeof clock, "%H:%M:%S", &local);
    testedAt_ = clock;
    refreshFinding();
    showVerdict();
}

} // namespace keepgate

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
#include "platform/Messages.h"
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

namespace {

// The verdict sentences as the status area shows them, after the verdict word they open with.
[[maybe_unused]] constexpr const char* kShortenedVerdicts[] = {
    QT_TRANSLATE_NOOP("Messages", "The server asks for a password (realm \"%1\")."),
    QT_TRANSLATE_NOOP("Messages", "The server serves this folder to everyone. %1"),
    QT_TRANSLATE_NOOP("Messages", "The server serves this folder to everyone. It shows no listing of it, but serves "
                                  "the files in it."),
};

// Two sentences of a verdict, each translated as the message it is.
std::string andThen(const std::string& first, const std::string& second) {
    return text::fill(QT_TRANSLATE_NOOP("Messages", "%1 %2"), first, second);
}

} // namespace

std::string ProtectionTester::Plan::notProtectedCause(const ServerText& server) const {
    if (!blockSaved) {
        return QT_TRANSLATE_NOOP("Messages", "No protection is saved for this folder.");
    }
    if (!server.readable) {
        return text::fill(QT_TRANSLATE_NOOP("Messages", "The server's configuration %1 cannot be read to find out why."),
                          server.mainConfig);
    }
    if (accessFileMode) {
        std::vector<std::string> names;
        for (const auto& directive : server.config.directives) {
            if (sameWord(directive.name, "AccessFileName")) {
                names = directive.arguments;
            }
        }
        if (!names.empty() && std::find(names.begin(), names.end(), accessFilename) == names.end()) {
            return text::fill(QT_TRANSLATE_NOOP("Messages", "The server reads access files named %1, not %2."),
                              joined(names), accessFilename);
        }
        const OverrideResolution override = ServerCheck::allowOverrideFor(server.config, directory);
        if (!override.allows("AuthConfig")) {
            const std::string where =
                override.file.empty()
                    ? QT_TRANSLATE_NOOP("Messages", "no AllowOverride lets it take effect, and the server's default "
                                                    "is None")
                    : text::fill(QT_TRANSLATE_NOOP("Messages", "AllowOverride %1 is in force for this folder (%2 "
                                                               "line %3)"),
                                 joined(override.allowOverride), override.file, override.line);
            return text::fill(QT_TRANSLATE_NOOP("Messages", "The server ignores %1 here: %2."), accessFilename, where);
        }
    } else if (!ServerCheck::includes(server.config, server.serverRoot, sharedConfig)) {
        return text::fill(QT_TRANSLATE_NOOP("Messages", "The main configuration %1 does not include %2."),
                          server.mainConfig, sharedConfig);
    }
    return QT_TRANSLATE_NOOP("Messages", "The server has probably not been reloaded since the protection was saved.");
}

std::string ProtectionTester::Plan::failureExcerpt(const ServerText& server, int localPort) const {
    const auto log = ServerAddress::errorLog(server.config.directives, server.serverRoot);
    if (!server.readable || !log) {
        return "";
    }
    bool readable = false;
    const auto line = errorLogLine(*log, localPort, directory, &readable);
    if (!readable) {
        return text::fill(QT_TRANSLATE_NOOP("Messages", "(The error log %1 cannot be read.)"), *log);
    }
    return line ? text::fill(QT_TRANSLATE_NOOP("Messages", "The error log says: %1"), *line) : "";
}

// A 403 that comes from a folder without an index page, rather than from a host rule.
std::optional<std::string> ProtectionTester::Plan::listingRefused(const ServerText& server,
                                                                  int localPort) const {
    const auto log = ServerAddress::errorLog(server.config.directives, server.serverRoot);
    bool readable = false;
    const auto line = log ? errorLogLine(*log, localPort, directory, &readable) : std::nullopt;
    if (line && (line->find("AH01276") != std::string::npos ||
                 line->find("Cannot serve directory") != std::string::npos)) {
        return QT_TRANSLATE_NOOP("Messages", "Not protected: the server serves this folder to everyone. It shows no "
                                             "listing of it, but serves the files in it.");
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
    // The sentence of a failing server, with the error log's line when there is one.
    const auto failing = [](const std::string& excerpt) -> std::string {
        const std::string fails = QT_TRANSLATE_NOOP("Messages", "The server fails on this folder.");
        if (excerpt.empty()) {
            return fails;
        }
        return text::fill("%1 %2", fails, excerpt);
    };
    const auto withPassword = [this](const std::string& sentence) {
        return text::fill(QT_TRANSLATE_NOOP("Messages", "With %1's password: %2"), username, sentence);
    };
    std::string result;
    if (plain.outcome != ProbeAnswer::Outcome::Answered) {
        result = statusSentence(plain, url);
        const bool asked = plain.outcome == ProbeAnswer::Outcome::NoAnswer ||
                           plain.outcome == ProbeAnswer::Outcome::Cancelled;
        verdict = asked ? Verdict::Unreachable : Verdict::NotTested;
    } else if (plain.status == 401) {
        result = text::fill(QT_TRANSLATE_NOOP("Messages", "Protected: the server asks for a password (realm \"%1\")."),
                            plain.realm);
        verdict = Verdict::Protected;
    } else if (plain.status >= 200 && plain.status < 400) {
        result = text::fill(QT_TRANSLATE_NOOP("Messages", "Not protected: the server serves this folder to everyone. %1"),
                            notProtectedCause(serverText()));
        verdict = Verdict::NotProtected;
    } else if (plain.status == 403) {
        const auto listing = listingRefused(serverText(), plain.localPort);
        result = listing.value_or(QT_TRANSLATE_NOOP("Messages", "Closed by a host rule for this computer."));
        verdict = listing ? Verdict::NotProtected : Verdict::Protected;
    } else if (plain.status == 500) {
        result = failing(failureExcerpt(serverText(), plain.localPort));
        verdict = Verdict::Failing;
    } else {
        result = statusSentence(plain, url);
        verdict = Verdict::Unreachable;
    }
    if (plain.tls && !plain.certificateProblem.empty()) {
        const std::string note =
            text::fill(QT_TRANSLATE_NOOP("Messages", "The server's certificate would not be trusted by a browser (%1); "
                                                     "Keepgate accepted it for this test on this computer only."),
                       plain.certificateProblem);
        result = andThen(result, note);
        notes += note + "\n";
    }
    if (!username.empty() && plain.outcome == ProbeAnswer::Outcome::Answered && !cancelled->load()) {
        const ProbeAnswer withCredentials = probe.request(url, username, password);
        if (withCredentials.outcome != ProbeAnswer::Outcome::Answered) {
            result = andThen(result, withPassword(statusSentence(withCredentials, url)));
        } else if (withCredentials.status >= 200 && withCredentials.status < 400) {
            result = andThen(result, text::fill(QT_TRANSLATE_NOOP("Messages", "%1 is let in."), username));
            if (!withCredentials.tls) {
                notes += text::fill(QT_TRANSLATE_NOOP("Messages", "Warning: passwords travel in clear text to %1, "
                                                                  "which is plain HTTP; anyone on the network path "
                                                                  "can read them. Publish the folder over HTTPS."),
                                    url) +
                         "\n";
            }
        } else if (withCredentials.status == 401) {
            result = andThen(result, text::fill(QT_TRANSLATE_NOOP("Messages", "%1 is refused (wrong password, or not "
                                                                              "among the marked users and groups)."),
                                                username));
        } else if (withCredentials.status == 403) {
            result = andThen(result,
                             withPassword(QT_TRANSLATE_NOOP("Messages", "Closed by a host rule for this computer.")));
        } else if (withCredentials.status == 500) {
            result =
                andThen(result, withPassword(failing(failureExcerpt(serverText(), withCredentials.localPort))));
        } else {
            result = andThen(result, withPassword(statusSentence(withCredentials, url)));
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
                text::fill(QT_TRANSLATE_NOOP("Messages", "The web server's configuration %1 cannot be read, so the "
                                                         "address is not known; type it here."),
                           profile.mainConfig),
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
        return QT_TRANSLATE_NOOP("Messages", "Protected");
    case ProtectionTester::Verdict::NotProtected:
        return QT_TRANSLATE_NOOP("Messages", "Not protected");
    case ProtectionTester::Verdict::Failing:
        return QT_TRANSLATE_NOOP("Messages", "Failing");
    case ProtectionTester::Verdict::Unreachable:
        return QT_TRANSLATE_NOOP("Messages", "Unreachable");
    case ProtectionTester::Verdict::NotTested:
        break;
    }
    return QT_TRANSLATE_NOOP("Messages", "Not tested");
}

} // namespace

std::string ProtectionTester::statusText() const {
    if (directory_.empty()) {
        return "";
    }
    std::string text = verdictWord(verdict_);
    if (verdict_ == Verdict::NotTested && verdictSentence_.empty()) {
        text = text::fill(running_ ? QT_TRANSLATE_NOOP("Messages", "%1: the test is running.")
                                   : QT_TRANSLATE_NOOP("Messages", "%1: press Test Again to ask the server."),
                          text);
    } else {
        std::string cause = verdictSentence_;
        // The sentence may open with the verdict itself ("Protected: …"); it is said once.
        const std::string word = std::string(verdictWord(verdict_)) + ": ";
        if (cause.rfind(word, 0) == 0) {
            cause = cause.substr(word.size());
            if (!cause.empty()) {
                cause[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(cause[0])));
            }
            // The shortened sentence is remembered as made from its own (marked) template, so it is
            // translated like the whole one.
            if (const auto filled = text::filledMessage(verdictSentence_);
                filled && filled->pattern.rfind(word, 0) == 0 && filled->pattern.size() > word.size()) {
                std::string pattern = filled->pattern.substr(word.size());
                pattern[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(pattern[0])));
                if (text::fillWith(pattern, filled->arguments) == cause) {
                    cause = text::fillAndRemember(pattern, filled->arguments);
                }
            }
        }
        text += "\n" + cause;
    }
    if (!verdictNotes_.empty()) {
        text += "\n" + verdictNotes_.substr(0, verdictNotes_.size() - 1);
    }
    if (finding_) {
        text += "\n" + text::fill(QT_TRANSLATE_NOOP("Messages", "Server check: %1"), finding_->sentence);
    }
    if (!testedAt_.empty()) {
        text += "\n" + text::fill(QT_TRANSLATE_NOOP("Messages", "Tested %1 at %2."), testedUrl_, testedAt_);
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
        ui::windowSystem().showStatus(QT_TRANSLATE_NOOP("Messages", "Test cancelled."));
        showVerdict();
        return;
    }
    const std::string url = addressField->stringValue();
    if (url.empty()) {
        ui::windowSystem().beginAlertSheet(
            {QT_TRANSLATE_NOOP("Messages", "No Address"),
             QT_TRANSLATE_NOOP("Messages", "Keepgate does not know the address of this folder. Type it into the "
                                           "address field."),
             "OK", ""},
            mainWindow, {});
        return;
    }
    ui::windowSystem().beginCredentialSheet(
        {QT_TRANSLATE_NOOP("Messages", "Test Protection"),
         text::fill(QT_TRANSLATE_NOOP("Messages", "Keepgate asks %1 without a password, and with the user name and "
                                                  "password below when you give them. The password is used for "
                                                  "this test only; it is neither stored nor logged."),
                    url),
         "", QT_TRANSLATE_NOOP("Messages", "Test"), "Cancel"},
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
    const std::string testing = text::fill(
        QT_TRANSLATE_NOOP("Messages", "Testing %1 (click Test Protection again to cancel)…"), plan->url);
    ui::windowSystem().showStatus(
        prefix.empty() ? testing : text::fill(QT_TRANSLATE_NOOP("Messages", "%1. %2"), prefix, testing));
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
    ui::windowSystem().showStatus(plan.prefix.empty() ? plan.sentence
                                                      : text::fill("%1. %2", plan.prefix, plan.sentence));
    platform::appLog("Protection test of " + plan.url + ": " + plan.sentence);
    verdict_ = plan.verdict;
    verdictSentence_ = plan.sentence;
    verdictNotes_ = plan.notes;
    testedUrl_ = plan.connectTo.empty()
                     ? plan.url
                     : text::fill(QT_TRANSLATE_NOOP("Messages", "%1 (through %2)"), plan.url, plan.connectTo);
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

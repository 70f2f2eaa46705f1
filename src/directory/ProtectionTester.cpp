#include "directory/ProtectionTester.h"

#include <cctype>
#include <ctime>

#include "formats/TextLines.h"
#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/FileSystem.h"
#include "platform/Log.h"
#include "services/ApacheConfig.h"
#include "services/ServerAddress.h"
#include "services/ServerProfile.h"
#include "ui/WindowSystem.h"

namespace keepgate {

// The window's side of one test: the shared plan, the status line's prefix, and what came back.
struct ProtectionTester::Plan {
    operations::LiveTestPlan live;
    std::string url;
    std::string connectTo;
    std::string prefix;
    operations::LiveTestResult result;
};

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
    if (!platform::readFile(profile.mainConfig)) {
        return {"",
                "The web server's configuration " + profile.mainConfig +
                    " cannot be read, so the address is not known; type it here.",
                ""};
    }
    const auto config = ApacheConfig::read(profile.mainConfig, profile.serverRoot, profile.environment);
    return ServerAddress::forDirectory(config.directives, directory);
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

using operations::verdictWord;

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
    operations::LiveTestPlan& live = plan->live;
    live.url = addressField->stringValue();
    live.connectTo = operations::LiveTest::connectTo(live.url, {publishedUrl_, "", publishedConnectTo_});
    live.username = username;
    live.password = password;
    live.directory = directory_;
    const DefaultsStore& defaults = standardUserDefaults();
    live.accessFileMode = isAccessFileMode(defaults);
    live.accessFilename = defaults.stringForKey(constants::kDefaultAccessFilenameKey)
                              .value_or(constants::kDefaultAccessFilename);
    live.sharedConfig =
        defaults.stringForKey(constants::kConfigFilePathKey).value_or(constants::kDefaultConfigFilePath);
    live.blockSaved = operations::LiveTest::blockSaved(directory_, live.accessFileMode, live.accessFilename,
                                                       live.sharedConfig);
    live.profile = ServerProfile::current();
    live.timeoutMilliseconds = timeoutMilliseconds;
    plan->url = live.url;
    plan->connectTo = live.connectTo;
    plan->prefix = prefix;

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
    ui::windowSystem().runInBackground(
        [plan, token] { plan->result = operations::LiveTest::run(std::move(plan->live), token); },
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
    ui::windowSystem().showStatus((plan.prefix.empty() ? "" : plan.prefix + ". ") + plan.result.sentence);
    platform::appLog("Protection test of " + plan.url + ": " + plan.result.sentence);
    verdict_ = plan.result.verdict;
    verdictSentence_ = plan.result.sentence;
    verdictNotes_ = plan.result.notes;
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

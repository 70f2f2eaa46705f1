#include "app/ServerCheckReport.h"

#include <cstdint>

#include "app/Controller.h"
#include "directory/Directory.h"
#include "directory/DirectoryAccess.h"
#include "directory/DirectoryGroups.h"
#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/FileSystem.h"
#include "platform/History.h"
#include "platform/SystemPaths.h"
#include "app/ServerActions.h"
#include "services/ServerAddress.h"
#include "services/ServerControl.h"
#include "ui/WindowSystem.h"

namespace keepgate {

namespace {

void showAlert(ui::Window* parent, const std::string& title, const std::string& message) {
    ui::windowSystem().beginAlertSheet({title, message, "OK", ""}, parent, {});
}

std::string fieldText(const ui::TextField* field) {
    return field ? field->stringValue() : "";
}

} // namespace

struct BackgroundCheck::State {
    std::uint64_t newest = 0; // the number of the latest start; older answers are dropped
    bool running = false;
};

BackgroundCheck::BackgroundCheck() : state_(std::make_shared<State>()) {}

// Answers still on their way find no state and are dropped.
BackgroundCheck::~BackgroundCheck() = default;

bool BackgroundCheck::isRunning() const {
    return state_->running;
}

void BackgroundCheck::start(const ServerProfile& profile, const std::string& directory, bool accessFileMode,
                            const std::string& userfile, const std::string& groupfile, bool needsGroups,
                            bool needsHostRules, const std::string& sharedConfigFile, Handler done) {
    const std::uint64_t number = ++state_->newest;
    state_->running = true;
    if (busy) {
        busy->startAnimation();
    }
    auto findings = std::make_shared<std::vector<Finding>>();
    std::weak_ptr<State> state = state_;
    ui::ProgressIndicator* indicator = busy;
    ui::windowSystem().runInBackground(
        [findings, profile, directory, accessFileMode, userfile, groupfile, needsGroups, needsHostRules,
         sharedConfigFile] {
            *findings = ServerCheck::run(profile, directory, accessFileMode, userfile, groupfile, needsGroups,
                                         needsHostRules, sharedConfigFile);
        },
        [state, number, findings, indicator, done = std::move(done)] {
            const auto held = state.lock();
            if (!held || held->newest != number) {
                return;
            }
            held->running = false;
            if (indicator) {
                indicator->stopAnimation();
            }
            if (done) {
                done(std::move(*findings));
            }
        });
}

ServerCheckReport::Subject ServerCheckReport::subjectOf(const Directory* directory) {
    Subject subject;
    DefaultsStore& defaults = standardUserDefaults();
    subject.accessFileMode = isAccessFileMode(defaults);
    subject.sharedConfigFile = defaults.stringForKey(constants::kConfigFilePathKey).value_or("");
    subject.directory = directory ? fieldText(directory->directoryField) : "";
    // With no directory chosen, the server is checked for the folder it serves first: its DocumentRoot.
    if (subject.directory.empty()) {
        const ServerProfile profile = ServerProfile::current();
        const auto config = ApacheConfig::read(profile.mainConfig, profile.serverRoot, profile.environment);
        if (const auto root = ServerAddress::folderFor(config.directives, "/")) {
            subject.directory = *root;
            while (subject.directory.size() > 1 && subject.directory.back() == '/') {
                subject.directory.pop_back();
            }
        }
    }
    if (!directory) {
        return subject;
    }
    subject.userfile = fieldText(directory->userfileField);
    subject.groupfile = fieldText(directory->groupfileField);
    if (const auto& groups = DirectoryGroups::getGroupRecords()) {
        for (const auto& record : *groups) {
            subject.needsGroups = subject.needsGroups || isMarked(record.value("check"));
        }
    }
    if (const auto& rules = DirectoryAccess::getAccessRecords()) {
        for (const auto& rule : *rules) {
            subject.needsHostRules = subject.needsHostRules || !rule.text("hostnameip").empty();
        }
    }
    subject.needsHostRules =
        subject.needsHostRules || (directory->denyAllOthersCB && directory->denyAllOthersCB->state() == 1);
    // Apache 2.4's Require ip and Require host rules need neither mod_access_compat nor the Limit override.
    subject.needsHostRules = subject.needsHostRules && !directory->writesApache24;
    return subject;
}

std::vector<std::string> ServerCheckReport::findingsFor(const Directory* directory) {
    if (!systemPaths().serverDetected) {
        return {};
    }
    const Subject subject = subjectOf(directory);
    std::vector<std::string> sentences;
    for (const auto& finding : ServerCheck::run(
             ServerProfile::current(), subject.directory, subject.accessFileMode, subject.userfile,
             subject.groupfile, subject.needsGroups, subject.needsHostRules, subject.sharedConfigFile)) {
        sentences.push_back(finding.message);
    }
    return sentences;
}

std::function<void(ServerCheckReport::SentencesHandler)>
ServerCheckReport::findingsLater(const Directory* directory, ui::ProgressIndicator* busy) {
    auto check = std::make_shared<BackgroundCheck>();
    check->busy = busy;
    return [directory, check](SentencesHandler done) {
        // Where no server was detected there is nothing to read, and nothing to wait for.
        if (!systemPaths().serverDetected) {
            return;
        }
        const Subject subject = subjectOf(directory);
        check->start(ServerProfile::current(), subject.directory, subject.accessFileMode, subject.userfile,
                     subject.groupfile, subject.needsGroups, subject.needsHostRules, subject.sharedConfigFile,
                     [done = std::move(done)](std::vector<Finding> found) {
                         std::vector<std::string> sentences;
                         for (const auto& finding : found) {
                             sentences.push_back(finding.message);
                         }
                         if (done) {
                             done(sentences);
                         }
                     });
    };
}

void ServerCheckReport::refresh() {
    const Subject subject = subjectOf(directory);
    check_.busy = busy;
    check_.start(ServerProfile::current(), subject.directory, subject.accessFileMode, subject.userfile,
                 subject.groupfile, subject.needsGroups, subject.needsHostRules, subject.sharedConfigFile,
                 [this](std::vector<Finding> found) {
                     findings = std::move(found);
                     if (changed) {
                         changed();
                     }
                 });
}

void ServerCheckReport::fix(std::size_t index) {
    if (index >= findings.size() || !findings[index].fixable) {
        return;
    }
    const Finding finding = findings[index];
    ui::windowSystem().beginAlertSheet(
        {"Fix", finding.message + "\n\nThe fix needs administrator rights.", "Fix", "Cancel"}, parent,
        [this, finding](int returnCode) {
            if (returnCode == 1) {
                fixNow(finding);
                refresh();
            }
        });
}

void ServerCheckReport::fixAll() {
    refresh();
    const std::vector<Finding> found = findings;
    for (const auto& finding : found) {
        if (finding.fixable) {
            fixNow(finding);
        }
    }
    refresh();
}

void ServerCheckReport::fixNow(const Finding& finding) {
    const ServerProfile profile = ServerProfile::current();
    switch (finding.kind) {
    case FindingKind::OverridesIgnored:
        ServerActions::applyOverrideFix(parent, finding.subject);
        return;
    case FindingKind::ModuleMissing: {
        const platform::HistoryAction action("Enabled the module " + finding.subject);
        const auto result = ServerControl::enableModule(profile, finding.subject);
        if (!result.installed) {
            showAlert(parent, "Error!",
                      "The module " + finding.subject + " was not enabled: " + result.error + "." +
                          (result.unchanged ? " The web server's configuration was not changed." : "") +
                          (result.testMessage.empty() ? "" : "\n\n" + result.testMessage));
            return;
        }
        showAlert(parent, result.testMessage.empty() ? "Complete!" : "Warning!",
                  "The module " + finding.subject + " is enabled." +
                      (result.testMessage.empty()
                           ? ""
                           : " The web server's configuration test now fails:\n\n" + result.testMessage));
        if (result.testMessage.empty()) {
            ServerActions::offerReload(profile, result.backup);
        }
        return;
    }
    case FindingKind::IncludeMissing:
        ServerActions::applyIncludeFix(parent, finding.subject);
        return;
    default:
        return;
    }
}

} // namespace keepgate

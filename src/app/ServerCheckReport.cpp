#include "app/ServerCheckReport.h"

#include "app/Controller.h"
#include "directory/Directory.h"
#include "directory/DirectoryAccess.h"
#include "directory/DirectoryGroups.h"
#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/FileSystem.h"
#include "platform/SystemPaths.h"
#include "app/ServerActions.h"
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

ServerCheckReport::Subject ServerCheckReport::subjectOf(const Directory* directory) {
    Subject subject;
    DefaultsStore& defaults = standardUserDefaults();
    subject.accessFileMode = isAccessFileMode(defaults);
    subject.sharedConfigFile = defaults.stringForKey(constants::kConfigFilePathKey).value_or("");
    if (!directory) {
        return subject;
    }
    subject.directory = fieldText(directory->directoryField);
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

void ServerCheckReport::refresh() {
    const Subject subject = subjectOf(directory);
    findings = ServerCheck::run(ServerProfile::current(), subject.directory, subject.accessFileMode,
                                subject.userfile, subject.groupfile, subject.needsGroups,
                                subject.needsHostRules, subject.sharedConfigFile);
    if (changed) {
        changed();
    }
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

void ServerCheckReport::fixNow(const Finding& finding) {
    const ServerProfile profile = ServerProfile::current();
    switch (finding.kind) {
    case FindingKind::OverridesIgnored: {
        const auto text = platform::readFile(profile.mainConfig);
        if (!text) {
            showAlert(parent, "Error!",
                      "Keepgate could not read " + profile.mainConfig +
                          ". The web server's configuration was not changed.");
            return;
        }
        const auto config = ApacheConfig::read(profile.mainConfig, profile.serverRoot, profile.environment);
        const auto amended = ServerCheck::overrideAmendment(
            *text, profile.mainConfig, ServerCheck::allowOverrideFor(config, finding.subject),
            finding.subject);
        if (!amended) {
            showAlert(parent, "Error!",
                      "The directory's path cannot be written into the web server's configuration. The web "
                      "server's configuration was not changed.");
            return;
        }
        ServerActions::installMainConfiguration(parent, *amended);
        return;
    }
    case FindingKind::ModuleMissing: {
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
        if (controller) {
            controller->setupConfigFileWithInclude(1);
        }
        return;
    default:
        return;
    }
}

} // namespace keepgate

#include "app/ServerActions.h"

#include <algorithm>

#include "app/AdministratorWrite.h"
#include "operations/ServerAdmin.h"
#include "platform/FileSystem.h"
#include "platform/History.h"
#include "platform/SystemPaths.h"
#include "services/ServerControl.h"
#include "ui/WindowSystem.h"

namespace keepgate {

namespace {

const char* const kNotChanged = " The web server's configuration was not changed.";

void showAlert(ui::Window* parent, const std::string& title, const std::string& message) {
    ui::windowSystem().beginAlertSheet({title, message, "OK", ""}, parent, {});
}

} // namespace

void ServerActions::installMainConfiguration(ui::Window* parent, const std::string& amendedText) {
    const ServerProfile profile = ServerProfile::current();
    const auto result = ServerControl::installMainConfiguration(profile, amendedText);
    if (!result.installed) {
        std::string message = "Keepgate did not install the amended configuration of " + profile.mainConfig +
                              ": " + result.error + ".";
        message += result.unchanged
                       ? kNotChanged
                       : " The file may have been changed; compare it with its backup " + result.backup + ".";
        if (!result.testMessage.empty()) {
            message += "\n\n" + result.testMessage;
        }
        showAlert(parent, "Error!", message);
        return;
    }
    complete(profile, "Keepgate changed " + profile.mainConfig + ".", result.backup);
}

void ServerActions::complete(const ServerProfile& profile, const std::string& whatHappened,
                             const std::string& backup) {
    std::string message = "Apache (httpd) is now configured.";
    if (!whatHappened.empty()) {
        message += "\n\n" + whatHappened;
    }
    if (!backup.empty()) {
        message += "\n\nThe previous configuration was kept as " + backup + ".";
    }
    if (profile.reloadCommand().empty()) {
        // Only the Mac's own web server is restarted from System Preferences.
        const bool macLayout =
            !systemPaths().serverDetected || profile.documentRoot.starts_with("/Library/WebServer");
        message += macLayout
                       ? "\n\nPlease restart the Personal Web Sharing in your System Preferences for the "
                         "changes to take effect!"
                       : "\n\nRestart the web server for the changes to take effect.";
        showAlert(nullptr, "Complete!", message);
        return;
    }
    message += "\n\nThe web server reads the change when it reloads its configuration.";
    ui::windowSystem().beginAlertSheet(
        {"Complete!", message, "Reload the web server now", "Later"}, nullptr, [profile](int returnCode) {
            if (returnCode != 1) {
                return;
            }
            const auto reloaded = ServerControl::reload(profile);
            showAlert(nullptr, reloaded.reloaded ? "Reloaded" : "Error!", reloaded.message);
        });
}

void ServerActions::applyAmendment(ui::Window* parent, const Amendment& amendment) {
    const ServerProfile profile = ServerProfile::current();
    const operations::Outcome outcome = operations::ServerAdmin::applyAmendment(profile, amendment);
    if (!outcome.ok()) {
        showAlert(parent, "Error!", outcome.message);
        return;
    }
    const bool changed = !outcome.steps.empty() ||
                         std::any_of(outcome.changes.begin(), outcome.changes.end(),
                                     [](const operations::FileChange& change) { return change.changes(); });
    if (!changed) {
        showAlert(parent, "Complete!", outcome.message);
        return;
    }
    complete(profile, outcome.message, "");
}

void ServerActions::applyOverrideFix(ui::Window* parent, const std::string& directory) {
    const platform::HistoryAction action("Allowed access files for " + directory);
    applyFix(parent, {FindingKind::OverridesIgnored, "", directory, true});
}

void ServerActions::applyIncludeFix(ui::Window* parent, const std::string& sharedFile) {
    const platform::HistoryAction action("Made the web server read " + sharedFile);
    applyFix(parent, {FindingKind::IncludeMissing, "", sharedFile, true});
}

void ServerActions::applyFix(ui::Window* parent, const Finding& finding) {
    std::string why;
    if (const auto amendment =
            operations::ServerAdmin::amendmentFor(ServerProfile::current(), finding, &why)) {
        applyAmendment(parent, *amendment);
        return;
    }
    showAlert(parent, "Error!", why);
}

namespace {

std::function<void()>& reloadObserver() {
    static std::function<void()> observer;
    return observer;
}

} // namespace

void ServerActions::setReloadObserver(std::function<void()> observer) {
    reloadObserver() = std::move(observer);
}

void ServerActions::offerReload(const ServerProfile& profile, const std::string& backup) {
    const std::string kept = backup.empty() ? "" : "The previous configuration was kept as " + backup + ".";
    if (profile.reloadCommand().empty()) {
        if (!kept.empty()) {
            showAlert(nullptr, "Backup", kept);
        }
        return;
    }
    const std::string message = (kept.empty() ? "" : kept + "\n\n") +
                                "The web server reads the change when it reloads its configuration.";
    ui::windowSystem().beginAlertSheet(
        {"Reload", message, "Reload the web server now", "Later"}, nullptr, [profile](int returnCode) {
            if (returnCode != 1) {
                return;
            }
            const auto reloaded = ServerControl::reload(profile);
            showAlert(nullptr, reloaded.reloaded ? "Reloaded" : "Error!", reloaded.message);
            if (reloaded.reloaded && reloadObserver()) {
                reloadObserver()();
            }
        });
}

void ServerActions::checkAfterSharedSave(ui::Window* parent, const std::string& sharedPath,
                                         const std::string& previousText) {
    const ServerProfile profile = ServerProfile::current();
    const auto test = ServerControl::testConfiguration(profile, profile.mainConfig);
    if (!test.ran) {
        return;
    }
    if (test.passed) {
        offerReload(profile, "");
        return;
    }
    const std::string message = "The web server's configuration test fails after this save of " + sharedPath +
                                ":\n\n" + test.message +
                                "\n\nThe web server keeps its running configuration "
                                "until it reloads.";
    ui::windowSystem().beginAlertSheet(
        {"Error!", message, "Restore the previous file", "Keep"}, parent,
        [parent, sharedPath, previousText](int returnCode) {
            if (returnCode != 1) {
                return;
            }
            const platform::HistoryAction action("Put back " + sharedPath +
                                                 " after the server's test failed");
            const auto written = platform::writeFileAtomically(sharedPath, previousText);
            if (written) {
                showAlert(parent, "Restored", "The previous contents of " + sharedPath + " are back.");
            } else {
                offerAdministratorWrite(parent, sharedPath, previousText,
                                        "Keepgate could not restore " + sharedPath + " (" + written.error +
                                            ").");
            }
        });
}

} // namespace keepgate

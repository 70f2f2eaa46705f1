#include "app/ServerActions.h"

#include "platform/FileSystem.h"
#include "platform/SystemPaths.h"
#include "app/AdministratorWrite.h"
#include "services/PrivilegedCopy.h"
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
    showAlert(nullptr, "Complete!",
              "Apache (httpd) is now configured. Please restart the Personal Web Sharing in your System "
              "Preferences for the changes to take effect!");
    offerReload(profile, result.backup);
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

#include "app/ServerActions.h"

#include "platform/FileSystem.h"
#include "platform/History.h"
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

namespace {

// Puts a file in place with the user's own rights where they suffice, else with administrator rights.
CopyOutcome putInPlace(const std::string& path, const std::string& text) {
    const auto result = platform::writeFileAtomically(path, text);
    if (result) {
        return {true, false, ""};
    }
    if (!administratorRightsWouldHelp(path)) {
        return {false, true, result.error};
    }
    return PrivilegedCopy::install(text, path);
}

} // namespace

void ServerActions::applyAmendment(ui::Window* parent, const Amendment& amendment) {
    const ServerProfile profile = ServerProfile::current();
    if (amendment.empty()) {
        showAlert(parent, "Complete!", "The web server is already set up for this; nothing was changed.");
        return;
    }
    const auto fail = [parent](const std::string& file, const std::string& why, bool unchanged,
                               const std::string& serverSaid) {
        std::string message = "Keepgate could not change " + file + ": " + why + ".";
        message +=
            unchanged ? kNotChanged : " The configuration may have been changed; see the files named here.";
        if (!serverSaid.empty()) {
            message += "\n\n" + serverSaid;
        }
        showAlert(parent, "Error!", message);
    };
    const auto mainNow = platform::readFile(profile.mainConfig);
    if (!mainNow) {
        fail(profile.mainConfig, "it could not be read", true, "");
        return;
    }
    // The server's own test sees the new files, named at the end of the configuration as it is now.
    if (!profile.controlProgram.empty()) {
        std::vector<StagingFile> staged;
        std::string testText = *mainNow;
        if (!testText.empty() && testText.back() != '\n') {
            testText += '\n';
        }
        bool mainNamesANewFile = false;
        for (const auto& write : amendment.writes) {
            std::string error;
            auto file = StagingFile::create(write.text, &error);
            if (!file) {
                fail(write.path, "its new text could not be staged: " + error, true, "");
                return;
            }
            testText += "Include \"" + file->path() + "\"\n";
            mainNamesANewFile =
                mainNamesANewFile || amendment.mainAdded.find(write.path) != std::string::npos;
            staged.push_back(std::move(*file));
        }
        if (amendment.mainText && !mainNamesANewFile) {
            testText += amendment.mainAdded;
        }
        std::string error;
        const auto testFile = StagingFile::create(testText, &error);
        if (!testFile) {
            fail(profile.mainConfig, "the test configuration could not be staged: " + error, true, "");
            return;
        }
        const auto test = ServerControl::testConfiguration(profile, testFile->path());
        if (!test.passed) {
            fail(amendment.writes.empty() ? profile.mainConfig : amendment.writes.front().path,
                 "the web server's own configuration test refused the change", true, test.message);
            return;
        }
    }
    // What was written so far, so a later failure can put it back.
    std::vector<const Amendment::Write*> done;
    const auto putBack = [&done] {
        bool all = true;
        for (const auto* write : done) {
            // A file this change made goes again where the user's rights allow; otherwise it stays.
            all = (write->previous ? putInPlace(write->path, *write->previous).copied
                                   : static_cast<bool>(platform::removeFile(write->path))) &&
                  all;
        }
        return all;
    };
    for (const auto& write : amendment.writes) {
        if (write.previous == write.text) {
            continue;
        }
        const auto outcome = putInPlace(write.path, write.text);
        if (!outcome.copied) {
            const bool restored = putBack();
            fail(write.path, outcome.error, outcome.unchanged && restored, "");
            return;
        }
        done.push_back(&write);
    }
    for (const auto& name : amendment.enable) {
        const auto run = PrivilegedCopy::runAction({"enable-conf", name}, {amendment.enableProgram, name});
        if (!run.started || run.exitStatus != 0) {
            const bool restored = putBack();
            std::string said = run.standardError + run.standardOutput;
            while (!said.empty() && (said.back() == '\n' || said.back() == ' ')) {
                said.pop_back();
            }
            fail(name + ".conf", "enabling it with " + amendment.enableProgram + " failed", restored, said);
            return;
        }
    }
    std::string backup;
    if (amendment.mainText) {
        const auto result = ServerControl::installMainConfiguration(profile, *amendment.mainText);
        if (!result.installed) {
            const bool restored = putBack() && amendment.enable.empty();
            fail(profile.mainConfig,
                 result.error + (result.unchanged || result.backup.empty()
                                     ? ""
                                     : "; compare it with its backup " + result.backup),
                 result.unchanged && restored, result.testMessage);
            return;
        }
        backup = result.backup;
    }
    complete(profile, amendment.description(profile.mainConfig, true), backup);
}

void ServerActions::applyOverrideFix(ui::Window* parent, const std::string& directory) {
    std::string problem;
    const platform::HistoryAction action("Allowed access files for " + directory);
    if (const auto amendment = ServerCheck::overrideFix(ServerProfile::current(), directory, &problem)) {
        applyAmendment(parent, *amendment);
        return;
    }
    showAlert(parent, "Error!",
              "Keepgate cannot allow access files in " + directory + ": " + problem + "." + kNotChanged);
}

void ServerActions::applyIncludeFix(ui::Window* parent, const std::string& sharedFile) {
    std::string problem;
    const platform::HistoryAction action("Made the web server read " + sharedFile);
    if (const auto amendment = ServerCheck::includeFix(ServerProfile::current(), sharedFile, &problem)) {
        applyAmendment(parent, *amendment);
        return;
    }
    showAlert(parent, "Error!",
              "Keepgate cannot make the web server read " + sharedFile + ": " + problem + "." + kNotChanged);
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

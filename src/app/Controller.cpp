#include "app/Controller.h"

#include "app/PreferencesController.h"
#include "formats/TextLines.h"
#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/FileSystem.h"
#include "platform/Log.h"
#include "platform/PropertyList.h"
#include "platform/RecentFiles.h"
#include "platform/SystemPaths.h"
#include "platform/UrlFetcher.h"
#include "services/AdmTools.h"
#include "app/AdministratorWrite.h"
#include "services/PrivilegedCopy.h"
#include "app/ServerActions.h"
#include "services/ServerCheck.h"
#include "ui/WindowSystem.h"

namespace keepgate {

namespace {

ui::AlertSpec alert(const std::string& title, const std::string& message,
                    const std::string& defaultButton = "OK", const std::string& alternateButton = "") {
    return {title, message, defaultButton, alternateButton};
}

using text::lowerAscii;

// The download address comes over plain HTTP, so only a web address is handed to the browser: another
// scheme (file:, a custom handler) could start a local program.
bool isWebAddress(const std::string& url) {
    const std::string folded = lowerAscii(url.substr(0, 8));
    return (folded.starts_with("http://") && url.size() > 7) ||
           (folded.starts_with("https://") && url.size() > 8);
}

} // namespace

void Controller::awakeFromNib() {
    DefaultsStore& defaults = standardUserDefaults();

    const auto storedVersion = defaults.stringForKey(constants::kVersionKey);
    const bool restored = !storedVersion || *storedVersion != constants::kProgramVersion;
    if (restored) {
        PreferencesController restorer;
        restorer.restoreDefaults();
    }

    askToConfigureServer(restored);

    if (defaults.boolForKey(constants::kCheckUpdatesKey)) {
        checkForUpdateNow(1);
    }
    reopenLastFiles();
}

void Controller::reopenLastFiles() {
    DefaultsStore& defaults = standardUserDefaults();
    const auto last = [&defaults](const char* key) -> std::optional<std::string> {
        const auto path = defaults.stringForKey(key);
        return path && !path->empty() && platform::fileExists(*path) ? path : std::nullopt;
    };
    if (const auto userfile = last(recent::kUserfileKey); userfile && !platform::isDirectory(*userfile)) {
        openEnd(1, {*userfile});
    }
    if (const auto groupfile = last(recent::kGroupfileKey);
        groupfile && !platform::isDirectory(*groupfile) && reopenGroupfile) {
        reopenGroupfile(*groupfile);
    }
    if (const auto directory = last(recent::kDirectoryKey);
        directory && platform::isDirectory(*directory) && reopenDirectory) {
        reopenDirectory(*directory);
    }
}

void Controller::askToConfigureServer(bool restored) {
    const DefaultsStore& defaults = standardUserDefaults();
    const ServerProfile profile = ServerProfile::current();
    if (!platform::readFile(profile.mainConfig)) {
        ui::windowSystem().showStatus("Keepgate could not read the web server's configuration " +
                                      profile.mainConfig +
                                      ", so it cannot tell whether the server is set up for protection.");
        return;
    }
    const auto config = ApacheConfig::read(profile.mainConfig, profile.serverRoot, profile.environment);
    std::optional<Amendment> amendment;
    std::string situation, problem;
    std::function<void(int)> answer;
    if (isAccessFileMode(defaults)) {
        const std::string filename = defaults.stringForKey(constants::kDefaultAccessFilenameKey)
                                         .value_or(constants::kDefaultAccessFilename);
        // Before any directory is chosen, the server's own document root stands for the ones to come.
        const std::string root = ServerCheck::documentRootOf(profile, config);
        if (root.empty()) {
            return;
        }
        const auto overrides = ServerCheck::allowOverrideFor(config, root);
        if (overrides.allows("AuthConfig") && overrides.allows("Limit")) {
            return;
        }
        situation = std::string(!restored && filename != constants::kDefaultAccessFilename
                                    ? "You have set up Keepgate to keep"
                                    : "Keepgate keeps") +
                    " the protection settings of each individual directory you are protecting in its " +
                    filename + " file, but the Apache web server does not read them in " + root +
                    " and the directories inside it.";
        amendment = ServerCheck::overrideFix(profile, root, &problem);
        startDirectory_ = root;
        answer = [this](int returnCode) { setupConfigFileWithAllow(returnCode); };
    } else {
        const std::string shared = defaults.stringForKey(constants::kConfigFilePathKey).value_or("");
        if (!shared.empty() && ServerCheck::includes(config, profile.serverRoot, shared)) {
            return;
        }
        situation = "You have set up Keepgate to keep the protection settings of every directory in " +
                    shared + ", but the Apache web server does not read that file.";
        amendment = ServerCheck::includeFix(profile, shared, &problem);
        answer = [this](int returnCode) { setupConfigFileWithInclude(returnCode); };
    }
    if (!amendment) {
        ui::windowSystem().showStatus(situation + " Keepgate cannot change that: " + problem + ".");
        return;
    }
    const std::string message =
        situation + "\n\nWould you like Keepgate to automatically configure it? It will:\n\n" +
        amendment->description(profile.mainConfig) + "\n\n(This will require administrator authorization.)";
    ui::windowSystem().beginAlertSheet(alert("Warning!", message, "Automatically configure", "Cancel"),
                                       nullptr, answer);
}

void Controller::checkForUpdate() {
    checkForUpdateNow(0);
}

void Controller::checkForUpdateNow(int noDialog) {
    const std::string& address = systemPaths().updateURL;
    std::optional<std::map<std::string, std::string>> document;
    if (const auto body = urlFetcher().fetch(address)) {
        document = platform::parsePropertyListDictionary(*body);
    }
    const auto entry = [&document](const char* key) -> std::optional<std::string> {
        if (!document) {
            return std::nullopt;
        }
        const auto it = document->find(key);
        return it == document->end() ? std::nullopt : std::optional<std::string>(it->second);
    };

    const auto versionNumber = entry("versionnumber");
    if (!versionNumber) {
        const std::string problem =
            "A problem arose while attempting to check for a new version of Keepgate.  " +
            hostOfURL(address) + " may be temporarily unavailable or your network may be down.";
        // At start nobody asked: a failure is said in the status line and the log, never in an alert.
        if (noDialog == 1) {
            ui::windowSystem().showStatus("Could not check for update: " + hostOfURL(address) +
                                          " may be temporarily unavailable or your network may be down.");
            platform::appLog("Could not check for update: " + problem);
            return;
        }
        ui::windowSystem().beep();
        ui::windowSystem().runAlertPanel(
            alert("Could not check for update",
                  "A problem arose while attempting to check for a new version of Keepgate.  " +
                      hostOfURL(address) + " may be temporarily unavailable or your network may be down."));
        return;
    }

    if (*versionNumber != constants::kProgramVersion) {
        const std::string message =
            "A new version (" + *versionNumber + ") is available with the following new features:\n\n" +
            entry("whatsnew").value_or("") + "\n\nWould you like to visit the web site to download it?";
        const int answer = ui::windowSystem().runInformationalAlertPanel(
            alert("New Version", message, "Visit Web Site", "Cancel"));
        if (answer == 1) {
            if (const auto gotoURL = entry("gotoURL"); gotoURL && isWebAddress(*gotoURL)) {
                ui::windowSystem().openURL(*gotoURL);
            }
        }
        return;
    }

    if (noDialog != 1) {
        ui::windowSystem().runInformationalAlertPanel(
            alert("No Update Available", "You already have the latest version of this application."));
    }
}

void Controller::setupConfigFileWithInclude(int returnCode) {
    if (returnCode != 1) {
        return;
    }
    ServerActions::applyIncludeFix(
        mainWindow, standardUserDefaults().stringForKey(constants::kConfigFilePathKey).value_or(""));
}

void Controller::setupConfigFileWithAllow(int returnCode) {
    if (returnCode != 1) {
        return;
    }
    std::string directory = startDirectory_;
    if (directory.empty()) {
        const ServerProfile profile = ServerProfile::current();
        directory = ServerCheck::documentRootOf(
            profile, ApacheConfig::read(profile.mainConfig, profile.serverRoot, profile.environment));
    }
    ServerActions::applyOverrideFix(mainWindow, directory);
}

void Controller::openReadMe() {
    // Shown inside Keepgate where the window system can, so help needs no browser or editor.
    if (const auto html = ui::windowSystem().pathForResource("ReadMe", "html");
        html && ui::windowSystem().showHelp(*html)) {
        return;
    }
    // The ReadMe ships in whichever of these forms the platform can open.
    for (const char* type : {"rtfd", "html", "txt"}) {
        if (const auto path = ui::windowSystem().pathForResource("ReadMe", type)) {
            if (!ui::windowSystem().openFile(*path, "TextEdit")) {
                ui::windowSystem().showStatus("The ReadMe " + *path + " could not be opened.");
            }
            return;
        }
    }
    ui::windowSystem().showStatus("The ReadMe is not installed beside Keepgate.");
}

} // namespace keepgate

#include "app/Controller.h"

#include "app/PreferencesController.h"
#include "formats/TextLines.h"
#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/FileSystem.h"
#include "platform/Log.h"
#include "platform/Messages.h"
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
                    const std::string& defaultButton = QT_TRANSLATE_NOOP("Messages", "OK"),
                    const std::string& alternateButton = "") {
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
        ui::windowSystem().showStatus(
            text::fill(QT_TRANSLATE_NOOP("Messages", "Keepgate could not read the web server's configuration "
                                                     "%1, so it cannot tell whether the server is set up for "
                                                     "protection."),
                       profile.mainConfig));
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
        situation = text::fill(
            !restored && filename != constants::kDefaultAccessFilename
                ? QT_TRANSLATE_NOOP("Messages",
                                    "You have set up Keepgate to keep the protection settings of "
                                    "each individual directory you are protecting in its %1 file, "
                                    "but the Apache web server does not read them in %2 and the "
                                    "directories inside it.")
                : QT_TRANSLATE_NOOP("Messages", "Keepgate keeps the protection settings of each individual "
                                                "directory you are protecting in its %1 file, but the Apache "
                                                "web server does not read them in %2 and the directories "
                                                "inside it."),
            filename, root);
        amendment = ServerCheck::overrideFix(profile, root, &problem);
        startDirectory_ = root;
        answer = [this](int returnCode) { setupConfigFileWithAllow(returnCode); };
    } else {
        const std::string shared = defaults.stringForKey(constants::kConfigFilePathKey).value_or("");
        if (!shared.empty() && ServerCheck::includes(config, profile.serverRoot, shared)) {
            return;
        }
        situation =
            text::fill(QT_TRANSLATE_NOOP("Messages", "You have set up Keepgate to keep the protection "
                                                     "settings of every directory in %1, but the Apache "
                                                     "web server does not read that file."),
                       shared);
        amendment = ServerCheck::includeFix(profile, shared, &problem);
        answer = [this](int returnCode) { setupConfigFileWithInclude(returnCode); };
    }
    if (!amendment) {
        ui::windowSystem().showStatus(text::fill(
            QT_TRANSLATE_NOOP("Messages", "%1 Keepgate cannot change that: %2."), situation, problem));
        return;
    }
    const std::string message = text::fill(
        QT_TRANSLATE_NOOP("Messages", "%1\n\nWould you like Keepgate to automatically configure it? It "
                                      "will:\n\n%2\n\n(This will require administrator authorization.)"),
        situation, amendment->description(profile.mainConfig));
    ui::windowSystem().beginAlertSheet(alert(QT_TRANSLATE_NOOP("Messages", "Warning!"), message,
                                             QT_TRANSLATE_NOOP("Messages", "Automatically configure"),
                                             QT_TRANSLATE_NOOP("Messages", "Cancel")),
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
        const std::string problem = text::fill(
            QT_TRANSLATE_NOOP("Messages", "A problem arose while attempting to check for a new "
                                          "version of Keepgate.  %1 may be temporarily unavailable or "
                                          "your network may be down."),
            hostOfURL(address));
        // At start nobody asked: a failure is said in the status line and the log, never in an alert.
        if (noDialog == 1) {
            ui::windowSystem().showStatus(
                text::fill(QT_TRANSLATE_NOOP("Messages", "Could not check for update: %1 may be temporarily "
                                                         "unavailable or your network may be down."),
                           hostOfURL(address)));
            platform::appLog("Could not check for update: " + problem);
            return;
        }
        ui::windowSystem().beep();
        ui::windowSystem().runAlertPanel(
            alert(QT_TRANSLATE_NOOP("Messages", "Could not check for update"), problem));
        return;
    }

    if (*versionNumber != constants::kProgramVersion) {
        const std::string message = text::fill(
            QT_TRANSLATE_NOOP("Messages", "A new version (%1) is available with the following new "
                                          "features:\n\n%2\n\nWould you like to visit the web site "
                                          "to download it?"),
            *versionNumber, entry("whatsnew").value_or(""));
        const int answer = ui::windowSystem().runInformationalAlertPanel(
            alert(QT_TRANSLATE_NOOP("Messages", "New Version"), message,
                  QT_TRANSLATE_NOOP("Messages", "Visit Web Site"), QT_TRANSLATE_NOOP("Messages", "Cancel")));
        if (answer == 1) {
            if (const auto gotoURL = entry("gotoURL"); gotoURL && isWebAddress(*gotoURL)) {
                ui::windowSystem().openURL(*gotoURL);
            }
        }
        return;
    }

    if (noDialog != 1) {
        ui::windowSystem().runInformationalAlertPanel(
            alert(QT_TRANSLATE_NOOP("Messages", "No Update Available"),
                  QT_TRANSLATE_NOOP("Messages", "You already have the latest version of this application.")));
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
                ui::windowSystem().showStatus(
                    text::fill(QT_TRANSLATE_NOOP("Messages", "The ReadMe %1 could not be opened."), *path));
            }
            return;
        }
    }
    ui::windowSystem().showStatus(
        QT_TRANSLATE_NOOP("Messages", "The ReadMe is not installed beside Keepgate."));
}

} // namespace keepgate

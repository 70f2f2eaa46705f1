#include "app/Controller.h"

#include "app/PreferencesController.h"
#include "formats/TextLines.h"
#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/FileSystem.h"
#include "platform/PropertyList.h"
#include "platform/SystemPaths.h"
#include "platform/UrlFetcher.h"
#include "services/AdmTools.h"
#include "app/AdministratorWrite.h"
#include "services/PrivilegedCopy.h"
#include "app/ServerActions.h"
#include "ui/WindowSystem.h"

namespace keepgate {

namespace {

const char* const kAllowOverrideNone = "AllowOverride None";
const char* const kAllowOverrideAuth = "AllowOverride AuthConfig Limit";

ui::AlertSpec alert(const std::string& title, const std::string& message,
                    const std::string& defaultButton = "OK", const std::string& alternateButton = "") {
    return {title, message, defaultButton, alternateButton};
}

using text::lowerAscii;

// Replaces every occurrence of `phrase`, compared without regard to ASCII case, by `replacement`.
std::string replaceIgnoringCase(const std::string& text, const std::string& phrase,
                                const std::string& replacement) {
    const std::string folded = lowerAscii(text);
    const std::string foldedPhrase = lowerAscii(phrase);
    std::string result;
    std::size_t from = 0;
    for (auto found = folded.find(foldedPhrase); found != std::string::npos;
         found = folded.find(foldedPhrase, from)) {
        result.append(text, from, found - from);
        result += replacement;
        from = found + foldedPhrase.size();
    }
    result.append(text, from, std::string::npos);
    return result;
}

// Apache splits directive arguments at blanks and tabs, so such a path must be quoted to stay one argument.
std::string includeArgument(const std::string& path) {
    return path.find_first_of(" \t") == std::string::npos ? path : "\"" + path + "\"";
}

// The download address comes over plain HTTP, so only a web address is handed to the browser: another
// scheme (file:, a custom handler) could start a local program.
bool isWebAddress(const std::string& url) {
    const std::string folded = lowerAscii(url.substr(0, 8));
    return (folded.starts_with("http://") && url.size() > 7) ||
           (folded.starts_with("https://") && url.size() > 8);
}

void failConfiguration(ui::Window* mainWindow, const std::string& message) {
    ui::windowSystem().beginAlertSheet(alert("Error!", message), mainWindow, {});
}

// Tests the amended text with the server's own test, keeps a backup and installs it with administrator
// rights; never installs a file this call did not just stage privately.
void installConfiguration(ui::Window* mainWindow, const std::string& amendedText) {
    ServerActions::installMainConfiguration(mainWindow, amendedText);
}

} // namespace

void Controller::awakeFromNib() {
    DefaultsStore& defaults = standardUserDefaults();

    const auto storedVersion = defaults.stringForKey(constants::kVersionKey);
    if (!storedVersion || *storedVersion != constants::kProgramVersion) {
        PreferencesController restorer;
        restorer.restoreDefaults();
    }

    if (isAccessFileMode(defaults)) {
        if (!AdmTools::checkForAllowoverrideConf()) {
            const std::string message =
                "You have set up Keepgate to read protection settings from the " +
                defaults.stringForKey(constants::kDefaultAccessFilenameKey).value_or("") +
                " in each individual directory you are protection, but your Apache WebServer does not seem "
                "to be set up for this feature.\n\nWould you like Keepgate to automatically configure it? "
                "(this will require administrator authorization)";
            ui::windowSystem().beginAlertSheet(
                alert("Warning!", message, "Automatically configure", "Cancel"), nullptr,
                [this](int returnCode) { setupConfigFileWithAllow(returnCode); });
        }
    } else if (!AdmTools::checkForIncludeInConf()) {
        const std::string message =
            "You have set up Keepgate to read protection settings from " +
            defaults.stringForKey(constants::kConfigFilePathKey).value_or("") +
            " but your Apache WebServer does not seem to be set up for this feature.\n\nWould you like "
            "Keepgate to automatically configure it? (this will require administrator authorization)";
        ui::windowSystem().beginAlertSheet(
            alert("Warning!", message, "Automatically configure", "Cancel"), nullptr,
            [this](int returnCode) { setupConfigFileWithInclude(returnCode); });
    }

    if (defaults.boolForKey(constants::kCheckUpdatesKey)) {
        checkForUpdateNow(1);
    }
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

namespace {

// The web server's main configuration, or nothing after telling the user it could not be read.
std::optional<std::string> readMainConfiguration(ui::Window* parent) {
    const std::string& path = systemPaths().mainConfig;
    auto text = platform::readFile(path);
    if (!text) {
        failConfiguration(parent, "Keepgate could not read the web server's configuration file " + path +
                                      ". The web server's configuration was not changed.");
    }
    return text;
}

} // namespace

void Controller::setupConfigFileWithInclude(int returnCode) {
    if (returnCode != 1) {
        return;
    }
    const auto mainText = readMainConfiguration(mainWindow);
    if (!mainText) {
        return;
    }
    const std::string configPath =
        standardUserDefaults().stringForKey(constants::kConfigFilePathKey).value_or("");
    // Apache refuses to start on an Include of a missing file, so the shared file must exist first.
    if (!platform::fileExists(configPath)) {
        const auto created = platform::writeFileAtomically(configPath, "");
        // The server's own folder (/etc/apache2) is the administrator's: the amendment already asked
        // for administrator rights, so the empty file is made with them too.
        if (!created &&
            !(administratorRightsWouldHelp(configPath) && PrivilegedCopy::install("", configPath).copied)) {
            failConfiguration(mainWindow, "Keepgate could not create the shared configuration file " +
                                              configPath + " (" + created.error +
                                              "). The web server's configuration was not changed.");
            return;
        }
    }
    installConfiguration(mainWindow, *mainText + "\nInclude " + includeArgument(configPath));
}

void Controller::setupConfigFileWithAllow(int returnCode) {
    if (returnCode != 1) {
        return;
    }
    const auto mainText = readMainConfiguration(mainWindow);
    if (!mainText) {
        return;
    }
    // Every piece between line feeds, the one after the last included, gets a line feed of its own.
    std::string amended;
    std::size_t start = 0;
    for (;;) {
        const auto end = mainText->find('\n', start);
        const std::string piece =
            mainText->substr(start, end == std::string::npos ? std::string::npos : end - start);
        amended += piece.find(kAllowOverrideNone) != std::string::npos
                       ? replaceIgnoringCase(piece, kAllowOverrideNone, kAllowOverrideAuth)
                       : piece;
        amended += '\n';
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    installConfiguration(mainWindow, amended);
}

void Controller::openReadMe() {
    // The ReadMe ships in whichever of these forms the platform can open.
    for (const char* type : {"rtfd", "html", "txt"}) {
        if (const auto path = ui::windowSystem().pathForResource("ReadMe", type)) {
            ui::windowSystem().openFile(*path, "TextEdit");
            return;
        }
    }
}

} // namespace keepgate

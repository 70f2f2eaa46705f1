#include "app/PreferencesController.h"

#include "platform/Messages.h"
#include "formats/Validator.h"
#include "platform/Constants.h"
#include "platform/SystemPaths.h"
#include "services/ServerProfile.h"
#include "ui/WindowSystem.h"

namespace keepgate {

void PreferencesController::detectServer() {
    if (const auto profile = ServerProfile::detect()) {
        profile->applyTo(systemPaths());
        if (mainConfigField) {
            mainConfigField->setStringValue(profile->mainConfig);
        }
        return;
    }
    ui::windowSystem().beginAlertSheet(
        {"Error!",
         QT_TRANSLATE_NOOP("Messages",
                           "No web server answered and none of the usual main configuration files "
                           "exists. The field keeps its value."),
         "OK", ""},
        theWindow, {});
}

void PreferencesController::applyStoredMainConfig() {
    const auto stored = standardUserDefaults().stringForKey(constants::kMainConfigKey);
    if (stored && !stored->empty() && !Validator::preferencePath(*stored)) {
        systemPaths().mainConfig = *stored;
    }
}

bool PreferencesController::acceptMainConfig() {
    if (!mainConfigField) {
        return true;
    }
    const std::string path = mainConfigField->stringValue();
    if (const auto problem = Validator::preferencePath(path)) {
        ui::windowSystem().beginAlertSheet(
            {"Error!",
             text::fill(QT_TRANSLATE_NOOP("Messages", "The web server's configuration file "
                                                      "path \"%1\" cannot be used: %2. "
                                                      "Nothing was saved."),
                        path, *problem),
             "OK", ""},
            theWindow, {});
        return false;
    }
    return true;
}

void PreferencesController::storeMainConfig() {
    if (!mainConfigField) {
        return;
    }
    // The detected file (or an empty field) is stored as nothing, so a later start follows detection.
    const std::string path = mainConfigField->stringValue();
    const bool detected = path.empty() || path == systemPaths().detectedMainConfig;
    defaults->setString(constants::kMainConfigKey, detected ? "" : path);
    systemPaths().mainConfig = detected ? systemPaths().detectedMainConfig : path;
    mainConfigField->setStringValue(systemPaths().mainConfig);
}

void PreferencesController::showMainConfig() {
    if (!mainConfigField) {
        return;
    }
    const auto stored = defaults->stringForKey(constants::kMainConfigKey);
    mainConfigField->setStringValue(stored && !stored->empty() ? *stored : systemPaths().mainConfig);
}

} // namespace keepgate

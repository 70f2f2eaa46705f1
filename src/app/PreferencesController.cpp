#include "app/PreferencesController.h"

#include "platform/Messages.h"

#include "formats/Validator.h"
#include "formats/HashKind.h"
#include "platform/Constants.h"
#include "platform/SystemPaths.h"
#include "ui/WindowSystem.h"

namespace keepgate {

namespace {

void setState(ui::Button* button, bool on) {
    if (button) {
        button->setState(on ? 1 : 0);
    }
}

bool isOn(const ui::Button* button) {
    return button && button->state() == 1;
}

// An empty field takes the default and shows it; a missing field (no window) counts as empty.
std::string textOrDefault(ui::TextField* field, const std::string& fallback) {
    if (!field) {
        return fallback;
    }
    if (field->stringValue().empty()) {
        field->setStringValue(fallback);
    }
    return field->stringValue();
}

// The alert text for the first field whose value cannot be saved; an empty field takes its default.
std::optional<std::string> refusedField(const ui::TextField* configPath, const ui::TextField* accessName) {
    if (configPath) {
        const std::string path = configPath->stringValue();
        if (const auto problem = Validator::preferencePath(path)) {
            return text::fill(QT_TRANSLATE_NOOP("Messages",
                                                "The shared configuration file path \"%1\" cannot "
                                                "be used: %2. Nothing was saved."),
                              path, *problem);
        }
    }
    if (accessName && !accessName->stringValue().empty()) {
        const std::string name = accessName->stringValue();
        if (const auto problem = Validator::accessFileName(name)) {
            return text::fill(
                QT_TRANSLATE_NOOP("Messages",
                                  "The access file name \"%1\" cannot be used: %2. Nothing was saved."),
                name, *problem);
        }
    }
    return std::nullopt;
}

// Lists the hash choices and chooses the stored one; an unknown value shows the tool's default, which is
// also what hashing does with it.
void showPasswordHash(ui::PopUpButton* popup, const DefaultsStore& defaults) {
    if (!popup) {
        return;
    }
    popup->removeAllItems();
    const std::string stored =
        defaults.stringForKey(hashes::kPasswordHashKey).value_or(hashes::kDefaultPasswordHash);
    int chosen = 0;
    for (std::size_t i = 0; i < std::size(hashes::kChoices); ++i) {
        popup->addItemWithTitle(hashes::kChoices[i].title);
        if (stored == hashes::kChoices[i].value) {
            chosen = static_cast<int>(i);
        }
    }
    popup->selectItemAtIndex(chosen);
}

} // namespace

void PreferencesController::restoreDefaults() {
    if (!defaults) {
        defaults = &standardUserDefaults();
    }
    defaults->setString(constants::kVersionKey, constants::kProgramVersion);
    defaults->setBool(constants::kCheckUpdatesKey, constants::kCheckUpdatesByDefault);
    defaults->setBool(constants::kShowHiddenKey, false);
    defaults->setString(constants::kDefaultAccessFilenameKey, constants::kDefaultAccessFilename);
    defaults->setString(constants::kConfigFilePathKey, systemPaths().defaultConfigFile);
    defaults->setString(constants::kProtectionSettingsKey, constants::kAccessFileMode);
    defaults->setString(hashes::kPasswordHashKey, hashes::kDefaultPasswordHash);
    setDefaults();
}

void PreferencesController::savePrefs() {
    if (!defaults) {
        defaults = &standardUserDefaults();
    }
    // Both values end up in lines Apache reads; a refused one stops the whole save, fields as typed.
    if (const auto refused = refusedField(configFilePathField, defaultAccessFilenameField)) {
        ui::windowSystem().beginAlertSheet({"Error!", *refused, "OK", ""}, theWindow, {});
        return;
    }
    if (!acceptMainConfig()) {
        return;
    }
    storeMainConfig();
    const bool checkUpdates = isOn(checkForUpdates);
    const bool showHidden = isOn(showHiddenFiles);
    // Only the access-file button decides; the pair is one radio group.
    defaults->setString(constants::kProtectionSettingsKey, isOn(protectionSettingsHtaccessRB)
                                                               ? constants::kAccessFileMode
                                                               : constants::kConfigFileMode);
    defaults->setString(constants::kConfigFilePathKey,
                        textOrDefault(configFilePathField, systemPaths().defaultConfigFile));
    defaults->setBool(constants::kCheckUpdatesKey, checkUpdates);
    defaults->setBool(constants::kShowHiddenKey, showHidden);
    defaults->setString(constants::kDefaultAccessFilenameKey,
                        textOrDefault(defaultAccessFilenameField, constants::kDefaultAccessFilename));
    if (passwordHashPopup) {
        const int chosen = passwordHashPopup->indexOfSelectedItem();
        if (chosen >= 0 && chosen < static_cast<int>(std::size(hashes::kChoices))) {
            defaults->setString(hashes::kPasswordHashKey, hashes::kChoices[chosen].value);
        }
    }
    defaults->setString(constants::kVersionKey, constants::kProgramVersion);
    defaults->synchronize();
    if (theWindow) {
        theWindow->orderOut();
    }
}

void PreferencesController::showWindow() {
    setDefaults();
    if (theWindow) {
        theWindow->makeKeyAndOrderFront();
    }
}

void PreferencesController::setDefaults() {
    if (!defaults) {
        defaults = &standardUserDefaults();
    }
    if (defaultAccessFilenameField) {
        defaultAccessFilenameField->setStringValue(
            defaults->stringForKey(constants::kDefaultAccessFilenameKey).value_or(""));
    }
    setState(checkForUpdates, defaults->boolForKey(constants::kCheckUpdatesKey));
    setState(showHiddenFiles, defaults->boolForKey(constants::kShowHiddenKey));
    if (configFilePathField) {
        configFilePathField->setStringValue(
            defaults->stringForKey(constants::kConfigFilePathKey).value_or(""));
    }
    showMainConfig();
    const bool accessFileMode = isAccessFileMode(*defaults);
    setState(protectionSettingsHtaccessRB, accessFileMode);
    setState(protectionSettingsConfigRB, !accessFileMode);
    showPasswordHash(passwordHashPopup, *defaults);
}

void PreferencesController::awakeFromNib() {
    defaults = &standardUserDefaults();
}

} // namespace keepgate

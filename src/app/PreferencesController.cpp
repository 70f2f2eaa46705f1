#include "app/PreferencesController.h"

#include "formats/Validator.h"
#include "formats/HashKind.h"
#include "platform/Constants.h"
#include "platform/SystemPaths.h"
#include "services/AdmTools.h"
#include "ui/WindowSystem.h"

#include <cmath>

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
            return "The shared configuration file path \"" + path + "\" cannot be used: " + *problem +
                   ". Nothing was saved.";
        }
    }
    if (accessName && !accessName->stringValue().empty()) {
        const std::string name = accessName->stringValue();
        if (const auto problem = Validator::accessFileName(name)) {
            return "The access file name \"" + name + "\" cannot be used: " + *problem +
                   ". Nothing was saved.";
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

// The stored cost, or the default where none or an odd one is stored.
int storedBcryptCost(const DefaultsStore& defaults) {
    const long long cost = defaults.integerForKey(hashes::kBcryptCostKey);
    return cost < hashes::kMinBcryptCost || cost > hashes::kMaxBcryptCost ? hashes::kDefaultBcryptCost
                                                                          : static_cast<int>(cost);
}

// The cost in the field, or nothing when it is not a whole number in range.
std::optional<int> typedBcryptCost(const ui::TextField* field) {
    if (!field) {
        return std::nullopt;
    }
    const std::string text = field->stringValue();
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const int cost = std::stoi(text);
    if (cost < hashes::kMinBcryptCost || cost > hashes::kMaxBcryptCost) {
        return std::nullopt;
    }
    return cost;
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
    // Without a stored cost the default applies.
    defaults->removeObjectForKey(hashes::kBcryptCostKey);
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
    if (const auto cost = typedBcryptCost(bcryptCostField)) {
        defaults->setObject(hashes::kBcryptCostKey, Value(*cost));
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
    if (bcryptCostField) {
        bcryptCostField->setStringValue(std::to_string(storedBcryptCost(*defaults)));
    }
    hashChoiceChanged();
}

bool PreferencesController::bcryptChosen() const {
    if (!passwordHashPopup) {
        return false;
    }
    const int chosen = passwordHashPopup->indexOfSelectedItem();
    return chosen >= 0 && chosen < static_cast<int>(std::size(hashes::kChoices)) &&
           std::string(hashes::kChoices[chosen].value) == "bcrypt";
}

void PreferencesController::hashChoiceChanged() {
    const int request = ++*measurement_;
    const bool bcrypt = bcryptChosen();
    if (bcryptCostField) {
        bcryptCostField->setEditable(bcrypt);
    }
    if (!checkCostField) {
        return;
    }
    const auto cost = typedBcryptCost(bcryptCostField);
    if (!bcrypt || !cost) {
        checkCostField->setStringValue(bcrypt ? "The cost is a whole number from " +
                                                    std::to_string(hashes::kMinBcryptCost) + " to " +
                                                    std::to_string(hashes::kMaxBcryptCost) + "."
                                              : "");
        return;
    }
    checkCostField->setStringValue("Measuring one check at cost " + std::to_string(*cost) + "…");
    auto result = std::make_shared<std::optional<double>>();
    std::weak_ptr<std::atomic<int>> latest = measurement_;
    ui::TextField* field = checkCostField;
    ui::windowSystem().runInBackground(
        // A cost passed over while the arrows were held is not measured at all.
        [result, latest, request, cost = *cost] {
            const auto current = latest.lock();
            if (current && *current == request) {
                *result = AdmTools::bcryptCheckMilliseconds(cost);
            }
        },
        [result, latest, request, field] {
            const auto current = latest.lock();
            if (!current || *current != request) {
                return;
            }
            field->setStringValue(*result ? "One check: " + std::to_string(std::lround(**result)) +
                                                " ms — every request to a protected page pays it."
                                          : "One check could not be measured: htpasswd gave no answer.");
        });
}

void PreferencesController::awakeFromNib() {
    defaults = &standardUserDefaults();
}

} // namespace keepgate

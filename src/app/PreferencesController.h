#pragma once

#include "platform/DefaultsStore.h"
#include "ui/Controls.h"

namespace keepgate {

// Drives the preferences window; a controller without outlets (windowless) only writes the store.
class PreferencesController {
public:
    ui::Button* checkForUpdates = nullptr;
    ui::TextField* defaultAccessFilenameField = nullptr;
    ui::Button* showHiddenFiles = nullptr;
    ui::TextField* configFilePathField = nullptr;
    ui::Button* protectionSettingsConfigRB = nullptr;
    ui::Button* protectionSettingsHtaccessRB = nullptr;
    // How new passwords are hashed: the choices of hashes::kChoices, in that order.
    ui::PopUpButton* passwordHashPopup = nullptr;
    ui::Window* theWindow = nullptr;
    DefaultsStore* defaults = nullptr;

    void restoreDefaults();
    void savePrefs();
    void showWindow();
    void setDefaults();
    void awakeFromNib();
};

} // namespace keepgate

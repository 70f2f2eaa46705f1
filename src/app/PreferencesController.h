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
    ui::Window* theWindow = nullptr;
    // The web server's main configuration file: the detected one unless the user typed another.
    ui::TextField* mainConfigField = nullptr;
    DefaultsStore* defaults = nullptr;

    void restoreDefaults();
    void savePrefs();
    void showWindow();
    void setDefaults();
    void awakeFromNib();

    // Detects the installed server again and shows its main configuration in the field.
    void detectServer();
    // Puts a stored main configuration in place of the detected one, at start of the application.
    static void applyStoredMainConfig();

  private:
    // Refuses a main configuration path Apache's tools could misread, with an alert; true when it may be
    // saved.
    bool acceptMainConfig();
    void storeMainConfig();
    void showMainConfig();
};

} // namespace keepgate

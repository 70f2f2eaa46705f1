#pragma once

#include <atomic>
#include <memory>

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
    // The bcrypt cost (a number from 5 to 14), editable while bcrypt is chosen, and what one check at
    // that cost takes on this machine.
    ui::TextField* bcryptCostField = nullptr;
    ui::TextField* checkCostField = nullptr;
    ui::Window* theWindow = nullptr;
    // The web server's main configuration file: the detected one unless the user typed another.
    ui::TextField* mainConfigField = nullptr;
    DefaultsStore* defaults = nullptr;

    void restoreDefaults();
    void savePrefs();
    void showWindow();
    void setDefaults();
    void awakeFromNib();

    // The hash choice or the cost changed: the cost is editable for bcrypt only, and one check at it is
    // timed in the background (a newer request makes an older one's answer void).
    void hashChoiceChanged();

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
    bool bcryptChosen() const;
    // Tells the measurements still waiting or running which one is the newest, and whether the controller
    // lives; read from the background thread too.
    std::shared_ptr<std::atomic<int>> measurement_ = std::make_shared<std::atomic<int>>(0);
};

} // namespace keepgate

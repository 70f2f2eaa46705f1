#pragma once

#include <optional>
#include <string>
#include <vector>

#include "formats/UserRecord.h"
#include "ui/Controls.h"

namespace keepgate {

// The main controller: start-up, update check, web-server auto-configuration, the ReadMe action and the
// user list editor. Outlets are set by the window layout and not owned.
class Controller : public ui::TableDataSource {
public:
    ui::Window* mainWindow = nullptr;
    ui::TextField* passwordField = nullptr;
    ui::TextField* usernameField = nullptr;
    ui::TextField* userfileField = nullptr;
    ui::Button* adduserButton = nullptr;
    ui::Button* deleteuserButton = nullptr;
    ui::TableView* tableView = nullptr;
    // The users of the current user file; absent until a file has been chosen or created.
    std::optional<std::vector<UserRecord>> records;

    // Start-up sequence: first-run restore, configuration check and warning, quiet update check.
    void awakeFromNib();

    // Update check.
    void checkForUpdate();
    void checkForUpdateNow(int noDialog);

    // Answers to the configuration warning (1 = "Automatically configure").
    void setupConfigFileWithInclude(int returnCode);
    void setupConfigFileWithAllow(int returnCode);

    // User list editor.
    // Writes the list to the user file; false, after an alert, when that failed.
    bool saveData();
    void refreshUserfile();
    void addUser();
    void selectUserfile();
    void openEnd(int returnCode, const std::vector<std::string>& filenames);
    void newUserfile();
    void didEnd(int returnCode, const std::vector<std::string>& filenames);
    void deleteUser();
    void sheetDidEnd(int returnCode);

    void openReadMe();

    // The user table's data source.
    int numberOfRowsInTableView() override;
    Value objectValueForTableColumn(const std::string& column, int row) override;
};

} // namespace keepgate

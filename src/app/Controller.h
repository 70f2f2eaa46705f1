#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "formats/HashKind.h"
#include "formats/UserFile.h"
#include "formats/UserRecord.h"
#include "operations/UserStore.h"
#include "platform/FileSystem.h"
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
    // The current user file with its users; absent until a file has been chosen or created.
    std::optional<UserFile> records;

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
    // The selected user's password becomes the one in the password field.
    void changePassword();
    // Tells whether the password field holds the selected user's password.
    void checkPassword();
    // Puts a new random password into the password field and shows it once (showGeneratedPassword, or
    // an alert where the window sets none). The password is never stored: only its hash reaches the file.
    void generatePassword();
    std::function<void(const std::string& password)> showGeneratedPassword;

    // The list's filter: a case-blind part of the name, and "Show Weak" to list only the users whose
    // hash is weak. Absent outlets filter nothing.
    ui::TextField* filterField = nullptr;
    ui::Button* weakOnlyButton = nullptr;
    // How many users have each kind of hash, and the notice naming the weak ones.
    ui::TextField* hashHealthField = nullptr;
    // Narrows the list to the filter; the window calls it as the filter's text or Show Weak changes.
    void filterUsers();
    const hashes::Health& hashHealth() const { return health_; }

    void openReadMe();

    // Opens again the user file, group file and directory of the last run, those that still exist; the
    // other editors' openers are set by the window.
    void reopenLastFiles();
    std::function<void(const std::string& path)> reopenGroupfile;
    std::function<void(const std::string& path)> reopenDirectory;

    // The user table's data source.
    int numberOfRowsInTableView() override;
    Value objectValueForTableColumn(const std::string& column, int row) override;

private:
    // The configuration question of the start-up: asked when the server does not read protection where
    // the preferences keep it, showing the one change that would make it. `restored` tells that the
    // preferences are this start's defaults rather than the user's choice.
    void askToConfigureServer(bool restored);
    // The directory the start-up question offered to open to access files (the server's DocumentRoot).
    std::string startDirectory_;

    // One operation of the user store, applied to the file the store holds.
    using UserChange = std::function<operations::Outcome(operations::UserStore&)>;
    bool openUserfile(const std::string& path);
    // Runs the operation on the list as shown: a refusal is said, a question goes to `ask`, an outcome
    // that changes nothing goes to the status line, and a change is committed. True once written.
    bool applyUserChange(const UserChange& change, const std::string& meanwhile,
                         const std::function<void(const std::string& question)>& ask = {});
    // Writes the operation's change, applied again to the file as it is on disk now; `meanwhile` says why
    // when another program's change leaves it nothing to do.
    bool commitUserChange(operations::UserStore& store, const UserChange& change,
                          const std::string& meanwhile);
    // A store over the list as shown.
    operations::UserStore userStore() const;
    void changePasswordOf(const std::string& username, const std::string& password);
    std::optional<std::string> selectedUsername();
    void clearEntryFields();

    // Shows the list anew after the records changed: the filter applied again, the hash counts redone.
    void showUserList();
    // The file rows of the table's selected rows.
    std::vector<std::size_t> selectedFileRows() const;
    // The file rows the table shows, in file order; absent while no filter narrows the list.
    std::optional<std::vector<std::uint32_t>> shownRows_;
    // The filter the shown rows were chosen by (folded case), so that typing on only narrows them.
    std::string shownFilter_;
    bool shownWeakOnly_ = false;
    hashes::Health health_;

    // The file as last read or written, to tell when another program has changed it since.
    std::optional<platform::FileIdentity> userfileIdentity_;
    // Why the current file is only shown, never written; empty for a user file.
    std::string readOnlyReason_;
};

} // namespace keepgate

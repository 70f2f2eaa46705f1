#include <unordered_map>
#include <utility>

#include "app/Controller.h"
#include "formats/AddUser.h"
#include "formats/NameRules.h"
#include "formats/ReadFile.h"
#include "formats/WriteFile.h"
#include "platform/FileSystem.h"
#include "services/AdministratorWrite.h"
#include "platform/SystemPaths.h"
#include "ui/WindowSystem.h"

namespace keepgate {

namespace {

void showUserEditorError(ui::Window* parent, const std::string& message) {
    ui::windowSystem().beginAlertSheet({"Error!", message, "OK", ""}, parent, {});
}

// Makes the chosen file the current one and opens the fields for adding; false, after telling the user,
// when the file exists but cannot be read, since opening it as an empty list would let the next change
// overwrite its users.
bool takeUserfile(Controller& controller, const std::string& path) {
    if (const auto reason = platform::unreadableReason(path)) {
        showUserEditorError(controller.mainWindow,
                            "The user file \"" + path + "\" cannot be opened: " + *reason + ".");
        return false;
    }
    controller.userfileField->setStringValue(path);
    controller.usernameField->setEditable(true);
    controller.passwordField->setEditable(true);
    controller.adduserButton->setEnabled(true);
    return true;
}

} // namespace

bool Controller::saveData() {
    static const std::vector<UserRecord> none;
    const std::string path = userfileField->stringValue();
    const std::string text = WriteFile::userfileText(records ? *records : none);
    const auto result = platform::writeFileAtomically(path, text);
    if (!result) {
        offerAdministratorWrite(mainWindow, path, text,
                                "The user file \"" + path + "\" could not be written (" + result.error +
                                    "). The list keeps your change; the next successful save writes it.");
    }
    tableView->reloadData();
    return static_cast<bool>(result);
}

void Controller::refreshUserfile() {
    records = ReadFile::readUserfile(userfileField->stringValue());
    tableView->reloadData();
}

void Controller::addUser() {
    const std::string username = usernameField->stringValue();
    // A nameless user could never be named on a "Require user" line; refuse it as quietly as the group
    // editor.
    if (username.empty()) {
        return;
    }
    if (const auto problem = names::problem(username, names::kUsername)) {
        showUserEditorError(mainWindow,
                            "The user name \"" + username + "\" cannot be used: " + *problem +
                                ". A user name may not contain colons, blanks, tabs or line breaks.");
        return;
    }
    if (passwordField->stringValue().find('\0') != std::string::npos) {
        showUserEditorError(mainWindow,
                            "The password contains a NUL character, which htpasswd would silently "
                            "cut off there. The user \"" +
                                username + "\" was not added.");
        return;
    }
    auto record = AddUser::createRecord(username, passwordField->stringValue());
    if (!record) {
        showUserEditorError(mainWindow, "The password could not be hashed with \"" + systemPaths().htpasswd +
                                            "\". The user \"" + username + "\" was not added.");
        return;
    }
    if (!records) {
        records.emplace();
    }
    records->push_back(std::move(*record));
    usernameField->setStringValue("");
    passwordField->setStringValue("");
    usernameField->selectText();
    if (saveData()) {
        ui::windowSystem().showStatus("Added " + username);
    }
}

void Controller::selectUserfile() {
    ui::OpenPanelOptions options;
    options.directory = platform::homeDirectory();
    ui::windowSystem().beginOpenPanel(options, mainWindow,
                                      [this](int returnCode, const std::vector<std::string>& filenames) {
                                          openEnd(returnCode, filenames);
                                      });
}

void Controller::openEnd(int returnCode, const std::vector<std::string>& filenames) {
    if (returnCode != 1 || filenames.empty()) {
        return;
    }
    if (!takeUserfile(*this, filenames.front())) {
        return;
    }
    deleteuserButton->setEnabled(true);
    refreshUserfile();
    usernameField->selectText();
}

void Controller::newUserfile() {
    ui::SavePanelOptions options;
    options.directory = platform::homeDirectory();
    options.file = "users";
    // An existing file chosen here is opened with its users, not replaced, so there is nothing to confirm.
    options.confirmReplace = false;
    ui::windowSystem().beginSavePanel(
        options, mainWindow,
        [this](int returnCode, const std::vector<std::string>& filenames) { didEnd(returnCode, filenames); });
}

void Controller::didEnd(int returnCode, const std::vector<std::string>& filenames) {
    if (returnCode != 1 || filenames.empty()) {
        return;
    }
    if (!takeUserfile(*this, filenames.front())) {
        return;
    }
    refreshUserfile();
}

void Controller::deleteUser() {
    if (tableView->numberOfSelectedRows() == 0) {
        return;
    }
    ui::windowSystem().beginAlertSheet(
        {"Warning!", "Are you sure you want to delete the user?", "Delete", "Cancel"}, mainWindow,
        [this](int returnCode) { sheetDidEnd(returnCode); });
}

void Controller::sheetDidEnd(int returnCode) {
    if (returnCode != 1 || !records) {
        return;
    }
    // The chosen records by user name, so that sweeping a large list stays linear.
    std::unordered_multimap<std::string, UserRecord> chosen;
    std::string names;
    for (const int row : tableView->selectedRowIndexes()) {
        if (row >= 0 && row < static_cast<int>(records->size())) {
            const UserRecord& record = (*records)[static_cast<std::size_t>(row)];
            chosen.emplace(record.text("username"), record);
            names += (names.empty() ? "" : ", ") + record.text("username");
        }
    }
    if (chosen.empty()) {
        return;
    }
    // Every record equal in all keys to a chosen one goes, duplicates of it included.
    std::erase_if(*records, [&](const UserRecord& record) {
        const auto [first, last] = chosen.equal_range(record.text("username"));
        for (auto it = first; it != last; ++it) {
            if (it->second == record) {
                return true;
            }
        }
        return false;
    });
    tableView->reloadData();
    if (saveData()) {
        ui::windowSystem().showStatus("Deleted " + names);
    }
}

} // namespace keepgate

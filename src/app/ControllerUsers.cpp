#include <chrono>
#include <unordered_set>
#include <utility>

#include "app/AdministratorWrite.h"
#include "app/Controller.h"
#include "formats/HashKind.h"
#include "formats/NameRules.h"
#include "platform/FileSystem.h"
#include "platform/History.h"
#include "platform/Messages.h"
#include "platform/RecentFiles.h"
#include "platform/SystemPaths.h"
#include "services/PasswordGenerator.h"
#include "ui/WindowSystem.h"

namespace keepgate {

namespace {

void showUserEditorError(ui::Window* parent, const std::string& message) {
    ui::windowSystem().beginAlertSheet({"Error!", message, "OK", ""}, parent, {});
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// What another program wrote into a file this editor had just replaced (`wrote`, made from `from`), made again
// on the file as it is now: the users it added that are still absent, and the passwords it changed where the
// file still holds the line it changed. Whatever anyone changed since stays. True when `now` changed.
bool carryOver(UserFile& now, const UserFile& from, const UserFile& wrote) {
    std::unordered_set<std::string> before;
    for (std::size_t row = 0; row < from.size(); ++row) {
        before.insert(std::string(from.name(row)).append(":").append(from.hash(row)));
    }
    bool changed = false;
    for (std::size_t row = 0; row < wrote.size(); ++row) {
        const std::string_view name = wrote.name(row);
        const std::string_view hash = wrote.hash(row);
        if (before.contains(std::string(name).append(":").append(hash))) {
            continue;
        }
        if (const auto at = now.find(name)) {
            if (now.hash(*at) != hash && before.contains(std::string(name).append(":").append(now.hash(*at)))) {
                now.replaceHash(*at, hash);
                changed = true;
            }
        } else if (!from.find(name)) {
            now.append(name, hash);
            changed = true;
        }
    }
    return changed;
}

} // namespace

// Reads the file and makes it the current one; false, after telling the user, when it exists but cannot be
// read, since opening it as an empty list would let the next change overwrite its users. A file that is not
// a user file is shown but never written.
bool Controller::openUserfile(const std::string& path) {
    auto read = platform::readSettledFile(path, UserFile::kSizeLimit);
    if (!read.ok && !read.missing) {
        showUserEditorError(mainWindow,
                            text::fill(QT_TRANSLATE_NOOP("Messages", "The user file \"%1\" cannot be opened: %2."),
                                       path, read.error));
        return false;
    }
    userfileField->setStringValue(path);
    usernameField->setEditable(true);
    passwordField->setEditable(true);
    records.emplace(std::move(read.bytes));
    userfileIdentity_ = read.ok ? std::optional(read.identity) : std::nullopt;
    readOnlyReason_ = records->kind() == UserFile::Kind::Users ? "" : records->kindProblem();
    adduserButton->setEnabled(readOnlyReason_.empty());
    showUserList();
    if (!readOnlyReason_.empty()) {
        showUserEditorError(mainWindow, text::fill(QT_TRANSLATE_NOOP("Messages", "The file \"%1\" is opened "
                                                                                  "read-only: %2. Keepgate will "
                                                                                  "not write to it."),
                                                   path, readOnlyReason_));
    }
    return true;
}

bool Controller::saveData() {
    const std::string path = userfileField->stringValue();
    if (!readOnlyReason_.empty()) {
        showUserEditorError(mainWindow,
                            text::fill(QT_TRANSLATE_NOOP("Messages", "The file \"%1\" is read-only here: %2."),
                                       path, readOnlyReason_));
        return false;
    }
    static const UserFile none;
    const auto result = platform::writeFileAtomically(path, (records ? *records : none).bytes());
    if (!result) {
        offerAdministratorWrite(mainWindow, path, (records ? *records : none).bytes(),
                                text::fill(QT_TRANSLATE_NOOP("Messages", "The user file \"%1\" could not be "
                                                                         "written (%2). The list keeps your "
                                                                         "change; the next successful save "
                                                                         "writes it."),
                                           path, result.error));
    } else {
        userfileIdentity_ = platform::identityOf(path);
    }
    showUserList();
    return static_cast<bool>(result);
}

void Controller::refreshUserfile() {
    const std::string path = userfileField->stringValue();
    auto read = platform::readSettledFile(path, UserFile::kSizeLimit);
    records.emplace(read.ok ? std::move(read.bytes) : std::string());
    userfileIdentity_ = read.ok ? std::optional(read.identity) : std::nullopt;
    readOnlyReason_ = read.ok || read.missing ? "" : read.error;
    if (readOnlyReason_.empty() && records->kind() != UserFile::Kind::Users) {
        readOnlyReason_ = records->kindProblem();
    }
    showUserList();
}

operations::UserStore Controller::userStore() const {
    operations::UserStore store(userfileField->stringValue());
    store.load(records ? *records : UserFile(), userfileIdentity_.has_value());
    return store;
}

bool Controller::applyUserChange(const UserChange& change, const std::string& meanwhile,
                                 const std::function<void(const std::string& question)>& ask) {
    if (!records) {
        records.emplace();
    }
    if (!readOnlyReason_.empty()) {
        showUserEditorError(mainWindow, text::fill(QT_TRANSLATE_NOOP("Messages", "The file \"%1\" is read-only "
                                                                                  "here: %2. Nothing was changed."),
                                                   userfileField->stringValue(), readOnlyReason_));
        return false;
    }
    auto store = userStore();
    const operations::Outcome outcome = change(store);
    if (outcome.question) {
        if (ask) {
            ask(outcome.question->text);
        }
        return false;
    }
    if (!outcome.ok()) {
        showUserEditorError(mainWindow, outcome.message);
        return false;
    }
    if (outcome.changes.empty() || !outcome.changes.front().changes()) {
        ui::windowSystem().showStatus(outcome.message);
        return false;
    }
    if (!commitUserChange(store, change, meanwhile)) {
        return false;
    }
    ui::windowSystem().showStatus(outcome.message);
    return true;
}

// Applies one change to the file as it is on disk now: when another program has written it since it was read,
// the list is read anew and the change applied to what that program left, so neither change is lost. The
// file is replaced only while it is still the one the change was applied to; a program that rewrites it in
// place (htpasswd does) meanwhile has its text read again and the change applied to that instead.
bool Controller::commitUserChange(operations::UserStore& store, const UserChange& change,
                                  const std::string& meanwhile) {
    const std::string path = userfileField->stringValue();
    if (!records) {
        records.emplace();
    }
    // The identity tells cheaply that nothing happened; when it differs, the bytes decide (a mere touch
    // changes nothing).
    bool mustRead = platform::identityOf(path) != userfileIdentity_;
    std::optional<std::string> displaced;
    // Each text another program wrote into a replaced file, with the text it was made from: a program that
    // then rewrites the file this editor wrote builds on a text without it, so it is made again there.
    std::vector<std::pair<UserFile, UserFile>> carried;
    // Each round loses only to a program that wrote in the moment between its read and its rename; a program
    // that keeps writing for longer than this is given the file.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < giveUp) {
        const bool onDisplaced = displaced.has_value();
        if (displaced) {
            records.emplace(std::move(*displaced));
            displaced.reset();
        } else if (mustRead) {
            auto read = platform::readSettledFile(path, UserFile::kSizeLimit, &records->bytes());
            if (!read.ok && (userfileIdentity_ || !read.missing)) {
                showUserEditorError(
                    mainWindow,
                    text::fill(QT_TRANSLATE_NOOP("Messages", "The user file \"%1\" was changed by another "
                                                             "program: %2. Your change was not written; open "
                                                             "the file again."),
                               path,
                               read.missing ? std::string(QT_TRANSLATE_NOOP("Messages", "it is gone"))
                                            : read.error));
                return false;
            }
            if (read.ok && read.bytes != records->bytes()) {
                records.emplace(std::move(read.bytes));
            }
            userfileIdentity_ = read.ok ? std::optional(read.identity) : std::nullopt;
        }
        bool merged = false;
        if (!carried.empty() && records->kind() == UserFile::Kind::Users) {
            UserFile text = *records;
            for (const auto& [from, wrote] : carried) {
                merged = carryOver(text, from, wrote) || merged;
            }
            if (merged) {
                records.emplace(std::move(text));
            }
        }
        mustRead = false;
        if (records->kind() != UserFile::Kind::Users) {
            readOnlyReason_ = records->kindProblem();
            adduserButton->setEnabled(false);
            showUserList();
            showUserEditorError(mainWindow,
                                text::fill(QT_TRANSLATE_NOOP("Messages", "The file \"%1\" was changed by "
                                                                         "another program and is now read-only "
                                                                         "here: %2. Your change was not "
                                                                         "written."),
                                           path, readOnlyReason_));
            return false;
        }
        if (!readOnlyReason_.empty()) {
            showUserEditorError(mainWindow,
                                text::fill(QT_TRANSLATE_NOOP("Messages", "The file \"%1\" is read-only here: %2."),
                                           path, readOnlyReason_));
            return false;
        }
        const auto base = records->sharedBytes();
        // The same store makes the change again, so a hash already made is not made twice.
        store.load(*records, userfileIdentity_.has_value());
        const operations::Outcome outcome = change(store);
        const bool applies = outcome.ok() && !outcome.changes.empty() && outcome.changes.front().changes();
        // What another program wrote may hold the change already (this editor's own earlier write, read back
        // by a program that rewrote the file meanwhile): then it is done, with nothing more to apply.
        const bool satisfied = outcome.ok() && !applies;
        std::optional<std::string> problem;
        // The operation was accepted on the list as shown, so only another program's change stops it now.
        if (!applies && !satisfied) {
            problem = meanwhile;
        } else if (applies) {
            records.emplace(store.file());
        }
        if (satisfied && !onDisplaced && !merged) {
            showUserList();
            return true;
        }
        if (problem && !onDisplaced && !merged) {
            showUserList();
            showUserEditorError(mainWindow, *problem);
            return false;
        }
        // The other program's text replaces this editor's earlier write even when the change no longer
        // applies to it, so that its users are not lost with the file it wrote into.
        const auto write =
            platform::writeFileIfUnchanged(path, records->bytes(), userfileIdentity_, base.get());
        if (write.result) {
            userfileIdentity_ = write.written;
            if (write.moved) {
                displaced = write.displaced;
                if (displaced) {
                    carried.emplace_back(UserFile(*base), UserFile(*displaced));
                }
                mustRead = !displaced;
                continue;
            }
            showUserList();
            if (problem) {
                showUserEditorError(mainWindow, *problem);
                return false;
            }
            return true;
        }
        if (write.moved) {
            mustRead = true;
            continue;
        }
        offerAdministratorWrite(mainWindow, path, records->bytes(),
                                text::fill(QT_TRANSLATE_NOOP("Messages", "The user file \"%1\" could not be "
                                                                         "written (%2). The list keeps your "
                                                                         "change; the next successful save "
                                                                         "writes it."),
                                           path, write.result.error));
        showUserList();
        return false;
    }
    refreshUserfile();
    showUserEditorError(mainWindow, text::fill(QT_TRANSLATE_NOOP("Messages", "The user file \"%1\" kept being "
                                                                              "changed by another program while "
                                                                              "Keepgate saved it. Your change was "
                                                                              "not written; try again."),
                                               path));
    return false;
}

void Controller::addUser() {
    const std::string username = usernameField->stringValue();
    // A nameless user could never be named on a "Require user" line; refuse it as quietly as the group
    // editor.
    if (username.empty()) {
        return;
    }
    const std::string password = passwordField->stringValue();
    // The field is named, since the store's refusal cannot know where the password was typed.
    if (password.empty() && !names::problem(username, names::kUsername)) {
        showUserEditorError(mainWindow, text::fill(QT_TRANSLATE_NOOP("Messages", "The Password field is empty. "
                                                                                  "The user \"%1\" was not "
                                                                                  "added: without a password "
                                                                                  "anyone who knows the name "
                                                                                  "would be let in."),
                                                   username));
        return;
    }
    const platform::HistoryAction action(text::fill(QT_TRANSLATE_NOOP("Messages", "Added %1"), username));
    const auto options = hashes::preferredToolOptions();
    const bool added = applyUserChange(
        [&](operations::UserStore& store) { return store.add(username, password, options, false); },
        text::fill(QT_TRANSLATE_NOOP("Messages", "The user \"%1\" was added to the file by another program "
                                                 "meanwhile; its password stays as that program set it."),
                   username),
        [this, username, password](const std::string& question) {
            // The web server reads only the first line of a name, so a second line would never take effect.
            ui::windowSystem().beginAlertSheet(
                {text::fill(QT_TRANSLATE_NOOP("Messages", "Change the password of %1?"), username), question,
                 QT_TRANSLATE_NOOP("Messages", "Change Password"), "Cancel"},
                mainWindow, [this, username, password](int returnCode) {
                    if (returnCode == 1) {
                        changePasswordOf(username, password);
                    }
                });
        });
    if (added) {
        clearEntryFields();
    }
}

void Controller::clearEntryFields() {
    usernameField->setStringValue("");
    passwordField->setStringValue("");
    usernameField->selectText();
}

void Controller::changePasswordOf(const std::string& username, const std::string& password) {
    const platform::HistoryAction action(
        text::fill(QT_TRANSLATE_NOOP("Messages", "Changed the password of %1"), username));
    const auto options = hashes::preferredToolOptions();
    const bool changed = applyUserChange(
        [&](operations::UserStore& store) { return store.passwd(username, password, options); },
        text::fill(QT_TRANSLATE_NOOP("Messages", "The user \"%1\" is no longer in the file: another program removed "
                                                 "it. The password was not changed."),
                   username));
    if (changed) {
        clearEntryFields();
    }
}

std::optional<std::string> Controller::selectedUsername() {
    const auto rows = selectedFileRows();
    if (rows.size() != 1 || tableView->numberOfSelectedRows() != 1) {
        showUserEditorError(mainWindow, QT_TRANSLATE_NOOP("Messages", "Select one user in the list first."));
        return std::nullopt;
    }
    return std::string(records->name(rows.front()));
}

void Controller::changePassword() {
    const auto username = selectedUsername();
    if (!username) {
        return;
    }
    if (passwordField->stringValue().empty()) {
        showUserEditorError(mainWindow, text::fill(QT_TRANSLATE_NOOP("Messages", "The Password field is empty. "
                                                                                  "The password of \"%1\" was "
                                                                                  "not changed: without a "
                                                                                  "password anyone who knows the "
                                                                                  "name would be let in."),
                                                   *username));
        return;
    }
    changePasswordOf(*username, passwordField->stringValue());
}

void Controller::checkPassword() {
    const auto username = selectedUsername();
    if (!username) {
        return;
    }
    std::optional<bool> matches;
    const auto outcome = userStore().verify(*username, passwordField->stringValue(), &matches);
    if (!matches) {
        showUserEditorError(mainWindow, outcome.message);
        return;
    }
    ui::windowSystem().beginAlertSheet({QT_TRANSLATE_NOOP("Messages", "Check Password"), outcome.message, "OK", ""},
                                       mainWindow, {});
}

void Controller::generatePassword() {
    const auto password = PasswordGenerator::generate();
    if (!password) {
        showUserEditorError(mainWindow,
                            QT_TRANSLATE_NOOP("Messages", "No password was generated: the system gave no random bytes."));
        return;
    }
    passwordField->setStringValue(*password);
    if (showGeneratedPassword) {
        showGeneratedPassword(*password);
        return;
    }
    ui::windowSystem().beginAlertSheet(
        {QT_TRANSLATE_NOOP("Messages", "Generated Password"),
         text::fill(QT_TRANSLATE_NOOP("Messages", "The password field now holds this password; it is shown only "
                                                  "now:\n\n%1"),
                    *password),
         "OK", ""},
        mainWindow, {});
}

void Controller::selectUserfile() {
    ui::OpenPanelOptions options;
    options.title = QT_TRANSLATE_NOOP("Messages", "Choose the user file");
    const auto place = recent::startingPlace(recent::kUserfileKey, platform::homeDirectory());
    options.directory = place.folder;
    options.file = place.name;
    ui::windowSystem().beginOpenPanel(options, mainWindow,
                                      [this](int returnCode, const std::vector<std::string>& filenames) {
                                          openEnd(returnCode, filenames);
                                      });
}

void Controller::openEnd(int returnCode, const std::vector<std::string>& filenames) {
    if (returnCode != 1 || filenames.empty()) {
        return;
    }
    if (!openUserfile(filenames.front())) {
        return;
    }
    recent::remember(recent::kUserfileKey, filenames.front());
    deleteuserButton->setEnabled(readOnlyReason_.empty());
    usernameField->selectText();
}

void Controller::newUserfile() {
    ui::SavePanelOptions options;
    options.title = QT_TRANSLATE_NOOP("Messages", "New user file");
    options.directory = recent::startingPlace(recent::kUserfileKey, platform::homeDirectory()).folder;
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
    if (!openUserfile(filenames.front())) {
        return;
    }
    recent::remember(recent::kUserfileKey, filenames.front());
    // The list may hold users read from an existing file, and the ones added next must be deletable.
    deleteuserButton->setEnabled(readOnlyReason_.empty());
}

void Controller::deleteUser() {
    if (tableView->numberOfSelectedRows() == 0) {
        return;
    }
    // The question names whom it deletes, so a wrong selection is caught before it is too late.
    std::vector<std::string> names;
    for (const std::size_t row : selectedFileRows()) {
        names.push_back(quoted(std::string(records->name(row))));
    }
    std::string question = QT_TRANSLATE_NOOP("Messages", "Are you sure you want to delete the user?");
    if (names.size() == 1) {
        question = text::fill(QT_TRANSLATE_NOOP("Messages", "Are you sure you want to delete the user %1?"),
                              names.front());
    } else if (names.size() > 5) {
        question = text::fill(
            QT_TRANSLATE_NOOP("Messages", "Are you sure you want to delete the %1 selected users?"), names.size());
    } else if (names.size() > 1) {
        std::string list = names.front();
        for (std::size_t i = 1; i + 1 < names.size(); ++i) {
            list += ", " + names[i];
        }
        question = text::fill(QT_TRANSLATE_NOOP("Messages", "Are you sure you want to delete the %1 users %2?"),
                              names.size(),
                              text::fill(QT_TRANSLATE_NOOP("Messages", "%1 and %2"), list, names.back()));
    }
    ui::windowSystem().beginAlertSheet({"Warning!", question, QT_TRANSLATE_NOOP("Messages", "Delete"), "Cancel",
                                        true},
                                       mainWindow,
                                       [this](int returnCode) { sheetDidEnd(returnCode); });
}

void Controller::sheetDidEnd(int returnCode) {
    if (returnCode != 1 || !records) {
        return;
    }
    if (!readOnlyReason_.empty()) {
        showUserEditorError(mainWindow,
                            text::fill(QT_TRANSLATE_NOOP("Messages", "No user was deleted: the file is "
                                                                     "read-only here (%1)."),
                                       readOnlyReason_));
        return;
    }
    // The chosen users as name and hash, so that they are found again in a file another program changed.
    std::unordered_set<std::string> chosen;
    std::string names;
    for (const std::size_t index : selectedFileRows()) {
        chosen.insert(std::string(records->name(index)) + ':' + std::string(records->hash(index)));
        names += (names.empty() ? "" : ", ") + std::string(records->name(index));
    }
    if (chosen.empty()) {
        return;
    }
    const platform::HistoryAction action(text::fill(QT_TRANSLATE_NOOP("Messages", "Deleted %1"), names));
    applyUserChange([&](operations::UserStore& store) { return store.removeLines(chosen, names); },
                    QT_TRANSLATE_NOOP("Messages", "The chosen users are no longer in the file: another program "
                                                  "removed or changed them meanwhile."));
}

} // namespace keepgate

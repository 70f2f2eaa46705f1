#include "directory/Directory.h"

#include <algorithm>

#include <stdexcept>
#include <unordered_set>

#include "directory/DirectoryAccess.h"
#include "directory/DirectoryGroups.h"
#include "formats/HashKind.h"
#include "formats/ReadFile.h"
#include "formats/ReadHtaccess.h"
#include "formats/TextLines.h"
#include "formats/Validator.h"
#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/FileSystem.h"
#include "platform/History.h"
#include "platform/RecentFiles.h"
#include "app/AdministratorWrite.h"
#include "app/ServerActions.h"
#include "operations/FileChanges.h"
#include "operations/ProtectionEditor.h"
#include "services/ServerProfile.h"
#include "ui/WindowSystem.h"

namespace keepgate {

namespace {

constexpr const char* kNotFound = "(Not found. Select another...)";

std::string accessFilename(const DefaultsStore& defaults) {
    return defaults.stringForKey(constants::kDefaultAccessFilenameKey)
        .value_or(constants::kDefaultAccessFilename);
}

std::string configFilePath(const DefaultsStore& defaults) {
    return defaults.stringForKey(constants::kConfigFilePathKey).value_or(constants::kDefaultConfigFilePath);
}

using text::trimmed;

// The path as the block names it: trimmed, and without the one pair of double quotes that a path holding
// blanks is written in.
std::string unquotedPath(const std::string& value) {
    std::string path = trimmed(value);
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
        path = path.substr(1, path.size() - 2);
    }
    return path;
}

// The pieces between single blanks. A piece loses one trailing carriage return, since a block saved with
// DOS line ends would otherwise name its last user, group or host with it and drop it on the next save.
std::vector<std::string> splitAtBlanks(const std::string& text) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const auto blank = text.find(' ', start);
        std::string piece =
            text.substr(start, blank == std::string::npos ? std::string::npos : blank - start);
        if (!piece.empty() && piece.back() == '\r') {
            piece.pop_back();
        }
        pieces.push_back(std::move(piece));
        if (blank == std::string::npos) {
            return pieces;
        }
        start = blank + 1;
    }
}

std::string sectionUnusableMessage(const std::string& directory, const std::string& problem) {
    return "The directory \"" + directory +
           "\" cannot be protected in the shared configuration file: its path cannot stand in the section "
           "header, because " +
           problem + ".";
}

// The one editor of a directory's protection, over the places the preferences name now.
operations::ProtectionEditor editorFor(const std::string& directory) {
    const DefaultsStore& defaults = standardUserDefaults();
    return operations::ProtectionEditor(directory, {accessFilename(defaults), configFilePath(defaults)});
}

operations::Place placeFor(bool accessFile) {
    return accessFile ? operations::Place::AccessFile : operations::Place::SharedFile;
}

// Whether a loaded place holds a block that fills a field.
bool protectsIn(const operations::LoadedProtection& loaded) {
    return loaded.block && !loaded.lines.directives.empty();
}

// The kind HashKind gives a hash stored as it was typed.
constexpr const char* kPlainText = "plain text (weak)";

// Where a directory's protection lives, in words: the access file, or the shared file's section.
std::string placeName(const DefaultsStore& defaults, const std::string& directory, bool accessFile) {
    return accessFile ? "the " + accessFilename(defaults) + " file in " + directory
                      : "the section for it in " + configFilePath(defaults);
}

} // namespace

bool Directory::editsAccessFile() const {
    return editingAccessFile_.value_or(isAccessFileMode(standardUserDefaults()));
}

void Directory::showError(const std::string& message) {
    ui::windowSystem().beginAlertSheet({"Error!", message, "OK", ""}, mainWindow, {});
}

void Directory::reportWritten(const std::string& directory, const std::string& status) {
    ui::windowSystem().showStatus(status);
    if (protectionWritten) {
        protectionWritten(directory, status);
    }
}

void Directory::awakeFromNib() {
    buttonCell(true);
}

void Directory::selectDirectory() {
    ui::OpenPanelOptions options;
    options.canChooseFiles = false;
    options.canChooseDirectories = true;
    options.allowsMultipleSelection = false;
    options.title = "Choose the directory to protect";
    const auto place = recent::startingPlace(recent::kDirectoryKey, recent::directoryChooserFallback());
    options.directory = place.folder;
    options.file = place.name;
    ui::windowSystem().beginOpenPanel(options, mainWindow, [this](int returnCode, const auto& filenames) {
        doOpenDirectoryPanel(returnCode, filenames);
    });
}

void Directory::doOpenDirectoryPanel(int returnCode, const std::vector<std::string>& filenames) {
    if (returnCode != 1 || filenames.empty()) {
        return;
    }
    const std::string directory = filenames.front();
    recent::remember(recent::kDirectoryKey, directory);
    const DefaultsStore& defaults = standardUserDefaults();
    // Both places are looked in, so protection kept where the preferences do not point is never hidden.
    const bool preferAccessFile = isAccessFileMode(defaults);
    const auto sectionProblem = Validator::directoryPath(directory);
    const auto editor = editorFor(directory);
    operations::LoadedProtection inAccessFile;
    operations::LoadedProtection inSection;
    std::string unread;
    for (const auto& [place, loaded] : {std::pair{operations::Place::AccessFile, &inAccessFile},
                                        std::pair{operations::Place::SharedFile, &inSection}}) {
        if (place == operations::Place::SharedFile && sectionProblem) {
            continue;
        }
        // A place that cannot be read shows no protection, and says so rather than pass for unprotected.
        if (const auto read = editor.load(place, loaded); !read.ok()) {
            *loaded = {};
            unread += (unread.empty() ? "" : " ") + read.message;
        }
    }
    const auto& preferred = preferAccessFile ? inAccessFile : inSection;
    const auto& other = preferAccessFile ? inSection : inAccessFile;
    const bool elsewhere = !protectsIn(preferred) && protectsIn(other);
    if (!preferAccessFile && sectionProblem && !elsewhere) {
        showError(sectionUnusableMessage(directory, *sectionProblem));
        return;
    }
    // Protection found is edited where it lies, whatever the preference says later; without any, the
    // preference at the time of saving decides.
    editingAccessFile_ = elsewhere               ? std::optional<bool>(!preferAccessFile)
                         : protectsIn(preferred) ? std::optional<bool>(preferAccessFile)
                                                 : std::nullopt;
    const auto& chosen = elsewhere ? other : preferred;
    parseFile(chosen.info);
    const auto& block = chosen.block;
    directoryField->setStringValue(directory);
    showKept(block);
    if (directoryLoaded) {
        directoryLoaded(directory);
    }
    if (elsewhere) {
        offerToMove(directory);
    } else if (!unread.empty()) {
        ui::windowSystem().showStatus(unread + " Its protection, if any, is not shown.");
    } else if (protectsIn(preferred) && protectsIn(other)) {
        ui::windowSystem().showStatus(
            "This directory is also protected in " + placeName(defaults, directory, !preferAccessFile) +
            "; Keepgate edits " + placeName(defaults, directory, preferAccessFile) + ".");
    }
    if (serverFindingsLater) {
        serverFindingsLater([](const std::vector<std::string>& found) {
            if (!found.empty()) {
                ui::windowSystem().showStatus(
                    "Server check: " + found.front() +
                    (found.size() > 1
                         ? " (Check Server lists all " + std::to_string(found.size()) + " findings.)"
                         : ""));
            }
        });
    }
}

BlockLines Directory::divided(const std::string& block) const {
    // The names are gathered once, when the first Require line asks, so that a block naming ten thousand
    // users against a file of a hundred thousand costs two passes, not a search per name.
    std::optional<std::unordered_set<std::string>> userNames;
    std::optional<std::unordered_set<std::string>> groupNames;
    const auto knownUser = [&](const std::string& name) {
        if (!userNames) {
            userNames.emplace(records.size());
            for (const auto& record : records) {
                userNames->insert(record.text("username"));
            }
        }
        return userNames->contains(name);
    };
    const auto knownGroup = [&](const std::string& name) {
        if (!groupNames) {
            groupNames.emplace();
            if (const auto& groupRecords = DirectoryGroups::getGroupRecords()) {
                for (const auto& record : *groupRecords) {
                    groupNames->insert(record.text("groupname"));
                }
            }
        }
        return groupNames->contains(name);
    };
    return BlockText::divide(block, knownUser, knownGroup);
}

void Directory::showKept(const std::optional<std::string>& block) {
    if (!keptField) {
        return;
    }
    const BlockLines lines = divided(block.value_or(""));
    std::string listed;
    const auto list = [&](const std::vector<std::string>& kept, const std::string& note) {
        for (const auto& line : kept) {
            if (line.find_first_not_of(" \t\r") != std::string::npos) {
                listed += "\n" + (line.back() == '\r' ? line.substr(0, line.size() - 1) : line) + note;
            }
        }
    };
    list(lines.keptAccess, "   (controls access: saving asks before replacing it)");
    list(lines.keptOther, "");
    keptField->setStringValue(listed.empty() ? "" : "Kept as written:" + listed);
}

void Directory::parseFile(const std::optional<ProtectionInfo>& info) {
    const ProtectionInfo block = info.value_or(ProtectionInfo());
    const auto showPath = [&](const std::string& key, ui::TextField* field) {
        if (!block.has(key)) {
            field->setStringValue("");
            return;
        }
        const std::string path = unquotedPath(block.text(key));
        field->setStringValue(platform::fileExists(path) ? path : kNotFound);
    };
    showPath("groupfile", groupfileField);
    showPath("userfile", userfileField);
    // A realm read from a line with a DOS line end would otherwise carry the carriage return into the
    // next save, where it cannot stand.
    std::string realm = block.text("authname");
    if (!realm.empty() && realm.back() == '\r') {
        realm.pop_back();
    }
    authnameField->setStringValue(realm);
    if (block.has("orderallow")) {
        orderAllowRB->setState(1);
        orderDenyRB->setState(0);
    } else {
        orderDenyRB->setState(1);
        orderAllowRB->setState(0);
    }
    denyAllOthersCB->setState(block.has("denyall") ? 1 : 0);
    if (hostAndRB && hostOrRB) {
        hostOrRB->setState(block.has("satisfyany") ? 1 : 0);
        hostAndRB->setState(block.has("satisfyany") ? 0 : 1);
    }
    writesApache24 = block.has("apache22")   ? false
                     : block.has("apache24") ? true
                                             : speaksApache24(systemPaths().serverVersion);
    users.clear();
    groups.clear();
    deny.clear();
    allow.clear();
    const auto fill = [&](const std::string& key, std::vector<std::string>& list) {
        if (block.has(key)) {
            list = splitAtBlanks(block.text(key));
        }
    };
    fill("users", users);
    fill("groups", groups);
    fill("allow", allow);
    fill("deny", deny);
    allusersCB->setState(block.has("valid-user") ? 1 : 0);
    enableEdit();
}

void Directory::enableEdit() {
    removeProtectionButton->setEnabled(true);
    reloadUserfile();
    reloadGroupfile();
    reloadAccessfile();
    authnameField->setEditable(true);
    for (ui::Button* button : {selectUserfileButton, selectGroupfileButton, saveProtectionButton,
                               denyAllOthersCB, orderDenyRB, orderAllowRB, addAccessBT, removeAccessBT}) {
        button->setEnabled(true);
    }
    buttonCell(allusersCB->state() != 1);
    allusersCB->setEnabled(true);
    for (ui::Button* button : {hostAndRB, hostOrRB}) {
        if (button) {
            button->setEnabled(true);
        }
    }
    if (useApache24BT) {
        useApache24BT->setEnabled(!writesApache24);
    }
}

void Directory::reloadUserfile() {
    records = ReadFile::readUserfile(userfileField->stringValue(), users);
    userfileView->reloadData();
    subTabs->selectFirstTabViewItem();
    findPlainTextUsers();
    updatePlainTextWarning();
}

void Directory::findPlainTextUsers() {
    plainTextUsers_.clear();
    // Only the first line of a name counts, as the server reads only that one.
    std::unordered_set<std::string> seen;
    for (const auto& record : records) {
        std::string name = record.text("username");
        if (seen.insert(name).second && hashes::kindOf(record.text("password")) == kPlainText) {
            plainTextUsers_.push_back(std::move(name));
        }
    }
}

void Directory::updatePlainTextWarning() {
    if (!plainTextField) {
        return;
    }
    // Who may enter: every user of the file for valid-user, else the marked users and the members of the
    // marked groups; only the few users with plain-text passwords are looked up among them.
    const bool everyone = allusersCB && allusersCB->state() == 1;
    std::unordered_set<std::string> admitted;
    if (!everyone && !plainTextUsers_.empty()) {
        for (const auto& record : records) {
            if (isMarked(record.value("check"))) {
                admitted.insert(record.text("username"));
            }
        }
        std::unordered_set<std::string> marked;
        const std::string groupfile = groupfileField->stringValue();
        if (const auto& groupRecords = DirectoryGroups::getGroupRecords();
            groupRecords && !groupfile.empty()) {
            for (const auto& record : *groupRecords) {
                if (isMarked(record.value("check"))) {
                    marked.insert(record.text("groupname"));
                }
            }
        }
        if (!marked.empty()) {
            for (const auto& line : ReadFile::readGroupTree(groupfile)) {
                if (marked.contains(line.title)) {
                    admitted.insert(line.members.begin(), line.members.end());
                }
            }
        }
    }
    std::vector<std::string> plain;
    for (const auto& name : plainTextUsers_) {
        if (everyone || admitted.contains(name)) {
            plain.push_back(name);
        }
    }
    if (plain.empty()) {
        plainTextField->setStringValue("");
        return;
    }
    constexpr std::size_t kNamed = 10;
    std::string names;
    for (std::size_t i = 0; i < plain.size() && i < kNamed; ++i) {
        names += (i == 0 ? "" : ", ") + plain[i];
    }
    if (plain.size() > kNamed) {
        names += " and " + std::to_string(plain.size() - kNamed) + " more";
    }
    plainTextField->setStringValue(plain.size() == 1
                                       ? "1 user who may enter has a password stored as plain text: " + names +
                                             ". Change the password in the Users tab."
                                       : std::to_string(plain.size()) +
                                             " users who may enter have a password stored as plain text: " +
                                             names + ". Change their passwords in the Users tab.");
}

std::string Directory::blockFilePath() const {
    const std::string directory = directoryField ? directoryField->stringValue() : "";
    if (directory.empty()) {
        return "";
    }
    const DefaultsStore& defaults = standardUserDefaults();
    return isAccessFileMode(defaults) ? platform::joinPath(directory, accessFilename(defaults))
                                      : configFilePath(defaults);
}

void Directory::fileChanged(const std::string& path) {
    if (directoryField->stringValue().empty() || path.empty()) {
        return;
    }
    if (path == userfileField->stringValue()) {
        // The names marked now, and those the block names that the file lacked, stay marked.
        std::vector<std::string> marked;
        for (const auto& name : users) {
            const bool shown = std::any_of(records.begin(), records.end(), [&](const UserRecord& record) {
                return record.text("username") == name;
            });
            if (!shown) {
                marked.push_back(name);
            }
        }
        for (const auto& record : records) {
            if (isMarked(record.value("check"))) {
                marked.push_back(record.text("username"));
            }
        }
        users = marked;
        records = ReadFile::readUserfile(userfileField->stringValue(), users);
        userfileView->reloadData();
        findPlainTextUsers();
        updatePlainTextWarning();
    }
    if (path == groupfileField->stringValue()) {
        std::vector<std::string> marked;
        const auto& shown = DirectoryGroups::getGroupRecords();
        for (const auto& name : groups) {
            const bool listed =
                shown && std::any_of(shown->begin(), shown->end(), [&](const GroupRecord& record) {
                    return record.text("groupname") == name;
                });
            if (!listed) {
                marked.push_back(name);
            }
        }
        if (shown) {
            for (const auto& record : *shown) {
                if (isMarked(record.value("check"))) {
                    marked.push_back(record.text("groupname"));
                }
            }
        }
        groups = marked;
        reloadGroupfile();
    }
    if (path == blockFilePath()) {
        ui::windowSystem().showStatus(path + " was changed by another program. Choose the directory again to "
                                             "see its protection; saving applies what is shown here.");
    }
}

void Directory::reloadGroupfile() {
    DirectoryGroups::readGroupfile(groupfileField->stringValue(), groups);
    updatePlainTextWarning();
}

void Directory::reloadAccessfile() {
    DirectoryAccess::readAccess(allow, deny);
}

void Directory::buttonCell(bool enabled) {
    auto cell = std::make_shared<ui::CheckBoxCell>();
    cell->enabled = enabled;
    cell->state = 1;
    cell->action = [this](ui::TableView& sender) { checkcell(sender); };
    activeButtonCell = cell;
    if (userfileView) {
        userfileView->setCheckBoxCell("check", cell);
    }
}

void Directory::checkcell(ui::TableView& sender) {
    // The table has already stored the row's new state through setObjectValue; all that is left is to
    // leave no row highlighted after the click.
    (void)sender;
    userfileView->deselectAll();
}

void Directory::checkAllusers() {
    buttonCell(allusersCB->state() != 1);
    updatePlainTextWarning();
}

int Directory::numberOfRowsInTableView() {
    return static_cast<int>(records.size());
}

Value Directory::objectValueForTableColumn(const std::string& column, int row) {
    // The table asks only for its own rows; anything else answers an empty cell rather than crash.
    if (row < 0 || row >= static_cast<int>(records.size())) {
        return Value();
    }
    return records[static_cast<std::size_t>(row)].value(column).value_or(Value());
}

void Directory::setObjectValue(const Value& value, const std::string& column, int row) {
    if (row < 0 || row >= static_cast<int>(records.size())) {
        throw std::invalid_argument(
            "Invalid parameter not satisfying: rowIndex >= 0 && rowIndex < [records count]");
    }
    records[static_cast<std::size_t>(row)].setValue(column, value);
    if (column == "check") {
        updatePlainTextWarning();
    }
}

void Directory::selectUserfile() {
    ui::OpenPanelOptions options;
    options.canChooseFiles = true;
    options.canChooseDirectories = false;
    options.title = "Choose the user file";
    const auto place = recent::startingPlace(recent::kUserfileKey, platform::homeDirectory());
    options.directory = place.folder;
    options.file = place.name;
    ui::windowSystem().beginOpenPanel(options, mainWindow, [this](int returnCode, const auto& filenames) {
        doOpenUserfilePanel(returnCode, filenames);
    });
}

void Directory::doOpenUserfilePanel(int returnCode, const std::vector<std::string>& filenames) {
    if (returnCode != 1 || filenames.empty()) {
        return;
    }
    userfileField->setStringValue(filenames.front());
    recent::remember(recent::kUserfileKey, filenames.front());
    reloadUserfile();
}

void Directory::selectGroupfile() {
    ui::OpenPanelOptions options;
    options.canChooseFiles = true;
    options.canChooseDirectories = false;
    options.title = "Choose the group file";
    const auto place = recent::startingPlace(recent::kGroupfileKey, platform::homeDirectory());
    options.directory = place.folder;
    options.file = place.name;
    ui::windowSystem().beginOpenPanel(options, mainWindow, [this](int returnCode, const auto& filenames) {
        doOpenGroupfilePanel(returnCode, filenames);
    });
}

void Directory::doOpenGroupfilePanel(int returnCode, const std::vector<std::string>& filenames) {
    if (returnCode == 1 && !filenames.empty()) {
        groupfileField->setStringValue(filenames.front());
        recent::remember(recent::kGroupfileKey, filenames.front());
        reloadGroupfile();
    }
    subTabs->selectFirstTabViewItem();
}

std::optional<operations::ProtectionRequest> Directory::request(bool apache24) {
    operations::ProtectionRequest request;
    request.realm = authnameField->stringValue();
    // A file that is not there writes no line: the server's configuration may name one for the directory.
    request.filesFromServer = true;
    const auto fileOf = [](const std::string& field) {
        return platform::fileExists(field) ? field : std::string();
    };
    request.userFile = fileOf(userfileField->stringValue());
    request.groupFile = fileOf(groupfileField->stringValue());
    if (allusersCB->state() == 1) {
        request.validUser = true;
    } else {
        for (const auto& record : records) {
            if (isMarked(record.value("check"))) {
                request.users.push_back(record.text("username"));
            }
        }
    }
    // Without a group file named no group is required, whatever the table holds.
    if (const auto& groupRecords = DirectoryGroups::getGroupRecords();
        groupRecords && !groupfileField->stringValue().empty()) {
        for (const auto& record : *groupRecords) {
            if (isMarked(record.value("check"))) {
                request.groups.push_back(record.text("groupname"));
            }
        }
    }
    if (const auto& accessRecords = DirectoryAccess::getAccessRecords()) {
        for (const auto& record : *accessRecords) {
            const std::string host = record.text("hostnameip");
            // A row the user added but never filled is no rule.
            if (host.empty()) {
                continue;
            }
            const std::string kind = record.text("denyallow");
            if (kind != "Allow" && kind != "Deny") {
                showError("The host rule for \"" + host + "\" must be Allow or Deny, not \"" + kind +
                          "\". Nothing was saved.");
                return std::nullopt;
            }
            (kind == "Allow" ? request.allow : request.deny).push_back(host);
        }
    }
    request.orderAllowDeny = orderAllowRB->state() == 1;
    request.denyOthers = denyAllOthersCB->state() == 1;
    request.either = hostOrRB && hostOrRB->state() == 1;
    request.apache24 = apache24;
    return request;
}

bool Directory::composed(const std::optional<operations::ProtectionRequest>& request) {
    if (!request) {
        return false;
    }
    std::string block;
    if (const auto outcome = operations::ProtectionEditor::compose(*request, &block); !outcome.ok()) {
        showError(outcome.message);
        return false;
    }
    directoryinfo = block;
    return true;
}

void Directory::saveProtection() {
    const std::string directory = directoryField->stringValue();
    // Without a loaded directory the access file would land in the root directory.
    if (directory.empty()) {
        return;
    }
    pfilePath = directory + "/" + accessFilename(standardUserDefaults());
    if (!editsAccessFile()) {
        if (const auto problem = Validator::directoryPath(directory)) {
            showError(sectionUnusableMessage(directory, *problem) + " Nothing was saved.");
            return;
        }
    }
    if (!composed(request(writesApache24))) {
        return;
    }
    const auto found = serverFindings ? serverFindings() : std::vector<std::string>{};
    if (found.empty()) {
        writeBlock(directory, false);
        return;
    }
    std::string list;
    for (const auto& finding : found) {
        list += "\n\n" + finding;
    }
    ui::AlertSpec warning{"Warning!",
                          "The web server will not enforce this protection as it is set up now:" + list +
                              "\n\nCheck Server fixes what Keepgate can fix. Save the protection anyway?",
                          "Save Anyway", "Cancel"};
    // Cancel is the keyboard's answer: saving a block the server ignores should take a deliberate click.
    warning.destructive = true;
    if (fixServer) {
        warning.message = "The web server will not enforce this protection as it is set up now:" + list +
                          "\n\nFix… fixes what Keepgate can fix (with administrator rights), then saves.";
        warning.otherButton = "Fix…";
    }
    ui::windowSystem().beginAlertSheet(warning, mainWindow, [this, directory](int returnCode) {
        if (returnCode == -1 && fixServer) {
            fixServer();
        }
        if (returnCode == 1 || returnCode == -1) {
            writeBlock(directory, false);
        }
    });
}

void Directory::useApache24Rules() {
    if (directoryField->stringValue().empty()) {
        return;
    }
    if (!composed(request(true))) {
        return;
    }
    ui::windowSystem().beginAlertSheet(
        {"Use Apache 2.4 rules",
         "The host rules will be written as Apache 2.4's Require lines, which need no mod_access_compat. "
         "Saving writes this protection:\n\n" +
             directoryinfo,
         "Convert and Save", "Cancel", true},
        mainWindow, [this](int returnCode) {
            if (returnCode != 1) {
                ui::windowSystem().showStatus("The host rules keep their Apache 2.2 form.");
                return;
            }
            writesApache24 = true;
            if (useApache24BT) {
                useApache24BT->setEnabled(false);
            }
            saveProtection();
        });
}

operations::AppliedChange Directory::applyLatest(const std::function<operations::Outcome()>& operation,
                                                 operations::Outcome* outcome) {
    operations::AppliedChange applied;
    // The operation reads the file as it is now; when another program writes it in the moment before the
    // write, the operation is asked again, so the user's one change lands on that program's text.
    for (int attempt = 0; attempt < 3; ++attempt) {
        *outcome = operation();
        if (!outcome->ok() || outcome->changes.empty()) {
            return {};
        }
        const operations::FileChange& change = outcome->changes.front();
        applied = operations::FileChanges::apply({change}, false).front();
        if (applied.written || !applied.changed || platform::readFile(change.path) == change.before) {
            return applied;
        }
    }
    return applied;
}

void Directory::writeBlock(const std::string& directory, bool confirmed, std::function<void()> then) {
    const platform::HistoryAction action("Saved protection of " + directory);
    if (authnameField->stringValue().empty()) {
        authnameField->setStringValue("Keepgate");
    }
    const auto asked = request(writesApache24);
    if (!asked) {
        return;
    }
    const bool accessFileMode = editsAccessFile();
    editingAccessFile_ = accessFileMode;
    const auto editor = editorFor(directory);
    operations::Outcome saved;
    const auto applied =
        applyLatest([&] { return editor.save(placeFor(accessFileMode), *asked, confirmed); }, &saved);
    if (saved.question) {
        // The question is about the block as it is on disk now, which another program may have changed.
        ui::windowSystem().beginAlertSheet({"Warning!", saved.question->text, "Replace", "Cancel", true},
                                           mainWindow, [this, directory, then](int returnCode) {
                                               if (returnCode == 1) {
                                                   writeBlock(directory, true, then);
                                               }
                                           });
        return;
    }
    if (!saved.ok()) {
        showError(saved.message);
        return;
    }
    const operations::FileChange& change = saved.changes.front();
    // A write with administrator rights, when the user agrees to one, is followed up the same way.
    const std::string status = saved.message;
    const std::string path = change.path;
    const std::string previous = change.before.value_or("");
    const auto written = [this, directory, status, path, previous, accessFileMode, then] {
        if (then) {
            then();
            return;
        }
        reportWritten(directory, status);
        if (!accessFileMode) {
            ServerActions::checkAfterSharedSave(mainWindow, path, previous);
        }
    };
    if (applied.written || !applied.changed) {
        written();
    } else {
        offerAdministratorWrite(mainWindow, path, *change.after,
                                "The file " + path + " could not be written: " + applied.error,
                                [written](bool done) {
                                    if (done) {
                                        written();
                                    }
                                });
    }
    removeProtectionButton->setEnabled(true);
}

std::string Directory::parseFileWithoutDirectory(const std::optional<std::string>& text,
                                                 const std::string& directory) {
    return BlockText::withoutSection(text, directory);
}

void Directory::removeProtection() {
    ui::windowSystem().beginAlertSheet(
        {"Warning!", "Are you sure you want to remove protection for this directory?", "Remove", "Cancel",
         true},
        mainWindow, [this](int returnCode) { removeProtectionNow(returnCode); });
}

void Directory::removeProtectionNow(int returnCode) {
    if (returnCode != 1) {
        return;
    }
    const std::string directory = directoryField->stringValue();
    // Nothing is loaded, so there is nothing on disk to remove.
    if (directory.empty()) {
        return;
    }
    removeBlock(directory, editsAccessFile(), [this, directory](Removal outcome) {
        if (outcome == Removal::Nothing) {
            ui::windowSystem().showStatus("No protection was saved for " + directory +
                                          "; nothing was removed");
        }
        if (outcome != Removal::Removed) {
            return;
        }
        reportWritten(directory, "Removed protection");
        clearEditor();
    });
}

void Directory::removeBlock(const std::string& directory, bool accessFile,
                            const std::function<void(Removal)>& done) {
    const platform::HistoryAction action("Removed protection of " + directory);
    if (accessFile) {
        pfilePath = directory + "/" + accessFilename(standardUserDefaults());
    }
    const auto editor = editorFor(directory);
    operations::Outcome removed;
    const auto applied = applyLatest([&] { return editor.remove(placeFor(accessFile)); }, &removed);
    if (!removed.ok()) {
        showError(removed.message);
        done(Removal::Failed);
        return;
    }
    if (operations::ProtectionEditor::removedNothing(removed)) {
        done(Removal::Nothing);
        return;
    }
    const operations::FileChange& change = removed.changes.front();
    const std::string path = change.path;
    // The server is tested again and the reload offered, as after a save of the shared file.
    const std::string previous = change.before.value_or("");
    const std::function<void()> tested = accessFile ? std::function<void()>() : [this, path, previous] {
        ServerActions::checkAfterSharedSave(mainWindow, path, previous);
    };
    if (applied.written || !applied.changed) {
        done(Removal::Removed);
        if (tested) {
            tested();
        }
        return;
    }
    // A write the user's rights could not make is offered with administrator rights, as a save is. The
    // helper replaces files but never deletes them; an empty access file protects nothing.
    const std::string error =
        change.after
            ? "The file " + path + " could not be written: " + applied.error
            : "The file " + path + " could not be removed: " + applied.error +
                  ". With administrator rights Keepgate can empty it, which removes the protection too.";
    offerAdministratorWrite(mainWindow, path, change.after.value_or(""), error, [done, tested](bool written) {
        done(written ? Removal::Removed : Removal::Failed);
        if (written && tested) {
            tested();
        }
    });
}

void Directory::clearEditor() {
    editingAccessFile_.reset();
    for (ui::TextField* field : {directoryField, authnameField, userfileField, groupfileField}) {
        field->setStringValue("");
    }
    authnameField->setEditable(false);
    for (ui::Button* button : {selectUserfileButton, selectGroupfileButton, saveProtectionButton,
                               removeProtectionButton, allusersCB, denyAllOthersCB, orderDenyRB, orderAllowRB,
                               addAccessBT, removeAccessBT, hostAndRB, hostOrRB, useApache24BT}) {
        if (button) {
            button->setEnabled(false);
        }
    }
    reloadUserfile();
    reloadGroupfile();
    deny.clear();
    allow.clear();
    reloadAccessfile();
}

void Directory::offerToMove(const std::string& directory) {
    const DefaultsStore& defaults = standardUserDefaults();
    const bool here = editsAccessFile();
    ui::windowSystem().beginAlertSheet(
        {"Protection Kept Elsewhere",
         "The protection of " + directory + " is kept in " + placeName(defaults, directory, here) +
             ", not in " + placeName(defaults, directory, !here) +
             " where the preferences keep protection.\n\nKeepgate can edit it where it is, or move it: write "
             "it to " +
             placeName(defaults, directory, !here) + ", remove it from " +
             placeName(defaults, directory, here) + " and test the folder.",
         "Move It", "Edit It There", true},
        // Moving writes two files, so Return and Escape both leave the protection where it is.
        mainWindow, [this, directory](int returnCode) {
            if (returnCode == 1) {
                moveProtection(directory);
            }
        });
}

void Directory::moveProtection(const std::string& directory) {
    if (directoryField->stringValue() != directory || !editingAccessFile_) {
        return;
    }
    const DefaultsStore& defaults = standardUserDefaults();
    const bool from = *editingAccessFile_;
    if (from) {
        if (const auto problem = Validator::directoryPath(directory)) {
            showError(sectionUnusableMessage(directory, *problem) + " The protection stays where it is.");
            return;
        }
    }
    pfilePath = directory + "/" + accessFilename(defaults);
    if (!composed(request(writesApache24))) {
        return;
    }
    editingAccessFile_ = !from;
    const std::string status =
        "Moved the protection of " + directory + " to " + placeName(defaults, directory, !from);
    writeBlock(directory, false, [this, directory, from, status] {
        removeBlock(directory, from, [this, directory, status](Removal outcome) {
            if (outcome == Removal::Failed) {
                ui::windowSystem().showStatus("The protection of " + directory +
                                              " is now in both places; the old one could not be removed");
                return;
            }
            reportWritten(directory, status);
        });
    });
}

} // namespace keepgate

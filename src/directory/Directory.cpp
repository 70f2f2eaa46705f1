#include "directory/Directory.h"

#include <cctype>
#include <stdexcept>

#include "directory/DirectoryAccess.h"
#include "directory/DirectoryGroups.h"
#include "formats/ReadFile.h"
#include "formats/ReadHtaccess.h"
#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/FileSystem.h"
#include "ui/WindowSystem.h"

namespace keepgate {

namespace {

constexpr const char* kNotFound = "(Not found. Select another...)";
constexpr const char* kClosingLine = "</Directory>";

std::string accessFilename(const DefaultsStore& defaults) {
    return defaults.stringForKey(constants::kDefaultAccessFilenameKey)
        .value_or(constants::kDefaultAccessFilename);
}

std::string configFilePath(const DefaultsStore& defaults) {
    return defaults.stringForKey(constants::kConfigFilePathKey).value_or(constants::kDefaultConfigFilePath);
}

std::string sectionHeader(const std::string& directory) {
    return "<Directory \"" + directory + "\">";
}

// A line that opens a configuration section of its own (a directive line that only mentions it does not).
bool opensSection(const std::string& line) {
    const auto start = line.find_first_not_of(" \t");
    if (start == std::string::npos) {
        return false;
    }
    static const std::string opening = "<directory";
    if (line.size() - start < opening.size()) {
        return false;
    }
    for (std::size_t i = 0; i < opening.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(line[start + i])) != opening[i]) {
            return false;
        }
    }
    return true;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

bool holdsAnyOf(const std::string& text, const char* characters) {
    return text.find_first_of(characters) != std::string::npos;
}

bool holdsLineBreak(const std::string& text) {
    return holdsAnyOf(text, "\n\r");
}

std::string trimmed(const std::string& text) {
    constexpr const char* whitespace = " \t\n\r\v\f";
    const auto first = text.find_first_not_of(whitespace);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(whitespace) - first + 1);
}

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

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const auto feed = text.find('\n', start);
        if (feed == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, feed - start));
        start = feed + 1;
    }
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) {
        text += (text.empty() ? "" : " ") + name;
    }
    return text;
}

// Apache would take a line break, or a double quote in the header, as the end of the section's opening
// line, so such a directory cannot have a section of its own.
bool canHoldSectionHeader(const std::string& directory) {
    return !holdsAnyOf(directory, "\"\n\r");
}

std::string unusableDirectoryMessage(const std::string& directory) {
    return "The directory \"" + directory +
           "\" cannot be protected in the shared configuration file: its path holds a double quote or a line "
           "break, which the section header cannot hold.";
}

} // namespace

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
    options.directory = platform::homeDirectory();
    ui::windowSystem().beginOpenPanel(options, mainWindow, [this](int returnCode, const auto& filenames) {
        doOpenDirectoryPanel(returnCode, filenames);
    });
}

void Directory::doOpenDirectoryPanel(int returnCode, const std::vector<std::string>& filenames) {
    if (returnCode != 1 || filenames.empty()) {
        return;
    }
    const std::string directory = filenames.front();
    const DefaultsStore& defaults = standardUserDefaults();
    std::optional<ProtectionInfo> info;
    if (isAccessFileMode(defaults)) {
        info = ReadHtaccess::htaccess(platform::joinPath(directory, accessFilename(defaults)));
    } else {
        if (!canHoldSectionHeader(directory)) {
            showError(unusableDirectoryMessage(directory));
            return;
        }
        info = ReadHtaccess::configFile(configFilePath(defaults), directory);
    }
    parseFile(info);
    directoryField->setStringValue(directory);
    if (directoryLoaded) directoryLoaded(directory);
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
    authnameField->setStringValue(block.text("authname"));
    if (block.has("orderallow")) {
        orderAllowRB->setState(1);
        orderDenyRB->setState(0);
    } else {
        orderDenyRB->setState(1);
        orderAllowRB->setState(0);
    }
    denyAllOthersCB->setState(block.has("denyall") ? 1 : 0);
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
}

void Directory::reloadUserfile() {
    records = ReadFile::readUserfile(userfileField->stringValue(), users);
    userfileView->reloadData();
    subTabs->selectFirstTabViewItem();
}

void Directory::reloadGroupfile() {
    DirectoryGroups::readGroupfile(groupfileField->stringValue(), groups);
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
}

void Directory::selectUserfile() {
    ui::OpenPanelOptions options;
    options.canChooseFiles = true;
    options.canChooseDirectories = false;
    options.directory = platform::homeDirectory();
    ui::windowSystem().beginOpenPanel(options, mainWindow, [this](int returnCode, const auto& filenames) {
        doOpenUserfilePanel(returnCode, filenames);
    });
}

void Directory::doOpenUserfilePanel(int returnCode, const std::vector<std::string>& filenames) {
    if (returnCode != 1 || filenames.empty()) {
        return;
    }
    userfileField->setStringValue(filenames.front());
    reloadUserfile();
}

void Directory::selectGroupfile() {
    ui::OpenPanelOptions options;
    options.canChooseFiles = true;
    options.canChooseDirectories = false;
    options.directory = platform::homeDirectory();
    ui::windowSystem().beginOpenPanel(options, mainWindow, [this](int returnCode, const auto& filenames) {
        doOpenGroupfilePanel(returnCode, filenames);
    });
}

void Directory::doOpenGroupfilePanel(int returnCode, const std::vector<std::string>& filenames) {
    if (returnCode == 1 && !filenames.empty()) {
        groupfileField->setStringValue(filenames.front());
        reloadGroupfile();
    }
    subTabs->selectFirstTabViewItem();
}

bool Directory::composeBlock() {
    const auto refuse = [this](const std::string& message) {
        showError(message + " Nothing was saved.");
        return false;
    };
    // A path with blanks goes in double quotes, where Apache reads it as one argument.
    const auto pathArgument = [&](const std::string& field,
                                  const std::string& path) -> std::optional<std::string> {
        if (holdsLineBreak(path)) {
            refuse("The " + field + " path \"" + path + "\" cannot hold a line break.");
            return std::nullopt;
        }
        if (!holdsAnyOf(path, " \t")) {
            return path;
        }
        if (holdsAnyOf(path, "\"\\")) {
            refuse(
                "The " + field + " path \"" + path +
                "\" holds blanks, so it must be written in double quotes, and cannot hold a double quote or "
                "a backslash then.");
            return std::nullopt;
        }
        return "\"" + path + "\"";
    };
    // A blank or tab in a marked name would admit other names; a line break would start a new directive.
    const auto checkNames = [&](const std::string& kind, const std::vector<std::string>& names) {
        for (const auto& name : names) {
            if (holdsAnyOf(name, " \t\n\r")) {
                return refuse("The " + kind + " name \"" + name +
                              "\" cannot hold a blank, a tab or a line break.");
            }
        }
        return true;
    };

    const std::string realm = authnameField->stringValue();
    if (holdsAnyOf(realm, "\n\r\"\\")) {
        return refuse("The realm name \"" + realm +
                      "\" cannot hold a line break, a double quote or a backslash.");
    }

    std::vector<std::string> markedUsers;
    for (const auto& record : records) {
        if (isMarked(record.value("check"))) {
            markedUsers.push_back(record.text("username"));
        }
    }
    std::vector<std::string> requiregroups;
    if (const auto& groupRecords = DirectoryGroups::getGroupRecords()) {
        for (const auto& record : *groupRecords) {
            if (isMarked(record.value("check"))) {
                requiregroups.push_back(record.text("groupname"));
            }
        }
    }
    std::string hostLines;
    if (const auto& accessRecords = DirectoryAccess::getAccessRecords()) {
        for (const auto& record : *accessRecords) {
            const std::string host = record.text("hostnameip");
            if (host.empty()) {
                continue;
            }
            const std::string kind = record.text("denyallow");
            if (kind != "Allow" && kind != "Deny") {
                return refuse("The host rule for \"" + host + "\" must be Allow or Deny, not \"" + kind +
                              "\".");
            }
            if (holdsLineBreak(host)) {
                return refuse("The host \"" + host + "\" cannot hold a line break.");
            }
            hostLines += kind + " from " + host + "\n";
        }
    }

    std::string block = "AuthType Basic\nAuthName \"" + realm + "\"\n";
    const std::string userfile = userfileField->stringValue();
    if (platform::fileExists(userfile)) {
        const auto argument = pathArgument("user file", userfile);
        if (!argument) {
            return false;
        }
        block += "AuthUserFile " + *argument + "\n";
    }
    const std::string groupfile = groupfileField->stringValue();
    if (!groupfile.empty()) {
        if (platform::fileExists(groupfile)) {
            const auto argument = pathArgument("group file", groupfile);
            if (!argument) {
                return false;
            }
            block += "AuthGroupFile " + *argument + "\n";
        }
        if (!requiregroups.empty()) {
            if (!checkNames("group", requiregroups)) {
                return false;
            }
            block += "Require group " + joined(requiregroups) + "\n";
        }
    }
    if (allusersCB->state() != 1 && !markedUsers.empty()) {
        if (!checkNames("user", markedUsers)) {
            return false;
        }
        block += "Require user " + joined(markedUsers) + "\n";
    } else if (allusersCB->state() == 1) {
        block += "Require valid-user\n";
    }
    block += hostLines;
    if (!hostLines.empty()) {
        block += orderAllowRB->state() == 1 ? "Order allow,deny\n" : "Order deny,allow\n";
    }
    if (denyAllOthersCB->state() == 1) {
        block += "Deny from all\n";
    }
    directoryinfo = block;
    return true;
}

void Directory::saveProtection() {
    const DefaultsStore& defaults = standardUserDefaults();
    const std::string directory = directoryField->stringValue();
    // Without a loaded directory the access file would land in the root directory.
    if (directory.empty()) {
        return;
    }
    pfilePath = directory + "/" + accessFilename(defaults);
    if (authnameField->stringValue().empty()) {
        authnameField->setStringValue("Keepgate");
    }
    const bool accessFileMode = isAccessFileMode(defaults);
    if (!accessFileMode && !canHoldSectionHeader(directory)) {
        showError(unusableDirectoryMessage(directory) + " Nothing was saved.");
        return;
    }
    if (!composeBlock()) {
        return;
    }
    if (accessFileMode) {
        if (const auto result = platform::writeFileAtomically(pfilePath, directoryinfo); !result) {
            showError("The file " + pfilePath + " could not be written: " + result.error);
        } else {
            reportWritten(directory, "Saved " + accessFilename(defaults) + " in " + directory);
        }
    } else {
        const std::string configPath = configFilePath(defaults);
        const auto text = platform::readFile(configPath);
        // A configuration that exists but cannot be read would otherwise be replaced by the one section.
        if (!text && platform::fileExists(configPath)) {
            showError("The file " + configPath + " could not be read, so nothing was saved.");
        } else {
            const std::string fullFileString = parseFileWithoutDirectory(text, directory) +
                                               sectionHeader(directory) + "\n" + directoryinfo + "\n" +
                                               kClosingLine + "\n";
            if (const auto result = platform::writeFileAtomically(configPath, fullFileString); !result) {
                showError("The file " + configPath + " could not be written: " + result.error);
            } else {
                reportWritten(directory, "Saved the section for " + directory + " in " + configPath);
            }
        }
    }
    removeProtectionButton->setEnabled(true);
}

std::string Directory::parseFileWithoutDirectory(const std::optional<std::string>& text,
                                                 const std::string& directory) {
    if (!text) {
        return {};
    }
    const std::string includefile = sectionHeader(directory);
    std::vector<std::string> lines = splitLines(*text);
    // The empty piece after the final line feed is no line; keeping it would add a blank line per save.
    if (lines.back().empty()) {
        lines.pop_back();
    }
    std::string dirString;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!contains(lines[i], includefile)) {
            dirString += lines[i] + "\n";
            continue;
        }
        if (contains(lines[i], kClosingLine)) {
            continue;
        }
        // The section runs to its closing line. Without one before the end of the file it was never
        // closed, and only its opening line goes so that nothing after it is lost; when another section
        // opens first, this one's own lines go up to that section, which stays whole.
        std::size_t end = i + 1;
        while (end < lines.size() && !contains(lines[end], kClosingLine) && !opensSection(lines[end])) {
            ++end;
        }
        if (end == lines.size()) {
            continue;
        }
        i = opensSection(lines[end]) ? end - 1 : end;
    }
    return dirString;
}

void Directory::removeProtection() {
    ui::windowSystem().beginAlertSheet(
        {"Warning!", "Are you sure you want to remove protection for this directory?", "Remove", "Cancel"},
        mainWindow, [this](int returnCode) { removeProtectionNow(returnCode); });
}

void Directory::removeProtectionNow(int returnCode) {
    if (returnCode != 1) {
        return;
    }
    const DefaultsStore& defaults = standardUserDefaults();
    const std::string directory = directoryField->stringValue();
    if (directory.empty()) {
        // Nothing is loaded, so there is nothing on disk to remove.
    } else if (isAccessFileMode(defaults)) {
        pfilePath = directory + "/" + accessFilename(defaults);
        // A missing access file is no failure: the directory is unprotected as asked.
        const bool present = platform::fileExists(pfilePath);
        if (const auto result = platform::removeFile(pfilePath); !result && present) {
            showError("The file " + pfilePath + " could not be removed: " + result.error);
        } else {
            reportWritten(directory, "Removed protection");
        }
    } else {
        const std::string configPath = configFilePath(defaults);
        const auto text = platform::readFile(configPath);
        if (!text && platform::fileExists(configPath)) {
            showError("The file " + configPath + " could not be read, so it was left as it is.");
        } else if (const auto result =
                       platform::writeFileAtomically(configPath, parseFileWithoutDirectory(text, directory));
                   !result) {
            showError("The file " + configPath + " could not be written: " + result.error);
        } else {
            reportWritten(directory, "Removed protection");
        }
    }
    for (ui::TextField* field : {directoryField, authnameField, userfileField, groupfileField}) {
        field->setStringValue("");
    }
    authnameField->setEditable(false);
    for (ui::Button* button :
         {selectUserfileButton, selectGroupfileButton, saveProtectionButton, removeProtectionButton,
          allusersCB, denyAllOthersCB, orderDenyRB, orderAllowRB, addAccessBT, removeAccessBT}) {
        button->setEnabled(false);
    }
    reloadUserfile();
    reloadGroupfile();
    deny.clear();
    allow.clear();
    reloadAccessfile();
}

} // namespace keepgate

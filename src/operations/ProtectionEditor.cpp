#include "operations/ProtectionEditor.h"

#include <algorithm>

#include "formats/ConfigSection.h"
#include "formats/GroupFile.h"
#include "formats/ReadHtaccess.h"
#include "formats/UserFile.h"
#include "formats/Validator.h"
#include "platform/FileSystem.h"

namespace keepgate::operations {

namespace {

constexpr const char* kClosingLine = "</Directory>";

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

bool anyone(const std::string&) {
    return true;
}

std::string sectionUnusable(const std::string& directory, const std::string& problem) {
    return "The directory " + quoted(directory) +
           " cannot be protected in the shared configuration file: its path cannot stand in the section "
           "header, because " +
           problem + ".";
}

// The bytes of a file that may be missing; false when it exists but cannot be read.
bool readMaybe(const std::string& path, std::optional<std::string>* text) {
    *text = platform::readFile(path);
    return text->has_value() || !platform::fileExists(path) || platform::isDirectory(path);
}

} // namespace

std::string ProtectionEditor::fileOf(Place place) const {
    return place == Place::AccessFile ? platform::joinPath(directory_, places_.accessFileName)
                                      : places_.sharedFile;
}

Outcome ProtectionEditor::load(Place place, LoadedProtection* loaded) const {
    loaded->place = place;
    loaded->file = fileOf(place);
    std::optional<std::string> text;
    if (!readMaybe(loaded->file, &text)) {
        return Outcome::refused("The file " + loaded->file + " could not be read.");
    }
    loaded->block = place == Place::AccessFile || !text ? text : BlockText::sectionBody(*text, directory_);
    // Comments, containers and other directives never fill a field: only the block's own directives do.
    loaded->lines = BlockText::divide(loaded->block.value_or(""), anyone, anyone);
    loaded->info = ReadHtaccess::readPart(BlockText::joined(loaded->lines.directives));
    return {};
}

std::optional<Place> ProtectionEditor::placeInUse() const {
    for (const Place place : {Place::AccessFile, Place::SharedFile}) {
        LoadedProtection loaded;
        if (place == Place::SharedFile && places_.sharedFile.empty()) {
            continue;
        }
        if (load(place, &loaded).ok() && loaded.block &&
            loaded.block->find_first_not_of(" \t\r\n") != std::string::npos &&
            (place == Place::SharedFile || !loaded.lines.directives.empty())) {
            return place;
        }
    }
    return std::nullopt;
}

Outcome ProtectionEditor::compose(const ProtectionRequest& request, std::string* block) {
    const auto refuse = [](const std::string& field, const std::string& value, const std::string& problem) {
        return Outcome::refused(refusal(field, value, problem));
    };
    const std::string realm = request.realm.empty() ? "Keepgate" : request.realm;
    if (const auto problem = Validator::realm(realm)) {
        return refuse("realm name", realm, *problem);
    }
    // A path with blanks goes in double quotes, where Apache reads it as one argument.
    const auto pathArgument = [](const std::string& path) {
        return path.find_first_of(" \t") != std::string::npos ? quoted(path) : path;
    };
    if (request.userFile.empty()) {
        return Outcome::usage("A user file is needed (--user-file FILE).");
    }
    if (const auto problem = Validator::blockFilePath(request.userFile)) {
        return refuse("user file path", request.userFile, *problem);
    }
    const auto users = platform::readFileWithin(request.userFile, UserFile::kSizeLimit);
    if (!users.ok) {
        return Outcome::refused("The user file " + quoted(request.userFile) + " cannot be read: " +
                                (users.missing ? std::string("it does not exist") : users.error) + ".");
    }
    const UserFile userFile(users.bytes);
    for (const auto& name : request.users) {
        if (const auto problem = Validator::userName(name)) {
            return refuse("user name", name, *problem);
        }
        if (!userFile.find(name)) {
            return Outcome::refused("The user " + quoted(name) + " is not in the user file " +
                                    request.userFile + ". Nothing was saved.");
        }
    }
    if (!request.groups.empty() && request.groupFile.empty()) {
        return Outcome::usage("Groups need a group file (--group-file FILE).");
    }
    std::optional<GroupFile> groupFile;
    if (!request.groupFile.empty()) {
        if (const auto problem = Validator::blockFilePath(request.groupFile)) {
            return refuse("group file path", request.groupFile, *problem);
        }
        const auto groups = platform::readFile(request.groupFile);
        if (!groups) {
            return Outcome::refused("The group file " + quoted(request.groupFile) + " cannot be read.");
        }
        groupFile.emplace(*groups);
    }
    for (const auto& group : request.groups) {
        if (const auto problem = Validator::groupName(group)) {
            return refuse("group name", group, *problem);
        }
        bool found = false;
        for (std::size_t index = 0; index < groupFile->size() && !found; ++index) {
            found = groupFile->name(index) == group;
        }
        if (!found) {
            return Outcome::refused("The group " + quoted(group) + " is not in the group file " +
                                    request.groupFile + ". Nothing was saved.");
        }
    }
    std::string hostLines;
    for (const auto& [kind, hosts] : {std::pair{"Allow", &request.allow}, std::pair{"Deny", &request.deny}}) {
        for (const auto& host : *hosts) {
            if (const auto problem = Validator::host(host); problem || host.empty()) {
                return refuse("host of a host rule", host, problem.value_or("it is empty"));
            }
            hostLines += std::string(kind) + " from " + host + "\n";
        }
    }
    std::string text = "AuthType Basic\nAuthName \"" + realm + "\"\n";
    text += "AuthUserFile " + pathArgument(request.userFile) + "\n";
    if (groupFile) {
        text += "AuthGroupFile " + pathArgument(request.groupFile) + "\n";
        text += BlockText::requireLines("group", request.groups);
    }
    text += request.validUser ? "Require valid-user\n" : BlockText::requireLines("user", request.users);
    text += hostLines;
    if (!hostLines.empty()) {
        text += request.orderAllowDeny ? "Order allow,deny\n" : "Order deny,allow\n";
    }
    if (request.denyOthers) {
        text += "Deny from all\n";
    }
    if (!BlockText::protects(text)) {
        return Outcome::refused("This protection admits everyone: no user or group is required, no host rule "
                                "keeps anyone out and "
                                "\"Deny all other hosts\" is off, so the directory would stay open to "
                                "everyone. Nothing was saved.");
    }
    *block = text;
    return {};
}

Outcome ProtectionEditor::save(Place place, const ProtectionRequest& request, bool confirmed) const {
    if (place == Place::SharedFile) {
        if (const auto problem = Validator::directoryPath(directory_)) {
            return Outcome::refused(sectionUnusable(directory_, *problem) + " Nothing was saved.");
        }
    } else if (!platform::isDirectory(directory_)) {
        return Outcome::refused("The directory " + quoted(directory_) +
                                " does not exist. Nothing was saved.");
    }
    std::string block;
    if (auto composed = compose(request, &block); !composed.ok()) {
        return composed;
    }
    const std::string path = fileOf(place);
    // Read at the moment of composing, so lines another program added since survive.
    std::optional<std::string> text;
    if (!readMaybe(path, &text)) {
        return Outcome::refused("The file " + path + " could not be read, so nothing was saved.");
    }
    const std::optional<std::string> body =
        place == Place::AccessFile || !text ? text : BlockText::sectionBody(*text, directory_);
    // Lines the editor writes itself are known by their names: the users and groups of its files.
    const auto knownUser = [&](const std::string&) { return true; };
    const BlockLines lines = BlockText::divide(body.value_or(""), knownUser, knownUser);
    if (!lines.keptAccess.empty() && !confirmed) {
        std::string replaced;
        for (const auto& line : lines.keptAccess) {
            replaced += "\n" + line;
        }
        return Outcome::asking("The protection on disk holds lines that control access in a form Keepgate "
                               "cannot show:" +
                               replaced + "\n\nSaving replaces them with the protection asked for.");
    }
    std::string contents;
    if (place == Place::AccessFile) {
        contents = BlockText::joined(lines.keptOther) + block;
    } else {
        contents = BlockText::withoutSection(text, directory_) + section::header(directory_) + "\n" +
                   BlockText::joined(lines.keptOther) + block + "\n" + kClosingLine + "\n";
    }
    Outcome outcome;
    outcome.message = place == Place::AccessFile ? "Saved " + places_.accessFileName + " in " + directory_
                                                 : "Saved the section for " + directory_ + " in " + path;
    outcome.changes.push_back({path, text, contents});
    outcome.sharedFileWritten = place == Place::SharedFile && text != contents;
    return outcome;
}

Outcome ProtectionEditor::remove(Place place) const {
    const std::string path = fileOf(place);
    std::optional<std::string> text;
    if (!readMaybe(path, &text)) {
        return Outcome::refused("The file " + path + " could not be read, so it was left as it is.");
    }
    Outcome outcome;
    outcome.message = "Removed protection";
    if (!text) {
        outcome.message = "No protection is saved for " + directory_ + " in " + path + ".";
        return outcome;
    }
    if (place == Place::AccessFile) {
        // Only the block goes: other lines of the access file stay, and the file goes when none are left.
        const std::string rest = BlockText::joined(BlockText::divide(*text, anyone, anyone).keptOther);
        outcome.changes.push_back(
            {path, text,
             rest.find_first_not_of(" \t\r\n") != std::string::npos ? std::optional(rest) : std::nullopt});
    } else {
        const std::string rest = BlockText::withoutSection(text, directory_);
        outcome.changes.push_back({path, text, rest});
        outcome.sharedFileWritten = rest != *text;
    }
    return outcome;
}

} // namespace keepgate::operations

#include "operations/ProtectionEditor.h"

#include <algorithm>
#include <unordered_set>

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

namespace {

// The names the user and group files hold, which a save counts as the names the editor can show.
struct KnownNames {
    std::unordered_set<std::string> users;
    std::unordered_set<std::string> groups;
    bool usersUnread = false; // the file exists but only the server may read it
    bool groupsUnread = false;
};

Outcome composeBlock(const ProtectionRequest& request, std::string* block, KnownNames* known) {
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
    // Every value first goes through the validator; only then are the files read.
    for (const auto& name : request.users) {
        if (const auto problem = Validator::userName(name)) {
            return refuse("user name", name, *problem);
        }
    }
    for (const auto& group : request.groups) {
        if (const auto problem = Validator::groupName(group)) {
            return refuse("group name", group, *problem);
        }
    }
    HostRules rules{{}, {}, request.orderAllowDeny, request.denyOthers, request.either};
    for (const auto& [hosts, into] :
         {std::pair{&request.allow, &rules.allow}, std::pair{&request.deny, &rules.deny}}) {
        for (const auto& host : *hosts) {
            if (const auto problem = Validator::host(host); problem || host.empty()) {
                return refuse("host of a host rule", host, problem.value_or("it is empty"));
            }
            into->push_back(host);
        }
    }
    if (request.userFile.empty() && (!request.filesFromServer || !request.users.empty())) {
        return Outcome::usage("A user file is needed (--user-file FILE).");
    }
    if (!request.userFile.empty()) {
        if (const auto problem = Validator::blockFilePath(request.userFile)) {
            return refuse("user file path", request.userFile, *problem);
        }
        const auto users = platform::readFileWithin(request.userFile, UserFile::kSizeLimit);
        // The window may name a file only the server can read (root's, readable by the server's group).
        if (!users.ok && request.filesFromServer && !users.missing) {
            known->usersUnread = true;
        } else if (!users.ok) {
            return Outcome::refused("The user file " + quoted(request.userFile) + " cannot be read: " +
                                    (users.missing ? std::string("it does not exist") : users.error) +
                                    ". Nothing was saved.");
        }
        const UserFile userFile(users.ok ? users.bytes : std::string());
        // One set, so that ten thousand names against a large file cost two passes, not a search each.
        known->users.reserve(userFile.size());
        for (std::size_t row = 0; row < userFile.size(); ++row) {
            known->users.emplace(userFile.name(row));
        }
    }
    for (const auto& name : request.users) {
        if (!known->usersUnread && !known->users.contains(name)) {
            return Outcome::refused("The user " + quoted(name) + " is not in the user file " +
                                    request.userFile + ". Nothing was saved.");
        }
    }
    if (!request.groups.empty() && request.groupFile.empty() && !request.filesFromServer) {
        return Outcome::usage("Groups need a group file (--group-file FILE).");
    }
    if (!request.groupFile.empty()) {
        if (const auto problem = Validator::blockFilePath(request.groupFile)) {
            return refuse("group file path", request.groupFile, *problem);
        }
        const auto groups = platform::readFile(request.groupFile);
        if (!groups && request.filesFromServer && platform::fileExists(request.groupFile)) {
            known->groupsUnread = true;
        } else if (!groups) {
            return Outcome::refused("The group file " + quoted(request.groupFile) +
                                    " cannot be read. Nothing was saved.");
        }
        const GroupFile groupFile(groups.value_or(""));
        for (std::size_t index = 0; index < groupFile.size(); ++index) {
            known->groups.emplace(groupFile.name(index));
        }
    }
    for (const auto& group : request.groups) {
        if (!request.groupFile.empty() && !known->groupsUnread && !known->groups.contains(group)) {
            return Outcome::refused("The group " + quoted(group) + " is not in the group file " +
                                    request.groupFile + ". Nothing was saved.");
        }
    }
    std::string text = "AuthType Basic\nAuthName \"" + realm + "\"\n";
    if (!request.userFile.empty()) {
        text += "AuthUserFile " + pathArgument(request.userFile) + "\n";
    }
    if (!request.groupFile.empty()) {
        text += "AuthGroupFile " + pathArgument(request.groupFile) + "\n";
    }
    std::string passwordLines = BlockText::requireLines("group", request.groups);
    passwordLines +=
        request.validUser ? "Require valid-user\n" : BlockText::requireLines("user", request.users);
    text += request.apache24 ? BlockText::rules24(passwordLines, rules)
                             : passwordLines + BlockText::hostLines22(rules, !passwordLines.empty());
    if (!BlockText::protects(text)) {
        return Outcome::refused("This protection admits everyone: no user or group is required, no host rule "
                                "keeps anyone out and "
                                "\"Deny all other hosts\" is off, so the directory would stay open to "
                                "everyone. Nothing was saved.");
    }
    *block = text;
    return {};
}

} // namespace

Outcome ProtectionEditor::compose(const ProtectionRequest& request, std::string* block) {
    KnownNames known;
    return composeBlock(request, block, &known);
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
    KnownNames known;
    if (auto composed = composeBlock(request, &block, &known); !composed.ok()) {
        return composed;
    }
    const std::string path = fileOf(place);
    // Read at the moment of composing, so lines another program added since survive.
    std::optional<std::string> text;
    if (!readMaybe(path, &text)) {
        return Outcome::refused("The file " + path + " could not be read, so nothing was saved.");
    }
    if (place == Place::AccessFile && platform::isDirectory(path)) {
        return Outcome::refused("The access file " + path + " is a folder, so nothing was saved.");
    }
    const std::optional<std::string> body =
        place == Place::AccessFile || !text ? text : BlockText::sectionBody(*text, directory_);
    // A Require line the editor writes itself names users and groups of its files; one naming others is
    // kept as written until the user agrees to replace it.
    const BlockLines lines = BlockText::divide(
        body.value_or(""), [&](const std::string& name) { return known.users.contains(name); },
        [&](const std::string& name) { return known.groups.contains(name); });
    if (!lines.keptAccess.empty() && !confirmed) {
        std::string replaced;
        for (const auto& line : lines.keptAccess) {
            replaced += "\n" + line;
        }
        return Outcome::asking("The protection on disk holds lines that control access in a form Keepgate "
                               "cannot show. Saving removes these lines:" +
                               replaced + "\n\nand writes this protection in their place:\n" + block);
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
    if (platform::isDirectory(path)) {
        return Outcome::refused("The " + std::string(place == Place::AccessFile ? "access file " : "file ") +
                                path + " is a folder, so it was left as it is.");
    }
    std::optional<std::string> text;
    if (!readMaybe(path, &text)) {
        return Outcome::refused("The file " + path + " could not be read, so it was left as it is.");
    }
    Outcome outcome;
    outcome.message = "Removed protection";
    const auto nothing = [&] {
        outcome.message = "No protection is saved for " + directory_ + " in " + path + ".";
        return outcome;
    };
    if (!text) {
        return nothing();
    }
    if (place == Place::AccessFile) {
        const BlockLines lines = BlockText::divide(*text, anyone, anyone);
        // An access file of comments and other directives protects nothing, and stays as it is.
        if (lines.directives.empty()) {
            return nothing();
        }
        // Only the block goes: other lines of the access file stay, and the file goes when none are left.
        const std::string rest = BlockText::joined(lines.keptOther);
        outcome.changes.push_back(
            {path, text,
             rest.find_first_not_of(" \t\r\n") != std::string::npos ? std::optional(rest) : std::nullopt});
    } else {
        if (!BlockText::sectionBody(*text, directory_)) {
            return nothing();
        }
        const std::string rest = BlockText::withoutSection(text, directory_);
        outcome.changes.push_back({path, text, rest});
        outcome.sharedFileWritten = rest != *text;
    }
    return outcome;
}

} // namespace keepgate::operations

#include "operations/GroupStore.h"

#include <algorithm>

#include "formats/Validator.h"
#include "platform/FileSystem.h"

namespace keepgate::operations {

namespace {

// Larger files are refused before they are read, like user files.
constexpr std::uint64_t kSizeLimit = 512ull * 1024 * 1024;

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::vector<std::string> copies(const std::vector<std::string_view>& views) {
    return {views.begin(), views.end()};
}

} // namespace

Outcome GroupStore::open(bool mayBeMissing) {
    auto read = platform::readFileWithin(path_, kSizeLimit);
    if (!read.ok && !(read.missing && mayBeMissing)) {
        return Outcome::refused("The group file " + quoted(path_) + " cannot be opened: " +
                                (read.missing ? std::string("it does not exist") : read.error) + ".");
    }
    before_ = read.ok ? std::optional(read.bytes) : std::nullopt;
    file_ = GroupFile(std::move(read.bytes));
    if (!file_.problem().empty()) {
        return Outcome::refused("The file " + quoted(path_) + " cannot be a group file: " + file_.problem() +
                                ".");
    }
    return {};
}

std::vector<GroupEntry> GroupStore::list() const {
    std::vector<GroupEntry> groups;
    for (std::size_t group = 0; group < file_.size(); ++group) {
        groups.push_back({std::string(file_.name(group)), copies(file_.members(group))});
    }
    return groups;
}

bool GroupStore::has(const std::string& group) const {
    for (std::size_t index = 0; index < file_.size(); ++index) {
        if (file_.name(index) == group) {
            return true;
        }
    }
    return false;
}

Outcome GroupStore::changed(std::string text, std::string message) {
    Outcome outcome;
    outcome.message = std::move(message);
    outcome.changes.push_back({path_, before_, text});
    file_ = GroupFile(std::move(text));
    return outcome;
}

Outcome GroupStore::addGroup(const std::string& group) {
    if (group.empty()) {
        return Outcome::refused(refusal("group name", group, "it is empty"));
    }
    if (const auto problem = Validator::groupName(group)) {
        return Outcome::refused(refusal("group name", group, *problem));
    }
    if (has(group)) {
        Outcome same;
        same.message = "The group " + quoted(group) + " is already in " + path_ + ".";
        return same;
    }
    std::string line;
    GroupFile::appendLine(line, group, {});
    return changed(
        file_.compose([](std::size_t, std::string&) { return GroupFile::Fate::Keep; }, line + "\n"),
        "Added the group " + group);
}

Outcome GroupStore::deleteGroup(const std::string& group) {
    if (!has(group)) {
        Outcome absent;
        absent.message = "The group " + quoted(group) + " is not in " + path_ + "; nothing to delete.";
        return absent;
    }
    return changed(file_.compose(
                       [&](std::size_t index, std::string&) {
                           return file_.name(index) == group ? GroupFile::Fate::Drop : GroupFile::Fate::Keep;
                       },
                       ""),
                   "Deleted the group " + group);
}

Outcome GroupStore::addMembers(const std::string& group, const std::vector<std::string>& names) {
    for (const auto& name : names) {
        if (const auto problem = Validator::memberName(name); problem || name.empty()) {
            return Outcome::refused(refusal("member name", name, problem.value_or("it is empty")));
        }
    }
    if (!has(group)) {
        return Outcome::refused("The group " + quoted(group) + " is not in " + path_ +
                                "; add it first (keepgatectl groups add).");
    }
    bool first = true;
    bool added = false;
    const std::string text = file_.compose(
        [&](std::size_t index, std::string& line) {
            // The web server reads the members of every line of the group; new ones go on the first.
            if (file_.name(index) != group || !first) {
                return GroupFile::Fate::Keep;
            }
            first = false;
            std::vector<std::string_view> members = file_.members(index);
            std::vector<std::string> all;
            for (std::size_t other = 0; other < file_.size(); ++other) {
                if (file_.name(other) == group) {
                    for (const auto member : file_.members(other)) {
                        all.emplace_back(member);
                    }
                }
            }
            // The views below point into `all`, which must not move.
            all.reserve(all.size() + names.size());
            for (const auto& name : names) {
                if (std::find(all.begin(), all.end(), name) == all.end()) {
                    all.push_back(name);
                    members.emplace_back(all.back());
                    added = true;
                }
            }
            if (!added) {
                return GroupFile::Fate::Keep;
            }
            GroupFile::appendLine(line, group, members);
            return GroupFile::Fate::Rewrite;
        },
        "");
    if (!added) {
        Outcome same;
        same.message = "Every member named is already in the group " + quoted(group) + ".";
        return same;
    }
    return changed(text, "Added members to the group " + group);
}

Outcome GroupStore::removeMembers(const std::string& group, const std::vector<std::string>& names) {
    if (!has(group)) {
        return Outcome::refused("The group " + quoted(group) + " is not in " + path_ + ".");
    }
    bool removed = false;
    const std::string text = file_.compose(
        [&](std::size_t index, std::string& line) {
            if (file_.name(index) != group) {
                return GroupFile::Fate::Keep;
            }
            std::vector<std::string_view> kept;
            for (const auto member : file_.members(index)) {
                if (std::find(names.begin(), names.end(), member) == names.end()) {
                    kept.push_back(member);
                }
            }
            if (kept.size() == file_.members(index).size()) {
                return GroupFile::Fate::Keep;
            }
            removed = true;
            GroupFile::appendLine(line, group, kept);
            return GroupFile::Fate::Rewrite;
        },
        "");
    if (!removed) {
        Outcome same;
        same.message = "None of the members named is in the group " + quoted(group) + ".";
        return same;
    }
    return changed(text, "Removed members from the group " + group);
}

} // namespace keepgate::operations

#include "operations/GroupStore.h"

#include <algorithm>
#include <chrono>

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
    // A file another program is rewriting in place is taken only once it has settled.
    auto read = platform::readSettledFile(path_, kSizeLimit);
    identity_ = read.ok ? std::optional(read.identity) : std::nullopt;
    readOnlyReason_ = read.ok || read.missing ? "" : read.error;
    before_ = read.ok ? std::optional(read.bytes) : std::nullopt;
    file_ = GroupFile(read.ok ? std::move(read.bytes) : std::string());
    if (!read.ok && !(read.missing && mayBeMissing)) {
        return Outcome::refused("The group file " + quoted(path_) + " cannot be opened: " +
                                (read.missing ? std::string("it does not exist") : read.error) + ".");
    }
    if (!file_.problem().empty()) {
        readOnlyReason_ = file_.problem();
        return Outcome::refused("The file " + quoted(path_) + " cannot be a group file: " + file_.problem() +
                                ".");
    }
    return {};
}

void GroupStore::startEmpty() {
    file_ = GroupFile();
    before_ = platform::readFile(path_);
    identity_ = platform::identityOf(path_);
    readOnlyReason_.clear();
}

void GroupStore::adopt(std::string bytes) {
    before_ = bytes;
    file_ = GroupFile(std::move(bytes));
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

std::optional<std::size_t> GroupStore::indexOf(const GroupLinePlace& line) const {
    std::size_t seen = 0;
    for (std::size_t index = 0; index < file_.size(); ++index) {
        if (file_.name(index) == line.group && seen++ == line.occurrence) {
            return index;
        }
    }
    return std::nullopt;
}

Outcome GroupStore::appendMember(const GroupLinePlace& line, const std::string& name) {
    if (const auto problem = Validator::memberName(name); problem || name.empty()) {
        return Outcome::refused(refusal("member name", name, problem.value_or("it is empty")));
    }
    const auto target = indexOf(line);
    if (!target) {
        return Outcome::refused("The group " + quoted(line.group) +
                                " is no longer in the file: another program removed it. " + quoted(name) +
                                " was not added.");
    }
    const std::string text = file_.compose(
        [&](std::size_t index, std::string& out) {
            if (index != *target) {
                return GroupFile::Fate::Keep;
            }
            auto members = file_.members(index);
            members.emplace_back(name);
            GroupFile::appendLine(out, file_.name(index), members);
            return GroupFile::Fate::Rewrite;
        },
        "");
    return changed(text, "Added " + name + " to " + line.group);
}

Outcome GroupStore::deleteEntries(const std::vector<GroupLinePlace>& lines,
                                  const std::vector<MemberPlace>& members) {
    std::vector<bool> dropped(file_.size(), false);
    // Per line, the positions of the members that go.
    std::vector<std::vector<bool>> goes(file_.size());
    std::string names;
    const auto name = [&](const std::string& what) { names += (names.empty() ? "" : ", ") + what; };
    for (const auto& line : lines) {
        if (const auto index = indexOf(line)) {
            dropped[*index] = true;
            name(line.group);
        }
    }
    for (const auto& member : members) {
        const auto index = indexOf(member.line);
        if (!index || dropped[*index]) {
            continue;
        }
        const auto onLine = file_.members(*index);
        std::size_t seen = 0;
        for (std::size_t at = 0; at < onLine.size(); ++at) {
            if (onLine[at] == member.member && seen++ == member.occurrence) {
                goes[*index].resize(onLine.size(), false);
                goes[*index][at] = true;
                name(member.member);
                break;
            }
        }
    }
    if (names.empty() && !(lines.empty() && members.empty())) {
        return Outcome::refused(
            "The chosen groups and members are no longer in the file: another program removed them.");
    }
    const std::string text = file_.compose(
        [&](std::size_t index, std::string& out) {
            if (dropped[index]) {
                return GroupFile::Fate::Drop;
            }
            if (goes[index].empty()) {
                return GroupFile::Fate::Keep;
            }
            std::vector<std::string_view> kept;
            const auto onLine = file_.members(index);
            for (std::size_t at = 0; at < onLine.size(); ++at) {
                if (!goes[index][at]) {
                    kept.push_back(onLine[at]);
                }
            }
            GroupFile::appendLine(out, file_.name(index), kept);
            return GroupFile::Fate::Rewrite;
        },
        "");
    return changed(text, names.empty() ? std::string() : "Deleted " + names);
}

CommitResult GroupStore::commit(const std::function<Outcome(GroupStore&)>& change) {
    CommitResult result;
    // The identity tells cheaply that nothing happened; when it differs, the bytes decide.
    bool mustRead = platform::identityOf(path_) != identity_;
    std::optional<std::string> displaced;
    // Each round loses only to a program that wrote in the moment between its read and its rename; a
    // program that keeps writing for longer than this is given the file.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < giveUp) {
        const bool onDisplaced = displaced.has_value();
        if (displaced) {
            adopt(std::move(*displaced));
            displaced.reset();
        } else if (mustRead) {
            auto read = platform::readSettledFile(path_, kSizeLimit, &file_.bytes());
            if (!read.ok && (identity_ || !read.missing)) {
                result.outcome =
                    Outcome::refused("The group file " + quoted(path_) + " was changed by another program: " +
                                     (read.missing ? std::string("it is gone") : read.error) +
                                     ". Your change was not written; open the file again.");
                return result;
            }
            if (read.ok && read.bytes != file_.bytes()) {
                adopt(std::move(read.bytes));
            }
            identity_ = read.ok ? std::optional(read.identity) : std::nullopt;
        }
        mustRead = false;
        if (!file_.problem().empty()) {
            readOnlyReason_ = file_.problem();
            result.outcome = Outcome::refused("The file " + quoted(path_) +
                                              " was changed by another program and is now read-only here: " +
                                              readOnlyReason_ + ". Your change was not written.");
            return result;
        }
        if (!readOnlyReason_.empty()) {
            result.outcome = Outcome::refused("The group file " + quoted(path_) + " is read-only here (" +
                                              readOnlyReason_ + ").");
            return result;
        }
        const auto base = file_.sharedBytes();
        Outcome outcome = change(*this);
        // On a text another program wrote into the replaced file, that text goes back even when the change
        // no longer applies to it, so its groups are not lost with the file it wrote into.
        if (!outcome.ok() && !onDisplaced) {
            result.outcome = std::move(outcome);
            return result;
        }
        const auto write = platform::writeFileIfUnchanged(path_, file_.bytes(), identity_, base.get());
        if (write.result) {
            identity_ = write.written;
            if (write.moved) {
                displaced = write.displaced;
                mustRead = !displaced;
                continue;
            }
            before_ = file_.bytes();
            result.written = outcome.ok();
            result.outcome = std::move(outcome);
            return result;
        }
        if (write.moved) {
            mustRead = true;
            continue;
        }
        result.error = write.result.error;
        result.outcome = std::move(outcome);
        return result;
    }
    (void)open(true);
    result.outcome = Outcome::refused("The group file " + quoted(path_) +
                                      " kept being changed by another program while Keepgate saved it. Your "
                                      "change was not written; try again.");
    return result;
}

} // namespace keepgate::operations

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "formats/GroupFile.h"
#include "operations/Outcome.h"
#include "platform/FileSystem.h"

namespace keepgate::operations {

struct GroupEntry {
    std::string name;
    std::vector<std::string> members;
};

// One line of a group, by its name and which of the lines of that name it is (0 for the first), so that
// it is found again in a file another program changed.
struct GroupLinePlace {
    std::string group;
    std::size_t occurrence = 0;
};

// One member on one group line, by its name and which of the same names on that line it is.
struct MemberPlace {
    GroupLinePlace line;
    std::string member;
    std::size_t occurrence = 0;
};

// How a careful write ended, beside the outcome of the change itself.
struct CommitResult {
    Outcome outcome;
    bool written = false; // the file holds the change now
    std::string error;    // why it could not be written (the change stays in the store for the next write)
};

// The groups of one group file. Changes rewrite only the lines of the group concerned; every other line
// stays byte for byte. A change that is already so (a group that exists, a member already in it) changes
// nothing.
class GroupStore {
  public:
    explicit GroupStore(std::string path) : path_(std::move(path)) {}

    Outcome open(bool mayBeMissing = false);
    // Starts an empty file in place of whatever the path holds: the first write replaces it.
    void startEmpty();
    const std::string& path() const { return path_; }
    bool exists() const { return before_.has_value(); }
    const GroupFile& file() const { return file_; }
    // Why the file may be shown but never written (it cannot be read, or is no group file); empty otherwise.
    const std::string& readOnlyReason() const { return readOnlyReason_; }
    std::vector<GroupEntry> list() const;
    bool has(const std::string& group) const;

    Outcome addGroup(const std::string& group);
    Outcome deleteGroup(const std::string& group);
    Outcome addMembers(const std::string& group, const std::vector<std::string>& names);
    Outcome removeMembers(const std::string& group, const std::vector<std::string>& names);

    // The window's edits, by place: a member added to one line of a group (even when the name is on it
    // already, as the user asked), and group lines and single members deleted. Places the file no longer
    // holds are skipped; a refusal when none is left.
    Outcome appendMember(const GroupLinePlace& line, const std::string& name);
    Outcome deleteEntries(const std::vector<GroupLinePlace>& lines, const std::vector<MemberPlace>& members);

    // Makes one change to the file as it is on disk now and writes it only onto the file it was made to:
    // when another program changed the file since it was read, or writes it during the rename, the file is
    // read again and the change made again to what that program left, so neither change is lost. The
    // file is written even when the change leaves its bytes as they were.
    CommitResult commit(const std::function<Outcome(GroupStore&)>& change);

  private:
    Outcome changed(std::string text, std::string message);
    std::optional<std::size_t> indexOf(const GroupLinePlace& line) const;
    void adopt(std::string bytes);

    std::string path_;
    GroupFile file_;
    std::optional<std::string> before_;
    std::optional<platform::FileIdentity> identity_;
    std::string readOnlyReason_;
};

} // namespace keepgate::operations

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "formats/GroupFile.h"
#include "operations/Outcome.h"

namespace keepgate::operations {

struct GroupEntry {
    std::string name;
    std::vector<std::string> members;
};

// The groups of one group file. Changes rewrite only the lines of the group concerned; every other line
// stays byte for byte. A change that is already so (a group that exists, a member already in it) changes
// nothing.
class GroupStore {
  public:
    explicit GroupStore(std::string path) : path_(std::move(path)) {}

    Outcome open(bool mayBeMissing = false);
    const std::string& path() const { return path_; }
    bool exists() const { return before_.has_value(); }
    std::vector<GroupEntry> list() const;
    bool has(const std::string& group) const;

    Outcome addGroup(const std::string& group);
    Outcome deleteGroup(const std::string& group);
    Outcome addMembers(const std::string& group, const std::vector<std::string>& names);
    Outcome removeMembers(const std::string& group, const std::vector<std::string>& names);

  private:
    Outcome changed(std::string text, std::string message);

    std::string path_;
    GroupFile file_;
    std::optional<std::string> before_;
};

} // namespace keepgate::operations

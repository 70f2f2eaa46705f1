#include "formats/ReadFile.h"

#include "formats/GroupFile.h"
#include "formats/UserFile.h"
#include "platform/FileSystem.h"

namespace keepgate {

namespace {

// The bytes of a user or group file; none when it cannot be read or is larger than any such file.
std::string contentsOf(const std::string& path) {
    auto read = platform::readFileWithin(path, UserFile::kSizeLimit);
    return read.ok ? std::move(read.bytes) : std::string();
}

NameSet nameSet(const std::vector<std::string>& names) {
    NameSet set;
    set.reserve(names.size());
    for (const auto& name : names) {
        set.insert(name);
    }
    return set;
}

} // namespace

std::vector<UserRecord> ReadFile::readUserfile(const std::string& recordsFile,
                                               const std::vector<std::string>& users) {
    const UserFile file(contentsOf(recordsFile));
    return file.records(nameSet(users));
}

std::vector<GroupRecord> ReadFile::readGroupfile(const std::string& recordsFile,
                                                 const std::vector<std::string>& groups) {
    const GroupFile file(contentsOf(recordsFile));
    const NameSet marked = nameSet(groups);
    std::vector<GroupRecord> records;
    records.reserve(file.size());
    for (std::size_t group = 0; group < file.size(); ++group) {
        const auto name = file.name(group);
        records.push_back(
            GroupRecord{{"groupname", std::string(name)}, {"check", marked.contains(name) ? "1" : "0"}});
    }
    return records;
}

std::vector<ReadFile::GroupLine> ReadFile::readGroupTree(const std::string& recordsFile) {
    const GroupFile file(contentsOf(recordsFile));
    std::vector<GroupLine> groups;
    groups.reserve(file.size());
    for (std::size_t group = 0; group < file.size(); ++group) {
        GroupLine line{std::string(file.name(group)), {}};
        for (const auto member : file.members(group)) {
            line.members.emplace_back(member);
        }
        groups.push_back(std::move(line));
    }
    return groups;
}

} // namespace keepgate

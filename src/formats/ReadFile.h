#pragma once

#include <string>
#include <vector>

#include "formats/GroupRecord.h"
#include "formats/UserRecord.h"

namespace keepgate {

class ReadFile {
public:
    // The user lines of a user file in file order, each marked "check" "1" when its name is in `users`.
    // A file that cannot be read gives an empty list.
    static std::vector<UserRecord> readUserfile(const std::string& recordsFile,
                                                const std::vector<std::string>& users = {});

    // The group lines of a group file in file order, each marked "check" "1" when its name is in `groups`.
    static std::vector<GroupRecord> readGroupfile(const std::string& recordsFile,
                                                  const std::vector<std::string>& groups = {});

    // A group line as the group editor's tree reader takes it: the name before the first colon and the
    // members, the pieces after the first when the whole line is split at every blank.
    struct GroupLine {
        std::string title;
        std::vector<std::string> members;
        bool operator==(const GroupLine&) const = default;
    };
    // The group lines of a group file for the group editor's tree; a file that cannot be read gives none.
    static std::vector<GroupLine> readGroupTree(const std::string& recordsFile);
};

} // namespace keepgate

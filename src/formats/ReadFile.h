#pragma once

#include <string>
#include <vector>

#include "formats/GroupRecord.h"
#include "formats/UserRecord.h"

namespace keepgate {

class ReadFile {
public:
    // The user lines of a user file in file order, each marked "check" "1" when its name is in `users`.
    // Comment lines ("#" first) are not users. A file that cannot be read, or one over the size limit,
    // gives an empty list.
    static std::vector<UserRecord> readUserfile(const std::string& recordsFile,
                                                const std::vector<std::string>& users = {});

    // The group lines of a group file in file order, each marked "check" "1" when its name is in `groups`.
    static std::vector<GroupRecord> readGroupfile(const std::string& recordsFile,
                                                  const std::vector<std::string>& groups = {});

    // A group line as the web server reads it: the name before the first colon (leading blanks dropped) and
    // the members, the words after the colon split at runs of blanks and tabs. Comment lines are no groups.
    struct GroupLine {
        std::string title;
        std::vector<std::string> members;
        bool operator==(const GroupLine&) const = default;
    };
    // The group lines of a group file for the group editor's tree; a file that cannot be read gives none.
    static std::vector<GroupLine> readGroupTree(const std::string& recordsFile);
};

} // namespace keepgate

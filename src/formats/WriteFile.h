#pragma once

#include <string>
#include <vector>

#include "formats/ReadFile.h"
#include "formats/UserRecord.h"

namespace keepgate {

// The exact text that saving writes; the editors write it atomically.
class WriteFile {
public:
    // "username:password\n" for each record in order; the "check" key is never written.
    static std::string userfileText(const std::vector<UserRecord>& records);
    // "title:" then " member" for each member, then "\n", for each group in order.
    static std::string groupfileText(const std::vector<ReadFile::GroupLine>& groups);
};

} // namespace keepgate

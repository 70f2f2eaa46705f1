#pragma once

#include <optional>
#include <string>

#include "formats/UserRecord.h"

namespace keepgate {

class AddUser {
public:
    // A new record with "username" and the "password" hashed as the preferences choose (no "check"), or
    // nothing when the name is absent, cannot be held by a user file or a "Require user" line, or the hashing tool gives no hash.
    static std::optional<UserRecord> createRecord(const std::optional<std::string>& username,
                                                  const std::optional<std::string>& password);

    // True for a name that a user file line and a "Require user" line can hold: not empty, and no ":",
    // line break, blank or tab. Any other UTF-8 is the user's own.
    static bool isStorableUsername(const std::string& username);
};

} // namespace keepgate

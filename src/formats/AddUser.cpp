#include "formats/AddUser.h"

#include "services/AdmTools.h"

namespace keepgate {

bool AddUser::isStorableUsername(const std::string& username) {
    // A colon ends the name in a user file line, a line break ends the line, and blanks separate the
    // names of a "Require user" line; a NUL byte cannot be passed to the hashing tool at all.
    return username.find_first_of(std::string(":\n\r \t\0", 6)) == std::string::npos;
}

std::optional<UserRecord> AddUser::createRecord(const std::optional<std::string>& username,
                                                const std::optional<std::string>& password) {
    if (!username || !isStorableUsername(*username)) {
        return std::nullopt;
    }
    const auto hash = AdmTools::getPasswd(username, password);
    if (!hash) {
        return std::nullopt;
    }
    return UserRecord{{"username", *username}, {"password", *hash}};
}

} // namespace keepgate

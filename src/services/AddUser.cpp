#include "services/AddUser.h"

#include "formats/HashKind.h"
#include "formats/NameRules.h"
#include "services/AdmTools.h"

namespace keepgate {

bool AddUser::isStorableUsername(const std::string& username) {
    // A NUL byte (among the forbidden characters) cannot be passed to the hashing tool at all.
    return !names::problem(username, names::kUsername);
}

std::optional<UserRecord> AddUser::createRecord(const std::optional<std::string>& username,
                                                const std::optional<std::string>& password) {
    if (!username || !isStorableUsername(*username)) {
        return std::nullopt;
    }
    const auto hash = AdmTools::getPasswd(username, password, hashes::preferredToolOptions());
    if (!hash) {
        return std::nullopt;
    }
    return UserRecord{{"username", *username}, {"password", *hash}};
}

} // namespace keepgate

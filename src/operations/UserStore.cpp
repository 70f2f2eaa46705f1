#include "operations/UserStore.h"

#include "formats/HashKind.h"
#include "formats/Validator.h"
#include "platform/FileSystem.h"
#include "platform/SystemPaths.h"
#include "services/AdmTools.h"

namespace keepgate::operations {

namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

Outcome UserStore::open(bool mayBeMissing) {
    auto read = platform::readFileWithin(path_, UserFile::kSizeLimit);
    if (!read.ok && !(read.missing && mayBeMissing)) {
        return Outcome::refused("The user file " + quoted(path_) + " cannot be opened: " +
                                (read.missing ? std::string("it does not exist") : read.error) + ".");
    }
    before_ = read.ok ? std::optional(read.bytes) : std::nullopt;
    file_ = UserFile(std::move(read.bytes));
    readOnlyReason_ = file_.kind() == UserFile::Kind::Users ? "" : file_.kindProblem();
    return {};
}

void UserStore::load(UserFile file, bool exists) {
    file_ = std::move(file);
    before_ = exists ? std::optional(file_.bytes()) : std::nullopt;
    readOnlyReason_ = file_.kind() == UserFile::Kind::Users ? "" : file_.kindProblem();
}

std::vector<UserEntry> UserStore::list() const {
    std::vector<UserEntry> users;
    for (std::size_t row = 0; row < file_.size(); ++row) {
        users.push_back({std::string(file_.name(row)), hashes::kindOf(file_.hash(row))});
    }
    return users;
}

Outcome UserStore::writable() const {
    if (!readOnlyReason_.empty()) {
        return Outcome::refused("The file " + quoted(path_) + " is read-only here: " + readOnlyReason_ +
                                ". Keepgate will not write to it.");
    }
    return {};
}

Outcome UserStore::changed(std::string message) const {
    Outcome outcome;
    outcome.message = std::move(message);
    outcome.changes.push_back({path_, before_, file_.bytes()});
    return outcome;
}

std::optional<std::string> UserStore::hashOf(const std::string& name, const std::string& password,
                                             const std::vector<std::string>& hashOptions,
                                             Outcome* failure) const {
    // With an empty password the server lets in anyone who knows the name.
    if (password.empty()) {
        *failure = Outcome::refused("The password of " + quoted(name) +
                                    " is empty: without a password anyone who knows the name would be let "
                                    "in. Nothing was saved.");
        return std::nullopt;
    }
    if (password.find('\0') != std::string::npos) {
        *failure =
            Outcome::refused("The password contains a NUL character, which htpasswd would silently cut "
                             "off there. Nothing was saved.");
        return std::nullopt;
    }
    if (made_ && made_->name == name && made_->password == password && made_->options == hashOptions) {
        return made_->hash;
    }
    const auto hash = AdmTools::getPasswd(name, password, hashOptions);
    if (!hash) {
        *failure = Outcome::refused("The password could not be hashed with " +
                                    quoted(systemPaths().htpasswd) + ". Nothing was saved.");
        return std::nullopt;
    }
    made_ = MadeHash{name, password, *hash, hashOptions};
    return hash;
}

Outcome UserStore::add(const std::string& name, const std::string& password,
                       const std::vector<std::string>& hashOptions, bool confirmed) {
    if (const auto problem = Validator::userName(name)) {
        return Outcome::refused(refusal("user name", name, *problem));
    }
    if (name.empty()) {
        return Outcome::refused(refusal("user name", name, "it is empty"));
    }
    if (auto refused = writable(); !refused.ok()) {
        return refused;
    }
    if (password.empty()) {
        Outcome failure;
        hashOf(name, password, hashOptions, &failure);
        return failure;
    }
    // The web server reads only the first line of a name, so a second line would never take effect.
    if (const auto row = file_.find(name)) {
        if (AdmTools::checkPassword(std::string(file_.hash(*row)), password).value_or(false)) {
            Outcome same;
            same.message = "The user " + quoted(name) + " is already in " + path_ + " with this password.";
            return same;
        }
        if (!confirmed) {
            return Outcome::asking("The user " + quoted(name) +
                                   " is already in the file. Change its password "
                                   "instead?");
        }
        return passwd(name, password, hashOptions);
    }
    Outcome failure;
    const auto hash = hashOf(name, password, hashOptions, &failure);
    if (!hash) {
        return failure;
    }
    file_.append(name, *hash);
    return changed("Added " + name);
}

Outcome UserStore::passwd(const std::string& name, const std::string& password,
                          const std::vector<std::string>& hashOptions) {
    if (auto refused = writable(); !refused.ok()) {
        return refused;
    }
    const auto row = file_.find(name);
    if (!row) {
        return Outcome::refused("The user " + quoted(name) + " is not in " + path_ + ".");
    }
    Outcome failure;
    const auto hash = hashOf(name, password, hashOptions, &failure);
    if (!hash) {
        return failure;
    }
    file_.replaceHash(*row, *hash);
    return changed("Changed the password of " + name);
}

Outcome UserStore::remove(const std::string& name) {
    if (auto refused = writable(); !refused.ok()) {
        return refused;
    }
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < file_.size(); ++row) {
        if (file_.name(row) == name) {
            rows.push_back(row);
        }
    }
    if (rows.empty()) {
        Outcome absent;
        absent.message = "The user " + quoted(name) + " is not in " + path_ + "; nothing to delete.";
        return absent;
    }
    file_.erase(rows);
    return changed("Deleted " + name);
}

Outcome UserStore::removeLines(const std::unordered_set<std::string>& lines, const std::string& names) {
    if (auto refused = writable(); !refused.ok()) {
        return refused;
    }
    std::vector<std::size_t> rows;
    std::string key;
    for (std::size_t row = 0; row < file_.size(); ++row) {
        key.assign(file_.name(row)).append(":").append(file_.hash(row));
        if (lines.contains(key)) {
            rows.push_back(row);
        }
    }
    // Lines that changed since they were chosen are another user's now, so this is no success.
    if (rows.empty()) {
        return Outcome::refused("The chosen users are not in " + path_ + " as they were chosen.");
    }
    file_.erase(rows);
    return changed("Deleted " + names);
}

Outcome UserStore::verify(const std::string& name, const std::string& password,
                          std::optional<bool>* matches) const {
    const auto row = file_.find(name);
    if (!row) {
        return Outcome::refused("The user " + quoted(name) + " is not in " + path_ + ".");
    }
    *matches = AdmTools::checkPassword(std::string(file_.hash(*row)), password);
    if (!*matches) {
        return Outcome::refused("The password could not be checked with " + quoted(systemPaths().htpasswd) +
                                ".");
    }
    Outcome outcome;
    outcome.status = **matches ? Status::Done : Status::Refused;
    outcome.message = **matches ? "The password is correct for " + quoted(name) + "."
                                : "The password does not match the one stored for " + quoted(name) + ".";
    return outcome;
}

std::optional<std::vector<std::string>> UserStore::hashOptionsFor(const std::string& kind) {
    if (kind == "apr1") {
        return std::vector<std::string>{"-m"};
    }
    if (kind == "bcrypt") {
        return hashes::bcryptToolOptions(hashes::kDefaultBcryptCost);
    }
    if (kind == "sha256") {
        return std::vector<std::string>{"-2"};
    }
    if (kind == "sha512") {
        return std::vector<std::string>{"-5"};
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> UserStore::bcryptOptionsFor(const std::string& cost,
                                                                    const std::optional<std::string>& hash,
                                                                    std::string* problem) {
    const std::string range =
        std::to_string(hashes::kMinBcryptCost) + " to " + std::to_string(hashes::kMaxBcryptCost);
    if (hash && *hash != "bcrypt") {
        *problem = "The cost applies to bcrypt only; use --hash bcrypt with --cost.";
        return std::nullopt;
    }
    int value = 0;
    const bool digits =
        !cost.empty() && cost.size() <= 2 && cost.find_first_not_of("0123456789") == std::string::npos;
    if (digits) {
        value = std::stoi(cost);
    }
    if (!digits || value < hashes::kMinBcryptCost || value > hashes::kMaxBcryptCost) {
        *problem = "The bcrypt cost \"" + cost + "\" is not a whole number from " + range + ".";
        return std::nullopt;
    }
    return hashes::bcryptToolOptions(value);
}

} // namespace keepgate::operations

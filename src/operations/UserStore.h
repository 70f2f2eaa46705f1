#pragma once

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "formats/UserFile.h"
#include "operations/Outcome.h"

namespace keepgate::operations {

// One user as a listing shows it.
struct UserEntry {
    std::string name;
    std::string hashKind; // "bcrypt", "apr1 (MD5)", …
};

// The users of one user file, edited line by line: every change is made to the file as it is on disk
// when the change is asked for, and comes back as a file change for the caller to write or show.
class UserStore {
  public:
    explicit UserStore(std::string path) : path_(std::move(path)) {}

    // Reads the file. A missing file opens empty when `mayBeMissing` (the first user creates it), and is
    // refused otherwise; an unreadable file, or one that is no user file, is refused for changes.
    Outcome open(bool mayBeMissing = false);
    // Works on a file the caller has read itself (the window reads it settled and watches it); `exists`
    // tells whether it is on disk.
    void load(UserFile file, bool exists);

    const std::string& path() const { return path_; }
    const UserFile& file() const { return file_; }
    bool exists() const { return before_.has_value(); }
    std::vector<UserEntry> list() const;

    // `hashOptions` choose the kind of hash (the hashing tool's options; none for its default).
    // An existing user with the same password is left as it is; with another password the change is a
    // question unless `confirmed`.
    Outcome add(const std::string& name, const std::string& password,
                const std::vector<std::string>& hashOptions, bool confirmed);
    Outcome passwd(const std::string& name, const std::string& password,
                   const std::vector<std::string>& hashOptions);
    // Removes every line of the user; a user who is not there is no failure.
    Outcome remove(const std::string& name);
    // Removes every line whose "name:hash" is one of `lines`, duplicates included, so that a user whose
    // password another program changed meanwhile stays (refused when none is left); `names` says whom.
    Outcome removeLines(const std::unordered_set<std::string>& lines, const std::string& names);
    // Whether the password is the user's; `matches` holds the answer when the tool gave one.
    Outcome verify(const std::string& name, const std::string& password, std::optional<bool>* matches) const;

    // The tool's options for a kind named on the command line ("apr1", "bcrypt", "sha256", "sha512").
    static std::optional<std::vector<std::string>> hashOptionsFor(const std::string& kind);
    // The tool's options for bcrypt at a cost given as text (5 to 14); `hash`, when given, must name
    // bcrypt. Nothing, with the reason in `problem`, otherwise.
    static std::optional<std::vector<std::string>>
    bcryptOptionsFor(const std::string& cost, const std::optional<std::string>& hash, std::string* problem);

  private:
    Outcome writable() const;
    Outcome changed(std::string message) const;
    std::optional<std::string> hashOf(const std::string& name, const std::string& password,
                                      const std::vector<std::string>& hashOptions, Outcome* failure) const;

    std::string path_;
    UserFile file_;
    // The last hash made, so that a change applied again to a file another program rewrote meanwhile
    // does not run the tool again (a bcrypt hash may take a second). Memory only.
    struct MadeHash {
        std::string name, password, hash;
        std::vector<std::string> options;
    };
    mutable std::optional<MadeHash> made_;
    std::optional<std::string> before_;
    std::string readOnlyReason_;
};

} // namespace keepgate::operations

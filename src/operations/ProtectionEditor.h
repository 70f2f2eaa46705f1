#pragma once

#include <optional>
#include <string>
#include <vector>

#include "formats/BlockText.h"
#include "formats/ProtectionInfo.h"
#include "operations/Outcome.h"

namespace keepgate::operations {

// Where a directory's protection block lives: the whole access file in the directory, or the directory's
// section of the shared configuration file.
enum class Place { AccessFile, SharedFile };

struct ProtectionPlaces {
    std::string accessFileName = ".htaccess";
    std::string sharedFile; // the shared configuration file the server includes
};

// A directory's protection as read from one place.
struct LoadedProtection {
    Place place = Place::AccessFile;
    std::string file;                 // the access file or the shared configuration file
    std::optional<std::string> block; // the block's text; absent where no block is
    ProtectionInfo info;              // the block's directives, as the editor reads them
    BlockLines lines;                 // divided, every Require name counted as known
};

// The protection asked for, field by field, as the directory editor holds it.
struct ProtectionRequest {
    std::string realm; // empty: "Keepgate"
    std::string userFile;
    std::string groupFile;
    std::vector<std::string> users;
    std::vector<std::string> groups;
    bool validUser = false;
    std::vector<std::string> allow;
    std::vector<std::string> deny;
    bool denyOthers = false;
    bool orderAllowDeny = false; // "Order allow,deny" (a host must be allowed and not denied)
    bool either = false;         // a password or an admitted host is enough ("or"), rather than both
    bool apache24 = false;       // the host rules as Apache 2.4's Require lines rather than Order/Allow/Deny
    // The server's configuration may supply the user and group files (Apache merges AuthUserFile and
    // AuthGroupFile from enclosing sections): an empty file then writes no line, and the Require lines
    // are written without one. The window allows this; the command line asks for the files.
    bool filesFromServer = false;
};

// Loads, composes, saves and removes the protection of one directory. Saving keeps every line the editor
// does not write itself, reads the file again at the moment of composing, and asks before it replaces
// lines that control access in a form it cannot show.
class ProtectionEditor {
  public:
    ProtectionEditor(std::string directory, ProtectionPlaces places)
        : directory_(std::move(directory)), places_(std::move(places)) {}

    const std::string& directory() const { return directory_; }
    std::string fileOf(Place place) const;

    // The protection in one place; a file that exists but cannot be read is refused.
    Outcome load(Place place, LoadedProtection* loaded) const;
    // Where a block stands now: the access file first, then the shared file; nothing when neither holds one.
    std::optional<Place> placeInUse() const;

    // The block's text, every value through the validator; a refusal names the value and the rule. Named
    // users and groups must be in the files named.
    static Outcome compose(const ProtectionRequest& request, std::string* block);

    // The change that saves the request in `place`; a question when lines would be replaced that the
    // editor cannot show and `confirmed` is false.
    Outcome save(Place place, const ProtectionRequest& request, bool confirmed) const;
    // The change that removes the block from `place`, keeping the access file's other lines; no change,
    // and a message saying so, when the place holds no protection.
    Outcome remove(Place place) const;
    // Whether `remove` found nothing to take away.
    static bool removedNothing(const Outcome& outcome) { return outcome.ok() && outcome.changes.empty(); }

  private:
    std::string directory_;
    ProtectionPlaces places_;
};

} // namespace keepgate::operations

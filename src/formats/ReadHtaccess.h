#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/ProtectionInfo.h"

namespace keepgate {

class ReadHtaccess {
  public:
    // The block that is a whole access file; an unreadable file gives an empty result.
    static ProtectionInfo htaccess(const std::string& htaccessFile);
    // The first section of the shared configuration file whose opening line (no comment) is
    // <Directory "directory">, up to its closing line in any case or just before the next section.
    static ProtectionInfo configFile(const std::string& configFile, const std::string& directory);
    // The directives of one block of text, read as Apache reads them: names in any case, arguments split
    // at runs of blanks and unquoted, lines ending in a backslash joined to the next. The names of several
    // Require lines of one kind, and the hosts of several Allow or Deny lines, gather in line order.
    // Apache 2.4 rules (Require ip/host/all/not and the Require containers) fill the same keys when they
    // have a shape the host table can show.
    static ProtectionInfo readPart(const std::optional<std::string>& fileAsString);

    // The arguments of one line as Apache splits them: at runs of blanks and tabs, a word that begins with
    // a double or single quote running to the matching quote (a backslash before that quote escapes it).
    static std::vector<std::string> words(std::string_view line);
    // Whether a physical line (without its line feed) goes on in the next one: it ends in a backslash,
    // before an optional carriage return, that is not itself escaped.
    static bool continues(std::string_view line);
    // The physical line without the continuation backslash (and carriage return) that joins it to the next.
    static std::string_view withoutContinuation(std::string_view line);
    // Whether the Require lines and Require containers of a block combine into a rule the editor can show
    // exactly (users and groups, allowed and denied hosts, and or or between them).
    static bool showable(const std::string& requireLines);
};

} // namespace keepgate

#pragma once

#include <optional>
#include <string>

#include "formats/ProtectionInfo.h"

namespace keepgate {

class ReadHtaccess {
  public:
    // The block that is a whole access file; an unreadable file gives an empty result.
    static ProtectionInfo htaccess(const std::string& htaccessFile);
    // The first section of the shared configuration file whose opening line (no comment) is
    // <Directory "directory">, up to its closing line in any case or just before the next section.
    static ProtectionInfo configFile(const std::string& configFile, const std::string& directory);
    // The directives of one block of text; the names of several Require lines of one kind, and the
    // hosts of several Allow or Deny lines, gather in line order.
    static ProtectionInfo readPart(const std::optional<std::string>& fileAsString);
};

} // namespace keepgate

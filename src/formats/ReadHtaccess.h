#pragma once

#include <optional>
#include <string>

#include "formats/ProtectionInfo.h"

namespace keepgate {

class ReadHtaccess {
public:
    // The block that is a whole access file; an unreadable file gives an empty result.
    static ProtectionInfo htaccess(const std::string& htaccessFile);
    // The first block of the shared configuration file whose header is <Directory "directory">.
    static ProtectionInfo configFile(const std::string& configFile, const std::string& directory);
    // The directives of one block of text.
    static ProtectionInfo readPart(const std::optional<std::string>& fileAsString);
};

} // namespace keepgate

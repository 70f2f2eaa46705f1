#pragma once

#include "platform/Record.h"

namespace keepgate {

// The directives read from one protection block; a key is present only when a line set it, and every
// value is text ("authname", "userfile", "groupfile", "users", "groups", "denyall", "allow", "deny",
// "orderallow", "valid-user", "satisfyany" for "password or host"; "apache22" when the block holds Order,
// Allow, Deny or Satisfy lines, "apache24" when its host rules are Apache 2.4 Require rules).
struct ProtectionInfo : Record {
    using Record::Record;
    bool operator==(const ProtectionInfo& other) const = default;
};

} // namespace keepgate

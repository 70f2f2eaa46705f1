#pragma once

#include "platform/Record.h"

namespace keepgate {

// The directives read from one protection block; a key is present only when a line set it, and every
// value is text ("authname", "userfile", "groupfile", "users", "groups", "denyall", "allow", "deny",
// "orderallow", "valid-user").
struct ProtectionInfo : Record {
    using Record::Record;
    bool operator==(const ProtectionInfo& other) const = default;
};

} // namespace keepgate

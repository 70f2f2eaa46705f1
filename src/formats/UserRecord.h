#pragma once

#include "platform/Record.h"

namespace keepgate {

// One user of a user file: "username", "password" (the hash as stored) and, when read from a file, "check".
struct UserRecord : Record {
    using Record::Record;
    bool operator==(const UserRecord& other) const = default;
};

} // namespace keepgate

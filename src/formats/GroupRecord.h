#pragma once

#include "platform/Record.h"

namespace keepgate {

// One group of a group file as the directory editor lists it: "groupname" and "check".
struct GroupRecord : Record {
    using Record::Record;
    bool operator==(const GroupRecord& other) const = default;
};

} // namespace keepgate

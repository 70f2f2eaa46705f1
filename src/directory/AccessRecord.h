#pragma once

#include "platform/Record.h"

namespace keepgate {

// One host rule: "denyallow" ("Allow" or "Deny") and "hostnameip".
struct AccessRecord : Record {
    using Record::Record;
    bool operator==(const AccessRecord& other) const = default;
};

} // namespace keepgate

#include "platform/SystemPaths.h"

namespace keepgate {

SystemPaths& systemPaths() {
    static SystemPaths paths;
    return paths;
}

} // namespace keepgate

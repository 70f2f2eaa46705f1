#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "formats/ReadHtaccess.h"

using namespace keepgate;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ProtectionInfo info = ReadHtaccess::readPart(text);
    for (const char* flag : {"denyall", "orderallow"}) {
        fuzz::require(!info.has(flag) || info.text(flag) == "yes");
    }
    // A value never reaches past its own line.
    for (const auto& [key, value] : info.values()) {
        fuzz::require(value.text().find('\n') == std::string::npos);
    }
    fuzz::require(ReadHtaccess::htaccess(fuzz::scratchFile(data, size)) == info);
    return 0;
}

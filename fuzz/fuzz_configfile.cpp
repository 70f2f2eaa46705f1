#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "formats/ReadHtaccess.h"

using namespace keepgate;

// The first line of the input names the directory; the rest is the shared configuration file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const auto newline = input.find('\n');
    const std::string directory = input.substr(0, newline);
    const std::string config = newline == std::string::npos ? std::string() : input.substr(newline + 1);
    const auto& path = fuzz::scratchFile(reinterpret_cast<const uint8_t*>(config.data()), config.size());
    const ProtectionInfo info = ReadHtaccess::configFile(path, directory);
    // Without the directory's header the result must be empty.
    if (config.find("<Directory \"" + directory + "\">") == std::string::npos) {
        fuzz::require(info.empty());
    }
    return 0;
}

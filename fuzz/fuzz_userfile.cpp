#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "formats/ReadFile.h"
#include "formats/WriteFile.h"

using namespace keepgate;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto records = ReadFile::readUserfile(fuzz::scratchFile(data, size), {"alice", ""});
    // Every user is one the web server could match: a name, not starting with white space or "#".
    for (const auto& record : records) {
        const std::string name = record.text("username");
        fuzz::require(!name.empty() && std::string(" \t\v\f\r#").find(name.front()) == std::string::npos);
    }
    // Saving what was read and reading it again gives the same users.
    const std::string saved = WriteFile::userfileText(records);
    const auto reread = ReadFile::readUserfile(
        fuzz::scratchFile(reinterpret_cast<const uint8_t*>(saved.data()), saved.size()), {"alice", ""});
    fuzz::require(reread == records);
    return 0;
}

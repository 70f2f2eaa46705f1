#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "formats/ReadFile.h"
#include "formats/WriteFile.h"

using namespace keepgate;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto& path = fuzz::scratchFile(data, size);
    const auto flat = ReadFile::readGroupfile(path, {"staff"});
    const auto tree = ReadFile::readGroupTree(path);
    fuzz::require(flat.size() <= tree.size());
    // A line without a name before its colon is no group.
    for (const auto& group : tree) {
        fuzz::require(!group.title.empty());
    }

    // The written tree reads back unchanged as long as no group name holds a blank.
    for (const auto& group : tree) {
        if (group.title.find(' ') != std::string::npos) {
            return 0;
        }
    }
    const std::string saved = WriteFile::groupfileText(tree);
    const auto& savedPath = fuzz::scratchFile(reinterpret_cast<const uint8_t*>(saved.data()), saved.size());
    fuzz::require(ReadFile::readGroupTree(savedPath) == tree);
    fuzz::require(ReadFile::readGroupfile(savedPath).size() == tree.size());
    return 0;
}

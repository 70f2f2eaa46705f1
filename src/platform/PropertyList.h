#pragma once

#include <map>
#include <optional>
#include <string>

namespace keepgate::platform {

// Parses an XML property list document whose root is a dictionary and gives its string entries; entries
// of other kinds (numbers, arrays, nested dictionaries) are left out. Absent when the document is not
// well-formed, is no property list or has another kind of root.
std::optional<std::map<std::string, std::string>> parsePropertyListDictionary(const std::string& document);

} // namespace keepgate::platform

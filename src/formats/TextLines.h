#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace keepgate::text {

// Splits at every occurrence of the separator; n separators give n + 1 pieces, empty ones included.
std::vector<std::string> split(std::string_view text, char separator);

// True when `text` contains `needle` (a plain, case-sensitive substring search).
inline bool contains(std::string_view text, std::string_view needle) {
    return text.find(needle) != std::string_view::npos;
}

} // namespace keepgate::text

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

// The text with ASCII capitals made small; Apache compares directive and section names this way.
inline std::string lowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

} // namespace keepgate::text

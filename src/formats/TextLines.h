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

// The web server skips a user or group file line whose first non-blank character is "#".
inline bool isCommentLine(std::string_view line) {
    const auto first = line.find_first_not_of(" \t");
    return first != std::string_view::npos && line[first] == '#';
}

// A line of nothing but blanks, tabs and a carriage return.
inline bool isBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
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

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

// The text without the given characters at either end.
inline std::string trimmed(std::string_view text, std::string_view characters = " \t\n\r\v\f") {
    const auto first = text.find_first_not_of(characters);
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(characters) - first + 1));
}

// Whether two words are equal but for ASCII letter case, as Apache compares directive names.
inline bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        const char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
        if (x != y) {
            return false;
        }
    }
    return true;
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

namespace keepgate::text {

// The text with capitals made small for a case-blind search: ASCII, and the two-byte UTF-8 letters of
// Latin-1, Latin Extended-A, Greek and Cyrillic; other bytes stay as they are.
std::string foldedCase(std::string_view text);
// The same into a buffer the caller reuses, so a search over a million names allocates nothing.
void foldCaseInto(std::string_view text, std::string& out);

} // namespace keepgate::text

#include "formats/TextLines.h"

namespace keepgate::text {

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            pieces.emplace_back(text.substr(start));
            return pieces;
        }
        pieces.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace keepgate::text

namespace keepgate::text {

namespace {

// The small letter of a capital in U+0080..U+07FF, or the code point itself.
char32_t smallLetter(char32_t c) {
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    // Latin Extended-A pairs a capital with the next code point, but for the runs where the odd one is
    // the capital.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
        return c % 2 == 0 ? c + 1 : c;
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
        return c % 2 == 1 ? c + 1 : c;
    }
    if (c == 0x178) {
        return 0xFF;
    }
    return c;
}

} // namespace

void foldCaseInto(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            out += byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : static_cast<char>(byte);
            continue;
        }
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (byte >= 0xC2 && byte <= 0xDF && (next & 0xC0) == 0x80) {
            const char32_t small = smallLetter(static_cast<char32_t>(((byte & 0x1F) << 6) | (next & 0x3F)));
            out += static_cast<char>(0xC0 | (small >> 6));
            out += static_cast<char>(0x80 | (small & 0x3F));
            ++i;
            continue;
        }
        out += static_cast<char>(byte);
    }
}

std::string foldedCase(std::string_view text) {
    std::string out;
    foldCaseInto(text, out);
    return out;
}

} // namespace keepgate::text

#include "formats/NameRules.h"

namespace keepgate::names {

std::optional<std::string> problem(const std::string& name, std::string_view forbidden) {
    for (const char c : name) {
        if (c == '\n' || c == '\r') {
            return "it contains a line break";
        }
        if (forbidden.find(c) == std::string_view::npos) {
            continue;
        }
        switch (c) {
        case ':':
            return "it contains a colon";
        case ' ':
            return "it contains a blank";
        case '\t':
            return "it contains a tab";
        case '\0':
            return "it contains a NUL byte";
        default:
            return std::string("it contains the character ") + c;
        }
    }
    return std::nullopt;
}

} // namespace keepgate::names

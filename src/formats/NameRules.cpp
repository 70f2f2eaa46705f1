#include "formats/NameRules.h"

#include "platform/Messages.h"

#include "formats/Validator.h"

namespace keepgate::names {

std::optional<std::string> problem(const std::string& name, std::string_view forbidden) {
    // The three kinds of name go through the one validator, so a name refused on a "Require" line is
    // refused in the user and group files as well.
    if (forbidden == kUsername) {
        return Validator::userName(name);
    }
    if (forbidden == kGroupName) {
        return Validator::groupName(name);
    }
    if (forbidden == kMemberName) {
        return Validator::memberName(name);
    }
    for (const char c : name) {
        if (c == '\n' || c == '\r') {
            return QT_TRANSLATE_NOOP("Messages", "it contains a line break");
        }
        if (forbidden.find(c) != std::string_view::npos) {
            return text::fill(QT_TRANSLATE_NOOP("Messages", "it contains the character %1"),
                              std::string(1, c));
        }
    }
    return std::nullopt;
}

} // namespace keepgate::names

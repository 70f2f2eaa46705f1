#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace keepgate::names {

// The characters besides line breaks that each kind of name cannot hold: a colon ends the name in a user
// or group file line, and blanks and tabs separate the names of "Require" lines and group members.
inline constexpr std::string_view kUsername{": \t\0", 4};
inline constexpr std::string_view kGroupName{": \t", 3};
inline constexpr std::string_view kMemberName{" \t", 2};

// Why a name cannot stand in a line of a user, group or protection file, in words ("it contains a
// blank"); nothing when it can. The three sets above select the validator's rule for that kind of name
// (white space, colons, control characters, "%{" and "${" among others); any other set refuses its own
// characters and line breaks.
std::optional<std::string> problem(const std::string& name, std::string_view forbidden);

} // namespace keepgate::names

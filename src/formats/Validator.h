#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace keepgate {

// The one rule for what may go into a line that Apache reads. Every operation answers the problem in
// words, naming the offending character or word ("it contains a vertical tab (0x0B)"), or nothing when
// the value may be written. Callers name the field and say that nothing was saved.
class Validator {
  public:
    // Apache reads configuration lines into a buffer of this many bytes, the line feed not counted.
    static constexpr std::size_t kMaxLineLength = 8190;

    // AuthName "realm".
    static std::optional<std::string> realm(const std::string& value);
    // A name on a "Require user" line and in a user file.
    static std::optional<std::string> userName(const std::string& value);
    // A name on a "Require group" line and in a group file.
    static std::optional<std::string> groupName(const std::string& value);
    // A member of a group in a group file.
    static std::optional<std::string> memberName(const std::string& value);
    // The host of one "Allow from" or "Deny from" rule.
    static std::optional<std::string> host(const std::string& value);
    // The directory of a <Directory "…"> section header.
    static std::optional<std::string> directoryPath(const std::string& value);
    // The path on an AuthUserFile or AuthGroupFile line.
    static std::optional<std::string> blockFilePath(const std::string& value);
    // A path kept in the preferences (the shared configuration file, the server's main configuration).
    static std::optional<std::string> preferencePath(const std::string& value);
    // The name of the per-directory access file.
    static std::optional<std::string> accessFileName(const std::string& value);
    // A whole line that is to be written, checked only for its length.
    static std::optional<std::string> line(const std::string& value);
};

} // namespace keepgate

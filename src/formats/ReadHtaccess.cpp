#include "formats/ReadHtaccess.h"

#include <cctype>
#include <string_view>

#include "formats/TextLines.h"
#include "platform/FileSystem.h"

namespace keepgate {

namespace {

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool isQuote(char c) {
    return c == '"' || c == '\'';
}

bool startsWithIgnoringCase(std::string_view text, std::size_t at, std::string_view prefix) {
    if (text.size() - at < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[at + i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

// Where a directive's value starts: past the scan name when the line begins with it (after white space),
// otherwise at the line's start, then one character further whatever that character is. Absent when
// the line ends before that character.
std::optional<std::size_t> valueStart(std::string_view line, std::string_view scanName) {
    std::size_t position = 0;
    while (position < line.size() && isWhiteSpace(line[position])) {
        ++position;
    }
    position = startsWithIgnoringCase(line, position, scanName) ? position + scanName.size() : 0;
    if (position >= line.size()) {
        return std::nullopt;
    }
    return position + 1;
}

// The rest of the line after the name and the white space behind it; absent when nothing is left.
std::optional<std::string> scanRestOfLine(std::string_view line, std::string_view scanName) {
    auto position = valueStart(line, scanName);
    if (!position) {
        return std::nullopt;
    }
    while (*position < line.size() && isWhiteSpace(line[*position])) {
        ++*position;
    }
    if (*position >= line.size()) {
        return std::nullopt;
    }
    return std::string(line.substr(*position));
}

// The realm: after the stepped-over character, quotes of either kind are skipped and the text runs to
// the next double quote or the end of the line.
std::optional<std::string> scanQuotedRealm(std::string_view line) {
    auto position = valueStart(line, "AuthName");
    if (!position) {
        return std::nullopt;
    }
    while (*position < line.size() && isQuote(line[*position])) {
        ++*position;
    }
    const std::size_t end = std::min(line.find('"', *position), line.size());
    if (end == *position) {
        return std::nullopt;
    }
    return std::string(line.substr(*position, end - *position));
}

// Several host lines of one kind gather into one blank-separated value, so no rule is lost on a save.
void appendHosts(ProtectionInfo& info, const std::string& key, std::string_view line,
                 std::string_view scanName) {
    const auto hosts = scanRestOfLine(line, scanName);
    if (!hosts || *hosts == "all") {
        return;
    }
    info.setValue(key, info.has(key) ? info.text(key) + " " + *hosts : *hosts);
}

void readLine(ProtectionInfo& info, const std::string& line) {
    using text::contains;
    if (contains(line, "AuthName")) {
        info.setValue("authname", scanQuotedRealm(line).value_or("Keepgate"));
    } else if (contains(line, "AuthUserFile")) {
        info.setValue("userfile", scanRestOfLine(line, "AuthUserFile").value_or(""));
    } else if (contains(line, "AuthGroupFile")) {
        info.setValue("groupfile", scanRestOfLine(line, "AuthGroupFile").value_or(""));
    } else if (contains(line, "Require user ")) {
        if (const auto users = scanRestOfLine(line, "Require user")) {
            info.setValue("users", *users);
        }
    } else if (contains(line, "Require group ")) {
        if (const auto groups = scanRestOfLine(line, "Require group")) {
            info.setValue("groups", *groups);
        }
    } else if (contains(line, "Deny from all")) {
        info.setValue("denyall", "yes");
    } else if (contains(line, "Allow from")) {
        appendHosts(info, "allow", line, "Allow from");
    } else if (contains(line, "Deny from")) {
        appendHosts(info, "deny", line, "Deny from");
    } else if (contains(line, "Order allow,deny")) {
        info.setValue("orderallow", "yes");
    } else if (contains(line, "Require valid-user")) {
        info.setValue("valid-user", "valid-user");
    }
}

} // namespace

ProtectionInfo ReadHtaccess::htaccess(const std::string& htaccessFile) {
    return readPart(platform::readFile(htaccessFile));
}

ProtectionInfo ReadHtaccess::configFile(const std::string& configFile, const std::string& directory) {
    const auto contents = platform::readFile(configFile);
    if (!contents) {
        return {};
    }
    const std::string header = "<Directory \"" + directory + "\">";
    std::string block;
    bool inside = false;
    for (const auto& line : text::split(*contents, '\n')) {
        inside = inside || text::contains(line, header);
        if (!inside) {
            continue;
        }
        block += line + "\n";
        if (text::contains(line, "</Directory>")) {
            break;
        }
    }
    return readPart(block);
}

ProtectionInfo ReadHtaccess::readPart(const std::optional<std::string>& fileAsString) {
    ProtectionInfo info;
    if (!fileAsString) {
        return info;
    }
    for (const auto& line : text::split(*fileAsString, '\n')) {
        readLine(info, line);
    }
    return info;
}

} // namespace keepgate

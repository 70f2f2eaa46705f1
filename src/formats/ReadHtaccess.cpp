#include "formats/ReadHtaccess.h"

#include <cctype>
#include <string_view>

#include "formats/ConfigSection.h"
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

// Several lines of one kind (host rules, or the Require lines that a long list of names is spread over)
// gather into one blank-separated value, in line order, so no name or host is lost on a save.
void appendList(ProtectionInfo& info, const std::string& key, const std::optional<std::string>& items) {
    if (!items) {
        return;
    }
    if (!info.has(key)) {
        info.setValue(key, *items);
        return;
    }
    // Joined with exactly one blank: the earlier line's trailing white space would make an empty piece.
    std::string gathered = info.text(key);
    gathered.erase(gathered.find_last_not_of(" \t\r") + 1);
    info.setValue(key, gathered + " " + *items);
}

void appendHosts(ProtectionInfo& info, const std::string& key, std::string_view line,
                 std::string_view scanName) {
    const auto hosts = scanRestOfLine(line, scanName);
    if (hosts && *hosts != "all") {
        appendList(info, key, hosts);
    }
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
        appendList(info, "users", scanRestOfLine(line, "Require user"));
    } else if (contains(line, "Require group ")) {
        appendList(info, "groups", scanRestOfLine(line, "Require group"));
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
    const auto lines = text::split(*contents, '\n');
    const auto range = section::find(lines, directory);
    if (!range) {
        return {};
    }
    std::string block;
    for (std::size_t i = range->begin; i < range->end; ++i) {
        block += lines[i] + "\n";
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

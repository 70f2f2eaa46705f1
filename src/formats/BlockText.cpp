#include "formats/BlockText.h"

#include <algorithm>
#include <cctype>

#include "formats/ConfigSection.h"
#include "formats/TextLines.h"
#include "formats/Validator.h"
#include "platform/FileSystem.h"

namespace keepgate {

namespace {

std::string firstWord(const std::string& line) {
    return line.substr(0, line.find_first_of(" \t"));
}

// The directives the editor writes itself, and Satisfy, which decides how they combine: a line of these
// that the editor cannot show would change who gets in if it were kept beside the new block.
bool controlsAccess(const std::string& directive) {
    static const char* const names[] = {"authtype", "authname", "authuserfile", "authgroupfile", "require",
                                        "allow",    "deny",     "order",        "satisfy"};
    const std::string lower = text::lowerAscii(directive);
    return std::any_of(std::begin(names), std::end(names), [&](const char* name) { return lower == name; });
}

// The words after a prefix, split at single blanks; nothing when the rest is empty or spaced otherwise.
std::optional<std::vector<std::string>> wordsAfter(const std::string& line, const std::string& prefix) {
    if (!line.starts_with(prefix) || line.size() == prefix.size()) {
        return std::nullopt;
    }
    auto words = text::split(std::string_view(line).substr(prefix.size()), ' ');
    if (std::any_of(words.begin(), words.end(), [](const std::string& word) { return word.empty(); })) {
        return std::nullopt;
    }
    return words;
}

bool allPass(const std::optional<std::vector<std::string>>& words,
             const std::function<bool(const std::string&)>& passes) {
    return words && std::all_of(words->begin(), words->end(), passes);
}

// An AuthUserFile or AuthGroupFile path the editor shows and writes back: absolute, existing, and either
// bare or in one pair of double quotes.
bool isShownPath(const std::string& line, const std::string& prefix) {
    if (!line.starts_with(prefix)) {
        return false;
    }
    std::string path = line.substr(prefix.size());
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
        path = path.substr(1, path.size() - 2);
    } else if (path.find_first_of(" \t") != std::string::npos) {
        return false;
    }
    return path.starts_with("/") && !Validator::blockFilePath(path) && platform::fileExists(path);
}

bool isShownRealm(const std::string& line) {
    const std::string prefix = "AuthName \"";
    if (!line.starts_with(prefix) || line.size() < prefix.size() + 2 || line.back() != '"') {
        return false;
    }
    return !Validator::realm(line.substr(prefix.size(), line.size() - prefix.size() - 1));
}

bool isShown(const std::string& line, const BlockText::Known& knownUser, const BlockText::Known& knownGroup) {
    if (line == "AuthType Basic" || line == "Require valid-user" || line == "Deny from all" ||
        line == "Order allow,deny" || line == "Order deny,allow") {
        return true;
    }
    const auto validHost = [](const std::string& host) { return !Validator::host(host); };
    return isShownRealm(line) || isShownPath(line, "AuthUserFile ") || isShownPath(line, "AuthGroupFile ") ||
           allPass(wordsAfter(line, "Require user "),
                   [&](const std::string& name) { return !Validator::userName(name) && knownUser(name); }) ||
           allPass(
               wordsAfter(line, "Require group "),
               [&](const std::string& name) { return !Validator::groupName(name) && knownGroup(name); }) ||
           allPass(wordsAfter(line, "Allow from "), validHost) ||
           allPass(wordsAfter(line, "Deny from "), validHost);
}

} // namespace

BlockLines BlockText::divide(const std::string& text, const Known& knownUser, const Known& knownGroup) {
    BlockLines lines;
    auto pieces = text::split(text, '\n');
    // The empty piece after the final line feed is no line.
    if (pieces.back().empty()) {
        pieces.pop_back();
    }
    int depth = 0;
    // A container (<Files>, <Limit>, <IfModule>…) is kept whole as written: its lines apply only inside
    // it, so none of them may move into the block. One that holds access lines (a "Require all granted"
    // in an <IfModule>) would let everyone in beside the block, so it is replaced only when asked, whole.
    std::vector<std::string> container;
    bool containerControlsAccess = false;
    const auto closeContainer = [&] {
        auto& into = containerControlsAccess ? lines.keptAccess : lines.keptOther;
        into.insert(into.end(), container.begin(), container.end());
        container.clear();
        containerControlsAccess = false;
    };
    for (const auto& piece : pieces) {
        std::string line = piece;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        line.erase(0, std::min(line.size(), line.find_first_not_of(" \t")));
        if (line.starts_with("</")) {
            container.push_back(piece);
            depth = std::max(0, depth - 1);
            if (depth == 0) {
                closeContainer();
            }
        } else if (line.starts_with("<")) {
            ++depth;
            container.push_back(piece);
        } else if (depth > 0) {
            containerControlsAccess =
                containerControlsAccess || (!line.starts_with("#") && controlsAccess(firstWord(line)));
            container.push_back(piece);
        } else if (line.empty() || line.starts_with("#") || !controlsAccess(firstWord(line))) {
            lines.keptOther.push_back(piece);
        } else if (isShown(line, knownUser, knownGroup)) {
            lines.shown.push_back(line);
            lines.directives.push_back(line);
        } else {
            lines.keptAccess.push_back(piece);
            lines.directives.push_back(piece.back() == '\r' ? piece.substr(0, piece.size() - 1) : piece);
        }
    }
    // A container left open at the end of the text is judged the same way.
    closeContainer();
    return lines;
}

std::optional<std::string> BlockText::sectionBody(const std::string& config, const std::string& directory) {
    auto lines = text::split(config, '\n');
    const auto range = section::find(lines, directory);
    if (!range) {
        return std::nullopt;
    }
    const std::size_t end = range->closed ? range->end - 1 : range->end;
    std::vector<std::string> body(lines.begin() + static_cast<long>(std::min(range->begin + 1, end)),
                                  lines.begin() + static_cast<long>(end));
    // The empty line Keepgate writes before the closing line, or the empty piece after the file's last
    // line feed, belongs to no directive.
    if (!body.empty() && body.back().empty()) {
        body.pop_back();
    }
    return joined(body);
}

std::string BlockText::requireLines(const std::string& kind, const std::vector<std::string>& names) {
    const std::string prefix = "Require " + kind + " ";
    std::string lines;
    std::string current;
    for (const auto& name : names) {
        if (!current.empty() && current.size() + 1 + name.size() > Validator::kMaxLineLength) {
            lines += current + "\n";
            current.clear();
        }
        current += current.empty() ? prefix + name : " " + name;
    }
    if (!current.empty()) {
        lines += current + "\n";
    }
    return lines;
}

bool BlockText::protects(const std::string& block) {
    bool hostRules = false;
    bool orderAllow = false;
    for (const auto& line : text::split(block, '\n')) {
        if (line.starts_with("Require ") || line.starts_with("Deny from ")) {
            return true;
        }
        hostRules = hostRules || line.starts_with("Allow from ");
        orderAllow = orderAllow || line == "Order allow,deny";
    }
    return hostRules && orderAllow;
}

std::string BlockText::joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line + "\n";
    }
    return text;
}

std::string BlockText::withoutSection(const std::optional<std::string>& text, const std::string& directory) {
    if (!text) {
        return {};
    }
    std::vector<std::string> lines = text::split(*text, '\n');
    // The empty piece after the final line feed is no line; keeping it would add a blank line per save.
    if (lines.back().empty()) {
        lines.pop_back();
    }
    std::string dirString;
    std::size_t i = 0;
    while (i < lines.size()) {
        const auto range = section::find(lines, directory, i);
        for (const std::size_t stop = range ? range->begin : lines.size(); i < stop; ++i) {
            dirString += lines[i] + "\n";
        }
        if (!range) {
            break;
        }
        // An opening line that no closing line follows goes alone, so nothing after it is lost.
        i = range->closedLater ? range->end : range->begin + 1;
    }
    return dirString;
}

} // namespace keepgate

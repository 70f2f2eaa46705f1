#include "formats/BlockText.h"

#include <algorithm>
#include <cctype>

#include "formats/ConfigSection.h"
#include "formats/ReadHtaccess.h"
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

bool allPass(const std::vector<std::string>& words, std::size_t from,
             const std::function<bool(const std::string&)>& passes) {
    return words.size() > from && std::all_of(words.begin() + static_cast<long>(from), words.end(), passes);
}

// An AuthUserFile or AuthGroupFile path the editor shows and writes back: absolute and existing.
bool isShownPath(const std::string& path) {
    return path.starts_with("/") && !Validator::blockFilePath(path) && platform::fileExists(path);
}

// Whether the editor shows a line exactly as the server reads it, so that writing it again in the
// editor's own form changes nothing. The line is one logical line, its words split as Apache splits them.
bool isShown(const std::vector<std::string>& words, const BlockText::Known& knownUser,
             const BlockText::Known& knownGroup) {
    const std::string name = text::lowerAscii(words.front());
    const std::size_t count = words.size();
    const std::string first = count > 1 ? text::lowerAscii(words[1]) : std::string();
    const std::string provider = count > 1 ? words[1] : std::string();
    const auto validHost = [](const std::string& host) { return !Validator::host(host); };
    if (name == "authtype") {
        return count == 2 && first == "basic";
    }
    if (name == "authname") {
        return count == 2 && !Validator::realm(words[1]);
    }
    if (name == "authuserfile" || name == "authgroupfile") {
        return count == 2 && isShownPath(words[1]);
    }
    if (name == "require") {
        if (provider == "valid-user") {
            return count == 2;
        }
        if (provider == "user") {
            return allPass(words, 2, [&](const std::string& user) {
                return !Validator::userName(user) && knownUser(user);
            });
        }
        return provider == "group" && allPass(words, 2, [&](const std::string& group) {
                   return !Validator::groupName(group) && knownGroup(group);
               });
    }
    if (name == "allow" || name == "deny") {
        if (first != "from") {
            return false;
        }
        return (name == "deny" && count == 3 && text::lowerAscii(words[2]) == "all") || allPass(words, 2, validHost);
    }
    if (name == "order") {
        return count == 2 && (first == "allow,deny" || first == "deny,allow");
    }
    return name == "satisfy" && count == 2 && (first == "any" || first == "all");
}

// The lines of one logical line of a block: its physical lines as written, and the text Apache reads.
struct LogicalLine {
    std::vector<std::string> pieces;
    std::string text; // joined, without carriage return and the blanks around it
};

std::vector<LogicalLine> logicalLines(std::vector<std::string> pieces) {
    std::vector<LogicalLine> lines;
    LogicalLine pending;
    for (auto& piece : pieces) {
        if (ReadHtaccess::continues(piece)) {
            pending.text += ReadHtaccess::withoutContinuation(piece);
            pending.pieces.push_back(std::move(piece));
            continue;
        }
        std::string_view rest = piece;
        if (!rest.empty() && rest.back() == '\r') {
            rest.remove_suffix(1);
        }
        pending.text += rest;
        pending.pieces.push_back(std::move(piece));
        lines.push_back(std::move(pending));
        pending = LogicalLine();
    }
    if (!pending.pieces.empty()) {
        lines.push_back(std::move(pending));
    }
    for (auto& line : lines) {
        const auto first = line.text.find_first_not_of(" \t");
        line.text = first == std::string::npos
                        ? std::string()
                        : line.text.substr(first, line.text.find_last_not_of(" \t\r") - first + 1);
    }
    return lines;
}

bool isRequireContainer(const std::string& opening) {
    const std::string name = text::lowerAscii(opening.substr(1, opening.find_first_of(" \t>") - 1));
    return name == "requireall" || name == "requireany" || name == "requirenone";
}

enum class Host { Everybody, Nobody, InAllow, InAllowNotDeny, InAllowOrNotDeny, NotDeny };

// Who the host table admits, whatever the form it is written in.
Host hostsAdmitted(const HostRules& rules) {
    const bool allow = !rules.allow.empty();
    const bool deny = !rules.deny.empty();
    // Without host rows no Order line is written, whatever the order says.
    if (!allow && !deny) {
        return rules.denyAll ? Host::Nobody : Host::Everybody;
    }
    if (rules.denyAll) {
        return rules.orderAllow || !allow ? Host::Nobody : Host::InAllow;
    }
    if (rules.orderAllow) {
        return !allow ? Host::Nobody : deny ? Host::InAllowNotDeny : Host::InAllow;
    }
    // Deny,allow admits every host that no Deny row names; an Allow row only wins back a denied one.
    return !deny ? Host::Everybody : allow ? Host::InAllowOrNotDeny : Host::NotDeny;
}

// An address or network (IPv4, IPv6, with a prefix or a mask) goes in a Require ip line; a name in a
// Require host line.
bool isAddress(const std::string& host) {
    return host.find(':') != std::string::npos || host.find_first_not_of("0123456789./") == std::string::npos;
}

using Item = std::vector<std::string>; // one Require line, or a container with its lines

std::vector<Item> requireItems(const std::string& kind, const std::vector<std::string>& hosts) {
    std::vector<std::string> addresses;
    std::vector<std::string> names;
    for (const auto& host : hosts) {
        (isAddress(host) ? addresses : names).push_back(host);
    }
    std::vector<Item> items;
    for (const auto& [word, list] : {std::pair{"ip", &addresses}, std::pair{"host", &names}}) {
        for (const auto& line : text::split(BlockText::requireLines(kind + word, *list), '\n')) {
            if (!line.empty()) {
                items.push_back({line});
            }
        }
    }
    return items;
}

Item container(const std::string& name, const std::vector<Item>& inside) {
    Item lines{"<" + name + ">"};
    for (const auto& item : inside) {
        for (const auto& line : item) {
            lines.push_back("    " + line);
        }
    }
    lines.push_back("</" + name + ">");
    return lines;
}

// Items that must all hold inside a <RequireAll> are one item: alternatives go in a <RequireAny>.
Item anyOf(const std::vector<Item>& items) {
    return items.size() == 1 ? items.front() : container("RequireAny", items);
}

std::vector<Item> joinedItems(std::vector<Item> items, const std::vector<Item>& more) {
    items.insert(items.end(), more.begin(), more.end());
    return items;
}

} // namespace

BlockLines BlockText::divide(const std::string& text, const Known& knownUser, const Known& knownGroup) {
    BlockLines lines;
    auto pieces = text::split(text, '\n');
    // The empty piece after the final line feed is no line.
    if (pieces.back().empty()) {
        pieces.pop_back();
    }
    enum class Kind { Other, Shown, KeptAccess, Rule24 };
    struct Part {
        std::vector<std::string> pieces;
        std::vector<std::string> texts; // the logical lines Apache reads
        Kind kind = Kind::Other;
    };
    std::vector<Part> parts;
    bool compatibility = false;
    int depth = 0;
    // A container (<Files>, <Limit>, <IfModule>…) is kept whole as written: its lines apply only inside
    // it, so none of them may move into the block. One that holds access lines (a "Require all granted"
    // in an <IfModule>) would let everyone in beside the block, so it is replaced only when asked, whole.
    // Apache 2.4's Require containers are the block's own rules, shown when the editor can show them.
    bool requireContainer = false;
    bool containerControlsAccess = false;
    for (auto& line : logicalLines(std::move(pieces))) {
        const std::string& written = line.text;
        if (depth > 0) {
            Part& part = parts.back();
            part.pieces.insert(part.pieces.end(), line.pieces.begin(), line.pieces.end());
            part.texts.push_back(written);
            if (written.starts_with("</")) {
                --depth;
            } else if (written.starts_with("<")) {
                ++depth;
            } else if (!written.empty() && !written.starts_with("#")) {
                containerControlsAccess = containerControlsAccess || controlsAccess(firstWord(written));
            }
            if (depth == 0) {
                part.kind = requireContainer          ? Kind::Rule24
                            : containerControlsAccess ? Kind::KeptAccess
                                                      : Kind::Other;
            }
            continue;
        }
        Part part{line.pieces, {written}, Kind::Other};
        if (written.starts_with("<") && !written.starts_with("</")) {
            depth = 1;
            requireContainer = isRequireContainer(written);
            containerControlsAccess = false;
            // A container left open at the end of the text is judged the same way.
            part.kind = requireContainer ? Kind::Rule24 : Kind::Other;
            parts.push_back(std::move(part));
            continue;
        }
        if (written.empty() || written.starts_with("#") || written.starts_with("<") ||
            !controlsAccess(firstWord(written))) {
            parts.push_back(std::move(part));
            continue;
        }
        const auto words = ReadHtaccess::words(written);
        const std::string name = text::lowerAscii(words.front());
        const std::string type = words.size() > 1 ? words[1] : std::string();
        if (name == "require" && type != "user" && type != "group" && type != "valid-user") {
            part.kind = Kind::Rule24;
        } else {
            compatibility =
                compatibility || name == "allow" || name == "deny" || name == "order" || name == "satisfy";
            part.kind = isShown(words, knownUser, knownGroup) ? Kind::Shown : Kind::KeptAccess;
        }
        parts.push_back(std::move(part));
    }
    if (depth > 0 && containerControlsAccess && !requireContainer) {
        parts.back().kind = Kind::KeptAccess;
    }

    // Apache 2.4's rules are shown when, together with the block's other Require lines, they make a rule
    // the host table can express, naming only users and groups the editor lists and hosts it can write.
    // Beside Order, Allow or Deny lines they stay as written: the server checks those separately.
    std::string rules;
    bool anyRule24 = false;
    for (const auto& part : parts) {
        if (part.kind == Kind::Rule24 ||
            (part.kind != Kind::Other && text::lowerAscii(firstWord(part.texts.front())) == "require")) {
            anyRule24 = anyRule24 || part.kind == Kind::Rule24;
            rules += joined(part.texts);
        }
    }
    bool show24 = false;
    if (anyRule24 && !compatibility && ReadHtaccess::showable(rules)) {
        const ProtectionInfo info = ReadHtaccess::readPart(rules);
        const auto each = [&](const std::string& key, const std::function<bool(const std::string&)>& passes) {
            if (!info.has(key)) {
                return true;
            }
            const auto names = text::split(info.text(key), ' ');
            return std::all_of(names.begin(), names.end(), passes);
        };
        const auto validHost = [](const std::string& host) { return !Validator::host(host); };
        show24 =
            each("users",
                 [&](const std::string& user) { return !Validator::userName(user) && knownUser(user); }) &&
            each("groups",
                 [&](const std::string& group) {
                     return !Validator::groupName(group) && knownGroup(group);
                 }) &&
            each("allow", validHost) && each("deny", validHost);
    }
    for (const auto& part : parts) {
        Kind kind = part.kind;
        if (kind == Kind::Rule24) {
            kind = show24 ? Kind::Shown : Kind::KeptAccess;
        }
        switch (kind) {
        case Kind::Other:
            lines.keptOther.insert(lines.keptOther.end(), part.pieces.begin(), part.pieces.end());
            break;
        case Kind::Shown:
            lines.shown.insert(lines.shown.end(), part.texts.begin(), part.texts.end());
            lines.directives.insert(lines.directives.end(), part.texts.begin(), part.texts.end());
            break;
        case Kind::KeptAccess:
        case Kind::Rule24:
            lines.keptAccess.insert(lines.keptAccess.end(), part.pieces.begin(), part.pieces.end());
            // Kept lines of the editor's own directives still fill its fields, so a save writes no more
            // than they said; Apache 2.4 rules the editor cannot show fill nothing.
            if (part.kind != Kind::Rule24 && !part.texts.front().starts_with("<")) {
                lines.directives.insert(lines.directives.end(), part.texts.begin(), part.texts.end());
            }
            break;
        }
    }
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
    const ProtectionInfo info = ReadHtaccess::readPart(block);
    const bool password = info.has("users") || info.has("groups") || info.has("valid-user");
    HostRules rules;
    rules.allow = info.has("allow") ? text::split(info.text("allow"), ' ') : std::vector<std::string>{};
    rules.deny = info.has("deny") ? text::split(info.text("deny"), ' ') : std::vector<std::string>{};
    rules.orderAllow = info.has("orderallow");
    rules.denyAll = info.has("denyall");
    // With every host admitted, only a password that no "or" makes optional keeps anyone out.
    return hostsAdmitted(rules) != Host::Everybody || (password && !info.has("satisfyany"));
}

std::string BlockText::hostLines22(const HostRules& rules, bool password) {
    std::string lines;
    for (const auto& host : rules.allow) {
        lines += "Allow from " + host + "\n";
    }
    for (const auto& host : rules.deny) {
        lines += "Deny from " + host + "\n";
    }
    if (!lines.empty()) {
        lines += rules.orderAllow ? "Order allow,deny\n" : "Order deny,allow\n";
    }
    if (rules.denyAll) {
        lines += "Deny from all\n";
    }
    if (rules.either && password) {
        lines += "Satisfy Any\n";
    }
    return lines;
}

std::string BlockText::rules24(const std::string& passwordLines, const HostRules& rules) {
    std::vector<Item> password;
    for (const auto& line : text::split(passwordLines, '\n')) {
        if (!line.empty()) {
            password.push_back({line});
        }
    }
    const auto allowed = requireItems("", rules.allow);
    const auto denied = requireItems("not ", rules.deny);
    const Item granted{"Require all granted"};
    const Item refused{"Require all denied"};
    const Host hosts = hostsAdmitted(rules);
    // The host condition as items that must all hold (for "and"), and as alternatives (for "or" and for
    // a block without a password, whose top-level Require lines Apache takes as alternatives).
    const auto allItems = [&]() -> std::vector<Item> {
        switch (hosts) {
        case Host::Everybody:
            return {};
        case Host::Nobody:
            return {refused};
        case Host::InAllow:
            return {anyOf(allowed)};
        case Host::InAllowNotDeny:
            return joinedItems({anyOf(allowed)}, denied);
        case Host::InAllowOrNotDeny:
            return {
                container("RequireAny",
                          joinedItems(allowed, {container("RequireAll", joinedItems({granted}, denied))}))};
        case Host::NotDeny:
            return password.empty() ? joinedItems({granted}, denied) : denied;
        }
        return {};
    };
    const auto anyItems = [&]() -> std::vector<Item> {
        switch (hosts) {
        case Host::Everybody:
            return password.empty() ? std::vector<Item>{} : std::vector<Item>{granted};
        case Host::Nobody:
            return {refused};
        case Host::InAllow:
            return allowed;
        case Host::InAllowNotDeny:
            return {container("RequireAll", joinedItems({anyOf(allowed)}, denied))};
        case Host::InAllowOrNotDeny:
            return joinedItems(allowed, {container("RequireAll", joinedItems({granted}, denied))});
        case Host::NotDeny:
            return {container("RequireAll", joinedItems({granted}, denied))};
        }
        return {};
    };
    std::vector<Item> items;
    if (password.empty()) {
        items = anyItems();
    } else if (rules.either) {
        items = {container("RequireAny", joinedItems(password, anyItems()))};
    } else if (hosts == Host::Everybody) {
        items = password;
    } else {
        items = {container("RequireAll", joinedItems({anyOf(password)}, allItems()))};
    }
    std::string block;
    for (const auto& item : items) {
        block += joined(item);
    }
    return block;
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

#include "formats/ReadHtaccess.h"

#include <algorithm>

#include "formats/ConfigSection.h"
#include "formats/TextLines.h"
#include "platform/FileSystem.h"

namespace keepgate {

namespace {

using text::lowerAscii;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// One Require line or Require container, as Apache 2.4's authorization reads it.
struct Rule {
    enum class Kind {
        User,
        Group,
        ValidUser,
        Ip,
        Host,
        Granted,
        Denied,
        NotIp,
        NotHost,
        Any,
        All,
        None,
        Other
    };
    Kind kind = Kind::Other;
    std::vector<std::string> arguments;
    std::vector<Rule> children;
};

Rule requireRule(const std::vector<std::string>& words) {
    using Kind = Rule::Kind;
    Rule rule;
    if (words.size() < 2) {
        return rule;
    }
    // Provider names are matched exactly, as Apache looks them up; "not" and "all"'s values in any case.
    const std::string& type = words[1];
    std::vector<std::string> rest(words.begin() + 2, words.end());
    if (lowerAscii(type) == "not" && !rest.empty()) {
        const std::string negated = rest.front();
        rest.erase(rest.begin());
        if ((negated == "ip" || negated == "host") && !rest.empty()) {
            rule.kind = negated == "ip" ? Kind::NotIp : Kind::NotHost;
        }
    } else if (type == "all" && rest.size() == 1) {
        const std::string value = lowerAscii(rest.front());
        rule.kind = value == "granted" ? Kind::Granted : value == "denied" ? Kind::Denied : Kind::Other;
    } else if (type == "valid-user") {
        rule.kind = Kind::ValidUser;
    } else if (!rest.empty() && (type == "user" || type == "group" || type == "ip" || type == "host")) {
        rule.kind = type == "user"    ? Kind::User
                    : type == "group" ? Kind::Group
                    : type == "ip"    ? Kind::Ip
                                      : Kind::Host;
    }
    rule.arguments = std::move(rest);
    return rule;
}

// What a rule admits, in the editor's terms: a password part (users, groups, valid-user), a host part of
// one of the shapes the host table expresses, and whether the two are joined by "or".
enum class Hosts { None, Everybody, Nobody, InAllow, InAllowNotDeny, InAllowOrNotDeny, NotDeny };
struct Meaning {
    bool shown = true;
    bool password = false;
    std::vector<std::string> users, groups;
    bool validUser = false;
    Hosts hosts = Hosts::None;
    std::vector<std::string> allow, deny;
    bool negationOnly = false; // a "Require not" line: it can only narrow a <RequireAll>
    bool either = false;       // password or host
};

void append(std::vector<std::string>& to, const std::vector<std::string>& from) {
    to.insert(to.end(), from.begin(), from.end());
}

void mergePassword(Meaning& into, const Meaning& from) {
    into.password = into.password || from.password;
    append(into.users, from.users);
    append(into.groups, from.groups);
    into.validUser = into.validUser || from.validUser;
}

Meaning unshown() {
    Meaning meaning;
    meaning.shown = false;
    return meaning;
}

Meaning meaningOf(const Rule& rule);

// Alternatives: one that admits is enough.
Meaning anyOf(const std::vector<Rule>& children) {
    std::vector<Meaning> parts;
    for (const auto& child : children) {
        parts.push_back(meaningOf(child));
        if (!parts.back().shown || parts.back().negationOnly) {
            return unshown();
        }
    }
    if (parts.size() == 1) {
        return parts.front();
    }
    Meaning result;
    bool everybody = false;
    bool nobody = false;
    int denyParts = 0;
    for (const auto& part : parts) {
        mergePassword(result, part);
        // "password and host" inside alternatives has no row in the host table.
        if (part.password && part.hosts != Hosts::None && !part.either) {
            return unshown();
        }
        switch (part.hosts) {
        case Hosts::None:
            break;
        case Hosts::Everybody:
            everybody = true;
            break;
        case Hosts::Nobody:
            nobody = true;
            break;
        case Hosts::InAllow:
            append(result.allow, part.allow);
            break;
        case Hosts::InAllowOrNotDeny:
            append(result.allow, part.allow);
            append(result.deny, part.deny);
            ++denyParts;
            break;
        case Hosts::NotDeny:
            append(result.deny, part.deny);
            ++denyParts;
            break;
        case Hosts::InAllowNotDeny:
            // Allowed-and-not-denied is a shape of the table only as the one host part of the alternatives.
            if (std::count_if(parts.begin(), parts.end(),
                              [](const Meaning& m) { return m.hosts != Hosts::None; }) > 1) {
                return unshown();
            }
            result.allow = part.allow;
            result.deny = part.deny;
            result.hosts = Hosts::InAllowNotDeny;
            break;
        }
    }
    // Two "everyone but these" alternatives admit more than either list says.
    if (denyParts > 1) {
        return unshown();
    }
    if (result.hosts != Hosts::InAllowNotDeny) {
        if (everybody) {
            result.hosts = Hosts::Everybody;
            result.allow.clear();
            result.deny.clear();
        } else if (!result.deny.empty()) {
            result.hosts = result.allow.empty() ? Hosts::NotDeny : Hosts::InAllowOrNotDeny;
        } else if (!result.allow.empty()) {
            result.hosts = Hosts::InAllow;
        } else if (nobody) {
            result.hosts = Hosts::Nobody;
        }
    }
    result.either = result.password && result.hosts != Hosts::None;
    return result;
}

// Conditions that must all hold.
Meaning allOf(const std::vector<Rule>& children) {
    std::vector<Meaning> parts;
    for (const auto& child : children) {
        parts.push_back(meaningOf(child));
        if (!parts.back().shown) {
            return unshown();
        }
    }
    if (parts.size() == 1) {
        return parts.front().negationOnly ? unshown() : parts.front();
    }
    Meaning result;
    int passwords = 0;
    int allowParts = 0;
    bool granted = false;
    bool nobody = false;
    bool allowOrNotDeny = false;
    for (const auto& part : parts) {
        if (part.negationOnly) {
            append(result.deny, part.deny);
            continue;
        }
        if (part.password) {
            // Two password conditions that must both hold, or an "or" inside the "and", have no row.
            if (++passwords > 1 || part.either) {
                return unshown();
            }
            mergePassword(result, part);
        }
        switch (part.hosts) {
        case Hosts::None:
            break;
        case Hosts::Everybody:
            granted = true;
            break;
        case Hosts::Nobody:
            nobody = true;
            break;
        case Hosts::InAllow:
            ++allowParts;
            append(result.allow, part.allow);
            break;
        case Hosts::InAllowNotDeny:
            ++allowParts;
            append(result.allow, part.allow);
            append(result.deny, part.deny);
            break;
        case Hosts::NotDeny:
            granted = true;
            append(result.deny, part.deny);
            break;
        case Hosts::InAllowOrNotDeny:
            allowOrNotDeny = true;
            result.allow = part.allow;
            result.deny = part.deny;
            ++allowParts;
            break;
        }
    }
    // Two allow lists that must both match name the hosts on both, which the table cannot say.
    if (allowParts > 1) {
        return unshown();
    }
    if (nobody) {
        result.hosts = Hosts::Nobody;
        result.allow.clear();
        result.deny.clear();
    } else if (allowOrNotDeny) {
        result.hosts = Hosts::InAllowOrNotDeny;
        // Further negations beside "allowed or not denied" have no row.
        const auto negations =
            std::count_if(parts.begin(), parts.end(), [](const Meaning& m) { return m.negationOnly; });
        if (negations > 0) {
            return unshown();
        }
    } else if (!result.deny.empty()) {
        if (!result.allow.empty()) {
            result.hosts = Hosts::InAllowNotDeny;
        } else if (granted || result.password) {
            result.hosts = Hosts::NotDeny;
        } else {
            return unshown();
        }
    } else if (!result.allow.empty()) {
        result.hosts = Hosts::InAllow;
    } else if (granted && !result.password) {
        // Beside a password, "everyone" adds nothing: the password alone decides.
        result.hosts = Hosts::Everybody;
    }
    return result;
}

Meaning meaningOf(const Rule& rule) {
    using Kind = Rule::Kind;
    Meaning meaning;
    switch (rule.kind) {
    case Kind::User:
        meaning.password = true;
        meaning.users = rule.arguments;
        return meaning;
    case Kind::Group:
        meaning.password = true;
        meaning.groups = rule.arguments;
        return meaning;
    case Kind::ValidUser:
        meaning.password = true;
        meaning.validUser = true;
        return meaning;
    case Kind::Ip:
    case Kind::Host:
        meaning.hosts = Hosts::InAllow;
        meaning.allow = rule.arguments;
        return meaning;
    case Kind::Granted:
        meaning.hosts = Hosts::Everybody;
        return meaning;
    case Kind::Denied:
        meaning.hosts = Hosts::Nobody;
        return meaning;
    case Kind::NotIp:
    case Kind::NotHost:
        meaning.negationOnly = true;
        meaning.deny = rule.arguments;
        return meaning;
    case Kind::Any:
        return rule.children.empty() ? unshown() : anyOf(rule.children);
    case Kind::All:
        return rule.children.empty() ? unshown() : allOf(rule.children);
    case Kind::None:
    case Kind::Other:
        break;
    }
    return unshown();
}

bool isHostRule(const Rule& rule) {
    using Kind = Rule::Kind;
    return rule.kind != Kind::User && rule.kind != Kind::Group && rule.kind != Kind::ValidUser;
}

// A block's directives, read logical line by logical line.
struct BlockReader {
    ProtectionInfo info;
    // The block's top-level Require lines and Require containers: Apache admits when any of them does.
    Rule top{Rule::Kind::Any, {}, {}};
    std::vector<Rule> open; // the Require containers being read, innermost last
    int otherDepth = 0;     // depth inside containers whose lines apply elsewhere (<Files>, <IfModule>…)
    bool compatibility = false;

    void addRule(Rule rule) { (open.empty() ? top : open.back()).children.push_back(std::move(rule)); }

    void appendList(const std::string& key, const std::vector<std::string>& items) {
        if (items.empty()) {
            return;
        }
        std::string gathered = info.has(key) ? info.text(key) : std::string();
        for (const auto& item : items) {
            gathered += gathered.empty() ? item : " " + item;
        }
        info.setValue(key, gathered);
    }

    void hostLine(const std::vector<std::string>& words, const std::string& key) {
        compatibility = true;
        if (words.size() < 2 || lowerAscii(words[1]) != "from") {
            return;
        }
        std::vector<std::string> hosts;
        for (std::size_t i = 2; i < words.size(); ++i) {
            if (lowerAscii(words[i]) == "all") {
                // "Allow from all" admits every host, which the table cannot show; it stays as written.
                if (key == "deny") {
                    info.setValue("denyall", "yes");
                }
            } else {
                hosts.push_back(words[i]);
            }
        }
        appendList(key, hosts);
    }

    void openContainer(const std::string& name) {
        const std::string lower = lowerAscii(name);
        // Nesting deeper than any rule the editor writes is kept as written, and bounds the recursion.
        constexpr std::size_t kDeepest = 16;
        if (otherDepth == 0 && open.size() < kDeepest &&
            (lower == "requireall" || lower == "requireany" || lower == "requirenone")) {
            open.push_back(Rule{lower == "requireall"   ? Rule::Kind::All
                                : lower == "requireany" ? Rule::Kind::Any
                                                        : Rule::Kind::None,
                                {},
                                {}});
            return;
        }
        // Lines in other containers apply elsewhere; a Require container holding one is not shown.
        if (!open.empty()) {
            open.back().kind = Rule::Kind::Other;
        }
        ++otherDepth;
    }

    void closeContainer() {
        if (otherDepth > 0) {
            --otherDepth;
        } else if (!open.empty()) {
            Rule rule = std::move(open.back());
            open.pop_back();
            addRule(std::move(rule));
        }
    }

    void line(const std::vector<std::string>& words) {
        const std::string& first = words.front();
        if (first.starts_with("</")) {
            closeContainer();
            return;
        }
        if (first.starts_with("<")) {
            std::string name = first.substr(1);
            if (!name.empty() && name.back() == '>') {
                name.pop_back();
            }
            openContainer(name);
            return;
        }
        if (otherDepth > 0) {
            return;
        }
        const std::string name = lowerAscii(first);
        const auto argument = [&]() -> std::optional<std::string> {
            return words.size() > 1 ? std::optional(words[1]) : std::nullopt;
        };
        if (name == "require") {
            addRule(requireRule(words));
            return;
        }
        if (!open.empty()) {
            return;
        }
        if (name == "authname") {
            // Apache takes one argument; an unquoted realm of several words is read whole, as meant.
            std::string realm;
            for (std::size_t i = 1; i < words.size(); ++i) {
                realm += (i > 1 ? " " : "") + words[i];
            }
            info.setValue("authname", realm.empty() ? "Keepgate" : realm);
        } else if (name == "authuserfile") {
            info.setValue("userfile", argument().value_or(""));
        } else if (name == "authgroupfile") {
            info.setValue("groupfile", argument().value_or(""));
        } else if (name == "allow") {
            hostLine(words, "allow");
        } else if (name == "deny") {
            hostLine(words, "deny");
        } else if (name == "order") {
            compatibility = true;
            const std::string order = lowerAscii(argument().value_or(""));
            // Mutual-failure admits only hosts that are allowed and not denied, as allow,deny does.
            if (order == "allow,deny" || order == "mutual-failure") {
                info.setValue("orderallow", "yes");
            } else {
                info.remove("orderallow");
            }
        } else if (name == "satisfy") {
            compatibility = true;
            if (lowerAscii(argument().value_or("")) == "any") {
                info.setValue("satisfyany", "yes");
            } else {
                info.remove("satisfyany");
            }
        }
    }

    // The Require lines, once all are read. Under Apache 2.4 the host check of Order, Allow and Deny is
    // separate from them, so beside those lines only the password part of the Require lines is shown.
    void finish() {
        while (!open.empty()) {
            closeContainer();
        }
        const bool hostRules = std::any_of(top.children.begin(), top.children.end(), isHostRule);
        Meaning meaning = meaningOf(top);
        if (compatibility && hostRules) {
            info.setValue("apache22", "yes");
            meaning = unshown();
        } else if (compatibility) {
            info.setValue("apache22", "yes");
        }
        if (!meaning.shown) {
            meaning = Meaning();
            for (const auto& rule : top.children) {
                if (!isHostRule(rule)) {
                    mergePassword(meaning, meaningOf(rule));
                }
            }
        }
        appendList("users", meaning.users);
        appendList("groups", meaning.groups);
        if (meaning.validUser) {
            info.setValue("valid-user", "valid-user");
        }
        if (meaning.hosts == Hosts::None) {
            return;
        }
        info.setValue("apache24", "yes");
        if (meaning.either) {
            info.setValue("satisfyany", "yes");
        }
        switch (meaning.hosts) {
        case Hosts::None:
        case Hosts::Everybody:
            break;
        case Hosts::Nobody:
            info.setValue("denyall", "yes");
            break;
        case Hosts::InAllow:
            appendList("allow", meaning.allow);
            info.setValue("denyall", "yes");
            break;
        case Hosts::InAllowNotDeny:
            appendList("allow", meaning.allow);
            appendList("deny", meaning.deny);
            info.setValue("orderallow", "yes");
            break;
        case Hosts::InAllowOrNotDeny:
            appendList("allow", meaning.allow);
            appendList("deny", meaning.deny);
            break;
        case Hosts::NotDeny:
            appendList("deny", meaning.deny);
            break;
        }
    }
};

// The logical lines of a text, each split into its words; comments and empty lines are left out.
std::vector<std::vector<std::string>> logicalLines(const std::string& text) {
    std::vector<std::vector<std::string>> lines;
    std::string pending;
    for (const auto& piece : text::split(text, '\n')) {
        if (ReadHtaccess::continues(piece)) {
            pending += ReadHtaccess::withoutContinuation(piece);
            continue;
        }
        pending += piece;
        auto words = ReadHtaccess::words(pending);
        pending.clear();
        if (!words.empty() && !words.front().starts_with("#")) {
            lines.push_back(std::move(words));
        }
    }
    if (auto words = ReadHtaccess::words(pending); !words.empty() && !words.front().starts_with("#")) {
        lines.push_back(std::move(words));
    }
    return lines;
}

} // namespace

std::vector<std::string> ReadHtaccess::words(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && isBlank(line[i])) {
            ++i;
        }
        if (i >= line.size()) {
            break;
        }
        std::string word;
        const char quote = line[i];
        if (quote == '"' || quote == '\'') {
            ++i;
            while (i < line.size() && line[i] != quote) {
                if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == quote) {
                    ++i;
                }
                word += line[i++];
            }
            if (i < line.size()) {
                ++i;
            }
        } else {
            while (i < line.size() && !isBlank(line[i])) {
                word += line[i++];
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

bool ReadHtaccess::continues(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return !line.empty() && line.back() == '\\' && !(line.size() > 1 && line[line.size() - 2] == '\\');
}

std::string_view ReadHtaccess::withoutContinuation(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line.substr(0, line.size() - 1);
}

bool ReadHtaccess::showable(const std::string& requireLines) {
    BlockReader reader;
    for (const auto& words : logicalLines(requireLines)) {
        reader.line(words);
    }
    while (!reader.open.empty()) {
        reader.closeContainer();
    }
    return meaningOf(reader.top).shown;
}

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
    // The section's own opening and closing lines are no directives of the block.
    for (std::size_t i = range->begin + 1; i < (range->closed ? range->end - 1 : range->end); ++i) {
        block += lines[i] + "\n";
    }
    return readPart(block);
}

ProtectionInfo ReadHtaccess::readPart(const std::optional<std::string>& fileAsString) {
    if (!fileAsString) {
        return {};
    }
    BlockReader reader;
    for (const auto& words : logicalLines(*fileAsString)) {
        reader.line(words);
    }
    reader.finish();
    return reader.info;
}

} // namespace keepgate

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace keepgate {

// The lines of a protection block as the editor sees them. Kept lines keep their bytes; the lines the
// editor reads lose one trailing carriage return, so blocks saved with DOS line ends read cleanly.
struct BlockLines {
    // Lines whose meaning, as the server reads them, the editor shows exactly and can write again.
    std::vector<std::string> shown;
    // Lines that control access in a form the editor cannot show; a save replaces them only when asked.
    std::vector<std::string> keptAccess;
    // Every other line (comments, Options, RewriteRule, containers…), kept as written before the block.
    std::vector<std::string> keptOther;
    // The shown and the kept access lines in file order, each without one trailing carriage return: what
    // the editor's fields are filled from.
    std::vector<std::string> directives;
};

// The host table's settings: the hosts of its Allow and Deny rows in table order, the order, "Deny all
// other hosts", and whether a password or an admitted host is enough ("or") rather than both ("and").
struct HostRules {
    std::vector<std::string> allow;
    std::vector<std::string> deny;
    bool orderAllow = false;
    bool denyAll = false;
    bool either = false;
};

// Composing, dividing and cutting the text of protection blocks.
class BlockText {
  public:
    // Whether a name of a "Require user" or "Require group" line is one the editor lists.
    using Known = std::function<bool(const std::string&)>;

    // Divides a block (a whole access file, or a section's inner text) into its kinds of line.
    static BlockLines divide(const std::string& text, const Known& knownUser, const Known& knownGroup);

    // The inner text of the directory's section in a configuration text (without the opening and closing
    // lines and the one empty line Keepgate writes before the closing line); nothing when there is none.
    static std::optional<std::string> sectionBody(const std::string& config, const std::string& directory);

    // The configuration text without every section of the directory; an opening line that no closing line
    // follows goes alone, so nothing after it is lost. An absent text gives an empty one.
    static std::string withoutSection(const std::optional<std::string>& text, const std::string& directory);

    // "Require <kind> …" lines holding the names in order, as many as keep each line within Apache's limit.
    static std::string requireLines(const std::string& kind, const std::vector<std::string>& names);

    // Whether a composed block keeps anyone out, read as the server reads it: a password that no host
    // rule makes optional, or host rules that refuse some client.
    static bool protects(const std::string& block);

    // The host rules in the Apache 2.2 form (Allow and Deny lines, Order, "Deny from all", and "Satisfy
    // Any" for "or" when a password is required), each line ended by a line feed.
    static std::string hostLines22(const HostRules& rules, bool password);
    // The password lines and the host rules in the Apache 2.4 form: Require ip and Require host lines,
    // "and" in a <RequireAll>, "or" in a <RequireAny>, denied hosts as Require not inside a <RequireAll>.
    static std::string rules24(const std::string& passwordLines, const HostRules& rules);

    // The lines joined, each ended by a line feed.
    static std::string joined(const std::vector<std::string>& lines);
};

} // namespace keepgate

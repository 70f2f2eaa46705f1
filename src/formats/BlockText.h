#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace keepgate {

// The lines of a protection block as the editor sees them. Kept lines keep their bytes; the lines the
// editor reads lose one trailing carriage return, so blocks saved with DOS line ends read cleanly.
struct BlockLines {
    // Lines in exactly a form the editor shows and writes again itself.
    std::vector<std::string> shown;
    // Lines that control access in a form the editor cannot show; a save replaces them only when asked.
    std::vector<std::string> keptAccess;
    // Every other line (comments, Options, RewriteRule, containers…), kept as written before the block.
    std::vector<std::string> keptOther;
    // The shown and the kept access lines in file order, each without one trailing carriage return: what
    // the editor's fields are filled from.
    std::vector<std::string> directives;
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

    // Whether a composed block keeps anyone out: a Require line, a deny rule, or allow rules under
    // "Order allow,deny".
    static bool protects(const std::string& block);

    // The lines joined, each ended by a line feed.
    static std::string joined(const std::vector<std::string>& lines);
};

} // namespace keepgate

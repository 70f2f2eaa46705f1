#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace keepgate {

// A group file as it stands on disk: its bytes and where each group line, its name and its members are in
// them, read the way the web server reads them. Writing it anew keeps every line it is not told to change.
class GroupFile {
  public:
    explicit GroupFile(std::string bytes = {});

    // Group lines hold a colon and are not comments ("#" as the first non-blank character). The name is
    // the text before the first colon, leading blanks dropped, and never empty; the members are the words
    // after it, split at runs of white space as the web server splits them.
    std::size_t size() const { return groups_.size(); }
    std::string_view name(std::size_t group) const;
    // The members of a group, read from its line when asked.
    std::vector<std::string_view> members(std::size_t group) const;
    // The same into a list the caller keeps, so that reading many groups allocates little.
    void members(std::size_t group, std::vector<std::string_view>& into) const;
    // The bytes of the group's line after its colon, up to the line end (a carriage return excluded).
    std::string_view memberText(std::size_t group) const;

    const std::string& bytes() const { return *bytes_; }
    // The bytes, shared with whoever keeps views into them.
    const std::shared_ptr<const std::string>& sharedBytes() const { return bytes_; }

    // Calls `word` for each word of `text`, in order: words are separated by blanks, tabs, carriage
    // returns, vertical tabs and form feeds, all of which the web server reads as white space.
    template <typename Function> static void forEachWord(std::string_view text, Function&& word) {
        const auto isSpace = [](char c) {
            return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
        };
        for (std::size_t i = 0; i < text.size();) {
            if (isSpace(text[i])) {
                ++i;
                continue;
            }
            const std::size_t start = i;
            while (i < text.size() && !isSpace(text[i])) {
                ++i;
            }
            word(text.substr(start, i - start));
        }
    }
    // Why the file cannot be a group file (it holds NUL bytes); empty when it can.
    const std::string& problem() const { return problem_; }

    enum class Fate { Keep, Drop, Rewrite };
    // The text anew: `fate` says what becomes of each group line and, for a rewritten one, appends its new
    // text (without line end) to its second argument. `appended` (whole lines) goes at the end. Every other
    // line, and the line end of a rewritten one, stays byte for byte.
    std::string compose(const std::function<Fate(std::size_t group, std::string& line)>& fate,
                        std::string_view appended) const;

    // "name:" then " member" for each member: the form a group line is written in.
    static void appendLine(std::string& out, std::string_view name,
                           const std::vector<std::string_view>& members);

  private:
    struct Line {
        std::uint32_t start, end; // the line, up to its line feed or the end of the bytes
        std::uint32_t nameAt, nameLength;
        std::uint32_t membersAt, membersEnd; // after the colon, up to a carriage return or the line feed
    };
    std::shared_ptr<const std::string> bytes_;
    std::vector<Line> groups_;
    std::string problem_;
};

} // namespace keepgate

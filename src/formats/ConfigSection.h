#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keepgate::section {

// The opening line of a directory's section as Keepgate writes it: <Directory "path">.
std::string header(const std::string& directory);

// A line whose first non-blank character is "#"; it never opens or closes a section.
bool isComment(std::string_view line);
// A line that closes a section: it holds "</Directory>" in any letter case and is no comment.
bool closes(std::string_view line);
// A line that opens a directory section of its own (a directive that only mentions one does not).
bool opensSection(std::string_view line);

// The lines [begin, end) of one section of the directory: from its first opening line that is no
// comment, at or after `from`, up to and including its closing line, or up to just before the next
// section's opening line, or to the end. `closed` tells whether a closing line ended it; `closedLater`
// whether any closing line follows the opening line at all.
struct Range {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool closed = false;
    bool closedLater = false;
};
std::optional<Range> find(const std::vector<std::string>& lines, const std::string& directory,
                          std::size_t from = 0);

} // namespace keepgate::section

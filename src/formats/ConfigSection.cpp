#include "formats/ConfigSection.h"

#include "formats/TextLines.h"
#include <cctype>

namespace keepgate::section {

namespace {

std::string lowered(std::string_view text) {
    return text::lowerAscii(std::string(text));
}

std::string_view withoutLeadingBlanks(std::string_view line) {
    const auto start = line.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string_view() : line.substr(start);
}

} // namespace

std::string header(const std::string& directory) {
    return "<Directory \"" + directory + "\">";
}

bool isComment(std::string_view line) {
    const auto rest = withoutLeadingBlanks(line);
    return !rest.empty() && rest.front() == '#';
}

bool closes(std::string_view line) {
    return !isComment(line) && lowered(line).find("</directory>") != std::string::npos;
}

bool opensSection(std::string_view line) {
    return lowered(withoutLeadingBlanks(line)).starts_with("<directory");
}

std::optional<Range> find(const std::vector<std::string>& lines, const std::string& directory,
                          std::size_t from) {
    const std::string opening = header(directory);
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (isComment(lines[i]) || lines[i].find(opening) == std::string::npos) {
            continue;
        }
        Range range{i, lines.size(), false, false};
        if (closes(lines[i])) {
            return Range{i, i + 1, true, true};
        }
        for (std::size_t j = i + 1; j < lines.size(); ++j) {
            // Another section's opening line ends this one before its own closing line is looked at,
            // so a one-line section that follows stays whole.
            if (opensSection(lines[j]) && range.end == lines.size()) {
                range.end = j;
            }
            if (closes(lines[j])) {
                range.closedLater = true;
                if (range.end == lines.size()) {
                    range.end = j + 1;
                    range.closed = true;
                }
                break;
            }
        }
        return range;
    }
    return std::nullopt;
}

} // namespace keepgate::section

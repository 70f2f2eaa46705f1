#include "formats/GroupFile.h"

#include "platform/Messages.h"

#include <algorithm>
#include <cstring>

namespace keepgate {

namespace {

// The characters the web server strips from the start of a group file line before it reads the name.
bool isLeadingBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

GroupFile::GroupFile(std::string bytes) : bytes_(std::make_shared<const std::string>(std::move(bytes))) {
    const char* data = bytes_->data();
    const std::size_t size = bytes_->size();
    if (std::memchr(data, '\0', size)) {
        problem_ = QT_TRANSLATE_NOOP("Messages", "it holds NUL bytes: it is a binary file, not a group file");
    }
    groups_.reserve(static_cast<std::size_t>(std::count(data, data + size, '\n')) + 1);
    for (std::size_t start = 0; start < size;) {
        const auto* feed = static_cast<const char*>(std::memchr(data + start, '\n', size - start));
        const std::size_t end = feed ? static_cast<std::size_t>(feed - data) : size;
        std::string_view line(data + start, end - start);
        const auto* colon = static_cast<const char*>(std::memchr(line.data(), ':', line.size()));
        std::size_t nameAt = 0;
        while (nameAt < line.size() && isLeadingBlank(line[nameAt])) {
            ++nameAt;
        }
        const std::size_t colonAt = colon ? static_cast<std::size_t>(colon - line.data()) : 0;
        // A comment, or a line with no name before its colon, which no "Require group" can name: both stay
        // as written and are no groups.
        if (colon && nameAt < colonAt && line[nameAt] != '#') {
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            groups_.push_back(Line{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end),
                                   static_cast<std::uint32_t>(start + nameAt),
                                   static_cast<std::uint32_t>(colonAt - nameAt),
                                   static_cast<std::uint32_t>(start + colonAt + 1),
                                   static_cast<std::uint32_t>(start + line.size())});
        }
        start = end + 1;
    }
}

std::string_view GroupFile::name(std::size_t group) const {
    return std::string_view(*bytes_).substr(groups_[group].nameAt, groups_[group].nameLength);
}

std::string_view GroupFile::memberText(std::size_t group) const {
    const Line& line = groups_[group];
    return std::string_view(*bytes_).substr(line.membersAt, line.membersEnd - line.membersAt);
}

std::vector<std::string_view> GroupFile::members(std::size_t group) const {
    std::vector<std::string_view> words;
    members(group, words);
    return words;
}

void GroupFile::members(std::size_t group, std::vector<std::string_view>& words) const {
    words.clear();
    forEachWord(memberText(group), [&](std::string_view word) { words.push_back(word); });
}

void GroupFile::appendLine(std::string& out, std::string_view name,
                           const std::vector<std::string_view>& members) {
    out.append(name).push_back(':');
    for (const auto member : members) {
        out.append(" ").append(member);
    }
}

std::string GroupFile::compose(const std::function<Fate(std::size_t group, std::string& line)>& fate,
                               std::string_view appended) const {
    const std::string& old = *bytes_;
    std::string text;
    text.reserve(old.size() + appended.size() + 1);
    std::size_t kept = 0;
    for (std::size_t group = 0; group < groups_.size(); ++group) {
        const Line& line = groups_[group];
        const std::size_t next = std::min<std::size_t>(line.end + 1, old.size());
        text.append(old, kept, line.start - kept);
        const std::size_t mark = text.size();
        switch (fate(group, text)) {
        case Fate::Keep:
            text.resize(mark);
            text.append(old, line.start, next - line.start);
            break;
        case Fate::Drop:
            text.resize(mark);
            break;
        case Fate::Rewrite:
            // The line keeps its own line end: a carriage return before the feed, and the feed itself.
            if (line.end > line.start && old[line.end - 1] == '\r') {
                text.push_back('\r');
            }
            if (line.end < old.size()) {
                text.push_back('\n');
            }
            break;
        }
        kept = next;
    }
    text.append(old, kept);
    if (!appended.empty()) {
        if (!text.empty() && text.back() != '\n') {
            text.push_back('\n');
        }
        text.append(appended);
    }
    return text;
}

} // namespace keepgate

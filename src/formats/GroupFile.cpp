#include "formats/GroupFile.h"

#include <cstring>

#include "formats/TextLines.h"

namespace keepgate {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

GroupFile::GroupFile(std::string bytes) : bytes_(std::make_shared<const std::string>(std::move(bytes))) {
    const char* data = bytes_->data();
    const std::size_t size = bytes_->size();
    if (std::memchr(data, '\0', size)) {
        problem_ = "it holds NUL bytes: it is a binary file, not a group file";
    }
    for (std::size_t start = 0; start < size;) {
        const auto* feed = static_cast<const char*>(std::memchr(data + start, '\n', size - start));
        const std::size_t end = feed ? static_cast<std::size_t>(feed - data) : size;
        std::string_view line(data + start, end - start);
        const auto* colon = static_cast<const char*>(std::memchr(line.data(), ':', line.size()));
        if (colon && !text::isCommentLine(line)) {
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            std::size_t nameAt = 0;
            const std::size_t colonAt = static_cast<std::size_t>(colon - line.data());
            while (nameAt < colonAt && isBlank(line[nameAt])) {
                ++nameAt;
            }
            Line group{static_cast<std::uint32_t>(start),
                       static_cast<std::uint32_t>(end),
                       static_cast<std::uint32_t>(start + nameAt),
                       static_cast<std::uint32_t>(colonAt - nameAt),
                       static_cast<std::uint32_t>(members_.size()),
                       0};
            for (std::size_t i = colonAt + 1; i < line.size();) {
                if (isBlank(line[i])) {
                    ++i;
                    continue;
                }
                const std::size_t wordStart = i;
                while (i < line.size() && !isBlank(line[i])) {
                    ++i;
                }
                members_.push_back(
                    Word{static_cast<std::uint32_t>(start + wordStart), static_cast<std::uint32_t>(i - wordStart)});
                ++group.memberCount;
            }
            groups_.push_back(group);
        }
        start = end + 1;
    }
}

std::string_view GroupFile::name(std::size_t group) const {
    return std::string_view(*bytes_).substr(groups_[group].nameAt, groups_[group].nameLength);
}

std::string_view GroupFile::member(std::size_t group, std::size_t index) const {
    const Word& word = members_[groups_[group].firstMember + index];
    return std::string_view(*bytes_).substr(word.at, word.length);
}

void GroupFile::appendLine(std::string& out, std::string_view name, const std::vector<std::string_view>& members) {
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

#include "formats/UserFile.h"

#include "platform/Messages.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/FileSystem.h"

namespace keepgate {

namespace {

// An htdigest line is "user:realm:hash" with a hash of 32 hexadecimal digits.
bool isDigestLine(std::string_view afterRealm) {
    if (!afterRealm.empty() && afterRealm.back() == '\r') {
        afterRealm.remove_suffix(1);
    }
    return afterRealm.size() == 32 && std::all_of(afterRealm.begin(), afterRealm.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
           });
}

// The characters the web server strips from the start of a user file line before it reads the name.
constexpr std::string_view kLeadingBlanks = " \t\v\f\r";

} // namespace

UserFile::UserFile(std::string bytes) : bytes_(std::make_shared<const std::string>(std::move(bytes))) {
    index();
}

void UserFile::index() {
    const std::string& text = *bytes_;
    lines_.clear();
    kind_ = Kind::Users;
    kindProblem_.clear();
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) {
        kind_ = Kind::Other;
        kindProblem_ = QT_TRANSLATE_NOOP("Messages", "it is too large");
        return;
    }
    const char* data = text.data();
    const std::size_t size = text.size();
    std::string problem;
    if (std::memchr(data, '\0', size)) {
        problem = QT_TRANSLATE_NOOP("Messages", "it holds NUL bytes: it is a binary file, not a user file");
    }
    lines_.reserve(static_cast<std::size_t>(std::count(data, data + size, '\n')) + 1);
    platform::adviseLargeBuffer(lines_.data(), lines_.capacity() * sizeof(Line));
    bool allDigest = true;
    std::size_t number = 0;
    for (std::size_t start = 0; start < size;) {
        const auto* feed = static_cast<const char*>(std::memchr(data + start, '\n', size - start));
        const std::size_t end = feed ? static_cast<std::size_t>(feed - data) : size;
        const std::string_view line(data + start, end - start);
        ++number;
        if (line.size() > kLongestLine && problem.empty()) {
            problem =
                text::fill(QT_TRANSLATE_NOOP("Messages", "line %1 is longer than %2 bytes, more than the web "
                                                         "server reads"),
                           number, kLongestLine);
        }
        const std::size_t lead = std::min(line.find_first_not_of(kLeadingBlanks), line.size());
        const std::string_view content = line.substr(lead);
        if (!content.empty() && content.front() != '#') {
            const auto* colon = static_cast<const char*>(std::memchr(content.data(), ':', content.size()));
            if (!colon) {
                if (problem.empty()) {
                    problem =
                        text::fill(QT_TRANSLATE_NOOP("Messages", "line %1 holds no colon, so it is not a "
                                                                 "\"name:hash\" user line"),
                                   number);
                }
            } else if (colon != content.data()) {
                const std::size_t nameLength = static_cast<std::size_t>(colon - content.data());
                const std::string_view rest = content.substr(nameLength + 1);
                const std::size_t second = rest.find(':');
                const std::size_t hashLength = second == std::string_view::npos ? rest.size() : second;
                if (allDigest) {
                    allDigest = second != std::string_view::npos && isDigestLine(rest.substr(second + 1));
                }
                lines_.push_back(
                    Line{static_cast<std::uint32_t>(start + lead), static_cast<std::uint32_t>(nameLength),
                         static_cast<std::uint32_t>(hashLength), static_cast<std::uint32_t>(end)});
            }
        }
        start = end + 1;
    }
    if (!problem.empty()) {
        kind_ = Kind::Other;
        kindProblem_ = std::move(problem);
    } else if (!lines_.empty() && allDigest) {
        kind_ = Kind::Htdigest;
        kindProblem_ =
            QT_TRANSLATE_NOOP("Messages", "it is an htdigest file (user:realm:hash), which the basic "
                                          "authentication of the web server does not read");
    }
}

std::size_t UserFile::lineStart(const Line& line) const {
    std::size_t start = line.nameAt;
    while (start > 0 && (*bytes_)[start - 1] != '\n') {
        --start;
    }
    return start;
}

std::string_view UserFile::name(std::size_t row) const {
    const Line& line = lines_[row];
    return std::string_view(*bytes_).substr(line.nameAt, line.nameLength);
}

std::string_view UserFile::hash(std::size_t row) const {
    const Line& line = lines_[row];
    return std::string_view(*bytes_).substr(line.nameAt + line.nameLength + 1, line.hashLength);
}

UserRecord UserFile::record(std::size_t row, std::optional<bool> mark) const {
    const Line& line = lines_[row];
    return UserRecord(bytes_, line.nameAt, line.nameLength, line.nameAt + line.nameLength + 1,
                      line.hashLength, mark);
}

std::vector<UserRecord> UserFile::records(const NameSet& marked) const {
    std::vector<UserRecord> records;
    records.reserve(lines_.size());
    platform::adviseLargeBuffer(records.data(), records.capacity() * sizeof(UserRecord));
    for (std::size_t row = 0; row < lines_.size(); ++row) {
        records.push_back(record(row, !marked.empty() && marked.contains(name(row))));
    }
    return records;
}

std::optional<std::size_t> UserFile::find(std::string_view name) const {
    for (std::size_t row = 0; row < lines_.size(); ++row) {
        if (this->name(row) == name) {
            return row;
        }
    }
    return std::nullopt;
}

void UserFile::append(std::string_view name, std::string_view hash) {
    const std::string& old = *bytes_;
    auto text = std::make_shared<std::string>();
    text->reserve(old.size() + name.size() + hash.size() + 3);
    platform::adviseLargeBuffer(text->data(), text->capacity());
    *text = old;
    if (!text->empty() && text->back() != '\n') {
        text->push_back('\n');
    }
    const std::size_t start = text->size();
    text->append(name).append(":").append(hash).append("\n");
    bytes_ = std::move(text);
    // A new line at the end moves no other line, so the index only grows.
    if (bytes_->size() > std::numeric_limits<std::uint32_t>::max()) {
        index();
        return;
    }
    lines_.push_back(Line{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(name.size()),
                          static_cast<std::uint32_t>(hash.size()),
                          static_cast<std::uint32_t>(bytes_->size() - 1)});
}

void UserFile::replaceHash(std::size_t row, std::string_view hash) {
    const Line& line = lines_[row];
    const std::size_t at = line.nameAt + line.nameLength + 1;
    std::size_t length = line.hashLength;
    // A hash that runs to the line's end holds the line's carriage return, which the line keeps.
    if (at + length == line.end && length > 0 && (*bytes_)[at + length - 1] == '\r') {
        --length;
    }
    std::string text;
    text.reserve(bytes_->size() + hash.size());
    platform::adviseLargeBuffer(text.data(), text.capacity());
    text.append(*bytes_, 0, at).append(hash).append(*bytes_, at + length);
    bytes_ = std::make_shared<const std::string>(std::move(text));
    index();
}

void UserFile::erase(const std::vector<std::size_t>& rows) {
    std::vector<bool> gone(lines_.size(), false);
    for (const std::size_t row : rows) {
        if (row < lines_.size()) {
            gone[row] = true;
        }
    }
    const std::string& old = *bytes_;
    std::string text;
    text.reserve(old.size());
    platform::adviseLargeBuffer(text.data(), text.capacity());
    std::size_t kept = 0;
    for (std::size_t row = 0; row < lines_.size(); ++row) {
        if (!gone[row]) {
            continue;
        }
        const std::size_t start = lineStart(lines_[row]);
        text.append(old, kept, start - kept);
        kept = std::min<std::size_t>(lines_[row].end + 1, old.size());
    }
    text.append(old, kept);
    bytes_ = std::make_shared<const std::string>(std::move(text));
    index();
}

} // namespace keepgate

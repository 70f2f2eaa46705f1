#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "formats/UserRecord.h"

namespace keepgate {

// The names to mark, looked up in constant time.
using NameSet = std::unordered_set<std::string_view>;

// A user file as it stands on disk: its bytes, and where each user line's name and hash are in them. Edits
// change only the lines they concern, so comments, blank lines, extra fields and line ends stay byte for
// byte.
class UserFile {
  public:
    // Larger files are refused before they are read.
    static constexpr std::uint64_t kSizeLimit = 512ull * 1024 * 1024;
    // The longest line the web server reads from a user or group file.
    static constexpr std::size_t kLongestLine = 8192;

    enum class Kind { Users, Htdigest, Other };

    explicit UserFile(std::string bytes = {});

    // The user lines as the web server reads them: blanks before the name are no part of it, a line whose
    // first non-blank character is "#" is a comment, and a line without a name before its colon names no
    // user anyone could be required as. Such lines stay in the bytes as written.
    std::size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }
    std::string_view name(std::size_t row) const;
    // The text between the first and second colon, or to the end of the line (a carriage return included).
    std::string_view hash(std::size_t row) const;
    // A light view of the user at the row; `mark` gives its "check".
    UserRecord record(std::size_t row, std::optional<bool> mark = std::nullopt) const;
    // Every user, each marked by whether its name is in `marked`.
    std::vector<UserRecord> records(const NameSet& marked) const;
    // The first user line with the name, which is the one the web server reads; nothing when there is none.
    std::optional<std::size_t> find(std::string_view name) const;

    // What the file is: a user file, an htdigest file, or something else; `kindProblem` says why in words.
    Kind kind() const { return kind_; }
    const std::string& kindProblem() const { return kindProblem_; }

    const std::string& bytes() const { return *bytes_; }
    // The same bytes, kept alive past the next edit without a copy (a save compares with them later).
    std::shared_ptr<const std::string> sharedBytes() const { return bytes_; }

    // Appends "name:hash\n", first ending an unterminated last line.
    void append(std::string_view name, std::string_view hash);
    // Replaces the hash of one line in place; the line keeps its place, its extra fields and its line end.
    void replaceHash(std::size_t row, std::string_view hash);
    // Removes the lines at the rows, each with its line feed.
    void erase(const std::vector<std::size_t>& rows);

  private:
    struct Line {
        std::uint32_t nameAt;     // first byte of the name; only blanks stand before it on its line
        std::uint32_t nameLength; // the colon follows the name
        std::uint32_t hashLength; // the hash follows the colon
        std::uint32_t end;        // the line feed that ends the line, or the end of the bytes
    };
    void index();
    // The first byte of the line, found back from the name over the blanks before it.
    std::size_t lineStart(const Line& line) const;

    std::shared_ptr<const std::string> bytes_;
    std::vector<Line> lines_;
    Kind kind_ = Kind::Users;
    std::string kindProblem_;
};

} // namespace keepgate

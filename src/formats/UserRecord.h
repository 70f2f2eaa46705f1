#pragma once

#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/Record.h"
#include "platform/Value.h"

namespace keepgate {

// One user of a user file: "username", "password" (the hash as stored) and, when read from a file, "check".
// A record read from a file is a light view into the file's bytes (shared, never changed), so that a
// million of them cost little more than the file; a key set later is held by the record itself.
class UserRecord {
  public:
    UserRecord() = default;
    UserRecord(std::initializer_list<std::pair<const std::string, Value>> values);
    // A view of the name and hash that stand at the given places of `bytes`; `mark` gives "check".
    UserRecord(std::shared_ptr<const std::string> bytes, std::uint32_t nameAt, std::uint32_t nameLength,
               std::uint32_t hashAt, std::uint32_t hashLength, std::optional<bool> mark);

    UserRecord(const UserRecord& other);
    UserRecord& operator=(const UserRecord& other);
    UserRecord(UserRecord&&) noexcept = default;
    UserRecord& operator=(UserRecord&&) noexcept = default;
    ~UserRecord() = default;

    std::optional<Value> value(const std::string& key) const;
    // The value's text, or "" when the key is absent.
    std::string text(const std::string& key) const;
    void setValue(const std::string& key, Value value);
    bool has(const std::string& key) const;

    // Every key with its value, as a plain record.
    Record toRecord() const;

    // Two records are equal when they hold the same keys with the same values.
    bool operator==(const UserRecord& other) const;

  private:
    std::optional<Value> viewed(const std::string& key) const;
    std::string_view viewedName() const;
    std::string_view viewedHash() const;

    std::shared_ptr<const std::string> bytes_;
    std::uint32_t nameAt_ = 0, nameLength_ = 0, hashAt_ = 0, hashLength_ = 0;
    // -1: no "check" from the file; 0 or 1: the text "0" or "1".
    signed char mark_ = -1;
    // Keys set after the read (or given at construction); they hide the viewed ones.
    std::unique_ptr<Record> own_;
};

void PrintTo(const UserRecord& record, std::ostream* out);

} // namespace keepgate

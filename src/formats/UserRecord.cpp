#include "formats/UserRecord.h"

#include <ostream>

namespace keepgate {

UserRecord::UserRecord(std::initializer_list<std::pair<const std::string, Value>> values)
    : own_(std::make_unique<Record>(values)) {}

UserRecord::UserRecord(std::shared_ptr<const std::string> bytes, std::uint32_t nameAt,
                       std::uint32_t nameLength, std::uint32_t hashAt, std::uint32_t hashLength,
                       std::optional<bool> mark)
    : bytes_(std::move(bytes)), nameAt_(nameAt), nameLength_(nameLength), hashAt_(hashAt),
      hashLength_(hashLength), mark_(mark ? static_cast<signed char>(*mark) : -1) {}

UserRecord::UserRecord(const UserRecord& other)
    : bytes_(other.bytes_), nameAt_(other.nameAt_), nameLength_(other.nameLength_), hashAt_(other.hashAt_),
      hashLength_(other.hashLength_), mark_(other.mark_),
      own_(other.own_ ? std::make_unique<Record>(*other.own_) : nullptr) {}

UserRecord& UserRecord::operator=(const UserRecord& other) {
    if (this != &other) {
        UserRecord copy(other);
        *this = std::move(copy);
    }
    return *this;
}

std::string_view UserRecord::viewedName() const {
    return bytes_ ? std::string_view(*bytes_).substr(nameAt_, nameLength_) : std::string_view();
}

std::string_view UserRecord::viewedHash() const {
    return bytes_ ? std::string_view(*bytes_).substr(hashAt_, hashLength_) : std::string_view();
}

std::optional<Value> UserRecord::viewed(const std::string& key) const {
    if (bytes_ && key == "username") {
        return Value(std::string(*bytes_, nameAt_, nameLength_));
    }
    if (bytes_ && key == "password") {
        return Value(std::string(*bytes_, hashAt_, hashLength_));
    }
    if (mark_ >= 0 && key == "check") {
        return Value(mark_ == 1 ? "1" : "0");
    }
    return std::nullopt;
}

std::optional<Value> UserRecord::value(const std::string& key) const {
    if (own_) {
        if (auto value = own_->value(key)) {
            return value;
        }
    }
    return viewed(key);
}

std::string UserRecord::text(const std::string& key) const {
    const auto value = this->value(key);
    return value ? value->text() : std::string();
}

void UserRecord::setValue(const std::string& key, Value value) {
    if (!own_) {
        own_ = std::make_unique<Record>();
    }
    own_->setValue(key, std::move(value));
}

bool UserRecord::has(const std::string& key) const {
    return (own_ && own_->has(key)) || viewed(key).has_value();
}

Record UserRecord::toRecord() const {
    Record record;
    for (const char* key : {"username", "password", "check"}) {
        if (auto value = viewed(key)) {
            record.setValue(key, std::move(*value));
        }
    }
    if (own_) {
        for (const auto& [key, value] : own_->values()) {
            record.setValue(key, value);
        }
    }
    return record;
}

bool UserRecord::operator==(const UserRecord& other) const {
    // The common case, two views without keys of their own, needs no copies.
    if (!own_ && !other.own_ && bytes_ && other.bytes_) {
        return viewedName() == other.viewedName() && viewedHash() == other.viewedHash() &&
               mark_ == other.mark_;
    }
    return toRecord() == other.toRecord();
}

void PrintTo(const UserRecord& record, std::ostream* out) {
    *out << "{";
    const Record all = record.toRecord();
    for (const auto& [key, value] : all.values()) {
        *out << " " << key << "=\"" << value.text() << "\"";
    }
    *out << " }";
}

} // namespace keepgate

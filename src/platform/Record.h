#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/Value.h"

namespace keepgate {

// A string-keyed record; its keys double as the identifiers of the table columns that show it.
class Record {
public:
    Record() = default;
    Record(std::initializer_list<std::pair<const std::string, Value>> values) : values_(values) {}

    std::optional<Value> value(const std::string& key) const;
    // The value's text, or "" when the key is absent.
    std::string text(const std::string& key) const;
    void setValue(const std::string& key, Value value) { values_[key] = std::move(value); }
    bool has(const std::string& key) const { return values_.count(key) != 0; }
    void remove(const std::string& key) { values_.erase(key); }
    bool empty() const { return values_.empty(); }
    std::size_t size() const { return values_.size(); }
    const std::map<std::string, Value>& values() const { return values_; }

    // Two records are equal when they hold the same keys with the same values.
    bool operator==(const Record& other) const = default;

private:
    std::map<std::string, Value> values_;
};

} // namespace keepgate

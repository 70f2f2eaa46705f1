#pragma once

#include <optional>
#include <string>
#include <variant>

namespace keepgate {

// A record value: text (as read from files) or an integer (as stored by a check-box click).
class Value {
public:
    Value() : value_(std::string()) {}
    Value(std::string text) : value_(std::move(text)) {}
    Value(const char* text) : value_(std::string(text)) {}
    Value(int number) : value_(static_cast<long long>(number)) {}
    Value(long long number) : value_(number) {}

    bool isText() const { return std::holds_alternative<std::string>(value_); }
    bool isInteger() const { return std::holds_alternative<long long>(value_); }

    // The text, or the decimal form of an integer.
    std::string text() const;
    // The integer, or the leading integer of the text (blanks skipped, optional sign); 0 when there is none.
    long long integerValue() const;

    bool operator==(const Value& other) const = default;
    friend bool operator==(const Value& value, const std::string& text) { return value.isText() && value.text() == text; }
    friend bool operator==(const Value& value, const char* text) { return value == std::string(text); }
    friend bool operator==(const Value& value, long long number) {
        return value.isInteger() && std::get<long long>(value.value_) == number;
    }
    friend bool operator==(const Value& value, int number) { return value == static_cast<long long>(number); }

private:
    std::variant<std::string, long long> value_;
};

// The "check" mark counts as marked exactly when its integer value is 1.
inline bool isMarked(const std::optional<Value>& mark) { return mark && mark->integerValue() == 1; }

// Reads a leading integer the way the preferences and the marks do: "1" -> 1, "2x" -> 2, "abc" -> 0.
long long leadingInteger(const std::string& text);

} // namespace keepgate

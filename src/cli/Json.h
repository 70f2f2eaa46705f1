#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace keepgate::cli {

// A JSON value to print: the command line's output with --json. Objects keep their keys in the order they
// were set, so the output reads in a stable order.
class Json {
  public:
    Json() : value_(nullptr) {}
    Json(std::nullptr_t) : value_(nullptr) {}
    Json(bool value) : value_(value) {}
    Json(int value) : value_(static_cast<long long>(value)) {}
    Json(long long value) : value_(value) {}
    Json(const char* value) : value_(std::string(value)) {}
    Json(std::string value) : value_(std::move(value)) {}
    Json(const std::vector<std::string>& values);

    static Json object() { return Json(Object{}); }
    static Json array() { return Json(Array{}); }

    // Sets a key of an object (replacing an earlier value of the key).
    Json& set(const std::string& key, Json value);
    // Appends to an array.
    Json& push(Json value);

    std::string dump() const;

  private:
    using Array = std::vector<Json>;
    using Object = std::vector<std::pair<std::string, Json>>;
    explicit Json(Object object) : value_(std::move(object)) {}
    explicit Json(Array array) : value_(std::move(array)) {}
    void dumpTo(std::string& out) const;

    std::variant<std::nullptr_t, bool, long long, std::string, Array, Object> value_;
};

// The text as a JSON string literal; bytes that are not UTF-8 become U+FFFD, so the output always parses.
std::string jsonString(const std::string& text);

} // namespace keepgate::cli

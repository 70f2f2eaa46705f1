#include "cli/Json.h"

#include <cstdio>

namespace keepgate::cli {

namespace {

// The length of the UTF-8 sequence at `i`, or 0 when the bytes there are not one.
std::size_t utf8Length(const std::string& text, std::size_t i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    std::size_t length = lead < 0x80           ? 1
                         : (lead >> 5) == 0x6  ? 2
                         : (lead >> 4) == 0xE  ? 3
                         : (lead >> 3) == 0x1E ? 4
                                               : 0;
    if (length == 0 || i + length > text.size() || (length == 2 && lead < 0xC2)) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) >> 6) != 0x2) {
            return 0;
        }
    }
    return length;
}

} // namespace

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else if (c >= 0x80) {
            const std::size_t length = utf8Length(text, i);
            if (length == 0) {
                out += "\\ufffd";
                ++i;
                continue;
            }
            out.append(text, i, length);
            i += length;
            continue;
        } else {
            out += static_cast<char>(c);
        }
        ++i;
    }
    return out + "\"";
}

Json::Json(const std::vector<std::string>& values) : value_(Array{}) {
    for (const auto& value : values) {
        push(value);
    }
}

Json& Json::set(const std::string& key, Json value) {
    auto& object = std::get<Object>(value_);
    for (auto& [name, existing] : object) {
        if (name == key) {
            existing = std::move(value);
            return *this;
        }
    }
    object.emplace_back(key, std::move(value));
    return *this;
}

Json& Json::push(Json value) {
    std::get<Array>(value_).push_back(std::move(value));
    return *this;
}

std::string Json::dump() const {
    std::string out;
    dumpTo(out);
    return out;
}

void Json::dumpTo(std::string& out) const {
    if (std::holds_alternative<std::nullptr_t>(value_)) {
        out += "null";
    } else if (const bool* flag = std::get_if<bool>(&value_)) {
        out += *flag ? "true" : "false";
    } else if (const long long* number = std::get_if<long long>(&value_)) {
        out += std::to_string(*number);
    } else if (const std::string* text = std::get_if<std::string>(&value_)) {
        out += jsonString(*text);
    } else if (const Array* array = std::get_if<Array>(&value_)) {
        out += '[';
        for (std::size_t i = 0; i < array->size(); ++i) {
            out += i ? "," : "";
            (*array)[i].dumpTo(out);
        }
        out += ']';
    } else {
        const Object& object = std::get<Object>(value_);
        out += '{';
        for (std::size_t i = 0; i < object.size(); ++i) {
            out += i ? "," : "";
            out += jsonString(object[i].first) + ":";
            object[i].second.dumpTo(out);
        }
        out += '}';
    }
}

} // namespace keepgate::cli

#include "platform/Value.h"

#include <cctype>
#include <climits>

namespace keepgate {

std::string Value::text() const {
    if (isText()) {
        return std::get<std::string>(value_);
    }
    return std::to_string(std::get<long long>(value_));
}

long long Value::integerValue() const {
    if (isInteger()) {
        return std::get<long long>(value_);
    }
    return leadingInteger(std::get<std::string>(value_));
}

long long leadingInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long result = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        const int digit = text[i] - '0';
        if (result > (LLONG_MAX - digit) / 10) {
            return negative ? LLONG_MIN : LLONG_MAX;
        }
        result = result * 10 + digit;
    }
    return negative ? -result : result;
}

} // namespace keepgate

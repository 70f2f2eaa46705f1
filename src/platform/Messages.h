#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// Marks a message template for translation. lupdate collects every marked text into translations/*.ts;
// the core itself only ever holds the English text, so files, the log and keepgatectl stay English. The
// definition is Qt's own, token for token, so a file that also includes Qt compiles either way round.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace keepgate::text {

// A message as it was composed: its marked template and the texts put in for %1, %2, ….
struct FilledMessage {
    std::string pattern;
    std::vector<std::string> arguments;
};

// The template with %1…%9 replaced by the arguments in one pass (a % in an argument is never read
// again); a % not followed by the number of an argument stays as it is.
std::string fillWith(std::string_view pattern, const std::vector<std::string>& arguments);

// Fills a marked template and remembers how the text was made, so the window can show the same text
// translated (filledMessage); the returned text is the English one.
std::string fillAndRemember(std::string_view pattern, std::vector<std::string> arguments);

namespace detail {
inline std::string argumentText(std::string_view text) {
    return std::string(text);
}
template <typename Number>
requires std::is_arithmetic_v<Number> std::string argumentText(Number number) {
    return std::to_string(number);
}
} // namespace detail

template <typename... Arguments> std::string fill(std::string_view pattern, const Arguments&... arguments) {
    return fillAndRemember(pattern, {detail::argumentText(arguments)...});
}

// How a recently filled text was made, when it is one; the memory keeps the newest few thousand.
std::optional<FilledMessage> filledMessage(const std::string& text);

} // namespace keepgate::text

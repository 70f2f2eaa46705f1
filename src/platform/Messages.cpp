#include "platform/Messages.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <unordered_map>

namespace keepgate::text {

namespace {

// The alert title that every editor writes bare, marked once here so that it is translated too.
[[maybe_unused]] constexpr const char* kCommonWords[] = {QT_TRANSLATE_NOOP("Messages", "Error!")};

// Enough for every message a window can show at once; older ones are forgotten first.
constexpr std::size_t kRemembered = 4096;

struct Memory {
    std::mutex mutex;
    std::unordered_map<std::string, FilledMessage> byText;
    std::deque<std::string> order;
};

Memory& memory() {
    static Memory* instance = new Memory; // never destroyed: background checks may still fill at exit
    return *instance;
}

} // namespace

std::string fillWith(std::string_view pattern, const std::vector<std::string>& arguments) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < arguments.size()) {
                out += arguments[index];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string fillAndRemember(std::string_view pattern, std::vector<std::string> arguments) {
    std::string text = fillWith(pattern, arguments);
    // A text that is one of its own arguments (an empty sentence joined to it) keeps how it was first made.
    if (arguments.empty() || std::find(arguments.begin(), arguments.end(), text) != arguments.end()) {
        return text;
    }
    Memory& m = memory();
    const std::lock_guard lock(m.mutex);
    auto [it, added] =
        m.byText.insert_or_assign(text, FilledMessage{std::string(pattern), std::move(arguments)});
    if (added) {
        m.order.push_back(it->first);
        if (m.order.size() > kRemembered) {
            m.byText.erase(m.order.front());
            m.order.pop_front();
        }
    }
    return text;
}

std::optional<FilledMessage> filledMessage(const std::string& text) {
    Memory& m = memory();
    const std::lock_guard lock(m.mutex);
    const auto it = m.byText.find(text);
    return it == m.byText.end() ? std::nullopt : std::optional(it->second);
}

} // namespace keepgate::text

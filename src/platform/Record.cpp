#include "platform/Record.h"

namespace keepgate {

std::optional<Value> Record::value(const std::string& key) const {
    const auto it = values_.find(key);
    if (it == values_.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::string Record::text(const std::string& key) const {
    const auto it = values_.find(key);
    return it == values_.end() ? std::string() : it->second.text();
}

} // namespace keepgate

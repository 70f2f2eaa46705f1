#include "groups/GroupItem.h"

namespace keepgate {

std::optional<Value> GroupItem::value(const std::string& key) const {
    return values_.value(key);
}

void GroupItem::setValue(const std::string& key, const Value& value) {
    // The tree's structure is changed only through its own accessors, never as a plain value.
    if (key == "CHILDREN" || key == "PARENT") {
        return;
    }
    values_.setValue(key, value);
}

void GroupItem::removeValue(const std::string& key) {
    values_.remove(key);
}

bool GroupItem::has(const std::string& key) const {
    if (key == "CHILDREN") {
        return children_.has_value();
    }
    if (key == "PARENT") {
        return parent_.has_value();
    }
    return values_.has(key);
}

std::optional<std::string> GroupItem::title() const {
    const auto title = values_.value("TITLE");
    if (!title) {
        return std::nullopt;
    }
    return title->text();
}

} // namespace keepgate

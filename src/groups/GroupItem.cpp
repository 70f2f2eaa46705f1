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

GroupItems* GroupItem::children() {
    unpack();
    return children_ ? &*children_ : nullptr;
}

const GroupItems* GroupItem::children() const {
    unpack();
    return children_ ? &*children_ : nullptr;
}

std::size_t GroupItem::memberCount() const {
    if (!packedEnds_.empty()) {
        return packedEnds_.size();
    }
    return children_ ? children_->size() : 0;
}

std::string GroupItem::memberTitle(std::size_t index) const {
    if (!packedEnds_.empty()) {
        const std::size_t start = index == 0 ? 0 : packedEnds_[index - 1];
        return packedNames_.substr(start, packedEnds_[index] - start);
    }
    return (*children_)[index]->title().value_or("");
}

void GroupItem::setPackedMembers(std::string names, std::vector<std::uint32_t> ends) {
    if (!children_) {
        children_.emplace();
    }
    children_->clear();
    packedNames_ = std::move(names);
    packedEnds_ = std::move(ends);
}

// Making the nodes changes what the group holds in form only, so it is allowed on a const group.
void GroupItem::unpack() const {
    if (packedEnds_.empty()) {
        return;
    }
    auto* self = const_cast<GroupItem*>(this);
    children_->reserve(children_->size() + packedEnds_.size());
    std::size_t start = 0;
    for (const std::uint32_t end : packedEnds_) {
        auto member = std::make_shared<GroupItem>();
        member->setTitle(packedNames_.substr(start, end - start));
        member->setParent(WeakReference::weakReferenceWithParent(self));
        children_->push_back(std::move(member));
        start = end;
    }
    packedNames_.clear();
    packedNames_.shrink_to_fit();
    packedEnds_.clear();
    packedEnds_.shrink_to_fit();
}

} // namespace keepgate

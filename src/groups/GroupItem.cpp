#include "groups/GroupItem.h"

#include "formats/GroupFile.h"

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
    if (packedBytes_) {
        if (!packedCount_) {
            std::size_t count = 0;
            GroupFile::forEachWord(packedText_, [&](std::string_view) { ++count; });
            packedCount_ = count;
        }
        return *packedCount_;
    }
    return children_ ? children_->size() : 0;
}

std::string GroupItem::memberTitle(std::size_t index) const {
    if (packedBytes_) {
        std::string title;
        std::size_t at = 0;
        GroupFile::forEachWord(packedText_, [&](std::string_view word) {
            if (at++ == index) {
                title = word;
            }
        });
        return title;
    }
    return (*children_)[index]->title().value_or("");
}

void GroupItem::setPackedMembers(std::shared_ptr<const std::string> bytes, std::string_view text) {
    if (!children_) {
        children_.emplace();
    }
    children_->clear();
    packedBytes_ = std::move(bytes);
    packedText_ = text;
    packedCount_.reset();
}

// Making the nodes changes what the group holds in form only, so it is allowed on a const group.
void GroupItem::unpack() const {
    if (!packedBytes_) {
        return;
    }
    auto* self = const_cast<GroupItem*>(this);
    GroupFile::forEachWord(packedText_, [&](std::string_view word) {
        auto member = std::make_shared<GroupItem>();
        member->setTitle(std::string(word));
        member->setParent(WeakReference::weakReferenceWithParent(self));
        children_->push_back(std::move(member));
    });
    packedBytes_.reset();
    packedText_ = {};
    packedCount_.reset();
}

} // namespace keepgate

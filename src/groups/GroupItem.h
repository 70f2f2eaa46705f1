#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "groups/WeakReference.h"
#include "platform/Value.h"

namespace keepgate {

// A node of the group tree: a group ("TITLE", owned "CHILDREN") or a member ("TITLE", "PARENT").
class GroupItem {
public:
    // "TITLE" and the transient "Delete" mark; absent keys give nothing.
    std::optional<Value> value(const std::string& key) const;
    void setValue(const std::string& key, const Value& value);
    bool has(const std::string& key) const;

    std::optional<std::string> title() const { return title_; }
    void setTitle(const std::string& title) { title_ = title; }

    // "CHILDREN": present from creation on group nodes, absent on members.
    std::vector<std::unique_ptr<GroupItem>>* children() { return children_ ? &*children_ : nullptr; }
    const std::vector<std::unique_ptr<GroupItem>>* children() const { return children_ ? &*children_ : nullptr; }
    void makeChildren() { children_.emplace(); }

    // "PARENT": set on members that belong to a group.
    const std::optional<WeakReference>& parent() const { return parent_; }
    void setParent(const WeakReference& reference) { parent_ = reference; }

private:
    std::optional<std::string> title_;
    std::optional<std::vector<std::unique_ptr<GroupItem>>> children_;
    std::optional<WeakReference> parent_;
    std::optional<Value> deleteMark_;
};

} // namespace keepgate

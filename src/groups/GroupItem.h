#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "groups/WeakReference.h"
#include "platform/Record.h"
#include "platform/Value.h"

namespace keepgate {

class GroupItem;
// An ordered list of nodes. A node is shared-owned so that a member made without a group belongs to the
// caller and goes when the caller drops it, while a member made for a group is kept by that group.
using GroupItems = std::vector<std::shared_ptr<GroupItem>>;

// A node of the group tree: a group ("TITLE", owned "CHILDREN") or a member ("TITLE", "PARENT").
class GroupItem : public std::enable_shared_from_this<GroupItem> {
  public:
    // Text-valued keys ("TITLE", the transient "Delete" mark, any other); "CHILDREN" and "PARENT" have
    // their own accessors and are not values.
    std::optional<Value> value(const std::string& key) const;
    void setValue(const std::string& key, const Value& value);
    void removeValue(const std::string& key);
    // True when the node carries the key, the structural "CHILDREN" and "PARENT" included.
    bool has(const std::string& key) const;

    std::optional<std::string> title() const;
    void setTitle(const std::string& title) { values_.setValue("TITLE", Value(title)); }

    // "CHILDREN": present from creation on group nodes, absent on members.
    GroupItems* children() { return children_ ? &*children_ : nullptr; }
    const GroupItems* children() const { return children_ ? &*children_ : nullptr; }
    void makeChildren() { children_.emplace(); }

    // "PARENT": set on members that belong to a group.
    const std::optional<WeakReference>& parent() const { return parent_; }
    void setParent(const WeakReference& reference) { parent_ = reference; }

  private:
    Record values_;
    std::optional<GroupItems> children_;
    std::optional<WeakReference> parent_;
};

} // namespace keepgate

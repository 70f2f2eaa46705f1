#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
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
// A group read from a file keeps its members as packed names and makes member nodes only when someone
// asks for them (the outline, when the group is opened), so a large file costs little more than its text.
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

    // "CHILDREN": present from creation on group nodes, absent on members. Asking for it makes the member
    // nodes of packed members.
    GroupItems* children();
    const GroupItems* children() const;
    void makeChildren() { children_.emplace(); }

    // The members without making nodes for them.
    std::size_t memberCount() const;
    std::string memberTitle(std::size_t index) const;
    // True while the members are the words of a file line without nodes; no mark can be on such a member.
    bool isPacked() const { return packedBytes_ != nullptr; }
    // Sets the members of a group to the words of `text`, which lies in `bytes`, replacing any it had.
    void setPackedMembers(std::shared_ptr<const std::string> bytes, std::string_view text);

    // "PARENT": set on members that belong to a group.
    const std::optional<WeakReference>& parent() const { return parent_; }
    void setParent(const WeakReference& reference) { parent_ = reference; }

    // The group line of the file this group was read from, and whether the group changed since; a group
    // that was not read from the file has no line.
    std::optional<std::size_t> sourceLine;
    bool edited = false;

  private:
    void unpack() const;

    Record values_;
    mutable std::optional<GroupItems> children_;
    // Packed members: the words of a line of the file's bytes, counted when first asked.
    mutable std::shared_ptr<const std::string> packedBytes_;
    mutable std::string_view packedText_;
    mutable std::optional<std::size_t> packedCount_;
    std::optional<WeakReference> parent_;
};

} // namespace keepgate

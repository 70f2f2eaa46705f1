#pragma once

#include <memory>

namespace keepgate {

class GroupItem;

// A member's link to its group; it never owns the group, so a group and its members form no cycle.
class WeakReference {
  public:
    static WeakReference weakReferenceWithParent(GroupItem* parent);
    // Takes no ownership and releases nothing.
    void setParent(GroupItem* parent);
    // The group, or null once a group that was shared-owned has gone (the link never dangles).
    GroupItem* parent() const;

  private:
    GroupItem* parent_ = nullptr;
    // Set when the group is shared-owned, so that parent() can tell that it has gone.
    std::weak_ptr<GroupItem> tracked_;
    bool isTracked_ = false;
};

} // namespace keepgate

#pragma once

namespace keepgate {

class GroupItem;

// A member's link to its group; it never owns the group.
class WeakReference {
public:
    static WeakReference weakReferenceWithParent(GroupItem* parent) {
        WeakReference reference;
        reference.setParent(parent);
        return reference;
    }
    void setParent(GroupItem* parent) { parent_ = parent; }
    GroupItem* parent() const { return parent_; }

private:
    GroupItem* parent_ = nullptr;
};

} // namespace keepgate

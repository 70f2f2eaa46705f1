#include "groups/WeakReference.h"

#include "groups/GroupItem.h"

namespace keepgate {

WeakReference WeakReference::weakReferenceWithParent(GroupItem* parent) {
    WeakReference reference;
    reference.setParent(parent);
    return reference;
}

void WeakReference::setParent(GroupItem* parent) {
    parent_ = parent;
    tracked_ = parent ? parent->weak_from_this() : std::weak_ptr<GroupItem>();
    // An empty weak_ptr shares no owner with a default one; a tracked one does.
    const std::weak_ptr<GroupItem> none;
    isTracked_ = tracked_.owner_before(none) || none.owner_before(tracked_);
}

GroupItem* WeakReference::parent() const {
    if (isTracked_ && tracked_.expired()) {
        return nullptr;
    }
    return parent_;
}

} // namespace keepgate

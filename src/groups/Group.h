#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/GroupFile.h"
#include "groups/GroupItem.h"
#include "platform/FileSystem.h"
#include "ui/Controls.h"

namespace keepgate {

// The group file editor: a tree of groups and their members, written to the group file after every change.
class Group : public ui::OutlineDataSource {
  public:
    ui::Window* mainWindow = nullptr;
    ui::TextField* groupfileField = nullptr;
    ui::TextField* groupnameField = nullptr;
    ui::TextField* usernameField = nullptr;
    ui::PopUpButton* grouplistPopup = nullptr;
    ui::Button* addgroupButton = nullptr;
    ui::Button* adduserButton = nullptr;
    ui::Button* deleteusergroupButton = nullptr;
    ui::OutlineView* outlineView = nullptr;
    // The groups, in file order; absent until a file is chosen or named.
    std::optional<GroupItems> records;

    void awakeFromNib() {}

    // Tree operations.
    // A new group node with empty "CHILDREN", not yet in the tree.
    std::shared_ptr<GroupItem> groupWithTitle(const std::optional<std::string>& title);
    // A new member node appended to the group's "CHILDREN"; without a group it belongs only to the caller.
    std::shared_ptr<GroupItem> newItemForGroup(GroupItem* group, const std::optional<std::string>& title);
    std::shared_ptr<GroupItem> newItemForGroup(const std::shared_ptr<GroupItem>& group,
                                               const std::optional<std::string>& title) {
        return newItemForGroup(group.get(), title);
    }
    std::shared_ptr<GroupItem> newItemForGroup(std::nullptr_t, const std::optional<std::string>& title) {
        return newItemForGroup(static_cast<GroupItem*>(nullptr), title);
    }
    static bool searchForTitle(const GroupItems& list, const std::string& title);
    static void removeObjectsWithKey(const std::string& key, GroupItems& list);
    void reloadGroupfile(const std::string& path);

    // Actions and their panel ends.
    void newFile();
    void didEnd(int returnCode, const std::vector<std::string>& filenames);
    void selectFile();
    void openEnd(int returnCode, const std::vector<std::string>& filenames);
    void makeEditable();
    void addGroup();
    void addUser();
    void deleteGroup();
    // End of the deletion's confirmation: return code 1 ("Delete") deletes the selection.
    void sheetDidEnd(int returnCode);
    // Writes the tree to the group file; false, after an alert, when that failed.
    bool saveGroupfile();

    // The outline view's data source.
    int numberOfChildrenOfItem(ui::OutlineItem item) override;
    bool isItemExpandable(ui::OutlineItem item) override;
    ui::OutlineItem child(int index, ui::OutlineItem item) override;
    Value objectValueForTableColumn(const std::string& column, ui::OutlineItem item) override;

  private:
    // Where a node stands, by titles: the n-th group of a title, and in it the n-th member of a title.
    struct NodePlace {
        std::string group;
        std::size_t groupOccurrence = 0;
        std::optional<std::string> member;
        std::size_t memberOccurrence = 0;
    };
    NodePlace placeOf(const GroupItem& node) const;
    GroupItem* find(const NodePlace& place) const;
    // Reads the file again when another program changed it since it was read or written: Reloaded then,
    // Unusable (after telling the user) when it is gone or cannot be read any more.
    enum class Sync { Same, Reloaded, Unusable };
    Sync syncWithDisk();
    bool refuseReadOnly(const std::string& what);
    void rebuildFrom(GroupFile file);
    void showError(const std::string& message);

    // The file as last read or written: its lines are kept when the tree is written back.
    std::optional<GroupFile> file_;
    std::optional<platform::FileIdentity> identity_;
    // Why the file is only shown, never written; empty for a group file.
    std::string readOnlyReason_;
};

} // namespace keepgate

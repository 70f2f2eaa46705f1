#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "groups/GroupItem.h"
#include "operations/GroupStore.h"
#include "ui/Controls.h"

namespace keepgate {

// The group file editor: a tree of groups and their members over the shared group store, which writes each
// change to the group file as it is on disk.
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
    // Reads the group file at the path and shows its groups.
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

    // The outline view's data source.
    int numberOfChildrenOfItem(ui::OutlineItem item) override;
    bool isItemExpandable(ui::OutlineItem item) override;
    ui::OutlineItem child(int index, ui::OutlineItem item) override;
    Value objectValueForTableColumn(const std::string& column, ui::OutlineItem item) override;

  private:
    // Where a node stands, by titles, so that it is found again in a file another program changed.
    operations::GroupLinePlace lineOf(const GroupItem& group) const;
    // The group line the pop-up list has chosen; nothing when it is empty.
    std::optional<operations::GroupLinePlace> chosenLine() const;
    // Makes one change through the store, which writes it to the file as it is on disk; then shows the
    // file, keeping the chosen group chosen. False (after an alert) when the change was not written.
    bool commit(const std::function<operations::Outcome(operations::GroupStore&)>& change);
    // Shows the store's groups in the outline and the pop-up list.
    void show(const std::optional<operations::GroupLinePlace>& chosen, int chosenIndex);
    bool refuseReadOnly(const std::string& what);
    void showError(const std::string& message);

    // The group file as last read or written; absent until a file is chosen or named.
    std::optional<operations::GroupStore> store_;
};

} // namespace keepgate

#include "groups/Group.h"

#include <utility>

#include "formats/NameRules.h"
#include "formats/ReadFile.h"
#include "formats/WriteFile.h"
#include "platform/FileSystem.h"
#include "services/AdministratorWrite.h"
#include "ui/WindowSystem.h"

namespace keepgate {

namespace {

GroupItem* itemOf(ui::OutlineItem item) {
    return static_cast<GroupItem*>(item);
}

} // namespace

std::shared_ptr<GroupItem> Group::groupWithTitle(const std::optional<std::string>& title) {
    auto group = std::make_shared<GroupItem>();
    group->makeChildren();
    if (title) {
        group->setTitle(*title);
    }
    return group;
}

std::shared_ptr<GroupItem> Group::newItemForGroup(GroupItem* group, const std::optional<std::string>& title) {
    auto item = std::make_shared<GroupItem>();
    // A member node has no "CHILDREN" to append to; it is never turned into a group.
    if (group && group->children()) {
        group->children()->push_back(item);
    }
    if (title) {
        item->setTitle(*title);
    }
    if (group) {
        item->setParent(WeakReference::weakReferenceWithParent(group));
    }
    return item;
}

bool Group::searchForTitle(const GroupItems& list, const std::string& title) {
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        const auto itemTitle = (*it)->title();
        if (itemTitle && *itemTitle == title) {
            return true;
        }
    }
    return false;
}

void Group::removeObjectsWithKey(const std::string& key, GroupItems& list) {
    // Last to first, so that a removal never shifts a position still to be visited.
    for (std::size_t i = list.size(); i-- > 0;) {
        GroupItem& item = *list[i];
        if (auto* children = item.children()) {
            removeObjectsWithKey(key, *children);
        }
        if (item.has(key)) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

void Group::reloadGroupfile(const std::string& path) {
    if (!records) {
        records.emplace();
    }
    for (const auto& line : ReadFile::readGroupTree(path)) {
        auto group = groupWithTitle(line.title);
        for (const auto& member : line.members) {
            newItemForGroup(group.get(), member);
        }
        records->push_back(std::move(group));
    }
}

void Group::newFile() {
    ui::SavePanelOptions options;
    options.directory = platform::homeDirectory();
    options.file = "groups";
    ui::windowSystem().beginSavePanel(
        options, mainWindow,
        [this](int returnCode, const std::vector<std::string>& filenames) { didEnd(returnCode, filenames); });
}

void Group::didEnd(int returnCode, const std::vector<std::string>& filenames) {
    if (returnCode != 1 || filenames.empty()) {
        return;
    }
    const std::string& path = filenames.front();
    if (const auto reason = platform::unreadableReason(path)) {
        showError("The group file \"" + path + "\" cannot be used: " + *reason + ".");
        return;
    }
    groupfileField->setStringValue(path);
    makeEditable();
    records.emplace();
    outlineView->reloadData();
}

void Group::selectFile() {
    ui::OpenPanelOptions options;
    options.directory = platform::homeDirectory();
    ui::windowSystem().beginOpenPanel(options, mainWindow,
                                      [this](int returnCode, const std::vector<std::string>& filenames) {
                                          openEnd(returnCode, filenames);
                                      });
}

void Group::openEnd(int returnCode, const std::vector<std::string>& filenames) {
    if (returnCode != 1 || filenames.empty()) {
        return;
    }
    const std::string path = filenames.front();
    // Opening an unreadable file as an empty tree would let the next change overwrite its groups.
    if (const auto reason = platform::unreadableReason(path)) {
        showError("The group file \"" + path + "\" cannot be opened: " + *reason + ".");
        return;
    }
    groupfileField->setStringValue(path);
    makeEditable();
    records.emplace();
    reloadGroupfile(path);
    outlineView->reloadData();
    for (const auto& group : *records) {
        grouplistPopup->addItemWithTitle(group->title().value_or(""));
    }
}

void Group::makeEditable() {
    addgroupButton->setEnabled(true);
    adduserButton->setEnabled(true);
    deleteusergroupButton->setEnabled(true);
    groupnameField->setEditable(true);
    usernameField->setEditable(true);
    grouplistPopup->setEnabled(true);
    groupnameField->selectText();
    grouplistPopup->removeAllItems();
}

void Group::addGroup() {
    if (!records) {
        records.emplace();
    }
    const std::string name = groupnameField->stringValue();
    if (name.empty() || searchForTitle(*records, name)) {
        return;
    }
    if (const auto problem = names::problem(name, names::kGroupName)) {
        showError("The group name \"" + name + "\" cannot be used: " + *problem +
                  ". A group name may not contain blanks, tabs, colons or line breaks.");
        return;
    }
    auto group = groupWithTitle(name);
    records->push_back(group);
    groupnameField->setStringValue("");
    groupnameField->selectText();
    outlineView->reloadData();
    grouplistPopup->addItemWithTitle(name);
    if (saveGroupfile()) {
        ui::windowSystem().showStatus("Added group " + name);
    }
}

void Group::addUser() {
    const std::string name = usernameField->stringValue();
    if (name.empty()) {
        return;
    }
    const int chosen = grouplistPopup->indexOfSelectedItem();
    if (!records || chosen < 0 || chosen >= static_cast<int>(records->size())) {
        // There is no group to add the member to.
        ui::windowSystem().beep();
        return;
    }
    if (const auto problem = names::problem(name, names::kMemberName)) {
        showError("The user name \"" + name + "\" cannot be added to a group: " + *problem +
                  ". A member name may not contain blanks, tabs or line breaks.");
        return;
    }
    newItemForGroup((*records)[static_cast<std::size_t>(chosen)].get(), name);
    usernameField->setStringValue("");
    usernameField->selectText();
    outlineView->reloadData();
    if (saveGroupfile()) {
        ui::windowSystem().showStatus("Added " + name + " to " +
                                      (*records)[static_cast<std::size_t>(chosen)]->title().value_or(""));
    }
}

void Group::deleteGroup() {
    if (!records) {
        return;
    }
    std::string deleted;
    // Mark first and sweep after, so the selection is never read from a tree that is changing.
    for (const int row : outlineView->selectedRowIndexes()) {
        GroupItem* item = itemOf(outlineView->itemAtRow(row));
        if (!item) {
            continue;
        }
        item->setValue("Delete", Value("YES"));
        deleted += (deleted.empty() ? "" : ", ") + item->title().value_or("");
    }
    // Entries go by position, from the last up: two groups may share a title, and entry i mirrors group i.
    for (std::size_t index = records->size(); index-- > 0;) {
        if ((*records)[index]->has("Delete")) {
            grouplistPopup->removeItemAtIndex(static_cast<int>(index));
        }
    }
    removeObjectsWithKey("Delete", *records);
    outlineView->deselectAll();
    outlineView->reloadData();
    if (saveGroupfile() && !deleted.empty()) {
        ui::windowSystem().showStatus("Deleted " + deleted);
    }
}

bool Group::saveGroupfile() {
    std::vector<ReadFile::GroupLine> lines;
    if (records) {
        lines.reserve(records->size());
        for (const auto& group : *records) {
            ReadFile::GroupLine line{group->title().value_or(""), {}};
            if (const auto* members = group->children()) {
                for (const auto& member : *members) {
                    line.members.push_back(member->title().value_or(""));
                }
            }
            lines.push_back(std::move(line));
        }
    }
    const std::string path = groupfileField->stringValue();
    const std::string text = WriteFile::groupfileText(lines);
    const auto result = platform::writeFileAtomically(path, text);
    if (!result) {
        offerAdministratorWrite(mainWindow, path, text,
                                "The group file \"" + path + "\" could not be written (" + result.error +
                                    "). The groups keep your change; the next successful save writes it.");
    }
    return static_cast<bool>(result);
}

int Group::numberOfChildrenOfItem(ui::OutlineItem item) {
    if (!item) {
        return records ? static_cast<int>(records->size()) : 0;
    }
    const auto* children = itemOf(item)->children();
    return children ? static_cast<int>(children->size()) : 0;
}

bool Group::isItemExpandable(ui::OutlineItem item) {
    const GroupItems* children = item ? itemOf(item)->children() : (records ? &*records : nullptr);
    return children && !children->empty();
}

ui::OutlineItem Group::child(int index, ui::OutlineItem item) {
    const GroupItems* children = item ? itemOf(item)->children() : (records ? &*records : nullptr);
    if (!children || index < 0 || index >= static_cast<int>(children->size())) {
        return nullptr;
    }
    return (*children)[static_cast<std::size_t>(index)].get();
}

Value Group::objectValueForTableColumn(const std::string& column, ui::OutlineItem item) {
    if (!item) {
        return Value();
    }
    return itemOf(item)->value(column).value_or(Value());
}

void Group::showError(const std::string& message) {
    ui::windowSystem().beginAlertSheet({"Error!", message, "OK", ""}, mainWindow, {});
}

} // namespace keepgate

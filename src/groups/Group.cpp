#include "groups/Group.h"

#include <algorithm>
#include <utility>

#include "formats/NameRules.h"
#include "formats/UserFile.h"
#include "platform/FileSystem.h"
#include "platform/History.h"
#include "platform/RecentFiles.h"
#include "app/AdministratorWrite.h"
#include "ui/WindowSystem.h"

namespace keepgate {

namespace {

GroupItem* itemOf(ui::OutlineItem item) {
    return static_cast<GroupItem*>(item);
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// The groups of a file as nodes, each remembering its line and holding its members packed.
void appendGroups(Group& controller, const GroupFile& file, GroupItems& list) {
    list.reserve(list.size() + file.size());
    for (std::size_t line = 0; line < file.size(); ++line) {
        auto group = controller.groupWithTitle(std::string(file.name(line)));
        group->setPackedMembers(file.sharedBytes(), file.memberText(line));
        group->sourceLine = line;
        list.push_back(std::move(group));
    }
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
        group->edited = true;
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
        // Packed members have no nodes, so none of them can carry the key.
        if (item.has("CHILDREN") && !item.isPacked()) {
            auto* children = item.children();
            const std::size_t before = children->size();
            removeObjectsWithKey(key, *children);
            if (children->size() != before) {
                item.edited = true;
            }
        }
        if (item.has(key)) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

void Group::reloadGroupfile(const std::string& path) {
    store_.emplace(path);
    // A file that cannot be read or is no group file is shown read-only; the store keeps the reason.
    (void)store_->open(true);
    show(chosenLine(), grouplistPopup ? grouplistPopup->indexOfSelectedItem() : -1);
}

operations::GroupLinePlace Group::lineOf(const GroupItem& group) const {
    operations::GroupLinePlace line{group.title().value_or(""), 0};
    if (!records) {
        return line;
    }
    for (const auto& candidate : *records) {
        if (candidate.get() == &group) {
            break;
        }
        line.occurrence += candidate->title().value_or("") == line.group ? 1 : 0;
    }
    return line;
}

std::optional<operations::GroupLinePlace> Group::chosenLine() const {
    const int chosen = grouplistPopup ? grouplistPopup->indexOfSelectedItem() : -1;
    if (!records || chosen < 0 || chosen >= static_cast<int>(records->size())) {
        return std::nullopt;
    }
    return lineOf(*(*records)[static_cast<std::size_t>(chosen)]);
}

void Group::show(const std::optional<operations::GroupLinePlace>& chosen, int chosenIndex) {
    records.emplace();
    if (store_) {
        appendGroups(*this, store_->file(), *records);
    }
    if (outlineView) {
        outlineView->deselectAll();
        outlineView->reloadData();
    }
    if (!grouplistPopup) {
        return;
    }
    std::vector<std::string> titles;
    titles.reserve(records->size());
    for (const auto& group : *records) {
        titles.push_back(group->title().value_or(""));
    }
    if (grouplistPopup->itemTitles() == titles) {
        return;
    }
    grouplistPopup->removeAllItems();
    for (const auto& title : titles) {
        grouplistPopup->addItemWithTitle(title);
    }
    if (titles.empty()) {
        return;
    }
    // The chosen group stays chosen where it still is; else the entry that took its place.
    int index = std::clamp(chosenIndex, 0, static_cast<int>(titles.size()) - 1);
    if (chosen) {
        std::size_t seen = 0;
        for (std::size_t at = 0; at < titles.size(); ++at) {
            if (titles[at] == chosen->group && seen++ == chosen->occurrence) {
                index = static_cast<int>(at);
                break;
            }
        }
    }
    grouplistPopup->selectItemAtIndex(index);
}

bool Group::commit(const std::function<operations::Outcome(operations::GroupStore&)>& change) {
    if (!store_) {
        store_.emplace(groupfileField->stringValue());
        store_->startEmpty();
    }
    const auto chosen = chosenLine();
    const int chosenIndex = grouplistPopup->indexOfSelectedItem();
    const auto result = store_->commit(change);
    // The outline shows the file as the store holds it now: the change made, or the file read again.
    show(chosen, chosenIndex);
    if (!result.outcome.ok()) {
        showError(result.outcome.message);
        return false;
    }
    if (!result.written) {
        const std::string path = store_->path();
        offerAdministratorWrite(mainWindow, path, store_->file().bytes(),
                                "The group file \"" + path + "\" could not be written (" + result.error +
                                    "). The groups keep your change; the next successful save writes it.");
        return false;
    }
    return true;
}

void Group::newFile() {
    ui::SavePanelOptions options;
    options.title = "New group file";
    options.directory = recent::startingPlace(recent::kGroupfileKey, platform::homeDirectory()).folder;
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
    recent::remember(recent::kGroupfileKey, path);
    makeEditable();
    // The first change replaces whatever the chosen file held, as the save panel said it would.
    store_.emplace(path);
    store_->startEmpty();
    show(std::nullopt, -1);
}

void Group::selectFile() {
    ui::OpenPanelOptions options;
    options.title = "Choose the group file";
    const auto place = recent::startingPlace(recent::kGroupfileKey, platform::homeDirectory());
    options.directory = place.folder;
    options.file = place.name;
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
    auto reason = platform::unreadableReason(path);
    if (const auto identity = platform::identityOf(path);
        !reason && identity && static_cast<std::uint64_t>(identity->size) > UserFile::kSizeLimit) {
        reason = "it is larger than " + std::to_string(UserFile::kSizeLimit / (1024 * 1024)) + " MiB";
    }
    if (reason) {
        showError("The group file \"" + path + "\" cannot be opened: " + *reason + ".");
        return;
    }
    groupfileField->setStringValue(path);
    recent::remember(recent::kGroupfileKey, path);
    makeEditable();
    reloadGroupfile(path);
    if (!store_->readOnlyReason().empty()) {
        showError("The file " + quoted(path) + " is opened read-only: " + store_->readOnlyReason() +
                  ". Keepgate will not write to it.");
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

bool Group::refuseReadOnly(const std::string& what) {
    if (!store_ || store_->readOnlyReason().empty()) {
        return false;
    }
    showError(what + ": the file is read-only here (" + store_->readOnlyReason() + ").");
    return true;
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
    if (refuseReadOnly("The group " + quoted(name) + " was not added")) {
        return;
    }
    const platform::HistoryAction action("Added group " + name);
    bool already = false;
    const bool written = commit([&](operations::GroupStore& store) {
        // Another program may have added it since the file was read; then there is nothing to add.
        already = store.has(name);
        return store.addGroup(name);
    });
    if (already) {
        showError("The group " + quoted(name) + " was added to the file by another program meanwhile.");
        return;
    }
    if (!written) {
        return;
    }
    groupnameField->setStringValue("");
    groupnameField->selectText();
    ui::windowSystem().showStatus("Added group " + name);
}

void Group::addUser() {
    const std::string name = usernameField->stringValue();
    if (name.empty()) {
        return;
    }
    const auto chosen = chosenLine();
    if (!chosen) {
        // There is no group to add the member to.
        ui::windowSystem().beep();
        return;
    }
    if (const auto problem = names::problem(name, names::kMemberName)) {
        showError("The user name \"" + name + "\" cannot be added to a group: " + *problem +
                  ". A member name may not contain blanks, tabs or line breaks.");
        return;
    }
    if (refuseReadOnly("The user " + quoted(name) + " was not added")) {
        return;
    }
    const platform::HistoryAction action("Added " + name + " to " + chosen->group);
    if (!commit([&](operations::GroupStore& store) { return store.appendMember(*chosen, name); })) {
        return;
    }
    usernameField->setStringValue("");
    usernameField->selectText();
    ui::windowSystem().showStatus("Added " + name + " to " + chosen->group);
}

void Group::deleteGroup() {
    if (!records) {
        return;
    }
    if (refuseReadOnly("Nothing was deleted")) {
        return;
    }
    // Deleting groups and members is asked about, as deleting users is; nothing selected, nothing to ask.
    if (!outlineView->selectedRowIndexes().empty()) {
        ui::windowSystem().beginAlertSheet({"Warning!",
                                            "Are you sure you want to delete the selected groups "
                                            "and members?",
                                            "Delete", "Cancel", true},
                                           mainWindow, [this](int returnCode) { sheetDidEnd(returnCode); });
        return;
    }
    sheetDidEnd(1);
}

void Group::sheetDidEnd(int returnCode) {
    if (returnCode != 1 || !records) {
        return;
    }
    // The chosen nodes by their places, found again by the store in the file as it is on disk.
    std::vector<operations::GroupLinePlace> lines;
    std::vector<operations::MemberPlace> members;
    std::string chosenNames;
    for (const int row : outlineView->selectedRowIndexes()) {
        const GroupItem* item = itemOf(outlineView->itemAtRow(row));
        if (!item) {
            continue;
        }
        chosenNames += (chosenNames.empty() ? "" : ", ") + item->title().value_or("");
        const GroupItem* group = item->parent() ? item->parent()->parent() : nullptr;
        if (!group) {
            lines.push_back(lineOf(*item));
            continue;
        }
        operations::MemberPlace member{lineOf(*group), item->title().value_or(""), 0};
        for (const auto& other : *group->children()) {
            if (other.get() == item) {
                break;
            }
            member.occurrence += other->title().value_or("") == member.member ? 1 : 0;
        }
        members.push_back(std::move(member));
    }
    std::string deleted;
    const platform::HistoryAction action("Deleted " + chosenNames);
    const bool written = commit([&](operations::GroupStore& store) {
        auto outcome = store.deleteEntries(lines, members);
        deleted = outcome.message;
        return outcome;
    });
    if (written && !deleted.empty()) {
        ui::windowSystem().showStatus(deleted);
    }
}

// Counting members makes no nodes; only child() does, for the groups the outline opens.
int Group::numberOfChildrenOfItem(ui::OutlineItem item) {
    if (!item) {
        return records ? static_cast<int>(records->size()) : 0;
    }
    return static_cast<int>(itemOf(item)->memberCount());
}

bool Group::isItemExpandable(ui::OutlineItem item) {
    if (!item) {
        return records && !records->empty();
    }
    return itemOf(item)->memberCount() > 0;
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

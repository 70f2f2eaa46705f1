#include "groups/Group.h"

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

// "name:" then " member" for each member, as a group line is written.
void appendLineOf(const GroupItem& group, std::string& out) {
    out.append(group.title().value_or("")).push_back(':');
    for (std::size_t i = 0; i < group.memberCount(); ++i) {
        out.append(" ").append(group.memberTitle(i));
    }
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
    if (!records) {
        records.emplace();
    }
    auto read = platform::readSettledFile(path, UserFile::kSizeLimit);
    identity_ = read.ok ? std::optional(read.identity) : std::nullopt;
    readOnlyReason_ = read.ok || read.missing ? "" : read.error;
    GroupFile file(read.ok ? std::move(read.bytes) : std::string());
    if (readOnlyReason_.empty()) {
        readOnlyReason_ = file.problem();
    }
    // Groups already in the tree came from no line of this file; they are written as new lines.
    for (const auto& group : *records) {
        group->sourceLine.reset();
    }
    appendGroups(*this, file, *records);
    file_ = std::move(file);
}

void Group::rebuildFrom(GroupFile file) {
    records.emplace();
    appendGroups(*this, file, *records);
    file_ = std::move(file);
    readOnlyReason_ = file_->problem();
    outlineView->deselectAll();
    outlineView->reloadData();
    grouplistPopup->removeAllItems();
    for (const auto& group : *records) {
        grouplistPopup->addItemWithTitle(group->title().value_or(""));
    }
}

Group::Sync Group::syncWithDisk() {
    const std::string path = groupfileField->stringValue();
    const auto now = platform::identityOf(path);
    if (now == identity_) {
        return Sync::Same;
    }
    auto read = platform::readSettledFile(path, UserFile::kSizeLimit, file_ ? &file_->bytes() : nullptr);
    if (!read.ok) {
        if (read.missing && !identity_) {
            return Sync::Same;
        }
        showError("The group file " + quoted(path) + " was changed by another program: " +
                  (read.missing ? std::string("it is gone") : read.error) +
                  ". Your change was not written; open the file again.");
        return Sync::Unusable;
    }
    identity_ = read.identity;
    // A touch that left the bytes as they were changes nothing.
    if (file_ && read.bytes == file_->bytes()) {
        return Sync::Same;
    }
    rebuildFrom(GroupFile(std::move(read.bytes)));
    return Sync::Reloaded;
}

Group::NodePlace Group::placeOf(const GroupItem& node) const {
    NodePlace place;
    const GroupItem* group = &node;
    if (node.parent()) {
        group = node.parent()->parent();
        place.member = node.title().value_or("");
        if (group) {
            for (const auto& member : *group->children()) {
                if (member.get() == &node) {
                    break;
                }
                place.memberOccurrence += member->title().value_or("") == *place.member ? 1 : 0;
            }
        }
    }
    if (!group || !records) {
        return place;
    }
    place.group = group->title().value_or("");
    for (const auto& candidate : *records) {
        if (candidate.get() == group) {
            break;
        }
        place.groupOccurrence += candidate->title().value_or("") == place.group ? 1 : 0;
    }
    return place;
}

GroupItem* Group::find(const NodePlace& place) const {
    if (!records) {
        return nullptr;
    }
    std::size_t seen = 0;
    for (const auto& group : *records) {
        if (group->title().value_or("") != place.group || seen++ != place.groupOccurrence) {
            continue;
        }
        if (!place.member) {
            return group.get();
        }
        std::size_t seenMember = 0;
        for (const auto& member : *group->children()) {
            if (member->title().value_or("") == *place.member && seenMember++ == place.memberOccurrence) {
                return member.get();
            }
        }
        return nullptr;
    }
    return nullptr;
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
    records.emplace();
    // The first change replaces whatever the chosen file held, as the save panel said it would.
    file_.emplace();
    identity_ = platform::identityOf(path);
    readOnlyReason_.clear();
    outlineView->reloadData();
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
    records.emplace();
    reloadGroupfile(path);
    outlineView->reloadData();
    for (const auto& group : *records) {
        grouplistPopup->addItemWithTitle(group->title().value_or(""));
    }
    if (!readOnlyReason_.empty()) {
        showError("The file " + quoted(path) + " is opened read-only: " + readOnlyReason_ +
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
    if (readOnlyReason_.empty()) {
        return false;
    }
    showError(what + ": the file is read-only here (" + readOnlyReason_ + ").");
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
    const Sync sync = syncWithDisk();
    if (sync == Sync::Unusable) {
        return;
    }
    if (sync == Sync::Reloaded && searchForTitle(*records, name)) {
        showError("The group " + quoted(name) + " was added to the file by another program meanwhile.");
        return;
    }
    auto group = groupWithTitle(name);
    records->push_back(group);
    groupnameField->setStringValue("");
    groupnameField->selectText();
    outlineView->reloadData();
    grouplistPopup->addItemWithTitle(name);
    const platform::HistoryAction action("Added group " + name);
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
    if (refuseReadOnly("The user " + quoted(name) + " was not added")) {
        return;
    }
    const NodePlace target = placeOf(*(*records)[static_cast<std::size_t>(chosen)]);
    const Sync sync = syncWithDisk();
    if (sync == Sync::Unusable) {
        return;
    }
    GroupItem* group =
        sync == Sync::Reloaded ? find(target) : (*records)[static_cast<std::size_t>(chosen)].get();
    if (!group) {
        showError("The group " + quoted(target.group) +
                  " is no longer in the file: another program removed it. " + quoted(name) +
                  " was not added.");
        return;
    }
    newItemForGroup(group, name);
    // The title is taken now: a reload may have moved the group away from the pop-up's index.
    const std::string groupTitle = group->title().value_or("");
    usernameField->setStringValue("");
    usernameField->selectText();
    outlineView->reloadData();
    const platform::HistoryAction action("Added " + name + " to " + groupTitle);
    if (saveGroupfile()) {
        ui::windowSystem().showStatus("Added " + name + " to " + groupTitle);
    }
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
    std::vector<GroupItem*> chosen;
    std::string deleted;
    for (const int row : outlineView->selectedRowIndexes()) {
        if (GroupItem* item = itemOf(outlineView->itemAtRow(row))) {
            chosen.push_back(item);
        }
    }
    // The chosen nodes by their titles, to be found again in a file that another program changed; only
    // worked out when the file may have changed, since it costs a walk of the groups per node.
    std::vector<NodePlace> places;
    if (platform::identityOf(groupfileField->stringValue()) != identity_) {
        for (const GroupItem* item : chosen) {
            places.push_back(placeOf(*item));
        }
    }
    const Sync sync = syncWithDisk();
    if (sync == Sync::Unusable) {
        return;
    }
    if (sync == Sync::Reloaded) {
        const bool hadChosen = !chosen.empty();
        chosen.clear();
        for (const auto& place : places) {
            if (GroupItem* item = find(place)) {
                chosen.push_back(item);
            }
        }
        if (chosen.empty() && hadChosen) {
            showError(
                "The chosen groups and members are no longer in the file: another program removed them.");
            return;
        }
    }
    // Mark first and sweep after, so the selection is never read from a tree that is changing.
    for (GroupItem* item : chosen) {
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
    const platform::HistoryAction action("Deleted " + deleted);
    if (saveGroupfile() && !deleted.empty()) {
        ui::windowSystem().showStatus("Deleted " + deleted);
    }
}

bool Group::saveGroupfile() {
    const std::string path = groupfileField->stringValue();
    if (refuseReadOnly("The group file " + quoted(path) + " was not written")) {
        return false;
    }
    static const GroupFile none;
    const GroupFile& file = file_ ? *file_ : none;
    // Each group read from the file stands for its line; the others become new lines at the end.
    std::vector<const GroupItem*> byLine(file.size(), nullptr);
    std::string appended;
    if (records) {
        for (const auto& group : *records) {
            const auto line = group->sourceLine;
            if (line && *line < byLine.size() && !byLine[*line]) {
                byLine[*line] = group.get();
            } else {
                appendLineOf(*group, appended);
                appended.push_back('\n');
            }
        }
    }
    std::string text = file.compose(
        [&](std::size_t line, std::string& out) {
            const GroupItem* group = byLine[line];
            if (!group) {
                return GroupFile::Fate::Drop;
            }
            if (!group->edited) {
                return GroupFile::Fate::Keep;
            }
            appendLineOf(*group, out);
            return GroupFile::Fate::Rewrite;
        },
        appended);
    // Replaced only while it is the file the change was made to, so another program's write is never lost.
    auto write = platform::writeFileIfUnchanged(path, text, identity_, &file.bytes());
    if (write.moved) {
        if (write.result && write.displaced) {
            // What the other program wrote into the file this save replaced goes back in its place.
            (void)platform::writeFileIfUnchanged(path, *write.displaced, write.written);
        }
        showError("The group file " + quoted(path) +
                  " was changed by another program while Keepgate saved it. Your change was not written; "
                  "the groups now show the file as that program left it.");
        // A file that cannot be read now is left to the next change, which reports it.
        if (auto read = platform::readSettledFile(path, UserFile::kSizeLimit); read.ok) {
            identity_ = read.identity;
            rebuildFrom(GroupFile(std::move(read.bytes)));
        }
        return false;
    }
    const auto& result = write.result;
    if (!result) {
        offerAdministratorWrite(mainWindow, path, text,
                                "The group file \"" + path + "\" could not be written (" + result.error +
                                    "). The groups keep your change; the next successful save writes it.");
        return false;
    }
    identity_ = write.written;
    GroupFile written(std::move(text));
    if (records && written.size() == records->size()) {
        for (std::size_t line = 0; line < written.size(); ++line) {
            (*records)[line]->sourceLine = line;
            (*records)[line]->edited = false;
        }
        file_ = std::move(written);
    } else {
        // A name the file reads differently (one that makes its line a comment): show what it holds now.
        rebuildFrom(std::move(written));
    }
    return static_cast<bool>(result);
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

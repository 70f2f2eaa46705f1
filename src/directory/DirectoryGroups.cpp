#include "directory/DirectoryGroups.h"

#include <algorithm>
#include <stdexcept>

#include "formats/ReadFile.h"

namespace keepgate {

namespace {

std::optional<std::vector<GroupRecord>>& groupRecords() {
    static std::optional<std::vector<GroupRecord>> records;
    return records;
}

std::vector<DirectoryGroups*>& liveControllers() {
    static std::vector<DirectoryGroups*> controllers;
    return controllers;
}

// A load replaces the list behind the tables' backs, so every table that shows it is told to reload.
void reloadLiveTables() {
    for (DirectoryGroups* controller : liveControllers()) {
        if (controller->groupfileView) {
            controller->groupfileView->reloadData();
        }
    }
}

} // namespace

DirectoryGroups::DirectoryGroups() {
    liveControllers().push_back(this);
}

DirectoryGroups::~DirectoryGroups() {
    std::erase(liveControllers(), this);
}

void DirectoryGroups::readGroupfile(const std::string& path, const std::vector<std::string>& groups) {
    groupRecords() = ReadFile::readGroupfile(path, groups);
    reloadLiveTables();
}

const std::optional<std::vector<GroupRecord>>& DirectoryGroups::getGroupRecords() {
    return groupRecords();
}

void DirectoryGroups::reset() {
    groupRecords().reset();
    reloadLiveTables();
}

void DirectoryGroups::awakeFromNib() {
    buttonCell(true);
}

void DirectoryGroups::buttonCell(bool enabled) {
    auto cell = std::make_shared<ui::CheckBoxCell>();
    cell->enabled = enabled;
    cell->state = 1;
    cell->action = [this](ui::TableView& sender) { checkcell(sender); };
    activeButtonCell = cell;
    if (groupfileView) {
        groupfileView->setCheckBoxCell("check", cell);
    }
}

void DirectoryGroups::checkcell(ui::TableView& sender) {
    // The table has already stored the row's new state through setObjectValue; all that is left is to
    // leave no row highlighted after the click.
    (void)sender;
    if (groupfileView) {
        groupfileView->deselectAll();
    }
}

int DirectoryGroups::numberOfRowsInTableView() {
    const auto& records = groupRecords();
    return records ? static_cast<int>(records->size()) : 0;
}

Value DirectoryGroups::objectValueForTableColumn(const std::string& column, int row) {
    const auto& records = groupRecords();
    // The table asks only for its own rows; anything else answers an empty cell rather than crash.
    if (!records || row < 0 || row >= static_cast<int>(records->size())) {
        return Value();
    }
    return (*records)[static_cast<std::size_t>(row)].value(column).value_or(Value());
}

void DirectoryGroups::setObjectValue(const Value& value, const std::string& column, int row) {
    auto& records = groupRecords();
    const int count = records ? static_cast<int>(records->size()) : 0;
    if (row < 0 || row >= count) {
        throw std::invalid_argument(
            "Invalid parameter not satisfying: rowIndex >= 0 && rowIndex < [groupRecords count]");
    }
    (*records)[static_cast<std::size_t>(row)].setValue(column, value);
    if (column == "check" && marksChanged) {
        marksChanged();
    }
}

} // namespace keepgate

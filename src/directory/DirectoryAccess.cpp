#include "directory/DirectoryAccess.h"

#include <algorithm>
#include <stdexcept>

namespace keepgate {

namespace {

std::optional<std::vector<AccessRecord>>& accessRecords() {
    static std::optional<std::vector<AccessRecord>> records;
    return records;
}

std::vector<DirectoryAccess*>& liveControllers() {
    static std::vector<DirectoryAccess*> controllers;
    return controllers;
}

// A load replaces the list behind the tables' backs, so every table that shows it is told to reload.
void reloadLiveTables() {
    for (DirectoryAccess* controller : liveControllers()) {
        if (controller->accessView) {
            controller->accessView->reloadData();
        }
    }
}

} // namespace

DirectoryAccess::DirectoryAccess() {
    liveControllers().push_back(this);
}

DirectoryAccess::~DirectoryAccess() {
    std::erase(liveControllers(), this);
}

void DirectoryAccess::readAccess(const std::vector<std::string>& allow,
                                 const std::vector<std::string>& deny) {
    std::vector<AccessRecord> records;
    records.reserve(allow.size() + deny.size());
    for (const auto& host : allow) {
        records.push_back(AccessRecord{{"denyallow", "Allow"}, {"hostnameip", host}});
    }
    for (const auto& host : deny) {
        records.push_back(AccessRecord{{"denyallow", "Deny"}, {"hostnameip", host}});
    }
    accessRecords() = std::move(records);
    reloadLiveTables();
}

const std::optional<std::vector<AccessRecord>>& DirectoryAccess::getAccessRecords() {
    return accessRecords();
}

void DirectoryAccess::reset() {
    accessRecords().reset();
    reloadLiveTables();
}

void DirectoryAccess::addRecord() {
    auto& records = accessRecords();
    // One empty row is enough: another is offered only once the last one has a host.
    if (records && (records->empty() || !records->back().text("hostnameip").empty())) {
        records->push_back(AccessRecord{{"denyallow", "Deny"}, {"hostnameip", ""}});
    }
    if (accessView) {
        accessView->reloadData();
    }
}

void DirectoryAccess::removeRecord() {
    auto& records = accessRecords();
    const int row = accessView ? accessView->selectedRow() : -1;
    if (records && row >= 0 && row < static_cast<int>(records->size())) {
        records->erase(records->begin() + row);
    }
    if (accessView) {
        accessView->reloadData();
    }
}

int DirectoryAccess::numberOfRowsInTableView() {
    const auto& records = accessRecords();
    return records ? static_cast<int>(records->size()) : 0;
}

Value DirectoryAccess::objectValueForTableColumn(const std::string& column, int row) {
    const auto& records = accessRecords();
    // The table asks only for its own rows; anything else answers an empty cell rather than crash.
    if (!records || row < 0 || row >= static_cast<int>(records->size())) {
        return Value();
    }
    return (*records)[static_cast<std::size_t>(row)].value(column).value_or(Value());
}

void DirectoryAccess::setObjectValue(const Value& value, const std::string& column, int row) {
    auto& records = accessRecords();
    const int count = records ? static_cast<int>(records->size()) : 0;
    if (row < 0 || row >= count) {
        throw std::invalid_argument(
            "Invalid parameter not satisfying: rowIndex >= 0 && rowIndex < [accessRecords count]");
    }
    (*records)[static_cast<std::size_t>(row)].setValue(column, value);
}

} // namespace keepgate

#include "app/Controller.h"
#include "formats/HashKind.h"
#include "formats/TextLines.h"

namespace keepgate {

int Controller::numberOfRowsInTableView() {
    if (!records) {
        return 0;
    }
    return static_cast<int>(shownRows_ ? shownRows_->size() : records->size());
}

// Only the rows the table shows are asked for, so a cell is made from the file's bytes when it is wanted.
Value Controller::objectValueForTableColumn(const std::string& column, int row) {
    if (!records || row < 0 || row >= numberOfRowsInTableView()) {
        return Value();
    }
    const auto index =
        shownRows_ ? (*shownRows_)[static_cast<std::size_t>(row)] : static_cast<std::size_t>(row);
    if (column == "username") {
        return Value(std::string(records->name(index)));
    }
    if (column == "password") {
        return Value(std::string(records->hash(index)));
    }
    // The kind of hash, which tells the administrator more than the hash itself.
    if (column == "hashkind") {
        return Value(hashes::kindOf(records->hash(index)));
    }
    if (column == "check") {
        return Value("0");
    }
    return Value();
}

} // namespace keepgate

namespace keepgate {

std::vector<std::size_t> Controller::selectedFileRows() const {
    std::vector<std::size_t> rows;
    if (!records) {
        return rows;
    }
    const std::size_t shown = shownRows_ ? shownRows_->size() : records->size();
    for (const int row : tableView->selectedRowIndexes()) {
        if (row >= 0 && static_cast<std::size_t>(row) < shown) {
            rows.push_back(shownRows_ ? (*shownRows_)[static_cast<std::size_t>(row)]
                                      : static_cast<std::size_t>(row));
        }
    }
    return rows;
}

// A filter that only lengthens the last one keeps a subset of its rows, so those alone are searched; a
// million names then cost one pass for the first letter and ever fewer after.
void Controller::filterUsers() {
    const std::string filter = filterField ? text::foldedCase(filterField->stringValue()) : std::string();
    const bool weakOnly = weakOnlyButton && weakOnlyButton->state() == 1;
    if (!records || (filter.empty() && !weakOnly)) {
        shownRows_.reset();
    } else {
        const bool narrower =
            shownRows_ && weakOnly == shownWeakOnly_ && filter.find(shownFilter_) != std::string::npos;
        std::vector<std::uint32_t> rows;
        std::string folded;
        const auto keep = [&](std::size_t row) {
            if (weakOnly && !hashes::isWeak(hashes::kindCodeOf(records->hash(row)))) {
                return;
            }
            if (!filter.empty()) {
                text::foldCaseInto(records->name(row), folded);
                if (folded.find(filter) == std::string::npos) {
                    return;
                }
            }
            rows.push_back(static_cast<std::uint32_t>(row));
        };
        if (narrower) {
            for (const std::uint32_t row : *shownRows_) {
                keep(row);
            }
        } else {
            for (std::size_t row = 0; row < records->size(); ++row) {
                keep(row);
            }
        }
        shownRows_ = std::move(rows);
    }
    shownFilter_ = filter;
    shownWeakOnly_ = weakOnly;
    tableView->reloadData();
}

void Controller::showUserList() {
    health_ = {};
    // A file that is no user file (an htdigest file, say) holds no password hashes to judge.
    if (records && records->kind() == UserFile::Kind::Users) {
        for (std::size_t row = 0; row < records->size(); ++row) {
            ++health_.counts[static_cast<std::size_t>(hashes::kindCodeOf(records->hash(row)))];
        }
    }
    if (hashHealthField) {
        const std::string summary = health_.summary();
        const std::string notice = health_.weakNotice();
        hashHealthField->setStringValue(summary.empty()  ? std::string()
                                        : notice.empty() ? "Hash kinds: " + summary
                                                         : "Hash kinds: " + summary + "\n" + notice);
    }
    // The rows were chosen from the records before they changed.
    shownRows_.reset();
    filterUsers();
}

} // namespace keepgate

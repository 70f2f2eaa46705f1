#include "app/Controller.h"
#include "formats/HashKind.h"

namespace keepgate {

int Controller::numberOfRowsInTableView() {
    return records ? static_cast<int>(records->size()) : 0;
}

// Only the rows the table shows are asked for, so a cell is made from the file's bytes when it is wanted.
Value Controller::objectValueForTableColumn(const std::string& column, int row) {
    if (!records || row < 0 || row >= static_cast<int>(records->size())) {
        return Value();
    }
    const auto index = static_cast<std::size_t>(row);
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

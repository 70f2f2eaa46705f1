#include "app/Controller.h"

namespace keepgate {

int Controller::numberOfRowsInTableView() { return records ? static_cast<int>(records->size()) : 0; }

Value Controller::objectValueForTableColumn(const std::string& column, int row) {
    if (!records || row < 0 || row >= static_cast<int>(records->size())) {
        return Value();
    }
    return (*records)[static_cast<std::size_t>(row)].value(column).value_or(Value());
}

} // namespace keepgate

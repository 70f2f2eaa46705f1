#pragma once

#include <optional>
#include <string>
#include <vector>

#include "directory/AccessRecord.h"
#include "ui/Controls.h"

namespace keepgate {

// The host rule table of the directory editor; its records are class-level, shared with Directory.
class DirectoryAccess : public ui::TableDataSource {
public:
    ui::Window* mainWindow = nullptr;
    ui::TableView* accessView = nullptr;

    static void readAccess(const std::vector<std::string>& allow, const std::vector<std::string>& deny);
    static const std::optional<std::vector<AccessRecord>>& getAccessRecords();
    // Drops the class-level list, as before the first load.
    static void reset();

    void awakeFromNib() {}
    void addRecord();
    void removeRecord();

    int numberOfRowsInTableView() override;
    Value objectValueForTableColumn(const std::string& column, int row) override;
    void setObjectValue(const Value& value, const std::string& column, int row) override;
};

} // namespace keepgate

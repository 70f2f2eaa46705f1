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

    // Every live controller is known to the class, so that a class-level load can refresh their tables.
    DirectoryAccess();
    ~DirectoryAccess() override;
    DirectoryAccess(const DirectoryAccess&) = delete;
    DirectoryAccess& operator=(const DirectoryAccess&) = delete;

    // Replaces the records with one "Allow" rule per allowed host, then one "Deny" rule per denied host,
    // and refreshes the tables of the live controllers.
    static void readAccess(const std::vector<std::string>& allow, const std::vector<std::string>& deny);
    // The current records; absent before the first load.
    static const std::optional<std::vector<AccessRecord>>& getAccessRecords();
    // Drops the class-level list, as before the first load.
    static void reset();

    void awakeFromNib() {}
    // Appends an empty "Deny" rule unless the last rule still has no host.
    void addRecord();
    // Removes the selected rule, if any.
    void removeRecord();

    int numberOfRowsInTableView() override;
    Value objectValueForTableColumn(const std::string& column, int row) override;
    // Throws std::invalid_argument and changes nothing when the row is outside the records.
    void setObjectValue(const Value& value, const std::string& column, int row) override;
};

} // namespace keepgate

#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/GroupRecord.h"
#include "ui/Controls.h"

namespace keepgate {

// The group selection table of the directory editor; its records are class-level, shared with Directory.
class DirectoryGroups : public ui::TableDataSource {
public:
    ui::Window* mainWindow = nullptr;
    ui::TableView* groupfileView = nullptr;
    // The check-box cell that currently draws the "check" column (the newest made by buttonCell()).
    std::shared_ptr<ui::CheckBoxCell> activeButtonCell;

    static void readGroupfile(const std::string& path, const std::vector<std::string>& groups);
    static const std::optional<std::vector<GroupRecord>>& getGroupRecords();
    // Drops the class-level list, as before the first load.
    static void reset();

    void awakeFromNib();
    void buttonCell(bool enabled);
    void checkcell(ui::TableView& sender);

    int numberOfRowsInTableView() override;
    Value objectValueForTableColumn(const std::string& column, int row) override;
    void setObjectValue(const Value& value, const std::string& column, int row) override;
};

} // namespace keepgate

#pragma once

#include <functional>
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
    // Told when the user marks or unmarks a group, so the editor can weigh who may enter again.
    std::function<void()> marksChanged;

    // Every live controller is known to the class, so that a class-level load can refresh their tables.
    DirectoryGroups();
    ~DirectoryGroups() override;
    DirectoryGroups(const DirectoryGroups&) = delete;
    DirectoryGroups& operator=(const DirectoryGroups&) = delete;

    // Replaces the records with the groups of the file, marking those named in `groups`, and refreshes
    // the tables of the live controllers.
    static void readGroupfile(const std::string& path, const std::vector<std::string>& groups);
    // The current records; absent before the first load.
    static const std::optional<std::vector<GroupRecord>>& getGroupRecords();
    // Drops the class-level list, as before the first load.
    static void reset();

    void awakeFromNib();
    void buttonCell(bool enabled);
    void checkcell(ui::TableView& sender);

    int numberOfRowsInTableView() override;
    Value objectValueForTableColumn(const std::string& column, int row) override;
    // Throws std::invalid_argument and changes nothing when the row is outside the records.
    void setObjectValue(const Value& value, const std::string& column, int row) override;
};

} // namespace keepgate

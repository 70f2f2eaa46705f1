#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/History.h"
#include "ui/Controls.h"

namespace keepgate {

// The History window: every change Keepgate recorded, newest first, the difference each one made, and
// Restore, which puts a file's previous bytes back the way the editors write (administrator rights when
// needed; a server configuration file tested by the server first and the reload offered). A restore is
// recorded itself, so it can be undone; Edit › Undo restores the newest change of this run.
class HistoryController : public ui::TableDataSource {
  public:
    ui::Window* window = nullptr; // where the questions and errors appear
    ui::TableView* entriesView = nullptr;
    ui::TextField* diffField = nullptr;
    ui::TextField* noticeField = nullptr; // damaged entries and a history that cannot be kept
    ui::Button* restoreButton = nullptr;
    // Told after a file was put back, so the editors that show it read it again and test it.
    std::function<void(const std::string& path, const std::string& status)> restored;

    // Reads the store anew and shows it.
    void reload();
    // Shows the selected entry's difference: its previous bytes against what was written.
    void selectionChanged();
    void restoreSelected();
    // Restores the entry with this id, asking first when another program changed the file since.
    void restore(const std::string& id);

    // Edit › Undo: the newest change of this run, put back; its menu text names it.
    void undo();
    bool canUndo() const;
    std::string undoTitle() const;

    const std::vector<platform::HistoryEntry>& shownEntries() const { return entries_; }
    // The text the difference pane shows for an entry.
    std::string differenceOf(const platform::HistoryEntry& entry) const;

    int numberOfRowsInTableView() override;
    Value objectValueForTableColumn(const std::string& column, int row) override;

  private:
    void putBack(const platform::HistoryEntry& entry, const std::optional<std::string>& present);
    void finish(const platform::HistoryEntry& entry, const std::string& status);
    void fail(const std::string& message);
    // What the entry's change wrote, where it can still be found: the next change's previous bytes, or
    // the file itself while it still holds them.
    std::optional<std::string> writtenBytes(const platform::HistoryEntry& entry) const;
    std::vector<platform::HistoryEntry> entries_;
};

} // namespace keepgate

#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/BlockText.h"
#include "formats/ProtectionInfo.h"
#include "formats/UserRecord.h"
#include "ui/Controls.h"

namespace keepgate {

// The directory protection editor: loads a directory's block, edits it and saves or removes it.
class Directory : public ui::TableDataSource {
  public:
    ui::Window* mainWindow = nullptr;
    ui::TextField* directoryField = nullptr;
    ui::TextField* authnameField = nullptr;
    ui::TextField* userfileField = nullptr;
    ui::TextField* groupfileField = nullptr;
    ui::TableView* userfileView = nullptr;
    ui::Button* selectUserfileButton = nullptr;
    ui::Button* selectGroupfileButton = nullptr;
    ui::Button* saveProtectionButton = nullptr;
    ui::Button* removeProtectionButton = nullptr;
    ui::Button* allusersCB = nullptr;
    ui::TabView* subTabs = nullptr;
    ui::Button* denyAllOthersCB = nullptr;
    ui::Button* orderDenyRB = nullptr;
    ui::Button* orderAllowRB = nullptr;
    ui::Button* addAccessBT = nullptr;
    ui::Button* removeAccessBT = nullptr;
    // The strip above the tabs that lists the loaded block's lines the editor keeps as written; empty
    // when there are none.
    ui::TextField* keptField = nullptr;

    std::string pfilePath;
    std::string directoryinfo;
    std::vector<UserRecord> records;
    std::vector<std::string> users;
    std::vector<std::string> groups;
    std::vector<std::string> allow;
    std::vector<std::string> deny;
    // The check-box cell that currently draws the "check" column (the newest made by buttonCell()).
    std::shared_ptr<ui::CheckBoxCell> activeButtonCell;

    // Told when a directory has been loaded, and after a save or removal that reached the disk (with the
    // status line that reported it), so the protection can be tested against the server at once.
    std::function<void(const std::string& directory)> directoryLoaded;
    std::function<void(const std::string& directory, const std::string& status)> protectionWritten;
    // What the server check finds against the directory as the editor holds it now, one sentence each;
    // asked on load and before a save, so the user learns before trusting a block the server will ignore.
    std::function<std::vector<std::string>()> serverFindings;

    void awakeFromNib();

    // Choosing and loading a directory.
    void selectDirectory();
    void doOpenDirectoryPanel(int returnCode, const std::vector<std::string>& filenames);
    void parseFile(const std::optional<ProtectionInfo>& info);
    void enableEdit();
    void reloadUserfile();
    void reloadGroupfile();
    void reloadAccessfile();

    // The user table.
    void buttonCell(bool enabled);
    void checkcell(ui::TableView& sender);
    void checkAllusers();
    int numberOfRowsInTableView() override;
    Value objectValueForTableColumn(const std::string& column, int row) override;
    void setObjectValue(const Value& value, const std::string& column, int row) override;
    void selectUserfile();
    void doOpenUserfilePanel(int returnCode, const std::vector<std::string>& filenames);
    void selectGroupfile();
    void doOpenGroupfilePanel(int returnCode, const std::vector<std::string>& filenames);

    // Saving and removing.
    void saveProtection();
    // The configuration text without the directory's section; an opening line with no closing line
    // after it goes alone, so the rest of the file is never lost.
    std::string parseFileWithoutDirectory(const std::optional<std::string>& text,
                                          const std::string& directory);
    void removeProtection();
    void removeProtectionNow(int returnCode);

  private:
    // Composes the block from the fields and the marked records into `directoryinfo`; false (after an
    // alert naming the field) when something in it could break the block or inject a directive.
    bool composeBlock();
    void showError(const std::string& message);
    void reportWritten(const std::string& directory, const std::string& status);
    // The lines of a block divided against the user and group tables as they stand.
    BlockLines divided(const std::string& block) const;
    void showKept(const std::optional<std::string>& block);
    // Writes `directoryinfo` into the file as it is on disk now, with the lines kept as written before
    // it; lines that control access in a form the editor cannot show are replaced.
    void writeBlock(const std::string& directory);
    // Asks before replacing access lines the editor cannot show, then writes.
    void confirmReplacingAndWrite(const std::string& directory);
};

} // namespace keepgate

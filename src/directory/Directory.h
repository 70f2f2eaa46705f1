#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/BlockText.h"
#include "formats/ProtectionInfo.h"
#include "formats/UserRecord.h"
#include "operations/FileChanges.h"
#include "operations/ProtectionEditor.h"
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
    // In the Hosts tab: whether a password and an admitted host are both needed ("and") or either is
    // enough ("or"), and the button that rewrites a block's host rules in the Apache 2.4 form.
    ui::Button* hostAndRB = nullptr;
    ui::Button* hostOrRB = nullptr;
    ui::Button* useApache24BT = nullptr;
    // The strip above the tabs that lists the loaded block's lines the editor keeps as written; empty
    // when there are none.
    ui::TextField* keptField = nullptr;
    // The notice beside the user table that names the users the protection admits whose password the
    // chosen user file stores as plain text; empty when there are none.
    ui::TextField* plainTextField = nullptr;

    std::string pfilePath;
    std::string directoryinfo;
    std::vector<UserRecord> records;
    std::vector<std::string> users;
    std::vector<std::string> groups;
    std::vector<std::string> allow;
    std::vector<std::string> deny;
    // Whether a save writes the host rules as Apache 2.4's Require lines: a loaded block keeps the form
    // it has; a new one takes the form the installed server speaks.
    bool writesApache24 = false;
    // The check-box cell that currently draws the "check" column (the newest made by buttonCell()).
    std::shared_ptr<ui::CheckBoxCell> activeButtonCell;

    // Told when a directory has been loaded, and after a save or removal that reached the disk (with the
    // status line that reported it), so the protection can be tested against the server at once.
    std::function<void(const std::string& directory)> directoryLoaded;
    std::function<void(const std::string& directory, const std::string& status)> protectionWritten;
    // What the server check finds against the directory as the editor holds it now, one sentence each;
    // asked on load and before a save, so the user learns before trusting a block the server will ignore.
    std::function<std::vector<std::string>()> serverFindings;
    // The same check off the interface thread, asked on load: the sentences reach the handler later, and
    // a newer load voids an older one's answer.
    std::function<void(std::function<void(const std::vector<std::string>&)>)> serverFindingsLater;
    // Applies the server check's fixes for the directory (each needs administrator rights); offered by the
    // save warning as "Fix…", after which the protection is saved.
    std::function<void()> fixServer;

    void awakeFromNib();

    // Choosing and loading a directory.
    void selectDirectory();
    void doOpenDirectoryPanel(int returnCode, const std::vector<std::string>& filenames);
    void parseFile(const std::optional<ProtectionInfo>& info);
    void enableEdit();
    void reloadUserfile();
    void reloadGroupfile();
    void reloadAccessfile();
    // A file the editor shows was changed by another editor or program: a user or group file is read
    // again keeping the marks the user has set; a change to the loaded block is reported. Fields being
    // edited are never touched.
    void fileChanged(const std::string& path);
    // The file that holds the loaded directory's block (its access file or the shared file); empty when
    // no directory is loaded.
    std::string blockFilePath() const;

    // Works the plain-text notice out again from the user file, the group file and the marks as they stand.
    void updatePlainTextWarning();

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
    // Shows the block in the Apache 2.4 form and, when the user agrees, saves it in that form.
    void useApache24Rules();

  private:
    // What a removal did: took protection off the disk, found none to take, or failed (after an alert).
    enum class Removal { Removed, Nothing, Failed };
    // Where the loaded directory's protection is edited: its access file (true) or the shared file's
    // section. Set on load from where the protection was found; the preference decides when unset.
    std::optional<bool> editingAccessFile_;
    bool editsAccessFile() const;
    // Takes the directory's block out of the access file or the shared file, offering administrator
    // rights where the user's own do not suffice; `done` learns the outcome.
    void removeBlock(const std::string& directory, bool accessFile, const std::function<void(Removal)>& done);
    // Returns the editor to the state without a loaded directory.
    void clearEditor();
    // Says that the protection was found where the preferences do not keep it, and offers to move it.
    void offerToMove(const std::string& directory);
    // Writes the loaded block to the preferred place, removes it from the other, and tests the folder.
    void moveProtection(const std::string& directory);

    // The protection the fields and the marked records ask for, in the given form; nothing (after an
    // alert) when a host row is neither Allow nor Deny.
    std::optional<operations::ProtectionRequest> request(bool apache24);
    // Composes the request through the validator into `directoryinfo`; false after an alert naming the
    // field when something in it could break the block or inject a directive.
    bool composed(const std::optional<operations::ProtectionRequest>& request);
    void showError(const std::string& message);
    void reportWritten(const std::string& directory, const std::string& status);
    // The users whose first line in the user file holds a plain-text password, in file order; found once
    // per read of the user file, so that a click weighs only these.
    std::vector<std::string> plainTextUsers_;
    void findPlainTextUsers();
    // The lines of a block divided against the user and group tables as they stand.
    BlockLines divided(const std::string& block) const;
    void showKept(const std::optional<std::string>& block);
    // Saves the fields into the file as it is on disk now, with the lines kept as written before the block;
    // asks first before replacing lines that control access in a form the editor cannot show, unless
    // `confirmed`. `then`, when given, runs instead of the usual report once the file holds the block.
    void writeBlock(const std::string& directory, bool confirmed, std::function<void()> then = {});
    // Runs an operation and writes its one file change, running it again on the file another program
    // wrote in between; `outcome` holds the last run's outcome.
    operations::AppliedChange applyLatest(const std::function<operations::Outcome()>& operation,
                                          operations::Outcome* outcome);
};

} // namespace keepgate

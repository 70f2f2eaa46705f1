// Every write the editors make ends in a status line; a write that failed ends in its alert instead.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DirectoryEditorFixture.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

class UserAndGroupFeedback : public HeadlessTest {};

TEST_F(UserAndGroupFeedback, UserChangesReportTheNamesTheyTouched) {
    UserEditorLayout editor;
    editor.controller.newUserfile();
    windows->answer(1, {temp / "users"});
    for (const char* name : {"alice", "bob", "carol"}) {
        editor.usernameField.text = name;
        editor.passwordField.text = "secret";
        editor.controller.addUser();
        EXPECT_EQ(windows->statusLine(), std::string("Added ") + name);
    }
    editor.tableView.selectRows({0, 2});
    editor.controller.deleteUser();
    windows->answer(1);
    EXPECT_EQ(windows->statusLine(), "Deleted alice, carol");
    EXPECT_TRUE(windows->alerts.size() == 1 && windows->alerts[0].alert.title == "Warning!");
}

TEST_F(UserAndGroupFeedback, AUserFileThatCannotBeWrittenShowsItsAlertAndNoSuccessLine) {
    UserEditorLayout editor;
    editor.controller.newUserfile();
    windows->answer(1, {temp / "gone/users"});
    editor.usernameField.text = "alice";
    editor.passwordField.text = "secret";
    editor.controller.addUser();
    EXPECT_TRUE(windows->statusMessages.empty()) << windows->statusLine();
    ASSERT_EQ(windows->alertTitles(), std::vector<std::string>{"Error!"});
}

TEST_F(UserAndGroupFeedback, GroupChangesReportGroupsAndMembers) {
    GroupEditorLayout editor;
    editor.controller.newFile();
    windows->answer(1, {temp / "groups"});
    editor.groupnameField.text = "staff";
    editor.controller.addGroup();
    EXPECT_EQ(windows->statusLine(), "Added group staff");
    editor.grouplistPopup.selectItem(0);
    editor.usernameField.text = "alice";
    editor.controller.addUser();
    EXPECT_EQ(windows->statusLine(), "Added alice to staff");
    editor.outlineView.selectRows({1});
    editor.controller.deleteGroup();
    // Deleting asks first; the line comes only once the deletion is confirmed and written.
    EXPECT_EQ(windows->statusLine(), "Added alice to staff");
    windows->answer(1);
    EXPECT_EQ(windows->statusLine(), "Deleted alice");
    editor.outlineView.selectRows({0});
    editor.controller.deleteGroup();
    windows->answer(1);
    EXPECT_EQ(windows->statusLine(), "Deleted staff");
    EXPECT_EQ(readFile(temp / "groups"), "");
    EXPECT_EQ(windows->alertTitles(), (std::vector<std::string>{"Warning!", "Warning!"}));
}

TEST_F(UserAndGroupFeedback, AGroupFileThatCannotBeWrittenShowsItsAlertAndNoSuccessLine) {
    GroupEditorLayout editor;
    editor.controller.newFile();
    windows->answer(1, {temp / "gone/groups"});
    editor.groupnameField.text = "staff";
    editor.controller.addGroup();
    EXPECT_TRUE(windows->statusMessages.empty()) << windows->statusLine();
    EXPECT_EQ(windows->alertTitles(), std::vector<std::string>{"Error!"});
}

using DirectoryFeedback = DirectoryEditorTest;

TEST_P(DirectoryFeedback, SaveNamesWhereTheBlockWentAndRemovalSaysSo) {
    load(site);
    editor.denyAllOthersCB.setState(1);
    save();
    EXPECT_EQ(windows->statusLine(), accessFileMode()
                                         ? "Saved .htaccess in " + site
                                         : "Saved the section for " + site + " in " + configPath);
    editor.directory.removeProtection();
    windows->answer(1);
    EXPECT_EQ(windows->statusLine(), "Removed protection");
    EXPECT_TRUE(errorMessages().empty());
}

TEST_P(DirectoryFeedback, AFailedSaveOrRemovalShowsItsAlertAndNoSuccessLine) {
    load(site);
    editor.denyAllOthersCB.setState(1);
    // The folder that would take the block disappears behind the editor's back.
    std::filesystem::remove_all(accessFileMode() ? site : temp.path() + "/conf");
    if (!accessFileMode()) {
        defaults->setString(constants::kConfigFilePathKey, temp / "conf/keepgate.conf");
    }
    save();
    EXPECT_TRUE(windows->statusMessages.empty()) << windows->statusLine();
    EXPECT_EQ(errorMessages().size(), 1u);
    windows->answer(1);
    // With no block on disk there is nothing to remove: the line says so, and the form stays.
    editor.directory.removeProtection();
    windows->answer(1);
    EXPECT_EQ(windows->statusLine(), "No protection was saved for " + site + "; nothing was removed");
    EXPECT_EQ(errorMessages().size(), 1u);
    EXPECT_EQ(editor.directoryField.text, site);
}

INSTANTIATE_TEST_SUITE_P(Modes, DirectoryFeedback, ::testing::Values(Mode::AccessFile, Mode::ConfigFile),
                         modeName);

} // namespace
} // namespace keepgate::testing

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/RecentFiles.h"
#include "platform/SystemPaths.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

class ChooserMemoryTest : public HeadlessTest {
  protected:
    UserEditorLayout users;
    GroupEditorLayout groups;
    DirectoryEditorLayout directory;

    const headless::Sheet& lastSheet() const { return windows->sheetsShown.back(); }
};

TEST_F(ChooserMemoryTest, EachChooserSaysWhatItChoosesAndStartsWhereTheLastChoiceWas) {
    writeFile(temp / "web/users/htusers", "alice:x\n");
    writeFile(temp / "web/groups/htgroups", "staff: alice\n");
    writeFile(temp / "web/site/private/index.html", "hi\n");
    const std::string home = platform::homeDirectory();

    // Before anything was chosen every chooser starts at home, with nothing proposed.
    struct Chooser {
        const char* title;
        std::function<void()> open;
        std::string chosen;
        std::string folderAfter;
        std::string nameAfter;
    };
    const std::vector<Chooser> choosers = {
        {"Choose the user file", [&] { users.controller.selectUserfile(); }, temp / "web/users/htusers",
         temp / "web/users", "htusers"},
        {"Choose the group file", [&] { groups.controller.selectFile(); }, temp / "web/groups/htgroups",
         temp / "web/groups", "htgroups"},
        {"Choose the directory to protect", [&] { directory.directory.selectDirectory(); },
         temp / "web/site/private", temp / "web/site", "private"},
    };
    for (const Chooser& chooser : choosers) {
        chooser.open();
        EXPECT_EQ(lastSheet().openOptions.title, chooser.title);
        EXPECT_EQ(lastSheet().openOptions.directory, home) << chooser.title;
        EXPECT_EQ(lastSheet().openOptions.file, "") << chooser.title;
        windows->answer(1, {chooser.chosen});
        while (windows->hasPendingSheet()) {
            windows->answer(0); // whatever the loaded directory asks is not the point here
        }
    }
    for (const Chooser& chooser : choosers) {
        chooser.open();
        EXPECT_EQ(lastSheet().openOptions.directory, chooser.folderAfter) << chooser.title;
        EXPECT_EQ(lastSheet().openOptions.file, chooser.nameAfter) << chooser.title;
        windows->answer(0);
    }
    EXPECT_EQ(defaults->stringForKey(recent::kUserfileKey), temp / "web/users/htusers");
    EXPECT_EQ(defaults->stringForKey(recent::kGroupfileKey), temp / "web/groups/htgroups");
    EXPECT_EQ(defaults->stringForKey(recent::kDirectoryKey), temp / "web/site/private");

    // The directory editor offers the files that are open in the user and group editors.
    directory.directory.selectUserfile();
    EXPECT_EQ(lastSheet().openOptions.title, "Choose the user file");
    EXPECT_EQ(lastSheet().openOptions.directory + "/" + lastSheet().openOptions.file,
              users.userfileField.text);
    windows->answer(0);
    directory.directory.selectGroupfile();
    EXPECT_EQ(lastSheet().openOptions.title, "Choose the group file");
    EXPECT_EQ(lastSheet().openOptions.directory + "/" + lastSheet().openOptions.file,
              groups.groupfileField.text);
    windows->answer(0);

    // The save panels start beside the last file but keep proposing their own names.
    users.controller.newUserfile();
    EXPECT_EQ(lastSheet().saveOptions.title, "New user file");
    EXPECT_EQ(lastSheet().saveOptions.directory, temp / "web/users");
    EXPECT_EQ(lastSheet().saveOptions.file, "users");
    windows->answer(0);
    groups.controller.newFile();
    EXPECT_EQ(lastSheet().saveOptions.title, "New group file");
    EXPECT_EQ(lastSheet().saveOptions.directory, temp / "web/groups");
    EXPECT_EQ(lastSheet().saveOptions.file, "groups");
    windows->answer(0);
}

TEST_F(ChooserMemoryTest, AGoneFolderOrAForeignValueFallsBackAndTheDocumentRootLeadsTheDirectoryChooser) {
    writeFile(temp / "htdocs/index.html", "hi\n");
    const std::string home = platform::homeDirectory();
    const struct {
        const char* stored; // under the last-directory key; nullptr: nothing stored
        std::string documentRoot;
        std::string folder;
        std::string name;
    } cases[] = {
        {nullptr, "", home, ""},
        {nullptr, temp / "htdocs", temp / "htdocs", ""},
        {nullptr, temp / "no-such-root", home, ""},
        {"/no/such/folder/site", temp / "htdocs", temp / "htdocs", ""},
        {"relative/site", "", home, ""},
        {"", "", home, ""},
        {"/", "", "/", ""},
    };
    for (const auto& c : cases) {
        defaults->removeObjectForKey(recent::kDirectoryKey);
        if (c.stored) {
            defaults->setString(recent::kDirectoryKey, c.stored);
        }
        systemPaths().documentRoot = c.documentRoot;
        directory.directory.selectDirectory();
        EXPECT_EQ(lastSheet().openOptions.directory, c.folder)
            << (c.stored ? c.stored : "-") << " " << c.documentRoot;
        EXPECT_EQ(lastSheet().openOptions.file, c.name) << (c.stored ? c.stored : "-");
        windows->answer(0);
    }
    // A cancelled chooser remembers nothing.
    EXPECT_EQ(defaults->stringForKey(recent::kDirectoryKey), "/");
}

TEST_F(ChooserMemoryTest, EveryDestructiveQuestionMakesCancelTheDefault) {
    writeFile(temp / "users", "alice:x\nbob:y\n");
    writeFile(temp / "groups", "staff: alice\nadmins: bob\n");
    users.controller.selectUserfile();
    windows->answer(1, {temp / "users"});
    groups.controller.selectFile();
    windows->answer(1, {temp / "groups"});
    users.tableView.selectRows({0});
    users.controller.deleteUser();
    groups.outlineView.selectRows({0});
    groups.controller.deleteGroup();
    directory.directory.removeProtection();

    ASSERT_EQ(windows->pending.size(), 3u);
    for (const headless::Sheet& sheet : windows->pending) {
        EXPECT_EQ(sheet.alert.title, "Warning!");
        EXPECT_EQ(sheet.alert.alternateButton, "Cancel") << sheet.alert.message;
        EXPECT_TRUE(sheet.alert.destructive) << sheet.alert.message;
    }
    EXPECT_EQ(windows->pending[1].alert.message,
              "Are you sure you want to delete the selected groups and members?");
    EXPECT_EQ(windows->pending[1].alert.defaultButton, "Delete");

    // Answering Cancel to the group question keeps the tree and the file.
    windows->answer(0);
    windows->answer(0);
    EXPECT_EQ(readFile(temp / "groups"), "staff: alice\nadmins: bob\n");
    EXPECT_EQ(groups.outlineView.rows().size(), 4u);
    windows->answer(0);

    // Informational and error alerts keep their default button as the keyboard's default.
    users.usernameField.text = "bad name";
    users.controller.addUser();
    ASSERT_TRUE(windows->hasPendingSheet());
    EXPECT_FALSE(windows->pendingSheet().alert.destructive);
}

} // namespace
} // namespace keepgate::testing

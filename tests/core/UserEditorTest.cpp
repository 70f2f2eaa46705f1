#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/SystemPaths.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

class UserEditorTest : public HeadlessTest {
  protected:
    UserEditorLayout layout;
    Controller& controller = layout.controller;

    void openFile(const std::string& path) {
        controller.selectUserfile();
        windows->answer(1, {path});
    }
    void createFile(const std::string& path) {
        controller.newUserfile();
        windows->answer(1, {path});
    }
    void add(const std::string& name, const std::string& password) {
        layout.usernameField.text = name;
        layout.passwordField.text = password;
        controller.addUser();
    }
    void deleteRows(const std::vector<int>& rows, int answer) {
        layout.tableView.selectRows(rows);
        controller.deleteUser();
        ASSERT_TRUE(windows->hasPendingSheet());
        windows->answer(answer);
    }
    std::vector<std::string> names() const { return layout.tableView.columnTexts("username"); }
    std::string hashAt(int row) const { return layout.tableView.cell("password", row).text(); }
    // The file as the list on screen says it must be, in the user file's written form.
    std::string expectedFile() const {
        std::string text;
        for (int row = 0; row < layout.tableView.rowCount(); ++row) {
            text += names()[static_cast<std::size_t>(row)] + ":" + hashAt(row) + "\n";
        }
        return text;
    }
    static bool verifies(const std::string& file, const std::string& name, const std::string& password) {
        return shell("htpasswd -vb '" + file + "' '" + name + "' '" + password + "' >/dev/null 2>&1") == 0;
    }
    std::string lastAlertMessage() const {
        return windows->alerts.empty() ? "" : windows->alerts.back().alert.message;
    }
};

TEST_F(UserEditorTest, NewFileLivesThroughAddsAndDeletesWrittenAfterEveryChange) {
    const std::string file = temp / "users";
    controller.newUserfile();
    const auto& panel = windows->pendingSheet();
    EXPECT_EQ(panel.kind, headless::SheetKind::SavePanel);
    EXPECT_EQ(panel.parent, &layout.mainWindow);
    EXPECT_EQ(panel.saveOptions.directory, platform::homeDirectory());
    EXPECT_EQ(panel.saveOptions.file, "users");
    EXPECT_FALSE(panel.saveOptions.confirmReplace) << "a chosen file is opened, not replaced";
    windows->answer(1, {file});

    EXPECT_EQ(layout.userfileField.text, file);
    EXPECT_TRUE(layout.usernameField.editable);
    EXPECT_TRUE(layout.passwordField.editable);
    EXPECT_TRUE(layout.adduserButton.enabled);
    EXPECT_TRUE(layout.deleteuserButton.enabled) << "users added to a new file can be deleted";
    EXPECT_FALSE(platform::fileExists(file)) << "the file comes into being with the first add";

    add("alice", "secret");
    EXPECT_EQ(names(), (std::vector<std::string>{"alice"}));
    EXPECT_EQ(readFile(file), "alice:" + hashAt(0) + "\n");
    EXPECT_TRUE(verifies(file, "alice", "secret"));
    EXPECT_FALSE(verifies(file, "alice", "wrong"));
    EXPECT_EQ(layout.usernameField.text, "");
    EXPECT_EQ(layout.passwordField.text, "");
    EXPECT_GE(layout.usernameField.selectCount, 1);

    add("bob", "hunter2");
    const std::string firstHash = hashAt(0);
    add("alice", "other");
    ASSERT_TRUE(windows->hasPendingSheet());
    EXPECT_EQ(windows->pendingSheet().alert.title, "Change the password of alice?");
    windows->answer(1);
    EXPECT_EQ(names(), (std::vector<std::string>{"alice", "bob"})) << "the name's line changes, none is added";
    EXPECT_EQ(readFile(file), expectedFile());
    EXPECT_TRUE(verifies(file, "bob", "hunter2"));
    EXPECT_TRUE(verifies(file, "alice", "other"));
    EXPECT_NE(hashAt(0), firstHash);

    deleteRows({1}, 0);
    EXPECT_EQ(names(), (std::vector<std::string>{"alice", "bob"})) << "Cancel changes nothing";
    const std::string beforeDelete = readFile(file);
    EXPECT_EQ(beforeDelete, expectedFile());

    deleteRows({1}, 1);
    EXPECT_EQ(names(), (std::vector<std::string>{"alice"}));
    EXPECT_EQ(readFile(file), expectedFile());

    deleteRows({0}, 1);
    EXPECT_TRUE(names().empty());
    EXPECT_EQ(readFile(file), "") << "an empty list writes a zero-length file";
    EXPECT_EQ(windows->alerts.size(), 4u) << "only the password question and three confirmations were shown";
}

TEST_F(UserEditorTest, ChoosingAFileListsItsUsersAndDeletesSeveralRowsKeepingTheOrder) {
    const std::string file = temp / "htpasswd";
    writeFile(file, "alice:h1\n\n# a comment\n#x: y\nbob:h2:extra\ncarol:h3\r\ndave:h4\n");
    controller.selectUserfile();
    const auto& panel = windows->pendingSheet();
    EXPECT_EQ(panel.kind, headless::SheetKind::OpenPanel);
    EXPECT_EQ(panel.parent, &layout.mainWindow);
    EXPECT_EQ(panel.openOptions.directory, platform::homeDirectory());
    EXPECT_EQ(panel.openOptions.file, "");
    EXPECT_TRUE(panel.openOptions.canChooseFiles);
    EXPECT_FALSE(panel.openOptions.canChooseDirectories);
    EXPECT_FALSE(panel.openOptions.allowsMultipleSelection);
    windows->answer(1, {file});

    EXPECT_EQ(names(), (std::vector<std::string>{"alice", "bob", "carol", "dave"}));
    EXPECT_TRUE(layout.deleteuserButton.enabled);
    EXPECT_TRUE(layout.adduserButton.enabled);
    EXPECT_EQ(layout.usernameField.selectCount, 1);
    EXPECT_EQ(readFile(file), "alice:h1\n\n# a comment\n#x: y\nbob:h2:extra\ncarol:h3\r\ndave:h4\n")
        << "opening writes nothing";

    deleteRows({0, 2}, 1);
    EXPECT_EQ(names(), (std::vector<std::string>{"bob", "dave"}));
    EXPECT_EQ(readFile(file), "\n# a comment\n#x: y\nbob:h2:extra\ndave:h4\n")
        << "only the deleted lines go; comments, blank lines and extra fields stay";
}

TEST_F(UserEditorTest, DeletingOneOfTwoRecordsEqualInEveryKeyRemovesBoth) {
    const std::string file = temp / "users";
    writeFile(file, "dup:h\nother:h2\ndup:h\ndup:h3\n");
    openFile(file);
    deleteRows({2}, 1);
    EXPECT_EQ(names(), (std::vector<std::string>{"other", "dup"}));
    EXPECT_EQ(readFile(file), "other:h2\ndup:h3\n") << "a same-named user with another hash stays";
}

TEST_F(UserEditorTest, NewFileCommandOnAnExistingFileKeepsItsUsersAndAppends) {
    const std::string file = temp / "users";
    writeFile(file, "alice:h1\n");
    createFile(file);
    EXPECT_EQ(names(), (std::vector<std::string>{"alice"}));
    EXPECT_EQ(layout.usernameField.selectCount, 0);
    add("bob", "pw");
    EXPECT_EQ(readFile(file), "alice:h1\nbob:" + hashAt(1) + "\n");
    EXPECT_TRUE(verifies(file, "bob", "pw"));
}

TEST_F(UserEditorTest, CancellingAnyPanelOrTheConfirmationChangesNothing) {
    const std::string file = temp / "users";
    const std::string other = temp / "other";
    writeFile(file, "alice:h1\nbob:h2\n");
    writeFile(other, "zed:h9\n");
    openFile(file);
    layout.tableView.selectRows({0});

    controller.selectUserfile();
    windows->answer(0, {other});
    controller.newUserfile();
    windows->answer(0, {other});
    controller.deleteUser();
    windows->answer(0);

    EXPECT_EQ(layout.userfileField.text, file);
    EXPECT_EQ(names(), (std::vector<std::string>{"alice", "bob"}));
    EXPECT_EQ(readFile(file), "alice:h1\nbob:h2\n");
    EXPECT_EQ(readFile(other), "zed:h9\n");
    EXPECT_FALSE(windows->hasPendingSheet());
}

TEST_F(UserEditorTest, DeleteWithNoSelectionAsksNothing) {
    const std::string file = temp / "users";
    writeFile(file, "alice:h1\n");
    openFile(file);
    controller.deleteUser();
    EXPECT_FALSE(windows->hasPendingSheet());
    EXPECT_TRUE(windows->alerts.empty());
    EXPECT_EQ(windows->beepCount, 0);
}

TEST_F(UserEditorTest, AMissingHashingToolStopsTheAddAndSaysSo) {
    const std::string file = temp / "users";
    writeFile(file, "alice:h1\n");
    openFile(file);
    systemPaths().htpasswd = temp / "no-such-htpasswd";
    add("bob", "pw");

    EXPECT_EQ(names(), (std::vector<std::string>{"alice"}));
    EXPECT_EQ(layout.usernameField.text, "bob");
    EXPECT_EQ(layout.passwordField.text, "pw");
    EXPECT_EQ(readFile(file), "alice:h1\n");
    ASSERT_EQ(windows->alerts.size(), 1u);
    EXPECT_EQ(windows->alerts[0].alert.title, "Error!");
    EXPECT_EQ(windows->alerts[0].parent, &layout.mainWindow);
    EXPECT_NE(lastAlertMessage().find("could not be hashed with \"" + temp / "no-such-htpasswd" + "\""),
              std::string::npos)
        << lastAlertMessage();
}

TEST_F(UserEditorTest, NamesTheFileCannotHoldAreRefusedWithTheReason) {
    const std::string file = temp / "users";
    writeFile(file, "alice:h1\n");
    openFile(file);
    // A missing tool proves that refused names never reach it.
    systemPaths().htpasswd = temp / "no-such-htpasswd";
    const struct {
        std::string name;
        std::string reason;
    } cases[] = {
        {"a:b", "colon"}, {"a b", "blank"}, {"a\tb", "tab"}, {"a\nb", "line break"}, {"a\r", "line break"}};
    for (const auto& c : cases) {
        const std::size_t alertsBefore = windows->alerts.size();
        add(c.name, "pw");
        ASSERT_EQ(windows->alerts.size(), alertsBefore + 1) << c.name;
        EXPECT_EQ(windows->alerts.back().alert.title, "Error!");
        EXPECT_NE(lastAlertMessage().find(c.reason), std::string::npos) << lastAlertMessage();
        EXPECT_EQ(lastAlertMessage().find("hashed"), std::string::npos);
        EXPECT_EQ(layout.usernameField.text, c.name);
        EXPECT_EQ(layout.passwordField.text, "pw");
        windows->answer(1);
    }
    const std::size_t alertsBefore = windows->alerts.size();
    add("", "pw");
    EXPECT_EQ(windows->alerts.size(), alertsBefore) << "an empty name is refused without a message";
    EXPECT_EQ(names(), (std::vector<std::string>{"alice"}));
    EXPECT_EQ(readFile(file), "alice:h1\n");
}

TEST_F(UserEditorTest, AFailedWriteIsReportedAndTheListKeepsTheChangeUntilAWriteSucceeds) {
    const std::string folder = temp / "later";
    const std::string file = folder + "/users";
    createFile(file);
    add("alice", "pw1");
    EXPECT_EQ(names(), (std::vector<std::string>{"alice"}));
    EXPECT_EQ(readFile(file), "<missing>");
    ASSERT_EQ(windows->alerts.size(), 1u);
    EXPECT_EQ(windows->alerts[0].alert.title, "Error!");
    EXPECT_EQ(windows->alerts[0].alert.defaultButton, "OK");
    EXPECT_EQ(windows->alerts[0].alert.alternateButton, "");
    EXPECT_NE(lastAlertMessage().find(file), std::string::npos) << lastAlertMessage();
    windows->answer(1);

    ASSERT_EQ(shell("mkdir '" + folder + "'"), 0);
    add("bob", "pw2");
    EXPECT_EQ(windows->alerts.size(), 1u);
    EXPECT_EQ(readFile(file), expectedFile());
    EXPECT_TRUE(verifies(file, "alice", "pw1"));
    EXPECT_TRUE(verifies(file, "bob", "pw2"));
}

TEST_F(UserEditorTest, AFileInAFolderTheUserMayNotWriteIsReported) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    const std::string folder = temp / "locked";
    const std::string file = folder + "/users";
    writeFile(file, "alice:h1\n");
    openFile(file);
    ASSERT_EQ(shell("chmod 555 '" + folder + "'"), 0);
    deleteRows({0}, 1);
    EXPECT_TRUE(names().empty());
    EXPECT_EQ(readFile(file), "alice:h1\n");
    ASSERT_FALSE(windows->alerts.empty());
    EXPECT_EQ(windows->alerts.back().alert.title, "Error!");
    EXPECT_NE(lastAlertMessage().find(file), std::string::npos);
}

TEST_F(UserEditorTest, AnExistingFileThatCannotBeReadIsNotOpened) {
    const std::string file = temp / "users";
    const std::string folder = temp / "a-folder";
    writeFile(file, "alice:h1\n");
    writeFile(folder + "/inside", "x");
    std::vector<std::string> unreadable = {folder};
    if (geteuid() != 0) {
        writeFile(temp / "locked", "zed:h9\n");
        ASSERT_EQ(shell("chmod 000 '" + temp / "locked" + "'"), 0);
        unreadable.push_back(temp / "locked");
    }
    openFile(file);
    for (const auto& path : unreadable) {
        for (const bool throughNewFile : {false, true}) {
            const std::size_t alertsBefore = windows->alerts.size();
            if (throughNewFile) {
                createFile(path);
            } else {
                openFile(path);
            }
            ASSERT_EQ(windows->alerts.size(), alertsBefore + 1);
            EXPECT_EQ(windows->alerts.back().alert.title, "Error!");
            EXPECT_NE(lastAlertMessage().find(path), std::string::npos);
            windows->answer(1);
            EXPECT_EQ(layout.userfileField.text, file);
            EXPECT_EQ(names(), (std::vector<std::string>{"alice"}));
        }
    }
    add("bob", "pw");
    EXPECT_EQ(readFile(file), "alice:h1\nbob:" + hashAt(1) + "\n");
}

} // namespace
} // namespace keepgate::testing

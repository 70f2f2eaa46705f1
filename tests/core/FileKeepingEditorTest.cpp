#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "platform/SystemPaths.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

class FileKeepingEditorTest : public HeadlessTest {
  protected:
    UserEditorLayout users;
    GroupEditorLayout groups;

    void openUsers(const std::string& path) {
        users.controller.selectUserfile();
        windows->answer(1, {path});
    }
    void addUser(const std::string& name, const std::string& password) {
        users.usernameField.text = name;
        users.passwordField.text = password;
        users.controller.addUser();
    }
    void deleteUsers(const std::vector<int>& rows) {
        users.tableView.selectRows(rows);
        users.controller.deleteUser();
        ASSERT_TRUE(windows->hasPendingSheet());
        windows->answer(1);
    }
    void openGroups(const std::string& path) {
        groups.controller.selectFile();
        windows->answer(1, {path});
    }
    void addGroup(const std::string& name) {
        groups.groupnameField.text = name;
        groups.controller.addGroup();
    }
    void addMember(int group, const std::string& name) {
        groups.grouplistPopup.selectItem(group);
        groups.usernameField.text = name;
        groups.controller.addUser();
    }
    void deleteGroupRows(const std::vector<int>& rows) {
        groups.outlineView.selectRows(rows);
        groups.controller.deleteGroup();
        // Deleting asks first; the confirmation is answered and is not one of the alerts a case checks.
        if (windows->hasPendingSheet()) {
            windows->answer(1);
            std::erase_if(windows->alerts, [](const auto& shown) { return shown.alert.title == "Warning!"; });
        }
    }
    std::vector<std::string> userNames() const { return users.tableView.columnTexts("username"); }
    std::string lastAlert() const {
        return windows->alerts.empty() ? "" : windows->alerts.back().alert.message;
    }
    // Alerts that report a failure; confirmations do not count.
    int errorCount() const {
        int count = 0;
        for (const auto& shown : windows->alerts) {
            count += shown.alert.title == "Error!" ? 1 : 0;
        }
        return count;
    }
};

TEST_F(FileKeepingEditorTest, GroupEditsChangeExactlyOneLineOfFilesWithCommentsTabsAndLineEnds) {
    const std::string original = "# groups of the web site\n"
                                 "staff:alice\tbob\r\n"
                                 "\n"
                                 "  # see: ticket 12\n"
                                 "admins: carol  dave\n"
                                 "empty:\n";
    const struct {
        const char* name;
        std::function<void()> edit;
        std::string expected;
    } cases[] = {
        {"add a member to the first group", [&] { addMember(0, "erin"); },
         "# groups of the web site\nstaff: alice bob erin\r\n\n  # see: ticket 12\nadmins: carol  "
         "dave\nempty:\n"},
        {"delete a member of the second group (rows: staff, alice, bob, admins, carol, dave, empty)",
         [&] { deleteGroupRows({5}); },
         "# groups of the web site\nstaff:alice\tbob\r\n\n  # see: ticket 12\nadmins: carol\nempty:\n"},
        {"delete a whole group", [&] { deleteGroupRows({0}); },
         "# groups of the web site\n\n  # see: ticket 12\nadmins: carol  dave\nempty:\n"},
        {"add a group", [&] { addGroup("web"); }, original + "web:\n"},
        {"delete with nothing selected", [&] { deleteGroupRows({}); }, original},
    };
    for (const auto& c : cases) {
        const std::string file = temp / "groups";
        writeFile(file, original);
        openGroups(file);
        c.edit();
        EXPECT_EQ(readFile(file), c.expected) << c.name;
        // The comment is still a comment after any number of saves.
        addGroup("again");
        EXPECT_EQ(readFile(file), c.expected + "again:\n") << c.name;
    }
    EXPECT_EQ(errorCount(), 0) << lastAlert();
}

TEST_F(FileKeepingEditorTest, AUserHtpasswdAddsWhileTheFileIsOpenSurvivesTheNextChange) {
    const std::string file = temp / "users";
    writeFile(file, "# site users\nalice:$apr1$a\n");
    openUsers(file);
    ASSERT_EQ(shell("htpasswd -b '" + file + "' bob frombob >/dev/null 2>&1"), 0);

    addUser("carol", "fromcarol");
    EXPECT_EQ(userNames(), (std::vector<std::string>{"alice", "bob", "carol"}))
        << "the list shows the file anew";
    const std::string text = readFile(file);
    EXPECT_EQ(text.rfind("# site users\nalice:$apr1$a\nbob:", 0), 0u) << text;
    EXPECT_EQ(shell("htpasswd -vb '" + file + "' bob frombob >/dev/null 2>&1"), 0);
    EXPECT_EQ(shell("htpasswd -vb '" + file + "' carol fromcarol >/dev/null 2>&1"), 0);
    EXPECT_EQ(errorCount(), 0) << lastAlert();

    // A delete made after another program's change removes only the chosen user.
    ASSERT_EQ(shell("htpasswd -b '" + file + "' dave fromdave >/dev/null 2>&1"), 0);
    deleteUsers({0});
    EXPECT_EQ(userNames(), (std::vector<std::string>{"bob", "carol", "dave"}));
    EXPECT_EQ(readFile(file).find("alice"), std::string::npos);
}

TEST_F(FileKeepingEditorTest, AChangeThatNoLongerAppliesIsNamedAndNothingIsWritten) {
    const std::string file = temp / "users";
    writeFile(file, "alice:$apr1$a\nbob:$apr1$b\n");
    openUsers(file);
    ASSERT_EQ(shell("htpasswd -D '" + file + "' bob >/dev/null 2>&1"), 0);
    const std::string afterOther = readFile(file);

    users.tableView.selectRows({1});
    users.passwordField.text = "new";
    users.controller.changePassword();
    EXPECT_NE(lastAlert().find("\"bob\" is no longer in the file"), std::string::npos) << lastAlert();
    EXPECT_EQ(readFile(file), afterOther);
    EXPECT_EQ(userNames(), (std::vector<std::string>{"alice"}));
}

TEST_F(FileKeepingEditorTest, AGroupAnotherProgramAddsSurvivesTheNextGroupEdit) {
    const std::string file = temp / "groups";
    writeFile(file, "staff: alice\n");
    openGroups(file);
    ASSERT_EQ(shell("printf 'admins: root\\n' >> '" + file + "'"), 0);

    addMember(0, "bob");
    EXPECT_EQ(readFile(file), "staff: alice bob\nadmins: root\n");
    EXPECT_EQ(groups.outlineView.rows(),
              (std::vector<std::string>{"staff", "  alice", "  bob", "admins", "  root"}));
    EXPECT_EQ(groups.grouplistPopup.items, (std::vector<std::string>{"staff", "admins"}));

    // The chosen member is found again by name after another program reordered the file.
    ASSERT_EQ(shell("printf 'web:\\nstaff: alice bob\\nadmins: root\\n' > '" + file + ".new' && mv '" + file +
                    ".new' '" + file + "'"),
              0);
    deleteGroupRows({2}); // "  bob" as the outline showed it before the other program's change
    EXPECT_EQ(readFile(file), "web:\nstaff: alice\nadmins: root\n");
    EXPECT_EQ(errorCount(), 0) << lastAlert();
}

TEST_F(FileKeepingEditorTest, FilesThatAreNoUserFilesOpenReadOnlyAndKeepEveryByte) {
    const struct {
        const char* name;
        std::string bytes;
        const char* said;
    } cases[] = {
        {"htdigest", "alice:Private:0123456789abcdef0123456789abcdef\n", "htdigest"},
        {"binary",
         std::string("\x7f"
                     "ELF\0\0:\x01\x02\n",
                     11),
         "binary"},
        {"one long line", std::string(20000, 'a') + ":b\n", "longer than"},
        {"prose", "Dear reader,\nthis is a letter.\n", "no colon"},
    };
    for (const auto& c : cases) {
        const std::string file = temp / "notusers";
        writeFile(file, c.bytes);
        const std::size_t before = windows->alerts.size();
        openUsers(file);
        ASSERT_EQ(windows->alerts.size(), before + 1) << c.name;
        EXPECT_NE(lastAlert().find("read-only"), std::string::npos) << lastAlert();
        EXPECT_NE(lastAlert().find(c.said), std::string::npos) << lastAlert();
        windows->answer(1);
        EXPECT_FALSE(users.adduserButton.enabled) << c.name;
        addUser("mallory", "pw");
        EXPECT_NE(lastAlert().find("read-only"), std::string::npos) << c.name;
        windows->answer(1);
        EXPECT_EQ(readFile(file), c.bytes) << c.name;
    }
}

TEST_F(FileKeepingEditorTest, AFileThatVanishesOrBecomesAFolderIsNotWrittenAndTheListStays) {
    const struct {
        const char* name;
        std::string change;
        const char* said;
    } cases[] = {
        {"removed", "rm -f '%'", "it is gone"},
        {"replaced by a folder", "rm -f '%' && mkdir '%'", "folder"},
    };
    int index = 0;
    for (const auto& c : cases) {
        const std::string file = temp / ("users-" + std::to_string(index++));
        writeFile(file, "alice:$apr1$a\n");
        openUsers(file);
        std::string command = c.change;
        for (std::size_t at; (at = command.find('%')) != std::string::npos;) {
            command.replace(at, 1, file);
        }
        ASSERT_EQ(shell(command), 0);
        addUser("bob", "pw");
        EXPECT_NE(lastAlert().find(c.said), std::string::npos) << c.name << ": " << lastAlert();
        windows->answer(1);
        EXPECT_EQ(userNames(), (std::vector<std::string>{"alice"})) << c.name;
        EXPECT_EQ(users.usernameField.text, "bob") << c.name << ": the typed name stays for another try";
    }
    EXPECT_FALSE(platform::fileExists(temp / "users-0"))
        << "nothing was written in the vanished file's place";
}

TEST_F(FileKeepingEditorTest, FilesOverTheSizeLimitAreRefusedBeforeTheyAreRead) {
    const std::string file = temp / "huge";
    // A sparse file: the size is there without the disk space.
    ASSERT_EQ(truncate((writeFile(file, ""), file).c_str(), 513ll * 1024 * 1024), 0);
    openUsers(file);
    EXPECT_NE(lastAlert().find("larger than 512 MiB"), std::string::npos) << lastAlert();
    windows->answer(1);
    EXPECT_TRUE(users.userfileField.text.empty()) << "the file did not become the current one";
    openGroups(file);
    EXPECT_NE(lastAlert().find("larger than 512 MiB"), std::string::npos) << lastAlert();
    EXPECT_TRUE(groups.groupfileField.text.empty()) << "the file did not become the current one";
}

} // namespace
} // namespace keepgate::testing

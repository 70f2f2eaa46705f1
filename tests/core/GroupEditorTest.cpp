#include <string>
#include <sys/stat.h>
#include <vector>

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

class GroupEditorTest : public HeadlessTest {
  protected:
    GroupEditorLayout layout;
    Group& controller = layout.controller;

    void openFile(const std::string& path) {
        controller.selectFile();
        windows->answer(1, {path});
    }
    void addGroup(const std::string& name) {
        layout.groupnameField.text = name;
        controller.addGroup();
    }
    void addMember(int popupEntry, const std::string& name) {
        layout.grouplistPopup.selectItem(popupEntry);
        layout.usernameField.text = name;
        controller.addUser();
    }
    void deleteRows(const std::vector<int>& rows) {
        layout.outlineView.selectRows(rows);
        controller.deleteGroup();
        // A selection is deleted only once the user confirms; an empty one asks nothing.
        EXPECT_EQ(windows->hasPendingSheet(), !rows.empty());
        if (windows->hasPendingSheet()) {
            windows->answer(1);
        }
    }
    std::vector<std::string> rows() const { return layout.outlineView.rows(); }
    // Entry i of the pop-up list names group i of the tree, and a non-empty list has a chosen entry.
    void expectPopupMatchesTree() const {
        std::vector<std::string> titles;
        if (controller.records) {
            for (const auto& group : *controller.records) {
                titles.push_back(group->title().value_or("<none>"));
            }
        }
        EXPECT_EQ(layout.grouplistPopup.items, titles);
        if (titles.empty()) {
            EXPECT_EQ(layout.grouplistPopup.selected, -1);
        } else {
            EXPECT_GE(layout.grouplistPopup.selected, 0);
            EXPECT_LT(layout.grouplistPopup.selected, static_cast<int>(titles.size()));
        }
    }
    static ino_t inode(const std::string& path) {
        struct stat info {};
        return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
    }
    std::string lastAlertMessage() const {
        return windows->alerts.empty() ? "" : windows->alerts.back().alert.message;
    }
};

TEST_F(GroupEditorTest, OpeningAFileShowsEachGroupLineWithItsMembersAndFillsThePopup) {
    const struct {
        std::string file;
        std::vector<std::string> rows;
    } cases[] = {
        {"staff: alice  bob \n", {"staff", "  alice", "  bob"}},
        {" staff: alice\n", {"staff", "  alice"}},
        {"staff: alice\r\nadmins:\r\n", {"staff", "  alice", "admins"}},
        {"alice bob\n\nstaff:alice a\nstaff: b", {"staff", "  alice", "  a", "staff", "  b"}},
        {"# see: ticket\nstaff:\talice\t bob\n", {"staff", "  alice", "  bob"}},
    };
    for (const auto& c : cases) {
        const std::string file = temp / "groups";
        writeFile(file, c.file);
        openFile(file);
        EXPECT_EQ(rows(), c.rows) << c.file;
        expectPopupMatchesTree();
        EXPECT_EQ(layout.grouplistPopup.selected, 0);
        EXPECT_EQ(readFile(file), c.file) << "opening writes nothing";
    }
}

// A line with nothing before its colon names no group the server could match: it is no row, and an edit of
// another group keeps it as written.
TEST_F(GroupEditorTest, ANamelessLineIsNoGroupAndSurvivesAnEdit) {
    const std::string file = temp / "groups";
    writeFile(file, ":\r\t\n \t: carol\nstaff: alice\n");
    openFile(file);
    EXPECT_EQ(rows(), (std::vector<std::string>{"staff", "  alice"}));
    addMember(0, "bob");
    EXPECT_EQ(readFile(file), ":\r\t\n \t: carol\nstaff: alice bob\n");
    EXPECT_EQ(rows(), (std::vector<std::string>{"staff", "  alice", "  bob"}));
}

TEST_F(GroupEditorTest, ANewFileLivesThroughAddsAndDeletesWrittenAfterEveryChange) {
    const std::string file = temp / "groups";
    controller.newFile();
    const auto& panel = windows->pendingSheet();
    EXPECT_EQ(panel.kind, headless::SheetKind::SavePanel);
    EXPECT_EQ(panel.parent, &layout.mainWindow);
    EXPECT_EQ(panel.saveOptions.directory, platform::homeDirectory());
    EXPECT_EQ(panel.saveOptions.file, "groups");
    EXPECT_TRUE(panel.saveOptions.confirmReplace) << "the first change replaces a chosen file";
    windows->answer(1, {file});

    EXPECT_EQ(layout.groupfileField.text, file);
    for (const auto* button :
         {&layout.addgroupButton, &layout.adduserButton, &layout.deleteusergroupButton}) {
        EXPECT_TRUE(button->enabled);
    }
    EXPECT_TRUE(layout.groupnameField.editable);
    EXPECT_TRUE(layout.usernameField.editable);
    EXPECT_TRUE(layout.grouplistPopup.enabled);
    EXPECT_FALSE(platform::fileExists(file)) << "nothing is written before the first change";
    expectPopupMatchesTree();

    // Each step: the action, then the file and the outline it must leave.
    const struct {
        std::function<void()> action;
        std::string file;
        std::vector<std::string> rows;
    } steps[] = {
        {[&] { addGroup("staff"); }, "staff:\n", {"staff"}},
        {[&] { addGroup("staff"); }, "staff:\n", {"staff"}},
        {[&] { addGroup(""); }, "staff:\n", {"staff"}},
        {[&] { addGroup("Staff"); }, "staff:\nStaff:\n", {"staff", "Staff"}},
        {[&] { addMember(0, "alice"); }, "staff: alice\nStaff:\n", {"staff", "  alice", "Staff"}},
        {[&] { addMember(0, "alice"); },
         "staff: alice alice\nStaff:\n",
         {"staff", "  alice", "  alice", "Staff"}},
        {[&] { addMember(1, "bob"); },
         "staff: alice alice\nStaff: bob\n",
         {"staff", "  alice", "  alice", "Staff", "  bob"}},
        {[&] { addMember(1, ""); },
         "staff: alice alice\nStaff: bob\n",
         {"staff", "  alice", "  alice", "Staff", "  bob"}},
        {[&] { addMember(1, "x.y"); },
         "staff: alice alice\nStaff: bob x.y\n",
         {"staff", "  alice", "  alice", "Staff", "  bob", "  x.y"}},
        {[&] {
             deleteRows({2, 4});
         },
         "staff: alice\nStaff: x.y\n",
         {"staff", "  alice", "Staff", "  x.y"}},
        {[&] {
             deleteRows({0, 1});
         },
         "Staff: x.y\n",
         {"Staff", "  x.y"}},
        {[&] { deleteRows({1}); }, "Staff:\n", {"Staff"}},
        {[&] { addGroup("admins"); }, "Staff:\nadmins:\n", {"Staff", "admins"}},
        {[&] {
             deleteRows({0, 1});
         },
         "",
         {}},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].action();
        SCOPED_TRACE("step " + std::to_string(i));
        EXPECT_EQ(readFile(file), steps[i].file);
        EXPECT_EQ(rows(), steps[i].rows);
        expectPopupMatchesTree();
        EXPECT_TRUE(layout.outlineView.selection.empty());
    }
    // The only alerts were the questions before each deletion.
    for (const auto& shown : windows->alerts) {
        EXPECT_EQ(shown.alert.message, "Are you sure you want to delete the selected groups and members?");
    }
    EXPECT_EQ(layout.groupnameField.text, "");
    EXPECT_EQ(layout.usernameField.text, "");
}

TEST_F(GroupEditorTest, DeletingMembersLeavesThePopupAloneAndAnEmptiedGroupShowsNoDisclosure) {
    const std::string file = temp / "groups";
    writeFile(file, "staff: alice bob\nadmins: root\n");
    openFile(file);
    layout.grouplistPopup.selectItem(1);
    deleteRows({1, 2});
    EXPECT_EQ(readFile(file), "staff:\nadmins: root\n");
    EXPECT_EQ(layout.grouplistPopup.items, (std::vector<std::string>{"staff", "admins"}));
    EXPECT_EQ(layout.grouplistPopup.selected, 1);
    EXPECT_FALSE(controller.isItemExpandable(controller.child(0, nullptr)));
    EXPECT_TRUE(controller.isItemExpandable(controller.child(1, nullptr)));
    EXPECT_TRUE(controller.isItemExpandable(nullptr));

    deleteRows({0});
    EXPECT_EQ(readFile(file), "admins: root\n");
    EXPECT_EQ(layout.grouplistPopup.selected, 0) << "the chosen group stays chosen";
    expectPopupMatchesTree();
    addMember(layout.grouplistPopup.selected, "eve");
    EXPECT_EQ(readFile(file), "admins: root eve\n");
}

TEST_F(GroupEditorTest, DeletingOneOfTwoGroupsOfTheSameNameKeepsThePopupInStepWithTheTree) {
    const std::string file = temp / "groups";
    writeFile(file, "staff: a\nadmins: b\nstaff: c\n");
    openFile(file);
    deleteRows({4}); // the second "staff"
    EXPECT_EQ(readFile(file), "staff: a\nadmins: b\n");
    expectPopupMatchesTree();
    addMember(1, "zed");
    EXPECT_EQ(readFile(file), "staff: a\nadmins: b zed\n") << "entry 1 must still be admins";
}

TEST_F(GroupEditorTest, DeletingWithNothingSelectedWritesTheFileAgainUnchanged) {
    const std::string file = temp / "groups";
    writeFile(file, "staff: alice\n");
    openFile(file);
    const ino_t before = inode(file);
    deleteRows({});
    EXPECT_EQ(readFile(file), "staff: alice\n");
    EXPECT_NE(inode(file), before) << "the atomic write replaced the file";
    expectPopupMatchesTree();
}

TEST_F(GroupEditorTest, CancellingEitherPanelKeepsFileTreeAndPopup) {
    const std::string file = temp / "groups";
    const std::string other = temp / "other";
    writeFile(file, "staff: alice\nadmins:\n");
    writeFile(other, "zed: z\n");
    openFile(file);
    layout.grouplistPopup.selectItem(1);
    controller.selectFile();
    windows->answer(0, {other});
    controller.newFile();
    windows->answer(0, {other});
    EXPECT_EQ(layout.groupfileField.text, file);
    EXPECT_EQ(rows(), (std::vector<std::string>{"staff", "  alice", "admins"}));
    EXPECT_EQ(layout.grouplistPopup.items, (std::vector<std::string>{"staff", "admins"}));
    EXPECT_EQ(layout.grouplistPopup.selected, 1);
    EXPECT_EQ(readFile(file), "staff: alice\nadmins:\n");
    EXPECT_EQ(readFile(other), "zed: z\n");
}

TEST_F(GroupEditorTest, NamesTheGroupFileCannotHoldAreRefusedWithTheReason) {
    const std::string file = temp / "groups";
    writeFile(file, "staff: alice\n");
    openFile(file);
    const struct {
        bool group;
        std::string name;
        std::string reason;
    } cases[] = {
        {true, "my group", "blank"},   {true, "a:b", "colon"}, {true, "a\nb", "line break"},
        {true, "a\r", "line break"},   {true, "a\tb", "tab"},  {false, "a b", "blank"},
        {false, "a\nb", "line break"}, {false, "a\tb", "tab"},
    };
    for (const auto& c : cases) {
        const std::size_t alertsBefore = windows->alerts.size();
        if (c.group) {
            addGroup(c.name);
        } else {
            addMember(0, c.name);
        }
        ASSERT_EQ(windows->alerts.size(), alertsBefore + 1) << c.name;
        EXPECT_EQ(windows->alerts.back().alert.title, "Error!");
        EXPECT_EQ(windows->alerts.back().parent, &layout.mainWindow);
        EXPECT_NE(lastAlertMessage().find(c.reason), std::string::npos) << lastAlertMessage();
        EXPECT_EQ((c.group ? layout.groupnameField : layout.usernameField).text, c.name);
        windows->answer(1);
    }
    EXPECT_EQ(readFile(file), "staff: alice\n");
    EXPECT_EQ(rows(), (std::vector<std::string>{"staff", "  alice"}));
    expectPopupMatchesTree();
}

TEST_F(GroupEditorTest, AddingAMemberWithNoGroupBeepsAndChangesNothing) {
    const std::string file = temp / "groups";
    controller.newFile();
    windows->answer(1, {file});
    layout.usernameField.text = "alice";
    controller.addUser();
    EXPECT_EQ(windows->beepCount, 1);
    EXPECT_TRUE(windows->alerts.empty());
    EXPECT_EQ(layout.usernameField.text, "alice");
    EXPECT_FALSE(platform::fileExists(file));
    EXPECT_TRUE(rows().empty());
}

TEST_F(GroupEditorTest, AnExistingFileThatCannotBeReadIsNotOpened) {
    const std::string file = temp / "groups";
    const std::string folder = temp / "a-folder";
    writeFile(file, "staff: alice\n");
    writeFile(folder + "/inside", "x");
    openFile(file);
    openFile(folder);
    ASSERT_EQ(windows->alerts.size(), 1u);
    EXPECT_EQ(windows->alerts[0].alert.title, "Error!");
    EXPECT_NE(lastAlertMessage().find(folder), std::string::npos);
    windows->answer(1);
    EXPECT_EQ(layout.groupfileField.text, file);
    EXPECT_EQ(rows(), (std::vector<std::string>{"staff", "  alice"}));
    expectPopupMatchesTree();
    addMember(0, "bob");
    EXPECT_EQ(readFile(file), "staff: alice bob\n");
}

TEST_F(GroupEditorTest, AFailedWriteIsReportedAndTheTreeKeepsTheChange) {
    const std::string folder = temp / "later";
    const std::string file = folder + "/groups";
    controller.newFile();
    windows->answer(1, {file});
    addGroup("staff");
    ASSERT_EQ(windows->alerts.size(), 1u);
    EXPECT_EQ(windows->alerts[0].alert.title, "Error!");
    EXPECT_EQ(windows->alerts[0].alert.defaultButton, "OK");
    EXPECT_NE(lastAlertMessage().find(file), std::string::npos) << lastAlertMessage();
    windows->answer(1);
    EXPECT_EQ(rows(), (std::vector<std::string>{"staff"}));
    expectPopupMatchesTree();

    ASSERT_EQ(shell("mkdir '" + folder + "'"), 0);
    addMember(0, "alice");
    EXPECT_EQ(readFile(file), "staff: alice\n");
    EXPECT_EQ(windows->alerts.size(), 1u);
}

} // namespace
} // namespace keepgate::testing

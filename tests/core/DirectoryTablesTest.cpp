#include <stdexcept>

#include <gtest/gtest.h>

#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate {
namespace {

using testing::DirectoryEditorLayout;

class DirectoryTablesTest : public testing::HeadlessTest {
  protected:
    DirectoryEditorLayout layout;
};

TEST_F(DirectoryTablesTest, GroupTableMarksTheAdmittedGroupsAndTakesClicks) {
    EXPECT_FALSE(DirectoryGroups::getGroupRecords().has_value());
    EXPECT_EQ(layout.groupfileView.rowCount(), 0);

    testing::writeFile(temp / "groups", "staff: alice bob\nadmins: carol\n");
    const int reloadsBefore = layout.groupfileView.reloadCount;
    DirectoryGroups::readGroupfile(temp / "groups", {"staff"});
    EXPECT_GT(layout.groupfileView.reloadCount, reloadsBefore);
    EXPECT_EQ(layout.groupfileView.columnTexts("groupname"), (std::vector<std::string>{"staff", "admins"}));
    EXPECT_EQ(layout.groupfileView.columnTexts("check"), (std::vector<std::string>{"1", "0"}));

    ASSERT_TRUE(layout.groupfileView.clickCheckBox(1));
    EXPECT_EQ(layout.groupfileView.cell("check", 1), Value(1));
    EXPECT_EQ(layout.groupfileView.numberOfSelectedRows(), 0);

    // A new load drops the clicks made since the last one.
    DirectoryGroups::readGroupfile(temp / "groups", {"staff"});
    EXPECT_EQ(layout.groupfileView.columnTexts("check"), (std::vector<std::string>{"1", "0"}));
}

TEST_F(DirectoryTablesTest, HostRulesListAllowsBeforeDeniesAndAddAndRemoveOneRow) {
    layout.directoryAccess.addRecord();
    EXPECT_FALSE(DirectoryAccess::getAccessRecords().has_value()) << "nothing is added before a load";

    DirectoryAccess::readAccess({"a", "b"}, {"c"});
    auto& view = layout.accessView;
    EXPECT_EQ(view.columnTexts("denyallow"), (std::vector<std::string>{"Allow", "Allow", "Deny"}));
    EXPECT_EQ(view.columnTexts("hostnameip"), (std::vector<std::string>{"a", "b", "c"}));

    view.selectRows({1});
    layout.directoryAccess.removeRecord();
    EXPECT_EQ(view.columnTexts("hostnameip"), (std::vector<std::string>{"a", "c"}));
    view.deselectAll();
    layout.directoryAccess.removeRecord();
    EXPECT_EQ(view.rowCount(), 2);

    DirectoryAccess::readAccess({}, {});
    layout.directoryAccess.addRecord();
    layout.directoryAccess.addRecord();
    EXPECT_EQ(view.columnTexts("denyallow"), (std::vector<std::string>{"Deny"}));
    EXPECT_EQ(view.columnTexts("hostnameip"), (std::vector<std::string>{""}));
    view.editCell("10.0.0.1", "hostnameip", 0);
    view.editCell("Allow", "denyallow", 0);
    layout.directoryAccess.addRecord();
    EXPECT_EQ(view.columnTexts("hostnameip"), (std::vector<std::string>{"10.0.0.1", ""}));
    EXPECT_EQ(view.columnTexts("denyallow"), (std::vector<std::string>{"Allow", "Deny"}));
    view.editCell("h", "hostnameip", 1);
    view.editCell("", "hostnameip", 1);
    layout.directoryAccess.addRecord();
    EXPECT_EQ(view.rowCount(), 2) << "no second empty row while the last has no host";
}

TEST_F(DirectoryTablesTest, WritesOutsideTheListFailThePreconditionAndChangeNothing) {
    testing::writeFile(temp / "users", "alice:x\n");
    testing::writeFile(temp / "groups", "staff: alice\n");
    layout.directory.userfileField->setStringValue(temp / "users");
    layout.directory.reloadUserfile();
    DirectoryGroups::readGroupfile(temp / "groups", {});
    DirectoryAccess::readAccess({"a"}, {});

    struct Case {
        ui::TableDataSource* source;
        const char* condition;
    } cases[] = {{&layout.directory, "rowIndex >= 0 && rowIndex < [records count]"},
                 {&layout.directoryGroups, "rowIndex >= 0 && rowIndex < [groupRecords count]"},
                 {&layout.directoryAccess, "rowIndex >= 0 && rowIndex < [accessRecords count]"}};
    for (const auto& c : cases) {
        for (const int row : {-1, 1, 7}) {
            try {
                c.source->setObjectValue(Value(1), "check", row);
                ADD_FAILURE() << c.condition << " accepted row " << row;
            } catch (const std::invalid_argument& error) {
                EXPECT_EQ(std::string(error.what()),
                          std::string("Invalid parameter not satisfying: ") + c.condition);
            }
        }
    }
    EXPECT_EQ(layout.directory.records,
              (std::vector<UserRecord>{{{"username", "alice"}, {"password", "x"}, {"check", "0"}}}));
    EXPECT_EQ(*DirectoryGroups::getGroupRecords(),
              (std::vector<GroupRecord>{{{"groupname", "staff"}, {"check", "0"}}}));
    EXPECT_EQ(*DirectoryAccess::getAccessRecords(),
              (std::vector<AccessRecord>{{{"denyallow", "Allow"}, {"hostnameip", "a"}}}));

    // Before any load the lists are absent, so every row is outside them.
    DirectoryGroups::reset();
    DirectoryAccess::reset();
    EXPECT_THROW(layout.directoryGroups.setObjectValue(Value(1), "check", 0), std::invalid_argument);
    EXPECT_THROW(layout.directoryAccess.setObjectValue(Value("x"), "hostnameip", 0), std::invalid_argument);
}

} // namespace
} // namespace keepgate

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "DirectoryEditorFixture.h"

namespace keepgate::testing {
namespace {

// The users file holds one hash of each kind; only bob's and carol's are plain text.
class PlainTextNoticeTest : public DirectoryEditorTest {
  protected:
    void SetUp() override {
        DirectoryEditorTest::SetUp();
        writeFile(
            usersPath,
            "alice:$apr1$salt$hash\nbob:secret\ncarol:letmein\r\ndave:{SHA}abcdefghijklmnopqrstuvwxyz0=\n"
            "erin:$2y$10$abcdefghijklmnopqrstuv\nfrank:abJnggxhB/yWI\ngina:\nhank:$6$salt$hash\n");
        writeFile(groupsPath, "staff: erin bob\nadmins: carol\nwriters: alice dave\n");
    }
    void loadWith(const std::string& require) {
        putBlock(site, "AuthType Basic\nAuthName \"Members\"\nAuthUserFile " + usersPath +
                           "\nAuthGroupFile " + groupsPath + "\n" + require);
        load(site);
    }
    const std::string& notice() const { return editor.plainTextField.text; }
    int row(const std::string& name) const {
        const auto names = editor.userfileView.columnTexts("username");
        return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
    }
};

const std::string kBob =
    "1 user who may enter has a password stored as plain text: bob. Change the password in "
    "the Users tab.";
const std::string kBobCarol =
    "2 users who may enter have a password stored as plain text: bob, carol. Change "
    "their passwords in the Users tab.";

TEST_P(PlainTextNoticeTest, NamesOnlyTheAdmittedUsersWhosePasswordIsPlainText) {
    const struct {
        const char* require;
        std::string notice;
    } cases[] = {
        {"Require user alice dave erin frank gina hank\n", ""}, // every other kind, admitted
        {"Require user bob\n", kBob},
        {"Require user carol bob\n", kBobCarol}, // listed in file order
        {"Require group writers\n", ""},
        {"Require group staff\n", kBob}, // bob is admitted as a member
        {"Require group admins\nRequire user bob\n", kBobCarol},
        {"Require valid-user\n", kBobCarol},
        {"Deny from all\n", ""}, // nobody is admitted by password
    };
    for (const auto& c : cases) {
        loadWith(c.require);
        EXPECT_EQ(notice(), c.notice) << c.require;
    }
}

TEST_P(PlainTextNoticeTest, FollowsTheMarksAndTheUserFile) {
    loadWith("Require user alice\n");
    EXPECT_EQ(notice(), "");
    ASSERT_TRUE(editor.userfileView.clickCheckBox(row("bob")));
    EXPECT_EQ(notice(), kBob);
    ASSERT_TRUE(editor.userfileView.clickCheckBox(row("bob")));
    EXPECT_EQ(notice(), "");

    // A marked group admits its members.
    ASSERT_TRUE(editor.groupfileView.clickCheckBox(1)); // admins
    EXPECT_NE(notice().find(": carol."), std::string::npos) << notice();
    ASSERT_TRUE(editor.groupfileView.clickCheckBox(1));
    EXPECT_EQ(notice(), "");

    editor.allusersCB.setState(1);
    editor.directory.checkAllusers();
    EXPECT_EQ(notice(), kBobCarol);

    // Once the passwords are hashed in the file, the notice goes.
    writeFile(usersPath, "alice:$apr1$a\nbob:$apr1$b\ncarol:$apr1$c\n");
    editor.directory.fileChanged(usersPath);
    EXPECT_EQ(notice(), "");
}

INSTANTIATE_TEST_SUITE_P(AccessFile, PlainTextNoticeTest, ::testing::Values(Mode::AccessFile), modeName);

} // namespace
} // namespace keepgate::testing

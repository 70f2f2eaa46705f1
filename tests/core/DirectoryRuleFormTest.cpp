#include <gtest/gtest.h>

#include "DirectoryEditorFixture.h"
#include "platform/SystemPaths.h"

namespace keepgate::testing {
namespace {

class DirectoryRuleFormTest : public DirectoryEditorTest {
  protected:
    void TearDown() override {
        systemPaths().serverVersion.clear();
        DirectoryEditorTest::TearDown();
    }
    void addRule(const std::string& kind, const std::string& host) {
        editor.directoryAccess.addRecord();
        const int row = editor.accessView.rowCount() - 1;
        editor.accessView.editCell(host, "hostnameip", row);
        editor.accessView.editCell(kind, "denyallow", row);
    }
    std::string head() const {
        return "AuthType Basic\nAuthName \"Members\"\nAuthUserFile " + usersPath + "\n";
    }
};

// A new block takes the form the server speaks; a loaded block keeps its own until "Use Apache 2.4 rules"
// shows the converted block and saves it.
TEST_P(DirectoryRuleFormTest, NewBlocksSpeakTheServersFormAndOldOnesKeepTheirs) {
    systemPaths().serverVersion = "2.4.62";
    load(site);
    editor.authnameField.text = "Members";
    editor.directory.selectUserfile();
    windows->answer(1, {usersPath});
    editor.userfileView.clickCheckBox(0);
    addRule("Allow", "10.0.0.1");
    addRule("Deny", "bad.example");
    editor.hostOrRB.buttonState = 1;
    editor.hostAndRB.buttonState = 0;
    save();
    ASSERT_FALSE(windows->hasPendingSheet()) << windows->pendingSheet().alert.message;
    // "or", deny,allow: alice, or a host that is allowed or not denied.
    const std::string written24 = head() + "<RequireAny>\n"
                                           "    Require user alice\n"
                                           "    Require ip 10.0.0.1\n"
                                           "    <RequireAll>\n"
                                           "        Require all granted\n"
                                           "        Require not host bad.example\n"
                                           "    </RequireAll>\n"
                                           "</RequireAny>\n";
    EXPECT_EQ(readFile(blockFile(site)), stored(site, written24));
    EXPECT_FALSE(editor.useApache24BT.isEnabled());

    // Read back, the block shows the same settings and nothing kept.
    load(site);
    EXPECT_EQ(editor.keptField.text, "");
    EXPECT_EQ(editor.hostOrRB.state(), 1);
    EXPECT_EQ(editor.accessView.columnTexts("hostnameip"),
              (std::vector<std::string>{"10.0.0.1", "bad.example"}));
    EXPECT_EQ(editor.userfileView.columnTexts("check"), (std::vector<std::string>{"1", "0", "0"}));

    // A 2.2 block saved on a 2.4 server keeps its form, "Satisfy Any" included.
    const std::string old22 = head() +
                              "Require user alice\nAllow from 10.0.0.1\nOrder deny,allow\nDeny from all\n"
                              "Satisfy Any\n";
    putBlock(site, old22);
    load(site);
    EXPECT_EQ(editor.keptField.text, "");
    EXPECT_TRUE(editor.useApache24BT.isEnabled());
    save();
    EXPECT_EQ(readFile(blockFile(site)), stored(site, old22));

    // Converting shows the block it writes; Cancel writes nothing, Convert writes the 2.4 form.
    editor.directory.useApache24Rules();
    const std::string converted =
        head() + "<RequireAny>\n    Require user alice\n    Require ip 10.0.0.1\n</RequireAny>\n";
    ASSERT_TRUE(windows->hasPendingSheet());
    EXPECT_NE(windows->pendingSheet().alert.message.find(converted), std::string::npos)
        << windows->pendingSheet().alert.message;
    windows->answer(0);
    EXPECT_EQ(readFile(blockFile(site)), stored(site, old22));
    editor.directory.useApache24Rules();
    windows->answer(1);
    EXPECT_EQ(readFile(blockFile(site)), stored(site, converted));
    EXPECT_FALSE(editor.useApache24BT.isEnabled());

    // On a server of unknown version a new block keeps the 2.2 form.
    systemPaths().serverVersion.clear();
    putBlock(site, head() + "Require user bob\n");
    load(site);
    addRule("Allow", "10.0.0.1");
    editor.orderAllowRB.buttonState = 1;
    editor.orderDenyRB.buttonState = 0;
    save();
    EXPECT_EQ(readFile(blockFile(site)),
              stored(site, head() + "Require user bob\nAllow from 10.0.0.1\nOrder allow,deny\n"));
}

// Replacing lines the editor cannot show names the lines that go and the protection that comes.
TEST_P(DirectoryRuleFormTest, TheReplaceQuestionListsTheLinesThatGoAndComeAndCancelWritesNothing) {
    const std::string block = head() + "Require user alice\n<RequireAll>\n  Require valid-user\n"
                                       "  Require env \\\n    TRUSTED\n</RequireAll>\n";
    putBlock(site, block);
    const std::string before = readFile(blockFile(site));
    load(site);
    EXPECT_NE(editor.keptField.text.find("Require env \\"), std::string::npos) << editor.keptField.text;
    save();
    ASSERT_TRUE(windows->hasPendingSheet());
    const std::string message = windows->pendingSheet().alert.message;
    for (const std::string line :
         {"<RequireAll>", "  Require valid-user", "  Require env \\", "    TRUSTED", "</RequireAll>"}) {
        EXPECT_NE(message.find("\n" + line + "\n"), std::string::npos) << line << "\n" << message;
    }
    EXPECT_NE(message.find("writes this protection in their place:\n" + head() + "Require user alice\n"),
              std::string::npos)
        << message;
    windows->answer(0);
    EXPECT_EQ(readFile(blockFile(site)), before);
    save();
    windows->answer(1);
    EXPECT_EQ(readFile(blockFile(site)), stored(site, head() + "Require user alice\n"));
}

INSTANTIATE_TEST_SUITE_P(BothModes, DirectoryRuleFormTest,
                         ::testing::Values(Mode::AccessFile, Mode::ConfigFile), modeName);

} // namespace
} // namespace keepgate::testing

#include "core/DirectoryEditorFixture.h"

namespace keepgate::testing {
namespace {

using Texts = std::vector<std::string>;

using DirectoryNamesTest = DirectoryEditorTest;

// The directory editor lists the users and groups the server can match: names after leading blanks and in
// UTF-8 are marked and written back, and a line without a name is no row anyone could mark.
TEST_P(DirectoryNamesTest, NamesAreListedAndMarkedAsTheServerMatchesThem) {
    const std::string jose = "jos\xc3\xa9";
    const std::string users = ":nameless\n  alice:$apr1$a\n\t" + jose + ":$apr1$j\nbob:$apr1$b\n";
    const std::string groups = ":\r\t\n staff: alice\n";
    writeFile(usersPath, users);
    writeFile(groupsPath, groups);
    putBlock(site, "AuthType Basic\nAuthName \"Names\"\nAuthUserFile " + usersPath + "\nAuthGroupFile " +
                       groupsPath + "\nRequire group staff\nRequire user alice " + jose + "\n");
    load(site);
    EXPECT_EQ(editor.userfileView.columnTexts("username"), (Texts{"alice", jose, "bob"}));
    EXPECT_EQ(editor.userfileView.columnTexts("check"), (Texts{"1", "1", "0"}));
    EXPECT_EQ(editor.groupfileView.columnTexts("groupname"), (Texts{"staff"}));
    EXPECT_EQ(editor.groupfileView.columnTexts("check"), (Texts{"1"}));
    EXPECT_EQ(editor.keptField.text, "") << "every Require line names only listed users and groups";

    editor.directory.setObjectValue(Value(1), "check", 2);
    save();
    EXPECT_EQ(errorMessages(), Texts{});
    const std::string written = readFile(blockFile(site));
    EXPECT_NE(written.find("Require user alice " + jose + " bob\n"), std::string::npos) << written;
    EXPECT_NE(written.find("Require group staff\n"), std::string::npos) << written;
    EXPECT_EQ(readFile(usersPath), users);
    EXPECT_EQ(readFile(groupsPath), groups);
}

INSTANTIATE_TEST_SUITE_P(BothModes, DirectoryNamesTest, ::testing::Values(Mode::AccessFile, Mode::ConfigFile),
                         modeName);

} // namespace
} // namespace keepgate::testing

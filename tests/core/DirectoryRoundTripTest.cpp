#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "core/DirectoryEditorFixture.h"
#include "formats/Validator.h"

namespace keepgate::testing {
namespace {

using DirectoryRoundTripTest = DirectoryEditorTest;

// Blocks holding lines the editor cannot show: each is listed on load, a save asks before replacing the
// ones that control access, Cancel writes nothing, and Replace keeps every other line as written.
TEST_P(DirectoryRoundTripTest, LinesTheEditorCannotShowAreListedAndReplacedOnlyWhenAsked) {
    const std::string head = "AuthType Basic\nAuthName \"Members\"\nAuthUserFile " + usersPath + "\n";
    const struct Case {
        const char* name;
        std::string block;
        std::string accessLine; // the line the question names
        std::string replaced;   // the block after Replace
    } cases[] = {
        {"Order mutual-failure", head + "Require user alice\nAllow from 10.0.0.1\nOrder mutual-failure\n",
         "Order mutual-failure", head + "Require user alice\nAllow from 10.0.0.1\nOrder allow,deny\n"},
        {"a Require rule of another module", head + "Require user alice\nRequire env TRUSTED\n",
         "Require env TRUSTED", head + "Require user alice\n"},
        {"server-root-relative file path",
         "AuthType Basic\nAuthName \"Members\"\nAuthUserFile conf/users\nRequire valid-user\n",
         "AuthUserFile conf/users", "AuthType Basic\nAuthName \"Members\"\nRequire valid-user\n"},
        {"a user missing from the user file", head + "Require user alice zed\n", "Require user alice zed",
         head + "Require user alice\n"},
        // Apache would grant any of the two Require lines, so the container alone would let everyone in.
        {"a container that admits everyone",
         head + "Require user alice\n<IfModule mod_authz_core.c>\n  Require all granted\n</IfModule>\n",
         "  Require all granted", head + "Require user alice\n"},
    };
    const std::string other = "Options -Indexes\n# why this is here\nDirectoryIndex index.html\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        putBlock(site, other + c.block);
        const std::string before = readFile(blockFile(site));
        windows->alerts.clear();
        load(site);
        const std::string& kept = editor.keptField.text;
        EXPECT_TRUE(kept.starts_with("Kept as written:")) << kept;
        for (const auto& line :
             {c.accessLine, std::string("Options -Indexes"), std::string("# why this is here")}) {
            EXPECT_NE(kept.find("\n" + line), std::string::npos) << line << " in " << kept;
        }

        save();
        const auto& question = windows->pendingSheet().alert;
        EXPECT_EQ(question.defaultButton, "Replace");
        // Replacing lines Keepgate cannot show loses them, so Return answers Cancel.
        EXPECT_TRUE(question.destructive);
        EXPECT_EQ(question.alternateButton, "Cancel");
        EXPECT_NE(question.message.find(c.accessLine), std::string::npos) << question.message;
        EXPECT_EQ(question.message.find("Options"), std::string::npos) << "only access lines are replaced";
        windows->answer(0);
        EXPECT_EQ(readFile(blockFile(site)), before);

        save();
        windows->answer(1);
        EXPECT_EQ(readFile(blockFile(site)), stored(site, other + c.replaced));
        EXPECT_TRUE(errorMessages().empty());
        // Saved once, the block loads with nothing left to ask about.
        load(site);
        EXPECT_EQ(editor.keptField.text.find("controls access"), std::string::npos) << editor.keptField.text;
        save();
        EXPECT_FALSE(windows->hasPendingSheet());
        EXPECT_EQ(readFile(blockFile(site)), stored(site, other + c.replaced));
    }
}

// Blocks the editor can show whole, with other lines around them, load and save to the same bytes.
TEST_P(DirectoryRoundTripTest, LoadingAndSavingWithoutAnEditKeepsTheBytes) {
    const std::string head = "AuthType Basic\nAuthName \"DOMAIN\\Users\"\nAuthUserFile " + usersPath +
                             "\nAuthGroupFile " + groupsPath + "\n";
    const std::string blocks[] = {
        head +
            "Require group staff\nRequire user alice bob\nAllow from 10.0.0.0/8\nAllow from 2001:db8::/48\n"
            "Deny from .example.org\nOrder allow,deny\nDeny from all\n",
        "RewriteEngine On\nErrorDocument 401 /denied.html\n\n# members only\n" + head +
            "Require valid-user\n",
    };
    for (const auto& block : blocks) {
        SCOPED_TRACE(block);
        // As Keepgate writes it: the section holds one empty line before its closing line.
        writeFile(blockFile(site), stored(site, block));
        const std::string before = readFile(blockFile(site));
        windows->alerts.clear();
        load(site);
        save();
        EXPECT_FALSE(windows->hasPendingSheet());
        EXPECT_TRUE(windows->alerts.empty());
        EXPECT_EQ(readFile(blockFile(site)), before);
    }
}

// A realm written with a DOS line end loads without its carriage return and saves again.
TEST_P(DirectoryRoundTripTest, ACrlfBlockSavesAgain) {
    putBlock(site,
             "AuthType Basic\r\nAuthName Members\r\nAuthUserFile " + usersPath + "\r\nRequire user bob\r\n");
    load(site);
    EXPECT_EQ(editor.authnameField.text, "Members");
    EXPECT_EQ(editor.userfileView.columnTexts("check"), (std::vector<std::string>{"0", "1", "0"}));
    save();
    // The unquoted realm is read as Apache reads it, so nothing needs asking.
    EXPECT_FALSE(windows->hasPendingSheet());
    EXPECT_TRUE(errorMessages().empty());
    EXPECT_EQ(readFile(blockFile(site)), stored(site, "AuthType Basic\nAuthName \"Members\"\nAuthUserFile " +
                                                          usersPath + "\nRequire user bob\n"));
}

// Lines another program adds between the load and the save survive it.
TEST_P(DirectoryRoundTripTest, ASaveAppliesTheEditToTheFileAsItIsNow) {
    putBlock(site, "AuthType Basic\nAuthName \"Old\"\nDeny from all\n");
    load(site);
    const std::string sub = "<Directory \"" + site + "/sub\">\nRequire valid-user\n</Directory>\n";
    if (accessFileMode()) {
        writeFile(blockFile(site), "Options -Indexes\n" + readFile(blockFile(site)));
    } else {
        std::string config = readFile(configPath);
        config.insert(config.find("AuthType"), "DirectoryIndex start.html\n");
        writeFile(configPath, "Listen 8080\n" + config + sub);
    }
    editor.authnameField.text = "New";
    save();
    const std::string block = "AuthType Basic\nAuthName \"New\"\nDeny from all\n";
    if (accessFileMode()) {
        EXPECT_EQ(readFile(blockFile(site)), "Options -Indexes\n" + block);
    } else {
        EXPECT_EQ(readFile(configPath),
                  stored(site, "DirectoryIndex start.html\n" + block, "Listen 8080\n" + sub));
    }
    EXPECT_TRUE(errorMessages().empty());
}

TEST_P(DirectoryRoundTripTest, AThousandMarkedUsersSpreadOverLinesWithinTheLimitAndReadBack) {
    std::string users;
    for (int i = 0; i < 1000; ++i) {
        users += "member-number-" + std::to_string(i) + ":x\n";
    }
    writeFile(usersPath, users);
    load(site);
    editor.userfileField.text = usersPath;
    editor.directory.reloadUserfile();
    for (int row = 0; row < 1000; ++row) {
        editor.userfileView.clickCheckBox(row);
    }
    save();
    const std::string& block = editor.directory.directoryinfo;
    int requireLines = 0;
    std::size_t start = 0;
    while (start < block.size()) {
        const auto end = block.find('\n', start);
        EXPECT_LE(end - start, Validator::kMaxLineLength);
        requireLines += block.compare(start, 13, "Require user ") == 0 ? 1 : 0;
        start = end + 1;
    }
    EXPECT_GT(requireLines, 1);
    load(site);
    const auto marks = editor.userfileView.columnTexts("check");
    EXPECT_EQ(std::count(marks.begin(), marks.end(), "1"), 1000);
    EXPECT_EQ(editor.directory.users.front(), "member-number-0");
    EXPECT_EQ(editor.directory.users.back(), "member-number-999");
    save();
    EXPECT_FALSE(windows->hasPendingSheet());
    EXPECT_TRUE(errorMessages().empty());
}

INSTANTIATE_TEST_SUITE_P(BothModes, DirectoryRoundTripTest,
                         ::testing::Values(Mode::AccessFile, Mode::ConfigFile), modeName);

// Access-file mode keeps the rest of the file; removal takes only the block out.
class AccessFileRestTest : public DirectoryEditorTest {};

TEST_P(AccessFileRestTest, TheRestOfTheFileStaysBeforeTheBlockAndOutlivesRemoval) {
    const std::string rest =
        "RewriteEngine On\r\nRewriteRule ^old$ new [R]\n# Allow from everyone, said Bob\n";
    writeFile(site + "/.htaccess",
              "RewriteEngine On\r\nAuthType Basic\nAuthName \"Old\"\nRewriteRule ^old$ new [R]\n"
              "Deny from all\n# Allow from everyone, said Bob\n");
    load(site);
    EXPECT_TRUE(editor.accessView.rowCount() == 0) << "a comment fills no table";
    editor.authnameField.text = "New";
    save();
    EXPECT_EQ(readFile(site + "/.htaccess"), rest + "AuthType Basic\nAuthName \"New\"\nDeny from all\n");

    editor.directory.removeProtection();
    windows->answer(1);
    EXPECT_EQ(readFile(site + "/.htaccess"), rest);

    writeFile(site + "/.htaccess", "\nAuthType Basic\nAuthName \"Old\"\nDeny from all\n\n");
    load(site);
    editor.directory.removeProtection();
    windows->answer(1);
    EXPECT_EQ(readFile(site + "/.htaccess"), "<missing>") << "nothing but blank lines was left";
    EXPECT_TRUE(errorMessages().empty());
}

TEST_P(AccessFileRestTest, AnAccessFileThatCannotBeReadOutlivesRemoval) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "an administrator reads every file";
    }
    const std::string text = "RewriteEngine On\nAuthType Basic\nDeny from all\n";
    writeFile(site + "/.htaccess", text);
    load(site);
    chmod((site + "/.htaccess").c_str(), 0);
    editor.directory.removeProtection();
    windows->answer(1);
    chmod((site + "/.htaccess").c_str(), 0644);
    // Its other lines could not be kept, so the file stays whole and the user is told.
    EXPECT_EQ(readFile(site + "/.htaccess"), text);
    ASSERT_EQ(errorMessages().size(), 1u);
    EXPECT_NE(errorMessages().front().find("could not be read"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(AccessFile, AccessFileRestTest, ::testing::Values(Mode::AccessFile), modeName);

} // namespace
} // namespace keepgate::testing

#include <functional>
#include <sys/stat.h>

#include "core/DirectoryEditorFixture.h"

namespace keepgate::testing {
namespace {

using DirectorySaveTest = DirectoryEditorTest;

// Every row of the block's line order, each case built through the controls from an empty directory.
TEST_P(DirectorySaveTest, TheBlockHoldsExactlyTheLinesTheControlsAsk) {
    const struct Case {
        const char* name;
        std::function<void(DirectoryEditorLayout&)> edit;
        std::string block;
    } cases[] = {
        {"empty realm becomes Keepgate", [](auto& e) { e.denyAllOthersCB.buttonState = 1; },
         "AuthType Basic\nAuthName \"Keepgate\"\nDeny from all\n"},
        {"user file and marked users",
         [&](auto& e) {
             e.userfileField.text = usersPath;
             e.directory.reloadUserfile();
             e.userfileView.clickCheckBox(2);
             e.userfileView.clickCheckBox(0);
         },
         "AuthType Basic\nAuthName \"Keepgate\"\nAuthUserFile " + usersPath + "\nRequire user alice carol\n"},
        {"group file and marked groups",
         [&](auto& e) {
             e.authnameField.text = "Staff only";
             e.groupfileField.text = groupsPath;
             e.directory.reloadGroupfile();
             e.groupfileView.clickCheckBox(1);
             e.groupfileView.clickCheckBox(0);
         },
         "AuthType Basic\nAuthName \"Staff only\"\nAuthGroupFile " + groupsPath +
             "\nRequire group staff admins\n"},
        {"all users wins over marks",
         [&](auto& e) {
             e.userfileField.text = usersPath;
             e.directory.reloadUserfile();
             e.userfileView.clickCheckBox(1);
             e.allusersCB.buttonState = 1;
         },
         "AuthType Basic\nAuthName \"Keepgate\"\nAuthUserFile " + usersPath + "\nRequire valid-user\n"},
        {"host rules, empty host skipped, order allow",
         [](auto& e) {
             e.directoryAccess.addRecord();
             e.accessView.editCell("10.0.0.0/8", "hostnameip", 0);
             e.accessView.editCell("Allow", "denyallow", 0);
             e.directoryAccess.addRecord();
             e.accessView.editCell("evil.example", "hostnameip", 1);
             e.directoryAccess.addRecord();
             e.orderAllowRB.buttonState = 1;
             e.orderDenyRB.buttonState = 0;
         },
         "AuthType Basic\nAuthName \"Keepgate\"\nAllow from 10.0.0.0/8\nDeny from evil.example\n"
         "Order allow,deny\n"},
        {"host rules with order deny and deny all",
         [](auto& e) {
             e.directoryAccess.addRecord();
             e.accessView.editCell("a.example", "hostnameip", 0);
             e.denyAllOthersCB.buttonState = 1;
         },
         "AuthType Basic\nAuthName \"Keepgate\"\nDeny from a.example\nOrder deny,allow\nDeny from all\n"},
        {"deny all without host rules has no order line",
         [&](auto& e) {
             e.userfileField.text = usersPath;
             e.directory.reloadUserfile();
             e.userfileView.clickCheckBox(0);
             e.denyAllOthersCB.buttonState = 1;
             e.orderAllowRB.buttonState = 1;
         },
         "AuthType Basic\nAuthName \"Keepgate\"\nAuthUserFile " + usersPath +
             "\nRequire user alice\nDeny from all\n"},
        {"missing files write no file lines; marked groups still count",
         [&](auto& e) {
             e.userfileField.text = "(Not found. Select another...)";
             e.groupfileField.text = temp / "gone";
             e.directory.reloadUserfile();
             DirectoryGroups::readGroupfile(groupsPath, {"admins"});
         },
         "AuthType Basic\nAuthName \"Keepgate\"\nRequire group admins\n"},
        {"no group file field, no group lines whatever the table holds",
         [&](auto& e) {
             e.groupfileField.text = "";
             DirectoryGroups::readGroupfile(groupsPath, {"admins"});
             e.denyAllOthersCB.buttonState = 1;
         },
         "AuthType Basic\nAuthName \"Keepgate\"\nDeny from all\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove((site + "/.htaccess").c_str());
        std::remove(configPath.c_str());
        load(site);
        c.edit(editor);
        save();
        EXPECT_EQ(readFile(blockFile(site)), stored(site, c.block));
        EXPECT_EQ(editor.directory.directoryinfo, c.block);
        EXPECT_EQ(editor.directory.pfilePath, site + "/.htaccess");
        EXPECT_TRUE(editor.removeProtectionButton.enabled);
        EXPECT_TRUE(errorMessages().empty());
    }
    EXPECT_EQ(editor.authnameField.text, "Keepgate");
}

TEST_P(DirectorySaveTest, SaveLoadSaveIsByteIdenticalAndRepeatedSavesChangeNothing) {
    const std::string spaced = temp / "my files";
    writeFile(spaced + "/users", "alice:x\nbob:y\n");
    writeFile(spaced + "/groups", "staff: alice\nops: bob\n");
    const std::string block = "AuthType Basic\nAuthName \"Members of  the club\"\nAuthUserFile \"" + spaced +
                              "/users\"\nAuthGroupFile \"" + spaced +
                              "/groups\"\nRequire group staff ops\nRequire valid-user\nAllow from 10.1.1.1\n"
                              "Allow from example.org\nDeny from 10.2.2.2\nDeny from bad.example\n"
                              "Order allow,deny\nDeny from all\n";
    const std::string before = "# kept\nInclude other.conf\n";
    putBlock(site, block, before);
    load(site);
    EXPECT_EQ(editor.userfileField.text, spaced + "/users");
    EXPECT_EQ(editor.accessView.rowCount(), 4);
    save();
    const std::string first = readFile(blockFile(site));
    EXPECT_EQ(first, stored(site, block, before));
    for (int i = 0; i < 10; ++i) {
        save();
    }
    load(site);
    save();
    EXPECT_EQ(readFile(blockFile(site)), first);
    EXPECT_TRUE(errorMessages().empty());
}

TEST_P(DirectorySaveTest, FieldsThatWouldBreakTheBlockAreRefusedAndNothingIsWritten) {
    writeFile(temp / "odd-users", "al ice:x\n");
    writeFile(temp / "odd-groups", "st\taff: x\n");
    const std::string brokenPath = temp / "users\nRequire valid-user";
    writeFile(brokenPath, "alice:x\n");
    const std::string quotedPath = temp / "my \"groups\"";
    writeFile(quotedPath, "staff: alice\n");
    const struct Case {
        const char* field;
        std::function<void(DirectoryEditorLayout&)> edit;
    } cases[] = {
        {"realm", [](auto& e) { e.authnameField.text = "a \" b"; }},
        {"realm", [](auto& e) { e.authnameField.text = "back\\"; }},
        {"realm", [](auto& e) { e.authnameField.text = "two\nlines"; }},
        {"host",
         [](auto& e) {
             e.directoryAccess.addRecord();
             e.accessView.editCell("a\nRequire valid-user", "hostnameip", 0);
         }},
        {"user name",
         [&](auto& e) {
             e.userfileField.text = temp / "odd-users";
             e.directory.reloadUserfile();
             e.userfileView.clickCheckBox(0);
         }},
        {"group name",
         [&](auto& e) {
             e.groupfileField.text = temp / "odd-groups";
             e.directory.reloadGroupfile();
             e.groupfileView.clickCheckBox(0);
         }},
        {"host rule",
         [](auto& e) {
             e.directoryAccess.addRecord();
             e.accessView.editCell("a", "hostnameip", 0);
             e.accessView.editCell("Require valid-user\nAllow", "denyallow", 0);
         }},
        {"user file", [&](auto& e) { e.userfileField.text = brokenPath; }},
        {"group file", [&](auto& e) { e.groupfileField.text = quotedPath; }},
    };
    const std::string earlier = stored(site, "AuthType Basic\nAuthName \"Old\"\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        windows->alerts.clear();
        writeFile(blockFile(site), earlier);
        load(site);
        c.edit(editor);
        save();
        EXPECT_EQ(readFile(blockFile(site)), earlier);
        ASSERT_EQ(errorMessages().size(), 1u);
        EXPECT_NE(errorMessages()[0].find(c.field), std::string::npos) << errorMessages()[0];
        EXPECT_EQ(windows->alerts[0].alert.defaultButton, "OK");
        EXPECT_EQ(windows->alerts[0].alert.alternateButton, "");
        windows->pending.clear();
    }
    // Unmarked odd names are never written, so they stop nothing.
    load(site);
    editor.userfileField.text = temp / "odd-users";
    editor.directory.reloadUserfile();
    editor.denyAllOthersCB.buttonState = 1;
    windows->alerts.clear();
    save();
    EXPECT_TRUE(errorMessages().empty());
}

TEST_P(DirectorySaveTest, AWriteThatFailsIsReportedAndTheEditorStaysLoaded) {
    load(site);
    // A directory where the file should be, or a folder that does not exist, cannot be written.
    if (accessFileMode()) {
        writeFile(site + "/.htaccess/inside", "");
    } else {
        defaults->setString(constants::kConfigFilePathKey, temp / "missing-folder/keepgate.conf");
    }
    editor.denyAllOthersCB.buttonState = 1;
    save();
    const std::string target = accessFileMode() ? site + "/.htaccess" : temp / "missing-folder/keepgate.conf";
    ASSERT_EQ(errorMessages().size(), 1u);
    EXPECT_NE(errorMessages()[0].find(target), std::string::npos) << errorMessages()[0];
    EXPECT_EQ(windows->alerts[0].parent, &editor.mainWindow);
    EXPECT_TRUE(editor.saveProtectionButton.enabled);
    EXPECT_EQ(editor.directoryField.text, site);
}

TEST_P(DirectorySaveTest, RemovalAsksFirstThenClearsTheBlockAndResetsTheEditor) {
    const std::string other = "<Directory \"" + site + "/sub\">\nRequire valid-user\n\n</Directory>\n";
    putBlock(site, "AuthName \"Gone\"\nAuthUserFile " + usersPath + "\nAllow from a\n", other);
    load(site);
    editor.directory.removeProtection();
    const auto& question = windows->pendingSheet().alert;
    EXPECT_EQ(question.title, "Warning!");
    EXPECT_EQ(question.message, "Are you sure you want to remove protection for this directory?");
    EXPECT_EQ(question.defaultButton, "Remove");
    EXPECT_EQ(question.alternateButton, "Cancel");
    const std::string before = readFile(blockFile(site));
    windows->answer(0);
    EXPECT_EQ(readFile(blockFile(site)), before);
    EXPECT_EQ(editor.directoryField.text, site);
    EXPECT_TRUE(editor.saveProtectionButton.enabled);

    editor.directory.removeProtection();
    windows->answer(1);
    EXPECT_EQ(readFile(blockFile(site)), accessFileMode() ? "<missing>" : other);
    EXPECT_EQ(editor.directoryField.text + editor.authnameField.text + editor.userfileField.text +
                  editor.groupfileField.text,
              "");
    EXPECT_FALSE(editor.authnameField.editable);
    EXPECT_FALSE(editor.saveProtectionButton.enabled || editor.removeProtectionButton.enabled ||
                 editor.allusersCB.enabled || editor.addAccessBT.enabled || editor.orderAllowRB.enabled);
    EXPECT_EQ(editor.userfileView.rowCount() + editor.groupfileView.rowCount() + editor.accessView.rowCount(),
              0);
    EXPECT_TRUE(errorMessages().empty());
}

TEST_P(DirectorySaveTest, RemovalWithNothingOnDiskSaysSoAndKeepsTheForm) {
    load(site);
    editor.directory.removeProtection();
    windows->answer(1);
    EXPECT_TRUE(errorMessages().empty());
    EXPECT_EQ(windows->statusLine(), "No protection was saved for " + site + "; nothing was removed");
    EXPECT_EQ(editor.directoryField.text, site);
    EXPECT_EQ(readFile(blockFile(site)), "<missing>");
}

INSTANTIATE_TEST_SUITE_P(BothModes, DirectorySaveTest, ::testing::Values(Mode::AccessFile, Mode::ConfigFile),
                         modeName);

TEST(DirectorySectionCutTest, CutsOnlyTheDirectorysOwnSectionAndNeverLosesTheRest) {
    const std::string dir = "/srv/www";
    const std::string sub = "<Directory \"/srv/www/sub\">\nRequire valid-user\n</Directory>\n";
    const std::string own = "<Directory \"/srv/www\">\nAuthName \"x\"\n\n</Directory>\n";
    const struct {
        const char* name;
        std::optional<std::string> text;
        std::string kept;
    } cases[] = {
        {"no file", std::nullopt, ""},
        {"empty file", "", ""},
        {"others and sub-directories stay", "Listen 80\n" + own + sub + "# end\n",
         "Listen 80\n" + sub + "# end\n"},
        {"no final line feed gains one", "a\n" + own + "b", "a\nb\n"},
        {"blank lines and carriage returns stay", "\r\n\n" + own + "\n", "\r\n\n\n"},
        {"unquoted or differently spaced headers are not ours",
         "<Directory /srv/www>\n</Directory>\n<Directory  \"/srv/www\">\n</Directory>\n",
         "<Directory /srv/www>\n</Directory>\n<Directory  \"/srv/www\">\n</Directory>\n"},
        {"a one-line section goes alone", "<Directory \"/srv/www\"></Directory>\nkeep\n", "keep\n"},
        {"a commented-out header opens nothing", "#<Directory \"/srv/www\">\nx\n</Directory>\nkeep\n",
         "#<Directory \"/srv/www\">\nx\n</Directory>\nkeep\n"},
        {"a lower-case closing line closes", "<Directory \"/srv/www\">\nx\n</directory>\nkeep\n", "keep\n"},
        {"a commented closing line does not close",
         "<Directory \"/srv/www\">\n#</Directory>\nx\n</Directory>\nkeep\n", "keep\n"},
        {"an unclosed header goes alone even when another section opens later",
         "<Directory \"/srv/www\">\nb\n<Directory \"/x\">\nc\n", "b\n<Directory \"/x\">\nc\n"},
        {"an unclosed section keeps the rest", "a\n<Directory \"/srv/www\">\nb\nc\n", "a\nb\nc\n"},
        {"a section cut short by another loses its own lines and keeps that one",
         "<Directory \"/srv/www\">\nb\n" + sub, sub},
        {"a one-line section right after an unclosed header stays",
         "<Directory \"/srv/www\">\n<Directory \"/x\"></Directory>\n", "<Directory \"/x\"></Directory>\n"},
        {"a directive that only mentions a section header is part of the section",
         "<Directory \"/srv/www\">\nAuthName \"<Directory x>\"\nAllow from <Directory\n</Directory>\nkeep\n",
         "keep\n"},
        {"two sections of the directory both go", own + "mid\n" + own, "mid\n"},
    };
    Directory directory;
    for (const auto& c : cases) {
        EXPECT_EQ(directory.parseFileWithoutDirectory(c.text, dir), c.kept) << c.name;
    }
}

class ConfigFileSaveTest : public DirectoryEditorTest {};

TEST_P(ConfigFileSaveTest, TheNewSectionGoesToTheEndAndEverythingElseStays) {
    const std::string sub = "<Directory \"" + site + "/sub\">\nRequire valid-user\n</Directory>\n";
    writeFile(configPath, "Listen 80\n<Directory \"" + site +
                              "\">\nAuthName \"Old\"\nDeny from a\n</Directory>\n" + sub +
                              "# last line without a feed");
    load(site);
    EXPECT_EQ(editor.authnameField.text, "Old");
    editor.authnameField.text = "New";
    save();
    EXPECT_EQ(readFile(configPath),
              "Listen 80\n" + sub + "# last line without a feed\n<Directory \"" + site +
                  "\">\nAuthType Basic\nAuthName \"New\"\nDeny from a\nOrder deny,allow\n\n"
                  "</Directory>\n");
}

TEST_P(ConfigFileSaveTest, AnUnreadableConfigurationIsNeverReplaced) {
    writeFile(configPath + "/inside", "");
    load(site);
    editor.denyAllOthersCB.buttonState = 1;
    save();
    ASSERT_EQ(errorMessages().size(), 1u);
    EXPECT_NE(errorMessages()[0].find(configPath), std::string::npos);
    EXPECT_EQ(readFile(configPath + "/inside"), "");
}

TEST_P(ConfigFileSaveTest, ADirectoryWithADoubleQuoteIsRefusedAtSave) {
    const std::string quoted = temp / "a\"b";
    writeFile(quoted + "/index.html", "");
    useMode(Mode::AccessFile);
    load(quoted);
    useMode(Mode::ConfigFile);
    save();
    EXPECT_EQ(readFile(configPath), "<missing>");
    ASSERT_EQ(errorMessages().size(), 1u);
    EXPECT_NE(errorMessages()[0].find(quoted), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(ConfigFile, ConfigFileSaveTest, ::testing::Values(Mode::ConfigFile), modeName);

// Removal in access-file mode deletes only a plain file or a link itself.
class AccessFileRemovalTest : public DirectoryEditorTest {};

TEST_P(AccessFileRemovalTest, ADirectoryIsNeverDeletedAndALinkGoesAlone) {
    writeFile(temp / "target", "AuthName \"linked\"\n");
    ASSERT_EQ(symlink((temp / "target").c_str(), (site + "/.htaccess").c_str()), 0);
    load(site);
    EXPECT_EQ(editor.authnameField.text, "linked");
    editor.directory.removeProtection();
    windows->answer(1);
    struct stat info {};
    EXPECT_NE(lstat((site + "/.htaccess").c_str(), &info), 0);
    EXPECT_EQ(readFile(temp / "target"), "AuthName \"linked\"\n");

    writeFile(site + "/.htaccess/keep", "x");
    load(site);
    editor.directory.removeProtection();
    windows->answer(1);
    EXPECT_EQ(readFile(site + "/.htaccess/keep"), "x");
    ASSERT_EQ(errorMessages().size(), 1u);
    EXPECT_NE(errorMessages()[0].find(site + "/.htaccess"), std::string::npos);
    EXPECT_EQ(editor.directoryField.text, site) << "nothing was removed, so the form stays";
}

INSTANTIATE_TEST_SUITE_P(AccessFile, AccessFileRemovalTest, ::testing::Values(Mode::AccessFile), modeName);

} // namespace
} // namespace keepgate::testing

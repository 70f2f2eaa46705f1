#include "core/DirectoryEditorFixture.h"

namespace keepgate::testing {
namespace {

using Texts = std::vector<std::string>;

using DirectoryLoadTest = DirectoryEditorTest;

std::vector<bool> enabledStates(const DirectoryEditorLayout& e) {
    std::vector<bool> states;
    for (const headless::Button* button :
         {&e.selectUserfileButton, &e.selectGroupfileButton, &e.saveProtectionButton,
          &e.removeProtectionButton, &e.allusersCB, &e.denyAllOthersCB, &e.orderDenyRB, &e.orderAllowRB,
          &e.addAccessBT, &e.removeAccessBT}) {
        states.push_back(button->enabled);
    }
    return states;
}

TEST_P(DirectoryLoadTest, ADirectoryWithoutABlockGivesAnEmptyEditorReadyToCompose) {
    EXPECT_EQ(enabledStates(editor), std::vector<bool>(10, false));
    EXPECT_EQ(editor.userfileView.rowCount(), 0);

    editor.directory.selectDirectory();
    const auto& panel = windows->pendingSheet();
    EXPECT_EQ(panel.parent, &editor.mainWindow);
    EXPECT_TRUE(panel.openOptions.canChooseDirectories);
    EXPECT_FALSE(panel.openOptions.canChooseFiles);
    EXPECT_FALSE(panel.openOptions.allowsMultipleSelection);
    windows->answer(1, {site});

    EXPECT_EQ(editor.directoryField.text, site);
    EXPECT_EQ(editor.authnameField.text, "");
    EXPECT_EQ(editor.userfileField.text, "");
    EXPECT_EQ(editor.groupfileField.text, "");
    EXPECT_TRUE(editor.authnameField.editable);
    EXPECT_EQ(enabledStates(editor), std::vector<bool>(10, true));
    EXPECT_EQ(editor.orderDenyRB.buttonState, 1);
    EXPECT_EQ(editor.orderAllowRB.buttonState, 0);
    EXPECT_EQ(editor.allusersCB.buttonState, 0);
    EXPECT_EQ(editor.denyAllOthersCB.buttonState, 0);
    EXPECT_EQ(editor.userfileView.rowCount() + editor.groupfileView.rowCount() + editor.accessView.rowCount(),
              0);
    EXPECT_TRUE(editor.userfileView.checkBoxCell("check")->enabled);
    EXPECT_TRUE(windows->alerts.empty());
}

TEST_P(DirectoryLoadTest, EachShapeOfBlockFillsTheControlsAndTables) {
    const std::string missing = temp / "nowhere";
    const struct Case {
        std::string block;
        std::string authname, userfile, groupfile;
        Texts userMarks, groupMarks, hosts;
        int orderAllow, denyAll, allUsers;
    } cases[] = {
        {"AuthType Basic\nAuthName \"Members\"\nAuthUserFile " + usersPath + "\nAuthGroupFile " + groupsPath +
             "\nRequire group admins\nRequire user alice carol\nAllow from a\nAllow from b\nDeny from c\n"
             "Order allow,deny\nDeny from all\n",
         "Members",
         usersPath,
         groupsPath,
         {"1", "0", "1"},
         {"0", "1"},
         {"Allow a", "Allow b", "Deny c"},
         1,
         1,
         0},
        // All valid users: the user boxes are greyed, the named users still marked.
        {"AuthName Open Area\nAuthUserFile " + usersPath + "\nRequire valid-user\nRequire user bob\n",
         "Open Area",
         usersPath,
         "",
         {"0", "1", "0"},
         {},
         {},
         0,
         0,
         1},
        // Paths are trimmed and lose one pair of double quotes; the realm keeps its blanks.
        {"AuthName \"  spaced  \"\nAuthUserFile \"" + usersPath + "\"  \r\nAuthGroupFile \t" + groupsPath +
             " \nRequire group staff\n",
         "  spaced  ",
         usersPath,
         groupsPath,
         {"0", "0", "0"},
         {"1", "0"},
         {},
         0,
         0,
         0},
        {"AuthUserFile " + missing + "\nAuthGroupFile " + missing + "\nRequire user alice\nDeny from x y\n",
         "",
         "(Not found. Select another...)",
         "(Not found. Select another...)",
         {},
         {},
         {"Deny x", "Deny y"},
         0,
         0,
         0},
        // Names the user file lacks mark nothing; DOS line ends do not hide the last name.
        {"AuthUserFile " + usersPath + "\r\nRequire user zed bob\r\nOrder deny,allow\r\n",
         "",
         usersPath,
         "",
         {"0", "1", "0"},
         {},
         {},
         0,
         0,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.block);
        putBlock(site, c.block);
        load(site);
        EXPECT_EQ(editor.authnameField.text, c.authname);
        EXPECT_EQ(editor.userfileField.text, c.userfile);
        EXPECT_EQ(editor.groupfileField.text, c.groupfile);
        EXPECT_EQ(editor.userfileView.columnTexts("check"), c.userMarks);
        EXPECT_EQ(editor.groupfileView.columnTexts("check"), c.groupMarks);
        Texts hosts;
        for (int row = 0; row < editor.accessView.rowCount(); ++row) {
            hosts.push_back(editor.accessView.cell("denyallow", row).text() + " " +
                            editor.accessView.cell("hostnameip", row).text());
        }
        EXPECT_EQ(hosts, c.hosts);
        EXPECT_EQ(editor.orderAllowRB.buttonState, c.orderAllow);
        EXPECT_EQ(editor.orderDenyRB.buttonState, 1 - c.orderAllow);
        EXPECT_EQ(editor.denyAllOthersCB.buttonState, c.denyAll);
        EXPECT_EQ(editor.allusersCB.buttonState, c.allUsers);
        EXPECT_EQ(editor.userfileView.checkBoxCell("check")->enabled, c.allUsers == 0);
        EXPECT_EQ(editor.subTabs.selected, 0);
    }
    EXPECT_EQ(editor.directory.users, (Texts{"zed", "bob"}));
}

TEST_P(DirectoryLoadTest, ASecondDirectoryReplacesEverythingOfTheFirst) {
    const std::string other = temp / "other";
    writeFile(other + "/index.html", "");
    putBlock(site, "AuthName \"One\"\nAuthUserFile " + usersPath + "\nAuthGroupFile " + groupsPath +
                       "\nRequire group staff\nAllow from a\n");
    load(site);
    ASSERT_EQ(editor.groupfileView.rowCount(), 2);
    editor.directoryAccess.addRecord();

    if (accessFileMode()) {
        writeFile(other + "/.htaccess", "AuthName \"Two\"\nDeny from z\n");
    } else {
        writeFile(configPath, readFile(configPath) + "<Directory \"" + other +
                                  "\">\nAuthName \"Two\"\nDeny from z\n"
                                  "</Directory>\n");
    }
    load(other);
    EXPECT_EQ(editor.directoryField.text, other);
    EXPECT_EQ(editor.authnameField.text, "Two");
    EXPECT_EQ(editor.groupfileField.text, "");
    EXPECT_EQ(editor.groupfileView.rowCount(), 0);
    EXPECT_EQ(editor.userfileView.rowCount(), 0);
    EXPECT_EQ(editor.accessView.columnTexts("hostnameip"), (Texts{"z"}));

    // A cancelled chooser leaves the loaded directory as it is.
    editor.directory.selectDirectory();
    windows->answer(0, {site});
    EXPECT_EQ(editor.directoryField.text, other);
    EXPECT_EQ(editor.authnameField.text, "Two");
}

TEST_P(DirectoryLoadTest, UserMarksFollowClicksAndAllUsersGreysThem) {
    putBlock(site, "AuthUserFile " + usersPath + "\nRequire user bob\n");
    load(site);
    auto& table = editor.userfileView;
    EXPECT_EQ(table.columnTexts("username"), (Texts{"alice", "bob", "carol"}));

    EXPECT_TRUE(table.clickCheckBox(0));
    EXPECT_TRUE(table.clickCheckBox(1));
    EXPECT_EQ(table.columnTexts("check"), (Texts{"1", "0", "0"}));
    EXPECT_EQ(table.numberOfSelectedRows(), 0);

    editor.allusersCB.buttonState = 1;
    editor.directory.checkAllusers();
    EXPECT_FALSE(table.clickCheckBox(2));
    editor.allusersCB.buttonState = 0;
    editor.directory.checkAllusers();
    EXPECT_EQ(table.columnTexts("check"), (Texts{"1", "0", "0"}));
    EXPECT_TRUE(table.clickCheckBox(2));
    EXPECT_EQ(table.columnTexts("check"), (Texts{"1", "0", "1"}));
}

TEST_P(DirectoryLoadTest, ChoosingAnotherUserOrGroupFileMarksFromTheBlockAsLoaded) {
    putBlock(site, "AuthUserFile " + usersPath + "\nRequire user alice\nRequire group admins\n");
    load(site);
    editor.userfileView.clickCheckBox(2);
    const std::string moreUsers = temp / "more-users";
    writeFile(moreUsers, "carol:x\nalice:y\n");

    editor.subTabs.selected = 2;
    editor.directory.selectUserfile();
    EXPECT_TRUE(windows->pendingSheet().openOptions.canChooseFiles);
    EXPECT_FALSE(windows->pendingSheet().openOptions.canChooseDirectories);
    windows->answer(0, {moreUsers});
    EXPECT_EQ(editor.userfileField.text, usersPath);
    EXPECT_EQ(editor.subTabs.selected, 2);

    editor.directory.selectUserfile();
    windows->answer(1, {moreUsers});
    EXPECT_EQ(editor.userfileField.text, moreUsers);
    EXPECT_EQ(editor.userfileView.columnTexts("check"), (Texts{"0", "1"})) << "hand marks are dropped";
    EXPECT_EQ(editor.subTabs.selected, 0);

    // The group chooser brings the first tab to the front even when cancelled.
    editor.subTabs.selected = 1;
    editor.directory.selectGroupfile();
    windows->answer(0);
    EXPECT_EQ(editor.subTabs.selected, 0);
    EXPECT_EQ(editor.groupfileView.rowCount(), 0);
    editor.directory.selectGroupfile();
    windows->answer(1, {groupsPath});
    EXPECT_EQ(editor.groupfileField.text, groupsPath);
    EXPECT_EQ(editor.groupfileView.columnTexts("check"), (Texts{"0", "1"}));
}

TEST_P(DirectoryLoadTest, TheModeIsReadAnewAndOnlyTheStoredOneMeansAccessFiles) {
    writeFile(site + "/.htaccess", "AuthName \"from access file\"\n");
    writeFile(configPath, "<Directory \"" + site + "\">\nAuthName \"from config\"\n</Directory>\n");
    const struct {
        std::optional<std::string> setting;
        const char* realm;
    } cases[] = {{"1", "from access file"},
                 {"2", "from config"},
                 {"0", "from config"},
                 {"3", "from config"},
                 {std::nullopt, "from config"}};
    for (const auto& c : cases) {
        if (c.setting) {
            defaults->setString(constants::kProtectionSettingsKey, *c.setting);
        } else {
            defaults->removeObjectForKey(constants::kProtectionSettingsKey);
        }
        load(site);
        EXPECT_EQ(editor.authnameField.text, c.realm) << c.setting.value_or("absent");
    }
}

TEST_P(DirectoryLoadTest, ADirectoryWithADoubleQuoteCannotHaveASection) {
    const std::string quoted = temp / "say \"hi\"";
    writeFile(quoted + "/index.html", "");
    load(quoted);
    if (accessFileMode()) {
        EXPECT_EQ(editor.directoryField.text, quoted);
        EXPECT_TRUE(errorMessages().empty());
    } else {
        EXPECT_EQ(editor.directoryField.text, "");
        EXPECT_FALSE(editor.saveProtectionButton.enabled);
        ASSERT_EQ(errorMessages().size(), 1u);
        EXPECT_NE(errorMessages()[0].find(quoted), std::string::npos);
        EXPECT_EQ(windows->alerts.back().parent, &editor.mainWindow);
    }
}

INSTANTIATE_TEST_SUITE_P(BothModes, DirectoryLoadTest, ::testing::Values(Mode::AccessFile, Mode::ConfigFile),
                         modeName);

} // namespace
} // namespace keepgate::testing

// Everyday flows around the three editors: passwords that cannot be empty, deletes that name whom they
// delete, one picture of each file across the editors and other programs, and reopening at start.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/OpenFiles.h"
#include "app/ServerCheckReport.h"
#include "platform/Constants.h"
#include "platform/FileWatcher.h"
#include "platform/RecentFiles.h"
#include "platform/SystemPaths.h"
#include "support/FakeFileWatcher.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

class EverydayFlowsTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        watcher = std::make_shared<FakeFileWatcher>();
        setFileWatcher(watcher);
        defaults->setString(constants::kVersionKey, constants::kProgramVersion);
        defaults->setString(constants::kProtectionSettingsKey, constants::kAccessFileMode);
        defaults->setString(constants::kDefaultAccessFilenameKey, ".htaccess");
        writeFile(userfile, "");
        users.controller.selectUserfile();
        windows->answer(1, {userfile});
        for (const char* name : {"alice", "bob"}) {
            add(name, std::string(name) + " pw");
        }
    }
    void TearDown() override {
        setFileWatcher(nullptr);
        HeadlessTest::TearDown();
    }
    void add(const std::string& name, const std::string& password) {
        users.usernameField.text = name;
        users.passwordField.text = password;
        users.controller.addUser();
    }
    std::string lastAlert() const {
        return windows->alerts.empty() ? "" : windows->alerts.back().alert.message;
    }

    const std::string userfile = temp / "users";
    std::shared_ptr<FakeFileWatcher> watcher;
    UserEditorLayout users;
};

TEST_F(EverydayFlowsTest, AnEmptyPasswordIsRefusedNamingTheFieldAndADeleteNamesWhomItDeletes) {
    const std::string before = readFile(userfile);
    add("dave", "");
    EXPECT_EQ(readFile(userfile), before) << "no user without a password";
    ASSERT_EQ(windows->alertTitles().back(), "Error!");
    EXPECT_NE(lastAlert().find("The Password field is empty"), std::string::npos) << lastAlert();
    EXPECT_NE(lastAlert().find("\"dave\""), std::string::npos) << lastAlert();
    EXPECT_EQ(users.usernameField.text, "dave") << "what was typed stays";
    windows->answer(1);

    users.tableView.selectRows({1});
    users.passwordField.text = "";
    users.controller.changePassword();
    EXPECT_NE(lastAlert().find("The Password field is empty"), std::string::npos) << lastAlert();
    EXPECT_EQ(readFile(userfile), before);
    windows->answer(1);

    const struct {
        std::vector<int> rows;
        std::string question;
    } deletes[] = {
        {{1}, "Are you sure you want to delete the user \"bob\"?"},
        {{0, 1}, "Are you sure you want to delete the 2 users \"alice\" and \"bob\"?"},
    };
    for (const auto& c : deletes) {
        users.tableView.selectRows(c.rows);
        users.controller.deleteUser();
        ASSERT_TRUE(windows->hasPendingSheet());
        EXPECT_EQ(windows->pendingSheet().alert.message, c.question);
        windows->answer(0);
    }
}

TEST_F(EverydayFlowsTest, EveryEditorShowsTheFileAsItIsNowKeepingMarksAndTypedText) {
    const std::string site = temp / "site";
    writeFile(site + "/.htaccess",
              "AuthType Basic\nAuthName \"S\"\nAuthUserFile " + userfile + "\nRequire user alice\n");
    DirectoryEditorLayout editor;
    OpenFiles open;
    open.controller = &users.controller;
    open.directory = &editor.directory;
    open.startWatching();
    editor.directory.selectDirectory();
    windows->answer(1, {site});
    open.check(OpenFiles::Editor::Directory);
    EXPECT_EQ(editor.userfileView.columnTexts("username"), (std::vector<std::string>{"alice", "bob"}));
    EXPECT_NE(std::find(watcher->watched.begin(), watcher->watched.end(), userfile), watcher->watched.end());
    // The user marks bob without saving, then adds carol in the Users tab.
    ASSERT_TRUE(editor.userfileView.clickCheckBox(1));
    editor.authnameField.text = "Being typed";
    add("carol", "carol pw");
    open.check(OpenFiles::Editor::Users);
    EXPECT_EQ(editor.userfileView.columnTexts("username"),
              (std::vector<std::string>{"alice", "bob", "carol"}));
    EXPECT_EQ(editor.userfileView.columnTexts("check"), (std::vector<std::string>{"1", "1", "0"}));

    // Another program removes alice; the watch reports it and both editors show it, typing untouched.
    users.usernameField.text = "half-typed";
    const std::string text = readFile(userfile);
    writeFile(userfile, text.substr(text.find('\n') + 1));
    watcher->fire(userfile);
    EXPECT_EQ(users.tableView.columnTexts("username"), (std::vector<std::string>{"bob", "carol"}));
    EXPECT_EQ(editor.userfileView.columnTexts("username"), (std::vector<std::string>{"bob", "carol"}));
    EXPECT_EQ(editor.userfileView.columnTexts("check"), (std::vector<std::string>{"1", "0"}));
    EXPECT_EQ(users.usernameField.text, "half-typed");
    EXPECT_EQ(editor.authnameField.text, "Being typed");

    // A change to the loaded block by another program is said, never silently shown over the edits.
    writeFile(site + "/.htaccess", "AuthType Basic\nRequire valid-user\n");
    watcher->fire(site + "/.htaccess");
    EXPECT_NE(windows->statusLine().find("was changed by another program"), std::string::npos)
        << windows->statusLine();
    EXPECT_EQ(editor.authnameField.text, "Being typed");
    fileWatcher().changed = nullptr;
}

TEST_F(EverydayFlowsTest, TheLastFilesReopenAtStartWhenTheyStillExistAndCheckServerFallsBackToTheRoot) {
    const std::string site = temp / "htdocs";
    writeFile(site + "/index.html", "x");
    systemPaths().mainConfig = temp / "httpd.conf";
    writeFile(systemPaths().mainConfig, "DocumentRoot " + site + "/\nAllowOverride All\n");
    defaults->setString(recent::kUserfileKey, userfile);
    defaults->setString(recent::kGroupfileKey, temp / "gone");
    defaults->setString(recent::kDirectoryKey, site);
    std::vector<std::string> reopened;
    UserEditorLayout next;
    next.controller.reopenGroupfile = [&](const std::string& path) { reopened.push_back("group " + path); };
    next.controller.reopenDirectory = [&](const std::string& path) { reopened.push_back("dir " + path); };
    next.controller.awakeFromNib();
    EXPECT_EQ(next.userfileField.text, userfile);
    EXPECT_EQ(next.tableView.columnTexts("username"), (std::vector<std::string>{"alice", "bob"}));
    EXPECT_TRUE(next.deleteuserButton.enabled);
    EXPECT_EQ(reopened, std::vector<std::string>{"dir " + site}) << "a file that is gone is not reopened";

    DirectoryEditorLayout empty;
    EXPECT_EQ(ServerCheckReport::subjectOf(&empty.directory).directory, site);
}

} // namespace
} // namespace keepgate::testing

// Test Protection against a real Apache: what the status line says matches what the server does.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ApacheInstance.h"
#include "platform/Constants.h"
#include "platform/FileSystem.h"
#include "platform/SystemPaths.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

class ProtectionTestEndToEnd : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        openToApache(temp.path());
        apache = std::make_unique<ApacheInstance>(temp / "server");
        defaults->setString(constants::kProtectionSettingsKey, constants::kAccessFileMode);
        defaults->setString(constants::kDefaultAccessFilenameKey, ".htaccess");
        defaults->setString(constants::kConfigFilePathKey, temp / "keepgate.conf");
        systemPaths().mainConfig = apache->configPath();
        systemPaths().serverRoot = apache->root();
        serveAccessFiles("AuthConfig Limit");
        editor = std::make_unique<DirectoryEditorLayout>();
    }
    void TearDown() override {
        editor.reset();
        apache.reset();
        HeadlessTest::TearDown();
    }

    // The server with the given AllowOverride for its document root, without the modules named.
    void serveAccessFiles(const std::string& override, const std::vector<std::string>& withoutModules = {}) {
        apache->writeConfig("AllowOverride " + override + "\nRequire all granted\n");
        std::string config = readFile(apache->configPath());
        for (const auto& module : withoutModules) {
            const std::string line = "LoadModule " + module + "_module ";
            const auto at = config.find(line);
            ASSERT_NE(at, std::string::npos) << module;
            config.erase(at, config.find('\n', at) - at + 1);
        }
        writeFile(apache->configPath(), config);
        ASSERT_TRUE(apache->restart()) << apache->lastError;
    }

    std::string page(const std::string& name) { return apache->publishPage(name); }

    std::string makeUserfile() {
        const std::string path = temp / "users";
        UserEditorLayout users;
        users.controller.newUserfile();
        windows->answer(1, {path});
        for (const char* name : {"alice", "bob"}) {
            users.usernameField.text = name;
            users.passwordField.text = std::string(name) + " pw";
            users.controller.addUser();
        }
        return path;
    }

    std::string makeGroupfile() {
        const std::string path = temp / "groups";
        GroupEditorLayout groups;
        groups.controller.newFile();
        windows->answer(1, {path});
        groups.groupnameField.text = "staff";
        groups.controller.addGroup();
        groups.grouplistPopup.selectItem(0);
        groups.usernameField.text = "alice";
        groups.controller.addUser();
        return path;
    }

    static int rowOf(headless::TableView& table, const std::string& column, const std::string& text) {
        const auto texts = table.columnTexts(column);
        for (std::size_t row = 0; row < texts.size(); ++row) {
            if (texts[row] == text) {
                return static_cast<int>(row);
            }
        }
        ADD_FAILURE() << "no row shows " << text;
        return 0;
    }

    // Loads the directory, admits alice (or the staff group), adds host rules and saves; the save's own
    // test runs, and the status line it ends with is returned.
    std::string protect(const std::string& directory, bool byGroup = false,
                        const std::vector<std::string>& deniedHosts = {}) {
        const std::string users = makeUserfile();
        const std::string groups = byGroup ? makeGroupfile() : "";
        editor->directory.selectDirectory();
        windows->answer(1, {directory});
        editor->authnameField.text = "Staff";
        editor->directory.selectUserfile();
        windows->answer(1, {users});
        if (byGroup) {
            editor->directory.selectGroupfile();
            windows->answer(1, {groups});
            EXPECT_TRUE(
                editor->groupfileView.clickCheckBox(rowOf(editor->groupfileView, "groupname", "staff")));
        } else {
            EXPECT_TRUE(editor->userfileView.clickCheckBox(rowOf(editor->userfileView, "username", "alice")));
        }
        for (const auto& host : deniedHosts) {
            editor->directoryAccess.addRecord();
            const int row = editor->accessView.rowCount() - 1;
            editor->accessView.editCell(Value(host), "hostnameip", row);
            editor->accessView.editCell(Value("Deny"), "denyallow", row);
        }
        editor->directory.saveProtection();
        EXPECT_FALSE(windows->hasPendingSheet()) << "saving showed an alert";
        EXPECT_EQ(windows->deliverCompletions(), 1);
        return windows->statusLine();
    }

    std::string testProtection(const std::string& username = "", const std::string& password = "") {
        editor->tester.testProtection();
        windows->answerCredentials(1, username, password);
        EXPECT_EQ(windows->deliverCompletions(), 1);
        return windows->statusLine();
    }

    std::string url(const std::string& name) const {
        return "http://127.0.0.1:" + std::to_string(apache->port()) + "/" + name + "/";
    }

    std::unique_ptr<ApacheInstance> apache;
    std::unique_ptr<DirectoryEditorLayout> editor;
};

TEST_F(ProtectionTestEndToEnd, AProtectedFolderIsReportedAndTheCredentialTestTellsRightFromWrong) {
    const std::string directory = page("private");
    const std::string saved = protect(directory);
    EXPECT_EQ(editor->addressField.text, url("private"));
    EXPECT_EQ(saved, "Saved .htaccess in " + directory +
                         ". Protected: the server asks for a password (realm \"Staff\").")
        << apache->errorLog();
    EXPECT_EQ(testProtection("alice", "alice pw"),
              "Protected: the server asks for a password (realm \"Staff\"). alice is let in.");
    EXPECT_EQ(testProtection("alice", "bob pw"), "Protected: the server asks for a password (realm "
                                                 "\"Staff\"). alice is refused (wrong password, or not "
                                                 "among the marked users and groups).");
    // bob's password is right, but the block admits only alice.
    EXPECT_EQ(
        testProtection("bob", "bob pw"),
        "Protected: the server asks for a password (realm \"Staff\"). bob is refused (wrong password, or not "
        "among the marked users and groups).");
    EXPECT_EQ(apache->status("/private/", "alice:alice pw"), 200);

    apache->stop();
    EXPECT_EQ(testProtection(), "The web server does not answer on " + url("private") + ".");
}

TEST_F(ProtectionTestEndToEnd, TheSameFolderInAServerThatIgnoresAccessFilesIsNotProtectedAndSaysWhy) {
    const std::string directory = page("private");
    protect(directory);
    serveAccessFiles("None");
    ASSERT_EQ(apache->status("/private/"), 200);
    const std::string line = testProtection();
    EXPECT_EQ(
        line.rfind("Not protected: the server serves this folder to everyone. The server ignores .htaccess "
                   "here: AllowOverride None is in force for this folder (" +
                       apache->configPath() + " line ",
                   0),
        0u)
        << line;
}

TEST_F(ProtectionTestEndToEnd, AGroupBlockWithoutTheGroupModuleFailsWithTheErrorLogLine) {
    serveAccessFiles("AuthConfig Limit", {"authz_groupfile"});
    const std::string directory = page("staff");
    const std::string line = protect(directory, true);
    ASSERT_EQ(apache->status("/staff/"), 500);
    const std::string start =
        "Saved .htaccess in " + directory + ". The server fails on this folder. The error log says: ";
    EXPECT_EQ(line.rfind(start, 0), 0u) << line;
    EXPECT_NE(line.find(directory + "/.htaccess: Invalid command 'AuthGroupFile'"), std::string::npos)
        << line;
}

TEST_F(ProtectionTestEndToEnd, AHostRuleForThisComputerIsReported) {
    const std::string line = protect(page("hosts"), false, {"127.0.0.1"});
    ASSERT_EQ(apache->status("/hosts/"), 403);
    EXPECT_EQ(line, "Saved .htaccess in " + apache->documentRoot() +
                        "/hosts. Closed by a host rule for this computer.");
}

TEST_F(ProtectionTestEndToEnd, RemovingTheProtectionIsReportedAsOpen) {
    const std::string directory = page("open");
    protect(directory);
    editor->directory.removeProtection();
    windows->answer(1);
    EXPECT_EQ(windows->deliverCompletions(), 1);
    EXPECT_EQ(windows->statusLine(),
              "Removed protection. Not protected: the server serves this folder to everyone. "
              "No protection is saved for this folder.");
}

} // namespace
} // namespace keepgate::testing

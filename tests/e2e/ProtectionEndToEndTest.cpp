// What Keepgate writes, through its own controllers, protects directories of a real Apache server.

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "ApacheInstance.h"
#include "platform/Constants.h"
#include "platform/FileSystem.h"
#include "platform/SystemPaths.h"
#include "services/AdmTools.h"
#include "services/ApacheConfig.h"
#include "services/ServerCheck.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

using Users = std::vector<std::pair<std::string, std::string>>;

// Every request's status is checked with the server's error log at hand.
#define EXPECT_STATUS(apache, path, credentials, expected)                                                   \
    EXPECT_EQ((apache).status(path, credentials), expected)                                                  \
        << "GET " << (path) << " as '" << (credentials) << "'\n--- Apache error log ---\n"                   \
        << (apache).errorLog()

class ProtectionEndToEnd : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        openToApache(temp.path());
        apache = std::make_unique<ApacheInstance>(temp / "server");
        defaults->setString(constants::kVersionKey, constants::kProgramVersion);
        defaults->setBool(constants::kCheckUpdatesKey, false);
        defaults->setString(constants::kDefaultAccessFilenameKey, constants::kDefaultAccessFilename);
        defaults->setString(constants::kConfigFilePathKey, temp / "keepgate.conf");
        useAccessFiles();
    }
    void TearDown() override {
        apache.reset();
        HeadlessTest::TearDown();
    }

    void useAccessFiles() {
        defaults->setString(constants::kProtectionSettingsKey, constants::kAccessFileMode);
        apache->writeConfig("AllowOverride AuthConfig Limit\nRequire all granted\n");
    }
    void useConfigFile() {
        defaults->setString(constants::kProtectionSettingsKey, constants::kConfigFileMode);
        const std::string shared = temp / "keepgate.conf";
        if (!platform::fileExists(shared)) {
            writeFile(shared, "");
        }
        openToApache(shared);
        apache->writeConfig("AllowOverride None\nRequire all granted\n", "Include " + shared + "\n");
    }

    // A web directory with a page in it.
    std::string page(const std::string& relative) { return apache->publishPage(relative); }

    // Users added through the user list editor, hashed by the real htpasswd.
    std::string makeUserfile(const Users& users) {
        const std::string path = temp / "users";
        UserEditorLayout editor;
        editor.controller.newUserfile();
        windows->answer(1, {path});
        for (const auto& [name, password] : users) {
            editor.usernameField.text = name;
            editor.passwordField.text = password;
            editor.controller.addUser();
        }
        EXPECT_FALSE(windows->hasPendingSheet()) << "the user editor showed an alert";
        return path;
    }

    // Groups made in the group editor.
    std::string makeGroupfile(const std::map<std::string, std::vector<std::string>>& groups) {
        const std::string path = temp / "groups";
        GroupEditorLayout editor;
        editor.controller.newFile();
        windows->answer(1, {path});
        int index = 0;
        for (const auto& [group, members] : groups) {
            editor.groupnameField.text = group;
            editor.controller.addGroup();
            editor.grouplistPopup.selectItem(index++);
            for (const auto& member : members) {
                editor.usernameField.text = member;
                editor.controller.addUser();
            }
        }
        EXPECT_FALSE(windows->hasPendingSheet()) << "the group editor showed an alert";
        return path;
    }

    struct HostRule {
        std::string denyallow;
        std::string host;
    };
    struct Protection {
        Protection& withRealm(std::string value) {
            realm = std::move(value);
            return *this;
        }
        Protection& withUsers(std::string file, std::vector<std::string> names) {
            userfile = std::move(file);
            users = std::move(names);
            return *this;
        }
        Protection& withAllUsers(std::string file) {
            userfile = std::move(file);
            allUsers = true;
            return *this;
        }
        Protection& withGroups(std::string file, std::vector<std::string> names) {
            groupfile = std::move(file);
            groups = std::move(names);
            return *this;
        }
        std::string realm = "Members";
        std::string userfile;
        std::vector<std::string> users;
        bool allUsers = false;
        std::string groupfile;
        std::vector<std::string> groups;
        std::vector<HostRule> hosts;
        bool orderAllow = false;
        bool denyAll = false;
    };

    static int rowOf(headless::TableView& table, const std::string& column, const std::string& text) {
        const auto texts = table.columnTexts(column);
        for (std::size_t row = 0; row < texts.size(); ++row) {
            if (texts[row] == text) {
                return static_cast<int>(row);
            }
        }
        ADD_FAILURE() << "no row shows " << text;
        return -1;
    }

    // Ticks a row's box unless the loaded block has ticked it already.
    static void mark(headless::TableView& table, int row) {
        if (row >= 0 && !isMarked(table.cell("check", row))) {
            EXPECT_TRUE(table.clickCheckBox(row));
        }
    }

    // Loads the directory in the directory editor, sets it up as a user would, and saves.
    void protect(const std::string& directory, const Protection& protection) {
        DirectoryEditorLayout editor;
        editor.directory.selectDirectory();
        windows->answer(1, {directory});
        editor.authnameField.text = protection.realm;
        if (!protection.userfile.empty()) {
            editor.directory.selectUserfile();
            windows->answer(1, {protection.userfile});
            for (const auto& user : protection.users) {
                mark(editor.userfileView, rowOf(editor.userfileView, "username", user));
            }
        }
        if (protection.allUsers) {
            editor.allusersCB.setState(1);
            editor.directory.checkAllusers();
        }
        if (!protection.groupfile.empty()) {
            editor.directory.selectGroupfile();
            windows->answer(1, {protection.groupfile});
            for (const auto& group : protection.groups) {
                mark(editor.groupfileView, rowOf(editor.groupfileView, "groupname", group));
            }
        }
        for (const auto& rule : protection.hosts) {
            editor.directoryAccess.addRecord();
            const int row = editor.accessView.rowCount() - 1;
            editor.accessView.editCell(Value(rule.host), "hostnameip", row);
            editor.accessView.editCell(Value(rule.denyallow), "denyallow", row);
        }
        editor.orderAllowRB.setState(protection.orderAllow ? 1 : 0);
        editor.orderDenyRB.setState(protection.orderAllow ? 0 : 1);
        editor.denyAllOthersCB.setState(protection.denyAll ? 1 : 0);
        editor.directory.saveProtection();
        EXPECT_FALSE(windows->hasPendingSheet()) << "saving showed an alert";
        const std::string accessFile = directory + "/.htaccess";
        if (platform::fileExists(accessFile)) {
            openToApache(accessFile);
        }
        openToApache(temp / "keepgate.conf");
    }

    void unprotect(const std::string& directory) {
        DirectoryEditorLayout editor;
        editor.directory.selectDirectory();
        windows->answer(1, {directory});
        editor.directory.removeProtection();
        windows->answer(1);
        EXPECT_FALSE(windows->hasPendingSheet()) << "removing showed an alert";
    }

    void startServer() { ASSERT_TRUE(apache->restart()) << apache->lastError; }

    void expectConfigAccepted() {
        std::string output;
        EXPECT_TRUE(apache->configTest(&output)) << output << "\n--- shared configuration ---\n"
                                                 << readFile(temp / "keepgate.conf");
    }

    std::unique_ptr<ApacheInstance> apache;
};

TEST_F(ProtectionEndToEnd, RequireUserAdmitsOnlyThatUserWithTheRightPassword) {
    const auto users = makeUserfile({{"alice", "wonder land"}, {"bob", "builder"}});
    protect(page("secret"), Protection().withUsers(users, {"alice"}));
    startServer();
    EXPECT_STATUS(*apache, "/secret/", "alice:wonder land", 200);
    EXPECT_STATUS(*apache, "/secret/", "alice:wrong", 401);
    EXPECT_STATUS(*apache, "/secret/", "bob:builder", 401);
    EXPECT_STATUS(*apache, "/secret/", "", 401);
}

TEST_F(ProtectionEndToEnd, ValidUserAdmitsEveryUserOfTheFile) {
    const auto users = makeUserfile({{"alice", "a1"}, {"bob", "b2"}});
    protect(page("members"), Protection().withAllUsers(users));
    startServer();
    EXPECT_STATUS(*apache, "/members/", "alice:a1", 200);
    EXPECT_STATUS(*apache, "/members/", "bob:b2", 200);
    EXPECT_STATUS(*apache, "/members/", "bob:a1", 401);
    EXPECT_STATUS(*apache, "/members/", "", 401);
}

TEST_F(ProtectionEndToEnd, RequireGroupAdmitsTheGroupsMembersOnly) {
    const auto users = makeUserfile({{"alice", "a1"}, {"bob", "b2"}, {"carol", "c3"}});
    const auto groups = makeGroupfile({{"staff", {"alice", "carol"}}, {"guests", {"bob"}}});
    protect(page("staff"), Protection().withUsers(users, {}).withGroups(groups, {"staff"}));
    startServer();
    EXPECT_STATUS(*apache, "/staff/", "alice:a1", 200);
    EXPECT_STATUS(*apache, "/staff/", "carol:c3", 200);
    EXPECT_STATUS(*apache, "/staff/", "bob:b2", 401);
    EXPECT_STATUS(*apache, "/staff/", "", 401);
}

TEST_F(ProtectionEndToEnd, ARealmWithBlanksIsTheRealmVisitorsAreAskedFor) {
    const auto users = makeUserfile({{"alice", "a1"}});
    protect(page("realm"), Protection().withRealm("Private pages of the team").withUsers(users, {"alice"}));
    startServer();
    EXPECT_NE(apache->headers("/realm/").find("Basic realm=\"Private pages of the team\""), std::string::npos)
        << apache->headers("/realm/");
    EXPECT_STATUS(*apache, "/realm/", "alice:a1", 200);
}

TEST_F(ProtectionEndToEnd, RemovingTheProtectionOpensTheDirectoryAgain) {
    const auto users = makeUserfile({{"alice", "a1"}});
    const auto directory = page("temporary");
    protect(directory, Protection().withUsers(users, {"alice"}));
    startServer();
    EXPECT_STATUS(*apache, "/temporary/", "", 401);
    unprotect(directory);
    EXPECT_FALSE(platform::fileExists(directory + "/.htaccess"));
    EXPECT_STATUS(*apache, "/temporary/", "", 200);
}

TEST_F(ProtectionEndToEnd, ConfigurationFileSectionsProtectEachDirectory) {
    useConfigFile();
    const auto users = makeUserfile({{"alice", "a1"}, {"bob", "b2"}});
    const auto a = page("a");
    const auto b = page("b");
    const auto sub = page("a/sub");
    startServer();
    EXPECT_STATUS(*apache, "/a/", "", 200);

    protect(a, Protection().withUsers(users, {"alice"}));
    expectConfigAccepted();
    protect(b, Protection().withUsers(users, {"bob"}));
    expectConfigAccepted();
    protect(sub, Protection().withUsers(users, {"bob"}));
    expectConfigAccepted();
    startServer();
    EXPECT_STATUS(*apache, "/a/", "alice:a1", 200);
    EXPECT_STATUS(*apache, "/a/", "bob:b2", 401);
    EXPECT_STATUS(*apache, "/b/", "bob:b2", 200);
    EXPECT_STATUS(*apache, "/b/", "alice:a1", 401);
    EXPECT_STATUS(*apache, "/a/sub/", "bob:b2", 200);
    EXPECT_STATUS(*apache, "/a/sub/", "alice:a1", 401);

    // Saving the same directory again replaces its section (now at the end) instead of adding one.
    protect(a, Protection().withUsers(users, {"alice"}));
    expectConfigAccepted();
    const std::string once = readFile(temp / "keepgate.conf");
    protect(a, Protection().withUsers(users, {"alice"}));
    expectConfigAccepted();
    EXPECT_EQ(readFile(temp / "keepgate.conf"), once);

    unprotect(b);
    expectConfigAccepted();
    startServer();
    EXPECT_STATUS(*apache, "/b/", "", 200);
    EXPECT_STATUS(*apache, "/a/", "", 401);
    EXPECT_STATUS(*apache, "/a/sub/", "bob:b2", 200);
}

struct HostCase {
    const char* name;
    std::vector<const char*> rules; // "Allow 127.0.0.1", "Deny 127.0.0.1"
    bool orderAllow;
    bool denyAll;
    bool requireUser;
    const char* credentials;
    int expected;
};

void PrintTo(const HostCase& c, std::ostream* out) {
    *out << c.name;
}

class HostRulesEndToEnd : public ProtectionEndToEnd, public ::testing::WithParamInterface<HostCase> {};

TEST_P(HostRulesEndToEnd, ApacheEnforcesTheWrittenHostRules) {
    const HostCase& c = GetParam();
    Protection protection;
    if (c.requireUser) {
        protection.userfile = makeUserfile({{"alice", "a1"}});
        protection.users = {"alice"};
    }
    for (const std::string rule : c.rules) {
        const auto blank = rule.find(' ');
        protection.hosts.push_back({rule.substr(0, blank), rule.substr(blank + 1)});
    }
    protection.orderAllow = c.orderAllow;
    protection.denyAll = c.denyAll;
    protect(page("hosts"), protection);
    startServer();
    EXPECT_STATUS(*apache, "/hosts/", c.credentials, c.expected)
        << readFile(apache->documentRoot() + "/hosts/.htaccess");
}

INSTANTIATE_TEST_SUITE_P(
    Rules, HostRulesEndToEnd,
    ::testing::Values(
        HostCase{"AllowedLoopbackDenyAllowOrder", {"Allow 127.0.0.1"}, false, true, false, "", 200},
        HostCase{"AllowedLoopbackAllowDenyOrder", {"Allow 127.0.0.1"}, true, true, false, "", 403},
        HostCase{"DeniedLoopback", {"Deny 127.0.0.1"}, false, false, false, "", 403},
        HostCase{"HostAndUserBothNeededWithoutCredentials", {"Allow 127.0.0.1"}, false, true, true, "", 401},
        HostCase{"HostAndUserBothGiven", {"Allow 127.0.0.1"}, false, true, true, "alice:a1", 200},
        HostCase{"UserRightButHostDenied", {"Deny 127.0.0.1"}, false, false, true, "alice:a1", 403}),
    [](const ::testing::TestParamInfo<HostCase>& info) { return std::string(info.param.name); });

// The start-up checks find the instance's configuration unfit, the warning's answer amends it through the
// (faked) privileged copy, and Apache then serves with the amended configuration.
class AutoConfigurationEndToEnd : public ProtectionEndToEnd {
  protected:
    void SetUp() override {
        ProtectionEndToEnd::SetUp();
        systemPaths().mainConfig = apache->configPath();
        systemPaths().stagingConfig = temp / "staging-httpd.conf";
        systemPaths().privilegedLauncher = temp / "fake-pkexec";
        writeScript(systemPaths().privilegedLauncher, "exec \"$@\"\n");
    }

    // Runs the start-up sequence and answers "Automatically configure".
    void startUpAndConfigure() {
        UserEditorLayout window;
        window.controller.awakeFromNib();
        ASSERT_TRUE(windows->hasPendingSheet()) << "no configuration warning";
        EXPECT_EQ(windows->pendingSheet().alert.title, "Warning!");
        windows->answer(1);
        ASSERT_FALSE(windows->alerts.empty());
        // The completion alert, which names the backup of the replaced configuration.
        EXPECT_EQ(windows->alertTitles(), (std::vector<std::string>{"Warning!", "Complete!"}))
            << windows->alerts.back().alert.message;
        EXPECT_NE(windows->alerts.back().alert.message.find(" kept as " + apache->configPath() + ".keepgate-"),
                  std::string::npos)
            << windows->alerts.back().alert.message;
        while (windows->hasPendingSheet()) {
            windows->answer(1);
        }
    }
};

TEST_F(AutoConfigurationEndToEnd, AccessFileModeLiftsAllowOverrideNone) {
    apache->writeConfig("AllowOverride None\nRequire all granted\n");
    EXPECT_FALSE(AdmTools::checkForAllowoverrideConf());
    startUpAndConfigure();
    // The document root alone now reads access files; the line the configuration had stays as it was.
    EXPECT_FALSE(AdmTools::checkForAllowoverrideConf());
    const auto config = ApacheConfig::read(apache->configPath(), apache->root());
    EXPECT_TRUE(ServerCheck::allowOverrideFor(config, apache->documentRoot()).allows("AuthConfig"));

    const auto users = makeUserfile({{"alice", "a1"}});
    protect(page("private"), Protection().withUsers(users, {"alice"}));
    startServer();
    EXPECT_STATUS(*apache, "/private/", "", 401);
    EXPECT_STATUS(*apache, "/private/", "alice:a1", 200);
}

TEST_F(AutoConfigurationEndToEnd, ConfigurationFileModeAddsTheInclude) {
    defaults->setString(constants::kProtectionSettingsKey, constants::kConfigFileMode);
    const std::string shared = temp / "keepgate.conf";
    ASSERT_FALSE(platform::fileExists(shared));
    apache->writeConfig("AllowOverride None\nRequire all granted\n");
    EXPECT_FALSE(AdmTools::checkForIncludeInConf());
    startUpAndConfigure();
    EXPECT_TRUE(AdmTools::checkForIncludeInConf());
    EXPECT_TRUE(platform::fileExists(shared)) << "the included file must exist or Apache refuses to start";
    openToApache(shared);
    expectConfigAccepted();

    const auto users = makeUserfile({{"alice", "a1"}});
    protect(page("private"), Protection().withUsers(users, {"alice"}));
    expectConfigAccepted();
    startServer();
    EXPECT_STATUS(*apache, "/private/", "", 401);
    EXPECT_STATUS(*apache, "/private/", "alice:a1", 200);
}

} // namespace
} // namespace keepgate::testing

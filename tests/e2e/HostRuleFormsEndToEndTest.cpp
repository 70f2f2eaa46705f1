// The host table written in both forms, and blocks in every spelling Apache reads, against a real Apache
// 2.4 that listens on two loopback addresses: one client is admitted by address, the other is not.

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
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

// Who asks: nobody, the right user, a wrong one; from the admitted address, then from the other.
const std::vector<std::string> kVisitors = {"", "alice:a1", "bob:b2"};
const std::vector<std::string> kAddresses = {"127.0.0.1", "127.0.0.2"};

class HostRuleFormsEndToEnd : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        openToApache(temp.path());
        apache = std::make_unique<ApacheInstance>(temp / "server");
        users = temp / "users";
        UserEditorLayout editor;
        editor.controller.newUserfile();
        windows->answer(1, {users});
        for (const auto& [name, password] : {std::pair{"alice", "a1"}, std::pair{"bob", "b2"}}) {
            editor.usernameField.text = name;
            editor.passwordField.text = password;
            editor.controller.addUser();
        }
        openToApache(users);
        defaults->setString(constants::kDefaultAccessFilenameKey, constants::kDefaultAccessFilename);
        defaults->setString(constants::kConfigFilePathKey, shared);
    }
    void TearDown() override {
        apache.reset();
        systemPaths().serverVersion.clear();
        HeadlessTest::TearDown();
    }

    std::string url(const std::string& directory) const {
        return directory.substr(apache->documentRoot().size()) + "/";
    }
    // Six answers: each visitor from 127.0.0.1, then each from 127.0.0.2.
    std::vector<int> answers(const std::string& directory) const {
        std::vector<int> statuses;
        for (const auto& address : kAddresses) {
            for (const auto& visitor : kVisitors) {
                statuses.push_back(apache->statusFrom(address, url(directory), visitor));
            }
        }
        return statuses;
    }
    void load(DirectoryEditorLayout& editor, const std::string& directory) {
        editor.directory.selectDirectory();
        windows->answer(1, {directory});
    }

    const std::string shared = temp / "keepgate.conf";
    std::string users;
    std::unique_ptr<ApacheInstance> apache;
};

std::string statusText(const std::vector<int>& statuses) {
    std::string text;
    for (std::size_t i = 0; i < statuses.size(); ++i) {
        text += (i == 3 ? " | " : i > 0 ? " " : "") + std::to_string(statuses[i]);
    }
    return text;
}

// Every setting of the host table, with alice required: an Allow row for 127.0.0.1 or none, a Deny row
// for 127.0.0.0/8 (both clients) or none, either order, "Deny all other hosts" on or off, and or and. The
// editor writes each in the Apache 2.2 form (for a server of unknown version) and in the 2.4 form (for
// a 2.4 server); the server answers every client the same for both.
TEST_F(HostRuleFormsEndToEnd, BothFormsOfEveryHostTableSettingAnswerAlike) {
    defaults->setString(constants::kProtectionSettingsKey, constants::kAccessFileMode);
    apache->writeConfig("AllowOverride All\nRequire all granted\n");
    struct Row {
        bool allow, deny, orderAllow, denyAll, either;
        std::string directory22, directory24;
    };
    std::vector<Row> rows;
    for (int bits = 0; bits < 32; ++bits) {
        Row row{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0, (bits & 16) != 0, "", ""};
        for (const bool apache24 : {false, true}) {
            const std::string directory =
                apache->publishPage("row" + std::to_string(bits) + (apache24 ? "-24" : "-22"));
            systemPaths().serverVersion = apache24 ? "2.4.62" : "";
            DirectoryEditorLayout editor;
            load(editor, directory);
            editor.directory.selectUserfile();
            windows->answer(1, {users});
            editor.userfileView.clickCheckBox(0);
            int rule = 0;
            for (const auto& [wanted, kind, host] :
                 {std::tuple{row.allow, "Allow", "127.0.0.1"}, std::tuple{row.deny, "Deny", "127.0.0.0/8"}}) {
                if (wanted) {
                    editor.directoryAccess.addRecord();
                    editor.accessView.editCell(host, "hostnameip", rule);
                    editor.accessView.editCell(kind, "denyallow", rule);
                    ++rule;
                }
            }
            editor.orderAllowRB.buttonState = row.orderAllow ? 1 : 0;
            editor.orderDenyRB.buttonState = row.orderAllow ? 0 : 1;
            editor.denyAllOthersCB.buttonState = row.denyAll ? 1 : 0;
            editor.hostOrRB.buttonState = row.either ? 1 : 0;
            editor.hostAndRB.buttonState = row.either ? 0 : 1;
            editor.directory.saveProtection();
            // "Or" with every host admitted lets everyone in, which the editor refuses to save.
            const bool everyone = row.either && !row.denyAll && !row.deny && (!row.orderAllow || !row.allow);
            EXPECT_EQ(windows->hasPendingSheet(), everyone);
            if (windows->hasPendingSheet()) {
                EXPECT_NE(windows->pendingSheet().alert.message.find("open to everyone"), std::string::npos);
                windows->pending.clear();
                continue;
            }
            const std::string block = readFile(directory + "/.htaccess");
            openToApache(directory + "/.htaccess");
            const bool form22 =
                block.find("Order ") != std::string::npos || block.find(" from ") != std::string::npos;
            const bool form24 = block.find("<Require") != std::string::npos ||
                                block.find("Require ip") != std::string::npos ||
                                block.find("Require all") != std::string::npos;
            EXPECT_FALSE(apache24 ? form22 : form24) << block;
            (apache24 ? row.directory24 : row.directory22) = directory;
        }
        rows.push_back(row);
    }
    ASSERT_TRUE(apache->start()) << apache->lastError;
    // One client run per address and visitor asks every directory.
    std::vector<std::string> paths;
    for (const auto& row : rows) {
        for (const auto& directory : {row.directory22, row.directory24}) {
            if (!directory.empty()) {
                paths.push_back(url(directory));
            }
        }
    }
    std::map<std::string, std::vector<int>> answered;
    for (const auto& address : kAddresses) {
        for (const auto& visitor : kVisitors) {
            const auto statuses = apache->statusesFrom(address, paths, visitor);
            for (std::size_t i = 0; i < paths.size(); ++i) {
                answered[paths[i]].push_back(statuses[i]);
            }
        }
    }
    for (const auto& row : rows) {
        if (row.directory22.empty() || row.directory24.empty()) {
            continue;
        }
        const auto old = answered[url(row.directory22)];
        const auto current = answered[url(row.directory24)];
        SCOPED_TRACE(std::string(row.allow ? "Allow 127.0.0.1, " : "") +
                     (row.deny ? "Deny 127.0.0.0/8, " : "") + (row.orderAllow ? "allow,deny" : "deny,allow") +
                     (row.denyAll ? ", deny all others" : "") + (row.either ? ", or" : ", and") + "\n2.2:\n" +
                     readFile(row.directory22 + "/.htaccess") + "2.4:\n" +
                     readFile(row.directory24 + "/.htaccess"));
        EXPECT_EQ(old, current) << statusText(old) << " / " << statusText(current);
        EXPECT_EQ(std::count(old.begin(), old.end(), 500), 0) << apache->errorLog();
        // Each block reads back into the same settings: a save without an edit writes the same bytes.
        for (const auto& directory : {row.directory22, row.directory24}) {
            const std::string before = readFile(directory + "/.htaccess");
            DirectoryEditorLayout editor;
            load(editor, directory);
            EXPECT_EQ(editor.keptField.text, "") << before;
            editor.directory.saveProtection();
            EXPECT_FALSE(windows->hasPendingSheet());
            windows->pending.clear();
            EXPECT_EQ(readFile(directory + "/.htaccess"), before);
        }
    }
}

// Blocks in the spellings people write, loaded and saved as a user would (answering Replace): no client
// gets a wider answer than before, and the server still accepts its configuration.
TEST_F(HostRuleFormsEndToEnd, ALoadAndSaveNeverWidensAnyAnswer) {
    defaults->setString(constants::kProtectionSettingsKey, constants::kConfigFileMode);
    systemPaths().serverVersion = "2.4.62";
    const std::string head = "AuthType Basic\nAuthName \"Members\"\nAuthUserFile " + users + "\n";
    const struct Case {
        const char* name;
        std::string block;
        std::vector<int> before; // asserted where the reading rule needs proof; empty: whatever it is
    } cases[] = {
        {"Order in another case",
         head + "Require user alice\nOrder Allow,Deny\nAllow from 10.0.0.0/8\n",
         {403, 403, 403, 403, 403, 403}},
        {"lower case", head + "Require user alice\norder deny,allow\ndeny from all\n", {}},
        {"doubled blanks", head + "Require user alice\nDeny from  all\n", {}},
        {"Satisfy any",
         head + "Require user alice\nOrder deny,allow\nDeny from all\nAllow from 127.0.0.2\nSatisfy any\n",
         {401, 200, 401, 200, 200, 200}},
        {"continued Require line", head + "Require user alice \\\n    bob\n", {401, 200, 200, 401, 200, 200}},
        {"tabs and quotes",
         "AuthType basic\nAuthName 'Members'\nAuthUserFile\t\"" + users + "\"\nrequire\tuser alice\n",
         {}},
        {"Require ip", head + "Require user alice\nRequire ip 127.0.0.2\n", {401, 200, 401, 200, 200, 200}},
        {"RequireAll with not",
         head + "<RequireAll>\n  Require valid-user\n  Require not ip 127.0.0.2\n</RequireAll>\n",
         {}},
        {"RequireAny",
         head + "<RequireAny>\n  Require user bob\n  Require ip 127.0.0.1\n</RequireAny>\n",
         {}},
        {"RequireNone",
         head + "<RequireAll>\nRequire valid-user\n<RequireNone>\nRequire user "
                "bob\n</RequireNone>\n</RequireAll>\n",
         {}},
        {"Require env", head + "Require user alice\nRequire env NOBODY_SETS_THIS\n", {}},
        {"Require all denied", head + "Require all denied\n", {403, 403, 403, 403, 403, 403}},
        // Mixed: the Require lines are alternatives, the Order/Allow/Deny lines a separate host check, and
        // Satisfy joins the two (All: both, Any: either).
        {"mixed, Satisfy All",
         head + "Require user alice\nRequire ip 127.0.0.2\nOrder deny,allow\nDeny from all\nAllow from "
                "127.0.0.1\n",
         {401, 200, 401, 403, 403, 403}},
        {"mixed, Satisfy Any",
         head + "Require user alice\nRequire ip 127.0.0.2\nOrder deny,allow\nDeny from all\nAllow from "
                "127.0.0.1\nSatisfy Any\n",
         {200, 200, 200, 200, 200, 200}},
    };
    std::string config;
    std::vector<std::string> directories;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        directories.push_back(apache->publishPage("case" + std::to_string(i)));
        config += "<Directory \"" + directories.back() + "\">\n" + cases[i].block + "</Directory>\n";
    }
    writeFile(shared, config);
    openToApache(shared);
    apache->writeConfig("AllowOverride None\nRequire all granted\n", "Include " + shared + "\n");
    ASSERT_TRUE(apache->start()) << apache->lastError;
    std::vector<std::vector<int>> before;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        before.push_back(answers(directories[i]));
        if (!cases[i].before.empty()) {
            EXPECT_EQ(before.back(), cases[i].before) << cases[i].name;
        }
    }
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        DirectoryEditorLayout editor;
        load(editor, directories[i]);
        windows->alerts.clear();
        editor.directory.saveProtection();
        while (windows->hasPendingSheet()) {
            const auto& alert = windows->pendingSheet().alert;
            if (alert.defaultButton == "Replace") {
                // The question names the lines that go and the protection that comes.
                EXPECT_NE(alert.message.find("removes these lines:"), std::string::npos) << alert.message;
                EXPECT_NE(alert.message.find(editor.directory.directoryinfo), std::string::npos)
                    << alert.message;
                windows->answer(1);
            } else {
                windows->answer(0);
            }
        }
    }
    std::string output;
    ASSERT_TRUE(apache->configTest(&output)) << output << readFile(shared);
    ASSERT_TRUE(apache->restart()) << apache->lastError;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto after = answers(directories[i]);
        for (std::size_t client = 0; client < after.size(); ++client) {
            EXPECT_FALSE(after[client] == 200 && before[i][client] != 200)
                << cases[i].name << ": client " << client << " now admitted\n"
                << statusText(before[i]) << " -> " << statusText(after) << "\n"
                << readFile(shared);
            EXPECT_NE(after[client], 500) << cases[i].name;
        }
    }
}

} // namespace
} // namespace keepgate::testing

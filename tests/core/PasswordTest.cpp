#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "formats/HashKind.h"
#include "platform/SystemPaths.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

class PasswordTest : public HeadlessTest {
  protected:
    UserEditorLayout layout;
    Controller& controller = layout.controller;
    std::string file;

    void SetUp() override {
        HeadlessTest::SetUp();
        file = temp / "users";
    }
    void open() {
        controller.selectUserfile();
        windows->answer(1, {file});
    }
    void add(const std::string& name, const std::string& password) {
        layout.usernameField.text = name;
        layout.passwordField.text = password;
        controller.addUser();
    }
    bool verifies(const std::string& name, const std::string& password) const {
        return shell("htpasswd -vb '" + file + "' '" + name + "' '" + password + "' >/dev/null 2>&1") == 0;
    }
    std::string lastAlert() const {
        return windows->alerts.empty() ? "" : windows->alerts.back().alert.message;
    }
};

TEST(HashKindTest, NamesEachKindTheToolWrites) {
    const struct {
        const char* hash;
        const char* kind;
    } cases[] = {
        {"$2y$10$nZWT5WvQ1zLlrwh2cvDR6OmEMlHEG4VoihqBB7G3U2bf1.lUsOoya", "bcrypt"},
        {"$apr1$UaZKwe6O$RhOgAbXJKaH/jMWlGGDvt.", "apr1 (MD5)"},
        {"$6$88uJ3uFfD5wxRBTA$7Pji0vatzFVG1Gb1NEW3jhg4", "SHA-512"},
        {"$5$n3hINDYRsOH0R2hu$UrlCDPHlcrx7OwWCx0D9LL4", "SHA-256"},
        {"{SHA}GpHWL3ymc5liWkNopqtdSjuqYHM=", "SHA-1 (weak)"},
        {"iH/wPFUBhNtoo", "crypt (weak)"},
        {"iH/wPFUBhNtoo\r", "crypt (weak)"},
        {"secret", "plain text (weak)"},
        {"", "none"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hashes::kindOf(c.hash), c.kind) << c.hash;
    }
}

TEST_F(PasswordTest, ThePreferenceChoosesTheHashAndTheTableNamesItsKind) {
    const struct {
        const char* preference;
        const char* prefix;
        const char* kind;
    } cases[] = {
        {nullptr, "$apr1$", "apr1 (MD5)"}, {"default", "$apr1$", "apr1 (MD5)"},
        {"bcrypt", "$2y$10$", "bcrypt"},   {"sha512", "$6$", "SHA-512"},
        {"sha256", "$5$", "SHA-256"},
    };
    open();
    int row = 0;
    for (const auto& c : cases) {
        if (c.preference) {
            defaults->setString(hashes::kPasswordHashKey, c.preference);
        }
        const std::string name = "user" + std::to_string(row);
        add(name, "pw" + std::to_string(row));
        const std::string hash = layout.tableView.cell("password", row).text();
        EXPECT_EQ(hash.rfind(c.prefix, 0), 0u) << hash;
        EXPECT_EQ(layout.tableView.cell("hashkind", row).text(), c.kind);
        EXPECT_TRUE(verifies(name, "pw" + std::to_string(row))) << c.kind;
        ++row;
    }
    defaults->setString(hashes::kPasswordHashKey, "bcrypt");
    defaults->setObject(hashes::kBcryptCostKey, Value(5));
    add("cheap", "pw");
    EXPECT_EQ(layout.tableView.cell("password", row).text().rfind("$2y$05$", 0), 0u);
    EXPECT_TRUE(windows->alerts.empty()) << lastAlert();
}

TEST_F(PasswordTest, ChangePasswordReplacesTheSelectedUsersHashInItsLine) {
    writeFile(file, "# staff\nalice:{SHA}old=\r\nbob:$apr1$x$y:Bob\n");
    open();
    layout.tableView.selectRows({1});
    layout.passwordField.text = "bobs new";
    controller.changePassword();
    EXPECT_TRUE(windows->alerts.empty()) << lastAlert();
    const std::string text = readFile(file);
    EXPECT_EQ(text.rfind("# staff\nalice:{SHA}old=\r\nbob:$apr1$", 0), 0u) << text;
    EXPECT_EQ(text.substr(text.size() - 5), ":Bob\n") << "the extra field stays";
    EXPECT_EQ(layout.passwordField.text, "");
    // htpasswd itself would read the extra field as part of the hash; the web server and the check do not.
    layout.passwordField.text = "bobs new";
    controller.checkPassword();
    EXPECT_NE(lastAlert().find("correct"), std::string::npos) << lastAlert();
    windows->answer(1);

    // The CRLF line keeps its carriage return after the change.
    layout.tableView.selectRows({0});
    layout.passwordField.text = "alices new";
    controller.changePassword();
    EXPECT_NE(readFile(file).find("alice:$apr1$"), std::string::npos);
    EXPECT_NE(readFile(file).find("\r\nbob:"), std::string::npos);
    EXPECT_TRUE(verifies("alice", "alices new"));
    EXPECT_FALSE(verifies("alice", "old"));
}

TEST_F(PasswordTest, ChangeAndCheckWantOneSelectedUser) {
    writeFile(file, "alice:{SHA}old=\nbob:{SHA}old=\n");
    open();
    for (const std::vector<int>& rows : {std::vector<int>{}, std::vector<int>{0, 1}}) {
        layout.tableView.selectRows(rows);
        controller.changePassword();
        EXPECT_NE(lastAlert().find("Select one user"), std::string::npos);
        windows->answer(1);
        controller.checkPassword();
        EXPECT_NE(lastAlert().find("Select one user"), std::string::npos);
        windows->answer(1);
    }
    EXPECT_EQ(readFile(file), "alice:{SHA}old=\nbob:{SHA}old=\n");
}

TEST_F(PasswordTest, CheckPasswordAnswersWhetherTheTypedPasswordMatches) {
    ASSERT_EQ(shell("htpasswd -cbB '" + file + "' alice 'right one' 2>/dev/null"), 0);
    ASSERT_EQ(shell("htpasswd -bs '" + file + "' bob 'sha pass' 2>/dev/null"), 0);
    open();
    const struct {
        int row;
        const char* password;
        const char* answer;
    } cases[] = {
        {0, "right one", "correct"}, {0, "wrong", "does not match"}, {0, "right one\n", "does not match"},
        {1, "sha pass", "correct"},  {1, "", "does not match"},
    };
    for (const auto& c : cases) {
        layout.tableView.selectRows({c.row});
        layout.passwordField.text = c.password;
        controller.checkPassword();
        ASSERT_FALSE(windows->alerts.empty());
        EXPECT_EQ(windows->alerts.back().alert.title, "Check Password");
        EXPECT_NE(lastAlert().find(c.answer), std::string::npos) << c.password << ": " << lastAlert();
        windows->answer(1);
    }
    systemPaths().htpasswd = temp / "missing-tool";
    controller.checkPassword();
    EXPECT_NE(lastAlert().find("could not be checked"), std::string::npos);
}

TEST_F(PasswordTest, CancellingThePasswordQuestionChangesNothing) {
    writeFile(file, "alice:{SHA}old=\n");
    open();
    add("alice", "new");
    ASSERT_TRUE(windows->hasPendingSheet());
    windows->answer(0);
    EXPECT_EQ(readFile(file), "alice:{SHA}old=\n");
    EXPECT_EQ(layout.usernameField.text, "alice") << "the typed name stays";
}

TEST_F(PasswordTest, ThePreferencesWindowShowsAndStoresTheHashChoice) {
    PreferencesLayout prefs;
    headless::PopUpButton popup;
    prefs.controller.passwordHashPopup = &popup;
    prefs.controller.defaults = defaults.get();
    defaults->setString(hashes::kPasswordHashKey, "sha512");
    prefs.controller.showWindow();
    EXPECT_EQ(popup.items.size(), std::size(hashes::kChoices));
    EXPECT_EQ(popup.items[static_cast<std::size_t>(popup.selected)], "SHA-512");
    popup.selectItem(1);
    prefs.controller.savePrefs();
    EXPECT_EQ(defaults->stringForKey(hashes::kPasswordHashKey), "bcrypt");
    prefs.controller.restoreDefaults();
    EXPECT_EQ(defaults->stringForKey(hashes::kPasswordHashKey), "default");
    EXPECT_EQ(popup.selected, 0);
}

} // namespace
} // namespace keepgate::testing

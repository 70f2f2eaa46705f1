// A password changed through the user editor is the one the real Apache server accepts, whatever kind of
// hash the preferences choose.

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "ApacheInstance.h"
#include "formats/HashKind.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

#define EXPECT_STATUS(apache, path, credentials, expected)                                                   \
    EXPECT_EQ((apache).status(path, credentials), expected)                                                  \
        << "GET " << (path) << " as '" << (credentials) << "'\n--- Apache error log ---\n"                   \
        << (apache).errorLog()

TEST_F(HeadlessTest, ApacheAcceptsAPasswordChangedInTheEditorForEachHashKindAndRefusesTheOldOne) {
    openToApache(temp.path());
    ApacheInstance apache(temp / "server");
    apache.writeConfig("AllowOverride AuthConfig\nRequire all granted\n");
    const std::string directory = apache.documentRoot() + "/private";
    std::filesystem::create_directories(directory);
    writeFile(directory + "/index.html", "<p>private</p>\n");
    const std::string users = temp / "users";
    writeFile(directory + "/.htaccess",
              "AuthType Basic\nAuthName \"Private\"\nAuthUserFile " + users + "\nRequire valid-user\n");
    for (const auto& path :
         {apache.documentRoot(), directory, directory + "/index.html", directory + "/.htaccess"}) {
        openToApache(path);
    }

    // The file as an administrator keeps it: a comment, and a second user whose line must stay as it is.
    writeFile(users, "# web users\nalice:{SHA}invalid=\nbob:{SHA}invalid=\n");
    openToApache(users);
    UserEditorLayout editor;
    editor.controller.selectUserfile();
    windows->answer(1, {users});
    ASSERT_TRUE(apache.start()) << apache.lastError;

    std::string old = "first password";
    editor.tableView.selectRows({0});
    editor.passwordField.text = old;
    editor.controller.changePassword();
    EXPECT_STATUS(apache, "/private/", "alice:" + old, 200);

    const struct {
        const char* preference;
        const char* kind;
    } kinds[] = {
        {"bcrypt", "bcrypt"}, {"sha512", "SHA-512"}, {"sha256", "SHA-256"}, {"default", "apr1 (MD5)"}};
    for (const auto& k : kinds) {
        defaults->setString(hashes::kPasswordHashKey, k.preference);
        const std::string fresh = std::string("new for ") + k.preference;
        editor.tableView.selectRows({0});
        editor.passwordField.text = fresh;
        editor.controller.changePassword();
        ASSERT_TRUE(windows->alerts.empty()) << windows->alerts.back().alert.message;
        EXPECT_EQ(editor.tableView.cell("hashkind", 0).text(), k.kind);
        EXPECT_STATUS(apache, "/private/", "alice:" + fresh, 200);
        EXPECT_STATUS(apache, "/private/", "alice:" + old, 401);
        old = fresh;
    }
    EXPECT_NE(readFile(users).find("# web users\nalice:$apr1$"), std::string::npos);
    EXPECT_NE(readFile(users).find("\nbob:{SHA}invalid=\n"), std::string::npos);
    EXPECT_STATUS(apache, "/private/", "", 401);
}

// Apache admits UTF-8 user names and reads a user line past the blanks before its name; the editor adds,
// changes and checks such users where the server finds them.
TEST_F(HeadlessTest, ApacheAdmitsUtf8NamesAndNamesAfterBlanksAsTheEditorAddsAndChangesThem) {
    const std::string jose = "jos\xc3\xa9", userae = "user\xc3\xa6";
    openToApache(temp.path());
    ApacheInstance apache(temp / "server");
    apache.writeConfig("AllowOverride AuthConfig\nRequire all granted\n");
    const std::string directory = apache.publishPage("private");
    const std::string users = temp / "users";
    writeFile(directory + "/.htaccess", "AuthType Basic\nAuthName \"Private\"\nAuthUserFile " + users +
                                            "\nRequire user " + jose + " user8\n");
    openToApache(directory + "/.htaccess");
    writeFile(users, "  user8:{SHA}invalid=\n");
    openToApache(users);
    UserEditorLayout editor;
    editor.controller.selectUserfile();
    windows->answer(1, {users});
    ASSERT_TRUE(apache.start()) << apache.lastError;

    for (const auto& name : {jose, userae}) {
        editor.usernameField.text = name;
        editor.passwordField.text = "first " + name;
        editor.controller.addUser();
        ASSERT_TRUE(windows->alerts.empty()) << windows->alerts.back().alert.message;
    }
    EXPECT_STATUS(apache, "/private/", jose + ":first " + jose, 200);
    EXPECT_STATUS(apache, "/private/", userae + ":first " + userae, 401) << "required by no Require line";

    // Row 1 is josé: its password changes, the server takes only the new one, and the check agrees.
    ASSERT_EQ(editor.tableView.cell("username", 1).text(), jose);
    editor.tableView.selectRows({1});
    editor.passwordField.text = "second";
    editor.controller.changePassword();
    ASSERT_TRUE(windows->alerts.empty()) << windows->alerts.back().alert.message;
    EXPECT_STATUS(apache, "/private/", jose + ":second", 200);
    EXPECT_STATUS(apache, "/private/", jose + ":first " + jose, 401);
    editor.tableView.selectRows({1});
    editor.passwordField.text = "second";
    editor.controller.checkPassword();
    ASSERT_EQ(windows->alerts.size(), 1u);
    EXPECT_EQ(windows->alerts.back().alert.message, "The password is correct for \"" + jose + "\".");
    windows->answer(1);
    windows->alerts.clear();

    // Adding user8 again finds the line the server reads, behind its blanks, and offers to change it.
    editor.usernameField.text = "user8";
    editor.passwordField.text = "eight";
    editor.controller.addUser();
    ASSERT_EQ(windows->alerts.size(), 1u);
    EXPECT_EQ(windows->alerts.back().alert.title, "Change the password of user8?");
    windows->answer(1);
    EXPECT_STATUS(apache, "/private/", "user8:eight", 200);
    const std::string saved = readFile(users);
    EXPECT_EQ(saved.substr(0, saved.find('\n')).substr(0, 8), "  user8:") << saved;
    EXPECT_EQ(saved.find("user8", 3), std::string::npos) << "one line for user8:\n" << saved;
    EXPECT_STATUS(apache, "/private/", "", 401);
}

} // namespace
} // namespace keepgate::testing

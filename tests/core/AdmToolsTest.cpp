#include <algorithm>
#include <unistd.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "services/AddUser.h"
#include "formats/WriteFile.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/SystemPaths.h"
#include "services/AdmTools.h"
#include "support/TestSupport.h"

namespace keepgate {
namespace {

using testing::HeadlessTest;

class PasswordHashingTest : public HeadlessTest {
  protected:
    // A stand-in for htpasswd that records its arguments and standard input and prints `output`.
    void installFakeTool(const std::string& output) {
        testing::writeFile(temp / "output", output);
        testing::writeScript(temp / "htpasswd", "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                                                    temp / "argv" + "'\ncat > '" + temp / "stdin" +
                                                    "'\ncat '" + temp / "output" + "'\n");
        systemPaths().htpasswd = temp / "htpasswd";
    }

    // Whether the real tool accepts `password` for `user` in the saved user file.
    bool verifies(const std::string& user, const std::string& password) {
        return platform::runProcess("/usr/bin/htpasswd", {"-vb", temp / "users", user, password})
                   .exitStatus == 0;
    }
};

TEST_F(PasswordHashingTest, RecordsFromTheRealToolVerifyAfterSaving) {
    const std::vector<std::pair<std::string, std::string>> users{
        {"alice", "s3cret"}, {"bob", "with blank"}, {"carol", "ends in line feed\n"},
        {"dave", ""},        {"jos\xc3\xa9", "x"},  {"user\xc3\xa6", "\xc3\xa6\xc3\xb8"}};
    std::vector<UserRecord> records;
    for (const auto& [name, password] : users) {
        const auto record = AddUser::createRecord(name, password);
        ASSERT_TRUE(record) << name;
        EXPECT_FALSE(record->has("check"));
        EXPECT_EQ(record->text("username"), name);
        EXPECT_EQ(record->text("password").find_first_of(":\r\n"), std::string::npos)
            << record->text("password");
        records.push_back(*record);
    }
    ASSERT_TRUE(platform::writeFileAtomically(temp / "users", WriteFile::userfileText(records)));
    for (const auto& [name, password] : users) {
        EXPECT_TRUE(verifies(name, password)) << name;
        EXPECT_FALSE(verifies(name, password + "x")) << name;
    }
    // One line per user: nothing the tool printed after the hash leaves blank lines behind.
    EXPECT_EQ(ReadFile::readUserfile(temp / "users").size(), users.size());
    const std::string saved = testing::readFile(temp / "users");
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), static_cast<long>(users.size())) << saved;
}

TEST_F(PasswordHashingTest, PasswordGoesToStandardInputNeverToArguments) {
    installFakeTool("-alice:HASH\n\n");
    EXPECT_EQ(AdmTools::getPasswd("-alice", "top secret"), "HASH");
    EXPECT_EQ(testing::readFile(temp / "argv"), "-n\n-i\n--\n-alice\n");
    EXPECT_EQ(testing::readFile(temp / "stdin"), "top secret");

    // An absent password is not the empty one: nothing is hashed and the tool is not run.
    std::remove((temp / "argv").c_str());
    EXPECT_EQ(AdmTools::getPasswd("bob", std::nullopt), std::nullopt);
    EXPECT_EQ(AddUser::createRecord("bob", std::nullopt), std::nullopt);
    EXPECT_EQ(testing::readFile(temp / "argv"), "<missing>");
    EXPECT_EQ(AdmTools::getPasswd("bob", ""), "HASH");
    EXPECT_EQ(testing::readFile(temp / "argv"), "-n\n-i\n--\nbob\n");
    EXPECT_EQ(testing::readFile(temp / "stdin"), "");

    EXPECT_EQ(AdmTools::getPasswd(std::nullopt, "pw"), "HASH");
    EXPECT_EQ(testing::readFile(temp / "argv"), "-n\n-i\n--\n");

    EXPECT_EQ(AdmTools::getPasswd("", "pw"), "HASH");
    EXPECT_EQ(testing::readFile(temp / "argv"), "-n\n-i\n--\n\n");
}

TEST_F(PasswordHashingTest, HashIsTheTextAfterTheFirstColonWithoutLineEnds) {
    const struct {
        std::string output;
        std::optional<std::string> hash;
    } cases[] = {
        {"u:$apr1$x$y\n", "$apr1$x$y"},
        {"u:h\r\n\r\n", "h"},
        {"u:h:more\n", "h"},
        {"u:\n", ""},
        {"u:h\n\x01", "h\n\x01"},
        {"", std::nullopt},
        {"no colon here\n", std::nullopt},
        {"u:h\xc3\xa9\n", std::nullopt},
        {"jos\xc3\xa9:h\n", "h"},
        {"\x80u:h\n", "h"},
    };
    for (const auto& c : cases) {
        installFakeTool(c.output);
        EXPECT_EQ(AdmTools::getPasswd("u", "p"), c.hash) << ::testing::PrintToString(c.output);
        EXPECT_EQ(AddUser::createRecord("u", "p").has_value(), c.hash.has_value());
    }
}

TEST_F(PasswordHashingTest, NoRecordWithoutAToolOrAStorableName) {
    systemPaths().htpasswd = temp / "missing-htpasswd";
    EXPECT_EQ(AdmTools::getPasswd("u", "p"), std::nullopt);
    EXPECT_EQ(AddUser::createRecord("u", "p"), std::nullopt);

    installFakeTool("u:HASH\n");
    for (const std::string& name : std::vector<std::string>{"", "a:b", "alice bob", "a\tb", "a\nb", "a\rb",
                                                            " ", std::string("a\0b", 3), "trailing "}) {
        EXPECT_FALSE(AddUser::isStorableUsername(name)) << ::testing::PrintToString(name);
        EXPECT_EQ(AddUser::createRecord(name, "p"), std::nullopt) << ::testing::PrintToString(name);
    }
    EXPECT_EQ(AddUser::createRecord(std::nullopt, "p"), std::nullopt);
    EXPECT_EQ(testing::readFile(temp / "argv"), "<missing>") << "the tool must not run for a refused name";

    EXPECT_TRUE(AddUser::isStorableUsername("j\xc3\xb6rg-1.x@example"));
    EXPECT_EQ(AddUser::createRecord("alice", "p"), (UserRecord{{"username", "alice"}, {"password", "HASH"}}));
}

class PrivilegedCopyTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        testing::writeFile(temp / "from", "new config\n");
        testing::writeFile(temp / "to.conf", "old config\n");
        systemPaths().privilegedLauncher = temp / "pkexec";
        // The destination lies in the server's configuration folder, where the helper's table admits it.
        systemPaths().mainConfig = temp / "httpd.conf";
    }
    // The launcher ran a shell whose positional parameters are the two paths and the copy tool, so no
    // path is ever read as shell code.
    void expectCopyCommand(const std::string& from, const std::string& to) {
        const std::string launched = testing::readFile(temp / "launched");
        EXPECT_TRUE(launched.starts_with("/bin/sh|-c|")) << launched;
        EXPECT_TRUE(launched.ends_with("|sh|" + from + "|" + to + "|/bin/cp|")) << launched;
    }
    // A stand-in for pkexec that records its arguments, then runs `body`.
    void installLauncher(const std::string& body) {
        testing::writeScript(temp / "pkexec", "printf '%s|' \"$@\" > '" + temp / "launched" + "'\n" + body);
    }
};

TEST_F(PrivilegedCopyTest, CopiesThroughTheLauncherAndLogsSuccess) {
    installLauncher("exec \"$@\"\n");
    EXPECT_TRUE(AdmTools::copyFileWithAuthorization(temp / "from", temp / "to.conf"));
    expectCopyCommand(temp / "from", temp / "to.conf");
    EXPECT_EQ(testing::readFile(temp / "to.conf"), "new config\n");
    EXPECT_EQ(logLines,
              std::vector<std::string>{"Successfully copied a file with administrator privileges from " +
                                       temp / "from" + " to " + temp / "to.conf" + "!"});
}

TEST_F(PrivilegedCopyTest, RelativePathsSurviveTheLaunchersOwnWorkingDirectory) {
    installLauncher("cd / && exec \"$@\"\n");
    char previous[4096];
    ASSERT_TRUE(getcwd(previous, sizeof previous));
    ASSERT_EQ(chdir(temp.path().c_str()), 0);
    const bool copied = AdmTools::copyFileWithAuthorization("from", "to.conf");
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_TRUE(copied);
    EXPECT_EQ(testing::readFile(temp / "to.conf"), "new config\n");
    expectCopyCommand(temp / "from", temp / "to.conf");
    EXPECT_EQ(logLines,
              std::vector<std::string>{
                  "Successfully copied a file with administrator privileges from from to to.conf!"});
}

TEST_F(PrivilegedCopyTest, RefusalMissingLauncherOrFailedCopyLogOneError) {
    const struct {
        const char* name;
        std::optional<std::string> launcher;
        std::string from;
    } cases[] = {
        {"administrator refuses", "exit 126\n", "from"},
        {"cannot ask", "exit 127\n", "from"},
        {"copy fails", "exec \"$@\"\n", "no-such-source"},
        {"no launcher", std::nullopt, "from"},
    };
    for (const auto& c : cases) {
        logLines.clear();
        platform::removeFile(temp / "pkexec");
        if (c.launcher) {
            installLauncher(*c.launcher);
        }
        EXPECT_FALSE(AdmTools::copyFileWithAuthorization(temp / c.from, temp / "to.conf")) << c.name;
        EXPECT_EQ(testing::readFile(temp / "to.conf"), "old config\n") << c.name;
        EXPECT_EQ(logLines, std::vector<std::string>{"Error copying file"}) << c.name;
    }
}

TEST_F(PrivilegedCopyTest, EmptyPathsAskNothingAndLogNothing) {
    installLauncher("exec \"$@\"\n");
    EXPECT_FALSE(AdmTools::copyFileWithAuthorization("", temp / "to.conf"));
    EXPECT_FALSE(AdmTools::copyFileWithAuthorization(temp / "from", ""));
    EXPECT_EQ(testing::readFile(temp / "launched"), "<missing>");
    EXPECT_TRUE(logLines.empty());
}

class ConfigurationCheckTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        systemPaths().mainConfig = temp / "httpd.conf";
        defaults->setString("KGconfigFilePathField", "/Library/WebServer/keepgate.conf");
    }
};

TEST_F(ConfigurationCheckTest, IncludeCountsOnlyUncommentedIncludeLines) {
    const struct {
        std::string config;
        bool included;
    } cases[] = {
        {"Include /Library/WebServer/keepgate.conf\n", true},
        {"ServerRoot \"/etc\"\n\t  Include /Library/WebServer/keepgate.conf\r\n", true},
        {"<IfModule x>\nInclude \"/Library/WebServer/keepgate.conf\"\n</IfModule>", true},
        {"Include /Library/WebServer/keepgate.conf.d/x\n", true},
        {"#Include /Library/WebServer/keepgate.conf\n", false},
        {"  \t# Include /Library/WebServer/keepgate.conf\n", false},
        {"Include  /Library/WebServer/keepgate.conf\n", false},
        {"include /Library/WebServer/keepgate.conf\n", false},
        {"Include \"/Library/WebServer/keepgate.con\"\n", false},
        {"Include /etc/other.conf\n", false},
        {"", false},
    };
    for (const auto& c : cases) {
        testing::writeFile(temp / "httpd.conf", c.config);
        EXPECT_EQ(AdmTools::checkForIncludeInConf(), c.included) << c.config;
    }
}

TEST_F(ConfigurationCheckTest, IncludeFollowsThePreferenceAndNeedsTheFile) {
    testing::writeFile(temp / "httpd.conf", "Include \"/srv/my conf/keepgate.conf\"\n");
    EXPECT_FALSE(AdmTools::checkForIncludeInConf());
    defaults->setString("KGconfigFilePathField", "/srv/my conf/keepgate.conf");
    EXPECT_TRUE(AdmTools::checkForIncludeInConf());
    defaults->removeObjectForKey("KGconfigFilePathField");
    EXPECT_FALSE(AdmTools::checkForIncludeInConf());
    defaults->setString("KGconfigFilePathField", "");
    EXPECT_FALSE(AdmTools::checkForIncludeInConf());
    defaults->setString("KGconfigFilePathField", "/srv/my conf/keepgate.conf");
    systemPaths().mainConfig = temp / "missing.conf";
    EXPECT_FALSE(AdmTools::checkForIncludeInConf());
}

TEST_F(ConfigurationCheckTest, OverrideCheckFailsOnAnyAllowOverrideNone) {
    const struct {
        std::string config;
        bool free;
    } cases[] = {
        {"<Directory />\n    AllowOverride None\n</Directory>\n", false},
        {"#AllowOverride None\n", false},
        {"AllowOverride AuthConfig\nAllowOverride None\r\n", false},
        {"AllowOverride  None\n", true},
        {"allowoverride none\n", true},
        {"AllowOverride AuthConfig Limit\n", true},
        {"", true},
    };
    for (const auto& c : cases) {
        testing::writeFile(temp / "httpd.conf", c.config);
        EXPECT_EQ(AdmTools::checkForAllowoverrideConf(), c.free) << c.config;
    }
    systemPaths().mainConfig = temp / "missing.conf";
    EXPECT_TRUE(AdmTools::checkForAllowoverrideConf());
}

} // namespace
} // namespace keepgate

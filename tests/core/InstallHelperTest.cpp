#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>

#include <gtest/gtest.h>

#include "helper/InstallFileRules.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

using helper::destinationProblem;

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

TEST(InstallHelperPaths, OnlyPlainAbsolutePathsAreAccepted) {
    const struct {
        const char* path;
        bool accepted;
    } cases[] = {
        {"/etc/apache2/apache2.conf", true}, {"/srv/www/.htaccess", true},
        {"relative/.htaccess", false},       {"", false},
        {"/etc/apache2/../passwd", false},   {"/etc/./apache2/x", false},
        {"/etc//apache2/x", false},          {"/etc/apache2/", false},
        {"/etc/apache2/x\n", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(!helper::pathProblem(c.path).has_value(), c.accepted) << c.path;
    }
}

TEST(InstallHelperPaths, DestinationsOutsideTheAllowedSetAreRefused) {
    TempDir temp;
    writeFile(temp / "conf/apache2.conf", "x\n");
    writeFile(temp / "conf/sites/site.conf", "x\n");
    writeFile(temp / "site/private/.htaccess", "x\n");
    writeFile(temp / "other/httpd.conf", "x\n");
    writeFile(temp / "other/passwd", "x\n");
    ASSERT_EQ(::symlink((temp / "other/passwd").c_str(), (temp / "site/.htaccess-link").c_str()), 0);
    ASSERT_EQ(::symlink((temp / "other/passwd").c_str(), (temp / "conf/sites/escape.conf").c_str()), 0);
    ASSERT_EQ(::symlink((temp / "other").c_str(), (temp / "conf/other-link").c_str()), 0);
    ASSERT_EQ(::mkdir((temp / "site/.htdir").c_str(), 0755), 0);
    const std::vector<std::string> roots = {temp / "conf"};

    const struct {
        std::string destination;
        bool allowed;
    } cases[] = {
        {temp / "conf/apache2.conf", true},      // an existing file of the configuration folder
        {temp / "conf/sites/new.conf", true},    // a new file deeper inside it
        {temp / "site/private/.htaccess", true}, // the access file of a protected directory
        {temp / "site/private/.htpasswd", true}, // a password file, still to be made
        {temp / "other/keepgate.conf", true},    // the shared configuration file
        {temp / "other/httpd.conf", false},      // a configuration file outside the folders
        {temp / "other/passwd", false},
        {temp / "conf", false},                       // the folder itself
        {temp / "conf/sites/escape.conf", false},     // a link out of the folder
        {temp / "conf/other-link/httpd.conf", false}, // a linked folder out of it
        {temp / "site/.htaccess-link", false},        // an access-file name that leads to another file
        {temp / "site/.htdir", false},                // not a regular file
        {temp / "missing/.htaccess", false},          // its folder does not exist
        {temp / "conf/../other/passwd", false},
        {"/etc/passwd", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(!destinationProblem(c.destination, roots).has_value(), c.allowed) << c.destination;
    }
    // A link the server's user planted beside an access file must not reach the administrator's files.
    if (::geteuid() == 0) {
        ASSERT_EQ(::symlink((temp / "conf/apache2.conf").c_str(), (temp / "site/private/.htgroups").c_str()),
                  0);
        ASSERT_EQ(::lchown((temp / "site/private/.htgroups").c_str(), 65534, 65534), 0);
        EXPECT_TRUE(destinationProblem(temp / "site/private/.htgroups", roots).has_value());
        EXPECT_FALSE(destinationProblem(temp / "site/.htaccess-own", roots).has_value());
    }
    // The shipped list names the configuration folders of the systems Keepgate knows.
    for (const char* folder : {"/etc/apache2", "/etc/httpd", "/private/etc/apache2"}) {
        EXPECT_NE(
            std::find(helper::serverConfigFolders().begin(), helper::serverConfigFolders().end(), folder),
            helper::serverConfigFolders().end())
            << folder;
    }
}

TEST(InstallHelperPaths, ModuleNamesAreLowerCaseWordsOnly) {
    for (const char* good : {"rewrite", "auth_basic", "authz_groupfile", "http2"}) {
        EXPECT_FALSE(helper::moduleNameProblem(good).has_value()) << good;
    }
    for (const char* bad : {"", "Rewrite", "mod-rewrite", "../x", "a b", "rewrite;reboot", "x\n"}) {
        EXPECT_TRUE(helper::moduleNameProblem(bad).has_value()) << bad;
    }
}

class InstallHelperCopy : public ::testing::Test {
  protected:
    int install(const std::string& source, const std::string& destination, std::string& message) {
        return helper::runCommand({"install", source, destination}, {temp / "conf"}, helper::Tools{},
                                  helper::openSource, message);
    }
    TempDir temp;
};

TEST_F(InstallHelperCopy, ReplacesTheFileKeepingItsModeAndLeavesNothingBehind) {
    const std::string bytes = std::string("Include keepgate.conf\r\n\0tail", 29);
    writeFile(temp / "staging", bytes);
    writeFile(temp / "conf/httpd.conf", "old\n");
    ASSERT_EQ(::chmod((temp / "conf/httpd.conf").c_str(), 0640), 0);
    std::string message;
    ASSERT_EQ(install(temp / "staging", temp / "conf/httpd.conf", message), 0) << message;
    EXPECT_EQ(readFile(temp / "conf/httpd.conf"), bytes);
    EXPECT_EQ(modeOf(temp / "conf/httpd.conf"), 0640u);
    EXPECT_EQ(filesIn(temp / "conf"), std::vector<std::string>{"httpd.conf"});
}

TEST_F(InstallHelperCopy, ANewFileIsReadableByTheServer) {
    writeFile(temp / "staging", "AuthType Basic\n");
    writeFile(temp / "site/index.html", "hi\n");
    std::string message;
    ASSERT_EQ(install(temp / "staging", temp / "site/.htaccess", message), 0) << message;
    EXPECT_EQ(readFile(temp / "site/.htaccess"), "AuthType Basic\n");
    EXPECT_EQ(modeOf(temp / "site/.htaccess"), 0644u);
}

TEST_F(InstallHelperCopy, ALinkedDestinationReplacesTheFileItLeadsTo) {
    writeFile(temp / "staging", "new\n");
    writeFile(temp / "conf/available/keepgate-site.conf", "old\n");
    ::mkdir((temp / "conf/enabled").c_str(), 0755);
    ASSERT_EQ(
        ::symlink("../available/keepgate-site.conf", (temp / "conf/enabled/keepgate-site.conf").c_str()), 0);
    std::string message;
    ASSERT_EQ(install(temp / "staging", temp / "conf/enabled/keepgate-site.conf", message), 0) << message;
    EXPECT_EQ(readFile(temp / "conf/available/keepgate-site.conf"), "new\n");
    char target[256] = {};
    EXPECT_GT(::readlink((temp / "conf/enabled/keepgate-site.conf").c_str(), target, sizeof target - 1), 0);
}

TEST_F(InstallHelperCopy, FailuresLeaveTheDestinationAsItWas) {
    writeFile(temp / "conf/httpd.conf", "old\n");
    writeFile(temp / "other/file", "x\n");
    ::mkdir((temp / "folder").c_str(), 0755);
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* says;
    } cases[] = {
        {{"install", temp / "missing", temp / "conf/httpd.conf"}, 1, "cannot be opened"},
        {{"install", temp / "folder", temp / "conf/httpd.conf"}, 1, "not a regular file"},
        {{"install", "staging", temp / "conf/httpd.conf"}, 2, "not an absolute path"},
        {{"install", temp / "other/file", temp / "other/httpd.conf"}, 2, "refused"},
        {{"install", temp / "other/file"}, 2, "usage"},
        {{"enable-module", "Bad-Name"}, 2, "refused"},
        {{"enable-conf", "../keepgate"}, 2, "refused"},
        {{"copy", "a", "b"}, 2, "usage"},
        {{}, 2, "usage"},
    };
    for (const auto& c : cases) {
        std::string message;
        EXPECT_EQ(
            helper::runCommand(c.arguments, {temp / "conf"}, helper::Tools{}, helper::openSource, message),
            c.status)
            << (c.arguments.empty() ? "" : c.arguments.front());
        EXPECT_NE(message.find(c.says), std::string::npos) << message;
    }
    EXPECT_EQ(readFile(temp / "conf/httpd.conf"), "old\n");
    EXPECT_EQ(readFile(temp / "other/httpd.conf"), "<missing>");
    EXPECT_EQ(filesIn(temp / "conf"), std::vector<std::string>{"httpd.conf"});
}

TEST(InstallHelperTools, EnableModuleAndReloadRunTheFirstToolPresent) {
    TempDir temp;
    writeScript(temp / "a2enmod", "echo \"$@\" >> " + (temp / "ran") + "\n");
    writeScript(temp / "apache2ctl-broken", "echo broken >> " + (temp / "ran") + "\nexit 3\n");
    writeScript(temp / "systemctl", "echo \"$@\" >> " + (temp / "ran") + "\n");
    writeScript(temp / "a2enconf", "echo conf \"$@\" >> " + (temp / "ran") + "\n");
    helper::Tools tools;
    tools.enableModule = {temp / "no-such-a2enmod", temp / "a2enmod"};
    tools.enableConf = {temp / "a2enconf"};
    tools.reload = {{temp / "no-such-ctl", "graceful"},
                    {temp / "apache2ctl-broken", "graceful"},
                    {temp / "systemctl", "reload", "apache2"}};
    std::string message;
    EXPECT_EQ(
        helper::runCommand({"enable-module", "authz_groupfile"}, {}, tools, helper::openSource, message), 0)
        << message;
    EXPECT_EQ(helper::runCommand({"reload"}, {}, tools, helper::openSource, message), 0) << message;
    EXPECT_EQ(
        helper::runCommand({"enable-conf", "keepgate-protection"}, {}, tools, helper::openSource, message), 0)
        << message;
    EXPECT_EQ(readFile(temp / "ran"), "authz_groupfile\nbroken\nreload apache2\nconf keepgate-protection\n");

    // Without any of the tools, each says what is missing instead of claiming success.
    helper::Tools none;
    none.enableModule = {temp / "no-such-a2enmod"};
    none.reload = {{temp / "no-such-ctl", "graceful"}};
    EXPECT_EQ(helper::runCommand({"enable-module", "rewrite"}, {}, none, helper::openSource, message), 1);
    EXPECT_NE(message.find("a2enmod"), std::string::npos) << message;
    EXPECT_EQ(helper::runCommand({"reload"}, {}, none, helper::openSource, message), 1);
    EXPECT_NE(message.find("reload"), std::string::npos) << message;

    // A reload whose every tool fails reports the last failure.
    none.reload = {{temp / "apache2ctl-broken", "graceful"}};
    EXPECT_EQ(helper::runCommand({"reload"}, {}, none, helper::openSource, message), 1);
    EXPECT_NE(message.find("status 3"), std::string::npos) << message;
}

TEST(InstallHelperProgram, RefusesADestinationOutsideTheServerConfigurationAndSaysWhy) {
    TempDir temp;
    writeFile(temp / "staging", "x\n");
    const std::string command = std::string(KEEPGATE_INSTALL_HELPER) + " install " + (temp / "staging") +
                                " " + (temp / "httpd.conf") + " 2> " + (temp / "stderr");
    EXPECT_EQ(shell(command), 2);
    EXPECT_NE(readFile(temp / "stderr").find("keepgate-install-file: refused:"), std::string::npos)
        << readFile(temp / "stderr");
    EXPECT_EQ(readFile(temp / "httpd.conf"), "<missing>");
    EXPECT_EQ(shell(std::string(KEEPGATE_INSTALL_HELPER) + " 2>/dev/null"), 2);
}

} // namespace
} // namespace keepgate::testing

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

// A throw-away tree with the system's folders, the server folders of Debian, Fedora and macOS, web
// folders, and links owned by root and by someone else at every kind of step.
class InstallHelperRules : public ::testing::Test {
  protected:
    void SetUp() override {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "links owned by root and by another user can only be made as root";
        }
        for (const char* file : {"etc/apache2/apache2.conf",
                                 "etc/apache2/magic",
                                 "etc/apache2/conf-available/security.conf",
                                 "etc/apache2/sites-available/000-default.conf",
                                 "etc/apache2/mods-available/ssl.conf",
                                 "etc/httpd/conf/httpd.conf",
                                 "etc/httpd/conf.d/ssl.conf",
                                 "etc/apt/apt.conf.d/01autoremove",
                                 "etc/ld.so.conf.d/libc.conf",
                                 "usr/share/doc/x",
                                 "lib64/x",
                                 "var/lib/dpkg/status",
                                 "var/log/httpd/error_log",
                                 "root/x",
                                 "mac/private/etc/apache2/httpd.conf",
                                 "mac/private/etc/apache2/extra/httpd-vhosts.conf",
                                 "srv/www/site/index.html",
                                 "srv/auth/users",
                                 "srv/notes.txt",
                                 "home/u/.config/keepgate/users"}) {
            writeFile(temp / file, std::string(file).ends_with("users") ? "alice:$apr1$x$y\n" : "x y\n");
        }
        writeFile(temp / "etc/apache2/envvars", "export APACHE_RUN_USER=www-data\n");
        writeFile(temp / "etc/apache2/conf-available/run.conf", "x\n");
        ::chmod((temp / "etc/apache2/conf-available/run.conf").c_str(), 0755);
        ::mkdir((temp / "etc/apache2/sites-enabled").c_str(), 0755);
        ::mkdir((temp / "srv/www/uploads").c_str(), 0777);
        link("../sites-available/000-default.conf", "etc/apache2/sites-enabled/000-default.conf", 0);
        link(temp / "var/log/httpd", "etc/httpd/logs", 0); // as Fedora has it
        link("private/etc", "mac/etc", 0);                 // as macOS has it
        link(temp / "srv/www", "srv/web", 0);              // the administrator's own link
        link(temp / "etc", "srv/etc-link", 65534);         // someone else's link to a folder
        link(temp / "root", "srv/www/uploads/sub", 65534); // planted by the server's user
        link(temp / "etc/apache2/apache2.conf", "srv/www/site/.htgroups", 65534);
        layout.serverFolders = {temp / "etc/apache2", temp / "etc/httpd", temp / "mac/etc/apache2",
                                temp / "nowhere/etc/httpd"};
        layout.systemFolders = {temp / "etc",     temp / "usr",     temp / "lib*",           temp / "root",
                                temp / "var/lib", temp / "var/log", temp / "mac/private/etc"};
    }

    void link(const std::string& target, const std::string& at, uid_t owner) {
        ASSERT_EQ(::symlink(target.c_str(), (temp / at).c_str()), 0) << at;
        ASSERT_EQ(::lchown((temp / at).c_str(), owner, owner), 0) << at;
    }

    TempDir temp;
    helper::Layout layout;
};

TEST_F(InstallHelperRules, OneTableDecidesEveryDestination) {
    using helper::Command;
    const std::string users = "alice:$apr1$salt$hash\nbob:{SHA}abc=\n";
    const struct {
        const char* destination;
        Command command;
        std::string bytes;
        const char* refusal; // nullptr: written
    } cases[] = {
        // (a) the server's configuration, only with the command that asks every time
        {"etc/apache2/apache2.conf", Command::InstallConfig, "x\n", nullptr},
        {"etc/apache2/conf-available/keepgate.conf", Command::InstallConfig, "x\n", nullptr},
        {"etc/apache2/sites-enabled/000-default.conf", Command::InstallConfig, "x\n", nullptr},
        {"etc/apache2/mods-available/new.conf", Command::InstallConfig, "x\n", nullptr},
        {"etc/httpd/conf.d/keepgate.conf", Command::InstallConfig, "x\n", nullptr},
        {"mac/etc/apache2/extra/httpd-vhosts.conf", Command::InstallConfig, "x\n", nullptr},
        {"etc/apache2/apache2.conf", Command::InstallFile, "x\n", "written only by \"install-config\""},
        {"etc/apache2/envvars", Command::InstallConfig, "x\n", "envvars is never written"},
        {"etc/apache2/envvars", Command::InstallFile, users, "envvars is never written"},
        {"etc/apache2/magic", Command::InstallFile, users, "magic is never written"},
        {"etc/apache2/conf-available/run.conf", Command::InstallConfig, "x\n", "is executable"},
        {"srv/www/site/httpd.conf", Command::InstallConfig, "x\n", "not inside the web server's"},
        // (c) the shared configuration file
        {"srv/www/keepgate.conf", Command::InstallConfig, "x\n", nullptr},
        {"etc/apt/apt.conf.d/keepgate.conf", Command::InstallConfig, "x\n", "system folder"},
        {"etc/ld.so.conf.d/keepgate.conf", Command::InstallConfig, "x\n", "system folder"},
        {"var/lib/keepgate.conf", Command::InstallConfig, "x\n", "system folder"},
        {"mac/etc/keepgate.conf", Command::InstallConfig, "x\n", "system folder"},
        // (b) access, user and group files
        {"etc/apache2/.htpasswd", Command::InstallFile, users, nullptr},
        {"srv/www/site/.htaccess", Command::InstallFile, "AuthType Basic\n", nullptr},
        {"srv/web/site/.htaccess", Command::InstallFile, "AuthType Basic\n", nullptr},
        {"srv/auth/users", Command::InstallFile, users, nullptr},
        {"srv/auth/groups", Command::InstallFile, "admins: alice bob\n", nullptr},
        {"srv/www/site/.htaccess", Command::InstallConfig, "x\n", "written only by \"install\""},
        {"usr/share/doc/.htaccess", Command::InstallFile, "x\n", "system folder"},
        {"lib64/.htpasswd", Command::InstallFile, users, "system folder"},
        {"root/.htaccess", Command::InstallFile, "x\n", "system folder"},
        {"etc/httpd/logs/.htaccess", Command::InstallFile, "x\n", "system folder"},
        {"etc/apt/apt.conf.d/99keepgate", Command::InstallFile, users, "system folder"},
        {"srv/notes.txt", Command::InstallFile, users, "not a user or group file now"},
        {"srv/auth/script.sh", Command::InstallFile, "echo hi\n", "not a user or group file"},
        {"home/u/.config/keepgate/users", Command::InstallFile, users, "hidden"},
        // links: root's are followed, anyone else's refused at any step; folders are not files
        {"srv/etc-link/apache2/apache2.conf", Command::InstallConfig, "x\n", "owned by user 65534"},
        {"srv/www/uploads/sub/.htaccess", Command::InstallFile, "x\n", "owned by user 65534"},
        {"srv/www/site/.htgroups", Command::InstallFile, users, "owned by user 65534"},
        {"srv/www/site", Command::InstallFile, "x\n", "not a regular file"},
        {"missing/.htaccess", Command::InstallFile, "x\n", "cannot be reached"},
    };
    for (const auto& c : cases) {
        const auto problem = helper::destinationProblem(temp / c.destination, c.bytes, c.command, layout);
        if (!c.refusal) {
            EXPECT_FALSE(problem.has_value()) << c.destination << ": " << problem.value_or("");
            continue;
        }
        ASSERT_TRUE(problem.has_value()) << c.destination;
        EXPECT_NE(problem->find(c.refusal), std::string::npos) << c.destination << ": " << *problem;
        EXPECT_NE(problem->find(temp.path()), std::string::npos) << "names the file: " << *problem;
    }
    // The shipped layout names the configuration folders of the systems Keepgate knows, and /etc.
    const auto& shipped = helper::systemLayout();
    for (const char* folder : {"/etc/apache2", "/etc/httpd", "/private/etc/apache2"}) {
        EXPECT_NE(std::find(shipped.serverFolders.begin(), shipped.serverFolders.end(), folder),
                  shipped.serverFolders.end())
            << folder;
    }
    EXPECT_NE(std::find(shipped.systemFolders.begin(), shipped.systemFolders.end(), "/etc"),
              shipped.systemFolders.end());
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
    int run(const std::vector<std::string>& arguments, std::string& message) {
        return helper::runCommand(arguments, {{temp / "conf"}, {}}, helper::Tools{}, helper::openSource,
                                  message);
    }
    int install(const std::string& source, const std::string& destination, std::string& message) {
        const bool configuration = destination.ends_with(".conf");
        return run({configuration ? "install-config" : "install", source, destination}, message);
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

TEST_F(InstallHelperCopy, TheBackupKeepsTheOriginalsModeAndOwner) {
    writeFile(temp / "staging", "new\n");
    writeFile(temp / "conf/httpd.conf", "old\n");
    ASSERT_EQ(::chmod((temp / "conf/httpd.conf").c_str(), 0600), 0);
    const uid_t owner = ::geteuid() == 0 ? 65534 : ::geteuid();
    ASSERT_EQ(::chown((temp / "conf/httpd.conf").c_str(), owner, static_cast<gid_t>(-1)), 0);
    std::string message;
    ASSERT_EQ(
        run({"install-config", temp / "staging", temp / "conf/httpd.conf", "httpd.conf.keepgate-20261209-1"},
            message),
        0)
        << message;
    EXPECT_EQ(readFile(temp / "conf/httpd.conf"), "new\n");
    EXPECT_EQ(readFile(temp / "conf/httpd.conf.keepgate-20261209-1"), "old\n");
    for (const char* name : {"httpd.conf", "httpd.conf.keepgate-20261209-1"}) {
        struct stat info {};
        ASSERT_EQ(::stat((temp / ("conf/" + std::string(name))).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0600u) << name;
        EXPECT_EQ(info.st_uid, owner) << name;
    }
    // A backup is never made over an existing file.
    EXPECT_EQ(
        run({"install-config", temp / "staging", temp / "conf/httpd.conf", "httpd.conf.keepgate-20261209-1"},
            message),
        1);
    EXPECT_NE(message.find("cannot be made"), std::string::npos) << message;
    EXPECT_EQ(readFile(temp / "conf/httpd.conf.keepgate-20261209-1"), "old\n");
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
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only links owned by root are followed";
    }
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
    // A source one byte over the limit is refused from its size alone: it is never read.
    const int large = ::open((temp / "large").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_EQ(::ftruncate(large, static_cast<off_t>(helper::kSourceSizeLimit) + 1), 0);
    ::close(large);
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* says;
    } cases[] = {
        {{"install-config", temp / "missing", temp / "conf/httpd.conf"}, 1, "cannot be opened"},
        {{"install-config", temp / "folder", temp / "conf/httpd.conf"}, 1, "not a regular file"},
        {{"install-config", temp / "large", temp / "conf/httpd.conf"}, 2, "larger than 64 MiB"},
        {{"install-config", "staging", temp / "conf/httpd.conf"}, 2, "not an absolute path"},
        {{"install-config", temp / "other/file", temp / "other/httpd.conf"}, 2, "refused"},
        {{"install-config", temp / "other/file", temp / "conf/httpd.conf", "../httpd.conf.keepgate-1"},
         2,
         "not a backup name"},
        {{"install-config", temp / "other/file", temp / "conf/httpd.conf", "passwd"}, 2, "not a backup name"},
        {{"install", temp / "other/file", temp / "conf/httpd.conf"}, 2, "written only by \"install-config\""},
        {{"install", temp / "other/file"}, 2, "usage"},
        {{"enable-module", "Bad-Name"}, 2, "refused"},
        {{"enable-conf", "../keepgate"}, 2, "refused"},
        {{"copy", "a", "b"}, 2, "usage"},
        {{}, 2, "usage"},
    };
    for (const auto& c : cases) {
        std::string message;
        EXPECT_EQ(run(c.arguments, message), c.status) << (c.arguments.empty() ? "" : c.arguments.front());
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

// The built helper as root on the real layout, with tmpfs over the folders it may touch, in a mount
// namespace of its own so nothing of this machine is changed.
TEST(InstallHelperProgram, AsRootWritesOnlyWhereKeepgateWrites) {
    if (::geteuid() != 0 || shell("unshare -m true 2>/dev/null") != 0) {
        GTEST_SKIP() << "needs root and a private mount namespace (unshare -m)";
    }
    TempDir temp;
    writeFile(temp / "conf-source", "# Keepgate\n");
    writeFile(temp / "access-source", "AuthType Basic\n");
    writeFile(temp / "users-source", "alice:x\n");
    const std::string web = ::access("/srv", F_OK) == 0 ? "/srv" : "/mnt";
    writeFile(temp / "script.sh",
              "set -e\n"
              "mount --make-rprivate /\n"
              "for d in /etc/apt /etc/apache2 " +
                  web +
                  "; do mount -t tmpfs -o mode=0755 tmpfs \"$d\"; done\n"
                  "mkdir -p /etc/apt/apt.conf.d /etc/apache2/conf-available " +
                  web +
                  "/www/site\n"
                  "echo 'export APACHE_RUN_USER=www-data' > /etc/apache2/envvars\n"
                  "set +e\n"
                  "try() { \"$H\" \"$@\" 2>> \"$T/stderr\"; echo \"$? $1 $3\" >> \"$T/status\"; }\n"
                  "try install-config \"$T/conf-source\" /etc/apt/apt.conf.d/keepgate.conf\n"
                  "try install \"$T/users-source\" /etc/apt/apt.conf.d/keepgate.conf\n"
                  "try install-config \"$T/conf-source\" /etc/apache2/envvars\n"
                  "try install \"$T/users-source\" /etc/apache2/envvars\n"
                  "try install-config \"$T/conf-source\" /etc/apache2/conf-available/keepgate.conf\n"
                  "try install \"$T/access-source\" " +
                  web +
                  "/www/site/.htaccess\n"
                  "ls -A /etc/apt/apt.conf.d > \"$T/apt\"\n"
                  "cat /etc/apache2/envvars > \"$T/envvars\"\n"
                  "cat /etc/apache2/conf-available/keepgate.conf > \"$T/conf\"\n"
                  "cat " +
                  web + "/www/site/.htaccess > \"$T/htaccess\"\n");
    ASSERT_EQ(shell("H='" + std::string(KEEPGATE_INSTALL_HELPER) + "' T='" + temp.path() +
                    "' unshare -m sh '" + (temp / "script.sh") + "'"),
              0)
        << readFile(temp / "stderr");

    EXPECT_EQ(readFile(temp / "status"), "2 install-config /etc/apt/apt.conf.d/keepgate.conf\n"
                                         "2 install /etc/apt/apt.conf.d/keepgate.conf\n"
                                         "2 install-config /etc/apache2/envvars\n"
                                         "2 install /etc/apache2/envvars\n"
                                         "0 install-config /etc/apache2/conf-available/keepgate.conf\n"
                                         "0 install " +
                                             web + "/www/site/.htaccess\n");
    EXPECT_EQ(readFile(temp / "apt"), "");
    EXPECT_EQ(readFile(temp / "envvars"), "export APACHE_RUN_USER=www-data\n");
    EXPECT_EQ(readFile(temp / "conf"), "# Keepgate\n");
    EXPECT_EQ(readFile(temp / "htaccess"), "AuthType Basic\n");
    // Each refusal names the file and the rule.
    const std::string said = readFile(temp / "stderr");
    for (const char* words : {"\"/etc/apt/apt.conf.d/keepgate.conf\": it lies in the system folder /etc",
                              "\"/etc/apache2/envvars\": the server's envvars is never written"}) {
        EXPECT_NE(said.find(words), std::string::npos) << said;
    }
}

} // namespace
} // namespace keepgate::testing

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "services/ServerCheck.h"
#include "support/TestSupport.h"

namespace keepgate {
namespace {

using testing::HeadlessTest;

struct OverrideCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files; // under the root; "main.conf" is read first
    std::string directory;
    std::string expected; // the AllowOverride words in force
    bool authConfig;
    int problems = 0;
};

class AllowOverrideTest : public ::testing::TestWithParam<OverrideCase> {};

TEST_P(AllowOverrideTest, LongestMatchingDirectoryWins) {
    const OverrideCase& c = GetParam();
    testing::TempDir root;
    for (const auto& [path, contents] : c.files) {
        testing::writeFile(root / path, contents);
    }
    const auto config = ApacheConfig::read("main.conf", root.path());
    const auto resolution = ServerCheck::allowOverrideFor(config, c.directory);
    std::string words;
    for (const auto& word : resolution.allowOverride) {
        words += (words.empty() ? "" : " ") + word;
    }
    EXPECT_EQ(words, c.expected);
    EXPECT_EQ(resolution.allows("AuthConfig"), c.authConfig);
    EXPECT_EQ(static_cast<int>(config.problems.size()), c.problems);
}

const std::string kDebian = "<Directory />\n\tAllowOverride None\n\tRequire all denied\n</Directory>\n"
                            "<Directory /var/www/>\n\tAllowOverride None\n</Directory>\n";

INSTANTIATE_TEST_SUITE_P(
    Table, AllowOverrideTest,
    ::testing::Values(
        OverrideCase{"DebianDefaultsNoneForRootAndWww",
                     {{"main.conf", kDebian}},
                     "/var/www/html/private",
                     "None",
                     false},
        OverrideCase{"LongerPathWinsWhateverTheOrder",
                     {{"main.conf", "<Directory /var/www>\nAllowOverride AuthConfig Limit\n</Directory>\n"
                                    "<Directory />\nAllowOverride None\n</Directory>\n"}},
                     "/var/www/site",
                     "AuthConfig Limit",
                     true},
        OverrideCase{"RootOnlyForAFolderElsewhere",
                     {{"main.conf", "<Directory />\nAllowOverride None\n</Directory>\n"
                                    "<Directory /var/www>\nAllowOverride All\n</Directory>\n"}},
                     "/srv/site",
                     "None",
                     false},
        OverrideCase{"TrailingSlashesOnBothSides",
                     {{"main.conf", "<Directory \"/srv/site/\">\nAllowOverride AuthConfig\n</Directory>\n"}},
                     "/srv/site/",
                     "AuthConfig",
                     true},
        OverrideCase{"PrefixOfAComponentDoesNotMatch",
                     {{"main.conf", "<Directory /srv/site>\nAllowOverride All\n</Directory>\n"}},
                     "/srv/site2",
                     "None",
                     false},
        OverrideCase{"QuotedPathWithBlank",
                     {{"main.conf", "<Directory \"/srv/my site\">\n  AllowOverride All\n</Directory>\n"}},
                     "/srv/my site/inner",
                     "All",
                     true},
        OverrideCase{
            "WildcardComponent",
            {{"main.conf", "<Directory /home/*/public_html>\nAllowOverride AuthConfig\n</Directory>\n"}},
            "/home/alice/public_html/secret",
            "AuthConfig",
            true},
        OverrideCase{"LaterSectionOfEqualLengthWins",
                     {{"main.conf", "<Directory /srv>\nAllowOverride All\n</Directory>\n"
                                    "<Directory /srv/>\nAllowOverride None\n</Directory>\n"}},
                     "/srv/x",
                     "None",
                     false},
        OverrideCase{"CommentedDirectiveAndSectionCount",
                     {{"main.conf", "<Directory /srv>\n#AllowOverride All\nAllowOverride None\n</Directory>\n"
                                    "# <Directory /srv/x>\n#   AllowOverride All\n# </Directory>\n"}},
                     "/srv/x",
                     "None",
                     false},
        OverrideCase{"CaseOfNamesIsIgnored",
                     {{"main.conf", "<directory /srv>\nallowoverride authconfig\n</DIRECTORY>\n"}},
                     "/srv/x",
                     "authconfig",
                     true},
        OverrideCase{"NestedInVirtualHostAndIfModule",
                     {{"main.conf", "<VirtualHost *:80>\n<IfModule mod_authz_core.c>\n<Directory /srv>\n"
                                    "AllowOverride AuthConfig\n</Directory>\n</IfModule>\n</VirtualHost>\n"}},
                     "/srv/x",
                     "AuthConfig",
                     true},
        OverrideCase{"OutsideAnyDirectorySectionCountsForNothing",
                     {{"main.conf", "AllowOverride All\n<Location /x>\nAllowOverride All\n</Location>\n"}},
                     "/srv",
                     "None",
                     false},
        OverrideCase{
            "IncludeWithGlobAndRelativePath",
            {{"main.conf", kDebian + "IncludeOptional sites-enabled/*.conf\n"},
             {"sites-enabled/site.conf", "<Directory /var/www/html>\nAllowOverride AuthConfig Limit\n"
                                         "</Directory>\n"}},
            "/var/www/html/private",
            "AuthConfig Limit",
            true},
        OverrideCase{
            "MissingIncludedFileIsAProblemNotTheEnd",
            {{"main.conf", "Include missing.conf\n<Directory /srv>\nAllowOverride All\n</Directory>\n"}},
            "/srv",
            "All",
            true,
            1},
        OverrideCase{"ContinuedLine",
                     {{"main.conf", "<Directory /srv>\nAllowOverride \\\n  AuthConfig\n</Directory>\n"}},
                     "/srv",
                     "AuthConfig",
                     true},
        OverrideCase{
            "AllowOverrideListNamingEveryDirective",
            {{"main.conf", "<Directory /srv>\nAllowOverride None\nAllowOverrideList AuthType AuthName "
                           "AuthUserFile AuthGroupFile Require\n</Directory>\n"}},
            "/srv/x",
            "None",
            true},
        OverrideCase{
            "AllowOverrideListMissingOne",
            {{"main.conf", "<Directory /srv>\nAllowOverrideList AuthType AuthName Require\n</Directory>\n"}},
            "/srv/x",
            "None",
            false},
        OverrideCase{"RegexSectionIsNotAPathPrefix",
                     {{"main.conf", "<Directory ~ \"^/srv\">\nAllowOverride All\n</Directory>\n"}},
                     "/srv",
                     "None",
                     false}),
    [](const auto& info) { return std::string(info.param.name); });

class ServerCheckTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        profile.mainConfig = temp / "apache2.conf";
        profile.serverRoot = temp.path();
        systemPaths().detectionTimeoutMilliseconds = 2000;
    }

    std::vector<FindingKind> kinds(const std::vector<Finding>& findings) {
        std::vector<FindingKind> result;
        for (const auto& finding : findings) {
            result.push_back(finding.kind);
        }
        return result;
    }

    ServerProfile profile;
};

TEST_F(ServerCheckTest, ModulesComeFromTheControlProgramAndElseFromLoadModuleLines) {
    const std::string everything = "LoadModule auth_basic_module m.so\nLoadModule authn_file_module m.so\n"
                                   "LoadModule authz_user_module m.so\nLoadModule authn_core_module m.so\n"
                                   "LoadModule authz_core_module m.so\n";
    testing::writeFile(profile.mainConfig,
                       "<Directory /srv>\nAllowOverride All\n</Directory>\n" + everything);
    // Without a control program the LoadModule lines answer: groups and host rules need two more.
    auto findings = ServerCheck::run(profile, "/srv", true, "", "", true, true);
    ASSERT_EQ(kinds(findings),
              (std::vector<FindingKind>{FindingKind::ModuleMissing, FindingKind::ModuleMissing}));
    EXPECT_EQ(findings[0].subject, "authz_groupfile");
    EXPECT_EQ(findings[1].subject, "access_compat");
    EXPECT_NE(findings[0].message.find("LoadModule line"), std::string::npos);
    EXPECT_TRUE(ServerCheck::run(profile, "/srv", true, "", "", false, false).empty());

    // The control program's -M wins over the lines: it knows what the server really loads.
    profile.controlProgram = temp / "apache2ctl";
    profile.enableModuleProgram = "/usr/sbin/a2enmod";
    profile.environment = {{"APACHE_RUN_USER", "www-data"}};
    testing::writeScript(
        profile.controlProgram,
        "echo \"$@ $APACHE_RUN_USER\" > '" + temp / "args" +
            "'\necho 'Loaded Modules:'\n"
            "for m in core so auth_basic authn_file authz_user authn_core authz_core authz_groupfile; do "
            "echo \" ${m}_module (shared)\"; done\n");
    findings = ServerCheck::run(profile, "/srv", true, "", "", true, false);
    EXPECT_TRUE(findings.empty()) << findings[0].message;
    EXPECT_EQ(testing::readFile(temp / "args"),
              "-M -f " + profile.mainConfig + " -d " + temp.path() + " www-data\n");
    findings = ServerCheck::run(profile, "/srv", true, "", "", true, true);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].subject, "access_compat");
    EXPECT_NE(findings[0].message.find("a2enmod"), std::string::npos);
}

TEST_F(ServerCheckTest, OverridesIncludeAndPublishedUserFile) {
    profile.documentRoot = temp / "www";
    testing::writeFile(temp / "www/users", "a:b\n");
    testing::writeFile(temp / "www/.htpasswd", "a:b\n");
    testing::writeFile(
        profile.mainConfig,
        "<Directory />\nAllowOverride None\n</Directory>\n<Directory /var/www/>\nAllowOverride "
        "AuthConfig\n</Directory>\n<FilesMatch \"^\\.ht\">\nRequire all denied\n</FilesMatch>\n"
        "LoadModule auth_basic_module m.so\nLoadModule authn_file_module m.so\n"
        "LoadModule authz_user_module m.so\nLoadModule authn_core_module m.so\n"
        "LoadModule authz_core_module m.so\nLoadModule access_compat_module m.so\n"
        "IncludeOptional conf.d/*.conf\n");
    const struct {
        const char* name;
        std::string directory;
        bool accessFileMode, hostRules;
        std::string userfile, shared;
        std::vector<FindingKind> expected;
    } cases[] = {
        {"outside /var/www", "/srv/site", true, false, "", "", {FindingKind::OverridesIgnored}},
        {"AuthConfig without Limit is enough without host rules", "/var/www/html", true, false, "", "", {}},
        {"host rules need Limit too", "/var/www/html", true, true, "", "", {FindingKind::OverridesIgnored}},
        {"configuration-file mode asks for the include, not overrides",
         "/srv/site",
         false,
         false,
         "",
         "/etc/keepgate.conf",
         {FindingKind::IncludeMissing}},
        {"include through the glob", "/srv/site", false, false, "", temp / "conf.d/keepgate.conf", {}},
        {"user file published",
         "/var/www/html",
         true,
         false,
         temp / "www/users",
         "",
         {FindingKind::UserfilePublished}},
        {".ht name is refused by the server", "/var/www/html", true, false, temp / "www/.htpasswd", "", {}},
        {"missing user file",
         "/var/www/html",
         true,
         false,
         temp / "absent",
         "",
         {FindingKind::UserfileUnreadable}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto findings = ServerCheck::run(profile, c.directory, c.accessFileMode, c.userfile, "", false,
                                               c.hostRules, c.shared);
        EXPECT_EQ(kinds(findings), c.expected) << (findings.empty() ? "" : findings[0].message);
        for (const auto& finding : findings) {
            // One sentence saying what is wrong and what can be done.
            EXPECT_EQ(finding.message.back(), '.') << finding.message;
        }
    }
}

TEST_F(ServerCheckTest, ServerUserMustReachTheFiles) {
    // nobody exists on every system this runs on; the files are made so that it may or may not reach them.
    if (!getpwnam("nobody")) {
        GTEST_SKIP() << "no user nobody";
    }
    profile.serverUser = "nobody";
    testing::writeFile(profile.mainConfig, "");
    testing::writeFile(temp / "open/users", "a:b\n");
    testing::writeFile(temp / "closed/groups", "g: a\n");
    testing::writeFile(temp / "open/private", "a:b\n");
    chmod(temp.path().c_str(), 0755);
    chmod((temp / "open").c_str(), 0755);
    chmod((temp / "open/users").c_str(), 0644);
    chmod((temp / "open/private").c_str(), 0600);
    chmod((temp / "closed").c_str(), 0700);
    EXPECT_EQ(ServerCheck::unreadableFor("nobody", temp / "open/users"), std::nullopt);
    EXPECT_NE(ServerCheck::unreadableFor("nobody", temp / "open/private"), std::nullopt);
    const auto folder = ServerCheck::unreadableFor("nobody", temp / "closed/groups");
    ASSERT_TRUE(folder);
    EXPECT_NE(folder->find(temp / "closed"), std::string::npos) << *folder;
    EXPECT_NE(ServerCheck::unreadableFor("nobody", temp / "open/missing"), std::nullopt);
    EXPECT_EQ(ServerCheck::unreadableFor("", temp / "closed/groups"), std::nullopt)
        << "unknown user: no claim";

    std::vector<FindingKind> found;
    for (const auto& finding :
         ServerCheck::run(profile, "", true, temp / "open/private", temp / "closed/groups", true, false)) {
        if (finding.kind != FindingKind::ModuleMissing) {
            found.push_back(finding.kind);
        }
    }
    EXPECT_EQ(found,
              (std::vector<FindingKind>{FindingKind::UserfileUnreadable, FindingKind::GroupfileUnreadable}));
}

// The fixes never touch a packaged line: they go into Keepgate's own file where the layout has a native
// folder for it, and only elsewhere append one Include line (with its line feed) to the main file.
TEST_F(ServerCheckTest, FixesGoToKeepgatesOwnFileInTheLayoutsNativePlace) {
    const std::string main = "<Directory />\n\tAllowOverride None\n</Directory>\n<Directory /var/www/>\r\n"
                             "    AllowOverride FileInfo\r\n</Directory>\r\n# end";
    const std::string site =
        "<Directory \"/var/www/html\">\n    AllowOverride FileInfo AuthConfig Limit\n</Directory>\n";
    const struct {
        const char* name;
        std::string includes; // appended to the main file
        std::vector<std::string> folders;
        std::string ownFile, sharedDefault, includeInOwnFile;
        std::vector<std::string> enable;
        bool mainChanges;
    } cases[] = {
        {"Debian-like: conf-available, enabled with a2enconf",
         "IncludeOptional conf-enabled/*.conf\n",
         {"conf-available", "conf-enabled", "mods-available"},
         "conf-available/keepgate.conf",
         "conf-available/keepgate-protection.conf",
         "",
         {"keepgate"},
         false},
        {"Fedora-like: conf.d, read as it is",
         "IncludeOptional conf.d/*.conf\n",
         {"conf.d"},
         "conf.d/keepgate.conf",
         "conf.d/keepgate-protection.conf",
         "",
         {},
         false},
        {"conf.d that the main file does not read is no native place",
         "",
         {"conf.d"},
         "keepgate-overrides.conf",
         "keepgate.conf",
         "",
         {},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir root;
        for (const auto& folder : c.folders) {
            std::filesystem::create_directories(root / folder);
        }
        testing::writeScript(root / "bin/a2enmod", "exit 0\n");
        testing::writeScript(root / "bin/a2enconf", "exit 0\n");
        testing::writeFile(root / "main.conf", main + "\n" + c.includes);
        ServerProfile profile;
        profile.mainConfig = root / "main.conf";
        profile.serverRoot = root.path();
        profile.enableModuleProgram =
            platform::isDirectory(root / "mods-available") ? root / "bin/a2enmod" : "";
        EXPECT_EQ(ServerCheck::defaultSharedFile(profile), root / c.sharedDefault);

        std::string problem;
        const auto fix = ServerCheck::overrideFix(profile, "/var/www/html/", &problem);
        ASSERT_TRUE(fix) << problem;
        ASSERT_EQ(fix->writes.size(), 1u);
        EXPECT_EQ(fix->writes[0].path, root / c.ownFile);
        EXPECT_EQ(fix->writes[0].text, site);
        EXPECT_EQ(fix->enable, c.enable);
        EXPECT_EQ(fix->mainText.has_value(), c.mainChanges);
        if (c.mainChanges) {
            EXPECT_EQ(*fix->mainText, main + "\n" + c.includes + "Include " + root / c.ownFile + "\n");
        }
        // Written again, the directory's section replaces its earlier one; other sections stay.
        testing::writeFile(root / c.ownFile,
                           "<Directory \"/srv\">\n    AllowOverride AuthConfig\n</Directory>\n" + site);
        EXPECT_EQ(ServerCheck::overrideFix(profile, "/var/www/html", &problem)->writes[0].text,
                  "<Directory \"/srv\">\n    AllowOverride AuthConfig\n</Directory>\n" + site);

        // A shared file elsewhere is named by an Include line in the own file on a native layout.
        const auto include = ServerCheck::includeFix(profile, root / "shared file.conf", &problem);
        ASSERT_TRUE(include) << problem;
        EXPECT_EQ(include->writes.front().path, root / "shared file.conf");
        EXPECT_EQ(include->writes.front().text, "");
        const std::string line = "Include \"" + root / "shared file.conf" + "\"\n";
        if (c.mainChanges) {
            EXPECT_EQ(include->writes.size(), 1u);
            EXPECT_EQ(include->mainAdded, line);
        } else {
            ASSERT_EQ(include->writes.size(), 2u);
            EXPECT_EQ(include->writes[1].added, line);
            EXPECT_FALSE(include->mainText);
        }
    }

    ServerProfile none;
    none.mainConfig = "/nonexistent/httpd.conf";
    none.serverRoot = "/nonexistent";
    std::string problem;
    EXPECT_FALSE(ServerCheck::overrideFix(none, "/srv/a\"b", &problem));
    EXPECT_NE(problem.find("section header"), std::string::npos) << problem;
    EXPECT_FALSE(ServerCheck::overrideFix(none, "/srv/www", &problem));
    EXPECT_NE(problem.find("/nonexistent/httpd.conf could not be read"), std::string::npos) << problem;
}

} // namespace
} // namespace keepgate

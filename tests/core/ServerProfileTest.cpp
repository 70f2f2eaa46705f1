#include <gtest/gtest.h>

#include "app/PreferencesController.h"
#include "platform/Process.h"
#include "platform/SystemPaths.h"
#include "services/ServerProfile.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate {
namespace {

using testing::HeadlessTest;

class ServerProfileTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        systemPaths().controlProgramFolders = {temp / "bin", temp / "sbin"};
        systemPaths().knownMainConfigs = {temp / "none/apache2.conf", temp / "httpd/conf/httpd.conf",
                                          temp / "other/httpd.conf"};
        systemPaths().detectionTimeoutMilliseconds = 500;
    }

    // A control program that answers -V as Apache does, with the given root and configuration file.
    void controlProgram(const std::string& path, const std::string& root, const std::string& config) {
        testing::writeScript(path, "[ \"$1\" = -V ] || exit 2\necho 'Server version: Apache/2.4'\n"
                                   "echo ' -D HTTPD_ROOT=\"" +
                                       root + "\"'\necho ' -D SERVER_CONFIG_FILE=\"" + config + "\"'\n");
    }

    // A Debian-like layout: envvars, apache2.conf with variables, an included site and a module.
    std::string debianLayout() {
        const std::string root = temp / "apache2";
        testing::writeFile(root + "/envvars", "unset HOME\nexport APACHE_RUN_USER=www-data\n"
                                              "export APACHE_LOG_DIR=/var/log/apache2$SUFFIX\n");
        testing::writeFile(root + "/apache2.conf",
                           "User ${APACHE_RUN_USER}\nIncludeOptional mods-enabled/*.load\n"
                           "IncludeOptional sites-enabled/*.conf\n");
        testing::writeFile(root + "/mods-enabled/auth_basic.load",
                           "LoadModule auth_basic_module /usr/lib/apache2/modules/mod_auth_basic.so\n");
        testing::writeFile(root + "/mods-available/auth_basic.load", "");
        testing::writeFile(root + "/sites-enabled/000-default.conf",
                           "<VirtualHost *:80>\nDocumentRoot /var/www/html\n</VirtualHost>\n");
        return root;
    }
};

TEST_F(ServerProfileTest, ControlProgramAnswersWithTheDistributionLayout) {
    const std::string root = debianLayout();
    testing::writeScript(temp / "sbin/a2enmod", "exit 0\n");
    // apache2ctl comes first even when httpd stands earlier on the path.
    controlProgram(temp / "bin/httpd", temp / "other", "httpd.conf");
    controlProgram(temp / "sbin/apache2ctl", root, "apache2.conf");

    const auto profile = ServerProfile::detect();

    ASSERT_TRUE(profile);
    EXPECT_EQ(profile->mainConfig, root + "/apache2.conf");
    EXPECT_EQ(profile->serverRoot, root);
    EXPECT_EQ(profile->controlProgram, temp / "sbin/apache2ctl");
    EXPECT_EQ(profile->environmentFile, root + "/envvars");
    EXPECT_EQ(profile->environment.at("APACHE_RUN_USER"), "www-data");
    EXPECT_EQ(profile->environment.at("APACHE_LOG_DIR"), "/var/log/apache2");
    EXPECT_EQ(profile->serverUser, "www-data");
    EXPECT_EQ(profile->documentRoot, "/var/www/html");
    EXPECT_EQ(profile->modulesFolder, "/usr/lib/apache2/modules");
    EXPECT_EQ(profile->enableModuleProgram, temp / "sbin/a2enmod");
    EXPECT_EQ(profile->reloadCommand(), (std::vector<std::string>{temp / "sbin/apache2ctl", "graceful"}));
    // The version line decides which form of host rules a new protection is written in.
    EXPECT_EQ(profile->version, "2.4");
    for (const auto& [version, speaks24] :
         {std::pair{"2.4.62", true}, std::pair{"2.2.34", false}, std::pair{"", false},
          std::pair{"2.10.1", true}, std::pair{"3.0", true}}) {
        EXPECT_EQ(speaksApache24(version), speaks24) << version;
    }
    EXPECT_EQ(serverVersion("Server version: Apache/2.2.34 (Unix)\nServer built: ..."), "2.2.34");

    profile->applyTo(systemPaths());
    EXPECT_EQ(ServerProfile::current().version, "2.4");
    EXPECT_TRUE(systemPaths().serverDetected);
    EXPECT_EQ(systemPaths().mainConfig, root + "/apache2.conf");
    EXPECT_EQ(systemPaths().defaultConfigFile, root + "/keepgate.conf");
    EXPECT_EQ(systemPaths().documentRoot, "/var/www/html");
}

TEST_F(ServerProfileTest, FallsBackToTheKnownFilesInOrder) {
    const struct {
        const char* name;
        std::string script; // the control program's body; empty: none on the path
        std::vector<std::string> present;
        std::string expectedConfig, expectedRoot;
    } cases[] = {
        {"no control program",
         "",
         {"other/httpd.conf", "httpd/conf/httpd.conf"},
         temp / "httpd/conf/httpd.conf",
         temp / "httpd"},
        {"control program fails",
         "echo broken >&2\nexit 1\n",
         {"other/httpd.conf"},
         temp / "other/httpd.conf",
         temp / "other"},
        {"control program hangs and is killed",
         "exec sleep 30\n",
         {"other/httpd.conf"},
         temp / "other/httpd.conf",
         temp / "other"},
        {"answer names a missing file",
         "echo ' -D HTTPD_ROOT=\"/nowhere\"'\necho ' -D SERVER_CONFIG_FILE=\"x\"'\n",
         {"other/httpd.conf"},
         temp / "other/httpd.conf",
         temp / "other"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::shell("rm -rf '" + temp / "bin" + "' '" + temp / "httpd" + "' '" + temp / "other" + "'");
        if (!c.script.empty()) {
            testing::writeScript(temp / "bin/apachectl", c.script);
        }
        for (const auto& file : c.present) {
            testing::writeFile(temp / file, "ServerName example\n");
        }
        const auto profile = ServerProfile::detect();
        ASSERT_TRUE(profile);
        EXPECT_EQ(profile->mainConfig, c.expectedConfig);
        EXPECT_EQ(profile->serverRoot, c.expectedRoot);
        EXPECT_EQ(profile->controlProgram, "");
        EXPECT_TRUE(profile->reloadCommand().empty());
    }
}

TEST_F(ServerProfileTest, NothingFoundKeepsTheShippedPaths) {
    EXPECT_FALSE(ServerProfile::detect());
    const SystemPaths shipped;
    EXPECT_EQ(systemPaths().mainConfig, shipped.mainConfig);
    EXPECT_EQ(systemPaths().defaultConfigFile, "/Library/WebServer/keepgate.conf");
}

TEST_F(ServerProfileTest, ServerRootInTheConfigurationWinsForRelativeIncludes) {
    testing::writeFile(temp / "httpd/conf/httpd.conf",
                       "ServerRoot \"" + temp / "real" + "\"\nInclude conf.d/*.conf\n");
    testing::writeFile(temp / "real/conf.d/user.conf", "User apache\nDocumentRoot \"/var/www/html\"\n");
    const auto profile = ServerProfile::detect();
    ASSERT_TRUE(profile);
    EXPECT_EQ(profile->serverRoot, temp / "real");
    EXPECT_EQ(profile->serverUser, "apache");
    EXPECT_EQ(profile->environmentFile, "");
    EXPECT_EQ(profile->enableModuleProgram, "");
}

TEST_F(ServerProfileTest, EnvironmentFileIsReadAsAShellWouldWithoutRunningItsPathAsCode) {
    const std::string path = temp / "odd $(touch pwned) name";
    testing::writeFile(path, "A=1\nexport B=\"two words\"\nexport C=$A$A\n");
    const auto variables = readEnvironmentFile(path, 2000);
    EXPECT_EQ(variables.count("A"), 0u) << "a variable not exported stays the shell's own";
    EXPECT_EQ(variables.at("B"), "two words");
    EXPECT_EQ(variables.at("C"), "11");
    EXPECT_EQ(testing::readFile(temp / "pwned"), "<missing>");
    EXPECT_TRUE(readEnvironmentFile(temp / "missing", 2000).empty());
}

TEST_F(ServerProfileTest, RestoredAndEmptiedSharedFileIsKeepgateConfInTheDetectedRoot) {
    const std::string root = debianLayout();
    controlProgram(temp / "sbin/apache2ctl", root, "apache2.conf");
    ServerProfile::detect()->applyTo(systemPaths());
    PreferencesController windowless;
    windowless.restoreDefaults();
    EXPECT_EQ(defaults->stringForKey("KGconfigFilePathField"), root + "/keepgate.conf");
    defaults->setString("KGconfigFilePathField", "");
    windowless.savePrefs();
    EXPECT_EQ(defaults->stringForKey("KGconfigFilePathField"), root + "/keepgate.conf");
}

TEST_F(ServerProfileTest, PreferencesShowTheDetectedConfigurationAndDetectRestoresIt) {
    const std::string root = debianLayout();
    controlProgram(temp / "sbin/apache2ctl", root, "apache2.conf");
    ServerProfile::detect()->applyTo(systemPaths());
    testing::PreferencesLayout prefs;
    headless::TextField mainConfigField{true};
    prefs.controller.mainConfigField = &mainConfigField;
    prefs.controller.awakeFromNib();

    prefs.controller.showWindow();
    EXPECT_EQ(mainConfigField.text, root + "/apache2.conf");

    mainConfigField.text = temp / "custom.conf";
    prefs.controller.savePrefs();
    EXPECT_EQ(defaults->stringForKey("KGmainConfigPath"), temp / "custom.conf");
    EXPECT_EQ(systemPaths().mainConfig, temp / "custom.conf");
    prefs.controller.showWindow();
    EXPECT_EQ(mainConfigField.text, temp / "custom.conf");

    // A later start keeps the user's choice over detection.
    systemPaths().mainConfig = root + "/apache2.conf";
    PreferencesController::applyStoredMainConfig();
    EXPECT_EQ(systemPaths().mainConfig, temp / "custom.conf");

    prefs.controller.detectServer();
    EXPECT_EQ(mainConfigField.text, root + "/apache2.conf");
    prefs.controller.savePrefs();
    EXPECT_EQ(defaults->stringForKey("KGmainConfigPath"), "") << "the detected file is followed, not pinned";
    EXPECT_EQ(systemPaths().mainConfig, root + "/apache2.conf");
    EXPECT_TRUE(windows->alerts.empty());
}

TEST_F(ServerProfileTest, PreferencesRefuseAConfigurationPathApacheWouldMisread) {
    testing::PreferencesLayout prefs;
    headless::TextField mainConfigField{true};
    prefs.controller.mainConfigField = &mainConfigField;
    prefs.controller.awakeFromNib();
    prefs.controller.restoreDefaults();
    for (const std::string& path : std::vector<std::string>{"/etc/apache2/apache2.conf\nInclude /tmp/x",
                                                            "/etc/\"apache2.conf", "/etc/a\rb"}) {
        SCOPED_TRACE(path);
        windows->alerts.clear();
        prefs.protectionSettingsHtaccessRB.setState(0);
        mainConfigField.text = path;
        prefs.controller.savePrefs();
        ASSERT_EQ(windows->alerts.size(), 1u);
        EXPECT_EQ(windows->alerts[0].alert.title, "Error!");
        EXPECT_NE(windows->alerts[0].alert.message.find("Nothing was saved"), std::string::npos);
        EXPECT_EQ(defaults->stringForKey("KGprotectionSettings"), "1") << "nothing at all was stored";
        EXPECT_EQ(defaults->stringForKey("KGmainConfigPath"), std::nullopt);
        EXPECT_EQ(mainConfigField.text, path) << "the field keeps what was typed";
        EXPECT_EQ(systemPaths().mainConfig, SystemPaths{}.mainConfig);
    }
}

} // namespace
} // namespace keepgate

#include "ShellTestFixture.h"
#include <sys/stat.h>
#include <unistd.h>

#include "services/AdmTools.h"
#include "app/ServerActions.h"

namespace keepgate::testing {
namespace {

// Amendments on a detected server: its own configuration test decides, a backup comes first, the reload
// is offered after.
class ServerInstallTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        storePreferences("1");
        systemPaths().serverDetected = true;
        systemPaths().serverRoot = temp.path();
        systemPaths().controlProgram = temp / "apache2ctl";
        // Refuses any configuration that holds "BrokenDirective", the way Apache refuses a broken one.
        writeScript(temp / "apache2ctl",
                    "echo \"$@\" >> '" + temp / "ctl.log" +
                        "'\nif [ \"$1\" = -t ] && grep -q BrokenDirective \"$3\"; then\n"
                        "  echo 'AH00526: Syntax error on line 2 of '\"$3\" >&2; exit 1\nfi\n"
                        "echo 'Syntax OK' >&2\n");
        writeFile(systemPaths().mainConfig, "DocumentRoot /srv/www\n");
    }
};

TEST_F(ServerInstallTest, ConfigurationTheServerRefusesIsNeverInstalled) {
    writeFile(systemPaths().mainConfig, "DocumentRoot /srv/www\nBrokenDirective\n");
    layout.controller.setupConfigFileWithInclude(1);

    EXPECT_EQ(readFile(systemPaths().mainConfig), "DocumentRoot /srv/www\nBrokenDirective\n");
    EXPECT_EQ(readFile(sharedConfig), "<missing>");
    EXPECT_EQ(launcherCalls(), "") << "neither a backup nor a copy is made";
    ASSERT_EQ(windows->alerts.size(), 1u);
    const std::string& message = windows->alerts[0].alert.message;
    EXPECT_EQ(windows->alerts[0].alert.title, "Error!");
    EXPECT_NE(message.find("AH00526: Syntax error on line 2"), std::string::npos) << message;
    EXPECT_NE(message.find("The web server's configuration was not changed."), std::string::npos) << message;
    // The test ran on the private staging copy, with the server root.
    const std::string ctl = readFile(temp / "ctl.log");
    EXPECT_TRUE(ctl.starts_with("-t -f " + temp.path() + "/keepgate-")) << ctl;
    EXPECT_NE(ctl.find(" -d " + temp.path()), std::string::npos) << ctl;
    EXPECT_EQ(stagingLeftovers(), "");
}

TEST_F(ServerInstallTest, AControlProgramThatCannotRunInstallsNothing) {
    // The program vanished since detection: the amendment cannot be tested, so it is not installed.
    unlink((temp / "apache2ctl").c_str());
    layout.controller.setupConfigFileWithAllow(1);
    EXPECT_EQ(readFile(systemPaths().mainConfig), "DocumentRoot /srv/www\n");
    EXPECT_EQ(launcherCalls(), "");
    ASSERT_FALSE(windows->alerts.empty());
    const std::string& message = windows->alerts.back().alert.message;
    EXPECT_NE(message.find("could not be run"), std::string::npos) << message;
    EXPECT_NE(message.find("The web server's configuration was not changed."), std::string::npos) << message;
}

TEST_F(ServerInstallTest, PassingConfigurationIsBackedUpInstalledAndTheReloadOffered) {
    // A configuration only its owner may read keeps that mode, and so does its backup.
    chmod(systemPaths().mainConfig.c_str(), 0600);
    layout.controller.setupConfigFileWithAllow(1);

    EXPECT_EQ(readFile(systemPaths().mainConfig),
              "DocumentRoot /srv/www\nInclude " + temp / "keepgate-overrides.conf" + "\n");
    // The completion says what happened and offers the reload in the same alert.
    ASSERT_EQ(windows->alertTitles(), std::vector<std::string>{"Complete!"});
    const auto& offer = windows->alerts[0].alert;
    EXPECT_EQ(offer.defaultButton, "Reload the web server now");
    EXPECT_NE(offer.message.find("Added to " + temp / "keepgate-overrides.conf"), std::string::npos)
        << offer.message;
    EXPECT_EQ(offer.message.find("Personal Web Sharing"), std::string::npos) << offer.message;
    const std::string backup = backupNamedIn(offer.message);
    EXPECT_TRUE(backup.starts_with(systemPaths().mainConfig + ".keepgate-")) << offer.message;
    EXPECT_EQ(readFile(backup), "DocumentRoot /srv/www\n");
    struct stat kept {};
    ASSERT_EQ(stat(backup.c_str(), &kept), 0);
    EXPECT_EQ(kept.st_mode & 07777, 0600u);

    ASSERT_TRUE(windows->hasPendingSheet());
    windows->answer(1);
    EXPECT_NE(launcherCalls().find(temp / "apache2ctl graceful"), std::string::npos) << launcherCalls();
    EXPECT_EQ(windows->alerts.back().alert.title, "Reloaded") << windows->alerts.back().alert.message;
}

TEST_F(ServerInstallTest, FailedReloadIsReportedWithTheServersWords) {
    writeScript(temp / "apache2ctl",
                "[ \"$1\" = graceful ] && { echo 'apache2 is not running' >&2; exit 1; }\n"
                "exit 0\n");
    layout.controller.setupConfigFileWithAllow(1);
    while (windows->hasPendingSheet()) {
        windows->answer(1);
    }
    EXPECT_EQ(windows->alerts.back().alert.title, "Error!");
    EXPECT_NE(windows->alerts.back().alert.message.find("apache2 is not running"), std::string::npos);
}

TEST_F(ServerInstallTest, NotChangedIsSaidOnlyWhenTrue) {
    // The backup goes through, then the privileged side garbles the configuration and refuses to mend it.
    writeScript(temp / "launcher", "n=$(cat '" + temp / "count" +
                                       "' 2>/dev/null || echo 0); echo $((n+1)) > '" + temp / "count" +
                                       "'\ncase $n in 0) \"$@\"; printf garbage > \"$6\"; "
                                       "exit 0;; *) exit 126;; esac\n");
    layout.controller.setupConfigFileWithAllow(1);
    ASSERT_EQ(windows->alerts.size(), 1u);
    const std::string& message = windows->alerts[0].alert.message;
    EXPECT_EQ(readFile(systemPaths().mainConfig), "garbage");
    EXPECT_EQ(message.find("was not changed"), std::string::npos) << message;
    EXPECT_NE(message.find("may have been changed"), std::string::npos) << message;
    EXPECT_NE(message.find(systemPaths().mainConfig + ".keepgate-"), std::string::npos) << message;
}

TEST_F(ServerInstallTest, SharedFileInTheServersOwnFolderIsCreatedWithAdministratorRights) {
    // Refuses nothing, so the include goes in once the shared file exists.
    writeScript(temp / "apache2ctl", "exit 0\n");
    const std::string shared = temp / "etc-apache2/keepgate.conf";
    writeFile(temp / "etc-apache2/apache2.conf", "");
    chmod((temp / "etc-apache2").c_str(), 0555);
    defaults->setString("KGconfigFilePathField", shared);
    layout.controller.setupConfigFileWithInclude(1);
    chmod((temp / "etc-apache2").c_str(), 0755);
    EXPECT_EQ(readFile(shared), "");
    // The superuser's own write already succeeds; anyone else needs the administrator's copy.
    if (geteuid() != 0) {
        EXPECT_NE(launcherCalls().find(shared), std::string::npos) << launcherCalls();
    }
    EXPECT_TRUE(AdmTools::checkForIncludeInConf());
    EXPECT_EQ(windows->alertTitles(), std::vector<std::string>{"Complete!"});
}

TEST_F(ServerInstallTest, SharedFileSaveIsTestedAgainAndCanBePutBack) {
    const std::string shared = temp / "keepgate.conf";
    writeFile(shared, "<Directory \"/srv\">\nInclude broken\n</Directory>\n");
    // The test script refuses the main configuration once it holds the broken line.
    writeFile(systemPaths().mainConfig, "Include " + shared + "\nBrokenDirective\n");
    ServerActions::checkAfterSharedSave(&layout.mainWindow, shared, "previous\n");
    ASSERT_TRUE(windows->hasPendingSheet());
    const auto& sheet = windows->pendingSheet().alert;
    EXPECT_NE(sheet.message.find("AH00526"), std::string::npos) << sheet.message;
    EXPECT_EQ(sheet.defaultButton, "Restore the previous file");
    windows->answer(1);
    EXPECT_EQ(readFile(shared), "previous\n");
    EXPECT_EQ(windows->alerts.back().alert.title, "Restored");

    // A save the server accepts is followed by the reload offer.
    writeFile(systemPaths().mainConfig, "ServerName x\n");
    windows->alerts.clear();
    ServerActions::checkAfterSharedSave(&layout.mainWindow, shared, "previous\n");
    EXPECT_EQ(windows->alertTitles(), std::vector<std::string>{"Reload"});
}

} // namespace
} // namespace keepgate::testing

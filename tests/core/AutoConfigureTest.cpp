#include <sys/stat.h>

#include "ShellTestFixture.h"
#include "services/AdmTools.h"

namespace keepgate::testing {
namespace {

const std::string kComplete =
    "Apache (httpd) is now configured. Please restart the Personal Web Sharing in your "
    "System Preferences for the changes to take effect!";

class AutoConfigureTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        storePreferences("2");
    }

    void run(bool include, int returnCode = 1) {
        if (include) {
            layout.controller.setupConfigFileWithInclude(returnCode);
        } else {
            layout.controller.setupConfigFileWithAllow(returnCode);
        }
    }

    // The completion alert, then the note that names the backup of the replaced configuration.
    void expectComplete() {
        ASSERT_EQ(windows->alerts.size(), 2u);
        EXPECT_EQ(windows->alerts[1].alert.title, "Backup");
        EXPECT_NE(windows->alerts[1].alert.message.find(systemPaths().mainConfig + ".keepgate-"),
                  std::string::npos)
            << windows->alerts[1].alert.message;
        EXPECT_EQ(windows->alerts[0].alert.title, "Complete!");
        EXPECT_EQ(windows->alerts[0].alert.message, kComplete);
        EXPECT_EQ(windows->alerts[0].alert.defaultButton, "OK");
        EXPECT_EQ(windows->alerts[0].alert.alternateButton, "");
        EXPECT_EQ(windows->alerts[0].parent, nullptr);
    }

    // An error sheet on the main window whose message holds every one of `parts`.
    void expectError(const std::vector<std::string>& parts) {
        ASSERT_EQ(windows->alerts.size(), 1u);
        const auto& shown = windows->alerts[0];
        EXPECT_EQ(shown.alert.title, "Error!");
        EXPECT_EQ(shown.alert.defaultButton, "OK");
        EXPECT_EQ(shown.alert.alternateButton, "");
        EXPECT_EQ(shown.parent, &layout.mainWindow);
        for (const auto& part : parts) {
            EXPECT_NE(shown.alert.message.find(part), std::string::npos) << shown.alert.message;
        }
    }
};

TEST_F(AutoConfigureTest, IncludeAppendsTheLineAndCreatesTheSharedFile) {
    const struct {
        const char* name;
        std::string config, path, expected;
    } cases[] = {
        {"ends in a line feed", "ServerRoot \"/usr\"\nListen 80\n", "keepgate.conf",
         "ServerRoot \"/usr\"\nListen 80\n\nInclude {}"},
        {"no final line feed", "Listen 80", "keepgate.conf", "Listen 80\nInclude {}"},
        {"empty file", "", "keepgate.conf", "\nInclude {}"},
        {"blank in the path is quoted", "Listen 80\n", "Web Server/keep gate.conf",
         "Listen 80\n\nInclude \"{}\""},
        {"tab in the path is quoted", "Listen 80\n", "keep\tgate.conf", "Listen 80\n\nInclude \"{}\""},
        {"percent kept", "Listen 80\n", "100%@.conf", "Listen 80\n\nInclude {}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        windows->alerts.clear();
        const std::string path = temp / c.path;
        defaults->setString("KGconfigFilePathField", path);
        writeFile(systemPaths().mainConfig, c.config);
        std::string expected = c.expected;
        expected.replace(expected.find("{}"), 2, path);
        mkdir((temp / "Web Server").c_str(), 0755);

        run(true);

        EXPECT_EQ(readFile(systemPaths().mainConfig), expected);
        EXPECT_EQ(stagingLeftovers(), "");
        EXPECT_EQ(readFile(path), "");
        EXPECT_TRUE(AdmTools::checkForIncludeInConf());
        expectComplete();
    }
}

TEST_F(AutoConfigureTest, IncludeKeepsAnExistingSharedFile) {
    writeFile(sharedConfig, "<Directory \"/srv\">\nRequire valid-user\n</Directory>\n");
    writeFile(systemPaths().mainConfig, "Listen 80\n");
    run(true);
    EXPECT_EQ(readFile(sharedConfig), "<Directory \"/srv\">\nRequire valid-user\n</Directory>\n");
    expectComplete();
}

TEST_F(AutoConfigureTest, IncludeStopsWhenTheSharedFileCannotBeCreated) {
    const std::string path = temp / "no such folder/keepgate.conf";
    defaults->setString("KGconfigFilePathField", path);
    writeFile(systemPaths().mainConfig, "Listen 80\n");

    run(true);

    EXPECT_EQ(readFile(systemPaths().mainConfig), "Listen 80\n");
    EXPECT_EQ(stagingLeftovers(), "");
    EXPECT_EQ(launcherCalls(), "");
    expectError({path, "not changed"});
}

TEST_F(AutoConfigureTest, AllowReplacesEveryAllowOverrideNone) {
    const struct {
        const char* name;
        std::string config, expected;
    } cases[] = {
        {"three lines",
         "<Directory />\n    AllowOverride None\n</Directory>\n<Directory \"/srv\">\n\tAllowOverride None\n"
         "</Directory>\n#AllowOverride None\n",
         "<Directory />\n    AllowOverride AuthConfig Limit\n</Directory>\n<Directory \"/srv\">\n"
         "\tAllowOverride AuthConfig Limit\n</Directory>\n#AllowOverride AuthConfig Limit\n\n"},
        {"other cases alone are left", "allowoverride none\nAllowOverride NONE\nAllowOverride  None\n",
         "allowoverride none\nAllowOverride NONE\nAllowOverride  None\n\n"},
        {"every case replaced on a line holding the exact phrase",
         "AllowOverride None ALLOWOVERRIDE NONE allowOverride none\r\n",
         "AllowOverride AuthConfig Limit AllowOverride AuthConfig Limit AllowOverride AuthConfig "
         "Limit\r\n\n"},
        {"no final line feed", "x\nAllowOverride None", "x\nAllowOverride AuthConfig Limit\n"},
        {"nothing to replace", "Listen 80\n", "Listen 80\n\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        windows->alerts.clear();
        writeFile(systemPaths().mainConfig, c.config);

        run(false);

        EXPECT_EQ(readFile(systemPaths().mainConfig), c.expected);
        EXPECT_EQ(stagingLeftovers(), "");
        EXPECT_EQ(readFile(backupNamedIn(windows->alerts.back().alert.message)), c.config);
        EXPECT_TRUE(AdmTools::checkForAllowoverrideConf());
        expectComplete();
    }
    EXPECT_EQ(readFile(sharedConfig), "<missing>");
}

TEST_F(AutoConfigureTest, CancelTouchesNothing) {
    writeFile(systemPaths().mainConfig, "AllowOverride None\n");
    for (const bool include : {true, false}) {
        run(include, 0);
    }
    EXPECT_EQ(readFile(systemPaths().mainConfig), "AllowOverride None\n");
    EXPECT_EQ(stagingLeftovers(), "");
    EXPECT_EQ(readFile(sharedConfig), "<missing>");
    EXPECT_EQ(launcherCalls(), "");
    EXPECT_TRUE(windows->alerts.empty());
}

TEST_F(AutoConfigureTest, UnreadableMainConfigurationCopiesNothing) {
    // A staging file left by an earlier run must never be copied in.
    writeFile(systemPaths().stagingConfig, "stale\n");
    for (const bool include : {true, false}) {
        SCOPED_TRACE(include ? "include" : "allow");
        windows->alerts.clear();

        run(include);

        expectError({systemPaths().mainConfig, "not changed"});
        EXPECT_EQ(readFile(systemPaths().stagingConfig), "stale\n");
        EXPECT_EQ(readFile(systemPaths().mainConfig), "<missing>");
        EXPECT_EQ(launcherCalls(), "");
    }
}

TEST_F(AutoConfigureTest, UnwritableStagingFileCopiesNothing) {
    systemPaths().stagingFolder = temp / "missing/staging";
    writeFile(systemPaths().mainConfig, "AllowOverride None\n");
    for (const bool include : {true, false}) {
        SCOPED_TRACE(include ? "include" : "allow");
        windows->alerts.clear();

        run(include);

        expectError({systemPaths().stagingFolder, "not changed"});
        EXPECT_EQ(readFile(systemPaths().mainConfig), "AllowOverride None\n");
        EXPECT_EQ(launcherCalls(), "");
    }
}

TEST_F(AutoConfigureTest, RefusedAuthorizationLeavesTheAmendedTextInTheStagingFile) {
    allowLauncher(false);
    const struct {
        bool include;
        std::string amended;
    } cases[] = {
        {true, "AllowOverride None\n\nInclude " + sharedConfig},
        {false, "AllowOverride AuthConfig Limit\n\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.include ? "include" : "allow");
        windows->alerts.clear();
        writeFile(systemPaths().mainConfig, "AllowOverride None\n");

        run(c.include);

        EXPECT_EQ(readFile(systemPaths().mainConfig), "AllowOverride None\n");
        EXPECT_EQ(stagingLeftovers(), "");
        expectError({"configuration was not changed", "refused"});
    }
    // The backup is asked for first; refused, nothing else is tried.
    EXPECT_NE(launcherCalls().find(systemPaths().mainConfig + ".keepgate-"), std::string::npos);
}

} // namespace
} // namespace keepgate::testing

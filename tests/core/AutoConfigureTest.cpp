#include <sys/stat.h>

#include "ShellTestFixture.h"
#include "services/AdmTools.h"

namespace keepgate::testing {
namespace {

const std::string kRestart =
    "Please restart the Personal Web Sharing in your System Preferences for the changes to take effect!";

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

    // The completion alert, which names the backup of the replaced configuration; with no server to
    // reload, it asks for the restart (in the Mac's words, the shipped paths being the Mac's).
    void expectComplete() {
        ASSERT_EQ(windows->alerts.size(), 1u);
        const auto& shown = windows->alerts[0];
        EXPECT_EQ(shown.alert.title, "Complete!");
        EXPECT_TRUE(shown.alert.message.starts_with("Apache (httpd) is now configured."))
            << shown.alert.message;
        EXPECT_TRUE(shown.alert.message.ends_with(kRestart)) << shown.alert.message;
        EXPECT_NE(shown.alert.message.find(systemPaths().mainConfig + ".keepgate-"), std::string::npos)
            << shown.alert.message;
        EXPECT_EQ(shown.alert.defaultButton, "OK");
        EXPECT_EQ(shown.alert.alternateButton, "");
        EXPECT_EQ(shown.parent, nullptr);
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
         "ServerRoot \"/usr\"\nListen 80\nInclude {}\n"},
        {"no final line feed", "Listen 80", "keepgate.conf", "Listen 80\nInclude {}\n"},
        {"empty file", "", "keepgate.conf", "Include {}\n"},
        {"blank in the path is quoted", "Listen 80\n", "Web Server/keep gate.conf",
         "Listen 80\nInclude \"{}\"\n"},
        {"percent kept", "Listen 80\n", "100%@.conf", "Listen 80\nInclude {}\n"},
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

// No line of the main configuration is widened: the document root alone gets a section of its own, in
// Keepgate's own file, which one Include line appended to the main file names.
TEST_F(AutoConfigureTest, AllowOpensOnlyTheDocumentRootInASectionOfItsOwn) {
    const std::string own = temp / "keepgate-overrides.conf";
    const struct {
        const char* name;
        std::string config, section;
    } cases[] = {
        {"Debian's lines stay None",
         "<Directory />\n\tAllowOverride None\n</Directory>\n<Directory /usr/share>\n\tAllowOverride None\n"
         "</Directory>\nDocumentRoot /srv/www\n<Directory /srv/www>\n\tAllowOverride None\n</Directory>",
         "<Directory \"/srv/www\">\n    AllowOverride AuthConfig Limit\n</Directory>\n"},
        {"what the root already allows is kept",
         "DocumentRoot \"/srv/my site\"\n<Directory /srv>\n"
         "AllowOverride FileInfo\n</Directory>\n",
         "<Directory \"/srv/my site\">\n    AllowOverride FileInfo AuthConfig Limit\n</Directory>\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        windows->alerts.clear();
        std::remove(own.c_str());
        writeFile(systemPaths().mainConfig, c.config);

        run(false);

        EXPECT_EQ(readFile(own), c.section);
        const std::string expected =
            c.config + (c.config.ends_with("\n") ? "" : "\n") + "Include " + own + "\n";
        EXPECT_EQ(readFile(systemPaths().mainConfig), expected);
        EXPECT_EQ(stagingLeftovers(), "");
        expectComplete();
        EXPECT_NE(windows->alerts[0].alert.message.find("Added to " + own + " (a new file):\n\n" + c.section),
                  std::string::npos)
            << windows->alerts[0].alert.message;
    }
    EXPECT_EQ(readFile(sharedConfig), "<missing>");

    // Without a DocumentRoot there is no directory to open: the user is told, nothing changes.
    windows->alerts.clear();
    std::remove(own.c_str());
    writeFile(systemPaths().mainConfig, "AllowOverride None\n");
    run(false);
    expectError({"no directory is known", "not changed"});
    EXPECT_EQ(readFile(systemPaths().mainConfig), "AllowOverride None\n");
    EXPECT_EQ(readFile(own), "<missing>");
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
    writeFile(systemPaths().mainConfig, "DocumentRoot /srv/www\n");
    for (const bool include : {true, false}) {
        SCOPED_TRACE(include ? "include" : "allow");
        windows->alerts.clear();

        run(include);

        expectError({systemPaths().stagingFolder, "not changed"});
        EXPECT_EQ(readFile(systemPaths().mainConfig), "DocumentRoot /srv/www\n");
        EXPECT_EQ(readFile(temp / "keepgate-overrides.conf"), "<missing>");
        EXPECT_EQ(readFile(sharedConfig), "<missing>");
        EXPECT_EQ(launcherCalls(), "");
    }
}

TEST_F(AutoConfigureTest, RefusedAuthorizationLeavesEveryFileAsItWas) {
    allowLauncher(false);
    for (const bool include : {true, false}) {
        SCOPED_TRACE(include ? "include" : "allow");
        windows->alerts.clear();
        writeFile(systemPaths().mainConfig, "DocumentRoot /srv/www\n");

        run(include);

        EXPECT_EQ(readFile(systemPaths().mainConfig), "DocumentRoot /srv/www\n");
        EXPECT_EQ(readFile(temp / "keepgate-overrides.conf"), "<missing>");
        EXPECT_EQ(readFile(sharedConfig), "<missing>");
        EXPECT_EQ(stagingLeftovers(), "");
        expectError({systemPaths().mainConfig, "configuration was not changed", "refused"});
    }
    // The backup is asked for first; refused, nothing else is tried.
    EXPECT_NE(launcherCalls().find(systemPaths().mainConfig + ".keepgate-"), std::string::npos);
}

} // namespace
} // namespace keepgate::testing

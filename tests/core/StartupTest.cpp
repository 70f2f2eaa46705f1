#include "ShellTestFixture.h"

namespace keepgate::testing {
namespace {

using headless::AlertKind;

// The start of the question: whose choice the place is, and what the server does not read. The rest names
// the change (checked where it matters).
std::string allowWarning(const std::string& filename, bool chosen = false) {
    return std::string(chosen ? "You have set up Keepgate to keep" : "Keepgate keeps") +
           " the protection settings of each individual directory you are protecting in its " + filename +
           " file, but the Apache web server does not read them in /srv/www and the directories inside it.";
}

std::string includeWarning(const std::string& path) {
    return "You have set up Keepgate to keep the protection settings of every directory in " + path +
           ", but the Apache web server does not read that file.";
}

const std::map<std::string, Value> kDefaults = {
    {"KGversion", "0.7"},
    {"KGcheckUpdates", 1},
    {"KGshowHidden", 0},
    {"KGdefaultAccessFilename", ".htaccess"},
    {"KGconfigFilePathField", "/Library/WebServer/keepgate.conf"},
    {"KGprotectionSettings", "1"},
    {"KGpasswordHash", "default"},
};

class StartupTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        server.serve("/version.xml", versionDocument(entry("versionnumber", "0.7")));
    }

    void expectWarning(const std::string& situation) {
        ASSERT_TRUE(windows->hasPendingSheet());
        const auto& sheet = windows->pendingSheet();
        EXPECT_EQ(sheet.kind, headless::SheetKind::Alert);
        EXPECT_EQ(sheet.alert.title, "Warning!");
        EXPECT_TRUE(sheet.alert.message.starts_with(situation +
                                                    "\n\nWould you like Keepgate to automatically "
                                                    "configure it? It will:\n\n"))
            << sheet.alert.message;
        EXPECT_TRUE(sheet.alert.message.ends_with("\n\n(This will require administrator authorization.)"))
            << sheet.alert.message;
        EXPECT_EQ(sheet.alert.defaultButton, "Automatically configure");
        EXPECT_EQ(sheet.alert.alternateButton, "Cancel");
        EXPECT_EQ(sheet.parent, nullptr);
    }
};

TEST_F(StartupTest, FirstLaunchRestoresTheDefaultsChecksAccessFilesAndLooksForAnUpdate) {
    const std::string config = "<Directory />\n    AllowOverride None\n</Directory>\nDocumentRoot /srv/www\n";
    writeFile(systemPaths().mainConfig, config);
    server.serve("/version.xml", versionDocument(entry("versionnumber", "0.8")));

    layout.controller.awakeFromNib();

    EXPECT_EQ(defaults->values(), kDefaults);
    expectWarning(allowWarning(".htaccess"));
    // The question shows the lines and names both files: the section in Keepgate's own file, and the
    // Include line the main file gains where the layout has no folder of its own for it.
    EXPECT_NE(
        windows->pendingSheet().alert.message.find(
            "Add to " + temp / "keepgate-overrides.conf" +
            " (a new file):\n\n<Directory \"/srv/www\">\n    AllowOverride AuthConfig Limit\n</Directory>\n\n"
            "Add to the end of " +
            systemPaths().mainConfig + ":\n\nInclude " + temp / "keepgate-overrides.conf" + "\n"),
        std::string::npos)
        << windows->pendingSheet().alert.message;
    // The warning is raised first, then the quiet check announces the new release.
    ASSERT_EQ(windows->alertTitles(), (std::vector<std::string>{"Warning!", "New Version"}));
    EXPECT_EQ(server.requestCount(), 1);
    // Nothing of the user editor is opened at start.
    EXPECT_FALSE(layout.controller.records.has_value());
    EXPECT_EQ(layout.tableView.rowCount(), 0);
}

TEST_F(StartupTest, OlderVersionResetsEveryPreference) {
    writeFile(systemPaths().mainConfig,
              "DocumentRoot /srv/www\n<Directory />\nAllowOverride All\n</Directory>\n");
    defaults->setString("KGversion", "0.6");
    defaults->setBool("KGcheckUpdates", false);
    defaults->setBool("KGshowHidden", true);
    defaults->setString("KGdefaultAccessFilename", ".access");
    defaults->setString("KGconfigFilePathField", sharedConfig);
    defaults->setString("KGprotectionSettings", "2");

    layout.controller.awakeFromNib();

    EXPECT_EQ(defaults->values(), kDefaults);
    // Access-file mode now, and the override check passes: no warning; the quiet check found 0.7.
    EXPECT_TRUE(windows->alerts.empty());
    EXPECT_EQ(server.requestCount(), 1);
}

TEST_F(StartupTest, CurrentVersionKeepsThePreferencesAndSkipsTheUpdateCheckWhenOff) {
    writeFile(systemPaths().mainConfig, "DocumentRoot /srv/www\n");
    storePreferences("1", false);
    defaults->setString("KGdefaultAccessFilename", ".access");
    const auto before = defaults->values();

    layout.controller.awakeFromNib();

    EXPECT_EQ(defaults->values(), before);
    expectWarning(allowWarning(".access", true));
    EXPECT_EQ(windows->alerts.size(), 1u);
    EXPECT_EQ(server.requestCount(), 0);
}

TEST_F(StartupTest, TheModeChoosesWhichCheckRuns) {
    // The first configuration fails only the override check, the second only the include check.
    const std::string failsOverride = "DocumentRoot /srv/www\nInclude " + sharedConfig + "\n";
    const std::string failsInclude =
        "DocumentRoot /srv/www\n<Directory /srv>\nAllowOverride All\n</Directory>\n";
    const struct {
        std::optional<std::string> mode;
        bool accessFileMode;
    } cases[] = {{"1", true}, {"2", false}, {"0", false}, {"abc", false}, {std::nullopt, false}};
    for (const auto& c : cases) {
        for (const bool overrideFails : {true, false}) {
            SCOPED_TRACE(c.mode.value_or("<missing>") +
                         (overrideFails ? ", override fails" : ", include fails"));
            windows->pending.clear();
            windows->alerts.clear();
            storePreferences(c.mode.value_or(""), false);
            if (!c.mode) {
                defaults->removeObjectForKey("KGprotectionSettings");
            }
            writeFile(systemPaths().mainConfig, overrideFails ? failsOverride : failsInclude);

            layout.controller.awakeFromNib();

            if (c.accessFileMode == overrideFails) {
                expectWarning(c.accessFileMode ? allowWarning(".htaccess") : includeWarning(sharedConfig));
                EXPECT_EQ(windows->alerts.size(), 1u);
            } else {
                EXPECT_TRUE(windows->alerts.empty());
            }
        }
    }
}

TEST_F(StartupTest, WarningShowsStoredNamesLiterally) {
    writeFile(systemPaths().mainConfig, "DocumentRoot /srv/www\n");
    storePreferences("1", false);
    defaults->setString("KGdefaultAccessFilename", ".ht%@access%d");
    layout.controller.awakeFromNib();
    expectWarning(allowWarning(".ht%@access%d", true));

    windows->pending.clear();
    storePreferences("2", false);
    defaults->setString("KGconfigFilePathField", temp / "100%s %@.conf");
    layout.controller.awakeFromNib();
    expectWarning(includeWarning(temp / "100%s %@.conf"));
}

TEST_F(StartupTest, UnreachableUpdateAddressAtStartIsSaidInTheStatusLineAndLogOnly) {
    writeFile(systemPaths().mainConfig, "AllowOverride All\nInclude " + sharedConfig + "\n");
    storePreferences("2", true);
    server.hangUp("/version.xml");

    layout.controller.awakeFromNib();

    EXPECT_EQ(windows->beepCount, 0);
    EXPECT_TRUE(windows->alertTitles().empty());
    EXPECT_EQ(windows->statusLine(), "Could not check for update: 127.0.0.1 may be temporarily unavailable "
                                     "or your network may be down.");
    ASSERT_FALSE(logLines.empty());
    EXPECT_NE(logLines.back().find("Could not check for update"), std::string::npos);
}

TEST_F(StartupTest, AnsweringTheWarningRunsTheHandlerOfItsMode) {
    const std::string own = temp / "keepgate-overrides.conf";
    const struct {
        const char* mode;
        std::string amended, file, fileText;
    } cases[] = {
        {"1", "DocumentRoot /srv/www\nInclude " + own + "\n", own,
         "<Directory \"/srv/www\">\n    AllowOverride AuthConfig Limit\n</Directory>\n"},
        {"2", "DocumentRoot /srv/www\nInclude " + sharedConfig + "\n", sharedConfig, ""},
    };
    for (const auto& c : cases) {
        for (const int answer : {0, 1}) {
            SCOPED_TRACE(std::string(c.mode) + " answered " + std::to_string(answer));
            windows->pending.clear();
            windows->alerts.clear();
            storePreferences(c.mode, false);
            writeFile(systemPaths().mainConfig, "DocumentRoot /srv/www\n");
            std::remove(own.c_str());
            std::remove(sharedConfig.c_str());

            layout.controller.awakeFromNib();
            windows->answer(answer);

            if (answer == 1) {
                EXPECT_EQ(readFile(systemPaths().mainConfig), c.amended);
                EXPECT_EQ(readFile(c.file), c.fileText);
                EXPECT_EQ(windows->alertTitles(), (std::vector<std::string>{"Warning!", "Complete!"}));
            } else {
                EXPECT_EQ(readFile(systemPaths().mainConfig), "DocumentRoot /srv/www\n");
                EXPECT_EQ(readFile(c.file), "<missing>");
                EXPECT_EQ(windows->alertTitles(), std::vector<std::string>{"Warning!"});
            }
        }
    }
}

TEST_F(StartupTest, ReadMeShowsInTheHelpWindowElseOpensInTextEditInTheFirstFormShipped) {
    windows->helpWindow = false;
    layout.controller.openReadMe();
    EXPECT_TRUE(windows->openedFiles.empty());
    EXPECT_TRUE(windows->alerts.empty());
    EXPECT_EQ(windows->statusLine(), "The ReadMe is not installed beside Keepgate.");

    windows->resources["ReadMe.txt"] = "/app/ReadMe.txt";
    windows->resources["ReadMe.html"] = "/app/ReadMe.html";
    layout.controller.openReadMe();
    windows->resources["ReadMe.rtfd"] = "/app/ReadMe.rtfd";
    layout.controller.openReadMe();

    EXPECT_EQ(windows->openedFiles, (std::vector<std::pair<std::string, std::string>>{
                                        {"/app/ReadMe.html", "TextEdit"}, {"/app/ReadMe.rtfd", "TextEdit"}}));

    windows->helpWindow = true;
    layout.controller.openReadMe();
    EXPECT_EQ(windows->helpShown, std::vector<std::string>{"/app/ReadMe.html"});
    EXPECT_EQ(windows->openedFiles.size(), 2u);
}

} // namespace
} // namespace keepgate::testing

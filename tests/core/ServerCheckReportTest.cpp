#include <filesystem>

#include "ShellTestFixture.h"
#include "app/ServerCheckReport.h"
#include "platform/FileSystem.h"

namespace keepgate::testing {
namespace {

// The report as the user meets it: findings for the editor's directory, each fix asked for first and
// carried out with administrator rights.
class ServerCheckReportTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        storePreferences("1");
        systemPaths().serverDetected = true;
        systemPaths().serverRoot = temp.path();
        systemPaths().modulesFolder = temp / "modules";
        writeFile(temp / "modules/mod_authz_groupfile.so", "");
        writeFile(systemPaths().mainConfig,
                  "<Directory />\n    AllowOverride None\n</Directory>\n"
                  "LoadModule auth_basic_module m.so\nLoadModule authn_file_module m.so\n"
                  "LoadModule authz_user_module m.so\nLoadModule authn_core_module m.so\n"
                  "LoadModule authz_core_module m.so\n");
        editor.directoryField.text = temp / "site";
        DirectoryGroups::readGroupfile("", {});
        report.parent = &editor.mainWindow;
        report.directory = &editor.directory;
        report.controller = &layout.controller;
        report.changed = [this] { ++refreshes; };
    }
    void TearDown() override {
        DirectoryGroups::reset();
        DirectoryAccess::reset();
        ShellTest::TearDown();
    }

    // Answers every sheet with its default button.
    void answerAll() {
        while (windows->hasPendingSheet()) {
            windows->answer(1);
        }
    }

    DirectoryEditorLayout editor;
    ServerCheckReport report;
    int refreshes = 0;
};

TEST_F(ServerCheckReportTest, FixesAreAskedForThenMadeAndTheReportRefreshed) {
    editor.denyAllOthersCB.setState(0);
    report.refresh();
    windows->deliverCompletions();
    ASSERT_EQ(report.findings.size(), 1u);
    EXPECT_EQ(report.findings[0].kind, FindingKind::OverridesIgnored);

    // Cancel changes nothing.
    report.fix(0);
    ASSERT_TRUE(windows->hasPendingSheet());
    EXPECT_EQ(windows->pendingSheet().alert.defaultButton, "Fix");
    windows->answer(0);
    EXPECT_EQ(launcherCalls(), "");

    report.fix(0);
    answerAll();
    windows->deliverCompletions();
    const std::string amended = readFile(systemPaths().mainConfig);
    EXPECT_TRUE(amended.starts_with("<Directory />\n    AllowOverride None\n</Directory>\n")) << amended;
    // The section of its own lies in Keepgate's file, which the main file names at its end.
    EXPECT_TRUE(amended.ends_with("\nInclude " + temp / "keepgate-overrides.conf" + "\n")) << amended;
    EXPECT_EQ(readFile(temp / "keepgate-overrides.conf"),
              "<Directory \"" + temp / "site" + "\">\n    AllowOverride AuthConfig Limit\n</Directory>\n");
    EXPECT_TRUE(report.findings.empty());
    EXPECT_EQ(refreshes, 2) << "the first check and the one after the fix; a cancel checks nothing";
}

TEST_F(ServerCheckReportTest, MissingGroupModuleGetsALoadModuleLineFromTheModulesFolder) {
    writeFile(systemPaths().mainConfig,
              readFile(systemPaths().mainConfig) + "<Directory /srv>\nAllowOverride All\n</Directory>\n");
    editor.directoryField.text = "/srv";
    DirectoryGroups::readGroupfile("", {});
    report.refresh();
    windows->deliverCompletions();
    EXPECT_TRUE(report.findings.empty());

    // A marked group needs authz_groupfile; the report names it and the fix loads it.
    writeFile(temp / "groups", "staff: alice\n");
    DirectoryGroups::readGroupfile(temp / "groups", {"staff"});
    report.refresh();
    windows->deliverCompletions();
    ASSERT_EQ(report.findings.size(), 1u);
    EXPECT_EQ(report.findings[0].subject, "authz_groupfile");
    report.fix(0);
    answerAll();
    windows->deliverCompletions();
    EXPECT_TRUE(readFile(systemPaths().mainConfig)
                    .ends_with("LoadModule authz_groupfile_module " +
                               temp / "modules/mod_authz_groupfile.so" + "\n"));
    EXPECT_TRUE(report.findings.empty());
}

TEST_F(ServerCheckReportTest, TheEditorTellsOnLoadAndAsksBeforeSavingABlockTheServerWouldIgnore) {
    std::filesystem::create_directories(temp / "site");
    editor.directory.selectDirectory();
    windows->answer(1, {temp / "site"});
    windows->deliverCompletions();
    const std::string status = windows->statusLine();
    EXPECT_EQ(status.rfind("Server check: ", 0), 0u) << status;
    EXPECT_NE(status.find("AllowOverride"), std::string::npos) << status;

    editor.denyAllOthersCB.setState(1);
    const std::string accessFile = temp / "site/.htaccess";
    for (const int answer : {0, 1}) {
        editor.directory.saveProtection();
        ASSERT_TRUE(windows->hasPendingSheet());
        const auto question = windows->pendingSheet().alert;
        EXPECT_EQ(question.defaultButton, "Save Anyway");
        EXPECT_NE(question.message.find("AllowOverride"), std::string::npos) << question.message;
        windows->answer(answer);
        // Cancel writes nothing; "Save Anyway" writes the block as shown.
        EXPECT_EQ(platform::fileExists(accessFile), answer == 1) << answer;
    }
    EXPECT_NE(readFile(accessFile).find("Deny from all"), std::string::npos);

    // Fix… fixes what the check found, then saves; Cancel stays the keyboard's answer.
    std::filesystem::remove(accessFile);
    editor.directory.fixServer = [this] { report.fixAll(); };
    editor.directory.saveProtection();
    ASSERT_TRUE(windows->hasPendingSheet());
    EXPECT_EQ(windows->pendingSheet().alert.otherButton, "Fix…");
    EXPECT_TRUE(windows->pendingSheet().alert.destructive);
    windows->answer(-1);
    answerAll();
    EXPECT_TRUE(platform::fileExists(accessFile));
    report.refresh();
    for (const auto& finding : report.findings) {
        EXPECT_NE(finding.kind, FindingKind::OverridesIgnored) << finding.message;
    }

    // A server that lets access files take effect and loads the host rules' module raises no question.
    writeFile(systemPaths().mainConfig, readFile(systemPaths().mainConfig) + "<Directory " + (temp / "site") +
                                            ">\n    AllowOverride AuthConfig Limit\n</Directory>\n" +
                                            "LoadModule access_compat_module m.so\n");
    editor.directory.saveProtection();
    EXPECT_FALSE(windows->hasPendingSheet()) << windows->pendingSheet().alert.message;
}

TEST_F(ServerCheckReportTest, ASlowReadNeverHoldsTheInterfaceAndOnlyTheNewestAnswerCounts) {
    // The control program answers only once the test opens the gate: a check on the interface thread
    // would hang the loads below.
    const std::string gate = temp / "gate";
    systemPaths().controlProgram = temp / "apachectl";
    systemPaths().detectionTimeoutMilliseconds = 60000;
    const std::string wait =
        "i=0\nwhile [ ! -e '" + gate + "' ] && [ $i -lt 400 ]; do sleep 0.05; i=$((i+1)); done\n";
    writeScript(systemPaths().controlProgram,
                wait + "echo asked >>'" + temp / "asked" + "'\necho ' auth_basic_module (shared)'\n");
    const int started = windows->backgroundStarted;
    for (const char* name : {"one", "two"}) {
        std::filesystem::create_directories(temp / name);
        editor.directory.selectDirectory();
        windows->answer(1, {temp / name});
    }
    headless::ProgressIndicator busy;
    report.busy = &busy;
    report.refresh();
    report.refresh();
    EXPECT_EQ(editor.directoryField.text, temp / "two");
    EXPECT_TRUE(report.isChecking());
    EXPECT_TRUE(busy.isAnimating());
    EXPECT_EQ(windows->backgroundStarted - started, 4);

    writeFile(gate, "");
    EXPECT_EQ(windows->deliverCompletions(), 4);
    EXPECT_EQ(readFile(temp / "asked"), "asked\nasked\nasked\nasked\n");
    // The first load's and the first refresh's answers are void: one status line, one refresh.
    std::vector<std::string> told;
    for (const auto& message : windows->statusMessages) {
        if (message.starts_with("Server check: ")) {
            told.push_back(message);
        }
    }
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("ignores the protection in " + temp / "two" + " "), std::string::npos) << told[0];
    EXPECT_EQ(refreshes, 1);
    EXPECT_FALSE(report.isChecking());
    EXPECT_FALSE(busy.isAnimating());
    EXPECT_FALSE(report.findings.empty());
}

} // namespace
} // namespace keepgate::testing

#include <sys/stat.h>

#include "ShellTestFixture.h"
#include "app/AdministratorWrite.h"

namespace keepgate::testing {
namespace {

class AdministratorWriteTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        writeFile(temp / "www/html/.htaccess", "old\n");
        chmod((temp / "www/html").c_str(), 0555);
        chmod((temp / "www/html/.htaccess").c_str(), 0444);
    }
    void TearDown() override {
        chmod((temp / "www/html").c_str(), 0755);
        ShellTest::TearDown();
    }
    void offer() {
        offerAdministratorWrite(&layout.mainWindow, temp / "www/html/.htaccess", "new\n",
                                "The file could not be written.",
                                [this](bool written) { outcome = written; });
    }
    std::optional<bool> outcome;
};

TEST_F(AdministratorWriteTest, NothingIsWrittenWithoutTheExplicitAnswer) {
    offer();
    ASSERT_TRUE(windows->hasPendingSheet());
    EXPECT_EQ(windows->pendingSheet().alert.defaultButton, "Write with administrator rights");
    EXPECT_EQ(windows->pendingSheet().alert.alternateButton, "Cancel");
    EXPECT_EQ(launcherCalls(), "") << "the question comes before any privileged command";
    windows->answer(0);
    EXPECT_EQ(outcome, false);
    EXPECT_EQ(readFile(temp / "www/html/.htaccess"), "old\n");
    EXPECT_EQ(launcherCalls(), "");
    EXPECT_EQ(stagingLeftovers(), "");
}

TEST_F(AdministratorWriteTest, TheAnswerWritesThroughThePrivilegedCopyAndSaysSo) {
    offer();
    windows->answer(1);
    EXPECT_EQ(outcome, true);
    EXPECT_EQ(readFile(temp / "www/html/.htaccess"), "new\n");
    EXPECT_NE(launcherCalls().find(temp / "www/html/.htaccess"), std::string::npos);
    EXPECT_EQ(windows->alerts.back().alert.title, "Saved");
    EXPECT_EQ(stagingLeftovers(), "");

    // Refused by the administrator: reported, the file as it was.
    windows->answer(1);
    writeFile(temp / "www/html/.htaccess", "old\n");
    allowLauncher(false);
    offer();
    windows->answer(1);
    EXPECT_EQ(outcome, false);
    EXPECT_EQ(readFile(temp / "www/html/.htaccess"), "old\n");
    EXPECT_EQ(windows->alerts.back().alert.title, "Error!");
    EXPECT_NE(windows->alerts.back().alert.message.find("The file was not changed."), std::string::npos);
}

TEST_F(AdministratorWriteTest, AMissingFolderIsOnlyReported) {
    offerAdministratorWrite(&layout.mainWindow, temp / "missing/.htaccess", "x\n", "It failed.",
                            [this](bool written) { outcome = written; });
    ASSERT_EQ(windows->alerts.size(), 1u);
    EXPECT_EQ(windows->alerts[0].alert.defaultButton, "OK");
    EXPECT_EQ(outcome, false);
}

} // namespace
} // namespace keepgate::testing

// What the built keepgatectl writes lands in the same history the window restores from.

#include <gtest/gtest.h>

#include "app/HistoryController.h"
#include "platform/History.h"
#include "platform/Process.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

class CommandLineHistoryEndToEnd : public HeadlessTest {
  protected:
    void TearDown() override {
        platform::History::shared().close();
        HeadlessTest::TearDown();
    }
    int keepgatectl(const std::vector<std::string>& arguments, std::string* err = nullptr) {
        platform::ProcessOptions options;
        options.standardInput = "wonderland\n";
        options.captureStandardError = true;
        options.timeoutMilliseconds = 60000;
        options.environment = {{"XDG_STATE_HOME", stateHome}};
        const auto result = platform::runProcess(KEEPGATE_CTL, arguments, options);
        if (err) {
            *err = result.standardError;
        }
        return result.exitStatus;
    }
    std::string stateHome = temp / "state";
};

TEST_F(CommandLineHistoryEndToEnd, EachCommandIsRecordedByWhatItDidAndCanBeRestoredInTheWindow) {
    const std::string users = temp / "users";
    writeFile(users, "# team\n");
    ASSERT_EQ(keepgatectl({"users", "add", users, "alice", "--password-stdin"}), 0);
    const std::string withAlice = readFile(users);
    ASSERT_EQ(keepgatectl({"users", "delete", users, "alice", "--yes"}), 0);
    EXPECT_EQ(readFile(users), "# team\n");
    // A dry run writes nothing and records nothing.
    ASSERT_EQ(keepgatectl({"users", "add", users, "bob", "--password-stdin", "--dry-run"}), 0);

    ASSERT_TRUE(platform::History::shared().open(stateHome + "/keepgate"));
    HistoryController history;
    history.reload();
    ASSERT_EQ(history.numberOfRowsInTableView(), 2);
    EXPECT_EQ(history.objectValueForTableColumn("action", 0), "Deleted alice");
    EXPECT_EQ(history.objectValueForTableColumn("action", 1), "Added alice");
    EXPECT_EQ(history.objectValueForTableColumn("file", 0), users);

    history.restore(history.shownEntries().front().id);
    EXPECT_FALSE(windows->hasPendingSheet());
    EXPECT_EQ(readFile(users), withAlice);

    // A state folder that cannot be made is said once, and the command still does its work.
    writeFile(temp / "blocked", "");
    stateHome = temp / "blocked";
    std::string err;
    ASSERT_EQ(keepgatectl({"users", "delete", users, "alice", "--yes"}, &err), 0);
    EXPECT_EQ(readFile(users), "# team\n");
    EXPECT_NE(err.find("keeps no history"), std::string::npos) << err;
    EXPECT_EQ(err.find("keeps no history"), err.rfind("keeps no history")) << err;
}

} // namespace
} // namespace keepgate::testing

#include <string>
#include <sys/inotify.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/Process.h"
#include "platform/SystemPaths.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

// Counts the times a file in a folder is replaced by a rename, as an atomic write replaces it.
class ReplaceCounter {
  public:
    ReplaceCounter(const std::string& folder, std::string name)
        : fd_(inotify_init1(IN_NONBLOCK)), name_(std::move(name)) {
        inotify_add_watch(fd_, folder.c_str(), IN_MOVED_TO);
    }
    ~ReplaceCounter() { close(fd_); }
    int count() {
        alignas(inotify_event) char buffer[65536];
        for (ssize_t n; (n = read(fd_, buffer, sizeof buffer)) > 0;) {
            for (char* p = buffer; p < buffer + n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(p);
                if (event->len > 0 && name_ == event->name) {
                    ++count_;
                }
                p += sizeof(inotify_event) + event->len;
            }
        }
        return count_;
    }

  private:
    int fd_;
    std::string name_;
    int count_ = 0;
};

TEST_F(HeadlessTest, AUserFileOfAHundredThousandUsersOpensAndOneAddRewritesItOnceWithOneHashingProcess) {
    constexpr int kUsers = 100000;
    const std::string file = temp / "users";
    std::string contents;
    contents.reserve(kUsers * 48);
    for (int i = 0; i < kUsers; ++i) {
        contents += "user" + std::to_string(i) + ":$apr1$abcdefgh$0123456789abcdefghijkl\n";
    }
    writeFile(file, contents);

    // The real tool behind a script that counts its runs.
    const std::string runs = temp / "runs";
    writeScript(temp / "htpasswd", "echo run >> '" + runs + "'\nexec htpasswd \"$@\"\n");
    systemPaths().htpasswd = temp / "htpasswd";

    UserEditorLayout layout;
    ReplaceCounter replaces(temp.path(), "users");
    layout.controller.selectUserfile();
    windows->answer(1, {file});
    ASSERT_EQ(layout.tableView.rowCount(), kUsers);
    EXPECT_EQ(layout.tableView.cell("username", kUsers - 1).text(), "user99999");
    EXPECT_EQ(replaces.count(), 0) << "opening writes nothing";

    layout.usernameField.text = "newcomer";
    layout.passwordField.text = "pw";
    const long long startedBefore = platform::processesStarted();
    layout.controller.addUser();
    EXPECT_EQ(platform::processesStarted() - startedBefore, 1);

    const std::string hash = layout.tableView.cell("password", kUsers).text();
    EXPECT_EQ(readFile(file), contents + "newcomer:" + hash + "\n") << "exactly one line is added";
    EXPECT_EQ(replaces.count(), 1) << "one add writes the file exactly once";
    EXPECT_EQ(readFile(runs), "run\n") << "one add runs the hashing tool exactly once";
    EXPECT_TRUE(windows->alerts.empty());
}

} // namespace
} // namespace keepgate::testing

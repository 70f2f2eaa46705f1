#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utime.h>

#include <gtest/gtest.h>

#include "operations/FileChanges.h"
#include "platform/FileSystem.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

// What htpasswd does to a user file, only slower: it reads the file, adds its user, truncates the file and
// writes the new text back into it in place, a few bytes at a time (cutting lines), with short pauses.
void rewriteInPlaceSlowly(const std::string& path, const std::string& name) {
    const std::string text = readFile(path) + name + ":$apr1$slow$writer\n";
    const int fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t chunk = std::min<std::size_t>(97, text.size() - at);
        ASSERT_EQ(write(fd, text.data() + at, chunk), static_cast<ssize_t>(chunk));
        at += chunk;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    close(fd);
}

void addWithHtpasswd(const std::string& path, const std::string& name) {
    ASSERT_EQ(shell("htpasswd -b '" + path + "' " + name + " secret >/dev/null 2>&1"), 0);
}

class WriterRaceTest : public HeadlessTest {};

// Keepgate adds a user each round while another program adds one of its own to the same file. Every user the
// other program finished writing is in the file at the end, and every line is whole.
TEST_F(WriterRaceTest, UsersAnotherProgramWritesInPlaceAreNeverLost) {
    const struct {
        const char* name;
        int runs;
        std::function<void(const std::string&, const std::string&)> otherWriter;
    } cases[] = {
        {"a program that rewrites the file in place slowly", 5, rewriteInPlaceSlowly},
        {"htpasswd -b", 1, addWithHtpasswd},
    };
    constexpr int kRounds = 100;
    for (const auto& c : cases) {
        for (int run = 0; run < c.runs; ++run) {
            const std::string file = temp / ("users" + std::to_string(run));
            writeFile(file, "seed:$apr1$seed\n");
            UserEditorLayout users;
            users.controller.selectUserfile();
            windows->answer(1, {file});

            std::thread other([&] {
                for (int round = 0; round < kRounds; ++round) {
                    c.otherWriter(file, "other" + std::to_string(round));
                    // A program run now and then, not without pause.
                    std::this_thread::sleep_for(std::chrono::milliseconds(15 + round % 7));
                }
            });
            for (int round = 0; round < kRounds; ++round) {
                users.usernameField.text = "keep" + std::to_string(round);
                users.passwordField.text = "secret";
                users.controller.addUser();
                // An alert would hold the next run's open panel back; it is counted at the end.
                if (windows->hasPendingSheet()) {
                    windows->answer(1);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(3 + round % 5));
            }
            other.join();

            const std::string text = readFile(file);
            EXPECT_TRUE(text.starts_with("seed:$apr1$seed\n")) << c.name << " run " << run;
            std::string missing;
            for (int round = 0; round < kRounds; ++round) {
                if (text.find("\nother" + std::to_string(round) + ":") == std::string::npos) {
                    missing += " other" + std::to_string(round);
                }
            }
            EXPECT_EQ(missing, "") << c.name << " run " << run;
            EXPECT_TRUE(text.ends_with("\n")) << c.name << " run " << run;
            for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
                end = text.find('\n', start);
                const std::string line = text.substr(start, end - start);
                ASSERT_TRUE(line.starts_with("seed:") || line.starts_with("other") ||
                            line.starts_with("keep"))
                    << c.name << " run " << run << ": a cut line \"" << line << "\"";
            }
        }
    }
    for (const auto& shown : windows->alerts) {
        EXPECT_NE(shown.alert.title, "Error!") << shown.alert.message;
    }
}

// The group editor adds a member each round while another program appends groups of its own to the same
// file. A change that meets the other program's write is made again to what it wrote: no member and no
// group is lost, and no round ends in an alert.
TEST_F(WriterRaceTest, GroupChangesMeetingAnotherWriterAreAppliedAgainAndLoseNothing) {
    constexpr int kRounds = 80;
    for (int run = 0; run < 3; ++run) {
        const std::string file = temp / ("groups" + std::to_string(run));
        writeFile(file, "staff: seed\n");
        GroupEditorLayout groups;
        groups.controller.selectFile();
        windows->answer(1, {file});

        std::thread other([&] {
            for (int round = 0; round < kRounds; ++round) {
                const std::string line = "other" + std::to_string(round) + ":\n";
                const int fd = open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
                ASSERT_GE(fd, 0);
                ASSERT_EQ(write(fd, line.data(), line.size()), static_cast<ssize_t>(line.size()));
                close(fd);
                std::this_thread::sleep_for(std::chrono::milliseconds(2 + round % 5));
            }
        });
        for (int round = 0; round < kRounds; ++round) {
            groups.grouplistPopup.selectItem(0);
            groups.usernameField.text = "keep" + std::to_string(round);
            groups.controller.addUser();
            if (windows->hasPendingSheet()) {
                windows->answer(1);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(3 + round % 5));
        }
        other.join();

        const std::string text = readFile(file);
        const std::string staff = text.substr(0, text.find('\n'));
        std::string missing;
        for (int round = 0; round < kRounds; ++round) {
            if (text.find("\nother" + std::to_string(round) + ":") == std::string::npos) {
                missing += " other" + std::to_string(round);
            }
            if ((staff + " ").find(" keep" + std::to_string(round) + " ") == std::string::npos) {
                missing += " keep" + std::to_string(round);
            }
        }
        EXPECT_EQ(missing, "") << "run " << run << ":\n" << text;
        EXPECT_TRUE(staff.starts_with("staff: seed keep0")) << staff;
    }
    for (const auto& shown : windows->alerts) {
        EXPECT_NE(shown.alert.title, "Error!") << shown.alert.message;
    }
}

// Another program opened the file for writing just before Keepgate replaced it, and writes into it only a
// moment after the rename, when the replaced file no longer shows a change. Its text still comes back, whole,
// for the change to be made again on it; a file nobody holds open is replaced without that.
TEST_F(WriterRaceTest, AWriteIntoTheReplacedFileAMomentAfterTheRenameIsHandedBack) {
    for (const bool otherWrites : {true, false}) {
        const std::string file = temp / (otherWrites ? "late" : "alone");
        const std::string base = "seed:$apr1$seed\n";
        writeFile(file, base);
        const auto identity = platform::identityOf(file);
        ASSERT_TRUE(identity);
        const int fd = otherWrites ? open(file.c_str(), O_WRONLY | O_CLOEXEC) : -1;
        std::thread other([&] {
            if (fd < 0) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
            const std::string text = base + "other:$apr1$slow$writer\n";
            ASSERT_EQ(ftruncate(fd, 0), 0);
            ASSERT_EQ(pwrite(fd, text.data(), text.size(), 0), static_cast<ssize_t>(text.size()));
            close(fd);
        });
        const auto write =
            platform::writeFileIfUnchanged(file, base + "keep:$apr1$keep\n", identity, &base);
        other.join();
        EXPECT_TRUE(write.result) << write.result.error;
        EXPECT_EQ(write.moved, otherWrites);
        EXPECT_EQ(write.displaced.value_or("(none)"),
                  otherWrites ? base + "other:$apr1$slow$writer\n" : "(none)");
        EXPECT_EQ(readFile(file), base + "keep:$apr1$keep\n");
    }
}

// keepgatectl's write meets a program that writes into the file in place a moment after the replacement: that
// program's text is what the file holds afterwards, and the command's change is reported as not written.
TEST_F(WriterRaceTest, ACommandLineWriteGivesBackWhatAnotherProgramWroteDuringTheReplacement) {
    const std::string file = temp / "cli";
    const std::string base = "seed:$apr1$seed\n";
    const std::string theirs = base + "other:$apr1$slow$writer\n";
    writeFile(file, base);
    const int fd = open(file.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    std::thread other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        ASSERT_EQ(ftruncate(fd, 0), 0);
        ASSERT_EQ(pwrite(fd, theirs.data(), theirs.size(), 0), static_cast<ssize_t>(theirs.size()));
        close(fd);
    });
    const auto applied =
        operations::FileChanges::apply({{file, base, base + "keep:$apr1$keep\n"}}, false).front();
    other.join();
    EXPECT_FALSE(applied.written);
    EXPECT_NE(applied.error.find("another program"), std::string::npos) << applied.error;
    EXPECT_EQ(readFile(file), theirs);
}

// A temporary file left by a save that was killed goes with the next save in its folder once it is a minute
// old and the user's own; a newer one may belong to a save still running and stays.
TEST_F(WriterRaceTest, TheNextSaveRemovesStaleTemporaryFiles) {
    const std::string stale = temp / ".htkeepgate.AbC123";
    const std::string fresh = temp / ".htkeepgate.DeF456";
    writeFile(stale, "half");
    writeFile(fresh, "half");
    const time_t old = time(nullptr) - platform::kStaleTemporarySeconds - 5;
    const utimbuf times{old, old};
    ASSERT_EQ(utime(stale.c_str(), &times), 0);
    ASSERT_TRUE(platform::writeFileAtomically(temp / ".htaccess", "Require all denied\n"));
    EXPECT_FALSE(platform::fileExists(stale));
    EXPECT_TRUE(platform::fileExists(fresh));
    EXPECT_EQ(readFile(temp / ".htaccess"), "Require all denied\n");
}

} // namespace
} // namespace keepgate::testing

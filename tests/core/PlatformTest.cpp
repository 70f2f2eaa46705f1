#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/FileSystem.h"
#include "platform/Install.h"
#include "platform/Log.h"
#include "platform/Process.h"
#include "platform/SystemPaths.h"
#include "support/TestSupport.h"

namespace keepgate {
namespace {

using testing::HeadlessTest;
using testing::TempDir;

mode_t modeOf(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// The names in a directory, so a test can see that no temporary file was left behind.
std::vector<std::string> entriesOf(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileSystemTest, AtomicWriteCreatesAndReplacesKeepingTheMode) {
    TempDir temp;
    const std::string bytes("a\0b\r\n\xff", 6);
    ASSERT_TRUE(platform::writeFileAtomically(temp / "new", bytes));
    EXPECT_EQ(platform::readFile(temp / "new"), bytes);
    ASSERT_TRUE(platform::writeFileAtomically(temp / "empty", ""));
    EXPECT_EQ(platform::readFile(temp / "empty"), "");

    testing::writeFile(temp / "private", "old");
    chmod((temp / "private").c_str(), 0640);
    ASSERT_TRUE(platform::writeFileAtomically(temp / "private", "new"));
    EXPECT_EQ(testing::readFile(temp / "private"), "new");
    EXPECT_EQ(modeOf(temp / "private"), 0640u);
    EXPECT_EQ(entriesOf(temp.path()), (std::vector<std::string>{"empty", "new", "private"}));
}

TEST(FileSystemTest, AtomicWriteThroughALinkReplacesItsTarget) {
    TempDir temp;
    testing::writeFile(temp / "real/target", "old");
    chmod((temp / "real/target").c_str(), 0600);
    ASSERT_EQ(symlink("real/target", (temp / "link").c_str()), 0);
    ASSERT_EQ(symlink((temp / "link").c_str(), (temp / "chain").c_str()), 0);
    ASSERT_TRUE(platform::writeFileAtomically(temp / "chain", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(temp / "link"));
    EXPECT_TRUE(std::filesystem::is_symlink(temp / "chain"));
    EXPECT_EQ(testing::readFile(temp / "real/target"), "new");
    EXPECT_EQ(modeOf(temp / "real/target"), 0600u);
    EXPECT_EQ(entriesOf(temp / "real"), std::vector<std::string>{"target"});
}

TEST(FileSystemTest, FailedWritesSayWhyAndLeaveNothingBehind) {
    TempDir temp;
    std::filesystem::create_directory(temp / "folder");
    for (const auto& path :
         {temp / "missing-folder/file", temp / "folder", std::string(), std::string("/proc/kg")}) {
        const auto result = platform::writeFileAtomically(path, "x");
        EXPECT_FALSE(result) << path;
        EXPECT_FALSE(result.error.empty()) << path;
    }
    EXPECT_EQ(entriesOf(temp.path()), std::vector<std::string>{"folder"});
    EXPECT_TRUE(entriesOf(temp / "folder").empty());
}

TEST(FileSystemTest, ReadOnlyFolderRefusesTheWrite) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "an administrator may write into a read-only folder";
    }
    TempDir temp;
    testing::writeFile(temp / "locked/file", "old");
    chmod((temp / "locked").c_str(), 0555);
    EXPECT_FALSE(platform::writeFileAtomically(temp / "locked/file", "new"));
    EXPECT_EQ(testing::readFile(temp / "locked/file"), "old");
    EXPECT_EQ(entriesOf(temp / "locked"), std::vector<std::string>{"file"});
}

TEST(FileSystemTest, ReadExistRemove) {
    TempDir temp;
    testing::writeFile(temp / "file", "x");
    std::filesystem::create_directory(temp / "folder");
    ASSERT_EQ(symlink((temp / "file").c_str(), (temp / "link").c_str()), 0);

    EXPECT_EQ(platform::readFile(temp / "missing"), std::nullopt);
    EXPECT_EQ(platform::readFile(temp / "folder"), std::nullopt);
    // Only regular files are read: a FIFO would block the reader and a device would never end.
    ASSERT_EQ(mkfifo((temp / "fifo").c_str(), 0644), 0);
    EXPECT_EQ(platform::readFile(temp / "fifo"), std::nullopt);
    EXPECT_EQ(platform::readFile("/dev/zero"), std::nullopt);
    EXPECT_TRUE(platform::fileExists(temp / "folder"));
    EXPECT_FALSE(platform::fileExists(temp / "missing"));
    EXPECT_TRUE(platform::isDirectory(temp / "folder"));
    EXPECT_FALSE(platform::isDirectory(temp / "file"));

    EXPECT_FALSE(platform::removeFile(temp / "folder"));
    EXPECT_TRUE(platform::isDirectory(temp / "folder"));
    EXPECT_FALSE(platform::removeFile(temp / "missing"));
    EXPECT_TRUE(platform::removeFile(temp / "link"));
    EXPECT_EQ(testing::readFile(temp / "file"), "x");
    EXPECT_TRUE(platform::removeFile(temp / "file"));
    EXPECT_FALSE(platform::fileExists(temp / "file"));

    EXPECT_EQ(platform::joinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(platform::joinPath("/a", "b"), "/a/b");
    EXPECT_EQ(platform::joinPath("", "b"), "b");
}

TEST(ProcessTest, RunsWithStandardInputAndCapturesOutputAndStatus) {
    auto echoed = platform::runProcess("/bin/cat", {}, std::string("pass\0word\n", 10));
    EXPECT_TRUE(echoed.started);
    EXPECT_EQ(echoed.exitStatus, 0);
    EXPECT_EQ(echoed.standardOutput, std::string("pass\0word\n", 10));

    // More than a pipe holds in both directions at once must not deadlock.
    const std::string large(1 << 20, 'k');
    EXPECT_EQ(platform::runProcess("/bin/cat", {}, large).standardOutput, large);

    EXPECT_EQ(platform::runProcess("/bin/cat", {}).standardOutput, "");
    EXPECT_EQ(platform::runProcess("/bin/sh", {"-c", "printf '%s|' \"$@\"; exit 3", "sh", "a b", "", "-x"})
                  .standardOutput,
              "a b||-x|");
    EXPECT_EQ(platform::runProcess("/bin/sh", {"-c", "exit 3"}).exitStatus, 3);
    EXPECT_EQ(platform::runProcess("/bin/sh", {"-c", "kill -9 $$"}).exitStatus, 128 + 9);
    // A child that ignores its input must not stop the caller.
    EXPECT_EQ(platform::runProcess("/bin/sh", {"-c", "echo done"}, large).standardOutput, "done\n");

    TempDir temp;
    testing::writeFile(temp / "not-executable", "#!/bin/sh\necho hi\n");
    for (const auto& program : {temp / "missing", temp / "not-executable", temp.path()}) {
        const auto result = platform::runProcess(program, {}, "x");
        EXPECT_FALSE(result.started) << program;
        EXPECT_EQ(result.exitStatus, -1) << program;
    }
}

TEST(ProcessTest, OptionsLimitTimeSetEnvironmentAndCaptureErrors) {
    TempDir temp;
    platform::ProcessOptions options;
    options.timeoutMilliseconds = 300;
    // The grandchild holds the output pipe open; the limit must end it too, or the read never ends.
    const auto hung = platform::runProcess("/bin/sh", {"-c", "sleep 30 & sleep 30; echo late"}, options);
    EXPECT_TRUE(hung.started);
    EXPECT_TRUE(hung.timedOut);
    EXPECT_EQ(hung.exitStatus, 128 + 9);
    EXPECT_EQ(hung.standardOutput, "");

    // A child that closes its output but keeps running is still held to the limit.
    const auto silent = platform::runProcess("/bin/sh", {"-c", "exec >&- 2>&-; sleep 30"}, options);
    EXPECT_TRUE(silent.timedOut);

    options.environment = {{"KEEPGATE_PROBE", "a b"}, {"HOME", temp.path()}};
    options.captureStandardError = true;
    const long long before = platform::processesStarted();
    const auto quick = platform::runProcess(
        "/bin/sh", {"-c", "printf '%s|%s' \"$KEEPGATE_PROBE\" \"$HOME\"; echo oops >&2"}, options);
    EXPECT_FALSE(quick.timedOut);
    EXPECT_EQ(quick.exitStatus, 0);
    EXPECT_EQ(quick.standardOutput, "a b|" + temp.path());
    EXPECT_EQ(quick.standardError, "oops\n");
    EXPECT_EQ(platform::processesStarted(), before + 1);
    // Without capture, standard error is not gathered.
    EXPECT_EQ(platform::runProcess("/bin/sh", {"-c", "echo \"a line on the test log, on purpose\" >&2"})
                  .standardError,
              "");
}

TEST(ProcessTest, PrivilegedRunGoesThroughTheLauncher) {
    TempDir temp;
    testing::writeScript(temp / "launcher", "printf '%s|' \"$@\"\nexit 126\n");
    const SystemPaths saved = systemPaths();
    systemPaths().privilegedLauncher = temp / "launcher";
    const auto result = platform::runPrivileged("/bin/cp", {"-f", "a b", "c"});
    systemPaths() = saved;
    EXPECT_EQ(result.standardOutput, "/bin/cp|-f|a b|c|");
    EXPECT_EQ(result.exitStatus, 126);
}

class DefaultsTest : public HeadlessTest {};

TEST_F(DefaultsTest, ReadingRulesSharedByEveryReader) {
    const struct {
        std::optional<Value> stored;
        long long integer;
        bool accessFileMode;
    } modes[] = {{Value("1"), 1, true},    {Value("2"), 2, false}, {std::nullopt, 0, false},
                 {Value("abc"), 0, false}, {Value(1), 1, true},    {Value(""), 0, false}};
    for (const auto& m : modes) {
        if (m.stored) {
            defaults->setObject(constants::kProtectionSettingsKey, *m.stored);
        } else {
            defaults->removeObjectForKey(constants::kProtectionSettingsKey);
        }
        EXPECT_EQ(standardUserDefaults().integerForKey(constants::kProtectionSettingsKey), m.integer);
        EXPECT_EQ(isAccessFileMode(standardUserDefaults()), m.accessFileMode);
    }

    EXPECT_EQ(standardUserDefaults().stringForKey("KGmissing"), std::nullopt);
    EXPECT_FALSE(standardUserDefaults().boolForKey("KGmissing"));
    defaults->setString("KGconfigFilePathField", "/srv/a b.conf");
    EXPECT_EQ(standardUserDefaults().stringForKey("KGconfigFilePathField"), "/srv/a b.conf");
    defaults->setBool("KGcheckUpdates", true);
    EXPECT_TRUE(standardUserDefaults().boolForKey("KGcheckUpdates"));
    defaults->setBool("KGcheckUpdates", false);
    EXPECT_FALSE(standardUserDefaults().boolForKey("KGcheckUpdates"));
    defaults->setString("KGshowHidden", "0");
    EXPECT_FALSE(standardUserDefaults().boolForKey("KGshowHidden"));
}

TEST(LogTest, OneLinePerEntryWithTimeStampAndProcessName) {
    testing::TempDir temp;
    const std::string path = temp / "stderr";
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(file, 0);
    dup2(file, STDERR_FILENO);
    platform::appLog("Error copying file");
    platform::appLog("second entry");
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    close(file);
    const std::string written = testing::readFile(path);
    const std::regex line(
        R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} keepgate_core_tests\[\d+\] Error copying file\n)"
        R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} keepgate_core_tests\[\d+\] second entry\n)");
    EXPECT_TRUE(std::regex_match(written, line)) << written;
}

TEST(InstallTest, TheBuildTreeHasNoHelperAndKnowsItsOwnFolder) {
    const std::string directory = platform::executableDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_TRUE(platform::fileExists(directory + "/keepgate_core_tests"));
    // Running from the build tree the copy keeps going through the plain copy tool.
    EXPECT_FALSE(platform::installHelperPath());
}

} // namespace
} // namespace keepgate

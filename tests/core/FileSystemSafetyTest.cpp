#include <dirent.h>
#include <string>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "support/TestSupport.h"

namespace keepgate {
namespace {

using testing::TempDir;

// The names in a folder, hidden ones included.
std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        closedir(dir);
    }
    return names;
}

struct stat statOf(const std::string& path) {
    struct stat info {};
    lstat(path.c_str(), &info);
    return info;
}

constexpr uid_t kNobody = 65534;

TEST(FileSystemSafetyTest, AReplacedFileKeepsItsOwnerGroupAndMode) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only an administrator can hand a file to another owner";
    }
    TempDir temp;
    testing::writeFile(temp / "users", "old\n");
    ASSERT_EQ(chown((temp / "users").c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(chmod((temp / "users").c_str(), 0640), 0);
    ASSERT_TRUE(platform::writeFileAtomically(temp / "users", "new\n"));
    const auto info = statOf(temp / "users");
    EXPECT_EQ(info.st_uid, kNobody);
    EXPECT_EQ(info.st_gid, kNobody);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(testing::readFile(temp / "users"), "new\n");
}

TEST(FileSystemSafetyTest, LinksToAnythingButARegularFileAreNotWrittenThrough) {
    TempDir temp;
    ASSERT_EQ(mkfifo((temp / "fifo").c_str(), 0600), 0);
    ASSERT_EQ(mkdir((temp / "folder").c_str(), 0700), 0);
    ASSERT_EQ(symlink((temp / "fifo").c_str(), (temp / "to-fifo").c_str()), 0);
    ASSERT_EQ(symlink((temp / "folder").c_str(), (temp / "to-folder").c_str()), 0);
    for (const char* link : {"to-fifo", "to-folder"}) {
        const auto result = platform::writeFileAtomically(temp / link, "x");
        EXPECT_FALSE(result) << link;
        EXPECT_NE(result.error.find("not a regular file"), std::string::npos) << result.error;
    }
    EXPECT_TRUE(S_ISFIFO(statOf(temp / "fifo").st_mode));
    EXPECT_TRUE(S_ISLNK(statOf(temp / "to-fifo").st_mode));
    EXPECT_EQ(namesIn(temp / "folder").size(), 0u);
}

TEST(FileSystemSafetyTest, AsRootALinkToAFileOfAnotherOwnerIsNotWrittenThrough) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "the rule guards the administrator only";
    }
    TempDir temp;
    testing::writeFile(temp / "shadow", "root's own\n");
    ASSERT_EQ(symlink((temp / "shadow").c_str(), (temp / "users").c_str()), 0);
    ASSERT_EQ(lchown((temp / "users").c_str(), kNobody, kNobody), 0);
    const auto result = platform::writeFileAtomically(temp / "users", "planted\n");
    EXPECT_FALSE(result);
    EXPECT_EQ(testing::readFile(temp / "shadow"), "root's own\n");
    // The link's owner may still have it written through when the target is theirs.
    ASSERT_EQ(chown((temp / "shadow").c_str(), kNobody, kNobody), 0);
    EXPECT_TRUE(platform::writeFileAtomically(temp / "users", "theirs\n"));
    EXPECT_EQ(testing::readFile(temp / "shadow"), "theirs\n");
}

TEST(FileSystemSafetyTest, RemoveDeletesOnlyRegularFilesAndLinks) {
    TempDir temp;
    ASSERT_EQ(mkfifo((temp / "fifo").c_str(), 0600), 0);
    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = temp / "socket";
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    for (const char* name : {"fifo", "socket"}) {
        const auto result = platform::removeFile(temp / name);
        EXPECT_FALSE(result) << name;
        EXPECT_TRUE(platform::fileExists(temp / name)) << name;
    }
    EXPECT_FALSE(platform::removeFile("/dev/null"));
    close(sock);
}

TEST(FileSystemSafetyTest, TheTemporaryFileIsAHiddenHtFileAndGoesAway) {
    TempDir temp;
    const int watch = inotify_init1(IN_NONBLOCK);
    inotify_add_watch(watch, temp.path().c_str(), IN_CREATE);
    ASSERT_TRUE(platform::writeFileAtomically(temp / "groups", "staff:\n"));
    alignas(inotify_event) char buffer[4096];
    std::vector<std::string> created;
    for (ssize_t n; (n = read(watch, buffer, sizeof buffer)) > 0;) {
        for (char* p = buffer; p < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            created.emplace_back(event->len ? event->name : "");
            p += sizeof(inotify_event) + event->len;
        }
    }
    close(watch);
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].rfind(".ht", 0), 0u) << created[0];
    EXPECT_EQ(namesIn(temp.path()), (std::vector<std::string>{"groups"}));
}

TEST(FileSystemSafetyTest, AWriteCutByTheFileSizeLimitFailsAndKeepsTheOldFile) {
    TempDir temp;
    testing::writeFile(temp / "users", "alice:old\n");
    // In a child, since the limit and the signal disposition belong to the whole process.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        const auto result = platform::writeFileAtomically(temp / "users", std::string(8192, 'x'));
        const bool reported = !result.ok && result.error.find("File too large") != std::string::npos;
        _exit(reported ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the child was killed instead of seeing the failure";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failure was not reported";
    EXPECT_EQ(testing::readFile(temp / "users"), "alice:old\n");
    EXPECT_EQ(namesIn(temp.path()), (std::vector<std::string>{"users"})) << "no temporary file stays behind";
}

} // namespace
} // namespace keepgate

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/ProgramLookup.h"
#include "services/ApacheConfig.h"
#include "services/ServerControl.h"
#include "services/ServerProfile.h"
#include "support/TestSupport.h"

namespace keepgate {
namespace {

using testing::TempDir;
using testing::writeFile;

// Configurations built to make a reader run without end or take all memory. Each ends the read with an
// error that names the file where it stopped.
TEST(ReadersThatEndTest, HostileConfigurationsStopWithAnErrorNamingTheFile) {
    const struct {
        const char* name;
        std::function<void(const TempDir&)> build;
        std::string stopsAt; // the file the error names, relative to the root
        std::string says;
    } cases[] = {
        {"a file that includes itself twice",
         [](const TempDir& root) {
             writeFile(root / "main.conf", "User a\nInclude main.conf\nInclude main.conf\n");
         },
         "main.conf", "includes itself"},
        {"a glob folder whose files include the same glob",
         [](const TempDir& root) {
             writeFile(root / "main.conf", "Include conf.d/*.conf\n");
             for (const char* name : {"a", "b", "c", "d", "e", "f"}) {
                 writeFile(root / "conf.d/" + name + ".conf",
                           "Include conf.d/*.conf\nInclude conf.d/*.conf\n");
             }
         },
         "conf.d/a.conf", "includes itself"},
        {"a chain of distinct files deeper than Apache allows",
         [](const TempDir& root) {
             writeFile(root / "main.conf", "Include f0.conf\n");
             for (int i = 0; i < 200; ++i) {
                 writeFile(root / ("f" + std::to_string(i) + ".conf"),
                           "Include f" + std::to_string(i + 1) + ".conf\n");
             }
         },
         "f128.conf", "levels deep"},
        {"files that each include the next one twice, a million reads without a loop",
         [](const TempDir& root) {
             writeFile(root / "main.conf", "Include f0.conf\n");
             for (int i = 0; i < 20; ++i) {
                 const std::string next = "Include f" + std::to_string(i + 1) + ".conf\n";
                 writeFile(root / ("f" + std::to_string(i) + ".conf"), next + next);
             }
             writeFile(root / "f20.conf", "User a\n");
         },
         "f", "more than 10000 files"},
        {"a configuration larger than the limit in all",
         [](const TempDir& root) {
             std::string include;
             for (int i = 0; i < 70; ++i) {
                 include += "Include big" + std::to_string(i) + ".conf\n";
                 // One MiB of comment lines each: nothing to keep, only bytes to read.
                 writeFile(root / ("big" + std::to_string(i) + ".conf"),
                           std::string(1024 * 1024 - 1, '#') + "\n");
             }
             writeFile(root / "main.conf", include);
         },
         "big63.conf", "larger than 64 MiB in all"},
        {"20 MB of random bytes",
         [](const TempDir& root) {
             std::ifstream random("/dev/urandom", std::ios::binary);
             std::string bytes(20'000'000, '\0');
             random.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
             writeFile(root / "main.conf", bytes);
         },
         "main.conf", "not a text file"},
    };
    for (const auto& c : cases) {
        TempDir root;
        c.build(root);
        const auto text = ApacheConfig::read("main.conf", root.path());
        ASSERT_FALSE(text.error.empty()) << c.name;
        EXPECT_NE(text.error.find(root / c.stopsAt), std::string::npos) << c.name << ": " << text.error;
        EXPECT_NE(text.error.find(c.says), std::string::npos) << c.name << ": " << text.error;
        ASSERT_FALSE(text.problems.empty()) << c.name;
        EXPECT_EQ(text.problems.back(), text.error) << c.name;
    }
}

// 50,000 sections nested in one another, a directive in each: every directive knows all its sections,
// outermost first, and the reader goes on after they close.
TEST(ReadersThatEndTest, FiftyThousandNestedSectionsAreReadWhole) {
    constexpr int kDepth = 50000;
    TempDir root;
    std::string text;
    for (int i = 0; i < kDepth; ++i) {
        text += "<Directory /d" + std::to_string(i) + ">\nOptions None\n";
    }
    for (int i = 0; i < kDepth; ++i) {
        text += "</Directory>\n";
    }
    text += "User www\n";
    writeFile(root / "main.conf", text);

    const auto config = ApacheConfig::read(root / "main.conf", root.path());
    EXPECT_EQ(config.error, "");
    ASSERT_EQ(config.directives.size(), static_cast<std::size_t>(kDepth + 1));
    const auto& deepest = config.directives[kDepth - 1];
    ASSERT_EQ(deepest.sections.size(), static_cast<std::size_t>(kDepth));
    EXPECT_EQ(deepest.sections[0].second, "/d0");
    EXPECT_EQ(deepest.sections.rbegin()->second, "/d" + std::to_string(kDepth - 1));
    std::size_t walked = 0;
    for (const auto& [name, argument] : deepest.sections) {
        EXPECT_EQ(argument, "/d" + std::to_string(walked++)) << name;
        if (walked > 3) {
            break;
        }
    }
    EXPECT_EQ(config.directives[1].sections.list(),
              (std::vector<std::pair<std::string, std::string>>{{"Directory", "/d0"}, {"Directory", "/d1"}}));
    EXPECT_TRUE(config.directives.back().sections.empty());
}

// A program that writes without end is stopped at the limit, on either output, and the caller is told.
TEST(ReadersThatEndTest, AProgramThatPrintsWithoutEndIsStoppedAtTheLimit) {
    for (const bool toError : {false, true}) {
        platform::ProcessOptions options;
        options.captureStandardError = true;
        options.timeoutMilliseconds = toError ? 60000 : 0;
        const auto result =
            platform::runProcess("/bin/sh", {"-c", toError ? "cat /dev/zero >&2" : "cat /dev/zero"}, options);
        EXPECT_TRUE(result.outputExceeded) << toError;
        EXPECT_FALSE(result.timedOut) << toError;
        EXPECT_NE(result.exitStatus, 0) << toError;
        EXPECT_EQ((toError ? result.standardError : result.standardOutput).size(),
                  platform::kProcessOutputLimit);
    }
    TempDir temp;
    testing::writeScript(temp / "apache2ctl", "cat /dev/zero\n");
    ServerProfile profile;
    profile.controlProgram = temp / "apache2ctl";
    const auto test = ServerControl::testConfiguration(profile, temp / "apache2.conf");
    EXPECT_FALSE(test.passed);
    EXPECT_NE(test.message.find("printed more than 16 MiB"), std::string::npos)
        << test.message.substr(0, 200);
}

// Programs are taken from the system's folders, or from a PATH entry only when root owns it and no one
// else may write it; what is found is an absolute path.
TEST(ReadersThatEndTest, ProgramsComeOnlyFromFoldersNoOtherUserCanWrite) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "giving folders away needs root";
    }
    TempDir temp;
    const char* const kName = "keepgate-lookup-probe";
    const struct {
        const char* folder;
        mode_t mode;
        uid_t owner;
        bool taken;
    } cases[] = {
        {"root-only", 0755, 0, true},
        {"group-writable", 0775, 0, false},
        {"world-writable", 01777, 0, false},
        {"another-users", 0755, 65534, false},
    };
    const char* oldPath = std::getenv("PATH");
    const std::string savedPath = oldPath ? oldPath : "";
    for (const auto& c : cases) {
        const std::string folder = temp / c.folder;
        testing::writeScript(folder + "/" + kName, "exit 0\n");
        ASSERT_EQ(chmod(folder.c_str(), c.mode), 0);
        ASSERT_EQ(chown(folder.c_str(), c.owner, 0), 0);
        setenv("PATH", (folder + ":/usr/bin").c_str(), 1);
        const auto found = platform::findSystemProgram(kName);
        EXPECT_EQ(found.value_or("none"), c.taken ? folder + "/" + kName : "none") << c.folder;
    }
    // A relative entry (".", or an empty one) never supplies a program, even in a folder root owns.
    ASSERT_EQ(chdir((temp / "root-only").c_str()), 0);
    for (const char* path : {".:/usr/bin", ":/usr/bin", "root-only"}) {
        setenv("PATH", path, 1);
        EXPECT_FALSE(platform::findSystemProgram(kName)) << path;
    }
    ASSERT_EQ(chdir("/"), 0);

    setenv("PATH", savedPath.c_str(), 1);
}

} // namespace
} // namespace keepgate

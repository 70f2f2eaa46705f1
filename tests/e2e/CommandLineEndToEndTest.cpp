// The built keepgatectl protects directories of a real Apache server, in both places a block can live,
// writes nothing on a dry run or bad input, changes nothing the second time, and prints JSON that its
// published schema accepts.

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ApacheInstance.h"
#include "platform/Process.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

struct CtlRun {
    int status = -1;
    std::string out, err;
};

CtlRun keepgatectl(const std::vector<std::string>& arguments, const std::string& input = "") {
    platform::ProcessOptions options;
    options.standardInput = input;
    options.captureStandardError = true;
    options.timeoutMilliseconds = 60000;
    const auto result = platform::runProcess(KEEPGATE_CTL, arguments, options);
    return {result.exitStatus, result.standardOutput, result.standardError};
}

// Every byte of every file under a folder, to show that a command wrote nothing.
std::map<std::string, std::string> snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[entry.path().string()] = readFile(entry.path().string());
        }
    }
    return files;
}

// The output checked against the schema the manual page publishes, by an independent validator.
void expectSchemaValid(const std::string& json) {
    const std::string schema = std::string(KEEPGATE_TEST_SOURCE_DIR) + "/../data/keepgatectl.schema.json";
    const auto result = platform::runProcess(
        "/usr/bin/python3",
        {"-c",
         "import json, sys, jsonschema\n"
         "jsonschema.validate(json.loads(sys.stdin.read()), json.load(open(sys.argv[1])))",
         schema},
        platform::ProcessOptions{json, 30000, {}, true});
    EXPECT_EQ(result.exitStatus, 0) << json << "\n" << result.standardError;
}

class CommandLineEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        openToApache(temp.path());
        apache = std::make_unique<ApacheInstance>(temp / "server");
        users = temp / "users";
        shared = temp / "keepgate.conf";
        writeFile(shared, "");
        openToApache(shared);
    }

    // Runs a command with --json against the private server, checks its schema and exit status.
    CtlRun json(std::vector<std::string> arguments, int expected, const std::string& input = "") {
        arguments.insert(arguments.end(),
                         {"--json", "--server-config", apache->configPath(), "--control-program",
                          "/usr/sbin/apache2", "--shared-file", shared});
        CtlRun run = keepgatectl(arguments, input);
        EXPECT_EQ(run.status, expected) << run.out << run.err;
        expectSchemaValid(run.out);
        return run;
    }

    void protectTestUnprotect(const std::vector<std::string>& placeOptions, bool restartAfterWrites) {
        ASSERT_EQ(
            json({"users", "add", users, "alice", "--password-stdin", "--hash", "bcrypt"}, 0, "s3cret\n")
                .status,
            0);
        openToApache(users);
        const std::string directory = apache->publishPage("private");
        std::vector<std::string> protect{"protect", directory, "--user-file", users,
                                         "--user",  "alice",   "--realm",     "Members"};
        protect.insert(protect.end(), placeOptions.begin(), placeOptions.end());

        const auto before = snapshot(temp.path());
        const CtlRun dry = json(
            [&] {
                auto a = protect;
                a.push_back("--dry-run");
                return a;
            }(),
            0);
        EXPECT_NE(dry.out.find("+Require user alice"), std::string::npos) << dry.out;
        EXPECT_EQ(snapshot(temp.path()), before) << "the dry run wrote";

        const CtlRun first = json(protect, 0);
        EXPECT_NE(first.out.find("\"changed\":true"), std::string::npos) << first.out;
        if (!restartAfterWrites) {
            // The save is tested live at once, as in the window.
            EXPECT_NE(first.out.find("\"verdict\":\"protected\""), std::string::npos) << first.out;
        }
        const auto saved = snapshot(temp.path());
        const CtlRun second = json(protect, 0);
        EXPECT_NE(second.out.find("\"changed\":false"), std::string::npos) << second.out;
        EXPECT_EQ(snapshot(temp.path()), saved) << "the second identical protect changed bytes";
        if (restartAfterWrites) {
            ASSERT_TRUE(apache->restart()) << apache->lastError;
        }

        const CtlRun locked = json({"test", directory}, 0);
        EXPECT_NE(locked.out.find("\"status\":401"), std::string::npos) << locked.out << apache->errorLog();
        const CtlRun opened = json({"test", directory, "--user", "alice", "--password-stdin"}, 0, "s3cret\n");
        EXPECT_NE(opened.out.find("\"userStatus\":200"), std::string::npos)
            << opened.out << apache->errorLog();
        json({"test", directory, "--user", "alice", "--password-stdin"}, 3, "wrong\n");
        const CtlRun shown = json({"show", directory}, 0);
        EXPECT_NE(shown.out.find("\"users\":[\"alice\"]"), std::string::npos) << shown.out;

        json({"unprotect", directory}, 0);
        if (restartAfterWrites) {
            ASSERT_TRUE(apache->restart()) << apache->lastError;
        }
        const CtlRun open = json({"test", directory}, 1);
        EXPECT_NE(open.out.find("\"status\":200"), std::string::npos) << open.out;
        json({"show", directory}, 1);
    }

    TempDir temp;
    std::unique_ptr<ApacheInstance> apache;
    std::string users, shared;
};

TEST_F(CommandLineEndToEnd, ProtectsInTheAccessFile) {
    apache->writeConfig("AllowOverride AuthConfig Limit\nRequire all granted\n");
    ASSERT_TRUE(apache->start()) << apache->lastError;
    protectTestUnprotect({"--access-file"}, false);
}

TEST_F(CommandLineEndToEnd, ProtectsInTheSharedFile) {
    apache->writeConfig("AllowOverride None\nRequire all granted\n", "Include " + shared + "\n");
    ASSERT_TRUE(apache->start()) << apache->lastError;
    protectTestUnprotect({"--shared"}, true);
    EXPECT_EQ(readFile(shared), "");
}

// check --fix makes the window's amendment: a dry run shows both files' diffs and writes nothing; the fix
// passes the server's -t, opens the directory to access files, and a second run changes nothing.
TEST_F(CommandLineEndToEnd, CheckFixShowsThenMakesTheAmendmentOnce) {
    apache->writeConfig("AllowOverride None\nRequire all granted\n");
    const std::string directory = apache->publishPage("private");
    const std::string own = apache->root() + "/keepgate-overrides.conf";
    const auto before = snapshot(temp.path());

    const CtlRun dry = json({"check", directory, "--fix", "--dry-run"}, 3);
    EXPECT_NE(dry.out.find("+<Directory \\\"" + directory + "\\\">\\n+    AllowOverride AuthConfig Limit"),
              std::string::npos)
        << dry.out;
    EXPECT_NE(dry.out.find("+Include " + own), std::string::npos) << dry.out;
    EXPECT_EQ(snapshot(temp.path()), before) << "the dry run wrote";
    const CtlRun text = keepgatectl({"check", directory, "--fix", "--dry-run", "--server-config",
                                     apache->configPath(), "--control-program", "/usr/sbin/apache2"});
    EXPECT_NE(text.out.find("--- /dev/null\n+++ " + own), std::string::npos) << text.out << text.err;
    EXPECT_EQ(snapshot(temp.path()), before) << "the dry run wrote";

    json({"check", directory, "--fix", "--yes"}, 0);
    const std::string fixedConfig = readFile(apache->configPath());
    EXPECT_EQ(readFile(own),
              "<Directory \"" + directory + "\">\n    AllowOverride AuthConfig Limit\n</Directory>\n");
    ASSERT_TRUE(apache->start()) << apache->lastError;
    writeFile(users, "alice:$apr1$abc$def\n");
    openToApache(users);
    json({"protect", directory, "--user-file", users, "--user", "alice", "--access-file"}, 0);
    const CtlRun locked = json({"test", directory}, 0);
    EXPECT_NE(locked.out.find("\"verdict\":\"protected\""), std::string::npos) << locked.out;

    const CtlRun again = json({"check", directory, "--fix", "--yes"}, 0);
    EXPECT_EQ(again.out.find("\"changed\":true"), std::string::npos) << again.out;
    EXPECT_EQ(readFile(apache->configPath()), fixedConfig) << "the second fix changed the configuration";
}

// Bad input: one line on standard error naming the value and the rule, exit 1 or 2, and no byte written.
TEST_F(CommandLineEndToEnd, RefusesBadInputWritingNothing) {
    writeFile(users, "alice:$apr1$abc$def\n");
    const std::string directory = temp / "site";
    writeFile(directory + "/index.html", "hi");
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string named;
    };
    const std::vector<Case> cases{
        {{"frobnicate"}, 2, "\"frobnicate\""},
        {{"users", "list", users, "--bogus"}, 2, "\"--bogus\""},
        {{"users", "list", users, "--fix"}, 2, "--fix"},
        {{"users", "add", users, "bo b", "--password-stdin"}, 1, "\"bo b\""},
        {{"users", "add", users, "carol", "--password-stdin", "--hash", "md4"}, 2, "\"md4\""},
        {{"users", "add", users, "carol", "--password-stdin", "--cost", "4"}, 2, "\"4\""},
        {{"users", "passwd", users, "alice", "--password-stdin", "--cost", "15"}, 2, "5 to 14"},
        {{"users", "add", users, "carol", "--password-stdin", "--hash", "sha512", "--cost", "10"},
         2,
         "bcrypt"},
        {{"users", "list", temp / "missing"}, 1, temp / "missing"},
        {{"protect", directory, "--user-file", users, "--user", "alice", "--realm", "a\"b"}, 1, "\"a\"b\""},
        {{"protect", directory, "--user-file", users, "--user", "alice", "--allow", "1.2.3.4 x"},
         1,
         "\"1.2.3.4 x\""},
        {{"protect", directory, "--user-file", users, "--user", "mallory"}, 1, "\"mallory\""},
        {{"protect", directory, "--user-file", users}, 1, "admits everyone"},
        {{"protect", directory, "--user-file", users, "--user", "alice", "--and", "--or"}, 2, "--and"},
        {{"groups", "add-member", temp / "groups", "staff"}, 2, "NAME"},
    };
    const auto before = snapshot(temp.path());
    for (const Case& c : cases) {
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.end(), {"--server-config", temp / "no-server.conf"});
        const CtlRun run = keepgatectl(arguments, "pw\n");
        EXPECT_EQ(run.status, c.status) << c.arguments.front() << ": " << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(snapshot(temp.path()), before) << "written by: " << run.err;
    }
}

} // namespace
} // namespace keepgate::testing

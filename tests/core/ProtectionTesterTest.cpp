// The directory editor's protection test: the address it shows, what it says about each kind of answer,
// cancelling, and that a password typed for the test goes nowhere but into the request.

#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Constants.h"
#include "platform/SystemPaths.h"
#include "support/Layouts.h"
#include "support/LoopbackHttpServer.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

class ProtectionTesterTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        defaults->setString(constants::kProtectionSettingsKey, constants::kAccessFileMode);
        defaults->setString(constants::kDefaultAccessFilenameKey, ".htaccess");
        defaults->setString(constants::kConfigFilePathKey, temp / "keepgate.conf");
        std::filesystem::create_directories(privateDir);
        systemPaths().mainConfig = temp / "httpd.conf";
        writeConfig("AllowOverride AuthConfig");
        editor = std::make_unique<DirectoryEditorLayout>();
        editor->tester.timeoutMilliseconds = 2000;
    }
    void TearDown() override {
        editor.reset();
        HeadlessTest::TearDown();
    }

    void writeConfig(const std::string& override, int port = 0) {
        writeFile(temp / "httpd.conf",
                  "ServerRoot " + temp.path() +
                      "\nListen 127.0.0.1:" + std::to_string(port ? port : server.port()) +
                      "\nErrorLog error.log\nDocumentRoot " + temp / "site" + "\n<Directory " +
                      temp / "site" + ">\n    AllowOverride " + override + "\n</Directory>\n");
    }
    void load(const std::string& directory) {
        editor->directory.selectDirectory();
        windows->answer(1, {directory});
    }
    // Presses Test Protection, answers the sheet and waits for the answer.
    std::string test(const std::string& username = "", const std::string& password = "") {
        editor->tester.testProtection();
        windows->answerCredentials(1, username, password);
        windows->deliverCompletions();
        return windows->statusLine();
    }
    std::string url() const { return server.url("/private/"); }

    LoopbackHttpServer server;
    const std::string privateDir = temp / "site/private";
    std::unique_ptr<DirectoryEditorLayout> editor;
};

TEST_F(ProtectionTesterTest, TheAddressComesFromTheConfigurationOrSaysWhyThereIsNone) {
    load(privateDir);
    EXPECT_EQ(editor->addressField.text, url());
    EXPECT_TRUE(editor->addressField.editable);
    EXPECT_TRUE(editor->testProtectionButton.enabled);

    load(temp / "elsewhere");
    EXPECT_EQ(editor->addressField.text, "");
    EXPECT_NE(editor->addressField.placeholder.find("publishes no address for " + temp / "elsewhere"),
              std::string::npos)
        << editor->addressField.placeholder;

    systemPaths().mainConfig = temp / "missing.conf";
    load(privateDir);
    EXPECT_EQ(editor->addressField.text, "");
    EXPECT_NE(editor->addressField.placeholder.find("missing.conf cannot be read"), std::string::npos);
}

TEST_F(ProtectionTesterTest, ATypedAddressIsRememberedPerDirectoryAndClearingItRestoresTheMappedOne) {
    const std::string other = temp / "site/other";
    load(privateDir);
    editor->addressField.text = "http://localhost:8080/p/";
    editor->tester.addressEdited();
    load(other);
    EXPECT_EQ(editor->addressField.text, server.url("/other/"));
    load(privateDir);
    EXPECT_EQ(editor->addressField.text, "http://localhost:8080/p/");
    // A second editor (the next start of the program) reads the same store.
    DirectoryEditorLayout later;
    later.directory.selectDirectory();
    windows->answer(1, {privateDir});
    EXPECT_EQ(later.addressField.text, "http://localhost:8080/p/");

    editor->addressField.text = "";
    editor->tester.addressEdited();
    EXPECT_EQ(editor->addressField.text, url());
    load(privateDir);
    EXPECT_EQ(editor->addressField.text, url());
    EXPECT_EQ(defaults->stringForKey(constants::kTestAddressesKey).value_or(""), "");
}

struct OutcomeCase {
    const char* name;
    const char* answer;   // raw bytes the server sends
    bool protectionSaved; // an access file lies in the directory
    const char* override; // AllowOverride in the configuration
    const char* errorLog; // written to the server's error log before the test
    const char* expected; // the status line; URL and DIR stand for the address and the directory
};

std::ostream& operator<<(std::ostream& out, const OutcomeCase& c) {
    return out << c.name;
}

std::string expand(std::string text, const std::string& url, const std::string& directory,
                   const std::string& root) {
    for (const auto& [word, value] :
         {std::pair<std::string, std::string>{"URL", url}, {"DIR", directory}, {"ROOT", root}}) {
        for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + value.size())) {
            text.replace(at, word.size(), value);
        }
    }
    return text;
}

class Outcomes : public ProtectionTesterTest, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(Outcomes, AreReportedInOneLineInTheWindowAndTheLog) {
    const OutcomeCase& c = GetParam();
    writeConfig(c.override);
    server.serveRaw("/private/", c.answer);
    if (c.protectionSaved) {
        writeFile(privateDir + "/.htaccess", "AuthType Basic\nAuthName \"x\"\nRequire valid-user\n");
    }
    writeFile(temp / "error.log", expand(c.errorLog, url(), privateDir, temp.path()));
    load(privateDir);
    const std::string expected = expand(c.expected, url(), privateDir, temp.path());
    EXPECT_EQ(test(), expected);
    EXPECT_FALSE(editor->testProgress.animating);
    ASSERT_FALSE(logLines.empty());
    EXPECT_EQ(logLines.back(), "Protection test of " + url() + ": " + expected);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Outcomes,
    ::testing::Values(
        OutcomeCase{"Protected",
                    "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"Staff\"\r\n\r\n", true,
                    "AuthConfig", "", "Protected: the server asks for a password (realm \"Staff\")."},
        OutcomeCase{
            "NothingSaved", "HTTP/1.1 200 OK\r\n\r\n", false, "AuthConfig", "",
            "Not protected: the server serves this folder to everyone. No protection is saved for this "
            "folder."},
        OutcomeCase{
            "AccessFileIgnored", "HTTP/1.1 200 OK\r\n\r\n", true, "None", "",
            "Not protected: the server serves this folder to everyone. The server ignores .htaccess here: "
            "AllowOverride None is in force for this folder (ROOT/httpd.conf line 6)."},
        OutcomeCase{
            "AccessFileIgnoredForAuthentication", "HTTP/1.1 302 Found\r\nLocation: /x/\r\n\r\n", true,
            "FileInfo Indexes", "",
            "Not protected: the server serves this folder to everyone. The server ignores .htaccess here: "
            "AllowOverride FileInfo Indexes is in force for this folder (ROOT/httpd.conf line 6)."},
        OutcomeCase{
            "NotReloaded", "HTTP/1.1 200 OK\r\n\r\n", true, "All", "",
            "Not protected: the server serves this folder to everyone. The server has probably not been "
            "reloaded since the protection was saved."},
        OutcomeCase{
            "HostRule", "HTTP/1.1 403 Forbidden\r\n\r\n", true, "All",
            "[authz_core:error] [client 127.0.0.1:1] AH01630: client denied by server configuration: DIR/\n",
            "Closed by a host rule for this computer."},
        OutcomeCase{
            "NoIndexIsNoHostRule", "HTTP/1.1 403 Forbidden\r\n\r\n", false, "All",
            "[autoindex:error] [client 127.0.0.1:1] AH01276: Cannot serve directory DIR/: No matching "
            "DirectoryIndex found\n",
            "Not protected: the server serves this folder to everyone. It shows no listing of it, but serves "
            "the files in it."},
        OutcomeCase{
            "Failing", "HTTP/1.1 500 Internal Server Error\r\n\r\n", true, "All",
            "[core:alert] [pid 1] DIR/.htaccess: Invalid command 'AuthGroupFile'\n[core:notice] other\n",
            "The server fails on this folder. The error log says: [core:alert] [pid 1] DIR/.htaccess: "
            "Invalid command 'AuthGroupFile'"},
        OutcomeCase{"FailingWithNothingLogged", "HTTP/1.1 500 Internal Server Error\r\n\r\n", true, "All", "",
                    "The server fails on this folder."},
        OutcomeCase{"NotFound", "HTTP/1.1 404 Not Found\r\n\r\n", true, "All", "",
                    "The server answers 404 for URL."},
        OutcomeCase{"Garbage", "\x16\x03\x01", true, "All", "", "The web server does not answer on URL."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProtectionTesterTest, TheErrorLogLineOfTheRequestItselfIsPreferred) {
    server.serveRaw("/private/", "HTTP/1.1 500 Internal Server Error\r\n\r\n");
    // The line the server writes for the request names its client port, not the directory; a newer line
    // about the directory comes from another request.
    server.onRequest([&](const std::string&, int clientPort) {
        std::ofstream(temp / "error.log", std::ios::app)
            << "[authn_file:error] [client 127.0.0.1:" << clientPort
            << "] AH01620: Could not open password file: /x/users\n"
            << "[core:alert] [client 127.0.0.1:1] " << privateDir << "/.htaccess: older\n";
    });
    writeFile(temp / "error.log", "");
    load(privateDir);
    const std::string line = test();
    EXPECT_EQ(
        line.rfind(
            "The server fails on this folder. The error log says: [authn_file:error] [client 127.0.0.1:", 0),
        0u)
        << line;
    EXPECT_NE(line.find("] AH01620: Could not open password file: /x/users"), std::string::npos) << line;
}

TEST_F(ProtectionTesterTest, CredentialsGiveASecondVerdict) {
    writeFile(privateDir + "/.htaccess", "AuthType Basic\n");
    server.serveRaw("/private/", "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"R\"\r\n\r\n");
    load(privateDir);
    EXPECT_EQ(test("alice", "wrong"),
              "Protected: the server asks for a password (realm \"R\"). alice is refused "
              "(wrong password, or not among the marked users and groups).");
    server.serveRaw("/private/", "HTTP/1.1 200 OK\r\n\r\n");
    EXPECT_EQ(test("alice", "right"),
              "Not protected: the server serves this folder to everyone. The server has "
              "probably not been reloaded since the protection was saved. alice is let in.");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_NE(requests[1].find("Authorization: Basic YWxpY2U6d3Jvbmc="), std::string::npos) << requests[1];
}

TEST_F(ProtectionTesterTest, NoAddressOrAForeignOneIsNeverRequested) {
    load(temp / "elsewhere");
    editor->tester.testProtection();
    ASSERT_EQ(windows->alertTitles(), std::vector<std::string>{"No Address"});
    windows->answer(1);

    load(privateDir);
    for (const char* foreign : {"http://example.com/private/", "http://192.0.2.7/private/"}) {
        editor->addressField.text = foreign;
        EXPECT_EQ(test(), std::string("The address ") + foreign +
                              " is not on this computer, so it was not requested.");
    }
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(ProtectionTesterTest, AServerThatDoesNotAnswerIsReportedAfterTheTimeout) {
    editor->tester.timeoutMilliseconds = 300;
    server.stall("/private/");
    load(privateDir);
    EXPECT_EQ(test(), "The web server does not answer on " + url() + ".");
    writeConfig("All", 1);
    load(privateDir);
    EXPECT_EQ(test(), "The web server does not answer on http://127.0.0.1:1/private/.");
}

TEST_F(ProtectionTesterTest, ASecondClickCancelsAndTheCancelledAnswerIsDropped) {
    server.stall("/private/");
    load(privateDir);
    editor->tester.testProtection();
    windows->answerCredentials(1, "", "");
    EXPECT_TRUE(editor->testProgress.animating);
    EXPECT_TRUE(editor->tester.isTesting());
    EXPECT_EQ(windows->statusLine(), "Testing " + url() + " (click Test Protection again to cancel)…");

    editor->tester.testProtection();
    EXPECT_FALSE(windows->hasPendingSheet()) << "a click while testing cancels; it asks nothing";
    EXPECT_FALSE(editor->testProgress.animating);
    EXPECT_EQ(windows->statusLine(), "Test cancelled.");
    EXPECT_EQ(windows->deliverCompletions(), 1);
    EXPECT_EQ(windows->statusLine(), "Test cancelled.");
    EXPECT_TRUE(logLines.empty());
}

TEST_F(ProtectionTesterTest, EverySaveAndRemovalIsTestedAndANewerTestReplacesARunningOne) {
    server.stall("/private/");
    load(privateDir);
    editor->tester.testProtection();
    windows->answerCredentials(1, "", "");
    // The save's own test replaces the running one, whose answer is dropped.
    server.serveRaw("/private/",
                    "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"Keepgate\"\r\n\r\n");
    editor->denyAllOthersCB.setState(1);
    editor->directory.saveProtection();
    EXPECT_EQ(windows->statusLine(), "Saved .htaccess in " + privateDir + ". Testing " + url() +
                                         " (click Test Protection again to cancel)…");
    EXPECT_EQ(windows->deliverCompletions(), 2);
    EXPECT_EQ(windows->statusLine(), "Saved .htaccess in " + privateDir +
                                         ". Protected: the server asks for a password (realm \"Keepgate\").");
    EXPECT_EQ(logLines.size(), 1u);

    server.serveRaw("/private/", "HTTP/1.1 200 OK\r\n\r\n");
    editor->directory.removeProtection();
    windows->answer(1);
    windows->deliverCompletions();
    EXPECT_EQ(windows->statusLine(),
              "Removed protection. Not protected: the server serves this folder to everyone. "
              "No protection is saved for this folder.");
}

TEST_F(ProtectionTesterTest, TheStatusAreaSaysWhereProtectionStandsForTheLoadedDirectoryOnly) {
    using Verdict = ProtectionTester::Verdict;
    bool fixable = true;
    editor->tester.serverFinding = [&]() -> std::optional<ProtectionTester::ServerFinding> {
        return ProtectionTester::ServerFinding{"AllowOverride None is in force.", fixable};
    };
    load(privateDir);
    EXPECT_EQ(
        editor->verdictField.text,
        "Not tested: press Test Again to ask the server.\nServer check: AllowOverride None is in force.");
    EXPECT_TRUE(editor->testAgainButton.enabled);
    EXPECT_TRUE(editor->fixButton.enabled);

    const struct {
        const char* answer;
        Verdict verdict;
        const char* firstLines;
    } cases[] = {
        {"HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"Staff\"\r\n\r\n", Verdict::Protected,
         "Protected\nThe server asks for a password (realm \"Staff\")."},
        {"HTTP/1.1 200 OK\r\n\r\n", Verdict::NotProtected,
         "Not protected\nThe server serves this folder to everyone. No protection is saved for this folder."},
        {"HTTP/1.1 500 Internal Server Error\r\n\r\n", Verdict::Failing,
         "Failing\nThe server fails on this folder."},
        {"HTTP/1.1 404 Not Found\r\n\r\n", Verdict::Unreachable, "Unreachable\nThe server answers 404 for "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firstLines);
        fixable = c.verdict != Verdict::Protected;
        server.serveRaw("/private/", c.answer);
        editor->tester.testAgain();
        EXPECT_EQ(windows->deliverCompletions(), 1);
        EXPECT_EQ(editor->tester.verdict(), c.verdict);
        const std::string& text = editor->verdictField.text;
        EXPECT_EQ(text.rfind(c.firstLines, 0), 0u) << text;
        EXPECT_NE(text.find("\nServer check: AllowOverride None is in force.\nTested " + url() + " at "),
                  std::string::npos)
            << text;
        EXPECT_EQ(editor->fixButton.enabled, fixable);
    }

    // Another directory starts untested, and a test still running for the first one never lands in it.
    server.stall("/private/");
    editor->tester.testAgain();
    load(temp / "site/other");
    windows->deliverCompletions();
    EXPECT_EQ(editor->tester.verdict(), Verdict::NotTested);
    EXPECT_EQ(editor->verdictField.text.find("Tested "), std::string::npos) << editor->verdictField.text;
    EXPECT_EQ(editor->verdictField.text.rfind("Not tested: press Test Again", 0), 0u);
}

// Every file below `folder` whose bytes hold `secret`.
std::vector<std::string> filesHolding(const std::string& folder, const std::string& secret) {
    std::vector<std::string> found;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ignored)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (bytes.find(secret) != std::string::npos) {
                found.push_back(entry.path().string());
            }
        }
    }
    return found;
}

// Every process whose command line holds `secret`.
std::vector<std::string> commandLinesHolding(const std::string& secret) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::ifstream in(entry.path() / "cmdline", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (bytes.find(secret) != std::string::npos) {
            found.push_back(name);
        }
    }
    return found;
}

TEST_F(ProtectionTesterTest, TheTestPasswordAppearsInNoCommandLineLogLineOrFile) {
    const std::string password = "Pw-7e1c9-not-anywhere";
    writeFile(privateDir + "/.htaccess", "AuthType Basic\n");
    server.serveRaw("/private/", "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"R\"\r\n\r\n");
    // The process table is read while the probe waits for the answer to the request that carries it.
    std::vector<std::string> processes;
    bool sawCredentials = false;
    server.onRequest([&](const std::string& head, int) {
        if (head.find("Authorization:") != std::string::npos) {
            sawCredentials = true;
            processes = commandLinesHolding(password);
        }
    });
    load(privateDir);
    const std::string line = test("alice", password);
    EXPECT_TRUE(sawCredentials);
    EXPECT_TRUE(processes.empty()) << processes.front();
    EXPECT_EQ(line.find(password), std::string::npos) << line;
    ASSERT_FALSE(logLines.empty());
    for (const auto& logged : logLines) {
        EXPECT_EQ(logged.find(password), std::string::npos) << logged;
    }
    for (const auto& message : windows->statusMessages) {
        EXPECT_EQ(message.find(password), std::string::npos) << message;
    }
    for (const auto& [key, value] : defaults->values()) {
        EXPECT_EQ(value.text().find(password), std::string::npos) << key;
    }
    EXPECT_TRUE(filesHolding(temp.path(), password).empty()) << filesHolding(temp.path(), password).front();
    EXPECT_TRUE(filesHolding(systemPaths().mainConfig, password).empty());
}

} // namespace
} // namespace keepgate::testing

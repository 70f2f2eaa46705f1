// Name-based virtual hosts on one private Apache, over HTTP and over HTTPS with a self-signed
// certificate: a folder protected under the second host is tested at that host's name, through this
// computer's listener.

#include <filesystem>
#include <memory>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "ApacheInstance.h"
#include "platform/Constants.h"
#include "platform/SystemPaths.h"
#include "services/ProtectionProbe.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

int unusedPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    close(fd);
    return port;
}

class VirtualHostEndToEnd : public HeadlessTest, public ::testing::WithParamInterface<bool> {
  protected:
    bool https() const { return GetParam(); }

    void SetUp() override {
        HeadlessTest::SetUp();
        openToApache(temp.path());
        apache = std::make_unique<ApacheInstance>(temp / "server");
        defaults->setString(constants::kProtectionSettingsKey, constants::kAccessFileMode);
        defaults->setString(constants::kDefaultAccessFilenameKey, ".htaccess");
        systemPaths().mainConfig = apache->configPath();
        systemPaths().serverRoot = apache->root();
        second = apache->root() + "/second";
        std::filesystem::create_directories(second + "/private");
        writeFile(second + "/private/index.html", "second\n");
        for (const std::string& path : {second, second + "/private", second + "/private/index.html"}) {
            openToApache(path);
        }
        const std::string port = std::to_string(apache->port());
        std::string extra = "<Directory \"" + second +
                            "\">\nAllowOverride AuthConfig Limit\nRequire all granted\n"
                            "</Directory>\n<VirtualHost 127.0.0.1:" +
                            port + ">\nServerName first.example\nDocumentRoot \"" + apache->documentRoot() +
                            "\"\n</VirtualHost>\n";
        if (!https()) {
            extra += "<VirtualHost 127.0.0.1:" + port + ">\nServerName second.example\nDocumentRoot \"" +
                     second + "\"\n</VirtualHost>\n";
            address = "second.example:" + port;
            through = "127.0.0.1:" + port;
        } else {
            const std::string key = apache->root() + "/key.pem";
            const std::string certificate = apache->root() + "/cert.pem";
            ASSERT_EQ(
                shell("openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=second.example -keyout '" +
                      key + "' -out '" + certificate + "' >/dev/null 2>&1"),
                0);
            const std::string securePort = std::to_string(unusedPort());
            const std::string tls = "SSLEngine on\nSSLCertificateFile \"" + certificate +
                                    "\"\nSSLCertificateKeyFile \"" + key + "\"\n";
            extra +=
                "LoadModule ssl_module /usr/lib/apache2/modules/mod_ssl.so\nListen 127.0.0.1:" + securePort +
                " https\n<VirtualHost 127.0.0.1:" + securePort + ">\nServerName first.example\n" + tls +
                "DocumentRoot \"" + apache->documentRoot() +
                "\"\n</VirtualHost>\n<VirtualHost 127.0.0.1:" + securePort +
                ">\nServerName second.example\n" + tls + "DocumentRoot \"" + second + "\"\n</VirtualHost>\n";
            address = "second.example:" + securePort;
            through = "127.0.0.1:" + securePort;
        }
        apache->writeConfig("AllowOverride None\nRequire all granted\n", extra);
        ASSERT_TRUE(apache->restart()) << apache->lastError;
        editor = std::make_unique<DirectoryEditorLayout>();
    }
    void TearDown() override {
        editor.reset();
        apache.reset();
        HeadlessTest::TearDown();
    }

    std::unique_ptr<ApacheInstance> apache;
    std::unique_ptr<DirectoryEditorLayout> editor;
    std::string second;
    std::string address; // the second host's name and port
    std::string through; // the listener it is reached through
};

TEST_P(VirtualHostEndToEnd, AFolderOfTheSecondHostIsProtectedAtThatHostsName) {
    const std::string users = temp / "users";
    UserEditorLayout userEditor;
    userEditor.controller.newUserfile();
    windows->answer(1, {users});
    userEditor.usernameField.text = "alice";
    userEditor.passwordField.text = "alice pw";
    userEditor.controller.addUser();
    openToApache(users);

    const std::string url = (https() ? "https://" : "http://") + address + "/private/";
    editor->directory.selectDirectory();
    windows->answer(1, {second + "/private"});
    EXPECT_EQ(editor->addressField.text, url);
    editor->authnameField.text = "Second";
    editor->directory.selectUserfile();
    windows->answer(1, {users});
    ASSERT_TRUE(editor->userfileView.clickCheckBox(0));
    editor->directory.saveProtection();
    ASSERT_FALSE(windows->hasPendingSheet());
    EXPECT_EQ(windows->deliverCompletions(), 1);

    EXPECT_EQ(editor->tester.verdict(), ProtectionTester::Verdict::Protected)
        << editor->verdictField.text << apache->errorLog();
    const std::string& status = editor->verdictField.text;
    EXPECT_EQ(status.rfind("Protected\nThe server asks for a password (realm \"Second\").", 0), 0u) << status;
    EXPECT_NE(status.find("Tested " + url + " (through " + through + ") at "), std::string::npos) << status;
    EXPECT_EQ(status.find("self-signed") != std::string::npos, https()) << status;

    // The right password is let in; only over plain HTTP does the verdict warn that it travels in clear.
    editor->tester.testProtection();
    windows->answerCredentials(1, "alice", "alice pw");
    EXPECT_EQ(windows->deliverCompletions(), 1);
    EXPECT_NE(windows->statusLine().find("alice is let in."), std::string::npos) << windows->statusLine();
    EXPECT_EQ(editor->verdictField.text.find("passwords travel in clear text") != std::string::npos, !https())
        << editor->verdictField.text;

    // Without the host's name the listener's default host answers, which does not serve the folder.
    ProtectionProbe probe;
    EXPECT_EQ(probe.request((https() ? "https://" : "http://") + through + "/private/").status, 404);
}

INSTANTIATE_TEST_SUITE_P(Schemes, VirtualHostEndToEnd, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Https" : "Http"; });

} // namespace
} // namespace keepgate::testing

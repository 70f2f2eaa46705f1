#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/SystemPaths.h"
#include "support/HttpFetcher.h"
#include "support/Layouts.h"
#include "support/LoopbackHttpServer.h"
#include "support/TestSupport.h"

namespace keepgate::testing {

// The main controller with its configuration files in a temp dir, a privileged launcher that runs its
// command (and notes each call) and an update address on a loopback server.
class ShellTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        systemPaths().mainConfig = temp / "httpd.conf";
        systemPaths().stagingConfig = temp / "staging.conf";
        systemPaths().privilegedLauncher = temp / "launcher";
        systemPaths().updateURL = server.url("/version.xml");
        sharedConfig = temp / "keepgate.conf";
        allowLauncher(true);
        setUrlFetcher(std::make_shared<HttpFetcher>());
    }

    // A launcher that runs its arguments, or one that refuses as when the administrator cancels.
    void allowLauncher(bool allow) {
        writeScript(temp / "launcher",
                    "echo \"$@\" >> '" + launcherLog() + "'\n" + (allow ? "exec \"$@\"\n" : "exit 126\n"));
    }
    std::string launcherLog() const { return temp / "launcher.log"; }
    std::string launcherCalls() const {
        const std::string calls = readFile(launcherLog());
        return calls == "<missing>" ? "" : calls;
    }

    // The private staging folders left in the test's directory (each amendment removes its own).
    std::string stagingLeftovers() const {
        std::string found;
        for (const auto& entry : std::filesystem::directory_iterator(temp.path())) {
            if (entry.is_directory() && entry.path().filename().string().starts_with("keepgate-")) {
                found += entry.path().string() + " ";
            }
        }
        return found;
    }

    // The backup path an alert names ("... kept as PATH.").
    static std::string backupNamedIn(const std::string& message) {
        const auto start = message.find(" kept as ");
        if (start == std::string::npos) {
            return "";
        }
        const auto end = message.find(".\n", start);
        std::string path =
            message.substr(start + 9, end == std::string::npos ? std::string::npos : end - start - 9);
        if (!path.empty() && path.back() == '.') {
            path.pop_back();
        }
        return path;
    }

    // Stored preferences of this version, so start-up restores nothing.
    void storePreferences(const std::string& mode, bool checkUpdates = false) {
        defaults->setString("KGversion", "0.7");
        defaults->setBool("KGcheckUpdates", checkUpdates);
        defaults->setBool("KGshowHidden", false);
        defaults->setString("KGdefaultAccessFilename", ".htaccess");
        defaults->setString("KGconfigFilePathField", sharedConfig);
        defaults->setString("KGprotectionSettings", mode);
    }

    static std::string versionDocument(const std::string& entries) {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n" + entries +
               "</dict>\n</plist>\n";
    }
    static std::string entry(const std::string& key, const std::string& value) {
        return "\t<key>" + key + "</key>\n\t<string>" + value + "</string>\n";
    }

    LoopbackHttpServer server;
    UserEditorLayout layout;
    std::string sharedConfig;
};

} // namespace keepgate::testing

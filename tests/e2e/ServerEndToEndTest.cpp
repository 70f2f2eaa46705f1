#include <chrono>
#include <filesystem>
#include <memory>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "ApacheInstance.h"
#include "app/ServerCheckReport.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/SystemPaths.h"
#include "app/ServerActions.h"
#include "services/ServerProfile.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

const char* const kModules = "/usr/lib/apache2/modules";
// What a distribution enables by default for basic authentication: everything but authz_groupfile.
const char* const kEnabledModules[] = {"mpm_event",  "authz_core",    "authn_core",
                                       "auth_basic", "authn_file",    "authz_user",
                                       "authz_host", "access_compat", "dir"};

std::string loadLine(const std::string& module) {
    return "LoadModule " + module + "_module " + kModules + "/mod_" + module + ".so\n";
}

// A private Apache laid out the way a distribution ships it, found through a control program on the search
// path, checked and fixed through the report with a privileged launcher that runs what it is given.
class ServerEndToEnd : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        openToApache(temp.path());
        apache = std::make_unique<ApacheInstance>(temp / "server");
        root = apache->root();
        writeScript(temp / "pkexec", "exec \"$@\"\n");
        systemPaths().privilegedLauncher = temp / "pkexec";
        systemPaths().controlProgramFolders = {root + "/bin"};
        systemPaths().knownMainConfigs = {};
        defaults->setString("KGversion", "0.7");
        defaults->setString("KGprotectionSettings", "1");
        defaults->setString("KGdefaultAccessFilename", ".htaccess");
        writeFile(temp / "users", "");
        ASSERT_EQ(shell("htpasswd -b '" + temp / "users" + "' alice a1 2>/dev/null"), 0);
        writeFile(temp / "groups", "staff: alice\n");
        openToApache(temp / "users");
        openToApache(temp / "groups");
        for (const char* page : {"private", "team"}) {
            writeFile(apache->documentRoot() + "/" + page + "/index.html", "secret\n");
            openToApache(apache->documentRoot() + "/" + page);
            openToApache(apache->documentRoot() + "/" + page + "/index.html");
        }
        writeFile(apache->documentRoot() + "/private/.htaccess",
                  "AuthType Basic\nAuthName \"Keepgate\"\nAuthUserFile " + temp / "users" +
                      "\nRequire user alice\n");
        writeFile(apache->documentRoot() + "/team/.htaccess",
                  "AuthType Basic\nAuthName \"Keepgate\"\nAuthUserFile " + temp / "users" +
                      "\nAuthGroupFile " + temp / "groups" + "\nRequire group staff\n");
        openToApache(apache->documentRoot() + "/private/.htaccess");
        openToApache(apache->documentRoot() + "/team/.htaccess");
    }
    void TearDown() override {
        apache.reset();
        DirectoryGroups::reset();
        DirectoryAccess::reset();
        HeadlessTest::TearDown();
    }

    // The control program: answers -V with the layout, copies every configuration it tests (so the test
    // can prove what was installed had passed), and hands everything else to the real apache2.
    void writeControlProgram(const std::string& name, const std::string& configFile) {
        writeScript(root + "/bin/" + name, (environmentFile.empty() ? "" : ". '" + environmentFile + "'\n") +
                                               "case \"$1\" in\n"
                                               "  -V) echo ' -D HTTPD_ROOT=\"" +
                                               root + "\"'; echo ' -D SERVER_CONFIG_FILE=\"" + configFile +
                                               "\"'; exit 0;;\n"
                                               "  -t) n=$(ls '" +
                                               root + "/tested' | wc -l); cp \"$3\" '" + root +
                                               "/tested/'$n;;\n"
                                               "  graceful) exec /usr/sbin/apache2 -d '" +
                                               root + "' -f '" + root + "/" + configFile +
                                               "' -k graceful;;\nesac\nexec /usr/sbin/apache2 \"$@\"\n");
        std::filesystem::create_directories(root + "/tested");
    }

    // Waits for the server to give `expected` for `path` after a graceful reload; the status it gave last.
    int statusAfterReload(const std::string& path, int expected, const std::string& credentials = "") {
        int status = 0;
        for (int attempt = 0; attempt < 100; ++attempt) {
            status = apache->status(path, credentials);
            if (status == expected) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return status;
    }

    void detect() {
        const auto profile = ServerProfile::detect();
        ASSERT_TRUE(profile);
        profile->applyTo(systemPaths());
    }

    // Opens the report for the directory as the editor holds it, with the group marked.
    void check(const std::string& directory) {
        editor.directoryField.text = directory;
        editor.userfileField.text = temp / "users";
        editor.groupfileField.text = temp / "groups";
        DirectoryGroups::readGroupfile(temp / "groups", {"staff"});
        report.parent = &editor.mainWindow;
        report.directory = &editor.directory;
        report.refresh();
        windows->deliverCompletions();
    }

    std::vector<FindingKind> kinds() const {
        std::vector<FindingKind> result;
        for (const auto& finding : report.findings) {
            result.push_back(finding.kind);
        }
        return result;
    }

    // Fixes the finding of that kind, answering every question with its default button (the reload too).
    void fix(FindingKind kind) {
        for (std::size_t i = 0; i < report.findings.size(); ++i) {
            if (report.findings[i].kind == kind) {
                report.fix(i);
                while (windows->hasPendingSheet()) {
                    windows->answer(1);
                }
                windows->deliverCompletions();
                return;
            }
        }
        FAIL() << "no finding of that kind";
    }

    std::string alertMessages() const {
        std::string text;
        for (const auto& shown : windows->alerts) {
            text += shown.alert.title + ": " + shown.alert.message + "\n";
        }
        return text;
    }

    // Every main configuration that was installed had been through the server's own test first.
    void expectInstalledConfigurationWasTested(const std::string& mainConfig) {
        std::set<std::string> tested;
        for (const auto& entry : std::filesystem::directory_iterator(root + "/tested")) {
            tested.insert(readFile(entry.path().string()));
        }
        EXPECT_TRUE(tested.count(readFile(mainConfig))) << "installed without a test:\n"
                                                        << readFile(mainConfig);
    }

    // The whole journey: unprotected folders, the report names both problems, the fixes make them protected.
    void runJourney(const std::string& mainConfig) {
        ASSERT_TRUE(apache->start()) << apache->lastError;
        // Overrides are off: the access files are ignored and everyone gets in.
        EXPECT_EQ(apache->status("/private/"), 200);
        EXPECT_EQ(apache->status("/team/"), 200);

        detect();
        EXPECT_EQ(systemPaths().mainConfig, mainConfig);
        check(apache->documentRoot() + "/team");
        EXPECT_EQ(kinds(),
                  (std::vector<FindingKind>{FindingKind::OverridesIgnored, FindingKind::ModuleMissing}))
            << alertMessages();

        const std::string beforeFix = readFile(mainConfig);
        fix(FindingKind::OverridesIgnored);
        EXPECT_NE(alertMessages().find("Reloaded"), std::string::npos) << alertMessages();
        // Only the checked folder reads its access file now: its group file directive counts, but its
        // module is missing; the folder beside it stays as the packaged configuration has it.
        EXPECT_EQ(statusAfterReload("/team/", 500), 500) << apache->errorLog();
        EXPECT_EQ(apache->status("/private/"), 200);
        if (readFile(mainConfig) != beforeFix) {
            expectInstalledConfigurationWasTested(mainConfig);
        }

        fix(FindingKind::ModuleMissing);
        EXPECT_EQ(statusAfterReload("/team/", 401), 401) << alertMessages() << apache->errorLog();
        EXPECT_EQ(apache->status("/team/", "alice:a1"), 200);
        expectInstalledConfigurationWasTested(mainConfig);
        EXPECT_TRUE(report.findings.empty()) << report.findings[0].message;

        // A configuration that fails the server's test is never installed: old file intact, message shown.
        const std::string before = readFile(mainConfig);
        windows->alerts.clear();
        ServerActions::installMainConfiguration(&editor.mainWindow, before + "BogusDirective on\n");
        while (windows->hasPendingSheet()) {
            windows->answer(1);
        }
        EXPECT_EQ(readFile(mainConfig), before);
        ASSERT_EQ(windows->alerts.size(), 1u);
        EXPECT_NE(windows->alerts[0].alert.message.find("BogusDirective"), std::string::npos)
            << alertMessages();
        EXPECT_NE(windows->alerts[0].alert.message.find("was not changed"), std::string::npos);
        EXPECT_EQ(apache->status("/team/", "alice:a1"), 200);
    }

    std::unique_ptr<ApacheInstance> apache;
    std::string root, environmentFile;
    DirectoryEditorLayout editor;
    ServerCheckReport report;
};

TEST_F(ServerEndToEnd, DebianLayoutDetectedCheckedAndFixed) {
    const std::string port = std::to_string(apache->port());
    environmentFile = root + "/envvars";
    writeFile(environmentFile, "export APACHE_RUN_USER=nobody\nexport APACHE_RUN_GROUP=nogroup\n"
                               "export APACHE_PID_FILE='" +
                                   root + "/logs/httpd.pid'\nexport LANG=C\n");
    const std::string main = root + "/apache2.conf";
    writeFile(main,
              "ServerRoot \"" + root + "\"\nPidFile ${APACHE_PID_FILE}\nDefaultRuntimeDir " + root +
                  "/logs\nMutex file:" + root +
                  "/logs default\nUser ${APACHE_RUN_USER}\n"
                  "Group ${APACHE_RUN_GROUP}\nErrorLog " +
                  root +
                  "/logs/error.log\nLogLevel warn\n"
                  "IncludeOptional mods-enabled/*.load\nListen 127.0.0.1:" +
                  port +
                  "\nServerName 127.0.0.1\n<Directory />\n\tOptions FollowSymLinks\n\tAllowOverride None\n"
                  "\tRequire all denied\n</Directory>\n<Directory " +
                  apache->documentRoot() +
                  "/>\n\tAllowOverride None\n\tRequire all granted\n</Directory>\nAccessFileName .htaccess\n"
                  "<FilesMatch \"^\\.ht\">\n\tRequire all denied\n</FilesMatch>\n"
                  "IncludeOptional conf-enabled/*.conf\nIncludeOptional sites-enabled/*.conf\n");
    writeFile(root + "/sites-enabled/000-default.conf", "<VirtualHost 127.0.0.1:" + port +
                                                            ">\n\tDocumentRoot " + apache->documentRoot() +
                                                            "\n</VirtualHost>\n");
    std::filesystem::create_directories(root + "/conf-enabled");
    std::filesystem::create_directories(root + "/mods-enabled");
    for (const char* module : {"mpm_event", "authz_core", "authn_core", "auth_basic", "authn_file",
                               "authz_user", "authz_host", "access_compat", "dir", "authz_groupfile"}) {
        writeFile(root + "/mods-available/" + module + ".load", loadLine(module));
    }
    for (const char* module : kEnabledModules) {
        std::filesystem::create_symlink("../mods-available/" + std::string(module) + ".load",
                                        root + "/mods-enabled/" + module + ".load");
    }
    writeControlProgram("apache2ctl", "apache2.conf");
    writeScript(root + "/bin/a2enmod",
                "ln -s ../mods-available/\"$1\".load '" + root + "/mods-enabled/'\"$1\".load\n");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        openToApache(entry.path().string());
    }
    apache->useLayout(main, environmentFile);

    runJourney(main);
    EXPECT_EQ(systemPaths().serverUser, "nobody");
    EXPECT_EQ(systemPaths().enableModuleProgram, root + "/bin/a2enmod");
    EXPECT_TRUE(platform::fileExists(root + "/mods-enabled/authz_groupfile.load"));
    // The override was lifted for the one folder, not for the whole machine.
    const std::string amended = readFile(main);
    EXPECT_NE(amended.find("<Directory />\n\tOptions FollowSymLinks\n\tAllowOverride None\n"),
              std::string::npos);
}

TEST_F(ServerEndToEnd, FedoraLayoutDetectedCheckedAndFixed) {
    const std::string port = std::to_string(apache->port());
    const std::string main = root + "/conf/httpd.conf";
    writeFile(main, "ServerRoot \"" + root + "\"\nPidFile logs/httpd.pid\nDefaultRuntimeDir " + root +
                        "/logs\nMutex file:" + root + "/logs default\nListen 127.0.0.1:" + port +
                        "\nInclude conf.modules.d/*.conf\nUser nobody\nGroup nogroup\nServerName 127.0.0.1\n"
                        "ErrorLog logs/error.log\nLogLevel warn\n<Directory />\n    AllowOverride none\n"
                        "    Require all denied\n</Directory>\nDocumentRoot \"" +
                        apache->documentRoot() + "\"\n<Directory \"" + apache->documentRoot() +
                        "\">\n    AllowOverride None\n"
                        "    Require all granted\n</Directory>\nIncludeOptional conf.d/*.conf\n");
    std::string base;
    for (const char* module : kEnabledModules) {
        base += loadLine(module);
    }
    writeFile(root + "/conf.modules.d/00-base.conf", base);
    writeFile(root + "/conf.d/welcome.conf", "DirectoryIndex index.html\n");
    writeControlProgram("apachectl", "conf/httpd.conf");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        openToApache(entry.path().string());
    }
    apache->useLayout(main);

    runJourney(main);
    EXPECT_EQ(systemPaths().enableModuleProgram, "");
    EXPECT_NE(readFile(main).find(loadLine("authz_groupfile")), std::string::npos);
    // No line was widened: the folder got a section of its own in conf.d, which the server reads as it is.
    EXPECT_NE(readFile(main).find("\"" + apache->documentRoot() + "\">\n    AllowOverride None\n"),
              std::string::npos)
        << readFile(main);
    EXPECT_EQ(readFile(root + "/conf.d/keepgate.conf"),
              "<Directory \"" + apache->documentRoot() +
                  "/team\">\n    AllowOverride AuthConfig Limit\n</Directory>\n");
}

} // namespace
} // namespace keepgate::testing

// The first start on a distribution's own Apache: the one question, the targeted amendment in Keepgate's
// own file, and a protection that is proven, removed and proven gone, with the packaged files untouched.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "ApacheInstance.h"
#include "app/ServerCheckReport.h"
#include "platform/Constants.h"
#include "platform/FileSystem.h"
#include "platform/SystemPaths.h"
#include "services/ServerProfile.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

enum class Layout { Debian, Fedora };

std::string layoutName(const ::testing::TestParamInfo<Layout>& info) {
    return info.param == Layout::Debian ? "Debian" : "Fedora";
}

class FirstStartEndToEnd : public HeadlessTest, public ::testing::WithParamInterface<Layout> {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        openToApache(temp.path());
        apache = std::make_unique<ApacheInstance>(temp / "server");
        root = apache->root();
        port = std::to_string(apache->port());
        writeScript(temp / "pkexec", "exec \"$@\"\n");
        systemPaths().privilegedLauncher = temp / "pkexec";
        systemPaths().controlProgramFolders = {root + "/bin"};
        systemPaths().knownMainConfigs = {};
        systemPaths().updateURL = "http://127.0.0.1:1/version.xml";
        outside = root + "/outside";
        writeFile(outside + "/index.html", "not for the web\n");
        // An access file that would open the folder if the server ever read access files there.
        writeFile(outside + "/.htaccess", "Require all granted\n");
        writeFile(apache->documentRoot() + "/private/index.html", "secret\n");
        GetParam() == Layout::Debian ? debian() : fedora();
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            openToApache(entry.path().string());
        }
    }
    void TearDown() override {
        apache.reset();
        DirectoryGroups::reset();
        DirectoryAccess::reset();
        HeadlessTest::TearDown();
    }

    // The control program: answers -V with the layout and hands everything else to the real apache2.
    void controlProgram(const std::string& name, const std::string& configFile) {
        writeScript(root + "/bin/" + name, (environmentFile.empty() ? "" : ". '" + environmentFile + "'\n") +
                                               "case \"$1\" in\n" + "  -V) echo ' -D HTTPD_ROOT=\"" + root +
                                               "\"'; echo ' -D SERVER_CONFIG_FILE=\"" + configFile +
                                               "\"'; exit 0;;\n  graceful) exec /usr/sbin/apache2 -d '" +
                                               root + "' -f '" + root + "/" + configFile +
                                               "' -k graceful;;\nesac\nexec /usr/sbin/apache2 \"$@\"\n");
    }

    // A copy of the system's stock Debian configuration, with the private paths and port put in the
    // files a site's administrator edits (envvars, ports.conf, the site), never in apache2.conf.
    void debian() {
        if (!platform::fileExists("/etc/apache2/apache2.conf")) {
            GTEST_SKIP() << "no stock Debian configuration in /etc/apache2";
        }
        ASSERT_EQ(shell("cp -a /etc/apache2/. '" + root + "/'"), 0);
        mainConfig = root + "/apache2.conf";
        environmentFile = root + "/envvars";
        writeFile(environmentFile, "export APACHE_RUN_USER=nobody\nexport APACHE_RUN_GROUP=nogroup\n"
                                   "export APACHE_PID_FILE='" +
                                       root + "/logs/httpd.pid'\nexport APACHE_RUN_DIR='" + root +
                                       "/logs'\nexport APACHE_LOCK_DIR='" + root +
                                       "/logs'\nexport APACHE_LOG_DIR='" + root + "/logs'\nexport LANG=C\n");
        writeFile(root + "/ports.conf", "Listen 127.0.0.1:" + port + "\n");
        std::filesystem::remove_all(root + "/sites-enabled");
        writeFile(root + "/sites-enabled/000-default.conf", site());
        controlProgram("apache2ctl", "apache2.conf");
        writeScript(root + "/bin/a2enmod",
                    "ln -s ../mods-available/\"$1\".load '" + root + "/mods-enabled/'\"$1\".load\n");
        writeScript(root + "/bin/a2enconf",
                    "[ -f '" + root +
                        "/conf-available/'\"$1\".conf ] || exit 1\nln -s ../conf-available/\"$1\".conf '" +
                        root + "/conf-enabled/'\"$1\".conf\n");
        apache->useLayout(mainConfig, environmentFile);
        sharedFolder = root + "/conf-available";
        ownFile = root + "/conf-available/keepgate.conf";
    }

    // Fedora's stock httpd.conf in its parts that matter here, with its modules and conf.d.
    void fedora() {
        mainConfig = root + "/conf/httpd.conf";
        writeFile(
            mainConfig,
            "ServerRoot \"" + root + "\"\nListen 127.0.0.1:" + port +
                "\nInclude conf.modules.d/*.conf\nUser nobody\nGroup nogroup\nServerAdmin root@localhost\n"
                "ServerName 127.0.0.1\nPidFile logs/httpd.pid\nDefaultRuntimeDir " +
                root + "/logs\nMutex file:" + root +
                "/logs default\n<Directory />\n    AllowOverride none\n    Require all denied\n</Directory>\n"
                "DocumentRoot \"" +
                apache->documentRoot() + "\"\n<Directory \"" + apache->documentRoot() +
                "\">\n    Options Indexes FollowSymLinks\n    AllowOverride None\n    Require all granted\n"
                "</Directory>\n<IfModule dir_module>\n    DirectoryIndex index.html\n</IfModule>\n"
                "<Files \".ht*\">\n    Require all denied\n</Files>\nErrorLog \"logs/error.log\"\n"
                "LogLevel warn\nIncludeOptional conf.d/*.conf\n");
        std::string modules;
        for (const char* module :
             {"mpm_event", "authz_core", "authn_core", "auth_basic", "authn_file", "authz_user",
              "authz_groupfile", "authz_host", "access_compat", "dir", "alias"}) {
            modules += std::string("LoadModule ") + module + "_module /usr/lib/apache2/modules/mod_" +
                       module + ".so\n";
        }
        writeFile(root + "/conf.modules.d/00-base.conf", modules);
        writeFile(root + "/conf.d/site.conf", site());
        controlProgram("apachectl", "conf/httpd.conf");
        apache->useLayout(mainConfig);
        sharedFolder = root + "/conf.d";
        ownFile = root + "/conf.d/keepgate.conf";
    }

    // The site: the document root published, and a folder outside it behind an Alias.
    std::string site() const {
        return "DocumentRoot \"" + apache->documentRoot() + "\"\n<Directory \"" + apache->documentRoot() +
               "\">\n\tRequire all granted\n</Directory>\nAlias /outside \"" + outside + "\"\n<Directory \"" +
               outside + "\">\n\tRequire all denied\n</Directory>\n";
    }

    int statusAfterReload(const std::string& path, int expected, const std::string& credentials = "") {
        int status = 0;
        for (int attempt = 0; attempt < 100 && (status = apache->status(path, credentials)) != expected;
             ++attempt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return status;
    }

    std::string alerts() const {
        std::string text;
        for (const auto& shown : windows->alerts) {
            text += shown.alert.title + ": " + shown.alert.message + "\n";
        }
        return text;
    }

    void answerAll() {
        while (windows->hasPendingSheet()) {
            windows->answer(1);
        }
    }

    std::unique_ptr<ApacheInstance> apache;
    std::string root, port, mainConfig, environmentFile, outside, sharedFolder, ownFile;
};

TEST_P(FirstStartEndToEnd, AutomaticallyConfigureOpensOnlyTheDocumentRootAndProtectionComesAndGoes) {
    ASSERT_TRUE(apache->start()) << apache->lastError;
    EXPECT_EQ(apache->status("/outside/"), 403);
    const std::string packaged = readFile(mainConfig);

    // The start of the application: detection, then the controller's start-up on fresh preferences.
    const auto profile = ServerProfile::detect();
    ASSERT_TRUE(profile);
    profile->applyTo(systemPaths());
    UserEditorLayout users;
    users.controller.awakeFromNib();
    EXPECT_EQ(defaults->stringForKey(constants::kConfigFilePathKey),
              sharedFolder + "/keepgate-protection.conf");

    const std::string section =
        "<Directory \"" + apache->documentRoot() + "\">\n    AllowOverride AuthConfig Limit\n</Directory>\n";
    ASSERT_TRUE(windows->hasPendingSheet());
    const auto question = windows->pendingSheet().alert;
    const auto titles = windows->alertTitles();
    EXPECT_EQ(titles[0], "Warning!");
    EXPECT_EQ(std::count(titles.begin(), titles.end(), "Warning!"), 1)
        << "more than one question at first start";
    EXPECT_EQ(question.defaultButton, "Automatically configure");
    EXPECT_NE(question.message.find("Keepgate keeps the protection settings of each individual directory you "
                                    "are protecting in its .htaccess file"),
              std::string::npos)
        << question.message;
    EXPECT_EQ(question.message.find("You have set up"), std::string::npos);
    EXPECT_NE(question.message.find("Add to " + ownFile + " (a new file):\n\n" + section), std::string::npos)
        << question.message;
    EXPECT_NE(question.message.find(mainConfig + " stays as it is."), std::string::npos) << question.message;
    EXPECT_EQ(question.message.find("Personal Web Sharing"), std::string::npos);
    EXPECT_EQ(question.message.find("a2enconf") != std::string::npos, GetParam() == Layout::Debian);

    windows->alerts.clear();
    answerAll();
    EXPECT_EQ(readFile(ownFile), section);
    EXPECT_NE(alerts().find("Reloaded"), std::string::npos) << alerts();
    EXPECT_EQ(alerts().find("Personal Web Sharing"), std::string::npos) << alerts();

    // The user file and a group, made in their editors; the group's module enabled through Check Server.
    users.controller.newUserfile();
    windows->answer(1, {temp / "users"});
    users.usernameField.text = "alice";
    users.passwordField.text = "a1";
    users.controller.addUser();
    GroupEditorLayout groups;
    groups.controller.newFile();
    windows->answer(1, {temp / "groups"});
    groups.groupnameField.text = "staff";
    groups.controller.addGroup();
    groups.grouplistPopup.selectItem(0);
    groups.usernameField.text = "alice";
    groups.controller.addUser();
    openToApache(temp / "users");
    openToApache(temp / "groups");
    answerAll();

    DirectoryEditorLayout editor;
    editor.directory.selectDirectory();
    windows->answer(1, {apache->documentRoot() + "/private"});
    editor.directory.selectUserfile();
    windows->answer(1, {temp / "users"});
    editor.directory.selectGroupfile();
    windows->answer(1, {temp / "groups"});
    ASSERT_EQ(editor.groupfileView.rowCount(), 1);
    EXPECT_TRUE(editor.groupfileView.clickCheckBox(0));
    ServerCheckReport report;
    report.parent = &editor.mainWindow;
    report.directory = &editor.directory;
    report.refresh();
    windows->deliverCompletions();
    for (int fixes = 0; fixes < 3 && !report.findings.empty(); ++fixes) {
        ASSERT_EQ(report.findings[0].kind, FindingKind::ModuleMissing) << report.findings[0].message;
        report.fix(0);
        answerAll();
        windows->deliverCompletions();
    }
    editor.directory.saveProtection();
    answerAll();
    openToApache(apache->documentRoot() + "/private/.htaccess");
    EXPECT_EQ(statusAfterReload("/private/", 401), 401) << alerts() << apache->errorLog();
    EXPECT_EQ(apache->status("/private/", "alice:a1"), 200);

    windows->alerts.clear();
    editor.directory.removeProtection();
    answerAll();
    EXPECT_NE(std::find(windows->statusMessages.begin(), windows->statusMessages.end(), "Removed protection"),
              windows->statusMessages.end());
    EXPECT_EQ(apache->status("/private/"), 200);

    EXPECT_EQ(readFile(mainConfig), packaged) << "the packaged main configuration changed";
    EXPECT_EQ(apache->status("/outside/"), 403) << "a folder outside the protected one opened";
}

INSTANTIATE_TEST_SUITE_P(Layouts, FirstStartEndToEnd, ::testing::Values(Layout::Debian, Layout::Fedora),
                         layoutName);

} // namespace
} // namespace keepgate::testing

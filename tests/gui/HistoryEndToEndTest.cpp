// The history of changes through the real widgets against a private Apache: a user added, the server
// amended and a protection saved; each restored from File › History…, a restore undone with Edit › Undo
// and the others restored back; every file byte for byte as it was at each step, and the server (asked
// directly and by the live protection test) answering as it did.

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "e2e/ApacheInstance.h"
#include "platform/Constants.h"
#include "platform/FileSystem.h"
#include "platform/History.h"
#include "platform/SystemPaths.h"
#include "qt/ApplicationWindows.h"
#include "qt/HistoryWindow.h"
#include "qt/QtWindowSystem.h"
#include "qt/ServerCheckWindow.h"
#include "services/ServerProfile.h"
#include "support/TestSupport.h"
#include "WindowTest.h"

namespace keepgate::testing {
namespace {

using Verdict = ProtectionTester::Verdict;

class HistoryEndToEndTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        systemPaths().stagingFolder = temp.path();
        openToApache(temp.path());
        apache = std::make_unique<ApacheInstance>(temp / "server");
        root = apache->root();
        writeScript(temp / "pkexec", "exec \"$@\"\n");
        systemPaths().privilegedLauncher = temp / "pkexec";
        systemPaths().controlProgramFolders = {root + "/bin"};
        systemPaths().knownMainConfigs = {};
        systemPaths().updateURL = "http://127.0.0.1:1/version.xml";
        serverLayout();
        writeFile(apache->documentRoot() + "/private/index.html", "secret\n");
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            openToApache(entry.path().string());
        }
        platform::History::shared().open(temp / "state/keepgate");
        DirectoryGroups::reset();
        DirectoryAccess::reset();
    }
    void TearDown() override {
        windows.reset();
        settleEvents();
        platform::History::shared().close();
        apache.reset();
        DirectoryGroups::reset();
        DirectoryAccess::reset();
        systemPaths() = SystemPaths{};
        WindowTest::TearDown();
    }

    // A Fedora-like layout: the main configuration names conf.d, where Keepgate's own file goes.
    void serverLayout() {
        mainConfig = root + "/conf/httpd.conf";
        const std::string docs = apache->documentRoot();
        writeFile(mainConfig,
                  "ServerRoot \"" + root + "\"\nListen 127.0.0.1:" + std::to_string(apache->port()) +
                      "\nInclude conf.modules.d/*.conf\nUser nobody\nGroup nogroup\nServerName 127.0.0.1\n"
                      "PidFile logs/httpd.pid\nDefaultRuntimeDir " +
                      root + "/logs\nMutex file:" + root +
                      "/logs default\n<Directory />\n    AllowOverride none\n    Require all denied\n"
                      "</Directory>\nDocumentRoot \"" +
                      docs + "\"\n<Directory \"" + docs +
                      "\">\n    AllowOverride None\n    Require all granted\n</Directory>\n"
                      "DirectoryIndex index.html\nErrorLog \"logs/error.log\"\nLogLevel warn\n"
                      "IncludeOptional conf.d/*.conf\n");
        std::string modules;
        for (const char* module : {"mpm_event", "authz_core", "authn_core", "auth_basic", "authn_file",
                                   "authz_user", "authz_groupfile", "authz_host", "access_compat", "dir"}) {
            modules += std::string("LoadModule ") + module + "_module /usr/lib/apache2/modules/mod_" +
                       module + ".so\n";
        }
        writeFile(root + "/conf.modules.d/00-base.conf", modules);
        std::filesystem::create_directories(root + "/conf.d");
        writeScript(root + "/bin/apachectl", "case \"$1\" in\n  -V) echo ' -D HTTPD_ROOT=\"" + root +
                                                 "\"'; echo ' -D SERVER_CONFIG_FILE=\"conf/httpd.conf\"'; "
                                                 "exit 0;;\n  graceful) exec /usr/sbin/apache2 -d '" +
                                                 root + "' -f '" + mainConfig +
                                                 "' -k graceful;;\nesac\nexec /usr/sbin/apache2 \"$@\"\n");
        apache->useLayout(mainConfig);
    }

    void makeWindows() {
        windows = std::make_unique<qt::ApplicationWindows>(windowSystem.get());
        windows->main.directory.awakeFromNib();
        windows->main.directoryGroups.awakeFromNib();
        windows->main.directoryAccess.awakeFromNib();
        windows->main.show();
        settleEvents();
    }

    static bool waitFor(const std::function<bool()>& condition, int milliseconds = 10000) {
        for (int waited = 0; waited < milliseconds && !condition(); waited += 25) {
            QTest::qWait(25);
        }
        return condition();
    }
    static QMessageBox* visibleAlert() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                return box;
            }
        }
        return nullptr;
    }
    // Waits for an alert and clicks its button with this title.
    static void answerAlert(const QString& title) {
        ASSERT_TRUE(waitFor([] { return visibleAlert() != nullptr; }))
            << "no alert offers " << title.toStdString();
        QMessageBox* box = visibleAlert();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text().remove(QLatin1Char('&')) == title) {
                button->click();
                settleEvents();
                return;
            }
        }
        ADD_FAILURE() << "the alert \"" << box->text().toStdString() << "\" offers no "
                      << title.toStdString();
    }
    static void click(QAbstractButton* button) {
        ASSERT_TRUE(button->isEnabled()) << button->text().toStdString();
        button->click();
        settleEvents();
    }
    QAction* menuAction(const char* name) { return windows->main.findChild<QAction*>(QLatin1String(name)); }
    // The History window's rows, as the Change column shows them.
    std::vector<std::string> historyRows() {
        std::vector<std::string> rows;
        QAbstractItemModel* model = windows->main.historyWindow->entriesView->widget()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            rows.push_back(model->index(row, 1).data().toString().toStdString());
        }
        return rows;
    }
    // Selects the change in the History window and presses Restore.
    void restoreChange(const std::string& action) {
        const auto rows = historyRows();
        const auto found = std::find(rows.begin(), rows.end(), action);
        ASSERT_NE(found, rows.end()) << action;
        qt::HistoryWindow* history = windows->main.historyWindow;
        history->entriesView->widget()->selectRow(static_cast<int>(found - rows.begin()));
        settleEvents();
        EXPECT_FALSE(history->diffText->toPlainText().isEmpty());
        click(history->restoreButton->widget());
    }
    int statusAfterReload(const std::string& credentials, int expected) {
        int status = 0;
        for (int attempt = 0;
             attempt < 100 && (status = apache->status("/private/", credentials)) != expected; ++attempt) {
            QTest::qWait(100);
        }
        return status;
    }
    bool verdictBecomes(Verdict verdict) {
        return waitFor([&] {
            const auto& tester = windows->main.protectionTester;
            return !tester.isTesting() && tester.verdict() == verdict;
        });
    }

    TempDir temp;
    std::unique_ptr<ApacheInstance> apache;
    std::unique_ptr<qt::ApplicationWindows> windows;
    std::string root, mainConfig;
};

TEST_F(HistoryEndToEndTest, EachChangeIsRestoredAndARestoreUndoneWithFilesAndServerAsTheyWere) {
    ASSERT_TRUE(apache->start()) << apache->lastError;
    const auto profile = ServerProfile::detect();
    ASSERT_TRUE(profile);
    profile->applyTo(systemPaths());
    makeWindows();
    const std::string users = temp / "users";
    writeFile(users, "");
    openToApache(users);
    const std::string docs = apache->documentRoot();
    const std::string privateFolder = docs + "/private";
    const std::string access = privateFolder + "/.htaccess";
    const std::string ownFile = root + "/conf.d/keepgate.conf";
    const std::string packaged = readFile(mainConfig);
    EXPECT_EQ(apache->status("/private/"), 200);
    EXPECT_FALSE(menuAction("undoAction")->isEnabled());

    // A user added in the user editor.
    windows->main.editorTabs()->setCurrentIndex(qt::MainWindow::UsersTab);
    auto& u = windows->main.userEditor;
    click(u.chooseButton);
    choosePath(users);
    u.usernameField->widget()->setText(QStringLiteral("alice"));
    u.passwordField->widget()->setText(QStringLiteral("wonderland"));
    click(u.adduserButton->widget());
    const std::string withAlice = readFile(users);
    ASSERT_EQ(withAlice.rfind("alice:", 0), 0u) << withAlice;
    EXPECT_EQ(menuAction("undoAction")->text().toStdString(), "Undo Added alice");

    // The server amended through Check Server, so that it reads access files in the document root.
    windows->main.editorTabs()->setCurrentIndex(qt::MainWindow::DirectoryTab);
    auto& d = windows->main.directoryEditor;
    click(d.chooseButton);
    choosePath(privateFolder);
    windows->main.showServerCheck();
    QPushButton* fix = nullptr;
    ASSERT_TRUE(waitFor([&] {
        fix = windows->main.serverCheckWindow->findChild<QPushButton*>(QStringLiteral("fix0"));
        return fix && fix->isVisible();
    }));
    click(fix);
    answerAlert(QStringLiteral("Fix"));
    answerAlert(QStringLiteral("Reload the web server now"));
    answerAlert(QStringLiteral("OK"));
    windows->main.serverCheckWindow->hide();
    const std::string amended = readFile(ownFile);
    ASSERT_NE(amended.find("AllowOverride"), std::string::npos) << amended;
    EXPECT_EQ(readFile(mainConfig), packaged);

    // The protection saved for alice, and the server asks for her password.
    click(d.selectUserfileButton->widget());
    choosePath(users);
    QTableView* userTable = d.userfileView->widget();
    ASSERT_EQ(userTable->model()->rowCount(), 1);
    click(d.allusersCB->widget());
    click(d.saveProtectionButton->widget());
    ASSERT_EQ(visibleAlert(), nullptr) << visibleAlert()->text().toStdString();
    const std::string saved = readFile(access);
    ASSERT_NE(saved.find("AuthUserFile " + users), std::string::npos) << saved;
    EXPECT_EQ(statusAfterReload("", 401), 401);
    EXPECT_EQ(apache->status("/private/", "alice:wonderland"), 200);
    EXPECT_TRUE(verdictBecomes(Verdict::Protected)) << windows->main.protectionTester.statusText();

    // File › History… lists the three changes, newest first.
    menuAction("historyAction")->trigger();
    settleEvents();
    ASSERT_NE(windows->main.historyWindow, nullptr);
    const std::string saveAction = "Saved protection of " + privateFolder;
    const auto rows = historyRows();
    ASSERT_EQ(rows.size(), 3u);
    const std::string amendAction = rows[1];
    EXPECT_EQ(rows[0], saveAction);
    EXPECT_EQ(amendAction.rfind("Allowed access files for " + docs, 0), 0u) << amendAction;
    EXPECT_EQ(rows[2], "Added alice");

    // The amendment restored: the server, reloaded, no longer reads the access file.
    restoreChange(amendAction);
    answerAlert(QStringLiteral("Reload the web server now"));
    answerAlert(QStringLiteral("OK"));
    EXPECT_FALSE(platform::fileExists(ownFile));
    EXPECT_EQ(readFile(mainConfig), packaged);
    EXPECT_EQ(statusAfterReload("", 200), 200);
    EXPECT_TRUE(verdictBecomes(Verdict::NotProtected)) << windows->main.protectionTester.statusText();

    // The protection restored: there was no access file before it.
    restoreChange(saveAction);
    EXPECT_EQ(visibleAlert(), nullptr);
    EXPECT_FALSE(platform::fileExists(access));
    EXPECT_EQ(apache->status("/private/"), 200);
    EXPECT_TRUE(verdictBecomes(Verdict::NotProtected)) << windows->main.protectionTester.statusText();

    // The user restored: the file as empty as it was, and the user editor shows it so.
    restoreChange("Added alice");
    EXPECT_EQ(readFile(users), "");
    EXPECT_EQ(u.tableView->widget()->model()->rowCount(), 0);

    // Edit › Undo puts back the last restore, alice with her very hash.
    const std::string restoreOfAlice = "Restored " + users + " as before \u201cAdded alice\u201d";
    QAction* undo = menuAction("undoAction");
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text().toStdString(), "Undo " + restoreOfAlice);
    undo->trigger();
    settleEvents();
    EXPECT_EQ(readFile(users), withAlice);
    EXPECT_EQ(u.tableView->widget()->model()->rowCount(), 1);

    // The other restores restored in their turn: the protection and the amendment are back, byte for byte,
    // and the server asks for alice's password again.
    restoreChange("Restored " + access + " as before \u201c" + saveAction + "\u201d");
    EXPECT_EQ(readFile(access), saved);
    restoreChange("Restored " + ownFile + " as before \u201c" + amendAction + "\u201d");
    answerAlert(QStringLiteral("Reload the web server now"));
    answerAlert(QStringLiteral("OK"));
    EXPECT_EQ(readFile(ownFile), amended);
    EXPECT_EQ(readFile(mainConfig), packaged);
    EXPECT_EQ(statusAfterReload("", 401), 401);
    EXPECT_EQ(apache->status("/private/", "alice:wonderland"), 200);
    EXPECT_TRUE(verdictBecomes(Verdict::Protected)) << windows->main.protectionTester.statusText();
}

} // namespace
} // namespace keepgate::testing

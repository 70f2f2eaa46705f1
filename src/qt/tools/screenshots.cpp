// Writes PNG pictures of every window, sheet and dialog of Keepgate and of the application's icon, for
// reviewers and for the pictures README.md and the AppStream file show. It runs offscreen with its own
// settings and sample files in a temporary folder, so it touches nothing of the user's.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTableView>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <array>
#include <cstdio>
#include <functional>

#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/History.h"
#include "platform/Install.h"
#include "platform/SystemPaths.h"
#include "qt/AboutDialog.h"
#include "qt/ApplicationWindows.h"
#include "qt/HistoryWindow.h"
#include "qt/QtWindowSystem.h"
#include "qt/ServerCheckWindow.h"
#include "qt/SettingsDefaultsStore.h"
#include "qt/Translations.h"
#include "qt/Translations.h"
#include "platform/Install.h"

namespace {

using namespace keepgate;

bool writeText(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
    }
}

bool shoot(QWidget* widget, const QDir& folder, const QString& name) {
    settle();
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "keepgate_screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

enum class Answer { Cancel, Accept };

// Runs `action`, pictures the window it opens (a sheet, a dialog, also one that waits in exec()) unless
// `name` is empty, and closes it as Cancel or Escape would, or with its affirmative button (Replace, Save,
// which is not the default one where the answer destroys something); an action that opens nothing within
// five seconds is a failure.
bool shootOpened(const QDir& folder, const QString& name, const std::function<void()>& action,
                 Answer answer = Answer::Cancel) {
    QSet<QWidget*> shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            shown.insert(widget);
        }
    }
    bool done = false;
    bool ok = false;
    QElapsedTimer waited;
    waited.start();
    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done) {
            return;
        }
        QWidget* opened = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && !shown.contains(widget) && !qobject_cast<QMenu*>(widget) &&
                (qobject_cast<QDialog*>(widget) || widget->windowType() == Qt::Window)) {
                opened = widget;
            }
        }
        if (!opened) {
            if (waited.elapsed() > 5000) {
                std::fprintf(stderr, "keepgate_screenshots: nothing opened for %s\n", qPrintable(name));
                done = true;
            }
            return;
        }
        done = true;
        ok = name.isEmpty() || shoot(opened, folder, name);
        auto* box = qobject_cast<QMessageBox*>(opened);
        QAbstractButton* accept = nullptr;
        for (QAbstractButton* button : box ? box->buttons() : QList<QAbstractButton*>()) {
            if (box->buttonRole(button) == QMessageBox::AcceptRole) {
                accept = button;
            }
        }
        if (accept && answer == Answer::Accept) {
            accept->click();
        } else if (box && box->escapeButton()) {
            box->escapeButton()->click();
        } else if (auto* dialog = qobject_cast<QDialog*>(opened)) {
            dialog->reject();
        } else {
            opened->close();
        }
    });
    poll.start();
    action();
    while (!done) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    settle();
    return ok;
}

// Opens one menu of the menu bar under it and pictures it.
bool shootMenu(QMainWindow& window, const QString& title, const QDir& folder, const QString& name) {
    for (QAction* action : window.menuBar()->actions()) {
        if (action->menu() && action->text().remove(QLatin1Char('&')) == title) {
            QMenu* menu = action->menu();
            menu->popup(window.mapToGlobal(window.menuBar()->actionGeometry(action).bottomLeft()));
            const bool ok = shoot(menu, folder, name);
            menu->hide();
            settle();
            return ok;
        }
    }
    std::fprintf(stderr, "keepgate_screenshots: no menu \"%s\"\n", qPrintable(title));
    return false;
}

void selectRow(QTableView* table, int row) {
    table->setFocus();
    table->selectRow(row);
    settle();
}

// A loopback web server that gives every request the same answer, so each verdict can be pictured.
class CannedServer {
  public:
    CannedServer() {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (socket->readAll().contains("\r\n\r\n")) {
                        socket->write(answer);
                        socket->disconnectFromHost();
                    }
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    QString url(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }
    QByteArray answer;

  private:
    QTcpServer server_;
};

// The editors with the sample files loaded, as after answering their choosers.
void openSamples(qt::MainWindow& main, const QString& users, const QString& groups, const QString& site) {
    main.controller.openEnd(1, {users.toStdString()});
    main.group.openEnd(1, {groups.toStdString()});
    main.directory.doOpenDirectoryPanel(1, {site.toStdString()});
    main.refreshDirectoryTables();
}

// Shows the windows and runs their start-up; the alert it raises about the sample server's setup is
// pictured as `alertName` when one is given, and closed.
bool start(qt::ApplicationWindows& windows, const QDir& folder, const QString& alertName) {
    windows.main.show();
    windows.awakeFromNib();
    settle();
    bool ok = true;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
            ok = (alertName.isEmpty() || shoot(box, folder, alertName)) && ok;
            box->reject();
        }
    }
    settle();
    return ok;
}

// Waits (answering the canned server meanwhile) until the protection test's verdict is in.
void waitForTest(qt::MainWindow& main) {
    QElapsedTimer waited;
    waited.start();
    while (main.protectionTester.isTesting() && waited.elapsed() < 10000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

// Runs Test Again on `address` and waits until the verdict is in.
void testAt(qt::MainWindow& main, const QString& address) {
    main.directoryEditor.addressField->setStringValue(address.toStdString());
    main.protectionTester.testAgain();
    waitForTest(main);
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir temp(QDir::tempPath() + QStringLiteral("/keepgate-XXXXXX"));
    if (!temp.isValid()) {
        std::fprintf(stderr, "keepgate_screenshots: cannot make a temporary folder\n");
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Settings, state (such as a history of changes), caches and runtime files all stay in the folder.
    for (const char* variable :
         {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString path = temp.filePath(QString::fromLatin1(variable).toLower());
        QDir().mkpath(path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv(variable, QFile::encodeName(path));
    }
    // The offscreen plugin's notes on what it cannot do (raise a window, grab the keyboard) say nothing
    // about the pictures.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (!message.startsWith(QStringLiteral("This plugin does not support"))) {
            std::fprintf(stderr, "%s%s\n",
                         type == QtDebugMsg ? "" : "keepgate_screenshots: ", qPrintable(message));
        }
    });
    QApplication application(argc, argv);
    // The pictures show the windows in the language of the environment (LANGUAGE=de make screenshots).
    qt::installTranslations(QLocale::system(), platform::executableDirectory());
    const QStringList arguments = QApplication::arguments();
    QDir folder(arguments.size() > 1 ? arguments.at(1) : QStringLiteral("screenshots"));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "keepgate_screenshots: cannot make %s\n", qPrintable(folder.path()));
        return 1;
    }

    // Sample files: a user file, a group file and a protected directory.
    const QDir samples(temp.path());
    const QString users = samples.filePath(QStringLiteral("users"));
    const QString groups = samples.filePath(QStringLiteral("groups"));
    const QString site = samples.filePath(QStringLiteral("site/private"));
    const QString legacy = samples.filePath(QStringLiteral("site/legacy"));
    const QString httpdConf = samples.filePath(QStringLiteral("httpd.conf"));
    samples.mkpath(QStringLiteral("site/private"));
    samples.mkpath(QStringLiteral("site/legacy"));
    // Users with every kind of hash, the weak ones among them, as old user files hold them.
    bool written = writeText(
        users, "alice:$2y$10$0cWvQm7dDXQe6Wg2l4x3FuJ6zFqP0mWb2yK9dR5sT1uQm1e8Jf2aO\n"
               "bob:$apr1$9Zr2aQpL$Vw0aEyO1mQz7ZgK3l1n0k/\n"
               "carol:$6$Lx8tNn3cQm1e8Jf2$J6zFqP0mWb2yK9dR5sT1u.Vw0aEyO1mQz7ZgK3l1n0k/0cWvQm7dDXQe6Wg"
               "2l4x3FuJ6zFqP0mWb2yK9dR5sT1u\n"
               "dave:{SHA}W6ph5Mm5Pz8GgiULbPgzG37mj9g=\n"
               "erin:rl.3StKT.4T8M\n"
               "frank:summer2026\n");
    written = writeText(groups, "staff: alice bob\nadmins: carol\nvisitors: dave frank\n") && written;
    written = writeText(site + QStringLiteral("/.htaccess"),
                        "AuthType Basic\nAuthName \"Private area\"\nAuthUserFile " + users.toUtf8() +
                            "\nAuthGroupFile " + groups.toUtf8() +
                            "\nRequire user alice frank\nRequire group staff\nOrder deny,allow\nAllow from "
                            "192.168.1.0/24\n"
                            "Deny from all\n") &&
              written;
    // A block written by hand, with lines the editor cannot show.
    written = writeText(legacy + QStringLiteral("/.htaccess"),
                        "# Written by hand before Keepgate\nOptions -Indexes\nAuthType Basic\n"
                        "AuthName \"Legacy area\"\nAuthUserFile " +
                            users.toUtf8() +
                            "\n<RequireAny>\n    Require env TRUSTED_CLIENT\n    Require user alice\n"
                            "</RequireAny>\n") &&
              written;
    // A web server not yet set up for access files, so the start-up shows its configuration warning.
    written = writeText(httpdConf, "DocumentRoot \"/Library/WebServer/Documents\"\n"
                                   "<Directory \"/Library/WebServer/Documents\">\n    AllowOverride None\n"
                                   "</Directory>\n") &&
              written;
    if (!written) {
        std::fprintf(stderr, "keepgate_screenshots: cannot write the sample files\n");
        return 1;
    }
    systemPaths().mainConfig = httpdConf.toStdString();

    auto windowSystem = std::make_shared<qt::QtWindowSystem>();
    ui::setWindowSystem(windowSystem);
    auto store =
        std::make_shared<qt::SettingsDefaultsStore>(samples.filePath(QStringLiteral("Keepgate.conf")));
    // Stored preferences of this version with the update check off: the start-up asks the network nothing.
    store->setString(constants::kVersionKey, constants::kProgramVersion);
    store->setBool(constants::kCheckUpdatesKey, false);
    store->setBool(constants::kShowHiddenKey, false);
    store->setString(constants::kDefaultAccessFilenameKey, constants::kDefaultAccessFilename);
    store->setString(constants::kConfigFilePathKey, constants::kDefaultConfigFilePath);
    store->setString(constants::kProtectionSettingsKey, constants::kAccessFileMode);
    setStandardUserDefaults(store);
    // The history of changes, in the temporary state folder, so that its window has entries to show.
    platform::History::shared().open(platform::History::defaultFolder());

    bool ok = true;
    {
        qt::ApplicationWindows windows(windowSystem.get());
        qt::MainWindow& main = windows.main;
        ok = start(windows, folder, QStringLiteral("startup-warning")) && ok;

        const std::array<QString, 3> tabNames = {QStringLiteral("users"), QStringLiteral("groups"),
                                                 QStringLiteral("directory")};
        for (int tab = 0; tab < 3; ++tab) {
            main.editorTabs()->setCurrentIndex(tab);
            ok = shoot(&main, folder,
                       QStringLiteral("main-%1-empty").arg(tabNames[static_cast<std::size_t>(tab)])) &&
                 ok;
        }

        openSamples(main, users, groups, site);
        for (int tab = 0; tab < 2; ++tab) {
            main.editorTabs()->setCurrentIndex(tab);
            ok = shoot(&main, folder,
                       QStringLiteral("main-%1-loaded").arg(tabNames[static_cast<std::size_t>(tab)])) &&
                 ok;
        }
        main.editorTabs()->setCurrentIndex(qt::MainWindow::DirectoryTab);
        QTabWidget* subTabs = main.directoryEditor.subTabs->widget();
        const std::array<QString, 3> subTabNames = {QStringLiteral("users"), QStringLiteral("groups"),
                                                    QStringLiteral("hosts")};
        for (int tab = 0; tab < subTabs->count() && tab < 3; ++tab) {
            subTabs->setCurrentIndex(tab);
            ok = shoot(&main, folder,
                       QStringLiteral("main-directory-loaded-%1")
                           .arg(subTabNames[static_cast<std::size_t>(tab)])) &&
                 ok;
        }

        // The protection status area in each verdict, the first as a freshly loaded folder shows it.
        subTabs->setCurrentIndex(0);
        ok = shoot(&main, folder, QStringLiteral("status-not-tested")) && ok;
        {
            CannedServer canned;
            const struct {
                const char* name;
                QByteArray answer;
            } verdicts[] = {
                // The picture the README opens with: a protected folder, its users and the verdict.
                {"main-directory-protected",
                 "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"Private area\"\r\n\r\n"},
                {"status-not-protected", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"},
                {"status-failing", "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\n\r\n"},
            };
            for (const auto& verdict : verdicts) {
                canned.answer = verdict.answer;
                testAt(main, canned.url(QStringLiteral("/private/")));
                ok = shoot(&main, folder, QLatin1String(verdict.name)) && ok;
            }
            // Port 1 on this computer: nothing listens there.
            testAt(main, QStringLiteral("http://127.0.0.1:1/private/"));
            ok = shoot(&main, folder, QStringLiteral("status-unreachable")) && ok;
        }

        // The directory editor's sheets and questions, each closed again as Cancel would.
        main.directoryEditor.addressField->setStringValue("http://localhost/private/");
        ok = shootOpened(folder, QStringLiteral("test-protection-sheet"),
                         [&] { main.directoryEditor.testProtectionButton->widget()->click(); }) &&
             ok;
        subTabs->setCurrentIndex(2);
        ok = shootOpened(folder, QStringLiteral("use-apache-24-question"),
                         [&] { main.directoryEditor.useApache24BT->widget()->click(); }) &&
             ok;
        subTabs->setCurrentIndex(0);
        QLineEdit* realm = main.directoryEditor.authnameField->widget();
        const QString realmText = realm->text();
        realm->setText(QStringLiteral("Staff ${HOME}"));
        ok = shootOpened(folder, QStringLiteral("refused-realm"),
                         [&] { main.directoryEditor.saveProtectionButton->widget()->click(); }) &&
             ok;
        realm->setText(realmText);

        // A hand-written block: the lines the editor cannot show are listed and kept, and a save asks first.
        main.directory.doOpenDirectoryPanel(1, {legacy.toStdString()});
        main.refreshDirectoryTables();
        ok = shoot(&main, folder, QStringLiteral("kept-as-written")) && ok;
        main.directoryEditor.allusersCB->widget()->click();
        ok = shootOpened(folder, QStringLiteral("replace-question"),
                         [&] { main.directoryEditor.saveProtectionButton->widget()->click(); }) &&
             ok;
        // Answered Replace this time; the test after the save asks a port where nothing listens.
        main.directoryEditor.addressField->setStringValue("http://127.0.0.1:1/legacy/");
        ok = shootOpened(
                 folder, QString(), [&] { main.directoryEditor.saveProtectionButton->widget()->click(); },
                 Answer::Accept) &&
             ok;
        waitForTest(main);
        main.directory.doOpenDirectoryPanel(1, {site.toStdString()});
        main.refreshDirectoryTables();

        // The user editor: a user added as a user adds one (the hash comes from htpasswd), its password
        // checked, and the question before a deletion.
        main.editorTabs()->setCurrentIndex(qt::MainWindow::UsersTab);
        QLineEdit* userName = main.userEditor.usernameField->widget();
        QLineEdit* password = main.userEditor.passwordField->widget();
        userName->setText(QStringLiteral("grace"));
        password->setText(QStringLiteral("correct horse battery"));
        main.userEditor.adduserButton->widget()->click();
        settle();
        ok = shoot(&main, folder, QStringLiteral("main-users-added")) && ok;
        QTableView* userTable = main.userEditor.tableView->widget();
        selectRow(userTable, userTable->model()->rowCount() - 1);
        password->setText(QStringLiteral("correct horse battery"));
        ok = shootOpened(folder, QStringLiteral("check-password"),
                         [&] { main.userEditor.checkPasswordButton->click(); }) &&
             ok;
        password->clear();
        selectRow(userTable, 1);
        ok = shootOpened(folder, QStringLiteral("delete-user-question"),
                         [&] { main.userEditor.deleteuserButton->widget()->click(); }) &&
             ok;
        // The list narrowed to the weak passwords the notice under it counts, then by a filter on the names.
        QAbstractButton* weakOnly = main.userEditor.weakOnlyButton->widget();
        weakOnly->click();
        ok = shoot(&main, folder, QStringLiteral("main-users-weak")) && ok;
        weakOnly->click();
        main.userEditor.filterField->widget()->setText(QStringLiteral("a"));
        ok = shoot(&main, folder, QStringLiteral("main-users-filtered")) && ok;
        main.userEditor.filterField->widget()->clear();
        // Generate: a new password put into the field and shown once.
        ok = shootOpened(folder, QStringLiteral("generate-password"),
                         [&] { main.userEditor.generateButton->click(); }) &&
             ok;
        password->clear();

        // The menus and the ReadMe they open.
        ok = shootMenu(main, QStringLiteral("File"), folder, QStringLiteral("menu-file")) && ok;
        ok = shootMenu(main, QStringLiteral("Help"), folder, QStringLiteral("menu-help")) && ok;
        ok = shootOpened(folder, QStringLiteral("help-readme"),
                         [&] {
                             if (auto* readMe = main.findChild<QAction*>(QStringLiteral("readMeAction"))) {
                                 readMe->trigger();
                             }
                         }) &&
             ok;

        // File › History…: the changes made above, newest first, with the difference the selected one made;
        // and Edit › Undo, which names the last of them.
        main.showHistory();
        settle();
        if (main.historyWindow) {
            main.historyWindow->resize(860, 560);
            // The saved protection, whose difference shows the kept lines staying.
            selectRow(main.historyWindow->entriesView->widget(), 1);
            ok = shoot(main.historyWindow, folder, QStringLiteral("history")) && ok;
            main.historyWindow->hide();
        } else {
            std::fprintf(stderr, "keepgate_screenshots: File › History… opened no window\n");
            ok = false;
        }
        ok = shootMenu(main, QStringLiteral("Edit"), folder, QStringLiteral("menu-edit")) && ok;
        main.editorTabs()->setCurrentIndex(qt::MainWindow::DirectoryTab);

        windows.preferences.controller.showWindow();
        windows.preferences.show();
        ok = shoot(&windows.preferences, folder, QStringLiteral("preferences")) && ok;
        // bcrypt chosen: its cost, and what one check at that cost takes here, measured in the background.
        windows.preferences.passwordHashPopup->widget()->setCurrentIndex(1);
        windows.preferences.controller.hashChoiceChanged();
        QElapsedTimer measuring;
        measuring.start();
        while (!QString::fromStdString(windows.preferences.checkCostField->stringValue())
                    .startsWith(QStringLiteral("One check")) &&
               measuring.elapsed() < 20000) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        ok = shoot(&windows.preferences, folder, QStringLiteral("preferences-bcrypt")) && ok;
        windows.preferences.passwordHashPopup->widget()->setCurrentIndex(0);
        windows.preferences.controller.hashChoiceChanged();
        windows.preferences.hide();

        qt::AboutDialog about(&main);
        about.show();
        ok = shoot(&about, folder, QStringLiteral("about")) && ok;

        // The icon the menu entry shows, at the size a menu draws it and at full size.
        const QIcon icon = qt::applicationIcon();
        for (const int size : {48, 256}) {
            const QString path = folder.filePath(QStringLiteral("menu-icon-%1.png").arg(size));
            if (icon.isNull() || !icon.pixmap(size, size).save(path)) {
                std::fprintf(stderr, "keepgate_screenshots: cannot write %s\n", qPrintable(path));
                ok = false;
            } else {
                std::printf("%s\n", qPrintable(path));
            }
        }

        // A Debian-like server found by detection, shown in the preferences and checked by the report.
        const QString serverRoot = samples.filePath(QStringLiteral("etc/apache2"));
        samples.mkpath(QStringLiteral("etc/apache2/mods-enabled"));
        QByteArray modules;
        for (const char* module : {"auth_basic", "authn_file", "authn_core", "authz_core", "authz_user"}) {
            modules += QByteArray("LoadModule ") + module + "_module /usr/lib/apache2/modules/mod_" + module +
                       ".so\n";
        }
        bool layout = writeText(serverRoot + QStringLiteral("/mods-enabled/auth.load"), modules);
        layout =
            writeText(serverRoot + QStringLiteral("/envvars"), "export APACHE_RUN_USER=www-data\n") && layout;
        layout = writeText(serverRoot + QStringLiteral("/apache2.conf"),
                           "User ${APACHE_RUN_USER}\nIncludeOptional mods-enabled/*.load\n<Directory />\n"
                           "\tAllowOverride None\n\tRequire all denied\n</Directory>\n<Directory " +
                               samples.filePath(QStringLiteral("site")).toUtf8() +
                               "/>\n\tAllowOverride None\n\tRequire all granted\n</Directory>\n") &&
                 layout;
        systemPaths().controlProgramFolders = {samples.filePath(QStringLiteral("no-programs")).toStdString()};
        systemPaths().knownMainConfigs = {(serverRoot + QStringLiteral("/apache2.conf")).toStdString()};
        if (!layout) {
            std::fprintf(stderr, "keepgate_screenshots: cannot write the sample server\n");
            ok = false;
        } else {
            windows.preferences.controller.detectServer();
            ok = shoot(&windows.preferences, folder, QStringLiteral("preferences-detected")) && ok;
            main.showServerCheck();
            // Widened as a user would, so every finding shows whole.
            main.serverCheckWindow->resize(760, 480);
            ok = shoot(main.serverCheckWindow, folder, QStringLiteral("server-check")) && ok;
        }
    }

    // One language besides English, in windows built anew once the German translation is installed (a
    // window's texts are translated as it is built).
    if (!qt::installTranslations(QLocale(QLocale::German, QLocale::Germany), platform::executableDirectory())) {
        std::fprintf(stderr, "keepgate_screenshots: no German translation beside the program\n");
        ok = false;
    } else {
        qt::ApplicationWindows windows(windowSystem.get());
        qt::MainWindow& main = windows.main;
        ok = start(windows, folder, QString()) && ok;
        openSamples(main, users, groups, site);
        main.editorTabs()->setCurrentIndex(qt::MainWindow::DirectoryTab);
        CannedServer canned;
        canned.answer = "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"Private area\"\r\n\r\n";
        testAt(main, canned.url(QStringLiteral("/private/")));
        ok = shoot(&main, folder, QStringLiteral("main-directory-protected-de")) && ok;
        main.editorTabs()->setCurrentIndex(qt::MainWindow::UsersTab);
        ok = shoot(&main, folder, QStringLiteral("main-users-loaded-de")) && ok;
        qt::installTranslations(QLocale(QLocale::English), platform::executableDirectory());
    }
    setStandardUserDefaults(nullptr);
    ui::setWindowSystem(nullptr);
    return ok ? 0 : 1;
}

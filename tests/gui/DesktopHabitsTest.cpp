#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/RecentFiles.h"
#include "qt/AboutDialog.h"
#include "qt/ApplicationWindows.h"
#include "qt/QtWindowSystem.h"
#include "qt/TablePlaceholder.h"
#include "qt/WindowGeometry.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

// The application's windows with a recording window system behind the controllers, so that the panels,
// alerts and opened files that a key brings up can be seen and answered without a desktop.
class DesktopHabitsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureQtApplication();
        recorder = std::make_shared<headless::WindowSystem>();
        recorder->resources["ReadMe.html"] = "/usr/share/keepgate/ReadMe.html";
        ui::setWindowSystem(recorder);
        store = std::make_shared<MemoryDefaultsStore>();
        store->setString(constants::kConfigFilePathKey, "/etc/apache2/keepgate.conf");
        store->setString(constants::kProtectionSettingsKey, constants::kAccessFileMode);
        setStandardUserDefaults(store);
        windows = std::make_unique<qt::ApplicationWindows>(&qtWindowSystem);
        windows->preferences.controller.awakeFromNib();
        main().show();
        activate(&main());
    }
    void TearDown() override {
        windows.reset();
        settleEvents();
        setStandardUserDefaults(nullptr);
        ui::setWindowSystem(nullptr);
    }
    qt::MainWindow& main() { return windows->main; }
    static void activate(QWidget* window) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    void press(QWidget* target, QKeySequence keys) {
        const QKeyCombination combination = keys[0];
        QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
        settleEvents();
    }
    std::string pendingTitle() {
        if (!recorder->hasPendingSheet()) {
            return "<nothing>";
        }
        const headless::Sheet& sheet = recorder->pendingSheet();
        return sheet.kind == headless::SheetKind::SavePanel ? "save: " + sheet.saveOptions.title
                                                            : "open: " + sheet.openOptions.title;
    }

    qt::QtWindowSystem qtWindowSystem;
    std::shared_ptr<headless::WindowSystem> recorder;
    std::shared_ptr<MemoryDefaultsStore> store;
    std::unique_ptr<qt::ApplicationWindows> windows;
};

TEST_F(DesktopHabitsTest, OpenAndNewShortcutsActInTheEditorInFront) {
    const struct {
        qt::MainWindow::Tab tab;
        QKeySequence keys;
        std::string opens;
    } cases[] = {
        {qt::MainWindow::UsersTab, QKeySequence(Qt::CTRL | Qt::Key_O), "open: Choose the user file"},
        {qt::MainWindow::UsersTab, QKeySequence(Qt::CTRL | Qt::Key_N), "save: New user file"},
        {qt::MainWindow::GroupsTab, QKeySequence(Qt::CTRL | Qt::Key_O), "open: Choose the group file"},
        {qt::MainWindow::GroupsTab, QKeySequence(Qt::CTRL | Qt::Key_N), "save: New group file"},
        {qt::MainWindow::DirectoryTab, QKeySequence(Qt::CTRL | Qt::Key_O),
         "open: Choose the directory to protect"},
        {qt::MainWindow::DirectoryTab, QKeySequence(Qt::CTRL | Qt::Key_N), "<nothing>"},
    };
    for (const auto& c : cases) {
        main().editorTabs()->setCurrentIndex(c.tab);
        press(&main(), c.keys);
        EXPECT_EQ(pendingTitle(), c.opens) << c.keys.toString().toStdString() << " in tab " << c.tab;
        while (recorder->hasPendingSheet()) {
            recorder->answer(0);
        }
    }
}

TEST_F(DesktopHabitsTest, F1OpensTheReadMeCtrlCommaThePreferencesAndCtrlQClosesTheWindows) {
    press(&main(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(recorder->openedFiles.empty()) << "help shows inside Keepgate";
    EXPECT_EQ(recorder->helpShown, std::vector<std::string>{"/usr/share/keepgate/ReadMe.html"});

    EXPECT_FALSE(windows->preferences.isVisible());
    press(&main(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    EXPECT_TRUE(windows->preferences.isVisible());
    EXPECT_EQ(windows->preferences.configFilePathField->stringValue(), "/etc/apache2/keepgate.conf");

    activate(&main());
    press(&main(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_FALSE(main().isVisible());
    EXPECT_FALSE(windows->preferences.isVisible());
}

TEST_F(DesktopHabitsTest, TheMenusNameEachShortcutAndAboutShowsVersionLicenceAndLinks) {
    std::map<QString, QKeySequence> shortcuts;
    for (QAction* menu : main().menuBar()->actions()) {
        for (QAction* action : menu->menu()->actions()) {
            shortcuts[action->text()] = action->shortcut();
        }
    }
    const std::map<QString, QKeySequence> wanted = {
        {QStringLiteral("Open…"), QKeySequence(Qt::CTRL | Qt::Key_O)},
        {QStringLiteral("New…"), QKeySequence(Qt::CTRL | Qt::Key_N)},
        {QStringLiteral("Preferences…"), QKeySequence(Qt::CTRL | Qt::Key_Comma)},
        {QStringLiteral("Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {QStringLiteral("Keepgate ReadMe"), QKeySequence(Qt::Key_F1)},
        {QStringLiteral("About Keepgate"), QKeySequence()},
    };
    for (const auto& [title, keys] : wanted) {
        ASSERT_TRUE(shortcuts.count(title)) << title.toStdString();
        EXPECT_EQ(shortcuts[title], keys) << title.toStdString();
    }

    main().findChild<QAction*>(QStringLiteral("aboutAction"))->trigger();
    settleEvents();
    auto* about = main().findChild<qt::AboutDialog*>();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Keepgate"));
    EXPECT_EQ(about->versionLabel->text(), QStringLiteral("Version 0.7"));
    EXPECT_TRUE(about->linksLabel->text().contains(QStringLiteral("https://www.keepgate.org/")));
    EXPECT_TRUE(about->linksLabel->openExternalLinks());
    // Asking again brings the same window forward instead of stacking another.
    main().findChild<QAction*>(QStringLiteral("aboutAction"))->trigger();
    EXPECT_EQ(main().findChildren<qt::AboutDialog*>().size(), 1);
    QTest::keyClick(about, Qt::Key_Escape);
    EXPECT_FALSE(about->isVisible());
}

TEST_F(DesktopHabitsTest, PreferencesEscapeAndCancelDiscardTheEditsAndReturnSavesThem) {
    qt::PreferencesWindow& prefs = windows->preferences;
    const auto storedBefore = store->values();
    const int flushesBefore = store->synchronizeCount;
    const struct {
        const char* how;
        std::function<void()> close;
    } discards[] = {
        {"Escape", [&] { QTest::keyClick(&prefs, Qt::Key_Escape); }},
        {"Cancel", [&] { prefs.cancelButton->click(); }},
    };
    for (const auto& discard : discards) {
        windows->preferences.controller.showWindow();
        activate(&prefs);
        auto* path = static_cast<QLineEdit*>(prefs.configFilePathField->widget());
        path->setText(QStringLiteral("/tmp/elsewhere.conf"));
        prefs.checkForUpdates->widget()->click();
        prefs.protectionSettingsConfigRB->widget()->click();
        discard.close();
        settleEvents();
        EXPECT_FALSE(prefs.isVisible()) << discard.how;
        EXPECT_EQ(store->values(), storedBefore) << discard.how;
        EXPECT_EQ(store->synchronizeCount, flushesBefore) << discard.how;
        // The next showing starts from the stored values again.
        windows->preferences.controller.showWindow();
        EXPECT_EQ(prefs.configFilePathField->stringValue(), "/etc/apache2/keepgate.conf") << discard.how;
        EXPECT_EQ(prefs.protectionSettingsHtaccessRB->state(), 1) << discard.how;
        prefs.hide();
    }

    windows->preferences.controller.showWindow();
    activate(&prefs);
    auto* path = static_cast<QLineEdit*>(prefs.configFilePathField->widget());
    path->setFocus();
    path->setText(QStringLiteral("/etc/httpd/keepgate.conf"));
    QTest::keyClick(path, Qt::Key_Return);
    settleEvents();
    EXPECT_FALSE(prefs.isVisible());
    EXPECT_EQ(store->stringForKey(constants::kConfigFilePathKey), "/etc/httpd/keepgate.conf");
    EXPECT_EQ(store->synchronizeCount, flushesBefore + 1);
}

TEST_F(DesktopHabitsTest, TheEmptyUserTableSaysHowToBeginUntilAFileIsOpen) {
    TempDir temp;
    writeFile(temp / "users", "");
    auto* placeholder = main().userEditor.tableView->widget()->findChild<qt::TablePlaceholder*>();
    ASSERT_NE(placeholder, nullptr);
    settleEvents();
    EXPECT_TRUE(placeholder->label()->isVisible());
    EXPECT_EQ(placeholder->label()->text(), QStringLiteral("No user file open — Choose… or New…"));
    main().controller.openEnd(1, {temp / "users"});
    settleEvents();
    EXPECT_FALSE(placeholder->label()->isVisible()) << "an open file that has no users yet needs no advice";
}

TEST_F(DesktopHabitsTest, TheWindowComesBackWhereItWasClosed) {
    {
        QWidget first;
        qt::rememberGeometry(&first);
        first.show();
        first.setGeometry(120, 90, 640, 480);
        settleEvents();
        first.close();
    }
    ASSERT_TRUE(store->stringForKey(recent::kWindowGeometryKey).has_value());
    QWidget second;
    second.resize(200, 100);
    qt::rememberGeometry(&second);
    EXPECT_EQ(second.size(), QSize(640, 480));

    // A stored value that is no geometry leaves the window as it was built.
    store->setString(recent::kWindowGeometryKey, "not a geometry");
    QWidget third;
    third.resize(200, 100);
    qt::rememberGeometry(&third);
    EXPECT_EQ(third.size(), QSize(200, 100));
}

TEST_F(DesktopHabitsTest, ADestructiveAlertMakesCancelTheDefaultButtonAndStillAnswersOneForDelete) {
    for (const bool destructive : {true, false}) {
        int answer = -1;
        ui::AlertSpec alert{"Warning!", "Are you sure?", "Delete", "Cancel", destructive};
        qtWindowSystem.beginAlertSheet(alert, &main().window, [&answer](int code) { answer = code; });
        settleEvents();
        QPointer<QMessageBox> box = main().findChild<QMessageBox*>();
        ASSERT_NE(box, nullptr);
        ASSERT_NE(box->defaultButton(), nullptr);
        EXPECT_EQ(box->defaultButton()->text(),
                  destructive ? QStringLiteral("Cancel") : QStringLiteral("Delete"));
        // Return presses the default button.
        QTest::keyClick(box, Qt::Key_Return);
        settleEvents();
        EXPECT_EQ(answer, destructive ? 0 : 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete box.data();
    }
}

} // namespace
} // namespace keepgate::testing

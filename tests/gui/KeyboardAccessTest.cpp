#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "platform/Constants.h"
#include "platform/SystemPaths.h"
#include "qt/AboutDialog.h"
#include "qt/ApplicationWindows.h"
#include "qt/QtWindowSystem.h"
#include "qt/ServerCheckWindow.h"
#include "support/LoopbackHttpServer.h"
#include "support/TestSupport.h"
#include "WindowTest.h"

namespace keepgate::testing {
namespace {

QString describeWidget(const QObject* object) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    QString text = QString::fromLatin1(object->metaObject()->className());
    if (!object->objectName().isEmpty()) {
        text += QStringLiteral(" ") + object->objectName();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(object)) {
        text += QStringLiteral(" \"") + button->text() + QStringLiteral("\"");
    }
    if (widget && !widget->accessibleName().isEmpty()) {
        text += QStringLiteral(" (") + widget->accessibleName() + QStringLiteral(")");
    }
    if (widget && widget->parentWidget()) {
        text +=
            QStringLiteral(" in ") + QString::fromLatin1(widget->parentWidget()->metaObject()->className());
    }
    return text;
}

// The controls a screen reader must be able to name: what takes input, what is pressed, what lists.
bool needsName(QAccessible::Role role) {
    switch (role) {
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::PushButton:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::List:
    case QAccessible::PageTab:
    case QAccessible::ProgressBar:
        return true;
    default:
        return false;
    }
}

// Walks the accessibility tree below `iface` (not into the cells of lists or pop-ups) and lists each control
// a screen reader would announce without a name.
void findUnnamed(QAccessibleInterface* iface, QStringList& unnamed) {
    if (!iface) {
        return;
    }
    const QAccessible::Role role = iface->role();
    if (needsName(role) && iface->text(QAccessible::Name).remove(QLatin1Char('&')).trimmed().isEmpty()) {
        unnamed << (iface->object() ? describeWidget(iface->object()) : QStringLiteral("element"));
    }
    // A pop-up's list is part of the named pop-up.
    if (role == QAccessible::Table || role == QAccessible::Tree || role == QAccessible::List ||
        role == QAccessible::ComboBox) {
        return;
    }
    for (int i = 0; i < iface->childCount(); ++i) {
        findUnnamed(iface->child(i), unnamed);
    }
}

// The Alt+letter keys that the shown widgets of `window` answer to, with the texts that claim each one.
QMap<QString, QStringList> mnemonicsOf(QWidget* window, QStringList& problems) {
    QMap<QString, QStringList> keys;
    const auto claim = [&](const QString& text) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty()) {
            keys[key.toString()] << text;
        }
    };
    for (auto* label : window->findChildren<QLabel*>()) {
        if (label->isVisible() && !QKeySequence::mnemonic(label->text()).isEmpty()) {
            claim(label->text());
            if (!label->buddy()) {
                problems << QStringLiteral("\"%1\" has a mnemonic but no buddy").arg(label->text());
            }
        }
    }
    for (auto* button : window->findChildren<QAbstractButton*>()) {
        if (button->isVisible()) {
            claim(button->text());
        }
    }
    for (auto* bar : window->findChildren<QTabBar*>()) {
        for (int i = 0; bar->isVisible() && i < bar->count(); ++i) {
            claim(bar->tabText(i));
        }
    }
    for (auto* box : window->findChildren<QGroupBox*>()) {
        if (box->isVisible()) {
            claim(box->title());
        }
    }
    for (auto* bar : window->findChildren<QMenuBar*>()) {
        for (QAction* menu : bar->actions()) {
            claim(menu->text());
        }
    }
    return keys;
}

bool takesTab(QWidget* widget, QWidget* window) {
    return widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy() &&
           widget->window() == window && !qobject_cast<QAbstractItemView*>(widget->parentWidget()) &&
           !(widget->parentWidget() &&
             qobject_cast<QAbstractItemView*>(widget->parentWidget()->parentWidget()));
}

// The widgets Tab visits in `window`, in the order it visits them, each with its place in the window.
std::vector<std::pair<QWidget*, QRect>> tabChain(QWidget* window) {
    std::vector<std::pair<QWidget*, QRect>> chain;
    for (QWidget* widget = window->nextInFocusChain(); widget != window;
         widget = widget->nextInFocusChain()) {
        if (takesTab(widget, window)) {
            chain.emplace_back(widget, QRect(widget->mapTo(window, QPoint(0, 0)), widget->size()));
        }
    }
    return chain;
}

// Reading order: to the right within a row, else further down.
bool readsAfter(const QRect& first, const QRect& second) {
    const int overlap = std::min(first.bottom(), second.bottom()) - std::max(first.top(), second.top());
    return overlap > 2 ? second.left() > first.left() : second.top() > first.top();
}

// Tab goes through the window in reading order, from the first widget its focus chain holds (the one
// that has the focus when the window opens) to the last, before it wraps around.
QStringList tabJumps(QWidget* window) {
    const auto chain = tabChain(window);
    QStringList jumps;
    for (std::size_t i = 1; i < chain.size(); ++i) {
        if (!readsAfter(chain[i - 1].second, chain[i].second)) {
            jumps << describeWidget(chain[i - 1].first) + QStringLiteral(" → ") +
                         describeWidget(chain[i].first);
        }
    }
    return jumps;
}

// A field a keyboard user reaches with Alt+letter: its label's buddy, or the field right after the check
// box or radio button whose text (with a mnemonic, ending in a colon) introduces it.
QStringList fieldsWithoutMnemonic(QWidget* window) {
    QList<QWidget*> reached;
    for (auto* label : window->findChildren<QLabel*>()) {
        if (label->buddy() && !QKeySequence::mnemonic(label->text()).isEmpty()) {
            reached << label->buddy();
        }
    }
    // Unticked radio buttons of a group take no Tab, yet their mnemonic still ticks them and moves there.
    const QAbstractButton* naming = nullptr;
    for (QWidget* widget = window->nextInFocusChain(); widget != window;
         widget = widget->nextInFocusChain()) {
        if (!widget->isVisible() || widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (naming) {
            reached << widget;
        }
        const auto* button = qobject_cast<QAbstractButton*>(widget);
        naming = button && button->isCheckable() && button->text().endsWith(QLatin1Char(':')) &&
                         !QKeySequence::mnemonic(button->text()).isEmpty()
                     ? button
                     : nullptr;
    }
    const auto chain = tabChain(window);
    QStringList missing;
    for (const auto& [widget, rect] : chain) {
        const bool field = qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
                           qobject_cast<QAbstractSpinBox*>(widget) ||
                           qobject_cast<QAbstractItemView*>(widget);
        if (field && !reached.contains(widget)) {
            missing << describeWidget(widget);
        }
    }
    return missing;
}

template <typename Widget> Widget* showing() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<Widget*>(widget); found && found->isVisible()) {
            return found;
        }
    }
    return nullptr;
}

// The whole window in front: the main window with a directory under a loopback server, so that the
// protection test has a server to ask.
class KeyboardAccessTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        systemPaths().mainConfig = temp / "httpd.conf";
        writeFile(temp / "httpd.conf", "Listen 127.0.0.1:" + std::to_string(server.port()) +
                                           "\nDocumentRoot " + temp / "site" + "\n");
        writeFile(temp / "site/private/index.html", "hello\n");
        DirectoryGroups::reset();
        DirectoryAccess::reset();
        windows = std::make_unique<qt::ApplicationWindows>(windowSystem.get());
        windows->preferences.controller.awakeFromNib();
        windows->main.directory.awakeFromNib();
        windows->main.directoryGroups.awakeFromNib();
        windows->main.directoryAccess.awakeFromNib();
        windows->main.show();
        activate(&windows->main);
    }
    void TearDown() override {
        windows.reset();
        settleEvents();
        DirectoryGroups::reset();
        DirectoryAccess::reset();
        systemPaths() = SystemPaths{};
        WindowTest::TearDown();
    }
    static void activate(QWidget* window) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        settleEvents();
    }

    // One key as the keyboard sends it: to the widget with the focus.
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target =
            QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        ASSERT_NE(target, nullptr) << "nothing has the keyboard";
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
        settleEvents();
    }
    static void typeText(const QString& text) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClicks(QApplication::focusWidget(), text);
        settleEvents();
    }

    // Everything a keyboard and screen reader user needs in the window as it shows now.
    static void expectAccessible(QWidget* window, const std::string& what) {
        SCOPED_TRACE(what);
        QStringList unnamed;
        findUnnamed(QAccessible::queryAccessibleInterface(window), unnamed);
        EXPECT_TRUE(unnamed.isEmpty())
            << "without a name: " << unnamed.join(QStringLiteral("; ")).toStdString();
        QStringList problems;
        const auto keys = mnemonicsOf(window, problems);
        for (auto it = keys.begin(); it != keys.end(); ++it) {
            if (it.value().size() > 1) {
                problems << it.key() + QStringLiteral(" for ") + it.value().join(QStringLiteral(", "));
            }
        }
        EXPECT_TRUE(problems.isEmpty()) << problems.join(QStringLiteral("; ")).toStdString();
        const QStringList jumps = tabJumps(window);
        EXPECT_TRUE(jumps.isEmpty()) << "Tab leaves the reading order: "
                                     << jumps.join(QStringLiteral("; ")).toStdString();
        const QStringList missing = fieldsWithoutMnemonic(window);
        EXPECT_TRUE(missing.isEmpty())
            << "no Alt+letter reaches: " << missing.join(QStringLiteral("; ")).toStdString();
    }

    TempDir temp;
    LoopbackHttpServer server;
    std::unique_ptr<qt::ApplicationWindows> windows;
};

TEST_F(KeyboardAccessTest, EveryWindowNamesItsControlsKeepsItsMnemonicsApartAndTabsInReadingOrder) {
    qt::MainWindow& main = windows->main;
    QTabWidget* subTabs = main.directoryEditor.subTabs->widget();
    const char* editors[] = {"users editor", "groups editor", "directory editor"};
    const char* subPages[] = {"users", "groups", "hosts"};
    for (int tab : {qt::MainWindow::UsersTab, qt::MainWindow::GroupsTab, qt::MainWindow::DirectoryTab}) {
        main.editorTabs()->setCurrentIndex(tab);
        for (int page = 0; page < (tab == qt::MainWindow::DirectoryTab ? 3 : 1); ++page) {
            subTabs->setCurrentIndex(page);
            settleEvents();
            expectAccessible(&main, std::string(editors[tab]) + (tab == qt::MainWindow::DirectoryTab
                                                                     ? std::string(" ") + subPages[page]
                                                                     : ""));
        }
    }

    windows->preferences.show();
    settleEvents();
    expectAccessible(&windows->preferences, "preferences");
    windows->preferences.hide();

    qt::AboutDialog about(&main);
    about.show();
    settleEvents();
    expectAccessible(&about, "about");
    about.hide();

    // The server check with findings to fix, so that its Fix… buttons are there too.
    systemPaths().serverDetected = true;
    main.showServerCheck();
    qt::ServerCheckWindow* check = main.serverCheckWindow;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !check->findChildren<QPushButton*>(QStringLiteral("fix0")).isEmpty(); }, 10000));
    settleEvents();
    expectAccessible(check, "server check");
    check->hide();

    windowSystem->beginCredentialSheet({"Test Protection", "Who?", "", "Test", "Cancel"}, &main.window,
                                       nullptr);
    settleEvents();
    auto* sheet = showing<QDialog>();
    ASSERT_NE(sheet, nullptr);
    expectAccessible(sheet, "credential sheet");
    sheet->reject();
    settleEvents();

    ASSERT_TRUE(windowSystem->showHelp(KEEPGATE_TEST_SOURCE_DIR "/../resources/ReadMe.html"));
    settleEvents();
    QWidget* help = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->objectName() == QStringLiteral("helpWindow")) {
            help = widget;
        }
    }
    ASSERT_NE(help, nullptr);
    expectAccessible(help, "help");
    help->close();
}

// A user file chosen, a user added, the directory protected for that user and tested, with the keyboard
// alone: Alt+letter to reach a field, Tab to the next control, Space to press or tick, Return to confirm.
TEST_F(KeyboardAccessTest, AUserIsAddedAndADirectoryProtectedForHimWithTheKeyboardAlone) {
    qt::MainWindow& main = windows->main;
    auto& users = main.userEditor;
    auto& dir = main.directoryEditor;
    const std::string userfile = temp / "users";
    const std::string directory = temp / "site/private";
    server.serveRaw("/private/",
                    "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"Team\"\r\n\r\n");

    // Alt+U reaches the user file; two Tabs on, New… makes one.
    press(Qt::Key_U, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), users.userfileField->widget());
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), users.newButton);
    press(Qt::Key_Space);
    choosePath(userfile);
    ASSERT_EQ(users.userfileField->stringValue(), userfile);
    activate(&main);

    press(Qt::Key_N, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), users.usernameField->widget());
    typeText(QStringLiteral("alice"));
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), users.passwordField->widget());
    typeText(QStringLiteral("s3cret"));
    press(Qt::Key_Return);
    EXPECT_EQ(shell("htpasswd -vb '" + userfile + "' alice s3cret >/dev/null 2>&1"), 0) << readFile(userfile);

    // Ctrl+Tab turns to the next editor, twice to the directory's.
    press(Qt::Key_Tab, Qt::ControlModifier);
    press(Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_EQ(main.editorTabs()->currentIndex(), qt::MainWindow::DirectoryTab);
    press(Qt::Key_D, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), dir.directoryField->widget());
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), dir.chooseButton);
    press(Qt::Key_Space);
    choosePath(directory);
    ASSERT_EQ(dir.directoryField->stringValue(), directory);
    activate(&main);

    press(Qt::Key_U, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), dir.userfileField->widget());
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), dir.selectUserfileButton->widget());
    press(Qt::Key_Space);
    choosePath(userfile);
    activate(&main);
    press(Qt::Key_R, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), dir.authnameField->widget());
    typeText(QStringLiteral("Team"));

    // Alt+C reaches the users to tick; Space ticks the one under the cursor.
    press(Qt::Key_C, Qt::AltModifier);
    QAbstractItemView* userTable = dir.userfileView->widget();
    ASSERT_EQ(QApplication::focusWidget(), userTable);
    ASSERT_EQ(userTable->model()->rowCount(), 1);
    EXPECT_EQ(userTable->currentIndex().row(), 0);
    EXPECT_EQ(userTable->currentIndex().column(), 0);
    // The box is announced by the user it admits, and as ticked once Space has ticked it.
    QAccessibleTableInterface* cells = QAccessible::queryAccessibleInterface(userTable)->tableInterface();
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("alice"));
    EXPECT_FALSE(cells->cellAt(0, 0)->state().checked);
    press(Qt::Key_Space);
    EXPECT_EQ(userTable->model()->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_TRUE(cells->cellAt(0, 0)->state().checked);

    // A button's mnemonic presses it as a click would show: down, and up a moment later.
    press(Qt::Key_S, Qt::AltModifier);
    const auto protectedFor = [&] {
        return readFile(directory + "/.htaccess").find("\nRequire user alice\n") != std::string::npos;
    };
    EXPECT_TRUE(QTest::qWaitFor(protectedFor, 5000)) << readFile(directory + "/.htaccess");
    EXPECT_EQ(showing<QMessageBox>(), nullptr) << "the save asked or refused";

    // Alt+T tests again; Return answers the sheet with its default, testing without a user.
    EXPECT_TRUE(QTest::qWaitFor([&] { return dir.testProtectionButton->widget()->isEnabled(); }, 10000));
    const int requestsBefore = server.requestCount();
    press(Qt::Key_T, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([] { return showing<QDialog>() != nullptr; }, 5000)) << "no credential sheet";
    QDialog* sheet = showing<QDialog>();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return QApplication::focusWidget() && QApplication::focusWidget()->window() == sheet;
    })) << "the sheet has not got the keyboard";
    press(Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return main.statusBar()->currentMessage().startsWith(QStringLiteral("Protected")); }, 10000))
        << main.statusBar()->currentMessage().toStdString();
    EXPECT_GT(server.requestCount(), requestsBefore) << "the server was asked again";
    // Two Tabs past the group file, the verdict is read out.
    activate(&main);
    press(Qt::Key_G, Qt::AltModifier);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), dir.verdictField->widget());
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(QApplication::focusWidget())
                    ->text(QAccessible::Name)
                    .startsWith(QStringLiteral("Protected")));
}

} // namespace
} // namespace keepgate::testing

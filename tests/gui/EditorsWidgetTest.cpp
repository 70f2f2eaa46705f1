#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTreeView>
#include <filesystem>
#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "platform/SystemPaths.h"
#include "qt/ApplicationWindows.h"
#include "qt/GeneratedPasswordDialog.h"
#include "qt/QtWindowSystem.h"
#include "qt/SettingsDefaultsStore.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

// The user list and group file editors driven through their real widgets, as a user would.
class EditorsWidgetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureQtApplication();
        windowSystem = std::make_shared<qt::QtWindowSystem>();
        ui::setWindowSystem(windowSystem);
        setStandardUserDefaults(std::make_shared<MemoryDefaultsStore>());
        systemPaths() = SystemPaths{};
        windows = std::make_unique<qt::ApplicationWindows>(windowSystem.get());
        windows->main.show();
        settleEvents();
    }
    void TearDown() override {
        windows.reset();
        settleEvents();
        setStandardUserDefaults(nullptr);
        ui::setWindowSystem(nullptr);
    }

    static void click(QAbstractButton* button) {
        ASSERT_TRUE(button->isEnabled()) << button->text().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
        settleEvents();
    }
    static void type(QLineEdit* field, const QString& text) {
        field->clear();
        QTest::keyClicks(field, text);
    }
    static bool alertShowing() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox*>(widget) && widget->isVisible()) {
                return true;
            }
        }
        return false;
    }

    // Answers the deletion question that is showing with its "Delete" button, after checking that the
    // keyboard's default is "Cancel".
    static void confirmDeletion() {
        settleEvents();
        QMessageBox* box = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* shown = qobject_cast<QMessageBox*>(widget); shown && shown->isVisible()) {
                box = shown;
            }
        }
        ASSERT_NE(box, nullptr) << "no question is showing";
        ASSERT_NE(box->defaultButton(), nullptr);
        EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("Cancel"));
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == QStringLiteral("Delete")) {
                button->click();
            }
        }
        settleEvents();
    }

    std::shared_ptr<qt::QtWindowSystem> windowSystem;
    std::unique_ptr<qt::ApplicationWindows> windows;
    TempDir temp;
};

TEST_F(EditorsWidgetTest, AddsAUserThroughTheFieldsAndButtons) {
    auto& e = windows->main.userEditor;
    click(e.newButton);
    choosePath(temp / "users");
    EXPECT_EQ(e.userfileField->stringValue(), temp / "users");
    ASSERT_TRUE(e.usernameField->isEditable());

    type(e.usernameField->widget(), QStringLiteral("alice"));
    type(e.passwordField->widget(), QStringLiteral("s3cret pass"));
    click(e.adduserButton->widget());

    EXPECT_FALSE(alertShowing());
    const std::string contents = readFile(temp / "users");
    EXPECT_EQ(contents.rfind("alice:", 0), 0u) << contents;
    EXPECT_EQ(shell("htpasswd -vb '" + (temp / "users") + "' alice 's3cret pass' >/dev/null 2>&1"), 0);
    EXPECT_EQ(e.usernameField->stringValue(), "");
    EXPECT_EQ(e.passwordField->stringValue(), "");
    QAbstractItemModel* model = e.tableView->model();
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("alice"));
}

TEST_F(EditorsWidgetTest, AHundredThousandUsersOpenLazilyAndOneMoreIsAppended) {
    std::string text;
    for (int i = 0; i < 100000; ++i) {
        text += "user" + std::to_string(i) + ":$apr1$abcdefgh$0123456789abcdefghijkl\n";
    }
    writeFile(temp / "users", text);
    auto& e = windows->main.userEditor;
    click(e.chooseButton);
    choosePath(temp / "users");
    QAbstractItemModel* model = e.tableView->model();
    ASSERT_EQ(model->rowCount(), 100000);
    EXPECT_EQ(model->index(99999, 0).data().toString(), QStringLiteral("user99999"));

    type(e.usernameField->widget(), QStringLiteral("zoe"));
    type(e.passwordField->widget(), QStringLiteral("pw"));
    click(e.adduserButton->widget());
    const std::string contents = readFile(temp / "users");
    EXPECT_EQ(contents.substr(0, text.size()), text);
    EXPECT_EQ(contents.substr(text.size(), 4), "zoe:");
    EXPECT_EQ(model->rowCount(), 100001);
}

TEST_F(EditorsWidgetTest, ChangesAndChecksTheSelectedUsersPasswordWithTheButtons) {
    writeFile(temp / "users", "# team\nalice:{SHA}W6ph5Mm5Pz8GgiULbPgzG37mj9g=\nbob:{SHA}x=\n");
    auto& e = windows->main.userEditor;
    click(e.chooseButton);
    choosePath(temp / "users");
    QAbstractItemModel* model = e.tableView->model();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Password"));
    EXPECT_EQ(model->index(0, 1).data().toString(), QStringLiteral("SHA-1 (weak)"));

    e.tableView->widget()->selectRow(0);
    type(e.passwordField->widget(), QStringLiteral("new secret"));
    click(e.changePasswordButton);
    EXPECT_FALSE(alertShowing());
    EXPECT_EQ(shell("htpasswd -vb '" + (temp / "users") + "' alice 'new secret' >/dev/null 2>&1"), 0);
    EXPECT_EQ(readFile(temp / "users").rfind("# team\nalice:$apr1$", 0), 0u);
    EXPECT_EQ(model->index(0, 1).data().toString(), QStringLiteral("apr1 (MD5)"));

    e.tableView->widget()->selectRow(0);
    type(e.passwordField->widget(), QStringLiteral("new secret"));
    click(e.checkPasswordButton);
    QMessageBox* verdict = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
            verdict = box;
        }
    }
    ASSERT_NE(verdict, nullptr) << "the check answers in an alert";
    EXPECT_TRUE(verdict->text().contains(QStringLiteral("correct")) ||
                verdict->informativeText().contains(QStringLiteral("correct")))
        << verdict->text().toStdString() << " / " << verdict->informativeText().toStdString();
    verdict->accept();
    settleEvents();
}

TEST_F(EditorsWidgetTest, AddsGroupsAndMembersAndDeletesThemWithTheDeleteKeyAndButton) {
    auto& e = windows->main.groupEditor;
    click(e.newButton);
    choosePath(temp / "groups");
    EXPECT_EQ(readFile(temp / "groups"), "<missing>");

    type(e.groupnameField->widget(), QStringLiteral("staff"));
    click(e.addgroupButton->widget());
    type(e.groupnameField->widget(), QStringLiteral("admins"));
    QTest::keyClick(e.groupnameField->widget(), Qt::Key_Return);
    settleEvents();
    EXPECT_EQ(e.grouplistPopup->itemTitles(), (std::vector<std::string>{"staff", "admins"}));

    e.grouplistPopup->widget()->setCurrentIndex(0);
    type(e.usernameField->widget(), QStringLiteral("alice"));
    click(e.adduserButton->widget());
    EXPECT_EQ(readFile(temp / "groups"), "staff: alice\nadmins:\n");

    // The tree shows the member under its group; the empty group has no disclosure control.
    QTreeView* tree = e.outlineView->widget();
    QAbstractItemModel* model = tree->model();
    const QModelIndex staff = model->index(0, 0);
    ASSERT_EQ(model->rowCount(staff), 1);
    const QModelIndex alice = model->index(0, 0, staff);
    EXPECT_EQ(alice.data().toString(), QStringLiteral("alice"));
    EXPECT_FALSE(model->hasChildren(model->index(1, 0)));
    EXPECT_TRUE(tree->isExpanded(staff));

    tree->setFocus();
    tree->selectionModel()->select(alice, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTest::keyClick(tree, Qt::Key_Delete);
    confirmDeletion();
    EXPECT_EQ(readFile(temp / "groups"), "staff:\nadmins:\n");
    EXPECT_FALSE(model->hasChildren(model->index(0, 0)));
    EXPECT_EQ(e.grouplistPopup->itemTitles(), (std::vector<std::string>{"staff", "admins"}));

    // A group deleted together with one of its selected members takes all its members along.
    type(e.usernameField->widget(), QStringLiteral("bob"));
    click(e.adduserButton->widget());
    type(e.usernameField->widget(), QStringLiteral("carol"));
    click(e.adduserButton->widget());
    ASSERT_EQ(readFile(temp / "groups"), "staff: bob carol\nadmins:\n");
    const QModelIndex group = model->index(0, 0);
    tree->selectionModel()->select(group, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    tree->selectionModel()->select(model->index(1, 0, group),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    click(e.deleteusergroupButton->widget());
    confirmDeletion();
    EXPECT_EQ(readFile(temp / "groups"), "admins:\n");
    EXPECT_EQ(e.grouplistPopup->itemTitles(), (std::vector<std::string>{"admins"}));
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_TRUE(e.outlineView->selectedRowIndexes().empty());
    EXPECT_FALSE(alertShowing());
}

} // namespace
} // namespace keepgate::testing

namespace keepgate::testing {
namespace {

TEST_F(EditorsWidgetTest, ReturnWithNoPasswordIsRefusedTheDeleteKeyAsksByNameAndF1ShowsTheReadMeInside) {
    auto& e = windows->main.userEditor;
    click(e.newButton);
    choosePath(temp / "users");
    type(e.usernameField->widget(), QStringLiteral("alice"));
    type(e.passwordField->widget(), QStringLiteral("pw"));
    click(e.adduserButton->widget());
    type(e.usernameField->widget(), QStringLiteral("dave"));
    QTest::keyClick(e.usernameField->widget(), Qt::Key_Return);
    settleEvents();
    QMessageBox* box = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* shown = qobject_cast<QMessageBox*>(widget); shown && shown->isVisible()) {
            box = shown;
        }
    }
    ASSERT_NE(box, nullptr) << "an empty password must be refused aloud";
    EXPECT_TRUE(box->informativeText().contains(QStringLiteral("The Password field is empty")));
    box->defaultButton()->click();
    settleEvents();
    EXPECT_EQ(readFile(temp / "users").find("dave"), std::string::npos);

    QTableView* table = e.tableView->widget();
    table->setFocus();
    table->selectRow(0);
    QTest::keyClick(table, Qt::Key_Delete);
    settleEvents();
    box = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* shown = qobject_cast<QMessageBox*>(widget); shown && shown->isVisible()) {
            box = shown;
        }
    }
    ASSERT_NE(box, nullptr) << "the Delete key asks before deleting";
    EXPECT_TRUE(box->informativeText().contains(QStringLiteral("delete the user \"alice\"?")))
        << box->informativeText().toStdString();
    confirmDeletion();
    EXPECT_EQ(readFile(temp / "users"), "");

    auto* readMe = windows->main.findChild<QAction*>(QStringLiteral("readMeAction"));
    ASSERT_NE(readMe, nullptr);
    EXPECT_EQ(readMe->shortcut(), QKeySequence(Qt::Key_F1));
    readMe->trigger();
    settleEvents();
    QTextBrowser* help = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->objectName() == QStringLiteral("helpWindow")) {
            help = widget->findChild<QTextBrowser*>();
        }
    }
    ASSERT_NE(help, nullptr) << "F1 shows the ReadMe inside Keepgate";
    EXPECT_TRUE(help->toPlainText().contains(QStringLiteral("Protection status")));
    help->window()->close();
}

} // namespace
} // namespace keepgate::testing

namespace keepgate::testing {
namespace {

// Every file under a folder whose bytes hold the text.
std::vector<std::string> filesHolding(const std::string& folder, const std::string& text) {
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error)) {
        if (entry.is_regular_file() && readFile(entry.path().string()).find(text) != std::string::npos) {
            found.push_back(entry.path().string());
        }
    }
    return found;
}

TEST_F(EditorsWidgetTest, AGeneratedPasswordIsShownOnceCopiedOnAskAndReachesDiskOnlyAsItsHash) {
    auto store = std::make_shared<qt::SettingsDefaultsStore>(QString::fromStdString(temp / "settings.ini"));
    setStandardUserDefaults(store);
    auto& e = windows->main.userEditor;
    click(e.newButton);
    choosePath(temp / "users");
    type(e.usernameField->widget(), QStringLiteral("alice"));
    click(e.generateButton);
    auto* dialog = windows->main.findChild<qt::GeneratedPasswordDialog*>();
    ASSERT_NE(dialog, nullptr);
    const QString shown = dialog->passwordEdit->text();
    EXPECT_EQ(shown.toStdString(), e.passwordField->stringValue()) << "the field holds what is shown";
    EXPECT_EQ(shown.size(), 20);
    click(dialog->copyButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), shown);
    dialog->close();
    settleEvents();
    EXPECT_EQ(windows->main.findChild<qt::GeneratedPasswordDialog*>(), nullptr) << "gone once closed";

    click(e.adduserButton->widget());
    store->synchronize();
    const std::string password = shown.toStdString();
    EXPECT_EQ(shell("htpasswd -vb '" + (temp / "users") + "' alice '" + password + "' >/dev/null 2>&1"), 0);
    EXPECT_EQ(e.passwordField->stringValue(), "");
    QGuiApplication::clipboard()->clear();
    EXPECT_TRUE(filesHolding(temp.path(), password).empty()) << "the user file and the settings hold no copy";
    EXPECT_TRUE(filesHolding(testConfigHome().toStdString() + "/..", password).empty())
        << "nor do the configuration, data, cache and state folders";
    setStandardUserDefaults(std::make_shared<MemoryDefaultsStore>());
}

TEST_F(EditorsWidgetTest, TheFilterFieldAndShowWeakNarrowTheRealModelAsOneTypes) {
    writeFile(temp / "users", "alice:$apr1$a$b\nAlan:{SHA}x=\nbob:iH/wPFUBhNtoo\ncarla:plain\n");
    auto& e = windows->main.userEditor;
    click(e.chooseButton);
    choosePath(temp / "users");
    QAbstractItemModel* model = e.tableView->model();
    auto* health = e.hashHealthField->widget();
    EXPECT_TRUE(health->isVisible());
    EXPECT_NE(
        health->text().indexOf(QStringLiteral("3 users have weak passwords: SHA-1 1, crypt 1, plain text 1")),
        -1)
        << health->text().toStdString();
    const auto shown = [model] {
        QStringList names;
        for (int row = 0; row < model->rowCount(); ++row) {
            names << model->index(row, 0).data().toString();
        }
        return names.join(QLatin1Char(','));
    };
    EXPECT_EQ(e.filterField->widget()->placeholderText(), QStringLiteral("Filter users"));
    const struct {
        const char* typed;
        bool weakOnly;
        const char* names;
    } cases[] = {
        {"al", false, "alice,Alan"},  {"AL", false, "alice,Alan"}, {"ala", false, "Alan"},
        {"", true, "Alan,bob,carla"}, {"a", true, "Alan,carla"},   {"", false, "alice,Alan,bob,carla"},
    };
    for (const auto& c : cases) {
        if (e.weakOnlyButton->widget()->isChecked() != c.weakOnly) {
            click(e.weakOnlyButton->widget());
        }
        type(e.filterField->widget(), QString::fromUtf8(c.typed));
        settleEvents();
        EXPECT_EQ(shown().toStdString(), c.names) << c.typed << " " << c.weakOnly;
    }
}

} // namespace
} // namespace keepgate::testing

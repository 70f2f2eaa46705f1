#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "platform/Constants.h"
#include "platform/SystemPaths.h"
#include "qt/ApplicationWindows.h"
#include "qt/QtWindowSystem.h"
#include "support/TestSupport.h"
#include "WindowTest.h"

namespace keepgate::testing {
namespace {

// The directory protection editor driven through its real widgets: choose, tick, add a rule, save.
class DirectoryWidgetTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        DirectoryGroups::reset();
        DirectoryAccess::reset();
        windows = std::make_unique<qt::ApplicationWindows>(windowSystem.get());
        // The editor's controllers as the window tells them; the main controller's start-up is not wanted
        // here.
        windows->main.directory.awakeFromNib();
        windows->main.directoryGroups.awakeFromNib();
        windows->main.directoryAccess.awakeFromNib();
        windows->main.editorTabs()->setCurrentIndex(qt::MainWindow::DirectoryTab);
        windows->main.show();
        settleEvents();
    }
    void TearDown() override {
        windows.reset();
        settleEvents();
        DirectoryGroups::reset();
        DirectoryAccess::reset();
        WindowTest::TearDown();
    }

    static void click(QAbstractButton* button) {
        ASSERT_TRUE(button->isEnabled()) << button->text().toStdString();
        button->click();
        settleEvents();
    }
    // Clicks the check box of the row whose other column shows `name`.
    static void tick(QTableView* view, const QString& name) {
        QAbstractItemModel* model = view->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->index(row, 1).data().toString() != name) {
                continue;
            }
            const QModelIndex box = model->index(row, 0);
            QStyleOptionViewItem option;
            option.initFrom(view);
            option.rect = view->visualRect(box);
            option.features |= QStyleOptionViewItem::HasCheckIndicator;
            const QRect rect =
                view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
            settleEvents();
            return;
        }
        ADD_FAILURE() << "no row shows " << name.toStdString();
    }
    // Types a host into the first rule's host cell and presses Return, as the user would.
    static void typeHost(QTableView* hostTable, const QString& text) {
        const QModelIndex host = hostTable->model()->index(0, 1);
        hostTable->setCurrentIndex(host);
        hostTable->edit(host);
        settleEvents();
        auto* hostEditor = hostTable->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(hostEditor, nullptr);
        QTest::keyClicks(hostEditor, text);
        QTest::keyClick(hostEditor, Qt::Key_Return);
        settleEvents();
    }
    static bool alertShowing() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox*>(widget) && widget->isVisible()) {
                return true;
            }
        }
        return false;
    }

    std::unique_ptr<qt::ApplicationWindows> windows;
    TempDir temp;
};

TEST_F(DirectoryWidgetTest, TicksAUserAndAGroupAddsAHostRuleAndSavesTheAccessFile) {
    const std::string users = temp / "users";
    const std::string groups = temp / "groups";
    writeFile(users,
              "alice:$apr1$aaaaaaaa$aaaaaaaaaaaaaaaaaaaaaa\nbob:$apr1$bbbbbbbb$bbbbbbbbbbbbbbbbbbbbbb\n");
    writeFile(groups, "staff: alice\nadmins: bob\n");
    writeFile(temp / "site/.htaccess", "AuthType Basic\nAuthName \"Private\"\nAuthUserFile " + users +
                                           "\nAuthGroupFile " + groups +
                                           "\nRequire user alice\nOrder deny,allow\nDeny from all\n");
    auto& e = windows->main.directoryEditor;
    click(e.chooseButton);
    choosePath(temp / "site");
    EXPECT_EQ(e.directoryField->stringValue(), temp / "site");
    EXPECT_EQ(e.authnameField->stringValue(), "Private");
    EXPECT_TRUE(e.saveProtectionButton->isEnabled());

    QTabWidget* subTabs = e.subTabs->widget();
    QTableView* userTable = e.userfileView->widget();
    ASSERT_EQ(userTable->model()->rowCount(), 2);
    EXPECT_EQ(userTable->model()->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    tick(userTable, QStringLiteral("bob"));
    EXPECT_TRUE(e.userfileView->selectedRowIndexes().empty());

    subTabs->setCurrentIndex(1);
    settleEvents();
    QTableView* groupTable = e.groupfileView->widget();
    ASSERT_EQ(groupTable->model()->rowCount(), 2);
    tick(groupTable, QStringLiteral("admins"));
    EXPECT_TRUE(e.groupfileView->selectedRowIndexes().empty());

    subTabs->setCurrentIndex(2);
    settleEvents();
    click(e.addAccessBT->widget());
    QTableView* hostTable = e.accessView->widget();
    ASSERT_EQ(hostTable->model()->rowCount(), 1);
    // Type the host into the cell, then choose "Allow" in the rule cell, as the user would.
    typeHost(hostTable, QStringLiteral("10.0.0.0/8"));
    const QModelIndex rule = hostTable->model()->index(0, 0);
    EXPECT_EQ(rule.data().toString(), QStringLiteral("Deny"));
    hostTable->setCurrentIndex(rule);
    hostTable->edit(rule);
    settleEvents();
    auto* ruleEditor = hostTable->viewport()->findChild<QComboBox*>();
    ASSERT_NE(ruleEditor, nullptr);
    ruleEditor->setCurrentIndex(ruleEditor->findText(QStringLiteral("Allow")));
    emit ruleEditor->activated(ruleEditor->currentIndex());
    settleEvents();
    EXPECT_EQ(rule.data().toString(), QStringLiteral("Allow"));

    click(e.saveProtectionButton->widget());
    EXPECT_FALSE(alertShowing());
    EXPECT_EQ(readFile(temp / "site/.htaccess"),
              "AuthType Basic\nAuthName \"Private\"\nAuthUserFile " + users + "\nAuthGroupFile " + groups +
                  "\nRequire group admins\nRequire user alice bob\n"
                  "Allow from 10.0.0.0/8\nOrder deny,allow\nDeny from all\n");
}

// Values Apache would misread, typed or ticked through the real widgets: each save is refused with an
// alert naming the field and the offender, and the access file keeps its bytes.
TEST_F(DirectoryWidgetTest, ARealmAUserNameAndAHostApacheWouldMisreadAreRefusedThroughTheWidgets) {
    const std::string users = temp / "users";
    writeFile(users, "alice:x\ntrail\\:x\n");
    const std::string before = "Options -Indexes\nAuthType Basic\nAuthName \"Private\"\nAuthUserFile " +
                               users + "\nRequire user alice\n";
    writeFile(temp / "site/.htaccess", before);
    auto& e = windows->main.directoryEditor;
    click(e.chooseButton);
    choosePath(temp / "site");
    QLabel* kept = e.keptField->widget();
    EXPECT_TRUE(kept->isVisible());
    EXPECT_EQ(kept->textFormat(), Qt::PlainText);
    EXPECT_EQ(kept->text(), QStringLiteral("Kept as written:\nOptions -Indexes"));

    const auto refusal = [&]() -> std::string {
        click(e.saveProtectionButton->widget());
        settleEvents();
        std::string message;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                message = box->informativeText().toStdString();
                box->defaultButton()->click();
            }
        }
        settleEvents();
        EXPECT_EQ(readFile(temp / "site/.htaccess"), before);
        return message;
    };

    QLineEdit* realm = e.authnameField->widget();
    realm->clear();
    QTest::keyClicks(realm, QStringLiteral("%{REMOTE_USER}"));
    std::string message = refusal();
    EXPECT_NE(message.find("realm name"), std::string::npos) << message;
    EXPECT_NE(message.find("%{"), std::string::npos) << message;
    EXPECT_EQ(realm->text(), QStringLiteral("%{REMOTE_USER}")) << "the field stays as typed";
    realm->setText(QStringLiteral("Private"));

    tick(e.userfileView->widget(), QStringLiteral("trail\\"));
    message = refusal();
    EXPECT_NE(message.find("user name \"trail\\\""), std::string::npos) << message;
    EXPECT_NE(message.find("backslash"), std::string::npos) << message;
    tick(e.userfileView->widget(), QStringLiteral("trail\\"));

    e.subTabs->widget()->setCurrentIndex(2);
    settleEvents();
    click(e.addAccessBT->widget());
    QTableView* hostTable = e.accessView->widget();
    typeHost(hostTable, QStringLiteral("10.0.0.0/99"));
    const QModelIndex host = hostTable->model()->index(0, 1);
    message = refusal();
    EXPECT_NE(message.find("host"), std::string::npos) << message;
    EXPECT_NE(message.find("/99"), std::string::npos) << message;
    EXPECT_EQ(host.data().toString(), QStringLiteral("10.0.0.0/99"));
}

TEST_F(DirectoryWidgetTest, AllUsersGreysTheUserCheckBoxes) {
    writeFile(temp / "users", "alice:x\n");
    writeFile(temp / "site/.htaccess", "AuthUserFile " + (temp / "users") + "\nRequire valid-user\n");
    auto& e = windows->main.directoryEditor;
    click(e.chooseButton);
    choosePath(temp / "site");
    QTableView* userTable = e.userfileView->widget();
    ASSERT_EQ(userTable->model()->rowCount(), 1);
    EXPECT_EQ(e.allusersCB->state(), 1);
    EXPECT_FALSE(userTable->model()->index(0, 0).flags() & Qt::ItemIsUserCheckable);

    click(e.allusersCB->widget());
    EXPECT_EQ(e.allusersCB->state(), 0);
    EXPECT_TRUE(userTable->model()->index(0, 0).flags() & Qt::ItemIsUserCheckable);
    tick(userTable, QStringLiteral("alice"));
    EXPECT_EQ(userTable->model()->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
}

// The preference says access files, the protection lives in the shared file: the window shows it, says
// where it is, moves it on "Move It", and the removal then takes it off and empties the form.
TEST_F(DirectoryWidgetTest, ProtectionInTheOtherPlaceIsShownMovedAndRemovedThroughTheWidgets) {
    const std::string users = temp / "users";
    writeFile(users, "alice:$apr1$aaaaaaaa$aaaaaaaaaaaaaaaaaaaaaa\n");
    const std::string block =
        "AuthType Basic\nAuthName \"Team\"\nAuthUserFile " + users + "\nRequire user alice\n";
    const std::string shared = temp / "keepgate.conf";
    writeFile(temp / "site/index.html", "hello\n");
    defaults->setString(constants::kConfigFilePathKey, shared);
    writeFile(shared, "<Directory \"" + temp / "site" + "\">\n" + block + "</Directory>\n");
    auto& e = windows->main.directoryEditor;
    click(e.chooseButton);
    choosePath(temp / "site");
    EXPECT_EQ(e.authnameField->stringValue(), "Team");

    const auto visibleBox = []() -> QMessageBox* {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                return box;
            }
        }
        return nullptr;
    };
    const auto press = [&](const QString& text) {
        QMessageBox* box = visibleBox();
        ASSERT_NE(box, nullptr) << "no alert is showing";
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == text) {
                chosen = button;
            }
        }
        ASSERT_NE(chosen, nullptr) << box->text().toStdString();
        click(chosen);
    };
    ASSERT_NE(visibleBox(), nullptr);
    EXPECT_TRUE(visibleBox()->informativeText().contains(QStringLiteral("kept in the section for it in ")));
    press(QStringLiteral("Move It"));
    EXPECT_EQ(readFile(temp / "site/.htaccess"), block);
    EXPECT_EQ(readFile(shared), "");

    click(e.removeProtectionButton->widget());
    press(QStringLiteral("Remove"));
    EXPECT_EQ(readFile(temp / "site/.htaccess"), "<missing>");
    EXPECT_EQ(e.directoryField->stringValue(), "");
    EXPECT_EQ(windows->main.statusBar()->currentMessage(), QStringLiteral("Removed protection"));
}

} // namespace
} // namespace keepgate::testing

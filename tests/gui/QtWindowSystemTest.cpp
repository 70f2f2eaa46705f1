#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "qt/QtWindow.h"
#include "qt/QtWindowSystem.h"

namespace keepgate::testing {
namespace {

class QtWindowSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureQtApplication();
        parentWidget = std::make_unique<QWidget>();
        window = std::make_unique<qt::QtWindow>(parentWidget.get());
        parentWidget->resize(400, 300);
        parentWidget->show();
        system.addSheetObserver([this] { ++observed; });
    }
    void TearDown() override {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QDialog*>(widget)) {
                widget->deleteLater();
            }
        }
        settleEvents();
    }
    template <typename Dialog> Dialog* openDialog() {
        settleEvents();
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<Dialog*>(widget); dialog && dialog->isVisible()) {
                return dialog;
            }
        }
        return nullptr;
    }
    static QAbstractButton* buttonTitled(QMessageBox* box, const QString& title) {
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == title) {
                return button;
            }
        }
        return nullptr;
    }

    std::unique_ptr<QWidget> parentWidget;
    std::unique_ptr<qt::QtWindow> window;
    qt::QtWindowSystem system;
    int observed = 0;
};

TEST_F(QtWindowSystemTest, AlertSheetsAnswerOneForTheDefaultButtonAndZeroForTheOther) {
    const ui::AlertSpec alert{"Warning!", "Are you sure you want to delete the user?", "Delete", "Cancel"};
    for (const auto& [button, code] : std::vector<std::pair<QString, int>>{{"Delete", 1}, {"Cancel", 0}}) {
        SCOPED_TRACE(button.toStdString());
        std::vector<int> answers;
        system.beginAlertSheet(alert, window.get(), [&](int returnCode) { answers.push_back(returnCode); });
        QMessageBox* box = openDialog<QMessageBox>();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->parentWidget(), parentWidget.get());
        EXPECT_EQ(box->windowModality(), Qt::WindowModal);
        EXPECT_TRUE(box->informativeText().contains(QStringLiteral("delete the user")));
        EXPECT_EQ(box->buttons().size(), 2);
        ASSERT_NE(buttonTitled(box, button), nullptr);
        buttonTitled(box, button)->click();
        settleEvents();
        EXPECT_EQ(answers, std::vector<int>{code});
    }
    EXPECT_EQ(observed, 2);
}

TEST_F(QtWindowSystemTest, AnAlertWithoutParentStandsAloneAndShowsItsMessageLiterally) {
    std::vector<int> answers;
    const ui::AlertSpec alert{"Warning!", "settings from 100%@ %d <b>x</b>", "Automatically configure",
                              "Cancel"};
    system.beginAlertSheet(alert, nullptr, [&](int returnCode) { answers.push_back(returnCode); });
    QMessageBox* box = openDialog<QMessageBox>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->parentWidget(), nullptr);
    EXPECT_EQ(box->informativeText(), QStringLiteral("settings from 100%@ %d <b>x</b>"));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    box->reject(); // closing the window counts as the alternate button
    settleEvents();
    EXPECT_EQ(answers, std::vector<int>{0});

    // With one button, closing the window can only mean that button.
    system.beginAlertSheet({"Error!", "The file could not be written.", "OK", ""}, window.get(),
                           [&](int returnCode) { answers.push_back(returnCode); });
    QMessageBox* single = openDialog<QMessageBox>();
    ASSERT_NE(single, nullptr);
    single->reject();
    settleEvents();
    EXPECT_EQ(answers, (std::vector<int>{0, 1}));
}

// Markup in a message (a fetched version document, a file or user name) is shown as the characters it is:
// the label that shows the message is plain text with links off, for sheets and for modal alerts alike.
TEST_F(QtWindowSystemTest, TheMessageLabelShowsMarkupAsPlainTextWithLinksOff) {
    const QString message = QStringLiteral("<a href=\"http://evil.example/\">Update now</a> <b>bold</b>");
    const auto expectPlain = [&](QMessageBox* box) {
        ASSERT_NE(box, nullptr);
        QLabel* shown = nullptr;
        for (QLabel* label : box->findChildren<QLabel*>()) {
            if (label->text() == message) {
                shown = label;
            }
        }
        ASSERT_NE(shown, nullptr) << "no label shows the message";
        EXPECT_EQ(shown->textFormat(), Qt::PlainText);
        EXPECT_FALSE(shown->openExternalLinks());
        EXPECT_FALSE(shown->textInteractionFlags() & Qt::LinksAccessibleByMouse);
        EXPECT_FALSE(shown->textInteractionFlags() & Qt::LinksAccessibleByKeyboard);
        for (QLabel* label : box->findChildren<QLabel*>()) {
            EXPECT_NE(label->textFormat(), Qt::RichText);
            EXPECT_NE(label->textFormat(), Qt::AutoText) << label->text().toStdString();
        }
    };
    system.beginAlertSheet({"Error!", message.toStdString(), "OK", ""}, window.get(), {});
    expectPlain(openDialog<QMessageBox>());
    openDialog<QMessageBox>()->accept();
    settleEvents();

    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        expectPlain(box);
        if (box) {
            box->buttons().first()->click();
        }
    });
    system.runInformationalAlertPanel({"New version!", message.toStdString(), "OK", ""});
}

TEST_F(QtWindowSystemTest, ModalAlertsReturnOneForTheDefaultButton) {
    for (const auto& [button, code] :
         std::vector<std::pair<QString, int>>{{"Visit Web Site", 1}, {"Cancel", 0}}) {
        QTimer::singleShot(0, [this, button = button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            buttonTitled(box, button)->click();
        });
        EXPECT_EQ(system.runAlertPanel({"New version!", "0.8 is out", "Visit Web Site", "Cancel"}), code);
    }
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->buttons().size(), 1);
        box->buttons().first()->click();
    });
    EXPECT_EQ(system.runInformationalAlertPanel({"Up to date", "You have the latest version.", "OK", ""}), 1);
}

TEST_F(QtWindowSystemTest, PanelsAreWindowModalWithTheirOptionsAndAnswerTheChosenPaths) {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("users")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    std::vector<std::pair<int, std::vector<std::string>>> answers;
    auto record = [&](int code, const std::vector<std::string>& paths) { answers.emplace_back(code, paths); };

    system.beginOpenPanel({false, true, false, folder.path().toStdString(), ""}, window.get(), record);
    QFileDialog* directoryPanel = openDialog<QFileDialog>();
    ASSERT_NE(directoryPanel, nullptr);
    EXPECT_EQ(directoryPanel->fileMode(), QFileDialog::Directory);
    EXPECT_EQ(directoryPanel->windowModality(), Qt::WindowModal);
    EXPECT_EQ(directoryPanel->directory().absolutePath(), folder.path());
    directoryPanel->reject();
    settleEvents();

    system.beginOpenPanel({true, false, false, folder.path().toStdString(), ""}, window.get(), record);
    QFileDialog* filePanel = openDialog<QFileDialog>();
    ASSERT_NE(filePanel, nullptr);
    EXPECT_EQ(filePanel->fileMode(), QFileDialog::ExistingFile);
    // Typed into the panel's name field, as the user would.
    auto* nameField = filePanel->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(nameField, nullptr);
    nameField->setText(QStringLiteral("users"));
    QMetaObject::invokeMethod(filePanel, "accept");
    settleEvents();

    // A panel that will replace the chosen file asks first; one that opens it does not.
    system.beginSavePanel({folder.path().toStdString(), "groups"}, window.get(), {});
    QFileDialog* replacingPanel = openDialog<QFileDialog>();
    ASSERT_NE(replacingPanel, nullptr);
    EXPECT_FALSE(replacingPanel->testOption(QFileDialog::DontConfirmOverwrite));
    replacingPanel->reject();
    settleEvents();

    system.beginSavePanel({folder.path().toStdString(), "users", false}, window.get(), record);
    QFileDialog* savePanel = openDialog<QFileDialog>();
    ASSERT_NE(savePanel, nullptr);
    EXPECT_EQ(savePanel->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(savePanel->testOption(QFileDialog::DontConfirmOverwrite));
    QMetaObject::invokeMethod(savePanel, "accept");
    settleEvents();

    const std::string chosen = file.fileName().toStdString();
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(answers[0], (std::pair<int, std::vector<std::string>>{0, {}}));
    EXPECT_EQ(answers[1], (std::pair<int, std::vector<std::string>>{1, {chosen}}));
    EXPECT_EQ(answers[2], (std::pair<int, std::vector<std::string>>{1, {chosen}}));
    EXPECT_EQ(observed, 4) << "every panel's end is reported once";
}

} // namespace
} // namespace keepgate::testing

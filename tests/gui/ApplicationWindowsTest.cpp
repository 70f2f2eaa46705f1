#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "qt/ApplicationWindows.h"
#include "qt/QtWindowSystem.h"

namespace keepgate::testing {
namespace {

class ApplicationWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureQtApplication();
        windows = std::make_unique<qt::ApplicationWindows>(&windowSystem);
    }
    qt::QtWindowSystem windowSystem;
    std::unique_ptr<qt::ApplicationWindows> windows;
};

template <typename... Outlets> void expectConnected(const char* owner, Outlets*... outlets) {
    int position = 0;
    for (const void* outlet : {static_cast<const void*>(outlets)...}) {
        EXPECT_NE(outlet, nullptr) << owner << " outlet #" << position;
        ++position;
    }
}

TEST_F(ApplicationWindowsTest, EveryOutletAndDataSourceIsConnected) {
    qt::MainWindow& main = windows->main;
    const Controller& c = main.controller;
    expectConnected("Controller", c.mainWindow, c.passwordField, c.usernameField, c.userfileField,
                    c.adduserButton, c.deleteuserButton, c.tableView);
    const Group& g = main.group;
    expectConnected("Group", g.mainWindow, g.groupfileField, g.groupnameField, g.usernameField,
                    g.grouplistPopup, g.addgroupButton, g.adduserButton, g.deleteusergroupButton,
                    g.outlineView);
    const Directory& d = main.directory;
    expectConnected("Directory", d.mainWindow, d.directoryField, d.authnameField, d.userfileField,
                    d.groupfileField, d.userfileView, d.selectUserfileButton, d.selectGroupfileButton,
                    d.saveProtectionButton, d.removeProtectionButton, d.allusersCB, d.subTabs,
                    d.denyAllOthersCB, d.orderDenyRB, d.orderAllowRB, d.addAccessBT, d.removeAccessBT,
                    d.keptField, d.hostAndRB, d.hostOrRB, d.useApache24BT);
    expectConnected("DirectoryGroups", main.directoryGroups.mainWindow, main.directoryGroups.groupfileView);
    expectConnected("DirectoryAccess", main.directoryAccess.mainWindow, main.directoryAccess.accessView);
    const PreferencesController& p = windows->preferences.controller;
    expectConnected("PreferencesController", p.checkForUpdates, p.defaultAccessFilenameField,
                    p.showHiddenFiles, p.configFilePathField, p.protectionSettingsConfigRB,
                    p.protectionSettingsHtaccessRB, p.theWindow);

    // Every controller's window is the real one, and each table asks its own controller.
    EXPECT_EQ(c.mainWindow, &main.window);
    EXPECT_EQ(main.window.widget(), &main);
    EXPECT_EQ(p.theWindow, &windows->preferences.window);
    EXPECT_EQ(main.userEditor.tableView->dataSource(), &main.controller);
    EXPECT_EQ(main.groupEditor.outlineView->dataSource(), &main.group);
    EXPECT_EQ(main.directoryEditor.userfileView->dataSource(), &main.directory);
    EXPECT_EQ(main.directoryEditor.groupfileView->dataSource(), &main.directoryGroups);
    EXPECT_EQ(main.directoryEditor.accessView->dataSource(), &main.directoryAccess);
}

TEST_F(ApplicationWindowsTest, EditorsStartWithNothingToEditUntilAFileOrDirectoryIsChosen) {
    qt::MainWindow& main = windows->main;
    const auto& u = main.userEditor;
    const auto& g = main.groupEditor;
    const auto& d = main.directoryEditor;
    for (const ui::Button* button : std::vector<const ui::Button*>{
             u.adduserButton.get(), u.deleteuserButton.get(), g.addgroupButton.get(), g.adduserButton.get(),
             g.deleteusergroupButton.get(), d.selectUserfileButton.get(), d.selectGroupfileButton.get(),
             d.saveProtectionButton.get(), d.removeProtectionButton.get(), d.allusersCB.get(),
             d.denyAllOthersCB.get(), d.orderDenyRB.get(), d.orderAllowRB.get(), d.addAccessBT.get(),
             d.removeAccessBT.get(), d.hostAndRB.get(), d.hostOrRB.get(), d.useApache24BT.get()}) {
        EXPECT_FALSE(button->isEnabled());
    }
    EXPECT_FALSE(g.grouplistPopup->isEnabled());
    for (const ui::TextField* field : std::vector<const ui::TextField*>{
             u.usernameField.get(), u.passwordField.get(), u.userfileField.get(), g.groupfileField.get(),
             g.groupnameField.get(), g.usernameField.get(), d.directoryField.get(), d.authnameField.get(),
             d.userfileField.get(), d.groupfileField.get()}) {
        EXPECT_FALSE(field->isEditable());
        EXPECT_EQ(field->stringValue(), "");
    }
    // The choosers work from the start.
    EXPECT_TRUE(u.chooseButton->isEnabled());
    EXPECT_TRUE(u.newButton->isEnabled());
    EXPECT_TRUE(g.chooseButton->isEnabled());
    EXPECT_TRUE(g.newButton->isEnabled());
    EXPECT_TRUE(d.chooseButton->isEnabled());
    EXPECT_EQ(u.passwordField->widget()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(d.subTabs->widget()->count(), 3);
    // The strip of kept lines shows only once a loaded block has some.
    EXPECT_FALSE(d.keptField->widget()->isVisible());
    EXPECT_EQ(main.editorTabs()->count(), 3);
}

TEST_F(ApplicationWindowsTest, TheOrderRadioButtonsAreOnePairThatCanBeSetEitherWay) {
    auto& d = windows->main.directoryEditor;
    d.orderAllowRB->setState(1);
    d.orderDenyRB->setState(0);
    EXPECT_EQ(d.orderAllowRB->state(), 1);
    EXPECT_EQ(d.orderDenyRB->state(), 0);
    d.orderDenyRB->setState(1);
    EXPECT_EQ(d.orderAllowRB->state(), 0);
    // Turning the checked one off first, as a controller may, leaves neither on until the other is set.
    d.orderDenyRB->setState(0);
    EXPECT_EQ(d.orderDenyRB->state(), 0);
    d.orderAllowRB->setState(1);
    EXPECT_EQ(d.orderAllowRB->state(), 1);
    EXPECT_EQ(d.orderDenyRB->state(), 0);
}

TEST_F(ApplicationWindowsTest, TheMenusOfferPreferencesUpdatesReadMeAndQuit) {
    QStringList titles;
    for (QAction* menu : windows->main.menuBar()->actions()) {
        for (QAction* action : menu->menu()->actions()) {
            titles << action->text();
        }
    }
    for (const char* wanted : {"Preferences…", "Check for Updates…", "Keepgate ReadMe", "Quit"}) {
        EXPECT_TRUE(titles.contains(QString::fromUtf8(wanted))) << wanted;
    }
}

TEST_F(ApplicationWindowsTest, ResourcesAreFoundBesideTheProgramOrInTheSourceTree) {
    const auto readMe = windowSystem.pathForResource("ReadMe", "html");
    ASSERT_TRUE(readMe.has_value());
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(*readMe)));
    EXPECT_EQ(windowSystem.pathForResource("ReadMe", "rtfd"), std::nullopt);
    EXPECT_EQ(windowSystem.pathForResource("NoSuchThing", "txt"), std::nullopt);
}

} // namespace
} // namespace keepgate::testing

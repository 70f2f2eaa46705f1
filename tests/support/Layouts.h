#pragma once

// Headless window layouts: each builds a controller with headless controls and connects its outlets and
// data sources, as the real window does. Controls start as the real window starts them: editor controls
// disabled and fields not editable until a file or directory is chosen.

#include "app/Controller.h"
#include "app/ServerCheckReport.h"
#include "app/PreferencesController.h"
#include "directory/Directory.h"
#include "directory/DirectoryAccess.h"
#include "directory/DirectoryEditorWiring.h"
#include "directory/DirectoryGroups.h"
#include "directory/ProtectionTester.h"
#include "groups/Group.h"
#include "support/Headless.h"

namespace keepgate::testing {

struct UserEditorLayout {
    headless::Window mainWindow;
    headless::TextField passwordField, usernameField, userfileField;
    headless::Button adduserButton, deleteuserButton;
    headless::TableView tableView;
    Controller controller;

    UserEditorLayout() {
        controller.mainWindow = &mainWindow;
        controller.passwordField = &passwordField;
        controller.usernameField = &usernameField;
        controller.userfileField = &userfileField;
        controller.adduserButton = &adduserButton;
        controller.deleteuserButton = &deleteuserButton;
        controller.tableView = &tableView;
        tableView.setDataSource(&controller);
    }
};

struct PreferencesLayout {
    headless::Button checkForUpdates, showHiddenFiles, protectionSettingsConfigRB,
        protectionSettingsHtaccessRB;
    headless::TextField defaultAccessFilenameField{true}, configFilePathField{true};
    headless::Window theWindow;
    PreferencesController controller;

    PreferencesLayout() {
        for (auto* button : {&checkForUpdates, &showHiddenFiles, &protectionSettingsConfigRB,
                             &protectionSettingsHtaccessRB}) {
            button->enabled = true;
        }
        controller.checkForUpdates = &checkForUpdates;
        controller.defaultAccessFilenameField = &defaultAccessFilenameField;
        controller.showHiddenFiles = &showHiddenFiles;
        controller.configFilePathField = &configFilePathField;
        controller.protectionSettingsConfigRB = &protectionSettingsConfigRB;
        controller.protectionSettingsHtaccessRB = &protectionSettingsHtaccessRB;
        controller.theWindow = &theWindow;
    }
};

struct GroupEditorLayout {
    headless::Window mainWindow;
    headless::TextField groupfileField, groupnameField, usernameField;
    headless::PopUpButton grouplistPopup;
    headless::Button addgroupButton, adduserButton, deleteusergroupButton;
    headless::OutlineView outlineView;
    Group controller;

    GroupEditorLayout() {
        controller.mainWindow = &mainWindow;
        controller.groupfileField = &groupfileField;
        controller.groupnameField = &groupnameField;
        controller.usernameField = &usernameField;
        controller.grouplistPopup = &grouplistPopup;
        controller.addgroupButton = &addgroupButton;
        controller.adduserButton = &adduserButton;
        controller.deleteusergroupButton = &deleteusergroupButton;
        controller.outlineView = &outlineView;
        outlineView.setDataSource(&controller);
    }
};

// The directory editor with its two table controllers, whose records are class-level.
struct DirectoryEditorLayout {
    headless::Window mainWindow;
    headless::TextField directoryField, authnameField, userfileField, groupfileField, keptField;
    headless::TextField plainTextField;
    headless::TableView userfileView, groupfileView, accessView;
    headless::Button selectUserfileButton, selectGroupfileButton, saveProtectionButton,
        removeProtectionButton;
    headless::Button allusersCB, denyAllOthersCB, orderDenyRB, orderAllowRB, addAccessBT, removeAccessBT;
    headless::Button hostAndRB, hostOrRB, useApache24BT;
    headless::TabView subTabs;
    headless::TextField addressField;
    headless::Button testProtectionButton;
    headless::ProgressIndicator testProgress;
    headless::TextField verdictField;
    headless::Button testAgainButton, fixButton;
    Directory directory;
    DirectoryGroups directoryGroups;
    DirectoryAccess directoryAccess;
    ProtectionTester tester;

    DirectoryEditorLayout() {
        DirectoryGroups::reset();
        DirectoryAccess::reset();
        directory.mainWindow = &mainWindow;
        directory.directoryField = &directoryField;
        directory.authnameField = &authnameField;
        directory.userfileField = &userfileField;
        directory.groupfileField = &groupfileField;
        directory.userfileView = &userfileView;
        directory.selectUserfileButton = &selectUserfileButton;
        directory.selectGroupfileButton = &selectGroupfileButton;
        directory.saveProtectionButton = &saveProtectionButton;
        directory.removeProtectionButton = &removeProtectionButton;
        directory.allusersCB = &allusersCB;
        directory.subTabs = &subTabs;
        directory.denyAllOthersCB = &denyAllOthersCB;
        directory.orderDenyRB = &orderDenyRB;
        directory.orderAllowRB = &orderAllowRB;
        directory.addAccessBT = &addAccessBT;
        directory.removeAccessBT = &removeAccessBT;
        directory.hostAndRB = &hostAndRB;
        directory.hostOrRB = &hostOrRB;
        directory.useApache24BT = &useApache24BT;
        directory.keptField = &keptField;
        directory.plainTextField = &plainTextField;
        directoryGroups.mainWindow = &mainWindow;
        directoryGroups.groupfileView = &groupfileView;
        directoryAccess.mainWindow = &mainWindow;
        directoryAccess.accessView = &accessView;
        tester.mainWindow = &mainWindow;
        tester.addressField = &addressField;
        tester.testProtectionButton = &testProtectionButton;
        tester.testProgress = &testProgress;
        tester.verdictField = &verdictField;
        tester.testAgainButton = &testAgainButton;
        tester.fixButton = &fixButton;
        wireDirectoryEditor(directory, directoryGroups, directoryAccess, tester);
        directory.awakeFromNib();
        directoryGroups.awakeFromNib();
        directoryAccess.awakeFromNib();
    }
    ~DirectoryEditorLayout() {
        DirectoryGroups::reset();
        DirectoryAccess::reset();
    }
};

} // namespace keepgate::testing

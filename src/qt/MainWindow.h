#pragma once

#include <QMainWindow>
#include <memory>

#include "app/Controller.h"
#include "app/HistoryController.h"
#include "app/OpenFiles.h"
#include "app/ServerCheckReport.h"
#include "app/PreferencesController.h"
#include "directory/Directory.h"
#include "directory/DirectoryAccess.h"
#include "directory/DirectoryGroups.h"
#include "directory/ProtectionTester.h"
#include "groups/Group.h"
#include "qt/QtButton.h"
#include "qt/QtLabelField.h"
#include "qt/QtOutlineView.h"
#include "qt/QtPopUpButton.h"
#include "qt/QtProgressIndicator.h"
#include "qt/QtTabView.h"
#include "qt/QtTableView.h"
#include "qt/QtTextField.h"
#include "qt/QtWindow.h"

class QAction;
class QPushButton;
class QTabWidget;

namespace keepgate::qt {

class HistoryWindow;
class ServerCheckWindow;

class QtWindowSystem;

// The main window: the user list editor, the group file editor and the directory protection editor, each
// driven by its controller, whose outlets and data sources the window connects as it builds itself. The
// controls start in the "no file" and "no directory" states: only the choosers work until one is used.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(PreferencesController& preferences, QtWindowSystem* windowSystem = nullptr,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    struct UserEditor {
        std::unique_ptr<QtTextField> passwordField, usernameField, userfileField;
        std::unique_ptr<QtButton> adduserButton, deleteuserButton;
        std::unique_ptr<QtTableView> tableView;
        QPushButton* chooseButton = nullptr;
        QPushButton* newButton = nullptr;
        QPushButton* changePasswordButton = nullptr;
        QPushButton* checkPasswordButton = nullptr;
        // The list's filter, Show Weak, the hash counts, and the password generator.
        std::unique_ptr<QtTextField> filterField;
        std::unique_ptr<QtButton> weakOnlyButton;
        std::unique_ptr<QtLabelField> hashHealthField;
        QPushButton* generateButton = nullptr;
    };
    struct GroupEditor {
        std::unique_ptr<QtTextField> groupfileField, groupnameField, usernameField;
        std::unique_ptr<QtPopUpButton> grouplistPopup;
        std::unique_ptr<QtButton> addgroupButton, adduserButton, deleteusergroupButton;
        std::unique_ptr<QtOutlineView> outlineView;
        QPushButton* chooseButton = nullptr;
        QPushButton* newButton = nullptr;
    };
    struct DirectoryEditor {
        std::unique_ptr<QtTextField> directoryField, authnameField, userfileField, groupfileField;
        std::unique_ptr<QtTableView> userfileView, groupfileView, accessView;
        std::unique_ptr<QtButton> selectUserfileButton, selectGroupfileButton, saveProtectionButton,
            removeProtectionButton, allusersCB, denyAllOthersCB, orderDenyRB, orderAllowRB, addAccessBT,
            removeAccessBT, hostAndRB, hostOrRB, useApache24BT;
        std::unique_ptr<QtTabView> subTabs;
        std::unique_ptr<QtTextField> addressField;
        std::unique_ptr<QtButton> testProtectionButton;
        std::unique_ptr<QtProgressIndicator> testProgress;
        std::unique_ptr<QtLabelField> keptField, plainTextField;
        QPushButton* chooseButton = nullptr;
        // The protection status area: the verdict, Fix… for the server check's finding, Test Again.
        std::unique_ptr<QtLabelField> verdictField;
        std::unique_ptr<QtButton> fixButton, testAgainButton;
    };

    // The editors' tabs, in the order the window shows them.
    enum Tab { UsersTab = 0, GroupsTab = 1, DirectoryTab = 2 };
    QTabWidget* editorTabs() const { return editorTabs_; }

    Controller controller;
    Group group;
    Directory directory;
    DirectoryGroups directoryGroups;
    DirectoryAccess directoryAccess;
    ProtectionTester protectionTester;
    // The server check behind the status area's finding and its Fix….
    ServerCheckReport statusCheck;
    OpenFiles openFiles;

    UserEditor userEditor;
    GroupEditor groupEditor;
    DirectoryEditor directoryEditor;
    QtWindow window{this};

    // Tells the window's controllers that the window is built; Controller comes last, because its
    // start-up sequence may raise alerts that should find the rest of the window ready.
    void awakeFromNib();

    // Opens the server check report for the directory being edited.
    void showServerCheck();
    ServerCheckWindow* serverCheckWindow = nullptr;

    // The history of changes behind File › History… and Edit › Undo.
    HistoryController historyController;
    void showHistory();
    HistoryWindow* historyWindow = nullptr;
    QAction* undoAction = nullptr;
    // Names the change Undo would put back, or disables it when this run made none.
    void refreshUndo();

    // Redraws the directory editor's group and host tables, whose lists the editor replaces without
    // telling them.
    void refreshDirectoryTables();

  private:
    QWidget* buildUserEditor();
    QWidget* buildGroupEditor();
    QWidget* buildDirectoryEditor();
    void buildMenus(PreferencesController& preferences);
    void connectOutlets();

    QTabWidget* editorTabs_ = nullptr;
};

} // namespace keepgate::qt

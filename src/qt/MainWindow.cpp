#include "qt/MainWindow.h"

#include "app/ServerCheckReport.h"
#include "directory/DirectoryEditorWiring.h"
#include "qt/GeneratedPasswordDialog.h"
#include "qt/HistoryWindow.h"
#include "qt/ServerCheckWindow.h"
#include "qt/Translations.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/FileWatcher.h"
#include "platform/History.h"
#include "platform/SystemPaths.h"
#include "qt/QtString.h"
#include "qt/QtWindowSystem.h"
#include "qt/TablePlaceholder.h"
#include "app/ServerActions.h"
#include "services/ServerCheck.h"

namespace keepgate::qt {

namespace {

QLineEdit* makeField(const QString& placeholder, bool readOnly = true) {
    auto* edit = new QLineEdit;
    edit->setPlaceholderText(placeholder);
    edit->setReadOnly(readOnly);
    return edit;
}

QPushButton* makeButton(const QString& title, bool enabled) {
    auto* button = new QPushButton(title);
    button->setEnabled(enabled);
    button->setAutoDefault(false);
    return button;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets, int stretchIndex = -1) {
    auto* layout = new QHBoxLayout;
    int index = 0;
    for (QWidget* widget : widgets) {
        layout->addWidget(widget, index == stretchIndex ? 1 : 0);
        ++index;
    }
    return layout;
}

// A label whose Alt+letter mnemonic moves the focus to `field`, which a screen reader announces by `name`.
QLabel* labelFor(const QString& text, QWidget* field, const QString& name) {
    auto* label = new QLabel(text);
    label->setBuddy(field);
    field->setAccessibleName(name);
    return label;
}

// A list's name and a sentence on what it lists, for a screen reader.
void describe(QAbstractItemView* view, const QString& name, const QString& description) {
    view->setAccessibleName(name);
    view->setAccessibleDescription(description);
}

// Pressing Return in a field presses the button beside it, when that button is on.
void returnPresses(QLineEdit* field, QAbstractButton* button) {
    QObject::connect(field, &QLineEdit::returnPressed, button, [button] {
        if (button->isEnabled()) {
            button->click();
        }
    });
}

// Presses a button when one of some keys is pressed in the watched widget, if the button is on.
class KeyPressesButton : public QObject {
  public:
    KeyPressesButton(std::initializer_list<int> keys, QAbstractButton* button, QObject* parent)
        : QObject(parent), keys_(keys), button_(button) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() == Qt::NoModifier && keys_.contains(key->key()) && button_ &&
                button_->isEnabled()) {
                button_->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QList<int> keys_;
    QPointer<QAbstractButton> button_;
};

} // namespace

MainWindow::MainWindow(PreferencesController& preferences, QtWindowSystem* windowSystem, QWidget* parent)
    : QMainWindow(parent) {
    setWindowTitle(tr("Keepgate"));
    editorTabs_ = new QTabWidget;
    editorTabs_->addTab(buildUserEditor(), tr("Users"));
    editorTabs_->addTab(buildGroupEditor(), tr("Groups"));
    editorTabs_->addTab(buildDirectoryEditor(), tr("Directory Protection"));
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(editorTabs_);
    setCentralWidget(central);
    // The status line under the tabs, where every write and every protection test reports.
    statusBar()->setSizeGripEnabled(false);
    resize(760, 560);
    buildMenus(preferences);
    connectOutlets();
    if (windowSystem) {
        // The window system outlives this window, so the observer must not reach a destroyed one.
        windowSystem->addSheetObserver([window = QPointer<MainWindow>(this)] {
            if (window) {
                window->refreshDirectoryTables();
                window->openFiles.check();
            }
        });
    }
    openFiles.controller = &controller;
    openFiles.group = &group;
    openFiles.directory = &directory;
    openFiles.startWatching();
    controller.reopenGroupfile = [this](const std::string& path) { group.openEnd(1, {path}); };
    controller.reopenDirectory = [this](const std::string& path) {
        directory.doOpenDirectoryPanel(1, {path});
        refreshDirectoryTables();
    };
    historyController.window = &window;
    // A restored file is shown anew by every editor that has it open, and the protection it bears on is
    // tested against the server again.
    historyController.restored = [this](const std::string& path, const std::string& status) {
        const std::string loaded = directory.directoryField->stringValue();
        const bool bearsOnDirectory = !loaded.empty() && (path == directory.blockFilePath() ||
                                                          path == directory.userfileField->stringValue() ||
                                                          path == directory.groupfileField->stringValue());
        if (!loaded.empty() && path == directory.blockFilePath()) {
            directory.doOpenDirectoryPanel(1, {loaded});
            refreshDirectoryTables();
            openFiles.check(OpenFiles::Editor::Directory);
        } else {
            openFiles.check();
        }
        if (bearsOnDirectory && directory.protectionWritten) {
            directory.protectionWritten(loaded, status);
        }
    };
    platform::History::shared().setRecordedObserver([window = QPointer<MainWindow>(this)] {
        if (window) {
            window->refreshUndo();
            // An open History window shows each change as it is made.
            if (window->historyWindow && window->historyWindow->isVisible()) {
                window->historyController.reload();
            }
        }
    });
    platform::History::shared().setNoticeHandler(
        [](const std::string& notice) { ui::windowSystem().showStatus(notice); });
}

void MainWindow::showHistory() {
    if (!historyWindow) {
        historyWindow = new HistoryWindow(historyController, this);
    }
    historyWindow->showHistory();
}

void MainWindow::refreshUndo() {
    if (!undoAction) {
        return;
    }
    const auto last = platform::History::shared().lastOfThisRun();
    undoAction->setEnabled(last.has_value());
    undoAction->setText(last ? tr("Undo %1").arg(translatedMessage(last->action)) : tr("Undo"));
}

MainWindow::~MainWindow() {
    fileWatcher().changed = nullptr;
    ServerActions::setReloadObserver(nullptr);
    platform::History::shared().setRecordedObserver(nullptr);
    platform::History::shared().setNoticeHandler(nullptr);
    // The window points at the history controller, a member that goes before the window's children do.
    delete historyWindow;
    historyWindow = nullptr;
    // The views outlive nothing that points at them, but their models point at the controllers.
    userEditor.tableView->setDataSource(nullptr);
    groupEditor.outlineView->setDataSource(nullptr);
    directoryEditor.userfileView->setDataSource(nullptr);
    directoryEditor.groupfileView->setDataSource(nullptr);
    directoryEditor.accessView->setDataSource(nullptr);
}

QWidget* MainWindow::buildUserEditor() {
    auto* page = new QWidget;
    auto& e = userEditor;
    QLineEdit* userfile = makeField(tr("No user file chosen"));
    QLineEdit* username = makeField(tr("User name"));
    QLineEdit* password = makeField(tr("Password"));
    password->setEchoMode(QLineEdit::Password);
    auto* add = makeButton(tr("&Add User"), false);
    auto* remove = makeButton(tr("&Delete User"), false);
    e.chooseButton = makeButton(tr("Choose…"), true);
    e.newButton = makeButton(tr("New…"), true);
    // Both act on the selected user with the password typed in the password field.
    e.changePasswordButton = makeButton(tr("Change Pass&word…"), true);
    e.checkPasswordButton = makeButton(tr("Chec&k Password…"), true);
    TableColumn hashColumn{"hashkind", tr("Password")};
    hashColumn.showsMessages = true;
    e.tableView =
        std::make_unique<QtTableView>(std::vector<TableColumn>{{"username", tr("User name")}, hashColumn});
    e.tableView->widget()->setColumnWidth(0, 200);
    describe(e.tableView->widget(), tr("Users"),
             tr("The users of the user file, each with the kind of hash of its password"));
    // The filter narrows the list as one types; the core searches the names, so a million stay quick.
    QLineEdit* filter = makeField(tr("Filter users"), false);
    filter->setClearButtonEnabled(true);
    // The clear button Qt adds is a control of its own, which a screen reader must be able to name.
    for (auto* clear : filter->findChildren<QToolButton*>()) {
        clear->setAccessibleName(tr("Clear the filter"));
    }
    auto* filterLabel = labelFor(tr("Fi&lter:"), filter, tr("Filter users by name"));
    auto* weakOnly = new QCheckBox(tr("Sh&ow Weak"));
    weakOnly->setAccessibleName(tr("Show only users with weak passwords"));
    auto* health = new QLabel;
    health->setObjectName(QStringLiteral("hashHealth"));
    health->setWordWrap(true);
    health->setTextInteractionFlags(Qt::TextSelectableByMouse);
    health->setVisible(false);
    e.generateButton = makeButton(tr("&Generate"), true);
    e.generateButton->setAccessibleName(tr("Generate a password"));
    e.generateButton->setToolTip(tr("Puts a new random password of 20 characters into the password field"));

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(row(
        {labelFor(tr("&User file:"), userfile, tr("User file")), userfile, e.chooseButton, e.newButton}, 1));
    layout->addLayout(row({filterLabel, filter, weakOnly}, 1));
    layout->addWidget(labelFor(tr("User&s:"), e.tableView->widget(), tr("Users")));
    layout->addWidget(e.tableView->widget(), 1);
    layout->addWidget(health);
    layout->addLayout(row({labelFor(tr("User &name:"), username, tr("User name")), username,
                           labelFor(tr("&Password:"), password, tr("Password")), password, e.generateButton, add},
                          1));
    layout->addLayout(row({e.checkPasswordButton, e.changePasswordButton, remove}));
    layout->itemAt(layout->count() - 1)->layout()->setAlignment(Qt::AlignRight);
    returnPresses(username, add);
    returnPresses(password, add);
    // The delete key deletes the selected users, as the delete button does.
    e.tableView->widget()->installEventFilter(
        new KeyPressesButton({Qt::Key_Delete, Qt::Key_Backspace}, remove, page));
    auto* advice = new TablePlaceholder(e.tableView->widget(), [userfile] {
        return userfile->text().isEmpty() ? tr("No user file open — Choose… or New…") : QString();
    });
    connect(userfile, &QLineEdit::textChanged, advice, &TablePlaceholder::update);

    e.userfileField = std::make_unique<QtTextField>(userfile);
    e.usernameField = std::make_unique<QtTextField>(username);
    e.passwordField = std::make_unique<QtTextField>(password);
    e.adduserButton = std::make_unique<QtButton>(add);
    e.deleteuserButton = std::make_unique<QtButton>(remove);
    e.filterField = std::make_unique<QtTextField>(filter);
    e.weakOnlyButton = std::make_unique<QtButton>(weakOnly);
    e.hashHealthField = std::make_unique<QtLabelField>(health);
    return page;
}

QWidget* MainWindow::buildGroupEditor() {
    auto* page = new QWidget;
    auto& e = groupEditor;
    QLineEdit* groupfile = makeField(tr("No group file chosen"));
    QLineEdit* groupname = makeField(tr("Group name"));
    QLineEdit* username = makeField(tr("User name"));
    auto* popup = new QComboBox;
    popup->setEnabled(false);
    popup->setMinimumContentsLength(12);
    auto* addGroup = makeButton(tr("A&dd Group"), false);
    auto* addUser = makeButton(tr("&Add User"), false);
    auto* remove = makeButton(tr("Delete &Selected"), false);
    e.chooseButton = makeButton(tr("Choose…"), true);
    e.newButton = makeButton(tr("New…"), true);
    e.outlineView = std::make_unique<QtOutlineView>("TITLE", tr("Groups and their members"));
    describe(e.outlineView->widget(), tr("Groups"),
             tr("The groups of the group file, each with its members"));

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(row(
        {labelFor(tr("&Group file:"), groupfile, tr("Group file")), groupfile, e.chooseButton, e.newButton},
        1));
    layout->addWidget(labelFor(tr("Groups and their &members:"), e.outlineView->widget(), tr("Groups")));
    layout->addWidget(e.outlineView->widget(), 1);
    auto* form = new QGridLayout;
    form->addWidget(labelFor(tr("&New group:"), groupname, tr("New group")), 0, 0);
    form->addWidget(groupname, 0, 1, 1, 3);
    form->addWidget(addGroup, 0, 4);
    form->addWidget(labelFor(tr("&User:"), username, tr("User")), 1, 0);
    form->addWidget(username, 1, 1);
    form->addWidget(labelFor(tr("&to group"), popup, tr("Group to add the user to")), 1, 2);
    form->addWidget(popup, 1, 3);
    form->addWidget(addUser, 1, 4);
    form->setColumnStretch(1, 1);
    layout->addLayout(form);
    layout->addLayout(row({remove}));
    layout->itemAt(layout->count() - 1)->layout()->setAlignment(Qt::AlignRight);
    returnPresses(groupname, addGroup);
    returnPresses(username, addUser);

    // The delete key removes the selected groups and members, as the delete button does.
    e.outlineView->widget()->installEventFilter(
        new KeyPressesButton({Qt::Key_Delete, Qt::Key_Backspace}, remove, page));

    e.groupfileField = std::make_unique<QtTextField>(groupfile);
    e.groupnameField = std::make_unique<QtTextField>(groupname);
    e.usernameField = std::make_unique<QtTextField>(username);
    e.grouplistPopup = std::make_unique<QtPopUpButton>(popup);
    e.addgroupButton = std::make_unique<QtButton>(addGroup);
    e.adduserButton = std::make_unique<QtButton>(addUser);
    e.deleteusergroupButton = std::make_unique<QtButton>(remove);
    return page;
}

QWidget* MainWindow::buildDirectoryEditor() {
    auto* page = new QWidget;
    auto& e = directoryEditor;
    QLineEdit* directoryPath = makeField(tr("No directory chosen"));
    QLineEdit* authname = makeField(tr("Shown when the browser asks for a password"));
    QLineEdit* userfile = makeField(QString());
    QLineEdit* groupfile = makeField(QString());
    e.chooseButton = makeButton(tr("Choose…"), true);
    auto* selectUserfile = makeButton(tr("Choose…"), false);
    auto* selectGroupfile = makeButton(tr("Choose…"), false);
    auto* save = makeButton(tr("&Save Protection"), false);
    auto* remove = makeButton(tr("Remove Protection"), false);
    QLineEdit* address = makeField(tr("The address the server publishes the directory under"));
    auto* testProtection = makeButton(tr("&Test Protection"), false);
    auto* testProgress = new QProgressBar;
    testProgress->setMaximumWidth(120);
    testProgress->setAccessibleName(tr("Protection test progress"));
    auto* allUsers = new QCheckBox(tr("Admit e&very user of the user file"));
    auto* denyAll = new QCheckBox(tr("Deny all &other hosts"));
    auto* orderDeny = new QRadioButton(tr("De&ny rules first, then allow rules (deny,allow)"));
    auto* orderAllow = new QRadioButton(tr("Allo&w rules first, then deny rules (allow,deny)"));
    auto* orderGroup = new QButtonGroup(page);
    orderGroup->addButton(orderDeny);
    orderGroup->addButton(orderAllow);
    orderDeny->setChecked(true);
    auto* hostAnd = new QRadioButton(tr("A password and an admitted host are &both needed (and)"));
    auto* hostOr = new QRadioButton(tr("A password or an adm&itted host is enough (or)"));
    auto* joinGroup = new QButtonGroup(page);
    joinGroup->addButton(hostAnd);
    joinGroup->addButton(hostOr);
    hostAnd->setChecked(true);
    auto* useApache24 = makeButton(tr("Use Apache 2.4 rules"), false);
    auto* addRule = makeButton(tr("Add Rule"), false);
    auto* removeRule = makeButton(tr("Remove Rule"), false);
    for (QAbstractButton* button :
         std::initializer_list<QAbstractButton*>{allUsers, denyAll, orderDeny, orderAllow, hostAnd, hostOr}) {
        button->setEnabled(false);
    }

    e.userfileView = std::make_unique<QtTableView>(
        std::vector<TableColumn>{{"check", QString()}, {"username", tr("User")}});
    e.groupfileView = std::make_unique<QtTableView>(
        std::vector<TableColumn>{{"check", QString()}, {"groupname", tr("Group")}});
    e.accessView = std::make_unique<QtTableView>(
        std::vector<TableColumn>{{"denyallow",
                                  tr("Rule"),
                                  TableColumn::Editing::Choice,
                                  {QStringLiteral("Allow"), QStringLiteral("Deny")}},
                                 {"hostnameip", tr("Host name or IP address"), TableColumn::Editing::Text}});
    for (QtTableView* table : {e.userfileView.get(), e.groupfileView.get(), e.accessView.get()}) {
        table->widget()->setSelectionMode(QAbstractItemView::SingleSelection);
    }
    describe(e.userfileView->widget(), tr("Users of the user file"),
             tr("The users of the directory's user file; a ticked user is admitted"));
    describe(e.groupfileView->widget(), tr("Groups of the group file"),
             tr("The groups of the directory's group file; the members of a ticked group are admitted"));
    describe(e.accessView->widget(), tr("Host rules"),
             tr("The host rules, each allowing or denying a host name or IP address"));

    auto* subTabs = new QTabWidget;
    auto* usersPage = new QWidget;
    auto* usersLayout = new QVBoxLayout(usersPage);
    usersLayout->addWidget(allUsers);
    usersLayout->addWidget(
        labelFor(tr("Ti&ck the users to admit:"), e.userfileView->widget(), tr("Users of the user file")));
    usersLayout->addWidget(e.userfileView->widget(), 1);
    // Names admitted users whose passwords are stored readably; hidden while there are none.
    auto* plainText = new QLabel;
    plainText->setObjectName(QStringLiteral("plainTextNotice"));
    plainText->setAccessibleName(tr("Passwords stored as plain text"));
    plainText->setWordWrap(true);
    usersLayout->addWidget(plainText);
    subTabs->addTab(usersPage, tr("Users"));
    auto* groupsPage = new QWidget;
    auto* groupsLayout = new QVBoxLayout(groupsPage);
    groupsLayout->addWidget(labelFor(tr("&Members of the ticked groups are admitted."),
                                     e.groupfileView->widget(), tr("Groups of the group file")));
    groupsLayout->addWidget(e.groupfileView->widget(), 1);
    subTabs->addTab(groupsPage, tr("Groups"));
    auto* hostsPage = new QWidget;
    auto* hostsLayout = new QVBoxLayout(hostsPage);
    hostsLayout->addWidget(orderDeny);
    hostsLayout->addWidget(orderAllow);
    hostsLayout->addWidget(denyAll);
    hostsLayout->addWidget(hostAnd);
    hostsLayout->addWidget(hostOr);
    hostsLayout->addWidget(labelFor(tr("Host ru&les:"), e.accessView->widget(), tr("Host rules")));
    hostsLayout->addWidget(e.accessView->widget(), 1);
    hostsLayout->addLayout(row({addRule, removeRule, useApache24}));
    hostsLayout->itemAt(hostsLayout->count() - 1)->layout()->setAlignment(Qt::AlignLeft);
    subTabs->addTab(hostsPage, tr("Hosts"));

    auto* form = new QGridLayout;
    form->addWidget(labelFor(tr("&Directory:"), directoryPath, tr("Directory")), 0, 0);
    form->addWidget(directoryPath, 0, 1);
    form->addWidget(e.chooseButton, 0, 2);
    form->addWidget(labelFor(tr("&Address:"), address, tr("Address")), 1, 0);
    form->addLayout(row({address, testProgress}, 0), 1, 1);
    form->addWidget(testProtection, 1, 2);
    form->addWidget(labelFor(tr("&Realm name:"), authname, tr("Realm name")), 2, 0);
    form->addWidget(authname, 2, 1, 1, 2);
    form->addWidget(labelFor(tr("&User file:"), userfile, tr("User file")), 3, 0);
    form->addWidget(userfile, 3, 1);
    form->addWidget(selectUserfile, 3, 2);
    form->addWidget(labelFor(tr("&Group file:"), groupfile, tr("Group file")), 4, 0);
    form->addWidget(groupfile, 4, 1);
    form->addWidget(selectGroupfile, 4, 2);
    form->setColumnStretch(1, 1);

    // Where protection stands: the newest verdict with its cause, selectable so it can be copied, and
    // wrapped so nothing is cut off at any width.
    auto* statusBox = new QGroupBox(tr("Protection status"));
    statusBox->setObjectName(QStringLiteral("protectionStatus"));
    auto* verdict = new QLabel;
    verdict->setObjectName(QStringLiteral("verdictLabel"));
    verdict->setWordWrap(true);
    verdict->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    verdict->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    verdict->setMinimumWidth(200);
    auto* fix = makeButton(tr("Fix…"), false);
    fix->setObjectName(QStringLiteral("fixButton"));
    auto* testAgain = makeButton(tr("Test Again"), false);
    testAgain->setObjectName(QStringLiteral("testAgainButton"));
    auto* statusLayout = new QHBoxLayout(statusBox);
    statusLayout->addWidget(verdict, 1);
    auto* statusButtons = new QVBoxLayout;
    statusButtons->addWidget(testAgain);
    statusButtons->addWidget(fix);
    statusButtons->addStretch(1);
    statusLayout->addLayout(statusButtons);

    // Lines of the loaded block that the editor keeps as written, above the tabs; hidden when there are none.
    auto* kept = new QLabel;
    kept->setObjectName(QStringLiteral("keptStrip"));
    kept->setFrameShape(QFrame::StyledPanel);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(statusBox);
    layout->addWidget(kept);
    layout->addWidget(subTabs, 1);
    auto* checkServer = new QPushButton(tr("Chec&k Server"));
    checkServer->setObjectName(QStringLiteral("checkServerButton"));
    connect(checkServer, &QPushButton::clicked, this, [this] { showServerCheck(); });
    auto* buttons = row({checkServer, remove, save});
    buttons->insertStretch(1, 1);
    layout->addLayout(buttons);
    // Return in the realm name saves, as the form's main action.
    returnPresses(authname, save);

    e.directoryField = std::make_unique<QtTextField>(directoryPath);
    e.authnameField = std::make_unique<QtTextField>(authname);
    e.userfileField = std::make_unique<QtTextField>(userfile);
    e.groupfileField = std::make_unique<QtTextField>(groupfile);
    e.selectUserfileButton = std::make_unique<QtButton>(selectUserfile);
    e.selectGroupfileButton = std::make_unique<QtButton>(selectGroupfile);
    e.saveProtectionButton = std::make_unique<QtButton>(save);
    e.removeProtectionButton = std::make_unique<QtButton>(remove);
    e.allusersCB = std::make_unique<QtButton>(allUsers);
    e.denyAllOthersCB = std::make_unique<QtButton>(denyAll);
    e.orderDenyRB = std::make_unique<QtButton>(orderDeny);
    e.orderAllowRB = std::make_unique<QtButton>(orderAllow);
    e.addAccessBT = std::make_unique<QtButton>(addRule);
    e.removeAccessBT = std::make_unique<QtButton>(removeRule);
    e.hostAndRB = std::make_unique<QtButton>(hostAnd);
    e.hostOrRB = std::make_unique<QtButton>(hostOr);
    e.useApache24BT = std::make_unique<QtButton>(useApache24);
    e.subTabs = std::make_unique<QtTabView>(subTabs);
    e.addressField = std::make_unique<QtTextField>(address);
    e.testProtectionButton = std::make_unique<QtButton>(testProtection);
    e.testProgress = std::make_unique<QtProgressIndicator>(testProgress);
    e.keptField = std::make_unique<QtLabelField>(kept);
    e.plainTextField = std::make_unique<QtLabelField>(plainText);
    e.verdictField = std::make_unique<QtLabelField>(verdict);
    // Tab stops at the verdict (a selectable label takes only clicks), so a screen reader reads the result.
    verdict->setFocusPolicy(Qt::StrongFocus);
    e.fixButton = std::make_unique<QtButton>(fix);
    e.testAgainButton = std::make_unique<QtButton>(testAgain);
    return page;
}

void MainWindow::showServerCheck() {
    if (!serverCheckWindow) {
        serverCheckWindow = new ServerCheckWindow(this);
        serverCheckWindow->report.parent = &window;
        serverCheckWindow->report.directory = &directory;
        serverCheckWindow->report.controller = &controller;
    }
    serverCheckWindow->showReport();
}

void MainWindow::connectOutlets() {
    {
        auto& e = userEditor;
        Controller& c = controller;
        c.mainWindow = &window;
        c.passwordField = e.passwordField.get();
        c.usernameField = e.usernameField.get();
        c.userfileField = e.userfileField.get();
        c.adduserButton = e.adduserButton.get();
        c.deleteuserButton = e.deleteuserButton.get();
        c.tableView = e.tableView.get();
        c.filterField = e.filterField.get();
        c.weakOnlyButton = e.weakOnlyButton.get();
        c.hashHealthField = e.hashHealthField.get();
        e.tableView->setDataSource(&c);
        connect(e.filterField->widget(), &QLineEdit::textChanged, this, [&c] { c.filterUsers(); });
        connect(e.weakOnlyButton->widget(), &QAbstractButton::toggled, this, [&c] { c.filterUsers(); });
        connect(e.generateButton, &QPushButton::clicked, this, [&c] { c.generatePassword(); });
        c.showGeneratedPassword = [this](const std::string& password) {
            (new GeneratedPasswordDialog(QString::fromStdString(password), this))->open();
        };
        connect(e.chooseButton, &QPushButton::clicked, this, [&c] { c.selectUserfile(); });
        connect(e.newButton, &QPushButton::clicked, this, [&c] { c.newUserfile(); });
        connect(e.adduserButton->widget(), &QAbstractButton::clicked, this, [this, &c] {
            c.addUser();
            openFiles.check(OpenFiles::Editor::Users);
        });
        connect(e.deleteuserButton->widget(), &QAbstractButton::clicked, this, [&c] { c.deleteUser(); });
        connect(e.changePasswordButton, &QPushButton::clicked, this, [this, &c] {
            c.changePassword();
            openFiles.check(OpenFiles::Editor::Users);
        });
        connect(e.checkPasswordButton, &QPushButton::clicked, this, [&c] { c.checkPassword(); });
    }
    {
        auto& e = groupEditor;
        Group& g = group;
        g.mainWindow = &window;
        g.groupfileField = e.groupfileField.get();
        g.groupnameField = e.groupnameField.get();
        g.usernameField = e.usernameField.get();
        g.grouplistPopup = e.grouplistPopup.get();
        g.addgroupButton = e.addgroupButton.get();
        g.adduserButton = e.adduserButton.get();
        g.deleteusergroupButton = e.deleteusergroupButton.get();
        g.outlineView = e.outlineView.get();
        e.outlineView->setDataSource(&g);
        connect(e.chooseButton, &QPushButton::clicked, this, [&g] { g.selectFile(); });
        connect(e.newButton, &QPushButton::clicked, this, [&g] { g.newFile(); });
        connect(e.addgroupButton->widget(), &QAbstractButton::clicked, this, [this, &g] {
            g.addGroup();
            openFiles.check(OpenFiles::Editor::Groups);
        });
        connect(e.adduserButton->widget(), &QAbstractButton::clicked, this, [this, &g] {
            g.addUser();
            openFiles.check(OpenFiles::Editor::Groups);
        });
        connect(e.deleteusergroupButton->widget(), &QAbstractButton::clicked, this,
                [&g] { g.deleteGroup(); });
    }
    {
        auto& e = directoryEditor;
        Directory& d = directory;
        d.mainWindow = &window;
        d.directoryField = e.directoryField.get();
        d.authnameField = e.authnameField.get();
        d.userfileField = e.userfileField.get();
        d.groupfileField = e.groupfileField.get();
        d.userfileView = e.userfileView.get();
        d.selectUserfileButton = e.selectUserfileButton.get();
        d.selectGroupfileButton = e.selectGroupfileButton.get();
        d.saveProtectionButton = e.saveProtectionButton.get();
        d.removeProtectionButton = e.removeProtectionButton.get();
        d.allusersCB = e.allusersCB.get();
        d.subTabs = e.subTabs.get();
        d.denyAllOthersCB = e.denyAllOthersCB.get();
        d.orderDenyRB = e.orderDenyRB.get();
        d.orderAllowRB = e.orderAllowRB.get();
        d.addAccessBT = e.addAccessBT.get();
        d.removeAccessBT = e.removeAccessBT.get();
        d.hostAndRB = e.hostAndRB.get();
        d.hostOrRB = e.hostOrRB.get();
        d.useApache24BT = e.useApache24BT.get();
        d.keptField = e.keptField.get();
        d.plainTextField = e.plainTextField.get();
        directoryGroups.mainWindow = &window;
        directoryGroups.groupfileView = e.groupfileView.get();
        directoryAccess.mainWindow = &window;
        directoryAccess.accessView = e.accessView.get();

        // Every action of the editor may replace the class-level group and host lists.
        auto act = [this](auto action) {
            return [this, action] {
                // A host cell still being edited is stored first (push buttons do not take the focus
                // on every platform, so the editor would otherwise stay open with the new text).
                if (QWidget* focused = QApplication::focusWidget()) {
                    focused->clearFocus();
                }
                action();
                refreshDirectoryTables();
                openFiles.check(OpenFiles::Editor::Directory);
            };
        };
        connect(e.chooseButton, &QPushButton::clicked, this, act([&d] { d.selectDirectory(); }));
        connect(e.selectUserfileButton->widget(), &QAbstractButton::clicked, this,
                act([&d] { d.selectUserfile(); }));
        connect(e.selectGroupfileButton->widget(), &QAbstractButton::clicked, this,
                act([&d] { d.selectGroupfile(); }));
        connect(e.saveProtectionButton->widget(), &QAbstractButton::clicked, this,
                act([&d] { d.saveProtection(); }));
        connect(e.removeProtectionButton->widget(), &QAbstractButton::clicked, this,
                act([&d] { d.removeProtection(); }));
        connect(e.allusersCB->widget(), &QAbstractButton::clicked, this, [&d] { d.checkAllusers(); });
        connect(e.useApache24BT->widget(), &QAbstractButton::clicked, this,
                act([&d] { d.useApache24Rules(); }));
        connect(e.addAccessBT->widget(), &QAbstractButton::clicked, this,
                [this] { directoryAccess.addRecord(); });
        connect(e.removeAccessBT->widget(), &QAbstractButton::clicked, this,
                [this] { directoryAccess.removeRecord(); });

        ProtectionTester& t = protectionTester;
        t.mainWindow = &window;
        t.addressField = e.addressField.get();
        t.testProtectionButton = e.testProtectionButton.get();
        t.testProgress = e.testProgress.get();
        wireDirectoryEditor(d, directoryGroups, directoryAccess, t);
        t.verdictField = e.verdictField.get();
        t.fixButton = e.fixButton.get();
        t.testAgainButton = e.testAgainButton.get();
        statusCheck.parent = &window;
        statusCheck.directory = &d;
        statusCheck.controller = &controller;
        t.serverFinding = [this]() -> std::optional<ProtectionTester::ServerFinding> {
            if (!systemPaths().serverDetected) {
                return std::nullopt;
            }
            // Not refresh(): its change notice is kept for the fix, which tests again.
            const auto subject = ServerCheckReport::subjectOf(&directory);
            statusCheck.findings = ServerCheck::run(
                ServerProfile::current(), subject.directory, subject.accessFileMode, subject.userfile,
                subject.groupfile, subject.needsGroups, subject.needsHostRules, subject.sharedConfigFile);
            for (const auto& finding : statusCheck.findings) {
                if (finding.fixable) {
                    return ProtectionTester::ServerFinding{finding.message, true};
                }
            }
            if (statusCheck.findings.empty()) {
                return std::nullopt;
            }
            return ProtectionTester::ServerFinding{statusCheck.findings.front().message, false};
        };
        // A fix is asked for first; once made, the server is tested again.
        statusCheck.changed = [&t] { t.serverChanged(); };
        connect(e.fixButton->widget(), &QAbstractButton::clicked, this, [this] {
            for (std::size_t i = 0; i < statusCheck.findings.size(); ++i) {
                if (statusCheck.findings[i].fixable) {
                    statusCheck.fix(i);
                    return;
                }
            }
        });
        connect(e.testAgainButton->widget(), &QAbstractButton::clicked, this, [&t] { t.testAgain(); });
        d.fixServer = [this] { statusCheck.fixAll(); };
        ServerActions::setReloadObserver([window = QPointer<MainWindow>(this)] {
            if (window) {
                window->protectionTester.serverChanged();
            }
        });
        connect(e.testProtectionButton->widget(), &QAbstractButton::clicked, this,
                [&t] { t.testProtection(); });
        connect(e.addressField->widget(), &QLineEdit::editingFinished, this, [&t] { t.addressEdited(); });
    }
}

void MainWindow::refreshDirectoryTables() {
    directoryEditor.groupfileView->reloadData();
    directoryEditor.accessView->reloadData();
}

void MainWindow::awakeFromNib() {
    group.awakeFromNib();
    directory.awakeFromNib();
    directoryGroups.awakeFromNib();
    directoryAccess.awakeFromNib();
    controller.awakeFromNib();
}

} // namespace keepgate::qt

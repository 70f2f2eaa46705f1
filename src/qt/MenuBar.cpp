// The main window's menus and keyboard shortcuts.
#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

#include "qt/AboutDialog.h"
#include "qt/MainWindow.h"

namespace keepgate::qt {

void MainWindow::buildMenus(PreferencesController& preferences) {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    // Open and New act in the editor in front, as its own Choose… and New… buttons do.
    QAction* open = file->addAction(tr("Open…"), this, [this] {
        QPushButton* choose[] = {userEditor.chooseButton, groupEditor.chooseButton,
                                 directoryEditor.chooseButton};
        const int tab = editorTabs_->currentIndex();
        if (tab >= 0 && tab < 3 && choose[tab]->isEnabled()) {
            choose[tab]->click();
        }
    });
    open->setObjectName(QStringLiteral("openAction"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction* create = file->addAction(tr("New…"), this, [this] {
        QPushButton* newButtons[] = {userEditor.newButton, groupEditor.newButton};
        const int tab = editorTabs_->currentIndex();
        if (tab >= 0 && tab < 2 && newButtons[tab]->isEnabled()) {
            newButtons[tab]->click();
        }
    });
    create->setObjectName(QStringLiteral("newAction"));
    create->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction* history = file->addAction(tr("History…"), this, [this] { showHistory(); });
    history->setObjectName(QStringLiteral("historyAction"));
    // The directory editor has nothing to create.
    connect(editorTabs_, &QTabWidget::currentChanged, create,
            [create](int tab) { create->setEnabled(tab < 2); });
    file->addSeparator();
    QAction* prefs = file->addAction(tr("Preferences…"), this, [&preferences] { preferences.showWindow(); });
    prefs->setObjectName(QStringLiteral("preferencesAction"));
    prefs->setMenuRole(QAction::PreferencesRole);
    prefs->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    file->addSeparator();
    // Closing every window first lets each one keep what it remembers (the main window its geometry).
    QAction* quit = file->addAction(tr("Quit"), qApp, [] {
        QApplication::closeAllWindows();
        QApplication::quit();
    });
    quit->setObjectName(QStringLiteral("quitAction"));
    quit->setMenuRole(QAction::QuitRole);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    undoAction = edit->addAction(tr("Undo"), this, [this] { historyController.undo(); });
    undoAction->setObjectName(QStringLiteral("undoAction"));
    undoAction->setShortcut(QKeySequence::Undo);
    connect(edit, &QMenu::aboutToShow, this, [this] { refreshUndo(); });
    refreshUndo();

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    QAction* readMe = help->addAction(tr("Keepgate ReadMe"), this, [this] { controller.openReadMe(); });
    readMe->setObjectName(QStringLiteral("readMeAction"));
    readMe->setShortcut(QKeySequence(Qt::Key_F1));
    QAction* update =
        help->addAction(tr("Check for Updates…"), this, [this] { controller.checkForUpdate(); });
    update->setMenuRole(QAction::ApplicationSpecificRole);
    help->addAction(tr("Check Server…"), this, [this] { showServerCheck(); });
    help->addSeparator();
    QAction* about = help->addAction(tr("About Keepgate"), this, [this] {
        auto* dialog = findChild<AboutDialog*>();
        if (!dialog) {
            dialog = new AboutDialog(this);
        }
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    });
    about->setObjectName(QStringLiteral("aboutAction"));
    about->setMenuRole(QAction::AboutRole);
}

} // namespace keepgate::qt

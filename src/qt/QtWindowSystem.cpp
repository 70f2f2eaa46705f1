#include "qt/QtWindowSystem.h"

#include <algorithm>

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBrowser>
#include <QThreadPool>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/Install.h"
#include "platform/ResourcePaths.h"
#include "qt/QtString.h"
#include "qt/QtWindow.h"

namespace keepgate::qt {

namespace {

std::vector<std::string> toPaths(const QStringList& files) {
    std::vector<std::string> paths;
    for (const QString& file : files) {
        paths.push_back(fromQString(file));
    }
    return paths;
}

// A message box with the alert's texts: the default button first, the alternate one (if any) as escape.
QMessageBox* makeAlert(const ui::AlertSpec& alert, QMessageBox::Icon icon, QWidget* parent,
                       QAbstractButton** defaultButton) {
    auto* box = new QMessageBox(parent);
    box->setIcon(icon);
    box->setWindowTitle(toQString(alert.title));
    box->setText(toQString(alert.title));
    box->setInformativeText(toQString(alert.message));
    box->setTextFormat(Qt::PlainText);
    // Messages carry file names, user names and fetched text: every label of the box shows them as plain
    // text, so markup is never rendered and no link can be followed. The informative label is made by
    // setInformativeText with automatic format and external links on, so it is set here too.
    for (QLabel* label : box->findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
        label->setOpenExternalLinks(false);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    QPushButton* ok = box->addButton(toQString(alert.defaultButton.empty() ? "OK" : alert.defaultButton),
                                     QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    if (!alert.alternateButton.empty()) {
        QPushButton* alternate = box->addButton(toQString(alert.alternateButton), QMessageBox::RejectRole);
        box->setEscapeButton(alternate);
        // Return must never confirm a deletion by accident.
        if (alert.destructive) {
            box->setDefaultButton(alternate);
        }
    } else {
        box->setEscapeButton(ok);
    }
    if (!alert.otherButton.empty()) {
        QPushButton* other = box->addButton(toQString(alert.otherButton), QMessageBox::ActionRole);
        other->setObjectName(QStringLiteral("otherButton"));
    }
    *defaultButton = ok;
    return box;
}

// The answer of a finished alert; closed without a button (the title bar), it counts as its escape button.
int answerOf(QMessageBox* box, QAbstractButton* defaultButton) {
    QAbstractButton* clicked = box->clickedButton();
    if (clicked && clicked->objectName() == QStringLiteral("otherButton")) {
        return -1;
    }
    return (clicked ? clicked : box->escapeButton()) == defaultButton ? 1 : 0;
}

QMessageBox::Icon iconFor(const ui::AlertSpec& alert) {
    return alert.alternateButton.empty() && alert.title != "Error!" ? QMessageBox::Information
                                                                    : QMessageBox::Warning;
}

} // namespace

QWidget* QtWindowSystem::widgetOf(ui::Window* window) {
    auto* qtWindow = dynamic_cast<QtWindow*>(window);
    return qtWindow ? qtWindow->widget() : nullptr;
}

void QtWindowSystem::ended() {
    for (const auto& observer : observers_) {
        observer();
    }
}

void QtWindowSystem::openPanel(QFileDialog* dialog, const std::string& proposedFile, ui::Window* parent,
                               ui::PanelHandler handler) {
    if (!proposedFile.empty()) {
        dialog->selectFile(toQString(proposedFile));
    }
    dialog->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    QObject::connect(dialog, &QDialog::finished, dialog, [this, dialog, handler](int result) {
        const bool ok = result == QDialog::Accepted;
        if (handler) {
            handler(ok ? 1 : 0, ok ? toPaths(dialog->selectedFiles()) : std::vector<std::string>{});
        }
        ended();
    });
    dialog->open();
}

void QtWindowSystem::beginOpenPanel(const ui::OpenPanelOptions& options, ui::Window* parent,
                                    ui::PanelHandler handler) {
    auto* dialog = new QFileDialog(widgetOf(parent),
                                   options.title.empty() ? QApplication::translate("QtWindowSystem", "Open")
                                                         : toQString(options.title),
                                   toQString(options.directory));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    if (options.canChooseDirectories && !options.canChooseFiles) {
        dialog->setFileMode(QFileDialog::Directory);
        dialog->setOption(QFileDialog::ShowDirsOnly);
        if (options.title.empty()) {
            dialog->setWindowTitle(QApplication::translate("QtWindowSystem", "Choose a Directory"));
        }
    } else {
        dialog->setFileMode(options.allowsMultipleSelection ? QFileDialog::ExistingFiles
                                                            : QFileDialog::ExistingFile);
    }
    openPanel(dialog, options.file, parent, std::move(handler));
}

void QtWindowSystem::beginSavePanel(const ui::SavePanelOptions& options, ui::Window* parent,
                                    ui::PanelHandler handler) {
    auto* dialog =
        new QFileDialog(widgetOf(parent),
                        options.title.empty() ? QApplication::translate("QtWindowSystem", "New File")
                                              : toQString(options.title),
                        toQString(options.directory));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !options.confirmReplace);
    openPanel(dialog, options.file, parent, std::move(handler));
}

void QtWindowSystem::beginAlertSheet(const ui::AlertSpec& alert, ui::Window* parent,
                                     ui::AlertHandler handler) {
    QWidget* parentWidget = widgetOf(parent);
    QAbstractButton* defaultButton = nullptr;
    QMessageBox* box = makeAlert(alert, iconFor(alert), parentWidget, &defaultButton);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QDialog::finished, box, [this, box, defaultButton, handler](int) {
        if (handler) {
            handler(answerOf(box, defaultButton));
        }
        ended();
    });
    if (parentWidget) {
        box->setWindowModality(Qt::WindowModal);
        box->open();
    } else {
        // A free-standing alert: it waits for its answer without holding up the caller.
        box->setWindowModality(Qt::ApplicationModal);
        box->show();
    }
}

int QtWindowSystem::runAlertPanel(const ui::AlertSpec& alert) {
    QAbstractButton* defaultButton = nullptr;
    QMessageBox* box = makeAlert(alert, QMessageBox::Warning, QApplication::activeWindow(), &defaultButton);
    box->exec();
    const int answer = answerOf(box, defaultButton);
    delete box;
    return answer;
}

int QtWindowSystem::runInformationalAlertPanel(const ui::AlertSpec& alert) {
    QAbstractButton* defaultButton = nullptr;
    QMessageBox* box =
        makeAlert(alert, QMessageBox::Information, QApplication::activeWindow(), &defaultButton);
    box->exec();
    const int answer = answerOf(box, defaultButton);
    delete box;
    return answer;
}

void QtWindowSystem::beep() {
    QApplication::beep();
}

bool QtWindowSystem::openURL(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(toQString(url), QUrl::StrictMode));
}

bool QtWindowSystem::openFile(const std::string& path, const std::string& application) {
#ifdef Q_OS_MACOS
    // `open -a` finds the named application wherever it is installed.
    if (!application.empty() &&
        QProcess::execute(QStringLiteral("/usr/bin/open"),
                          {QStringLiteral("-a"), toQString(application), toQString(path)}) == 0) {
        return true;
    }
#else
    (void)application;
#endif
    return QDesktopServices::openUrl(QUrl::fromLocalFile(toQString(path)));
}

void QtWindowSystem::showStatus(const std::string& message) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<QMainWindow*>(widget)) {
            window->statusBar()->showMessage(toQString(message));
        }
    }
}

void QtWindowSystem::beginCredentialSheet(const ui::CredentialSpec& sheet, ui::Window* parent,
                                          ui::CredentialHandler handler) {
    QWidget* parentWidget = widgetOf(parent);
    auto* dialog = new QDialog(parentWidget);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(toQString(sheet.title));
    auto* layout = new QFormLayout(dialog);
    auto* message = new QLabel(toQString(sheet.message));
    message->setWordWrap(true);
    message->setTextFormat(Qt::PlainText);
    layout->addRow(message);
    auto* username = new QLineEdit(toQString(sheet.username));
    username->setObjectName(QStringLiteral("credentialUsername"));
    auto* password = new QLineEdit;
    password->setObjectName(QStringLiteral("credentialPassword"));
    password->setEchoMode(QLineEdit::Password);
    username->setAccessibleName(QApplication::translate("QtWindowSystem", "User name"));
    password->setAccessibleName(QApplication::translate("QtWindowSystem", "Password"));
    layout->addRow(QApplication::translate("QtWindowSystem", "&User name:"), username);
    layout->addRow(QApplication::translate("QtWindowSystem", "&Password:"), password);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(toQString(sheet.defaultButton), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(toQString(sheet.alternateButton), QDialogButtonBox::RejectRole);
    layout->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QObject::connect(dialog, &QDialog::finished, dialog, [this, username, password, handler](int result) {
        const bool ok = result == QDialog::Accepted;
        std::string typed = ok ? fromQString(password->text()) : std::string();
        // The typed password leaves the widget as soon as it has been handed on.
        password->clear();
        if (handler) {
            handler(ok ? 1 : 0, ok ? fromQString(username->text()) : std::string(), typed);
        }
        std::fill(typed.begin(), typed.end(), '\0');
        ended();
    });
    dialog->setWindowModality(parentWidget ? Qt::WindowModal : Qt::ApplicationModal);
    dialog->open();
    (sheet.username.empty() ? username : password)->setFocus(Qt::OtherFocusReason);
}

void QtWindowSystem::runInBackground(std::function<void()> work, std::function<void()> completion) {
    QThreadPool::globalInstance()->start([work = std::move(work), completion = std::move(completion)] {
        work();
        if (QCoreApplication* application = QCoreApplication::instance()) {
            QMetaObject::invokeMethod(application, completion, Qt::QueuedConnection);
        }
    });
}

bool QtWindowSystem::showHelp(const std::string& path) {
    if (!QFileInfo(toQString(path)).isReadable()) {
        return false;
    }
    static QPointer<QDialog> window;
    if (!window) {
        window = new QDialog(nullptr, Qt::Window);
        window->setObjectName(QStringLiteral("helpWindow"));
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->setWindowTitle(QCoreApplication::translate("Keepgate", "Keepgate Help"));
        auto* browser = new QTextBrowser(window);
        browser->setObjectName(QStringLiteral("helpBrowser"));
        browser->setOpenExternalLinks(true);
        browser->setAccessibleName(QCoreApplication::translate("Keepgate", "Keepgate Help"));
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        window->resize(640, 560);
    }
    auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
    browser->setSource(QUrl::fromLocalFile(toQString(path)));
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

std::optional<std::string> QtWindowSystem::pathForResource(const std::string& name, const std::string& type) {
    return platform::findResource(platform::resourceFolders(platform::executableDirectory()),
                                  type.empty() ? name : name + "." + type);
}

} // namespace keepgate::qt

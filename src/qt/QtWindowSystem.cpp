#include "qt/QtWindowSystem.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

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
    *defaultButton = ok;
    return box;
}

// The answer of a finished alert; closed without a button (the title bar), it counts as its escape button.
int answerOf(QMessageBox* box, QAbstractButton* defaultButton) {
    QAbstractButton* clicked = box->clickedButton();
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

std::optional<std::string> QtWindowSystem::pathForResource(const std::string& name, const std::string& type) {
    return platform::findResource(platform::resourceFolders(platform::executableDirectory()),
                                  type.empty() ? name : name + "." + type);
}

} // namespace keepgate::qt

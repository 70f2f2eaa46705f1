#include "qt/ServerCheckWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <vector>

#include "qt/QtString.h"

namespace keepgate::qt {

namespace {

// Findings quote paths and server messages: they are shown as text, never as markup.
QLabel* plainLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

ServerCheckWindow::ServerCheckWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("serverCheckWindow"));
    setWindowTitle(tr("Server Check"));
    auto* layout = new QVBoxLayout(this);
    findingsLayout_ = new QVBoxLayout;
    layout->addLayout(findingsLayout_);
    layout->addStretch(1);
    auto* bar = new QProgressBar;
    busy_ = std::make_unique<QtProgressIndicator>(bar);
    report.busy = busy_.get();
    layout->addWidget(bar);
    bar->setAccessibleName(tr("Server check progress"));
    auto* again = againButton_ = new QPushButton(tr("Check &Again"));
    auto* close = closeButton_ = new QPushButton(tr("&Close"));
    // Return closes the report unless a Fix… button has the focus.
    close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(again);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(again, &QPushButton::clicked, this, [this] { checkAgain(); });
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    report.changed = [this] { rebuild(); };
    resize(620, 320);
}

void ServerCheckWindow::showReport() {
    checkAgain();
    show();
    raise();
    activateWindow();
}

namespace {

// A fix button's own click may lead here, so its widgets go once control is back in the event loop.
void discard(QLayoutItem* item) {
    if (QLayout* row = item->layout()) {
        while (QLayoutItem* inner = row->takeAt(0)) {
            discard(inner);
        }
    }
    if (QWidget* widget = item->widget()) {
        widget->hide();
        widget->deleteLater();
    }
    delete item;
}

} // namespace

void ServerCheckWindow::checkAgain() {
    report.refresh();
    while (QLayoutItem* item = findingsLayout_->takeAt(0)) {
        discard(item);
    }
    findingsLayout_->addWidget(plainLabel(QStringLiteral("Reading the web server's configuration…")));
}

void ServerCheckWindow::rebuild() {
    while (QLayoutItem* item = findingsLayout_->takeAt(0)) {
        discard(item);
    }
    const auto subject = ServerCheckReport::subjectOf(report.directory);
    const QString what =
        subject.directory.empty() ? QStringLiteral("the web server") : toQString(subject.directory);
    findingsLayout_->addWidget(plainLabel(
        report.findings.empty() ? QStringLiteral("Nothing stands in the way of protecting %1.").arg(what)
                                : QStringLiteral("What stands in the way of protecting %1:").arg(what)));
    // The Fix… buttons come after Check Again in the making but stand above it on the screen.
    std::vector<QWidget*> tabOrder;
    for (std::size_t i = 0; i < report.findings.size(); ++i) {
        const Finding& finding = report.findings[i];
        auto* row = new QHBoxLayout;
        row->addWidget(plainLabel(toQString(finding.message)), 1);
        if (finding.fixable) {
            auto* fix = new QPushButton(QStringLiteral("Fix…"));
            fix->setObjectName(QStringLiteral("fix%1").arg(i));
            // Every finding has its own Fix… button: a screen reader tells them apart by the finding.
            fix->setAccessibleDescription(toQString(finding.message));
            connect(fix, &QPushButton::clicked, this, [this, i] { report.fix(i); });
            row->addWidget(fix, 0, Qt::AlignTop);
            tabOrder.push_back(fix);
        }
        findingsLayout_->addLayout(row);
    }
    tabOrder.push_back(againButton_);
    tabOrder.push_back(closeButton_);
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
}

} // namespace keepgate::qt

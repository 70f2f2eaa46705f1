#include "qt/GeneratedPasswordDialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace keepgate::qt {

GeneratedPasswordDialog::GeneratedPasswordDialog(const QString& password, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Generated Password"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* explanation = new QLabel(tr("The password field now holds this password. Keepgate keeps only its "
                                      "hash, so note the password now: it is not shown again."));
    explanation->setWordWrap(true);
    passwordEdit = new QLineEdit(password);
    passwordEdit->setReadOnly(true);
    passwordEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    passwordEdit->setAccessibleName(tr("Generated password"));
    auto* label = new QLabel(tr("&Password:"));
    label->setBuddy(passwordEdit);
    copyButton = new QPushButton(tr("&Copy"));
    copyButton->setAccessibleName(tr("Copy the password to the clipboard"));
    copyButton->setAutoDefault(false);
    connect(copyButton, &QPushButton::clicked, this, [this] {
        QGuiApplication::clipboard()->setText(passwordEdit->text());
        copyButton->setText(tr("Copied"));
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(tr("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(passwordEdit, 1);
    row->addWidget(copyButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(row);
    layout->addWidget(buttons);
    resize(460, sizeHint().height());
}

GeneratedPasswordDialog::~GeneratedPasswordDialog() {
    // The line edit's undo history holds no copy: it was set once and read-only since.
    passwordEdit->clear();
}

} // namespace keepgate::qt

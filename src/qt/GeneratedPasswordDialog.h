#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace keepgate::qt {

// Shows a generated password once, with a button that copies it to the clipboard. The text is wiped
// when the dialog closes, and the dialog deletes itself, so the password lives no longer than it is shown.
class GeneratedPasswordDialog : public QDialog {
    Q_OBJECT
  public:
    GeneratedPasswordDialog(const QString& password, QWidget* parent = nullptr);
    ~GeneratedPasswordDialog() override;

    QLineEdit* passwordEdit = nullptr;
    QPushButton* copyButton = nullptr;
};

} // namespace keepgate::qt

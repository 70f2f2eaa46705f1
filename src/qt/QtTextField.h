#pragma once

#include <QLineEdit>
#include <QPointer>

#include "ui/Controls.h"

namespace keepgate::qt {

// A QLineEdit as a text field; "not editable" is read-only, so the text can still be selected and copied.
// A read-only field given one of the core's messages shows it translated and still answers the English.
class QtTextField : public ui::TextField {
  public:
    explicit QtTextField(QLineEdit* edit) : edit_(edit) {}
    std::string stringValue() const override;
    void setStringValue(const std::string& text) override;
    bool isEditable() const override { return edit_ && !edit_->isReadOnly(); }
    void setEditable(bool editable) override;
    void selectText() override;
    void setPlaceholderString(const std::string& text) override;
    QLineEdit* widget() const { return edit_; }

  private:
    QPointer<QLineEdit> edit_;
    std::string message_; // the English message shown translated, if any
    QString translation_; // how it is shown
};

} // namespace keepgate::qt

#include "qt/QtTextField.h"

#include "qt/QtString.h"
#include "qt/Translations.h"

namespace keepgate::qt {

std::string QtTextField::stringValue() const {
    return edit_ ? fromQString(edit_->text()) : std::string();
}

void QtTextField::setStringValue(const std::string& text) {
    if (edit_) {
        edit_->setText(toQString(text));
    }
}

void QtTextField::setEditable(bool editable) {
    if (edit_) {
        edit_->setReadOnly(!editable);
    }
}

void QtTextField::selectText() {
    if (!edit_) {
        return;
    }
    edit_->selectAll();
    edit_->setFocus(Qt::OtherFocusReason);
}

void QtTextField::setPlaceholderString(const std::string& text) {
    if (edit_) {
        edit_->setPlaceholderText(translatedMessage(text));
    }
}

} // namespace keepgate::qt

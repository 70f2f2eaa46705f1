#include "qt/QtTextField.h"

#include "qt/QtString.h"
#include "qt/Translations.h"

namespace keepgate::qt {

std::string QtTextField::stringValue() const {
    if (!edit_) {
        return {};
    }
    return !translation_.isEmpty() && edit_->text() == translation_ ? message_ : fromQString(edit_->text());
}

void QtTextField::setStringValue(const std::string& text) {
    if (!edit_) {
        return;
    }
    // Only what the user cannot type over is translated: an editable field holds the user's own value.
    const QString shown = edit_->isReadOnly() ? translatedMessage(text) : toQString(text);
    if (shown != toQString(text)) {
        message_ = text;
        translation_ = shown;
    } else {
        message_.clear();
        translation_.clear();
    }
    edit_->setText(shown);
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

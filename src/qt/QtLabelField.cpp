#include "qt/QtLabelField.h"

#include "qt/QtString.h"

namespace keepgate::qt {

QtLabelField::QtLabelField(QLabel* label) : label_(label) {
    label_->setTextFormat(Qt::PlainText);
    label_->setOpenExternalLinks(false);
    // Never a followed link; a label already selectable by keyboard stays a Tab stop a screen reader reads.
    label_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                    (label_->textInteractionFlags() & Qt::TextSelectableByKeyboard));
    label_->setWordWrap(true);
    label_->setVisible(!label_->text().isEmpty());
}

std::string QtLabelField::stringValue() const {
    return label_ ? fromQString(label_->text()) : std::string();
}

void QtLabelField::setStringValue(const std::string& text) {
    if (label_) {
        label_->setText(toQString(text));
        label_->setVisible(!text.empty());
    }
}

} // namespace keepgate::qt

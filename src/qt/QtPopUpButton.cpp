#include "qt/QtPopUpButton.h"

#include "qt/QtString.h"
#include "qt/Translations.h"

namespace keepgate::qt {

void QtPopUpButton::addItemWithTitle(const std::string& title) {
    if (combo_) {
        combo_->addItem(titles_ == Titles::Translated ? translatedMessage(title) : toQString(title),
                        toQString(title));
    }
}

void QtPopUpButton::removeItemWithTitle(const std::string& title) {
    if (!combo_) {
        return;
    }
    const int index =
        combo_->findData(toQString(title), Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        combo_->removeItem(index);
    }
}

void QtPopUpButton::removeItemAtIndex(int index) {
    if (combo_ && index >= 0 && index < combo_->count()) {
        combo_->removeItem(index);
    }
}

void QtPopUpButton::removeAllItems() {
    if (combo_) {
        combo_->clear();
    }
}

std::vector<std::string> QtPopUpButton::itemTitles() const {
    std::vector<std::string> titles;
    if (combo_) {
        for (int i = 0; i < combo_->count(); ++i) {
            titles.push_back(fromQString(combo_->itemData(i).toString()));
        }
    }
    return titles;
}

void QtPopUpButton::setEnabled(bool enabled) {
    if (combo_) {
        combo_->setEnabled(enabled);
    }
}

} // namespace keepgate::qt

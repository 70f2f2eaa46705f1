#include "qt/QtButton.h"

#include <QButtonGroup>

namespace keepgate::qt {

void QtButton::setEnabled(bool enabled) {
    if (button_) {
        button_->setEnabled(enabled);
    }
}

void QtButton::setState(int state) {
    if (!button_ || !button_->isCheckable()) {
        return;
    }
    const bool on = state == 1;
    QButtonGroup* group = button_->group();
    // An exclusive group refuses to turn its checked button off; the controllers sometimes ask for that
    // before turning the other one on, so the group steps aside for the moment.
    if (!on && group && group->exclusive() && button_->isChecked()) {
        group->setExclusive(false);
        button_->setChecked(false);
        group->setExclusive(true);
        return;
    }
    button_->setChecked(on);
}

} // namespace keepgate::qt

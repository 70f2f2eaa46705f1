#pragma once

#include <QAbstractButton>
#include <QPointer>

#include "ui/Controls.h"

namespace keepgate::qt {

// A push button, check box or radio button; state 1 is checked.
class QtButton : public ui::Button {
  public:
    explicit QtButton(QAbstractButton* button) : button_(button) {}
    bool isEnabled() const override { return button_ && button_->isEnabled(); }
    void setEnabled(bool enabled) override;
    int state() const override { return button_ && button_->isChecked() ? 1 : 0; }
    void setState(int state) override;
    QAbstractButton* widget() const { return button_; }

  private:
    QPointer<QAbstractButton> button_;
};

} // namespace keepgate::qt

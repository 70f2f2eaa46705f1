#pragma once

#include <QPointer>
#include <QProgressBar>

#include "ui/Controls.h"

namespace keepgate::qt {

// A busy bar (no range, so Qt animates it) that is visible only while work runs.
class QtProgressIndicator : public ui::ProgressIndicator {
  public:
    explicit QtProgressIndicator(QProgressBar* bar) : bar_(bar) {
        if (bar_) {
            bar_->setRange(0, 0);
            bar_->setTextVisible(false);
            bar_->setVisible(false);
        }
    }
    void startAnimation() override {
        if (bar_) {
            bar_->setVisible(true);
        }
    }
    void stopAnimation() override {
        if (bar_) {
            bar_->setVisible(false);
        }
    }
    bool isAnimating() const override { return bar_ && !bar_->isHidden(); }
    QProgressBar* widget() const { return bar_; }

  private:
    QPointer<QProgressBar> bar_;
};

} // namespace keepgate::qt

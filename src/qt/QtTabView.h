#pragma once

#include <QPointer>
#include <QTabWidget>

#include "ui/Controls.h"

namespace keepgate::qt {

// A QTabWidget as a tab view.
class QtTabView : public ui::TabView {
  public:
    explicit QtTabView(QTabWidget* tabs) : tabs_(tabs) {}
    void selectFirstTabViewItem() override {
        if (tabs_ && tabs_->count() > 0) {
            tabs_->setCurrentIndex(0);
        }
    }
    int indexOfSelectedTabViewItem() const override { return tabs_ ? tabs_->currentIndex() : -1; }
    QTabWidget* widget() const { return tabs_; }

  private:
    QPointer<QTabWidget> tabs_;
};

} // namespace keepgate::qt

#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/Controls.h"

namespace keepgate::qt {

// A top-level Qt widget seen as a window of the core.
class QtWindow : public ui::Window {
  public:
    explicit QtWindow(QWidget* widget) : widget_(widget) {}
    void makeKeyAndOrderFront() override;
    void orderOut() override;
    bool isVisible() const override { return widget_ && widget_->isVisible(); }
    QWidget* widget() const { return widget_; }

  private:
    QPointer<QWidget> widget_;
};

} // namespace keepgate::qt

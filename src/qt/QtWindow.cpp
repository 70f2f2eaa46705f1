#include "qt/QtWindow.h"

namespace keepgate::qt {

void QtWindow::makeKeyAndOrderFront() {
    if (!widget_) {
        return;
    }
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
}

void QtWindow::orderOut() {
    if (widget_) {
        widget_->hide();
    }
}

} // namespace keepgate::qt

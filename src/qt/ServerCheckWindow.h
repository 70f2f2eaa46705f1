#pragma once

#include <QDialog>

#include "app/ServerCheckReport.h"

class QVBoxLayout;

namespace keepgate::qt {

// The server check report: one plain-text line per finding, a "Fix…" button beside each one Keepgate can
// fix, and "Check Again".
class ServerCheckWindow : public QDialog {
  public:
    explicit ServerCheckWindow(QWidget* parent = nullptr);

    ServerCheckReport report;

    // Checks anew and brings the window to the front.
    void showReport();

  private:
    void rebuild();
    QVBoxLayout* findingsLayout_ = nullptr;
};

} // namespace keepgate::qt

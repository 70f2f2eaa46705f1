#pragma once

#include <QDialog>
#include <memory>

#include "app/ServerCheckReport.h"
#include "qt/QtProgressIndicator.h"

class QPushButton;
class QVBoxLayout;

namespace keepgate::qt {

// The server check report: one plain-text line per finding, a "Fix…" button beside each one Keepgate can
// fix, and "Check Again".
class ServerCheckWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ServerCheckWindow(QWidget* parent = nullptr);

    ServerCheckReport report;

    // Checks anew and brings the window to the front.
    void showReport();

  private:
    void rebuild();
    // Starts a check, saying so until its findings arrive.
    void checkAgain();
    QVBoxLayout* findingsLayout_ = nullptr;
    QPushButton* againButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    std::unique_ptr<QtProgressIndicator> busy_;
};

} // namespace keepgate::qt

#pragma once

#include <QDialog>
#include <memory>

#include "app/HistoryController.h"
#include "qt/QtButton.h"
#include "qt/QtLabelField.h"
#include "qt/QtTableView.h"

class QPlainTextEdit;

namespace keepgate::qt {

// File › History…: the changes Keepgate made, newest first, the difference the selected one made, and
// Restore. The window only shows; the controller (the main window's) decides.
class HistoryWindow : public QDialog {
    Q_OBJECT
  public:
    explicit HistoryWindow(HistoryController& controller, QWidget* parent = nullptr);
    ~HistoryWindow() override;

    // Reads the history anew and brings the window to the front.
    void showHistory();

    std::unique_ptr<QtTableView> entriesView;
    std::unique_ptr<ui::TextField> diffField;
    std::unique_ptr<QtLabelField> noticeField;
    std::unique_ptr<QtButton> restoreButton;
    QPlainTextEdit* diffText = nullptr;

  private:
    HistoryController& controller_;
};

} // namespace keepgate::qt

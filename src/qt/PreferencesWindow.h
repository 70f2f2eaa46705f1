#pragma once

#include <QDialog>
#include <memory>

#include "app/PreferencesController.h"
#include "qt/QtButton.h"
#include "qt/QtLabelField.h"
#include "qt/QtPopUpButton.h"
#include "qt/QtSpinBoxField.h"
#include "qt/QtTextField.h"
#include "qt/QtWindow.h"

class QPushButton;

namespace keepgate::qt {

// The preferences window, driven by its PreferencesController; it opens hidden and shows itself when the
// controller asks. It behaves as a dialog: Return saves, Escape and Cancel close it without saving.
class PreferencesWindow : public QDialog {
    Q_OBJECT
  public:
    explicit PreferencesWindow(QWidget* parent = nullptr);

    PreferencesController controller;
    std::unique_ptr<QtButton> checkForUpdates, showHiddenFiles, protectionSettingsConfigRB,
        protectionSettingsHtaccessRB;
    std::unique_ptr<QtTextField> defaultAccessFilenameField, configFilePathField;
    std::unique_ptr<QtPopUpButton> passwordHashPopup;
    std::unique_ptr<QtSpinBoxField> bcryptCostField;
    std::unique_ptr<QtLabelField> checkCostField;
    QtWindow window{this};
    QPushButton* restoreButton = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* cancelButton = nullptr;
    std::unique_ptr<QtTextField> mainConfigField;
    QPushButton* detectButton = nullptr;
};

} // namespace keepgate::qt

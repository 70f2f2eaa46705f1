#pragma once

#include <QWidget>
#include <memory>

#include "app/PreferencesController.h"
#include "qt/QtButton.h"
#include "qt/QtTextField.h"
#include "qt/QtWindow.h"

class QPushButton;

namespace keepgate::qt {

// The preferences window, driven by its PreferencesController; it opens hidden and shows itself when the
// controller asks.
class PreferencesWindow : public QWidget {
    Q_OBJECT
  public:
    explicit PreferencesWindow(QWidget* parent = nullptr);

    PreferencesController controller;
    std::unique_ptr<QtButton> checkForUpdates, showHiddenFiles, protectionSettingsConfigRB,
        protectionSettingsHtaccessRB;
    std::unique_ptr<QtTextField> defaultAccessFilenameField, configFilePathField;
    QtWindow window{this};
    QPushButton* restoreButton = nullptr;
    QPushButton* saveButton = nullptr;
    std::unique_ptr<QtTextField> mainConfigField;
    QPushButton* detectButton = nullptr;
};

} // namespace keepgate::qt

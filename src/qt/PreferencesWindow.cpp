#include "qt/PreferencesWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "formats/HashKind.h"

namespace keepgate::qt {

PreferencesWindow::PreferencesWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Keepgate Preferences"));

    auto* where = new QGroupBox(tr("Keep each directory's protection settings in"));
    auto* htaccess = new QRadioButton(tr("an &access file inside the directory, named:"));
    auto* config = new QRadioButton(tr("one shared web-server &configuration file:"));
    auto* radios = new QButtonGroup(this);
    radios->addButton(htaccess);
    radios->addButton(config);
    htaccess->setChecked(true);
    auto* accessName = new QLineEdit;
    accessName->setPlaceholderText(QStringLiteral(".htaccess"));
    accessName->setAccessibleName(tr("Access file name"));
    auto* configPath = new QLineEdit;
    configPath->setPlaceholderText(QStringLiteral("/Library/WebServer/keepgate.conf"));
    configPath->setMinimumWidth(280);
    configPath->setAccessibleName(tr("Shared configuration file"));
    auto* grid = new QGridLayout(where);
    grid->addWidget(htaccess, 0, 0);
    grid->addWidget(accessName, 0, 1);
    grid->addWidget(config, 1, 0);
    grid->addWidget(configPath, 1, 1);
    grid->addWidget(new QLabel(tr("Changes to this choice are checked against the web server's "
                                  "configuration at the next start.")),
                    2, 0, 1, 2);

    auto* server = new QGroupBox(tr("Web server"));
    auto* mainConfig = new QLineEdit;
    mainConfig->setObjectName(QStringLiteral("mainConfigField"));
    detectButton = new QPushButton(tr("&Detect"));
    detectButton->setAutoDefault(false);
    auto* serverRow = new QHBoxLayout(server);
    auto* mainConfigLabel = new QLabel(tr("&Main configuration file:"));
    mainConfigLabel->setBuddy(mainConfig);
    mainConfig->setAccessibleName(tr("Main configuration file"));
    serverRow->addWidget(mainConfigLabel);
    serverRow->addWidget(mainConfig, 1);
    serverRow->addWidget(detectButton);

    auto* updates = new QCheckBox(tr("Check for a newer &version at start"));
    auto* hidden = new QCheckBox(tr("Show &hidden files"));
    auto* hashChoice = new QComboBox;
    auto* hashRow = new QHBoxLayout;
    auto* hashLabel = new QLabel(tr("Hash new &passwords with:"));
    hashLabel->setBuddy(hashChoice);
    hashChoice->setAccessibleName(tr("Hash for new passwords"));
    hashRow->addWidget(hashLabel);
    hashRow->addWidget(hashChoice);
    // The bcrypt cost, and what one check at it costs the server on this machine.
    auto* cost = new QSpinBox;
    cost->setRange(hashes::kMinBcryptCost, hashes::kMaxBcryptCost);
    cost->setValue(hashes::kDefaultBcryptCost);
    cost->setAccessibleName(tr("bcrypt cost"));
    auto* costLabel = new QLabel(tr("&bcrypt cost:"));
    costLabel->setBuddy(cost);
    hashRow->addWidget(costLabel);
    hashRow->addWidget(cost);
    hashRow->addStretch(1);
    auto* checkCost = new QLabel;
    checkCost->setObjectName(QStringLiteral("checkCost"));
    checkCost->setWordWrap(true);
    checkCost->setVisible(false);
    restoreButton = new QPushButton(tr("&Restore Defaults"));
    restoreButton->setAutoDefault(false);
    saveButton = new QPushButton(tr("&Save"));
    saveButton->setDefault(true);
    cancelButton = new QPushButton(tr("Cancel"));
    cancelButton->setAutoDefault(false);
    // Closing without saving leaves the store as it was; the next showing reloads the stored values.
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(restoreButton);
    buttons->addStretch(1);
    buttons->addWidget(cancelButton);
    buttons->addWidget(saveButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(where);
    layout->addWidget(server);
    layout->addWidget(updates);
    layout->addWidget(hidden);
    layout->addLayout(hashRow);
    layout->addWidget(checkCost);
    layout->addStretch(1);
    layout->addLayout(buttons);

    checkForUpdates = std::make_unique<QtButton>(updates);
    showHiddenFiles = std::make_unique<QtButton>(hidden);
    protectionSettingsConfigRB = std::make_unique<QtButton>(config);
    protectionSettingsHtaccessRB = std::make_unique<QtButton>(htaccess);
    defaultAccessFilenameField = std::make_unique<QtTextField>(accessName);
    configFilePathField = std::make_unique<QtTextField>(configPath);
    passwordHashPopup = std::make_unique<QtPopUpButton>(hashChoice);
    bcryptCostField = std::make_unique<QtSpinBoxField>(cost);
    checkCostField = std::make_unique<QtLabelField>(checkCost);

    controller.checkForUpdates = checkForUpdates.get();
    controller.defaultAccessFilenameField = defaultAccessFilenameField.get();
    controller.showHiddenFiles = showHiddenFiles.get();
    controller.configFilePathField = configFilePathField.get();
    controller.protectionSettingsConfigRB = protectionSettingsConfigRB.get();
    controller.protectionSettingsHtaccessRB = protectionSettingsHtaccessRB.get();
    controller.passwordHashPopup = passwordHashPopup.get();
    controller.bcryptCostField = bcryptCostField.get();
    controller.checkCostField = checkCostField.get();
    connect(hashChoice, &QComboBox::activated, this, [this] { controller.hashChoiceChanged(); });
    connect(cost, &QSpinBox::valueChanged, this, [this] { controller.hashChoiceChanged(); });
    controller.theWindow = &window;
    mainConfigField = std::make_unique<QtTextField>(mainConfig);
    controller.mainConfigField = mainConfigField.get();
    connect(detectButton, &QPushButton::clicked, this, [this] { controller.detectServer(); });
    connect(restoreButton, &QPushButton::clicked, this, [this] { controller.restoreDefaults(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { controller.savePrefs(); });
}

} // namespace keepgate::qt

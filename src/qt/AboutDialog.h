#pragma once

#include <QDialog>
#include <QIcon>

class QLabel;

namespace keepgate::qt {

// The application's icon: the installed theme's, else the copy among the resources.
QIcon applicationIcon();

// Help › About Keepgate: name, version, purpose, licence and links.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);

    QLabel* versionLabel = nullptr;
    QLabel* linksLabel = nullptr;
};

} // namespace keepgate::qt

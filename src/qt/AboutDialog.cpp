#include "qt/AboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/Constants.h"
#include "ui/WindowSystem.h"

namespace keepgate::qt {

namespace {
constexpr const char* kIconName = "org.keepgate.Keepgate";
constexpr const char* kHomepage = "https://www.keepgate.org/";
constexpr const char* kLicence = "https://www.gnu.org/licenses/gpl-3.0.html";
} // namespace

QIcon applicationIcon() {
    const auto path = ui::windowSystem().pathForResource(kIconName, "png");
    return QIcon::fromTheme(QString::fromLatin1(kIconName),
                            path ? QIcon(QString::fromStdString(*path)) : QIcon());
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Keepgate"));
    auto* icon = new QLabel;
    icon->setPixmap(applicationIcon().pixmap(96, 96));
    icon->setAlignment(Qt::AlignTop);
    icon->setAccessibleName(tr("Keepgate's icon"));

    auto* name = new QLabel(QStringLiteral("<h2>Keepgate</h2>"));
    versionLabel = new QLabel(tr("Version %1").arg(QString::fromLatin1(constants::kProgramVersion)));
    auto* purpose = new QLabel(tr("Protects web directories of the Apache web server with user names and "
                                  "passwords: the user file, the group file and each directory's "
                                  "protection."));
    purpose->setWordWrap(true);
    auto* licence = new QLabel(tr("Free software under the GNU General Public License, version 3 or later. "
                                  "It comes with no warranty."));
    licence->setWordWrap(true);
    linksLabel = new QLabel(tr("<a href=\"%1\">Keepgate's home page</a> · <a href=\"%2\">The licence</a>")
                                .arg(QString::fromLatin1(kHomepage), QString::fromLatin1(kLicence)));
    linksLabel->setTextFormat(Qt::RichText);
    linksLabel->setOpenExternalLinks(true);

    auto* texts = new QVBoxLayout;
    for (QLabel* label : {name, versionLabel, purpose, licence, linksLabel}) {
        texts->addWidget(label);
    }
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(texts, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

} // namespace keepgate::qt

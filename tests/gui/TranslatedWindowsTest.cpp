#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "WindowTexts.h"
#include "platform/DefaultsStore.h"
#include "platform/SystemPaths.h"
#include "qt/AboutDialog.h"
#include "qt/ApplicationWindows.h"
#include "qt/QtWindowSystem.h"
#include "qt/ServerCheckWindow.h"
#include "qt/Translations.h"
#include "support/TestSupport.h"
#include "ui/WindowSystem.h"

namespace keepgate::testing {
namespace {

// Texts that read the same in English, German and French, or are names and sample values, not prose.
const QStringList kSameInEveryLanguage = {
    QStringLiteral("OK"),        QStringLiteral("Keepgate"),
    QStringLiteral("Hosts"),     QStringLiteral("Version 0.7"),
    QStringLiteral("SHA-512"),   QStringLiteral("SHA-256"),
    QStringLiteral(".htaccess"), QStringLiteral("/Library/WebServer/keepgate.conf"),
    QStringLiteral("<h2>Keepgate</h2>"),
};

// English words that never stand alone in German or French prose.
const QRegularExpression kEnglishWord(
    QStringLiteral("\\b(the|is|was|not|cannot|could|would|and|with|it|this|are|you|your|no)\\b"));

// Every text of the windows a user meets, in a fixed order: the main window, the preferences, About,
// Check Server with its findings, and two alerts: a refused user name and the removal question.
class TranslatedWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureQtApplication();
        setStandardUserDefaults(defaults);
        defaults->setString("KGprotectionSettings", "1");
        systemPaths() = SystemPaths{};
        systemPaths().mainConfig = temp / "apache2.conf";
        systemPaths().serverRoot = temp.path();
        writeFile(temp / "apache2.conf", "<Directory />\nAllowOverride None\n</Directory>\n");
        ui::setWindowSystem(std::shared_ptr<ui::WindowSystem>(&windowSystem, [](ui::WindowSystem*) {}));
    }
    void TearDown() override {
        qt::removeTranslations();
        ui::setWindowSystem(nullptr);
        systemPaths() = SystemPaths{};
        setStandardUserDefaults(nullptr);
    }

    static QStringList alertTexts() {
        QStringList texts;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                texts << box->windowTitle() << box->text() << box->informativeText();
                for (QAbstractButton* button : box->buttons()) {
                    texts << button->text();
                }
                box->reject();
            }
        }
        settleEvents();
        return texts;
    }

    QStringList everyText() {
        QStringList texts;
        qt::ApplicationWindows windows(&windowSystem);
        windows.preferences.controller.awakeFromNib();
        qt::AboutDialog about(&windows.main);
        for (QWidget* window : std::initializer_list<QWidget*>{&windows.main, &windows.preferences, &about}) {
            texts << textsOf(window);
        }

        auto& directory = windows.main.directoryEditor;
        directory.directoryField->widget()->setText(QString::fromStdString(temp / "site"));
        directory.userfileField->widget()->setText(QString::fromStdString(temp / "missing-users"));
        windows.main.showServerCheck();
        qt::ServerCheckWindow* check = windows.main.serverCheckWindow;
        QElapsedTimer waited;
        waited.start();
        while (check->report.isChecking() && waited.elapsed() < 30000) {
            QApplication::processEvents();
            QThread::msleep(5);
        }
        settleEvents();
        EXPECT_FALSE(check->report.findings.empty());
        texts << textsOf(check);
        check->hide();

        windows.main.userEditor.usernameField->widget()->setText(QStringLiteral("two words"));
        windows.main.controller.addUser();
        texts << alertTexts();
        windows.main.directory.removeProtection();
        texts << alertTexts();
        return texts;
    }

    TempDir temp;
    std::shared_ptr<MemoryDefaultsStore> defaults = std::make_shared<MemoryDefaultsStore>();
    qt::QtWindowSystem windowSystem;
};

TEST_F(TranslatedWindowsTest, NoTextIsLeftInEnglishInGermanOrFrench) {
    const QStringList english = everyText();
    ASSERT_GT(english.size(), 100) << "the windows' texts were not found";
    const QString all = english.join(QLatin1Char('\n'));
    ASSERT_TRUE(all.contains(QStringLiteral("The user name \"two words\" cannot be used")) &&
                all.contains(QStringLiteral("remove protection for this directory")) &&
                all.contains(QStringLiteral("ignores the protection in")))
        << "the alerts and the server's findings were not found";
    for (const char* language : {"de_DE", "fr_FR"}) {
        ASSERT_TRUE(qt::installTranslations(QLocale(QString::fromLatin1(language)), KEEPGATE_APP_DIR))
            << "no built translation for " << language << " beside " << KEEPGATE_APP_DIR;
        const QStringList translated = everyText();
        qt::removeTranslations();
        ASSERT_EQ(translated.size(), english.size()) << language;
        for (qsizetype i = 0; i < english.size(); ++i) {
            if (kSameInEveryLanguage.contains(english[i])) {
                continue;
            }
            EXPECT_NE(translated[i], english[i]) << language << ": left in English: " << english[i].toStdString();
            // Paths of the temporary folder are not prose; what is left of the text must not be English.
            QString prose = translated[i];
            prose.remove(QString::fromStdString(temp.path()));
            EXPECT_FALSE(prose.contains(kEnglishWord))
                << language << ": English inside \"" << translated[i].toStdString() << "\"";
        }
    }
}

} // namespace
} // namespace keepgate::testing

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QLabel>
#include <QMenuBar>
#include <QTabWidget>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QThread>
#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "WindowTexts.h"
#include "platform/DefaultsStore.h"
#include "platform/History.h"
#include "platform/SystemPaths.h"
#include "qt/AboutDialog.h"
#include "qt/HistoryWindow.h"
#include "qt/QtLabelField.h"
#include "qt/QtPopUpButton.h"
#include "qt/QtTextField.h"
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
    QStringLiteral("OK"),
    QStringLiteral("Keepgate"),
    QStringLiteral("Hosts"),
    QStringLiteral("Version 0.7"),
    QStringLiteral("SHA-512"),
    QStringLiteral("SHA-256"),
    QStringLiteral(".htaccess"),
    QStringLiteral("/Library/WebServer/keepgate.conf"),
    QStringLiteral("<h2>Keepgate</h2>"),
};

// English words that never stand alone in German or French prose.
const QRegularExpression kEnglishWord(
    QStringLiteral("\\b(the|is|was|not|cannot|could|would|and|with|it|this|are|you|your|no)\\b"));

// Every text of the windows a user meets, in a fixed order: the main window, the preferences, About,
// Check Server with its findings, two alerts (a refused user name and the removal question) and History.
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
        // One recorded change and one damaged entry, so the History window shows a row and its notice.
        platform::History::shared().open(temp / "state");
        platform::History::shared().record(temp / "users", "", true, std::string("a\n"), true, "b\n");
        writeFile(temp / "state/0000000000000001-00000001-000001.entry", "damaged");
    }
    void TearDown() override {
        qt::removeTranslations();
        platform::History::shared().close();
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

        windows.main.showHistory();
        texts << textsOf(windows.main.historyWindow);
        QAbstractItemModel* rows = windows.main.historyWindow->entriesView->widget()->model();
        for (int row = 0; row < rows->rowCount(); ++row) {
            texts << rows->index(row, 1).data().toString();
        }
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
                all.contains(QStringLiteral("ignores the protection in")) &&
                all.contains(QStringLiteral("1 entry is damaged")) &&
                all.contains(QStringLiteral("Damaged entry: ")))
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
            EXPECT_NE(translated[i], english[i])
                << language << ": left in English: " << english[i].toStdString();
            // Paths of the temporary folder and mnemonic marks are not prose; what is left must not be
            // English.
            QString prose = translated[i];
            prose.remove(QString::fromStdString(temp.path())).remove(QLatin1Char('&'));
            EXPECT_FALSE(prose.contains(kEnglishWord))
                << language << ": English inside \"" << translated[i].toStdString() << "\"";
        }
    }
}

// The Alt+letter keys of what a user sees at once: the menu bar's and those of every visible button and
// labelled field, each page of every tab shown in turn. Two with the same key would fight over it.
QStringList clashingMnemonics(QWidget* window, QMenuBar* menus) {
    const auto keyOf = [](const QString& text) -> QString {
        for (qsizetype i = text.indexOf(QLatin1Char('&')); i >= 0 && i + 1 < text.size();
             i = text.indexOf(QLatin1Char('&'), i + 2)) {
            if (text[i + 1] != QLatin1Char('&')) {
                return text[i + 1].toLower();
            }
        }
        return {};
    };
    QStringList clashes;
    const auto check = [&] {
        QMap<QString, QString> seen;
        QStringList texts;
        if (menus) {
            for (QAction* action : menus->actions()) {
                texts << action->text();
            }
        }
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            if (button->isVisibleTo(window)) {
                texts << button->text();
            }
        }
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->buddy() && label->isVisibleTo(window)) {
                texts << label->text();
            }
        }
        for (const QString& text : texts) {
            const QString key = keyOf(text);
            if (!key.isEmpty() && seen.contains(key)) {
                clashes << seen[key] + QStringLiteral(" / ") + text;
            }
            seen.insert(key, text);
        }
    };
    const QList<QTabWidget*> tabs = window->findChildren<QTabWidget*>();
    if (tabs.isEmpty()) {
        check();
    }
    for (QTabWidget* outer : tabs) {
        for (int page = 0; page < outer->count(); ++page) {
            outer->setCurrentIndex(page);
            check();
        }
    }
    return clashes;
}

// The controllers read back what they set, so a translated control still answers the English text; a
// field the user types into shows its text as it is, since that is the user's own value.
TEST_F(TranslatedWindowsTest, CoreTextsShowTranslatedAndReadBackInEnglish) {
    ASSERT_TRUE(qt::installTranslations(QLocale(QStringLiteral("de_DE")), KEEPGATE_APP_DIR));
    const std::string notFound = "(Not found. Select another...)";
    QLineEdit readOnly;
    readOnly.setReadOnly(true);
    QLineEdit editable;
    QLabel strip;
    QComboBox hashes;
    qt::QtTextField shownField(&readOnly);
    qt::QtTextField typedField(&editable);
    qt::QtLabelField label(&strip);
    qt::QtPopUpButton popup(&hashes, qt::QtPopUpButton::Titles::Translated);
    shownField.setStringValue(notFound);
    typedField.setStringValue(notFound);
    label.setStringValue("Kept as written:\nRequire valid-user");
    popup.addItemWithTitle("bcrypt (recommended)");

    EXPECT_EQ(readOnly.text(), QStringLiteral("(Nicht gefunden. Wählen Sie eine andere …)"));
    EXPECT_EQ(shownField.stringValue(), notFound);
    EXPECT_EQ(editable.text(), QString::fromStdString(notFound));
    EXPECT_EQ(strip.text(), QStringLiteral("Unverändert beibehalten:\nRequire valid-user"));
    EXPECT_EQ(label.stringValue(), "Kept as written:\nRequire valid-user");
    EXPECT_EQ(hashes.itemText(0), QStringLiteral("bcrypt (empfohlen)"));
    EXPECT_EQ(popup.itemTitles(), std::vector<std::string>{"bcrypt (recommended)"});
    popup.removeItemWithTitle("bcrypt (recommended)");
    EXPECT_EQ(hashes.count(), 0);
    // A user's edit of a once translated field is the user's value again.
    readOnly.setText(QStringLiteral("/srv/users"));
    EXPECT_EQ(shownField.stringValue(), "/srv/users");
}

// English keys are the keyboard test's to keep apart; a translation must not bring two together.
TEST_F(TranslatedWindowsTest, NoTwoControlsShownTogetherShareAMnemonicInGermanOrFrench) {
    for (const char* language : {"de_DE", "fr_FR"}) {
        ASSERT_TRUE(qt::installTranslations(QLocale(QString::fromLatin1(language)), KEEPGATE_APP_DIR));
        {
            qt::ApplicationWindows windows(&windowSystem);
            EXPECT_EQ(clashingMnemonics(&windows.main, windows.main.menuBar()), QStringList()) << language;
            EXPECT_EQ(clashingMnemonics(&windows.preferences, nullptr), QStringList()) << language;
        }
        qt::removeTranslations();
    }
}

} // namespace
} // namespace keepgate::testing

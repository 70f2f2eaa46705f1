#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "platform/DefaultsStore.h"
#include "platform/SystemPaths.h"
#include "qt/ApplicationWindows.h"
#include "qt/QtWindowSystem.h"
#include "qt/ServerCheckWindow.h"
#include "support/TestSupport.h"
#include "ui/WindowSystem.h"

namespace keepgate::testing {
namespace {

class ServerCheckWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureQtApplication();
        setStandardUserDefaults(defaults);
        defaults->setString("KGprotectionSettings", "1");
        systemPaths() = SystemPaths{};
        systemPaths().mainConfig = temp / "apache2.conf";
        systemPaths().serverRoot = temp.path();
        windows = std::make_unique<qt::ApplicationWindows>(&windowSystem);
        // The check runs through the window system's background work; the fixture owns the system.
        ui::setWindowSystem(std::shared_ptr<ui::WindowSystem>(&windowSystem, [](ui::WindowSystem*) {}));
    }
    void TearDown() override {
        windows.reset();
        ui::setWindowSystem(nullptr);
        systemPaths() = SystemPaths{};
        setStandardUserDefaults(nullptr);
    }
    TempDir temp;
    std::shared_ptr<MemoryDefaultsStore> defaults = std::make_shared<MemoryDefaultsStore>();
    qt::QtWindowSystem windowSystem;
    std::unique_ptr<qt::ApplicationWindows> windows;
};

TEST_F(ServerCheckWindowTest, FindingsShowAsPlainTextWithAFixButtonWhereKeepgateCanFixThem) {
    // A directory name that looks like markup must reach the reader as written.
    const std::string directory = temp / "<b>site</b>";
    writeFile(temp / "apache2.conf", "<Directory />\nAllowOverride None\n</Directory>\n");
    writeFile(temp / "users", "a:b\n");
    windows->main.directoryEditor.directoryField->widget()->setText(QString::fromStdString(directory));
    windows->main.directoryEditor.userfileField->widget()->setText(QString::fromStdString(temp / "missing"));

    windows->main.showServerCheck();
    qt::ServerCheckWindow* window = windows->main.serverCheckWindow;
    ASSERT_NE(window, nullptr);
    // The configuration is read off the interface thread; its findings arrive through the event loop.
    EXPECT_TRUE(window->report.isChecking());
    EXPECT_FALSE(window->findChild<QProgressBar*>()->isHidden());
    QElapsedTimer waited;
    waited.start();
    while (window->report.isChecking() && waited.elapsed() < 30000) {
        QApplication::processEvents();
        QThread::msleep(5);
    }
    ASSERT_FALSE(window->report.isChecking());
    EXPECT_TRUE(window->findChild<QProgressBar*>()->isHidden());
    settleEvents();
    EXPECT_TRUE(window->isVisible());

    int overrideLabels = 0;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisible()) {
            continue;
        }
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        overrideLabels += label->text().contains(QStringLiteral("ignores the protection in ") +
                                                 QString::fromStdString(directory));
    }
    EXPECT_EQ(overrideLabels, 1);
    // Overrides and five modules can be fixed; the missing user file cannot.
    int fixButtons = 0;
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        fixButtons += button->isVisible() && button->text() == QStringLiteral("Fix…");
    }
    EXPECT_EQ(fixButtons, static_cast<int>(window->report.findings.size()) - 1);
    EXPECT_EQ(window->report.findings.back().kind, FindingKind::UserfileUnreadable);
}

} // namespace
} // namespace keepgate::testing

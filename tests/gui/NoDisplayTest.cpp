#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

#include "QtTestApplication.h"

namespace keepgate::testing {
namespace {

// The program sits one folder above the test executables in the build tree.
QString programPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../keepgate");
}

TEST(NoDisplayTest, SaysInOneLineWhatIsMissingInsteadOfCrashing) {
    ensureQtApplication();
    ASSERT_TRUE(QFileInfo::exists(programPath())) << "build the keepgate target first";
    const struct {
        const char* name;
        std::vector<std::pair<const char*, const char*>> set;
    } cases[] = {
        {"nothing set", {}},
        {"a display nobody serves", {{"DISPLAY", ":97"}}},
        {"the X platform asked for without a display", {{"QT_QPA_PLATFORM", "xcb"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(QString::fromLatin1(name));
        }
        for (const auto& [name, value] : c.set) {
            environment.insert(QString::fromLatin1(name), QString::fromLatin1(value));
        }
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), testConfigHome());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(programPath(), {});
        ASSERT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 1);
        const QString message = QString::fromUtf8(program.readAllStandardError());
        EXPECT_EQ(message.count(QLatin1Char('\n')), 1) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("no display"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("xvfb-run"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("QT_QPA_PLATFORM=offscreen"))) << message.toStdString();
        EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
    }
}

} // namespace
} // namespace keepgate::testing

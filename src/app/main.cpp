#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/PreferencesController.h"
#include "platform/DefaultsStore.h"
#include "platform/FileWatcher.h"
#include "platform/History.h"
#include "platform/UrlFetcher.h"
#include "qt/AboutDialog.h"
#include "qt/ApplicationWindows.h"
#include "qt/CommandLine.h"
#include "qt/NetworkUrlFetcher.h"
#include "qt/QtFileWatcher.h"
#include "qt/QtWindowSystem.h"
#include "qt/SettingsDefaultsStore.h"
#include "services/ServerProfile.h"
#include "qt/WindowGeometry.h"

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

[[noreturn]] void exitWithoutDisplay(const char* why) {
    std::fprintf(stderr,
                 "keepgate: no display found (%s); run it in a desktop session, under a virtual display "
                 "(xvfb-run make run), or without windows (QT_QPA_PLATFORM=offscreen).\n",
                 why);
    std::fflush(stderr);
    std::_Exit(1);
}

// While the window system starts, its complaints are held back: a fatal one means no display could be
// reached (a stale DISPLAY, a missing platform plugin), which the user learns in one line instead.
QtMessageHandler previousHandler = nullptr;
std::vector<std::tuple<QtMsgType, std::string, int, std::string, std::string>> heldMessages;

void startupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        exitWithoutDisplay("the window system could not be reached");
    }
    heldMessages.emplace_back(type, context.file ? context.file : "", context.line,
                              context.function ? context.function : "", message.toStdString());
}

void releaseHeldMessages() {
    qInstallMessageHandler(previousHandler);
    for (const auto& [type, file, line, function, text] : heldMessages) {
        const QMessageLogContext context(file.c_str(), line, function.c_str(), nullptr);
        if (previousHandler) {
            previousHandler(type, context, QString::fromStdString(text));
        }
    }
    heldMessages.clear();
}

} // namespace

int main(int argc, char** argv) {
    const keepgate::qt::CommandLine commandLine = keepgate::qt::readCommandLine(argc, argv);
    if (commandLine.exitStatus) {
        return *commandLine.exitStatus;
    }
#if !defined(Q_OS_MACOS) && !defined(Q_OS_WIN)
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("QT_QPA_PLATFORM")) {
        exitWithoutDisplay("DISPLAY and WAYLAND_DISPLAY are unset");
    }
#endif
    previousHandler = qInstallMessageHandler(startupMessageHandler);
    QApplication application(argc, argv);
    releaseHeldMessages();
    QApplication::setOrganizationName(QStringLiteral("Keepgate"));
    QApplication::setApplicationName(QStringLiteral("Keepgate"));
    QApplication::setApplicationVersion(QStringLiteral("0.7"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.keepgate.Keepgate"));

    auto windowSystem = std::make_shared<keepgate::qt::QtWindowSystem>();
    keepgate::ui::setWindowSystem(windowSystem);
    QApplication::setWindowIcon(keepgate::qt::applicationIcon());
    keepgate::setStandardUserDefaults(std::make_shared<keepgate::qt::SettingsDefaultsStore>());
    keepgate::setUrlFetcher(std::make_shared<keepgate::qt::NetworkUrlFetcher>());
    keepgate::setFileWatcher(std::make_shared<keepgate::qt::QtFileWatcher>());

    // The installed server's layout replaces the shipped paths before any check reads them.
    if (const auto profile = keepgate::ServerProfile::detect()) {
        profile->applyTo(keepgate::systemPaths());
    }
    keepgate::PreferencesController::applyStoredMainConfig();

    keepgate::qt::ApplicationWindows windows(windowSystem.get());
    // Opened once the window can say (in its status line) that no history can be kept.
    keepgate::platform::History::shared().open(keepgate::platform::History::defaultFolder());
    int status = 0;
    if (commandLine.selfTest) {
        status = keepgate::qt::runSelfTest(windows.main, *windowSystem);
    } else {
        keepgate::qt::rememberGeometry(&windows.main);
        windows.main.show();
        windows.awakeFromNib();
        status = application.exec();
    }

    keepgate::setFileWatcher(nullptr);
    keepgate::setUrlFetcher(nullptr);
    keepgate::setStandardUserDefaults(nullptr);
    keepgate::ui::setWindowSystem(nullptr);
    return status;
}

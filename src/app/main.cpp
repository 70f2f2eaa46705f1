#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/DefaultsStore.h"
#include "platform/UrlFetcher.h"
#include "qt/ApplicationWindows.h"
#include "qt/NetworkUrlFetcher.h"
#include "qt/QtWindowSystem.h"
#include "qt/SettingsDefaultsStore.h"

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

int main(int argc, char** argv) {
#if !defined(Q_OS_MACOS) && !defined(Q_OS_WIN)
    // Without a display Qt aborts with a plugin message; say plainly what is missing instead.
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("QT_QPA_PLATFORM")) {
        std::fprintf(stderr,
                     "keepgate: no display found (DISPLAY and WAYLAND_DISPLAY are unset); run it in a "
                     "desktop session, under a virtual display (xvfb-run make run), or without "
                     "windows (QT_QPA_PLATFORM=offscreen).\n");
        return 1;
    }
#endif
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Keepgate"));
    QApplication::setApplicationName(QStringLiteral("Keepgate"));
    QApplication::setApplicationVersion(QStringLiteral("0.7"));

    auto windowSystem = std::make_shared<keepgate::qt::QtWindowSystem>();
    keepgate::ui::setWindowSystem(windowSystem);
    keepgate::setStandardUserDefaults(std::make_shared<keepgate::qt::SettingsDefaultsStore>());
    keepgate::setUrlFetcher(std::make_shared<keepgate::qt::NetworkUrlFetcher>());

    keepgate::qt::ApplicationWindows windows(windowSystem.get());
    windows.main.show();
    windows.awakeFromNib();
    const int status = application.exec();

    keepgate::setUrlFetcher(nullptr);
    keepgate::setStandardUserDefaults(nullptr);
    keepgate::ui::setWindowSystem(nullptr);
    return status;
}

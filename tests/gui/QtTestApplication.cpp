#include "QtTestApplication.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

namespace keepgate::testing {

namespace {
QTemporaryDir& home() {
    static QTemporaryDir dir(QStringLiteral("/tmp/keepgate-gui-XXXXXX"));
    return dir;
}
} // namespace

QString testConfigHome() {
    return home().filePath(QStringLiteral("config"));
}

void ensureQtApplication() {
    if (QApplication::instance()) {
        return;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("XDG_CONFIG_HOME", testConfigHome().toLocal8Bit().constData(), 1);
    setenv("XDG_DATA_HOME", home().filePath(QStringLiteral("data")).toLocal8Bit().constData(), 1);
    setenv("XDG_CACHE_HOME", home().filePath(QStringLiteral("cache")).toLocal8Bit().constData(), 1);
    setenv("XDG_RUNTIME_DIR", home().path().toLocal8Bit().constData(), 1);
    static int argc = 1;
    static char name[] = "keepgate_gui_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing Qt down from static destructors at exit crashes in its device registry.
    new QApplication(argc, argv);
}

void settleEvents() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
    }
}

void choosePath(const std::string& path) {
    settleEvents();
    QFileDialog* panel = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible()) {
            panel = dialog;
        }
    }
    ASSERT_NE(panel, nullptr) << "no panel is showing";
    auto* name = panel->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromStdString(path));
    QMetaObject::invokeMethod(panel, "accept");
    settleEvents();
}

} // namespace keepgate::testing

// Qt and fontconfig keep process-lifetime caches that LeakSanitizer reports as leaks; the gui tests
// switch leak detection off themselves, because ctest passes the gui label only one environment variable.
extern "C" __attribute__((used)) const char* __asan_default_options() {
    return "detect_leaks=0";
}

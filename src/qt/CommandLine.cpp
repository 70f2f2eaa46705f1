#include "qt/CommandLine.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <string>

#include "platform/Constants.h"
#include "qt/MainWindow.h"
#include "qt/QtString.h"
#include "qt/QtWindowSystem.h"

namespace keepgate::qt {

CommandLine readCommandLine(int argc, char** argv) {
    CommandLine result;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            std::printf("Usage: keepgate [--help | --version | --self-test]\n"
                        "Protects web directories of the Apache web server with passwords.\n\n"
                        "  --help       show this text\n"
                        "  --version    show the version\n"
                        "  --self-test  show the main window, print the resource folder and quit\n");
            result.exitStatus = 0;
            return result;
        }
        if (option == "--version" || option == "-v") {
            std::printf("Keepgate %s\n", constants::kProgramVersion);
            result.exitStatus = 0;
            return result;
        }
        if (option == "--self-test") {
            result.selfTest = true;
        } else if (option.rfind("--", 0) == 0) {
            // Qt's own options (-platform, -style, …) take one dash and are left to it.
            std::fprintf(stderr, "keepgate: unknown option %s (try --help)\n", option.c_str());
            result.exitStatus = 2;
            return result;
        }
    }
    return result;
}

int runSelfTest(MainWindow& window, QtWindowSystem& windowSystem) {
    window.show();
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
    }
    const auto readMe = windowSystem.pathForResource("ReadMe", "html");
    const bool shown = window.isVisible();
    std::printf("keepgate: main window %s; resources: %s\n", shown ? "shown" : "not shown",
                readMe ? qPrintable(QFileInfo(toQString(*readMe)).absolutePath()) : "(not found)");
    std::fflush(stdout);
    return shown && readMe ? 0 : 1;
}

} // namespace keepgate::qt

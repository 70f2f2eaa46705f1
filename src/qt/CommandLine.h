#pragma once

#include <optional>

namespace keepgate::qt {

class MainWindow;
class QtWindowSystem;

// What the few command-line options ask for. The application itself takes no other input from the
// command line; these exist for the packager and the installer's check.
struct CommandLine {
    bool selfTest = false;
    std::optional<int> exitStatus; // set when the options were answered and the program should end
};

// Reads the options; --help and --version are answered at once, before any window system starts.
CommandLine readCommandLine(int argc, char** argv);

// Shows the main window without running its start-up sequence (which would ask the web server and the
// network), prints where the resources are read from, and answers 0 when the window was shown and the
// ReadMe found.
int runSelfTest(MainWindow& window, QtWindowSystem& windowSystem);

} // namespace keepgate::qt

#pragma once

#include <QString>
#include <string>

namespace keepgate::testing {

// The one QApplication of the gui tests, made on first use, offscreen, with every XDG folder (and so the
// settings store) pointed at a private temporary folder.
void ensureQtApplication();
// The temporary folder that stands for the user's configuration home.
QString testConfigHome();
// Runs the event loop until nothing more is pending.
void settleEvents();
// Answers the open or save panel that is showing by typing a path into it and accepting it.
void choosePath(const std::string& path);

} // namespace keepgate::testing

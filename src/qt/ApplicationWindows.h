#pragma once

#include "qt/MainWindow.h"
#include "qt/PreferencesWindow.h"

namespace keepgate::qt {

// The application's two windows and their controllers, one instance each, built and connected together.
class ApplicationWindows {
  public:
    explicit ApplicationWindows(QtWindowSystem* windowSystem = nullptr)
        : main(preferences.controller, windowSystem) {}

    // Tells every controller once that its window is built; the main controller's start-up sequence last.
    void awakeFromNib() {
        preferences.controller.awakeFromNib();
        main.awakeFromNib();
    }

    PreferencesWindow preferences;
    MainWindow main;
};

} // namespace keepgate::qt

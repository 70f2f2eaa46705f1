#include "ui/WindowSystem.h"

#include <cassert>

namespace keepgate::ui {

namespace {
std::shared_ptr<WindowSystem>& installed() {
    static std::shared_ptr<WindowSystem> system;
    return system;
}
} // namespace

WindowSystem& windowSystem() {
    assert(installed() && "a window system must be installed before a controller uses it");
    return *installed();
}

void setWindowSystem(std::shared_ptr<WindowSystem> system) { installed() = std::move(system); }

} // namespace keepgate::ui

#pragma once

#include <string>
#include <vector>

#include "platform/FileWatcher.h"

namespace keepgate::testing {

// The headless file watch: remembers what it was asked to watch, and reports a change when the test says.
class FakeFileWatcher : public FileWatcher {
  public:
    void watch(const std::vector<std::string>& paths) override { watched = paths; }
    void fire(const std::string& path) {
        if (changed) {
            changed(path);
        }
    }
    std::vector<std::string> watched;
};

} // namespace keepgate::testing

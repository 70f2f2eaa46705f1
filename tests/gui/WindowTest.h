#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/SystemPaths.h"
#include "qt/QtWindowSystem.h"
#include "support/TestSupport.h"

namespace keepgate::testing {

// What every test of the real windows starts from: the Qt window system in use, a settings store that
// keeps blocks in access files, and the system's paths as a fresh start finds them.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureQtApplication();
        windowSystem = std::make_shared<qt::QtWindowSystem>();
        ui::setWindowSystem(windowSystem);
        defaults = std::make_shared<MemoryDefaultsStore>();
        defaults->setString(constants::kProtectionSettingsKey, constants::kAccessFileMode);
        defaults->setString(constants::kDefaultAccessFilenameKey, constants::kDefaultAccessFilename);
        setStandardUserDefaults(defaults);
        systemPaths() = SystemPaths{};
    }
    void TearDown() override {
        setStandardUserDefaults(nullptr);
        ui::setWindowSystem(nullptr);
    }

    std::shared_ptr<qt::QtWindowSystem> windowSystem;
    std::shared_ptr<MemoryDefaultsStore> defaults;
};

} // namespace keepgate::testing

#pragma once

#include <QSettings>
#include <memory>

#include "platform/DefaultsStore.h"

namespace keepgate::qt {

// The preferences in the platform's own per-user store (on Linux an INI file under the XDG
// configuration folder, on macOS the application's defaults domain), organisation and application "Keepgate".
class SettingsDefaultsStore : public DefaultsStore {
  public:
    SettingsDefaultsStore();
    // A store in a given file, for tools and tests that must not touch the user's own preferences.
    explicit SettingsDefaultsStore(const QString& iniFile);

    std::optional<Value> objectForKey(const std::string& key) const override;
    void setObject(const std::string& key, const Value& value) override;
    void removeObjectForKey(const std::string& key) override;
    bool synchronize() override;

    QSettings& settings() { return *settings_; }

  private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace keepgate::qt

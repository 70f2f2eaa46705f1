#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/Value.h"

namespace keepgate {

// The per-user preferences store. Readers share one set of rules: a string reads as its text or
// absent; a boolean reads false when absent; an integer reads the leading number of the text, 0 otherwise.
class DefaultsStore {
public:
    virtual ~DefaultsStore() = default;

    virtual std::optional<Value> objectForKey(const std::string& key) const = 0;
    virtual void setObject(const std::string& key, const Value& value) = 0;
    virtual void removeObjectForKey(const std::string& key) = 0;
    // Flushes to permanent storage; returns false when that failed.
    virtual bool synchronize() = 0;

    std::optional<std::string> stringForKey(const std::string& key) const;
    bool boolForKey(const std::string& key) const;
    long long integerForKey(const std::string& key) const;
    void setString(const std::string& key, const std::string& value) { setObject(key, Value(value)); }
    void setBool(const std::string& key, bool value) { setObject(key, Value(value ? 1 : 0)); }
};

// Holds the values in memory only: the store of tests and of the windowless core.
class MemoryDefaultsStore : public DefaultsStore {
public:
    std::optional<Value> objectForKey(const std::string& key) const override;
    void setObject(const std::string& key, const Value& value) override { values_[key] = value; }
    void removeObjectForKey(const std::string& key) override { values_.erase(key); }
    bool synchronize() override {
        ++synchronizeCount;
        return true;
    }
    const std::map<std::string, Value>& values() const { return values_; }
    int synchronizeCount = 0;

private:
    std::map<std::string, Value> values_;
};

// The application's store (standardUserDefaults); a memory store until one is installed.
DefaultsStore& standardUserDefaults();
void setStandardUserDefaults(std::shared_ptr<DefaultsStore> store);

// Access-file mode is the stored integer 1; every other value means configuration-file mode.
bool isAccessFileMode(const DefaultsStore& defaults);

} // namespace keepgate

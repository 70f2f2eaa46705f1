#include "platform/DefaultsStore.h"

#include "platform/Constants.h"

namespace keepgate {

std::optional<std::string> DefaultsStore::stringForKey(const std::string& key) const {
    const auto value = objectForKey(key);
    if (!value) {
        return std::nullopt;
    }
    return value->text();
}

bool DefaultsStore::boolForKey(const std::string& key) const {
    const auto value = objectForKey(key);
    if (!value) {
        return false;
    }
    if (value->isInteger()) {
        return value->integerValue() != 0;
    }
    const std::string text = value->text();
    if (text == "true" || text == "YES" || text == "yes" || text == "Y" || text == "y") {
        return true;
    }
    return value->integerValue() != 0;
}

long long DefaultsStore::integerForKey(const std::string& key) const {
    const auto value = objectForKey(key);
    return value ? value->integerValue() : 0;
}

std::optional<Value> MemoryDefaultsStore::objectForKey(const std::string& key) const {
    const auto it = values_.find(key);
    if (it == values_.end()) {
        return std::nullopt;
    }
    return it->second;
}

namespace {
std::shared_ptr<DefaultsStore>& installedStore() {
    static std::shared_ptr<DefaultsStore> store = std::make_shared<MemoryDefaultsStore>();
    return store;
}
} // namespace

DefaultsStore& standardUserDefaults() { return *installedStore(); }

void setStandardUserDefaults(std::shared_ptr<DefaultsStore> store) {
    installedStore() = store ? std::move(store) : std::make_shared<MemoryDefaultsStore>();
}

bool isAccessFileMode(const DefaultsStore& defaults) {
    return defaults.integerForKey(constants::kProtectionSettingsKey) == 1;
}

} // namespace keepgate

#include "qt/SettingsDefaultsStore.h"

#include "qt/QtString.h"

namespace keepgate::qt {

SettingsDefaultsStore::SettingsDefaultsStore()
    : settings_(std::make_unique<QSettings>(QStringLiteral("Keepgate"), QStringLiteral("Keepgate"))) {}

SettingsDefaultsStore::SettingsDefaultsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

std::optional<Value> SettingsDefaultsStore::objectForKey(const std::string& key) const {
    const QVariant stored = settings_->value(toQString(key));
    if (!stored.isValid()) {
        return std::nullopt;
    }
    switch (stored.typeId()) {
    case QMetaType::Bool:
        return Value(stored.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return Value(stored.toLongLong());
    default:
        // A file store reads every value back as text; the readers' rules make "1" and 1 alike.
        return Value(fromQString(stored.toString()));
    }
}

void SettingsDefaultsStore::setObject(const std::string& key, const Value& value) {
    if (value.isInteger()) {
        settings_->setValue(toQString(key),
                            QVariant::fromValue(static_cast<qlonglong>(value.integerValue())));
    } else {
        settings_->setValue(toQString(key), toQString(value.text()));
    }
}

void SettingsDefaultsStore::removeObjectForKey(const std::string& key) {
    settings_->remove(toQString(key));
}

bool SettingsDefaultsStore::synchronize() {
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

} // namespace keepgate::qt

#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "platform/Constants.h"
#include "qt/SettingsDefaultsStore.h"

namespace keepgate::testing {
namespace {

class SettingsDefaultsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureQtApplication();
        qt::SettingsDefaultsStore store;
        store.settings().clear();
        store.synchronize();
    }
};

TEST_F(SettingsDefaultsStoreTest, LivesInTheApplicationsOwnStoreUnderTheConfigurationHome) {
    qt::SettingsDefaultsStore store;
    const QString file = QFileInfo(store.settings().fileName()).absoluteFilePath();
    EXPECT_TRUE(file.startsWith(testConfigHome())) << file.toStdString();
    EXPECT_TRUE(file.contains(QStringLiteral("Keepgate"))) << file.toStdString();
}

TEST_F(SettingsDefaultsStoreTest, StringsAndBooleansSurviveARestart) {
    const std::vector<std::pair<std::string, std::string>> strings = {
        {constants::kVersionKey, "0.7"},
        {constants::kDefaultAccessFilenameKey, "  .htaccess "},
        {constants::kConfigFilePathKey, "/Library/Web Server/keep%@gate.conf"},
        {"KGunicode", "Zürich, 東京"},
        {"KGleadingAt", "@Variant(x)"},
        {"KGnumberLike", "007"},
        {"KGempty", ""},
        {"KGlines", "one\ntwo;three,four=five"},
    };
    {
        qt::SettingsDefaultsStore store;
        for (const auto& [key, text] : strings) {
            store.setString(key, text);
        }
        store.setBool(constants::kCheckUpdatesKey, true);
        store.setBool(constants::kShowHiddenKey, false);
        store.setString(constants::kProtectionSettingsKey, "2");
        EXPECT_TRUE(store.synchronize());
    }
    qt::SettingsDefaultsStore reopened;
    for (const auto& [key, text] : strings) {
        SCOPED_TRACE(key);
        EXPECT_EQ(reopened.stringForKey(key), std::optional<std::string>(text));
    }
    EXPECT_TRUE(reopened.boolForKey(constants::kCheckUpdatesKey));
    EXPECT_FALSE(reopened.boolForKey(constants::kShowHiddenKey));
    EXPECT_EQ(reopened.integerForKey(constants::kProtectionSettingsKey), 2);
    EXPECT_FALSE(isAccessFileMode(reopened));
}

TEST_F(SettingsDefaultsStoreTest, FollowsTheReadingRules) {
    qt::SettingsDefaultsStore store;
    // Absent keys: no string, false, 0 (configuration-file mode).
    EXPECT_EQ(store.stringForKey(constants::kVersionKey), std::nullopt);
    EXPECT_FALSE(store.boolForKey(constants::kCheckUpdatesKey));
    EXPECT_EQ(store.integerForKey(constants::kProtectionSettingsKey), 0);

    const std::vector<std::pair<std::string, long long>> integers = {{"1", 1}, {"2", 2}, {"abc", 0}, {"", 0}};
    for (const auto& [text, number] : integers) {
        SCOPED_TRACE(text);
        store.setString(constants::kProtectionSettingsKey, text);
        EXPECT_EQ(store.integerForKey(constants::kProtectionSettingsKey), number);
    }
    store.setString(constants::kProtectionSettingsKey, "1");
    EXPECT_TRUE(isAccessFileMode(store));

    // A boolean written by another program as "true" or "false" reads as such.
    store.settings().setValue(QStringLiteral("KGcheckUpdates"), QStringLiteral("true"));
    EXPECT_TRUE(store.boolForKey(constants::kCheckUpdatesKey));
    store.settings().setValue(QStringLiteral("KGcheckUpdates"), QStringLiteral("false"));
    EXPECT_FALSE(store.boolForKey(constants::kCheckUpdatesKey));

    store.removeObjectForKey(constants::kProtectionSettingsKey);
    EXPECT_EQ(store.objectForKey(constants::kProtectionSettingsKey), std::nullopt);
}

} // namespace
} // namespace keepgate::testing

#include <gtest/gtest.h>

#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

class PreferencesControllerTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        prefs.controller.awakeFromNib();
    }

    std::optional<Value> stored(const std::string& key) const { return defaults->objectForKey(key); }

    PreferencesLayout prefs;
};

const std::map<std::string, Value> kDefaults = {
    {"KGversion", "0.7"},
    {"KGcheckUpdates", 1},
    {"KGshowHidden", 0},
    {"KGdefaultAccessFilename", ".htaccess"},
    {"KGconfigFilePathField", "/Library/WebServer/keepgate.conf"},
    {"KGprotectionSettings", "1"},
};

TEST_F(PreferencesControllerTest, RestoreWritesTheDefaultsAndShowsThemWithoutClosingTheWindow) {
    defaults->setString("KGprotectionSettings", "2");
    defaults->setString("KGconfigFilePathField", "/elsewhere.conf");
    defaults->setBool("KGshowHidden", true);
    defaults->setString("KGother", "kept");
    prefs.controller.showWindow();
    prefs.configFilePathField.text = "typed but not saved";

    prefs.controller.restoreDefaults();

    auto expected = kDefaults;
    expected["KGother"] = "kept";
    EXPECT_EQ(defaults->values(), expected);
    EXPECT_TRUE(prefs.theWindow.visible);
    EXPECT_EQ(prefs.configFilePathField.text, "/Library/WebServer/keepgate.conf");
    EXPECT_EQ(prefs.defaultAccessFilenameField.text, ".htaccess");
    EXPECT_EQ(prefs.checkForUpdates.buttonState, 1);
    EXPECT_EQ(prefs.showHiddenFiles.buttonState, 0);
    EXPECT_EQ(prefs.protectionSettingsHtaccessRB.buttonState, 1);
    EXPECT_EQ(prefs.protectionSettingsConfigRB.buttonState, 0);
    // Closing without saving keeps the restored values.
    prefs.theWindow.orderOut();
    EXPECT_EQ(stored("KGprotectionSettings"), Value("1"));
}

TEST_F(PreferencesControllerTest, WindowlessRestoreWritesTheStore) {
    PreferencesController windowless;
    windowless.restoreDefaults();
    EXPECT_EQ(defaults->values(), kDefaults);
    EXPECT_EQ(windowless.defaults, defaults.get());
    windowless.showWindow();
    windowless.setDefaults();
}

TEST_F(PreferencesControllerTest, SaveWritesTheControlsAndClosesTheWindow) {
    const struct {
        const char* name;
        std::string path, filename;
        bool htaccess, updates, hidden;
        std::string storedPath, storedName, storedMode;
    } cases[] = {
        {"typed values, access-file mode", "/srv/k.conf", ".access", true, true, false, "/srv/k.conf",
         ".access", "1"},
        {"configuration-file mode", "/srv/k.conf", ".htaccess", false, false, true, "/srv/k.conf",
         ".htaccess", "2"},
        {"empty fields take the defaults", "", "", false, true, true, "/Library/WebServer/keepgate.conf",
         ".htaccess", "2"},
        {"blanks are kept as typed", "  ", "  ", true, false, false, "  ", "  ", "1"},
        {"percent signs are kept", "/srv/100%.conf", "%@", true, false, false, "/srv/100%.conf", "%@", "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        defaults->setString("KGversion", "0.1");
        prefs.controller.showWindow();
        prefs.configFilePathField.text = c.path;
        prefs.defaultAccessFilenameField.text = c.filename;
        prefs.protectionSettingsHtaccessRB.buttonState = c.htaccess ? 1 : 0;
        prefs.protectionSettingsConfigRB.buttonState = c.htaccess ? 0 : 1;
        prefs.checkForUpdates.buttonState = c.updates ? 1 : 0;
        prefs.showHiddenFiles.buttonState = c.hidden ? 1 : 0;
        const int flushes = defaults->synchronizeCount;

        prefs.controller.savePrefs();

        EXPECT_EQ(stored("KGconfigFilePathField"), Value(c.storedPath));
        EXPECT_EQ(stored("KGdefaultAccessFilename"), Value(c.storedName));
        EXPECT_EQ(stored("KGprotectionSettings"), Value(c.storedMode));
        EXPECT_EQ(defaults->boolForKey("KGcheckUpdates"), c.updates);
        EXPECT_EQ(defaults->boolForKey("KGshowHidden"), c.hidden);
        EXPECT_EQ(stored("KGversion"), Value("0.7"));
        // The fields show what was stored, defaults included.
        EXPECT_EQ(prefs.configFilePathField.text, c.storedPath);
        EXPECT_EQ(prefs.defaultAccessFilenameField.text, c.storedName);
        EXPECT_EQ(defaults->synchronizeCount, flushes + 1);
        EXPECT_FALSE(prefs.theWindow.visible);
    }
}

TEST_F(PreferencesControllerTest, OnlyTheAccessFileButtonDecidesTheMode) {
    prefs.protectionSettingsHtaccessRB.buttonState = 0;
    prefs.protectionSettingsConfigRB.buttonState = 0;
    prefs.controller.savePrefs();
    EXPECT_EQ(stored("KGprotectionSettings"), Value("2"));
}

TEST_F(PreferencesControllerTest, ShowingTheWindowDropsUnsavedEdits) {
    defaults->setString("KGdefaultAccessFilename", ".access");
    defaults->setString("KGconfigFilePathField", "/srv/k.conf");
    defaults->setBool("KGcheckUpdates", false);
    defaults->setBool("KGshowHidden", true);
    defaults->setString("KGprotectionSettings", "2");
    prefs.controller.showWindow();
    prefs.defaultAccessFilenameField.text = "edited";
    prefs.configFilePathField.text = "edited";
    prefs.checkForUpdates.buttonState = 1;
    prefs.showHiddenFiles.buttonState = 0;
    prefs.protectionSettingsHtaccessRB.buttonState = 1;
    prefs.protectionSettingsConfigRB.buttonState = 0;
    prefs.theWindow.orderOut();

    prefs.controller.showWindow();

    EXPECT_TRUE(prefs.theWindow.visible);
    EXPECT_EQ(prefs.theWindow.frontCount, 2);
    EXPECT_EQ(prefs.defaultAccessFilenameField.text, ".access");
    EXPECT_EQ(prefs.configFilePathField.text, "/srv/k.conf");
    EXPECT_EQ(prefs.checkForUpdates.buttonState, 0);
    EXPECT_EQ(prefs.showHiddenFiles.buttonState, 1);
    EXPECT_EQ(prefs.protectionSettingsHtaccessRB.buttonState, 0);
    EXPECT_EQ(prefs.protectionSettingsConfigRB.buttonState, 1);
    EXPECT_EQ(stored("KGdefaultAccessFilename"), Value(".access"));
}

// Both values reach lines Apache reads: a refused one stops the save with the field and the offender named.
TEST_F(PreferencesControllerTest, PathsAndNamesApacheWouldMisreadAreRefusedAndNothingIsStored) {
    const struct {
        const char* field;
        std::string configPath, accessName;
        const char* offender;
    } cases[] = {
        {"shared configuration file path", "/etc/\"x.conf", ".htaccess", "double quote"},
        {"shared configuration file path", "/etc/x\n.conf", ".htaccess", "line break"},
        {"shared configuration file path", "${HOME}/x.conf", ".htaccess", "${"},
        {"access file name", "/etc/x.conf", "../.htaccess", "slash"},
        {"access file name", "/etc/x.conf", "..", "\"..\""},
        {"access file name", "/etc/x.conf", ".", "\".\""},
        {"access file name", "/etc/x.conf", "a\x1b", "escape"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.configPath + " / " + c.accessName);
        prefs.controller.restoreDefaults();
        const auto before = defaults->values();
        windows->alerts.clear();
        prefs.controller.showWindow();
        prefs.configFilePathField.text = c.configPath;
        prefs.defaultAccessFilenameField.text = c.accessName;
        prefs.checkForUpdates.buttonState = 0;
        prefs.controller.savePrefs();
        EXPECT_EQ(defaults->values(), before);
        EXPECT_TRUE(prefs.theWindow.visible) << "the window stays open for a correction";
        EXPECT_EQ(prefs.configFilePathField.text, c.configPath);
        EXPECT_EQ(prefs.defaultAccessFilenameField.text, c.accessName);
        ASSERT_EQ(windows->alerts.size(), 1u);
        const std::string& message = windows->alerts[0].alert.message;
        EXPECT_NE(message.find(c.field), std::string::npos) << message;
        EXPECT_NE(message.find(c.offender), std::string::npos) << message;
        EXPECT_NE(message.find("Nothing was saved."), std::string::npos) << message;
        windows->pending.clear();
    }
}

TEST_F(PreferencesControllerTest, AnyModeOtherThanOneShowsConfigurationFileMode) {
    const struct {
        std::optional<std::string> mode;
        int htaccess;
    } cases[] = {{"1", 1}, {"2", 0}, {"0", 0}, {"abc", 0}, {std::nullopt, 0}, {"1x", 1}};
    for (const auto& c : cases) {
        if (c.mode) {
            defaults->setString("KGprotectionSettings", *c.mode);
        } else {
            defaults->removeObjectForKey("KGprotectionSettings");
        }
        prefs.controller.setDefaults();
        EXPECT_EQ(prefs.protectionSettingsHtaccessRB.buttonState, c.htaccess) << c.mode.value_or("<missing>");
        EXPECT_EQ(prefs.protectionSettingsConfigRB.buttonState, 1 - c.htaccess)
            << c.mode.value_or("<missing>");
    }
}

} // namespace
} // namespace keepgate::testing

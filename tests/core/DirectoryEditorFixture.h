#pragma once

#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Constants.h"
#include "support/Layouts.h"
#include "support/TestSupport.h"

namespace keepgate::testing {

enum class Mode { AccessFile, ConfigFile };

inline void PrintTo(Mode mode, std::ostream* out) {
    *out << (mode == Mode::AccessFile ? "access-file mode" : "configuration-file mode");
}

inline std::string modeName(const ::testing::TestParamInfo<Mode>& info) {
    return info.param == Mode::AccessFile ? "AccessFile" : "ConfigFile";
}

// The directory editor in one of its two modes, with a user file, a group file and an empty directory.
class DirectoryEditorTest : public HeadlessTest, public ::testing::WithParamInterface<Mode> {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        writeFile(usersPath, "alice:$apr1$a\nbob:$apr1$b\ncarol:$apr1$c\n");
        writeFile(groupsPath, "staff: alice bob\nadmins: carol\n");
        writeFile(site + "/index.html", "hello\n");
        useMode(GetParam());
    }

    void useMode(Mode mode) {
        defaults->setString(constants::kProtectionSettingsKey, mode == Mode::AccessFile
                                                                   ? constants::kAccessFileMode
                                                                   : constants::kConfigFileMode);
        defaults->setString(constants::kDefaultAccessFilenameKey, ".htaccess");
        defaults->setString(constants::kConfigFilePathKey, configPath);
    }
    bool accessFileMode() const { return GetParam() == Mode::AccessFile; }

    // The file that holds a directory's block in the current mode.
    std::string blockFile(const std::string& directory) const {
        return accessFileMode() ? directory + "/.htaccess" : configPath;
    }
    // Stores a block for the directory as a user or an earlier save would have left it.
    void putBlock(const std::string& directory, const std::string& block,
                  const std::string& otherConfig = "") {
        if (accessFileMode()) {
            writeFile(directory + "/.htaccess", block);
        } else {
            writeFile(configPath,
                      otherConfig + "<Directory \"" + directory + "\">\n" + block + "</Directory>\n");
        }
    }
    // What the editor writes for a block: the access file's whole text, or the section after the kept text.
    std::string stored(const std::string& directory, const std::string& block,
                       const std::string& kept = "") const {
        if (accessFileMode()) {
            return block;
        }
        return kept + "<Directory \"" + directory + "\">\n" + block + "\n</Directory>\n";
    }

    void load(const std::string& directory) {
        editor.directory.selectDirectory();
        windows->answer(1, {directory});
    }
    void save() { editor.directory.saveProtection(); }

    std::vector<std::string> errorMessages() const {
        std::vector<std::string> messages;
        for (const auto& shown : windows->alerts) {
            if (shown.alert.title == "Error!") {
                messages.push_back(shown.alert.message);
            }
        }
        return messages;
    }

    const std::string usersPath = temp / "users";
    const std::string groupsPath = temp / "groups";
    const std::string configPath = temp / "keepgate.conf";
    const std::string site = temp / "site";
    DirectoryEditorLayout editor;
};

} // namespace keepgate::testing

#include <functional>

#include "core/DirectoryEditorFixture.h"

namespace keepgate::testing {
namespace {

using DirectoryRefusalTest = DirectoryEditorTest;

// Every value the validator refuses, entered through the editor's own fields and tables: the save stops
// with one alert naming the field and the offender, nothing reaches the disk, and the fields stay as typed.
TEST_P(DirectoryRefusalTest, EachFieldRefusesWhatApacheWouldMisreadAndWritesNothing) {
    writeFile(temp / "odd-users", "a\vb:x\ntrail\\:x\npct%{x}:x\nok:x\n");
    writeFile(temp / "odd-groups", "g\fh: ok\nexp${G}: ok\n");
    const std::string quotedFile = temp / "say \"users\"";
    writeFile(quotedFile, "ok:x\n");
    const auto markUser = [this](int row) {
        return [this, row](DirectoryEditorLayout& e) {
            e.userfileField.text = temp / "odd-users";
            e.directory.reloadUserfile();
            e.userfileView.clickCheckBox(row);
        };
    };
    const auto markGroup = [this](int row) {
        return [this, row](DirectoryEditorLayout& e) {
            e.groupfileField.text = temp / "odd-groups";
            e.directory.reloadGroupfile();
            e.groupfileView.clickCheckBox(row);
        };
    };
    const auto host = [](std::string value) {
        return [value](DirectoryEditorLayout& e) {
            e.directoryAccess.addRecord();
            e.accessView.editCell(value, "hostnameip", 0);
            e.denyAllOthersCB.buttonState = 1;
        };
    };
    const auto realm = [](std::string value) {
        return [value](DirectoryEditorLayout& e) {
            e.authnameField.text = value;
            e.denyAllOthersCB.buttonState = 1;
        };
    };
    const struct Case {
        const char* field;
        const char* offender;
        std::function<void(DirectoryEditorLayout&)> edit;
    } cases[] = {
        {"realm name", "double quote", realm("say \"hi\"")},
        {"realm name", "%{", realm("%{REMOTE_USER}")},
        {"realm name", "${", realm("${HOME}")},
        {"realm name", "ends with a backslash", realm("Members\\")},
        {"realm name", "vertical tab", realm("a\vb")},
        {"realm name", "line break", realm("a\r")},
        {"realm name", "8190", realm(std::string(8200, 'r'))},
        {"user name", "vertical tab", markUser(0)},
        {"user name", "ends with a backslash", markUser(1)},
        {"user name", "%{", markUser(2)},
        {"group name", "form feed", markGroup(0)},
        {"group name", "${", markGroup(1)},
        {"host", "deny all others", host("all")},
        {"host", "blank", host("10.0.0.1 10.0.0.2")},
        {"host", "#", host("10.0.0.1#x")},
        {"host", "300.1.1.1", host("300.1.1.1")},
        {"host", "/99", host("10.0.0.0/99")},
        {"host", "ends with a backslash", host("example.org\\")},
        {"user file path", "double quote",
         [&](auto& e) {
             e.userfileField.text = quotedFile;
             e.denyAllOthersCB.buttonState = 1;
         }},
    };
    const std::string earlier = stored(site, "AuthType Basic\nAuthName \"Old\"\nDeny from all\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + ": " + c.offender);
        writeFile(blockFile(site), earlier);
        load(site);
        windows->alerts.clear();
        c.edit(editor);
        const std::string typedRealm = editor.authnameField.text;
        save();
        EXPECT_EQ(readFile(blockFile(site)), earlier);
        EXPECT_EQ(editor.authnameField.text, typedRealm);
        ASSERT_EQ(errorMessages().size(), 1u);
        const std::string message = errorMessages()[0];
        EXPECT_NE(message.find("The " + std::string(c.field)), std::string::npos) << message;
        EXPECT_NE(message.find(c.offender), std::string::npos) << message;
        EXPECT_NE(message.find("Nothing was saved."), std::string::npos) << message;
        windows->pending.clear();
    }
}

// A directory path Apache would misread cannot head a section: refused at load and at save.
TEST_P(DirectoryRefusalTest, ADirectoryPathApacheWouldMisreadHasNoSection) {
    for (const std::string name : {"${HOME}", "trailing\\", "say \"hi\""}) {
        SCOPED_TRACE(name);
        const std::string directory = temp / name;
        writeFile(directory + "/index.html", "");
        windows->alerts.clear();
        useMode(Mode::ConfigFile);
        load(directory);
        EXPECT_NE(editor.directoryField.text, directory) << "the directory is not loaded";
        ASSERT_EQ(errorMessages().size(), 1u);
        EXPECT_NE(errorMessages()[0].find(directory), std::string::npos);
        windows->pending.clear();
        // Loaded in access-file mode, then saved after switching: refused before anything is written.
        useMode(Mode::AccessFile);
        load(directory);
        useMode(Mode::ConfigFile);
        editor.denyAllOthersCB.buttonState = 1;
        save();
        EXPECT_EQ(readFile(configPath), "<missing>");
        ASSERT_EQ(errorMessages().size(), 2u);
        EXPECT_NE(errorMessages()[1].find("Nothing was saved."), std::string::npos);
        windows->pending.clear();
    }
}

TEST_P(DirectoryRefusalTest, ASaveThatProtectsNothingIsRefused) {
    const struct {
        const char* name;
        std::function<void(DirectoryEditorLayout&)> edit;
        bool refused;
    } cases[] = {
        {"nothing marked", [](auto&) {}, true},
        {"allow rules under deny,allow admit everyone",
         [](auto& e) {
             e.directoryAccess.addRecord();
             e.accessView.editCell("Allow", "denyallow", 0);
             e.accessView.editCell("10.0.0.1", "hostnameip", 0);
         },
         true},
        {"allow rules under allow,deny keep the others out",
         [](auto& e) {
             e.directoryAccess.addRecord();
             e.accessView.editCell("Allow", "denyallow", 0);
             e.accessView.editCell("10.0.0.1", "hostnameip", 0);
             e.orderAllowRB.buttonState = 1;
             e.orderDenyRB.buttonState = 0;
         },
         false},
        {"a deny rule",
         [](auto& e) {
             e.directoryAccess.addRecord();
             e.accessView.editCell("10.0.0.1", "hostnameip", 0);
         },
         false},
        {"deny all others", [](auto& e) { e.denyAllOthersCB.buttonState = 1; }, false},
        {"all users", [](auto& e) { e.allusersCB.buttonState = 1; }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove(blockFile(site).c_str());
        windows->alerts.clear();
        load(site);
        c.edit(editor);
        save();
        if (c.refused) {
            EXPECT_EQ(readFile(blockFile(site)), "<missing>");
            ASSERT_EQ(errorMessages().size(), 1u);
            EXPECT_NE(errorMessages()[0].find("would stay open to everyone"), std::string::npos);
            EXPECT_NE(errorMessages()[0].find("Nothing was saved."), std::string::npos);
            windows->pending.clear();
        } else {
            EXPECT_NE(readFile(blockFile(site)), "<missing>");
            EXPECT_TRUE(errorMessages().empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothModes, DirectoryRefusalTest,
                         ::testing::Values(Mode::AccessFile, Mode::ConfigFile), modeName);

} // namespace
} // namespace keepgate::testing

// Removing protection is as careful as saving it: the reload offer, administrator rights where the user's
// own do not reach, success said only after success, and protection found wherever it is kept.

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

#include "DirectoryEditorFixture.h"
#include "platform/SystemPaths.h"

namespace keepgate::testing {
namespace {

const std::string kBlock = "AuthType Basic\nAuthName \"Team\"\nAuthUserFile USERS\nRequire user alice\n";

class RemovalTest : public DirectoryEditorTest {
  protected:
    void SetUp() override {
        DirectoryEditorTest::SetUp();
        block = kBlock;
        block.replace(block.find("USERS"), 5, usersPath);
        writeScript(temp / "launcher", "exec \"$@\"\n");
        systemPaths().privilegedLauncher = temp / "launcher";
    }
    void remove() {
        editor.directory.removeProtection();
        windows->answer(1);
    }
    bool removedSaid() const {
        return std::find(windows->statusMessages.begin(), windows->statusMessages.end(),
                         "Removed protection") != windows->statusMessages.end();
    }
    std::string block;
};

using ConfigFileRemoval = RemovalTest;

TEST_P(ConfigFileRemoval, IsTestedByTheServerAndOffersTheReload) {
    systemPaths().serverDetected = true;
    systemPaths().serverRoot = temp.path();
    systemPaths().mainConfig = temp / "httpd.conf";
    systemPaths().controlProgram = temp / "apache2ctl";
    writeScript(temp / "apache2ctl", "echo \"$@\" >> '" + temp / "ctl.log" + "'\n");
    writeFile(temp / "httpd.conf", "Include " + configPath + "\n");
    putBlock(site, block, "<Directory \"/srv\">\nRequire all denied\n</Directory>\n");
    load(site);

    remove();

    EXPECT_EQ(readFile(configPath), "<Directory \"/srv\">\nRequire all denied\n</Directory>\n");
    EXPECT_TRUE(removedSaid());
    EXPECT_EQ(editor.directoryField.text, "");
    EXPECT_NE(readFile(temp / "ctl.log").find("-t -f " + temp / "httpd.conf"), std::string::npos);
    ASSERT_TRUE(windows->hasPendingSheet());
    EXPECT_EQ(windows->pendingSheet().alert.defaultButton, "Reload the web server now");
}

INSTANTIATE_TEST_SUITE_P(ConfigFile, ConfigFileRemoval, ::testing::Values(Mode::ConfigFile), modeName);

using AccessFileRemoval = RemovalTest;

// The folder belongs to the administrator: the user's removal fails and the error offers administrator
// rights; until they have done it nothing says the protection is gone and the form stays.
TEST_P(AccessFileRemoval, ARootOwnedAccessFileOffersAdministratorRights) {
    chmod(temp.path().c_str(), 0755);
    putBlock(site, block);
    chmod(site.c_str(), 0555);
    load(site);
    const uid_t unprivileged = 65534;
    for (const int answer : {0, 1}) {
        SCOPED_TRACE(answer ? "Write with administrator rights" : "Cancel");
        if (geteuid() == 0) {
            ASSERT_EQ(seteuid(unprivileged), 0);
        }
        remove();
        if (getuid() == 0) {
            ASSERT_EQ(seteuid(0), 0);
        }
        ASSERT_TRUE(windows->hasPendingSheet());
        EXPECT_EQ(windows->pendingSheet().alert.defaultButton, "Write with administrator rights");
        EXPECT_NE(windows->pendingSheet().alert.message.find(site + "/.htaccess could not be removed"),
                  std::string::npos)
            << windows->pendingSheet().alert.message;
        EXPECT_FALSE(removedSaid());
        windows->answer(answer);
        if (answer == 0) {
            EXPECT_EQ(readFile(site + "/.htaccess"), block);
            EXPECT_FALSE(removedSaid());
            EXPECT_EQ(editor.directoryField.text, site);
        }
    }
    chmod(site.c_str(), 0755);
    // The helper replaces files but never deletes them: emptied, the file protects nothing.
    EXPECT_EQ(readFile(site + "/.htaccess"), "");
    EXPECT_TRUE(removedSaid());
    EXPECT_EQ(editor.directoryField.text, "");
}

// The preference says access files, the protection is in the shared file: it is shown, the window says
// where it is, and it can be edited there or moved.
TEST_P(AccessFileRemoval, ProtectionKeptInTheOtherPlaceIsFoundEditedThereOrMoved) {
    const std::string other = "<Directory \"/srv\">\nRequire all denied\n</Directory>\n";
    const std::string section = other + "<Directory \"" + site + "\">\n" + block + "</Directory>\n";
    for (const int answer : {0, 1}) {
        SCOPED_TRACE(answer ? "Move It" : "Edit It There");
        writeFile(configPath, section);
        windows->alerts.clear();
        load(site);
        ASSERT_TRUE(windows->hasPendingSheet());
        const auto& offer = windows->pendingSheet().alert;
        EXPECT_EQ(offer.title, "Protection Kept Elsewhere");
        EXPECT_NE(offer.message.find("kept in the section for it in " + configPath +
                                     ", not in the .htaccess "
                                     "file in " +
                                     site),
                  std::string::npos)
            << offer.message;
        EXPECT_EQ(offer.defaultButton, "Move It");
        EXPECT_EQ(offer.alternateButton, "Edit It There");
        EXPECT_TRUE(offer.destructive) << "Return and Escape leave the protection where it is";
        EXPECT_EQ(editor.authnameField.text, "Team");
        windows->answer(answer);
        if (answer == 0) {
            // Edited where it is: the removal takes it out of the shared file, and no access file appears.
            remove();
            EXPECT_EQ(readFile(configPath), other);
            EXPECT_EQ(readFile(site + "/.htaccess"), "<missing>");
            EXPECT_TRUE(removedSaid());
        } else {
            EXPECT_EQ(readFile(site + "/.htaccess"), block);
            EXPECT_EQ(readFile(configPath), other);
            EXPECT_EQ(windows->statusLine(),
                      "Moved the protection of " + site + " to the .htaccess file in " + site);
            EXPECT_EQ(editor.directoryField.text, site);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AccessFile, AccessFileRemoval, ::testing::Values(Mode::AccessFile), modeName);

} // namespace
} // namespace keepgate::testing

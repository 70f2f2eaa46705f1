// The one amendment path of the window and the command line, on a Debian-like throw-away layout: the fix
// goes into Keepgate's own file in conf-available and is enabled with a2enconf, the server's own test
// runs before anything is installed, a refusal leaves or puts back every byte and link, and a second fix
// changes nothing.

#include <filesystem>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "operations/ServerAdmin.h"
#include "platform/SystemPaths.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

using operations::Outcome;
using operations::ServerAdmin;
using operations::Status;

// Every file's bytes and every link's target under a folder.
std::map<std::string, std::string> snapshot(const std::string& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_symlink()) {
            entries[entry.path().string()] = "-> " + std::filesystem::read_symlink(entry.path()).string();
        } else if (entry.is_regular_file()) {
            entries[entry.path().string()] = readFile(entry.path().string());
        }
    }
    return entries;
}

class ServerAmendmentTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        root = temp / "apache2";
        for (const char* folder : {"conf-available", "conf-enabled", "mods-available"}) {
            std::filesystem::create_directories(root + "/" + folder);
        }
        main = root + "/apache2.conf";
        writeFile(main,
                  "DocumentRoot /var/www/html\n<Directory /var/www/>\n\tAllowOverride None\n</Directory>\n"
                  "IncludeOptional conf-enabled/*.conf\n");
        // The server's test refuses every configuration while "refuse" exists, and only the installed
        // main configuration while "refuse-installed" does (the new file read in its real place).
        writeScript(root + "/bin/apache2ctl",
                    "[ \"$1\" = -t ] || exit 0\nif [ -f '" + temp / "refuse" + "' ] || { [ -f '" +
                        temp / "refuse-installed" + "' ] && [ \"$3\" = '" + main +
                        "' ]; }; then echo \"AH00526: Syntax error on line 2 of $3\" >&2; exit 1; fi\n"
                        "echo 'Syntax OK' >&2\n");
        writeScript(root + "/bin/a2enmod", "exit 0\n");
        writeScript(root + "/bin/a2enconf",
                    "echo \"$1\" >> '" + temp / "enabled" + "'\n[ -f '" + root +
                        "/conf-available/'\"$1\".conf ] || exit 1\nln -s ../conf-available/\"$1\".conf '" +
                        root + "/conf-enabled/'\"$1\".conf\n");
        writeScript(temp / "launcher", "exec \"$@\"\n");
        systemPaths().privilegedLauncher = temp / "launcher";
        profile.mainConfig = main;
        profile.serverRoot = root;
        profile.controlProgram = root + "/bin/apache2ctl";
        profile.enableModuleProgram = root + "/bin/a2enmod";
    }

    std::string enablings() const {
        const std::string log = readFile(temp / "enabled");
        return log == "<missing>" ? "" : log;
    }

    std::string root, main;
    ServerProfile profile;
    const Finding overrides{FindingKind::OverridesIgnored, "", "/var/www/html", true};
    const std::string section =
        "<Directory \"/var/www/html\">\n    AllowOverride AuthConfig Limit\n</Directory>\n";
};

TEST_F(ServerAmendmentTest, WritesKeepgatesOwnFileEnablesItAndChangesNothingTheSecondTime) {
    const std::string own = root + "/conf-available/keepgate.conf";
    const std::string packaged = readFile(main);

    const Outcome planned = ServerAdmin::plannedFix(profile, overrides);
    ASSERT_TRUE(planned.ok()) << planned.message;
    ASSERT_EQ(planned.changes.size(), 1u);
    EXPECT_EQ(planned.changes[0].path, own);
    EXPECT_EQ(planned.changes[0].before, std::nullopt);
    EXPECT_EQ(planned.changes[0].after, section);
    ASSERT_EQ(planned.steps.size(), 1u);
    EXPECT_EQ(planned.steps[0].helperArguments, (std::vector<std::string>{"enable-conf", "keepgate"}));
    EXPECT_EQ(planned.steps[0].text(), root + "/bin/a2enconf keepgate");
    EXPECT_EQ(readFile(own), "<missing>") << "a plan wrote";

    const Outcome done = ServerAdmin::fix(profile, overrides);
    ASSERT_TRUE(done.ok()) << done.message;
    EXPECT_EQ(readFile(own), section);
    EXPECT_EQ(std::filesystem::read_symlink(root + "/conf-enabled/keepgate.conf"),
              "../conf-available/keepgate.conf");
    EXPECT_EQ(readFile(main), packaged) << "the packaged main configuration changed";
    EXPECT_NE(done.message.find("Enabled keepgate with a2enconf"), std::string::npos) << done.message;
    const operations::CheckSubject subject{"/var/www/html/private", true, "", "", "", false, true};
    for (const auto& finding : ServerAdmin::check(profile, subject)) {
        EXPECT_NE(finding.kind, FindingKind::OverridesIgnored) << finding.message;
    }

    const auto before = snapshot(temp.path());
    const Outcome again = ServerAdmin::fix(profile, overrides);
    EXPECT_TRUE(again.ok()) << again.message;
    EXPECT_NE(again.message.find("nothing was changed"), std::string::npos) << again.message;
    EXPECT_EQ(snapshot(temp.path()), before) << "the second fix changed bytes";
    EXPECT_EQ(enablings(), "keepgate\n") << "a2enconf ran again";
}

TEST_F(ServerAmendmentTest, RefusalOfTheServersTestLeavesOrPutsBackEveryFile) {
    // An earlier section of Keepgate's own file, enabled already, must come back byte for byte.
    const std::string own = root + "/conf-available/keepgate.conf";
    const std::string other = "<Directory \"/srv\">\n    AllowOverride AuthConfig\n</Directory>\n";
    const struct {
        const char* name;
        const char* marker;
        bool enabledBefore;
        const char* enablingRuns;
    } cases[] = {
        {"refused before anything is installed", "refuse", false, ""},
        {"refused once in place: the new file and its link go", "refuse-installed", false, "keepgate\n"},
        {"refused once in place: the earlier file comes back", "refuse-installed", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(temp / "enabled");
        std::filesystem::remove(root + "/conf-enabled/keepgate.conf");
        std::filesystem::remove(own);
        if (c.enabledBefore) {
            writeFile(own, other);
            std::filesystem::create_symlink("../conf-available/keepgate.conf",
                                            root + "/conf-enabled/keepgate.conf");
        }
        const auto before = snapshot(root);
        writeFile(temp / c.marker, "");

        const Outcome refused = ServerAdmin::fix(profile, overrides);

        std::filesystem::remove(temp / c.marker);
        EXPECT_EQ(refused.status, Status::ServerFailed) << refused.message;
        EXPECT_NE(refused.message.find("Keepgate could not change " + own), std::string::npos)
            << refused.message;
        EXPECT_NE(refused.message.find("AH00526"), std::string::npos) << refused.message;
        EXPECT_EQ(snapshot(root), before) << refused.message;
        EXPECT_EQ(enablings(), c.enablingRuns);
    }
}

} // namespace
} // namespace keepgate::testing

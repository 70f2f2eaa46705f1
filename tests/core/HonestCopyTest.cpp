#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/SystemPaths.h"
#include "services/AdmTools.h"
#include "services/PrivilegedCopy.h"
#include "support/TestSupport.h"

namespace keepgate {
namespace {

using testing::HeadlessTest;

class HonestCopyTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        systemPaths().privilegedLauncher = temp / "pkexec";
        // The destinations lie in the server's configuration folder, where the helper's table admits them.
        systemPaths().mainConfig = temp / "etc/httpd.conf";
        testing::writeFile(temp / "etc/to.conf", "old config\n");
    }

    // Files the privileged side left beside the destination (its temporary copies).
    std::string leftoversBeside() const {
        std::string found;
        for (const auto& entry : std::filesystem::directory_iterator(temp / "etc")) {
            if (entry.path().filename() != "to.conf") {
                found += entry.path().filename().string() + " ";
            }
        }
        return found;
    }
};

TEST_F(HonestCopyTest, FailuresAreReportedAndThePreviousFileStays) {
    // The launcher is given: /bin/sh -c SCRIPT sh SOURCE DESTINATION COPY-TOOL, so $5 is the staged
    // file and $6 the destination. A marker lets a script act only on its first call.
    const std::string once = "if [ ! -e '" + temp / "called" + "' ]; then touch '" + temp / "called" + "'; ";
    const struct {
        const char* name;
        std::string launcher;
        std::string copyTool; // empty: the real /bin/cp
        bool copied, unchanged;
        std::string destination, error;
    } cases[] = {
        {"runs the command", "exec \"$@\"\n", "", true, false, "new config\n", ""},
        {"staging file swapped while the password is asked",
         once + "printf 'planted\\n' > \"$5\"; fi\nexec \"$@\"\n", "", false, true, "old config\n",
         "differs"},
        {"full disk cuts the copy short", "exec \"$@\"\n",
         "head -c 3 \"$3\" > \"$4\"\necho 'No space left on device' >&2\nexit 1\n", false, true,
         "old config\n", "No space left on device"},
        {"claims success without copying", "exit 0\n", "", false, true, "old config\n", "differs"},
        {"administrator refuses", "exit 126\n", "", false, true, "old config\n", "refused"},
        {"garbles the file and then refuses to put it back",
         once + "printf 'garbage' > \"$6\"; exit 0; fi\nexit 126\n", "", false, false, "garbage",
         "could not be put back"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::writeFile(temp / "etc/to.conf", "old config\n");
        std::filesystem::remove(temp / "called");
        testing::writeScript(temp / "pkexec", c.launcher);
        systemPaths().copy = "/bin/cp";
        if (!c.copyTool.empty()) {
            testing::writeScript(temp / "cp", c.copyTool);
            systemPaths().copy = temp / "cp";
        }

        const CopyOutcome outcome = PrivilegedCopy::install("new config\n", temp / "etc/to.conf");

        EXPECT_EQ(outcome.copied, c.copied) << outcome.error;
        EXPECT_EQ(outcome.unchanged, c.unchanged) << outcome.error;
        EXPECT_EQ(testing::readFile(temp / "etc/to.conf"), c.destination);
        if (!c.error.empty()) {
            EXPECT_NE(outcome.error.find(c.error), std::string::npos) << outcome.error;
        }
        EXPECT_EQ(leftoversBeside(), "");
    }
}

TEST_F(HonestCopyTest, SourceIsReadBeforeThePromptSoALaterChangeIsNeverInstalled) {
    testing::writeFile(temp / "from", "what Keepgate wrote\n");
    testing::writeScript(temp / "pkexec", "if [ ! -e '" + temp / "called" + "' ]; then touch '" +
                                              temp / "called" +
                                              "'; printf 'changed later\\n' > \"$5\"; fi\nexec \"$@\"\n");
    EXPECT_FALSE(AdmTools::copyFileWithAuthorization(temp / "from", temp / "etc/to.conf"));
    EXPECT_EQ(testing::readFile(temp / "etc/to.conf"), "old config\n");
    EXPECT_EQ(logLines, std::vector<std::string>{"Error copying file"});
}

TEST_F(HonestCopyTest, NewDestinationIsReadableAndAnExistingOneKeepsItsMode) {
    testing::writeScript(temp / "pkexec", "exec \"$@\"\n");
    chmod((temp / "etc/to.conf").c_str(), 0640);
    ASSERT_TRUE(PrivilegedCopy::install("x\n", temp / "etc/to.conf").copied);
    ASSERT_TRUE(PrivilegedCopy::install("y\n", temp / "etc/new.conf").copied);
    struct stat existing {
    }, created{};
    ASSERT_EQ(stat((temp / "etc/to.conf").c_str(), &existing), 0);
    ASSERT_EQ(stat((temp / "etc/new.conf").c_str(), &created), 0);
    EXPECT_EQ(existing.st_mode & 0777, 0640u);
    EXPECT_EQ(created.st_mode & 0777, 0644u);
    EXPECT_EQ(testing::readFile(temp / "etc/new.conf"), "y\n");
}

TEST_F(HonestCopyTest, ADestinationTheHelperWouldRefuseIsRefusedBeforeAnyoneIsAsked) {
    // Without the installed helper the shell fallback runs as root, so the same table guards it.
    testing::writeScript(temp / "pkexec", "echo asked >> '" + temp / "asked" + "'\nexec \"$@\"\n");
    testing::writeFile(temp / "www/notes", "some notes\n");
    const struct {
        std::string destination, bytes, says;
    } cases[] = {
        {"/etc/apt/apt.conf.d/keepgate.conf", "x\n", "it lies in the system folder /etc"},
        {"/etc/apache2/envvars", "alice:x\n", "envvars is never written"},
        {temp / "www/httpd.conf", "Include /x\n", "not inside the web server's configuration folders"},
        {temp / "www/notes", "alice:x\n", "not a user or group file now"},
    };
    for (const auto& c : cases) {
        const CopyOutcome outcome = PrivilegedCopy::install(c.bytes, c.destination);
        EXPECT_FALSE(outcome.copied) << c.destination;
        EXPECT_TRUE(outcome.unchanged) << c.destination;
        EXPECT_NE(outcome.error.find("\"" + c.destination + "\""), std::string::npos) << outcome.error;
        EXPECT_NE(outcome.error.find(c.says), std::string::npos) << outcome.error;
    }
    EXPECT_EQ(testing::readFile(temp / "asked"), "<missing>");
    EXPECT_EQ(testing::readFile(temp / "www/notes"), "some notes\n");
}

TEST_F(HonestCopyTest, StagingFileIsFreshAndPrivateAndGoesAway) {
    std::string firstPath, firstFolder;
    {
        auto first = StagingFile::create("one");
        auto second = StagingFile::create("two");
        ASSERT_TRUE(first && second);
        EXPECT_NE(first->path(), second->path());
        firstPath = first->path();
        firstFolder = std::filesystem::path(firstPath).parent_path();
        struct stat folder {
        }, file{};
        ASSERT_EQ(stat(firstFolder.c_str(), &folder), 0);
        ASSERT_EQ(stat(firstPath.c_str(), &file), 0);
        EXPECT_EQ(folder.st_mode & 0777, 0700u);
        EXPECT_EQ(file.st_mode & 0777, 0600u);
        EXPECT_EQ(testing::readFile(firstPath), "one");
        EXPECT_EQ(testing::readFile(second->path()), "two");
    }
    EXPECT_FALSE(std::filesystem::exists(firstFolder));

    systemPaths().stagingFolder = temp / "absent/deeper";
    std::string error;
    EXPECT_FALSE(StagingFile::create("x", &error));
    EXPECT_NE(error.find(temp / "absent/deeper"), std::string::npos) << error;
}

} // namespace
} // namespace keepgate

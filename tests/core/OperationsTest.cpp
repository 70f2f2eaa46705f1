// The operations the window and the command line share, run without any window: they return what they
// would write, keep every line they do not own, and change nothing when asked twice.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "operations/FileChanges.h"
#include "operations/GroupStore.h"
#include "operations/ProtectionEditor.h"
#include "operations/UserStore.h"
#include "platform/FileSystem.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

using operations::FileChange;
using operations::FileChanges;
using operations::Outcome;
using operations::Place;
using operations::Status;

// Writes what the outcome asks for and fails the test when any change does not reach the disk.
void write(const Outcome& outcome) {
    ASSERT_TRUE(outcome.ok()) << outcome.message;
    for (const auto& applied : FileChanges::apply(outcome.changes, false)) {
        EXPECT_TRUE(applied.written || !applied.changed) << applied.path << ": " << applied.error;
    }
}

TEST(UserStoreTest, KeepsForeignLinesAndAnswersRepeatsWithoutWriting) {
    TempDir temp;
    const std::string path = temp / "users";
    const std::string foreign = "# managed by hand\r\nbob:$apr1$x$y:extra\n\n";
    writeFile(path, foreign);

    operations::UserStore store(path);
    ASSERT_TRUE(store.open().ok());
    write(store.add("alice", "s3cret", {}, false));
    const std::string added = readFile(path);
    EXPECT_EQ(added.substr(0, foreign.size()), foreign);
    EXPECT_EQ(added.substr(foreign.size(), 6), "alice:");

    // The same user with the same password changes nothing; another password is a question first.
    operations::UserStore again(path);
    ASSERT_TRUE(again.open().ok());
    const Outcome same = again.add("alice", "s3cret", {}, false);
    EXPECT_TRUE(same.ok());
    EXPECT_TRUE(same.changes.empty());
    const Outcome other = again.add("alice", "different", {}, false);
    ASSERT_TRUE(other.question.has_value());
    EXPECT_TRUE(other.changes.empty());

    write(again.remove("alice"));
    EXPECT_EQ(readFile(path), foreign);
    operations::UserStore gone(path);
    ASSERT_TRUE(gone.open().ok());
    const Outcome twice = gone.remove("alice");
    EXPECT_TRUE(twice.ok());
    EXPECT_TRUE(twice.changes.empty());
}

TEST(UserStoreTest, RefusesWhatTheFileCannotHoldNamingTheValue) {
    TempDir temp;
    operations::UserStore store(temp / "users");
    ASSERT_TRUE(store.open(true).ok());
    struct Case {
        std::string name, password, named;
    };
    for (const Case& c : std::vector<Case>{{"bo b", "p", "\"bo b\""},
                                           {"a:b", "p", "\"a:b\""},
                                           {"", "p", "\"\""},
                                           {"carol", std::string("p\0q", 3), "NUL"}}) {
        const Outcome outcome = store.add(c.name, c.password, {}, true);
        EXPECT_EQ(outcome.status, Status::Refused) << c.name;
        EXPECT_NE(outcome.message.find(c.named), std::string::npos) << outcome.message;
        EXPECT_TRUE(outcome.changes.empty());
    }
    EXPECT_FALSE(platform::fileExists(temp / "users"));
}

TEST(GroupStoreTest, ChangesOnlyTheGroupsLine) {
    TempDir temp;
    const std::string path = temp / "groups";
    writeFile(path, "# teams\nstaff: ann  ben\r\nguests:\nstaff: cid\n");
    operations::GroupStore store(path);
    ASSERT_TRUE(store.open().ok());
    write(store.addMembers("staff", {"dan", "cid", "ben"}));
    EXPECT_EQ(readFile(path), "# teams\nstaff: ann ben dan\r\nguests:\nstaff: cid\n");

    operations::GroupStore again(path);
    ASSERT_TRUE(again.open().ok());
    EXPECT_TRUE(again.addMembers("staff", {"dan"}).changes.empty());
    EXPECT_TRUE(again.addGroup("guests").changes.empty());
    EXPECT_EQ(again.addMembers("nobody", {"x"}).status, Status::Refused);
    EXPECT_EQ(again.addMembers("staff", {"e f"}).status, Status::Refused);
    write(again.removeMembers("staff", {"ann", "cid"}));
    EXPECT_EQ(readFile(path), "# teams\nstaff: ben dan\r\nguests:\nstaff:\n");
}

class ProtectionEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory = temp / "site";
        writeFile(directory + "/index.html", "hi");
        writeFile(temp / "users", "alice:x\nbob:y\n");
        places.sharedFile = temp / "keepgate.conf";
        request.realm = "Members";
        request.userFile = temp / "users";
        request.users = {"alice"};
    }
    TempDir temp;
    std::string directory;
    operations::ProtectionPlaces places;
    operations::ProtectionRequest request;
};

TEST_F(ProtectionEditorTest, SavesKeepingForeignLinesAndChangesNothingTheSecondTime) {
    const std::string access = directory + "/.htaccess";
    writeFile(access, "Options -Indexes\n# keep me\nAuthName \"Old\"\nRequire user bob\n");
    const std::string shared = "<Directory \"/other\">\nRequire all denied\n</Directory>\n";
    writeFile(places.sharedFile, shared);
    const operations::ProtectionEditor editor(directory, places);

    write(editor.save(Place::AccessFile, request, false));
    const std::string expected =
        "Options -Indexes\n# keep me\nAuthType Basic\nAuthName \"Members\"\nAuthUserFile " + temp / "users" +
        "\nRequire user alice\n";
    EXPECT_EQ(readFile(access), expected);
    write(editor.save(Place::SharedFile, request, false));
    const std::string section = readFile(places.sharedFile);
    EXPECT_EQ(section.substr(0, shared.size()), shared);
    EXPECT_NE(section.find("<Directory \"" + directory + "\">\nAuthType Basic\n"), std::string::npos);

    for (const Place place : {Place::AccessFile, Place::SharedFile}) {
        const Outcome again = editor.save(place, request, false);
        ASSERT_EQ(again.changes.size(), 1u);
        EXPECT_FALSE(again.changes.front().changes()) << FileChanges::unifiedDiff(again.changes.front());
    }
    write(editor.remove(Place::SharedFile));
    EXPECT_EQ(readFile(places.sharedFile), shared);
    write(editor.remove(Place::AccessFile));
    EXPECT_EQ(readFile(access), "Options -Indexes\n# keep me\n");
}

TEST_F(ProtectionEditorTest, AsksBeforeReplacingAccessLinesItCannotShow) {
    writeFile(directory + "/.htaccess", "Require env INTRANET\n");
    const operations::ProtectionEditor editor(directory, places);
    const Outcome asked = editor.save(Place::AccessFile, request, false);
    ASSERT_TRUE(asked.question.has_value());
    EXPECT_NE(asked.question->text.find("Require env INTRANET"), std::string::npos);
    EXPECT_TRUE(asked.changes.empty());
    EXPECT_EQ(editor.save(Place::AccessFile, request, true).changes.size(), 1u);
}

TEST_F(ProtectionEditorTest, RefusesValuesTheValidatorRefuses) {
    const operations::ProtectionEditor editor(directory, places);
    struct Case {
        const char* what;
        operations::ProtectionRequest request;
        std::string named;
    };
    std::vector<Case> cases;
    cases.push_back({"realm", request, "\"a\"b\""});
    cases.back().request.realm = "a\"b";
    cases.push_back({"host", request, "\"10.0.0.1 x\""});
    cases.back().request.allow = {"10.0.0.1 x"};
    cases.push_back({"unknown user", request, "\"carol\""});
    cases.back().request.users = {"carol"};
    cases.push_back({"admits everyone", request, "admits everyone"});
    cases.back().request.users.clear();
    for (const Case& c : cases) {
        const Outcome outcome = editor.save(Place::AccessFile, c.request, true);
        EXPECT_EQ(outcome.status, Status::Refused) << c.what;
        EXPECT_NE(outcome.message.find(c.named), std::string::npos) << c.what << ": " << outcome.message;
        EXPECT_TRUE(outcome.changes.empty()) << c.what;
    }
}

// A removal changes a file only where it takes protection away, and says so when there is none; a save
// asks before it drops a Require line naming a user its user file lacks.
TEST_F(ProtectionEditorTest, RemovesOnlyProtectionAndAsksBeforeDroppingNamesTheFilesLack) {
    const operations::ProtectionEditor editor(directory, places);
    const std::string access = directory + "/.htaccess";
    const struct {
        const char* what;
        std::function<void()> arrange;
        Place place;
        Status status;
        std::string said;
    } cases[] = {
        {"an access file of comments", [&] { writeFile(access, "# nothing here\nOptions -Indexes\n"); },
         Place::AccessFile, Status::Done, "No protection is saved"},
        {"a folder where the access file goes", [&] { writeFile(access + "/inside", "x"); }, Place::AccessFile,
         Status::Refused, "is a folder"},
        {"a shared file without the section",
         [&] { writeFile(places.sharedFile, "<Directory \"/other\">\nRequire all denied\n</Directory>\n"); },
         Place::SharedFile, Status::Done, "No protection is saved"},
    };
    for (const auto& c : cases) {
        c.arrange();
        const Outcome removed = editor.remove(c.place);
        EXPECT_EQ(removed.status, c.status) << c.what;
        EXPECT_NE(removed.message.find(c.said), std::string::npos) << c.what << ": " << removed.message;
        EXPECT_TRUE(removed.changes.empty()) << c.what;
        ASSERT_EQ(shell("rm -rf '" + access + "'"), 0);
    }
    writeFile(access, "AuthType Basic\nRequire user zed\n");
    const Outcome asked = editor.save(Place::AccessFile, request, false);
    ASSERT_TRUE(asked.question.has_value());
    EXPECT_NE(asked.question->text.find("\nRequire user zed\n"), std::string::npos) << asked.question->text;
    EXPECT_NE(asked.question->text.find("in their place:\nAuthType Basic\n"), std::string::npos);
}

// The diff a dry run prints is one that patch(1) applies to give exactly the bytes that would be written.
TEST(FileChangesTest, DiffAppliesWithPatch) {
    struct Case {
        std::optional<std::string> before, after;
    };
    std::string many;
    for (int i = 0; i < 40; ++i) {
        many += "line " + std::to_string(i) + "\n";
    }
    std::string edited = many;
    edited.replace(edited.find("line 3\n"), 7, "line three\n");
    edited.replace(edited.find("line 30\n"), 8, "");
    edited += "tail";
    const std::vector<Case> cases{{std::nullopt, "a\nb\n"}, {"a\nb\n", std::nullopt}, {"a\nb", "a\nb\n"},
                                  {many, edited},           {edited, many},           {"x\n", ""}};
    for (const Case& c : cases) {
        TempDir temp;
        const std::string path = temp / "file";
        if (c.before) {
            writeFile(path, *c.before);
        }
        // patch(1) refuses absolute names, so the diff names the file as seen from its folder.
        const std::string diff = FileChanges::unifiedDiff({"file", c.before, c.after});
        writeFile(temp / "diff", diff);
        EXPECT_EQ(shell("cd '" + temp.path() + "' && patch -s -p0 < diff >/dev/null 2>&1"), 0) << diff;
        EXPECT_EQ(readFile(path), c.after.value_or("<missing>")) << diff;
    }
}

} // namespace
} // namespace keepgate::testing

#include <gtest/gtest.h>

#include "formats/ReadFile.h"
#include "formats/WriteFile.h"
#include "platform/FileSystem.h"
#include "support/TestSupport.h"

namespace keepgate {
namespace {

using testing::TempDir;

struct UserCase {
    const char* name;
    std::string file;
    std::vector<std::string> marked;
    std::vector<UserRecord> expected;
};

UserRecord user(const std::string& name, const std::string& hash, const char* check = "0") {
    return UserRecord{{"username", name}, {"password", hash}, {"check", check}};
}

TEST(UserFileTest, ReadsUserLinesByTheFileRules) {
    const UserCase cases[] = {
        {"marks the named user",
         "alice:$apr1$a\nbob:$apr1$b\n",
         {"bob"},
         {user("alice", "$apr1$a"), user("bob", "$apr1$b", "1")}},
        {"marks case-sensitively", "bob:x\n", {"Bob"}, {user("bob", "x")}},
        {"skips empty lines and lines without colon", "\n\nnocolon\nalice:h\n\n", {}, {user("alice", "h")}},
        {"comments are no users, as for the web server", "# bob: h\n  #x:y\n", {}, {}},
        {"blank after colon kept", "bob: h\n", {}, {user("bob", " h")}},
        {"drops fields after a second colon", "a:b:c\n", {}, {user("a", "b")}},
        {"empty hash", "alice:\n", {}, {user("alice", "")}},
        {"carriage return stays in the hash", "a:h1\r\nb:h2\r\n", {}, {user("a", "h1\r"), user("b", "h2\r")}},
        {"duplicates both marked", "a:1\na:2\n", {"a"}, {user("a", "1", "1"), user("a", "2", "1")}},
        {"no final line feed", "a:1", {}, {user("a", "1")}},
        {"no user without a name", ":h\n  :h\n", {""}, {}},
        {"blanks before the name are no part of it", " \tbob:h\n", {"bob"}, {user("bob", "h", "1")}},
        {"a lone carriage return is a line", "\r\n", {}, {}},
        {"8-bit bytes kept", "j\xf6rg:h\xff\n", {"j\xf6rg"}, {user("j\xf6rg", "h\xff", "1")}},
    };
    TempDir temp;
    for (const auto& c : cases) {
        testing::writeFile(temp / "users", c.file);
        EXPECT_EQ(ReadFile::readUserfile(temp / "users", c.marked), c.expected) << c.name;
    }
}

TEST(UserFileTest, UnreadableFilesGiveEmptyLists) {
    TempDir temp;
    testing::writeFile(temp / "binary", std::string("\0\x01\xff\xfe\0\0", 6));
    EXPECT_TRUE(ReadFile::readUserfile(temp / "missing").empty());
    EXPECT_TRUE(ReadFile::readUserfile(temp.path()).empty());
    EXPECT_TRUE(ReadFile::readUserfile("").empty());
    EXPECT_TRUE(ReadFile::readUserfile(temp / "binary").empty());
}

TEST(UserFileTest, WritesOneLinePerRecordWithoutTheMark) {
    EXPECT_EQ(WriteFile::userfileText({}), "");
    EXPECT_EQ(
        WriteFile::userfileText({user("a", "b", "1"), UserRecord{{"username", "c"}, {"password", "d\r"}}}),
        "a:b\nc:d\r\n");
}

TEST(UserFileTest, SavingWhatWasReadKeepsTheBytes) {
    TempDir temp;
    const std::string original = "alice:$apr1$x$y\r\nbob:\nj\xf6rg:h\n";
    testing::writeFile(temp / "users", original);
    ASSERT_TRUE(platform::writeFileAtomically(
        temp / "copy", WriteFile::userfileText(ReadFile::readUserfile(temp / "users"))));
    EXPECT_EQ(testing::readFile(temp / "copy"), original);
    testing::writeFile(temp / "users", "a:b:c\n\nnoise\n");
    EXPECT_EQ(WriteFile::userfileText(ReadFile::readUserfile(temp / "users")), "a:b\n");
}

} // namespace
} // namespace keepgate

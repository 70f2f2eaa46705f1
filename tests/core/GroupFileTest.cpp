#include <gtest/gtest.h>

#include "formats/ReadFile.h"
#include "formats/WriteFile.h"
#include "support/TestSupport.h"

namespace keepgate {
namespace {

using testing::TempDir;
using Line = ReadFile::GroupLine;

GroupRecord group(const std::string& name, const char* check = "0") {
    return GroupRecord{{"groupname", name}, {"check", check}};
}

TEST(GroupFileTest, FlatAndTreeReadersTakeTheirLines) {
    const struct {
        const char* name;
        std::string file;
        std::vector<GroupRecord> flat;
        std::vector<Line> tree;
    } cases[] = {
        {"members after colon", "staff: alice bob\n", {group("staff")}, {{"staff", {"alice", "bob"}}}},
        {"no members", "staff:\n", {group("staff")}, {{"staff", {}}}},
        {"member joined to the colon counts", "staff:alice bob\n", {group("staff")}, {{"staff", {"alice", "bob"}}}},
        {"runs of blanks and tabs separate members",
         "g: a  b \t c \n",
         {group("g")},
         {{"g", {"a", "b", "c"}}}},
        {"blank in group name", "my group: alice\n", {group("my group")}, {{"my group", {"alice"}}}},
        {"leading blanks are not part of the name", " \tstaff: alice\n", {group("staff")}, {{"staff", {"alice"}}}},
        {"carriage return ends the line, not the member",
         "g: a b\r\nh:\r\n",
         {group("g"), group("h")},
         {{"g", {"a", "b"}}, {"h", {}}}},
        {"duplicates", "g: a\ng: b\n", {group("g"), group("g")}, {{"g", {"a"}}, {"g", {"b"}}}},
        {"hash sign starts a comment", "#g: a\n  # see: ticket\n", {}, {}},
        {"lines without colon skipped", "\nplain words\ng:\n\n", {group("g")}, {{"g", {}}}},
        {"colons inside members", "g: a:b\n", {group("g")}, {{"g", {"a:b"}}}},
        // The web server strips white space around the line and splits members at any of it, and a line
        // without a name before its colon is no group anyone could require.
        {"no name before the colon", ":\r\t\n :alice\n\t\v: bob\ng: a\n", {group("g")}, {{"g", {"a"}}}},
        {"every white space separates members",
         "\v\fg:\ta\rb\vc\fd \r\n",
         {group("g")},
         {{"g", {"a", "b", "c", "d"}}}},
    };
    TempDir temp;
    for (const auto& c : cases) {
        testing::writeFile(temp / "groups", c.file);
        EXPECT_EQ(ReadFile::readGroupfile(temp / "groups"), c.flat) << c.name;
        EXPECT_EQ(ReadFile::readGroupTree(temp / "groups"), c.tree) << c.name;
    }
}

TEST(GroupFileTest, FlatReaderMarksNamedGroupsCaseSensitively) {
    TempDir temp;
    testing::writeFile(temp / "groups", "staff: a\nadmins: b\nStaff:\n");
    EXPECT_EQ(ReadFile::readGroupfile(temp / "groups", {"staff", "nobody"}),
              (std::vector<GroupRecord>{group("staff", "1"), group("admins"), group("Staff")}));
}

TEST(GroupFileTest, UnreadableFilesGiveNoGroups) {
    TempDir temp;
    testing::writeFile(temp / "binary", std::string("\0\x01\xff\n\0", 5));
    for (const auto& path : {temp / "missing", temp.path(), std::string(), temp / "binary"}) {
        EXPECT_TRUE(ReadFile::readGroupfile(path).empty()) << path;
        EXPECT_TRUE(ReadFile::readGroupTree(path).empty()) << path;
    }
}

TEST(GroupFileTest, WrittenTreeReadsBackUnchanged) {
    const std::vector<Line> tree{{"staff", {"alice", "bob"}}, {"empty", {}}, {"odd", {"a:b"}}};
    const std::string text = WriteFile::groupfileText(tree);
    EXPECT_EQ(text, "staff: alice bob\nempty:\nodd: a:b\n");
    EXPECT_EQ(WriteFile::groupfileText({}), "");
    TempDir temp;
    testing::writeFile(temp / "groups", text);
    EXPECT_EQ(ReadFile::readGroupTree(temp / "groups"), tree);
    EXPECT_EQ(ReadFile::readGroupfile(temp / "groups"),
              (std::vector<GroupRecord>{group("staff"), group("empty"), group("odd")}));
}

} // namespace
} // namespace keepgate

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "formats/UserFile.h"

namespace keepgate {
namespace {

// Files an administrator may hold, each with the lines that must survive any edit of another line.
const struct {
    const char* name;
    std::string file;
} kFiles[] = {
    {"plain", "alice:$apr1$a\nbob:$apr1$b\n"},
    {"comments and blank lines", "# managed by hand\nalice:$apr1$a\n\n   \n  # see: ticket\nbob:$apr1$b\n"},
    {"extra fields", "alice:$apr1$a:Alice Liddell:room 4\nbob:$apr1$b:\n"},
    {"CRLF line ends", "alice:$apr1$a\r\nbob:$apr1$b\r\n"},
    {"duplicate names", "alice:$apr1$a\nbob:$apr1$b\nalice:$apr1$second\n"},
    {"no final line feed", "alice:$apr1$a\nbob:$apr1$b"},
};

TEST(UserFileModelTest, AnAddAppendsOneLineAndKeepsEveryOtherByte) {
    for (const auto& c : kFiles) {
        UserFile file(c.file);
        const std::size_t before = file.size();
        file.append("carol", "$2y$10$new");
        const std::string terminated = c.file.back() == '\n' ? c.file : c.file + "\n";
        EXPECT_EQ(file.bytes(), terminated + "carol:$2y$10$new\n") << c.name;
        ASSERT_EQ(file.size(), before + 1) << c.name;
        EXPECT_EQ(file.name(before), "carol");
        EXPECT_EQ(file.hash(before), "$2y$10$new");
        EXPECT_EQ(UserFile(file.bytes()).size(), before + 1)
            << c.name << ": the index after an add is the read one";
    }
}

TEST(UserFileModelTest, ADeleteRemovesExactlyItsLine) {
    for (const auto& c : kFiles) {
        UserFile file(c.file);
        const auto bob = file.find("bob");
        ASSERT_TRUE(bob) << c.name;
        const std::string line = std::string(file.name(*bob)) + ":";
        const std::size_t at = c.file.find("\nbob:") + 1;
        const std::size_t feed = c.file.find('\n', at);
        const std::string expected =
            c.file.substr(0, at) + (feed == std::string::npos ? "" : c.file.substr(feed + 1));
        file.erase({*bob});
        EXPECT_EQ(file.bytes(), expected) << c.name;
        EXPECT_FALSE(file.find("bob")) << c.name;
    }
}

TEST(UserFileModelTest, APasswordChangeReplacesOnlyTheHashOfTheFirstLineOfTheName) {
    for (const auto& c : kFiles) {
        UserFile file(c.file);
        const auto alice = file.find("alice");
        ASSERT_TRUE(alice) << c.name;
        file.replaceHash(*alice, "$6$new");
        std::string expected = c.file;
        expected.replace(expected.find("$apr1$a"), 7, "$6$new");
        EXPECT_EQ(file.bytes(), expected) << c.name << ": line ends, extra fields and later duplicates stay";
        EXPECT_EQ(file.hash(*file.find("alice")).substr(0, 6), "$6$new") << c.name;
    }
}

TEST(UserFileModelTest, ManyRowsGoInOneEditAndTheRestKeepTheirOrder) {
    UserFile file("a:1\n# c\nb:2\nc:3\r\nd:4\ne:5");
    file.erase({0, 2, 4});
    EXPECT_EQ(file.bytes(), "# c\nb:2\nd:4\n");
    file.erase({0, 1});
    EXPECT_EQ(file.bytes(), "# c\n");
    EXPECT_TRUE(file.empty());
}

TEST(UserFileModelTest, TellsAUserFileFromWhatIsNot) {
    const std::string longLine = "alice:" + std::string(UserFile::kLongestLine, 'x') + "\n";
    const struct {
        const char* name;
        std::string file;
        UserFile::Kind kind;
        const char* problem;
    } cases[] = {
        {"empty", "", UserFile::Kind::Users, ""},
        {"htpasswd", "alice:$apr1$x$y\nbob:{SHA}abc=\n", UserFile::Kind::Users, ""},
        {"extra field that is no digest", "alice:$apr1$x:realm\n", UserFile::Kind::Users, ""},
        {"comment without colon", "# just words\nalice:x\n", UserFile::Kind::Users, ""},
        {"htdigest", "alice:Private:0123456789abcdef0123456789ABCDEF\r\n", UserFile::Kind::Htdigest,
         "htdigest"},
        {"binary", std::string("alice:x\n\0\x01\x02", 11), UserFile::Kind::Other, "binary"},
        {"line without colon", "alice:x\nthis is prose\n", UserFile::Kind::Other, "line 2 holds no colon"},
        {"overlong line", "bob:y\n" + longLine, UserFile::Kind::Other, "line 2 is longer than 8192"},
    };
    for (const auto& c : cases) {
        const UserFile file(c.file);
        EXPECT_EQ(file.kind(), c.kind) << c.name;
        EXPECT_NE(file.kindProblem().find(c.problem), std::string::npos)
            << c.name << ": " << file.kindProblem();
    }
}

// The web server skips white space before the name and cannot match a line without one; an edit must
// find the user where the server does, and leave every line it is not about as written.
TEST(UserFileModelTest, NamesAreReadAsTheServerReadsThem) {
    const std::string text = ":nameless\n \tuser8:h8\n  :h\r\n\v# note:x\nuser9:h9\r\n";
    UserFile file(text);
    ASSERT_EQ(file.size(), 2u);
    EXPECT_EQ(file.name(0), "user8");
    EXPECT_EQ(file.hash(0), "h8");
    EXPECT_EQ(file.name(1), "user9");
    EXPECT_EQ(file.records({"user8", ""})[0].text("username"), "user8");
    EXPECT_EQ(file.records({"user8", ""})[0].text("check"), "1");
    EXPECT_FALSE(file.find(""));
    EXPECT_EQ(file.kind(), UserFile::Kind::Users);

    file.replaceHash(*file.find("user8"), "$6$new");
    EXPECT_EQ(file.bytes(), ":nameless\n \tuser8:$6$new\n  :h\r\n\v# note:x\nuser9:h9\r\n");
    file.erase({*file.find("user8")});
    EXPECT_EQ(file.bytes(), ":nameless\n  :h\r\n\v# note:x\nuser9:h9\r\n");
    file.append("user8", "h");
    EXPECT_EQ(file.bytes(), ":nameless\n  :h\r\n\v# note:x\nuser9:h9\r\nuser8:h\n");
    EXPECT_EQ(file.find("user8"), 1u);
}

TEST(UserFileModelTest, RecordsAreViewsThatKeepTheReadersKeys) {
    const UserFile file("alice:h1:extra\r\nbob:h2\r\n");
    const auto records = file.records({"bob"});
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], (UserRecord{{"username", "alice"}, {"password", "h1"}, {"check", "0"}}));
    EXPECT_EQ(records[1], (UserRecord{{"username", "bob"}, {"password", "h2\r"}, {"check", "1"}}));
    UserRecord copy = records[1];
    copy.setValue("check", Value(0));
    EXPECT_EQ(copy.value("check"), Value(0));
    EXPECT_EQ(records[1].text("check"), "1") << "a copy's change stays in the copy";
    EXPECT_NE(copy, records[1]);
    EXPECT_FALSE(UserRecord({{"username", "x"}, {"password", "y"}}).has("check"));
}

} // namespace
} // namespace keepgate

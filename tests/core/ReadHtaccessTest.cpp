#include <gtest/gtest.h>

#include "formats/ReadHtaccess.h"
#include "support/TestSupport.h"

namespace keepgate {
namespace {

using testing::TempDir;

// Every spelling Apache reads: names in any case, arguments at runs of blanks, quotes, continued lines,
// and Apache 2.4's Require rules and containers where the host table can show them.
TEST(ReadHtaccessTest, ReadsEverySpellingApacheReads) {
    const struct {
        std::string block;
        ProtectionInfo expected;
    } cases[] = {
        // Names, blanks and quotes.
        {"AuthName \"Members Area\"", {{"authname", "Members Area"}}},
        {"authname 'x y'", {{"authname", "x y"}}},
        {"AuthName \"a \\\"quoted\\\" realm\"", {{"authname", "a \"quoted\" realm"}}},
        {"AuthName \"\"", {{"authname", "Keepgate"}}},
        {"AuthName", {{"authname", "Keepgate"}}},
        {"\t AUTHUSERFILE   \"/a b/users\" \r", {{"userfile", "/a b/users"}}},
        {"AuthUserFile /etc/AuthName/u", {{"userfile", "/etc/AuthName/u"}}},
        {"#AuthUserFile /x\n  # Require user x", {}},
        {"AuthGroupFile\t/etc/groups", {{"groupfile", "/etc/groups"}}},
        {"Require user alice\t bob\nrequire user c", {{"users", "alice bob c"}}},
        {"Require group staff  admins", {{"groups", "staff admins"}}},
        {"REQUIRE valid-user", {{"valid-user", "valid-user"}}},
        // Continued lines, joined as Apache joins them.
        {"Require user alice \\\n  bob\nRequire user carol", {{"users", "alice bob carol"}}},
        {"Require user alice\\\nbob", {{"users", "alicebob"}}},
        {"Require user a \\\r\nb\r\n", {{"users", "a b"}}},
        {"Require user a\\\\\nRequire user b", {{"users", "a\\\\ b"}}},
        // Apache 2.2 host rules.
        {"deny from  all", {{"denyall", "yes"}, {"apache22", "yes"}}},
        {"Deny From ALL", {{"denyall", "yes"}, {"apache22", "yes"}}},
        {"Deny from allhosts.example", {{"deny", "allhosts.example"}, {"apache22", "yes"}}},
        {"Allow from all", {{"apache22", "yes"}}},
        {"allow from 10.0.0.1\t.example.com\nAllow from b",
         {{"allow", "10.0.0.1 .example.com b"}, {"apache22", "yes"}}},
        {"Order Allow,Deny", {{"orderallow", "yes"}, {"apache22", "yes"}}},
        {"order allow,deny\norder DENY,ALLOW", {{"apache22", "yes"}}},
        {"Order mutual-failure", {{"orderallow", "yes"}, {"apache22", "yes"}}},
        {"Satisfy any", {{"satisfyany", "yes"}, {"apache22", "yes"}}},
        {"Satisfy Any\nSATISFY all", {{"apache22", "yes"}}},
        // Apache 2.4 rules the host table shows.
        {"Require ip 10.0.0.0/8 ::1\nRequire host .example.com",
         {{"allow", "10.0.0.0/8 ::1 .example.com"}, {"denyall", "yes"}, {"apache24", "yes"}}},
        {"Require all denied", {{"denyall", "yes"}, {"apache24", "yes"}}},
        {"Require user alice\nRequire ip 10.1",
         {{"users", "alice"},
          {"allow", "10.1"},
          {"denyall", "yes"},
          {"satisfyany", "yes"},
          {"apache24", "yes"}}},
        {"<RequireAll>\n  Require user alice\n  Require ip 10.1\n  Require not ip 10.1.2.3\n</RequireAll>",
         {{"users", "alice"},
          {"allow", "10.1"},
          {"deny", "10.1.2.3"},
          {"orderallow", "yes"},
          {"apache24", "yes"}}},
        {"<requireany>\nRequire valid-user\nRequire all granted\n</requireany>",
         {{"valid-user", "valid-user"}, {"satisfyany", "yes"}, {"apache24", "yes"}}},
        {"<RequireAll>\nRequire group staff\n<RequireAny>\nRequire ip 1.2.3.4\n<RequireAll>\nRequire all "
         "granted\n"
         "Require NOT host bad.example\n</RequireAll>\n</RequireAny>\n</RequireAll>",
         {{"groups", "staff"}, {"allow", "1.2.3.4"}, {"deny", "bad.example"}, {"apache24", "yes"}}},
        {"<RequireAll>\nRequire valid-user\nRequire not ip 10.9\n</RequireAll>",
         {{"valid-user", "valid-user"}, {"deny", "10.9"}, {"apache24", "yes"}}},
        // Apache 2.4 rules it cannot show: only the top-level password lines, which a save may only narrow.
        {"Require user alice\n<RequireNone>\nRequire ip 10.1\n</RequireNone>", {{"users", "alice"}}},
        {"<RequireAll>\nRequire user a\nRequire user b\n</RequireAll>", {}},
        {"Require user alice\nRequire env LOCAL", {{"users", "alice"}}},
        {"Require USER alice", {}},
        {"<RequireAny>\n<IfModule x>\nRequire ip 1.1\n</IfModule>\nRequire ip 1.2\n</RequireAny>", {}},
        {"<Files x>\nRequire user bob\n</Files>\nRequire user alice", {{"users", "alice"}}},
        // Mixed: the server checks Order, Allow and Deny apart from Require, so only the password part of
        // the Require lines stands beside them.
        {"Require user alice\nRequire ip 10.1\nOrder deny,allow\nDeny from all\nAllow from 10.2",
         {{"users", "alice"}, {"allow", "10.2"}, {"denyall", "yes"}, {"apache22", "yes"}}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadHtaccess::readPart(c.block), c.expected) << c.block;
    }
    EXPECT_EQ(ReadHtaccess::readPart(std::nullopt), ProtectionInfo{});
}

// The block as the protection editor writes it, every optional line present.
const std::string kWrittenBlock = "AuthType Basic\n"
                                  "AuthName \"Members\"\n"
                                  "AuthUserFile /etc/users\n"
                                  "AuthGroupFile /etc/groups\n"
                                  "Require group staff admins\n"
                                  "Require user alice bob\n"
                                  "Allow from 10.0.0.1\n"
                                  "Allow from .example.com\n"
                                  "Deny from 10.0.0.9\n"
                                  "Order allow,deny\n"
                                  "Deny from all\n";

const ProtectionInfo kWrittenInfo{{"authname", "Members"},      {"userfile", "/etc/users"},
                                  {"groupfile", "/etc/groups"}, {"groups", "staff admins"},
                                  {"users", "alice bob"},       {"allow", "10.0.0.1 .example.com"},
                                  {"deny", "10.0.0.9"},         {"orderallow", "yes"},
                                  {"denyall", "yes"},           {"apache22", "yes"}};

TEST(ReadHtaccessTest, WrittenBlocksReadBackIntoTheirKeys) {
    EXPECT_EQ(ReadHtaccess::readPart(kWrittenBlock), kWrittenInfo);
    EXPECT_EQ(
        ReadHtaccess::readPart("AuthType Basic\nAuthName \"Keepgate\"\nRequire valid-user\n"
                               "Deny from h\nOrder deny,allow\n"),
        (ProtectionInfo{
            {"authname", "Keepgate"}, {"valid-user", "valid-user"}, {"deny", "h"}, {"apache22", "yes"}}));
    EXPECT_EQ(ReadHtaccess::readPart("AuthType Basic\nAuthName \"Members\"\nAuthUserFile /etc/users\n"
                                     "Require user alice bob\nAllow from h\nOrder allow,deny\n"),
              (ProtectionInfo{{"authname", "Members"},
                              {"userfile", "/etc/users"},
                              {"users", "alice bob"},
                              {"allow", "h"},
                              {"orderallow", "yes"},
                              {"apache22", "yes"}}));

    TempDir temp;
    testing::writeFile(temp / ".htaccess", kWrittenBlock);
    EXPECT_EQ(ReadHtaccess::htaccess(temp / ".htaccess"), kWrittenInfo);
    testing::writeFile(temp / "keepgate.conf",
                       "<Directory \"/srv/www\">\n" + kWrittenBlock + "\n</Directory>\n");
    EXPECT_EQ(ReadHtaccess::configFile(temp / "keepgate.conf", "/srv/www"), kWrittenInfo);
}

TEST(ReadHtaccessTest, ConfigFileReadsOnlyTheDirectorysFirstBlock) {
    const std::string config = "Include other.conf\n"
                               "AuthName \"outside\"\n"
                               "<Directory \"/srv/a\">\n"
                               "AuthName \"A\"\n"
                               "Require user alice\n"
                               "</Directory>\n"
                               "<Directory \"/srv/b\">\n"
                               "AuthName \"B\"\n"
                               "</Directory>\n"
                               "Require user outsider\n"
                               "<Directory \"/srv/one\"> AuthName \"one\" </Directory>\n"
                               "Require user after\n"
                               "<Directory \"/srv/b\">\n"
                               "AuthName \"second B\"\n"
                               "</Directory>\n"
                               "<Directory \"/srv/open\">\n"
                               "Require group staff\n";
    const struct {
        std::string directory;
        ProtectionInfo expected;
    } cases[] = {
        {"/srv/a", {{"authname", "A"}, {"users", "alice"}}},
        {"/srv/b", {{"authname", "B"}}},
        {"/srv/b/", {}},
        {"/SRV/a", {}},
        {"/srv", {}},
        {"/srv/one", {}},
        {"/srv/open", {{"groups", "staff"}}},
        {"/srv/none", {}},
    };
    TempDir temp;
    testing::writeFile(temp / "keepgate.conf", config);
    for (const auto& c : cases) {
        EXPECT_EQ(ReadHtaccess::configFile(temp / "keepgate.conf", c.directory), c.expected) << c.directory;
    }
    testing::writeFile(temp / "unquoted.conf", "<Directory /srv/a>\nAuthName \"A\"\n</Directory>\n");
    EXPECT_EQ(ReadHtaccess::configFile(temp / "unquoted.conf", "/srv/a"), ProtectionInfo{});
}

// The section is found by the rules the editor cuts it by: comments never open or close it, the closing
// line counts in any case, and the next section's opening line ends it.
TEST(ReadHtaccessTest, ConfigFileFindsTheSectionTheEditorWouldCut) {
    const struct {
        const char* name;
        std::string config;
        ProtectionInfo expected;
    } cases[] = {
        {"commented header is skipped",
         "#<Directory \"/srv/a\">\nAuthName \"commented\"\n</Directory>\n"
         "<Directory \"/srv/a\">\nAuthName \"real\"\n</Directory>\n",
         {{"authname", "real"}}},
        {"indented commented header is skipped", "  # <Directory \"/srv/a\">\nRequire user x\n", {}},
        {"lower-case closing line",
         "<Directory \"/srv/a\">\nAuthName \"A\"\n</directory>\nRequire user outsider\n",
         {{"authname", "A"}}},
        {"a commented closing line does not close",
         "<Directory \"/srv/a\">\n# </Directory>\nRequire user alice\n</Directory>\nRequire user out\n",
         {{"users", "alice"}}},
        {"the next section ends an unclosed one",
         "<Directory \"/srv/a\">\nRequire user alice\n<Directory \"/srv/b\">\nRequire user "
         "bob\n</Directory>\n",
         {{"users", "alice"}}},
        {"several Require lines gather",
         "<Directory \"/srv/a\">\nRequire user a b\nRequire user c\n\n</Directory>\n",
         {{"users", "a b c"}}},
    };
    TempDir temp;
    for (const auto& c : cases) {
        testing::writeFile(temp / "keepgate.conf", c.config);
        EXPECT_EQ(ReadHtaccess::configFile(temp / "keepgate.conf", "/srv/a"), c.expected) << c.name;
    }
}

TEST(ReadHtaccessTest, UnreadableFilesGiveAnEmptyResult) {
    TempDir temp;
    testing::writeFile(temp / "binary", std::string("\0\xff\x01\nAuth\0Name\n\x80", 15));
    for (const auto& path : {temp / "missing", temp.path(), std::string(), temp / "binary"}) {
        EXPECT_EQ(ReadHtaccess::htaccess(path), ProtectionInfo{}) << path;
        EXPECT_EQ(ReadHtaccess::configFile(path, "/srv/a"), ProtectionInfo{}) << path;
    }
}

} // namespace
} // namespace keepgate

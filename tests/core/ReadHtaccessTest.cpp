#include <gtest/gtest.h>

#include "formats/ReadHtaccess.h"
#include "support/TestSupport.h"

namespace keepgate {
namespace {

using testing::TempDir;

TEST(ReadHtaccessTest, ReadsEachDirectiveByTheScannerRules) {
    const struct {
        std::string block;
        ProtectionInfo expected;
    } cases[] = {
        {"AuthName \"Members\"", {{"authname", "Members"}}},
        {"AuthName Members Area\r", {{"authname", "Members Area\r"}}},
        {"AuthName 'x y'", {{"authname", "x y'"}}},
        {"AuthName \"\"", {{"authname", "Keepgate"}}},
        {"AuthName", {{"authname", "Keepgate"}}},
        {"AuthName  \"x\"", {{"authname", " "}}},
        {"AuthName \"'\"a\"", {{"authname", "a"}}},
        {"\t AuthName \"x\"", {{"authname", "x"}}},
        {"AuthUserFile /etc/AuthName/u", {{"authname", "uthUserFile /etc/AuthName/u"}}},
        {"AuthUserFile /etc/users \r", {{"userfile", "/etc/users \r"}}},
        {"AuthUserFile   \"/a b/users\"", {{"userfile", "\"/a b/users\""}}},
        {"AuthUserFile", {{"userfile", ""}}},
        {"AuthUserFile \t ", {{"userfile", ""}}},
        {"AuthUserFile:/x", {{"userfile", "/x"}}},
        {"AuthUserFile/x", {{"userfile", "x"}}},
        {"#AuthUserFile /x", {{"userfile", "AuthUserFile /x"}}},
        {"AUTHUSERFILE /x AuthUserFile", {{"userfile", "/x AuthUserFile"}}},
        {"AuthGroupFile /etc/groups", {{"groupfile", "/etc/groups"}}},
        {"Require user alice bob", {{"users", "alice bob"}}},
        {"Require user", {}},
        {"Require user ", {}},
        {"Require user a\nRequire user b c", {{"users", "a b c"}}},
        {"Require user a \r\nRequire user b\nRequire group g\nRequire group h",
         {{"users", "a b"}, {"groups", "g h"}}},
        {"Require user a\nRequire user \r", {{"users", "a"}}},
        {"Require group staff admins", {{"groups", "staff admins"}}},
        {"require valid-user\nrequire user bob", {}},
        {"Require valid-user", {{"valid-user", "valid-user"}}},
        {"Deny from all", {{"denyall", "yes"}}},
        {"Deny from allhosts.example", {{"denyall", "yes"}}},
        {"Allow from all", {}},
        {"Allow from  all", {}},
        {"Allow from all ", {{"allow", "all "}}},
        {"Allow from", {}},
        {"Allow from 10.0.0.1 .example.com", {{"allow", "10.0.0.1 .example.com"}}},
        {"Allow from a\nAllow from all\nAllow from b c", {{"allow", "a b c"}}},
        {"Allow from a \r\nAllow from b\nDeny from c\t\nDeny from d", {{"allow", "a b"}, {"deny", "c d"}}},
        {"Deny from x\nDeny from y", {{"deny", "x y"}}},
        {"Order allow,deny", {{"orderallow", "yes"}}},
        {"Order deny,allow\nAuthType Basic\nSatisfy any\n<Directory \"/x\">\n</Directory>\n\n", {}},
        {"AuthName x Require valid-user Allow from y", {{"authname", "x Require valid-user Allow from y"}}},
        {"Require user bob Deny from all", {{"users", "bob Deny from all"}}},
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

const ProtectionInfo kWrittenInfo{
    {"authname", "Members"},    {"userfile", "/etc/users"}, {"groupfile", "/etc/groups"},
    {"groups", "staff admins"}, {"users", "alice bob"},     {"allow", "10.0.0.1 .example.com"},
    {"deny", "10.0.0.9"},       {"orderallow", "yes"},      {"denyall", "yes"}};

TEST(ReadHtaccessTest, WrittenBlocksReadBackIntoTheirKeys) {
    EXPECT_EQ(ReadHtaccess::readPart(kWrittenBlock), kWrittenInfo);
    EXPECT_EQ(ReadHtaccess::readPart("AuthType Basic\nAuthName \"Keepgate\"\nRequire valid-user\n"
                                     "Deny from h\nOrder deny,allow\n"),
              (ProtectionInfo{{"authname", "Keepgate"}, {"valid-user", "valid-user"}, {"deny", "h"}}));
    EXPECT_EQ(ReadHtaccess::readPart("AuthType Basic\nAuthName \"Members\"\nAuthUserFile /etc/users\n"
                                     "Require user alice bob\nAllow from h\nOrder allow,deny\n"),
              (ProtectionInfo{{"authname", "Members"},
                              {"userfile", "/etc/users"},
                              {"users", "alice bob"},
                              {"allow", "h"},
                              {"orderallow", "yes"}}));

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
        {"/srv/one", {{"authname", "Directory "}}},
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

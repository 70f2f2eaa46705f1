#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "services/ApacheConfig.h"
#include "support/TestSupport.h"

namespace keepgate {
namespace {

// One directive as "Name arg|arg @file:line in Section arg > Section arg", file relative to the root.
std::string describe(const ConfigDirective& directive, const std::string& root) {
    std::string text = directive.name;
    for (std::size_t i = 0; i < directive.arguments.size(); ++i) {
        text += (i == 0 ? " " : "|") + directive.arguments[i];
    }
    std::string file = directive.file;
    if (file.starts_with(root + "/")) {
        file = file.substr(root.size() + 1);
    }
    text += " @" + file + ":" + std::to_string(directive.line);
    for (std::size_t i = 0; i < directive.sections.size(); ++i) {
        text += (i == 0 ? " in " : " > ") + directive.sections[i].first + " " + directive.sections[i].second;
    }
    return text;
}

struct ReadCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files; // path under the root, contents
    std::map<std::string, std::string> variables;
    std::vector<std::string> expected; // every directive, in reading order
    std::vector<std::string> problems; // each problem must mention this file (relative to the root)
};

class ApacheConfigReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ApacheConfigReadTest, ReadsDirectivesAsApacheDoes) {
    const ReadCase& c = GetParam();
    testing::TempDir root;
    for (const auto& [path, contents] : c.files) {
        testing::writeFile(root / path, contents);
    }
    const ApacheConfigText text = ApacheConfig::read("main.conf", root.path(), c.variables);
    std::vector<std::string> described;
    for (const auto& directive : text.directives) {
        described.push_back(describe(directive, root.path()));
    }
    EXPECT_EQ(described, c.expected);
    ASSERT_EQ(text.problems.size(), c.problems.size()) << ::testing::PrintToString(text.problems);
    for (std::size_t i = 0; i < c.problems.size(); ++i) {
        EXPECT_NE(text.problems[i].find(root / c.problems[i]), std::string::npos) << text.problems[i];
    }
}

const ReadCase kReadCases[] = {
    {"NestedSections",
     {{"main.conf", "<VirtualHost *:80>\n  <Directory \"/var/www/\">\n    AllowOverride None\n"
                    "  </Directory>\n  DocumentRoot /srv\n</VirtualHost>\nUser www-data\n"}},
     {},
     {"AllowOverride None @main.conf:3 in VirtualHost *:80 > Directory /var/www/",
      "DocumentRoot /srv @main.conf:5 in VirtualHost *:80", "User www-data @main.conf:7"},
     {}},
    {"QuotesSingleAndDoubleWithEscapes",
     {{"main.conf", "AuthName \"two words\" 'single quoted' plain \"say \\\"hi\\\"\"\n"}},
     {},
     {"AuthName two words|single quoted|plain|say \"hi\" @main.conf:1"},
     {}},
    {"ClosingLineInAnyCaseAndCommentsSkipped",
     {{"main.conf", "# <Directory /commented>\n<directory /a>\n   # AllowOverride All\n"
                    "AllowOverride AuthConfig\n</DIRECTORY>\nallowoverride none\n\n"}},
     {},
     {"AllowOverride AuthConfig @main.conf:4 in directory /a", "allowoverride none @main.conf:6"},
     {}},
    {"TrailingBackslashContinuesTheLine",
     {{"main.conf", "AllowOverride AuthConfig \\\n    Limit\nUser one\\\\\nGroup two\n"}},
     {},
     {"AllowOverride AuthConfig|Limit @main.conf:1", "User one\\\\ @main.conf:3", "Group two @main.conf:4"},
     {}},
    {"IncludeWithGlobInNameOrderInsideSection",
     {{"main.conf", "<Directory /var/www>\nInclude conf.d/*.conf\n</Directory>\nUser last\n"},
      {"conf.d/b.conf", "Require valid-user\n"},
      {"conf.d/a.conf", "AllowOverride All\n"},
      {"conf.d/skip.txt", "Nothing here\n"}},
     {},
     {"Include conf.d/*.conf @main.conf:2 in Directory /var/www",
      "AllowOverride All @conf.d/a.conf:1 in Directory /var/www",
      "Require valid-user @conf.d/b.conf:1 in Directory /var/www", "User last @main.conf:4"},
     {}},
    {"RelativeAndAbsoluteIncludesAndFolders",
     {{"main.conf", "IncludeOptional sites-enabled\nInclude mods/one.load\n"},
      {"sites-enabled/000-default.conf", "DocumentRoot /var/www/html\n"},
      {"sites-enabled/sub/x.conf", "ServerName x\n"},
      {"mods/one.load", "LoadModule auth_basic_module mods/mod_auth_basic.so\n"}},
     {},
     {"IncludeOptional sites-enabled @main.conf:1",
      "DocumentRoot /var/www/html @sites-enabled/000-default.conf:1",
      "ServerName x @sites-enabled/sub/x.conf:1", "Include mods/one.load @main.conf:2",
      "LoadModule auth_basic_module|mods/mod_auth_basic.so @mods/one.load:1"},
     {}},
    {"MissingIncludedFileIsReportedOptionalIsNot",
     {{"main.conf", "Include missing.conf\nIncludeOptional gone.conf\nIncludeOptional none/*.conf\n"
                    "Include nothing/*.conf\nUser after\n"}},
     {},
     {"Include missing.conf @main.conf:1", "IncludeOptional gone.conf @main.conf:2",
      "IncludeOptional none/*.conf @main.conf:3", "Include nothing/*.conf @main.conf:4",
      "User after @main.conf:5"},
     {"missing.conf", "nothing/*.conf"}},
    {"VariablesFromEnvironmentAndDefine",
     {{"main.conf", "Define DOCS /srv/docs\nUser ${APACHE_RUN_USER}\n<Directory ${DOCS}/>\n"
                    "Include ${CONF}/x.conf\n</Directory>\nGroup ${UNDEFINED}\n"},
      {"extra/x.conf", "AllowOverride AuthConfig\n"}},
     {{"APACHE_RUN_USER", "www-data"}, {"CONF", "extra"}},
     {"Define DOCS|/srv/docs @main.conf:1", "User www-data @main.conf:2",
      "Include extra/x.conf @main.conf:4 in Directory /srv/docs/",
      "AllowOverride AuthConfig @extra/x.conf:1 in Directory /srv/docs/", "Group ${UNDEFINED} @main.conf:6"},
     {}},
    {"SectionLeftOpenInAnIncludedFileEndsWithIt",
     {{"main.conf", "Include open.conf\nUser outside\n"},
      {"open.conf", "<Directory /x>\nAllowOverride All\n"}},
     {},
     {"Include open.conf @main.conf:1", "AllowOverride All @open.conf:2 in Directory /x",
      "User outside @main.conf:2"},
     {}},
};

INSTANTIATE_TEST_SUITE_P(Table, ApacheConfigReadTest, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ApacheConfigTest, FileThatIncludesItselfStopsWithOneProblem) {
    testing::TempDir root;
    testing::writeFile(root / "main.conf", "User a\nInclude " + root / "main.conf" + "\n");
    const auto text = ApacheConfig::read(root / "main.conf", "/elsewhere");
    ASSERT_EQ(text.problems.size(), 1u);
    EXPECT_NE(text.problems[0].find(root / "main.conf"), std::string::npos);
    EXPECT_EQ(text.directives.size(), 2u) << "the read stops where the file includes itself";
    EXPECT_EQ(text.error, text.problems[0]);
}

TEST(ApacheConfigTest, UnreadableMainOrIncludedFileIsAProblemNotAnEnd) {
    testing::TempDir root;
    EXPECT_EQ(ApacheConfig::read(root / "absent.conf", root.path()).problems.size(), 1u);

    testing::writeFile(root / "main.conf", "Include locked.conf\nUser after\n");
    testing::writeFile(root / "locked.conf", "User inside\n");
    chmod((root / "locked.conf").c_str(), 0);
    const auto text = ApacheConfig::read(root / "main.conf", root.path());
    ASSERT_FALSE(text.directives.empty());
    EXPECT_EQ(text.directives.back().arguments, std::vector<std::string>{"after"});
    // The superuser reads any file, so only an ordinary user sees the locked one refused.
    if (geteuid() != 0) {
        ASSERT_EQ(text.problems.size(), 1u);
        EXPECT_NE(text.problems[0].find("locked.conf"), std::string::npos);
    }
}

} // namespace
} // namespace keepgate

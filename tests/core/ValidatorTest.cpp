#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "formats/NameRules.h"
#include "formats/Validator.h"

namespace keepgate {
namespace {

using Check = std::function<std::optional<std::string>(const std::string&)>;

struct Refused {
    std::string value;
    std::string named; // the words the problem must hold, naming the offending character or word
};

struct FieldCase {
    const char* field;
    Check check;
    std::vector<std::string> accepted;
    std::vector<Refused> refused;
};

// The values every field refuses, whatever else it allows.
std::vector<Refused> everyFieldRefuses() {
    return {
        {std::string("a\0b", 3), "NUL"},
        {"a\vb", "vertical tab"},
        {"a\fb", "form feed"},
        {"a\x1b[0m", "escape"},
        {"a\rb", "line break"},
        {"a\nb", "line break"},
        {"a\x7f", "delete"},
        {"a\x01", "0x01"},
        {"a\\", "ends with a backslash"},
        {"a${HOME}b", "${"},
        {std::string(Validator::kMaxLineLength, 'a'), "8190"},
    };
}

std::vector<FieldCase> fieldCases() {
    return {
        {"realm",
         Validator::realm,
         {"Members", "DOMAIN\\Users", "it's ours", "%d 100%", "caf\xc3\xa9", std::string(8179, 'r')},
         {{"say \"hi\"", "double quote"},
          {"a\\'b", "backslash before a quote"},
          {"%{REMOTE_ADDR}", "%{"},
          {std::string(8180, 'r'), "8190"}}},
        {"user name",
         Validator::userName,
         {"alice", "o'brien", "j.doe@example.org", "DOMAIN\\bob", "jos\xc3\xa9", "user\xc3\xa6",
          std::string(8177, 'u')},
         {{"", "empty"},
          {"a b", "blank"},
          {"a\tb", "tab"},
          {"a:b", "colon"},
          {"%{x}", "%{"},
          {"a\\\"b", "backslash before a quote"},
          {std::string(8178, 'u'), "8190"}}},
        {"group name",
         Validator::groupName,
         {"staff", "web-admins"},
         {{"", "empty"}, {"st aff", "blank"}, {"st:aff", "colon"}, {"a\vb", "vertical tab"}, {"%{g}", "%{"}}},
        {"member name",
         Validator::memberName,
         {"alice"},
         {{"", "empty"}, {"al ice", "blank"}, {"al:ice", "colon"}, {"al\fice", "form feed"}, {"%{m}", "%{"}}},
        {"host",
         Validator::host,
         {"10.0.0.1", "10.1", "10", "192.168.2", "10.0.0.0/255.0.0.0", "10.0.0.0/8", "0.0.0.0/0",
          "10.0.0.0/32", "2001:db8::1", "::1", "2001:db8::/48", "2001:db8::/128", "example.org",
          ".example.org", "host-1.example.org", "localhost"},
         {{"all", "deny all others"},
          {"ALL", "deny all others"},
          {"a b", "blank"},
          {"10.0.0.1 10.0.0.2", "blank"},
          {"host#x", "#"},
          {"300.1.1.1", "300.1.1.1"},
          {"10.0.0.0/99", "/99"},
          {"2001:db8::/129", "/129"},
          {"10.1/8", "complete"},
          {"10.0.0.0/255.0", "mask"},
          {"2001:db8::zz", "IPv6"},
          {"exa mple", "blank"},
          {"env=trusted", "host name"},
          {"a..b", "host name"},
          {"host\\", "backslash"}}},
        {"directory path",
         Validator::directoryPath,
         {"/srv/www/my site", "/srv/caf\xc3\xa9", "/srv/a\\b"},
         {{"/srv/\"x", "double quote"}, {"${HOME}/site", "${"}, {"/srv/site\\", "backslash"}}},
        {"file path in the block",
         Validator::blockFilePath,
         {"/etc/apache2/users", "/srv/my files/users"},
         {{"/etc/\"users", "double quote"}, {"/etc/users\\", "backslash"}}},
        {"preference path",
         Validator::preferencePath,
         {"/etc/apache2/keepgate.conf", "/srv/with blank.conf"},
         {{"/etc/\"x.conf", "double quote"}, {"/etc/x\n.conf", "line break"}}},
        {"access file name",
         Validator::accessFileName,
         {".htaccess", "access.txt", "..htaccess"},
         {{"sub/.htaccess", "slash"}, {"/etc/passwd", "slash"}, {".", "\".\""}, {"..", "\"..\""}}},
    };
}

TEST(ValidatorTest, EveryFieldAcceptsItsValuesAndRefusesWithTheOffenderNamed) {
    for (const auto& field : fieldCases()) {
        SCOPED_TRACE(field.field);
        for (const auto& value : field.accepted) {
            EXPECT_EQ(field.check(value), std::nullopt) << "value \"" << value << "\"";
        }
        auto refused = everyFieldRefuses();
        refused.insert(refused.end(), field.refused.begin(), field.refused.end());
        for (const auto& [value, named] : refused) {
            const auto problem = field.check(value);
            ASSERT_TRUE(problem.has_value()) << "value \"" << value.substr(0, 40) << "\" was accepted";
            EXPECT_NE(problem->find(named), std::string::npos)
                << "value \"" << value.substr(0, 40) << "\": " << *problem;
        }
    }
}

TEST(ValidatorTest, LinesUpToTheLimitPass) {
    EXPECT_EQ(Validator::line(std::string(Validator::kMaxLineLength, 'x')), std::nullopt);
    const auto problem = Validator::line(std::string(Validator::kMaxLineLength + 1, 'x'));
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find("8191"), std::string::npos);
}

// The user and group editors ask the name rules, which must refuse what the validator refuses.
TEST(ValidatorTest, NameRulesApplyTheValidatorPerKindOfName) {
    const struct {
        std::string_view kind;
        std::string name;
        bool refused;
    } cases[] = {
        {names::kUsername, "a\vb", true},    {names::kUsername, "%{x}", true},
        {names::kUsername, "a:b", true},     {names::kUsername, "alice", false},
        {names::kGroupName, "g\fh", true},   {names::kGroupName, "${G}", true},
        {names::kGroupName, "staff", false}, {names::kMemberName, "m:n", true},
        {names::kMemberName, "m\\", true},   {names::kMemberName, "bob", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(names::problem(c.name, c.kind).has_value(), c.refused) << c.name;
    }
}

} // namespace
} // namespace keepgate

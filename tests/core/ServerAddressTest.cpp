// Which local URL the server publishes a directory under, worked out from tables of configurations.

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "services/ServerAddress.h"

namespace keepgate {
namespace {

// Directives as the configuration reader hands them over, from a compact text: one directive per line,
// "<Kind arg>" opens a section and "</Kind>" closes it.
std::vector<ConfigDirective> directives(const std::string& text) {
    std::vector<ConfigDirective> result;
    std::vector<std::pair<std::string, std::string>> sections;
    int virtualHosts = 0;
    int virtualHost = 0;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (line.empty()) {
            continue;
        }
        if (line.rfind("</", 0) == 0) {
            virtualHost = sections.back().first == "VirtualHost" ? 0 : virtualHost;
            sections.pop_back();
            continue;
        }
        if (line.front() == '<') {
            const auto blank = line.find(' ');
            sections.emplace_back(line.substr(1, blank - 1), line.substr(blank + 1, line.size() - blank - 2));
            virtualHost = sections.back().first == "VirtualHost" ? ++virtualHosts : virtualHost;
            continue;
        }
        ConfigDirective directive;
        std::istringstream words(line);
        words >> directive.name;
        std::string word;
        while (words >> word) {
            if (word.size() >= 2 && word.front() == '"' && word.back() == '"') {
                word = word.substr(1, word.size() - 2);
            }
            directive.arguments.push_back(word);
        }
        directive.file = "/etc/apache2/apache2.conf";
        directive.line = number;
        directive.sections = sections;
        directive.virtualHost = virtualHost;
        result.push_back(directive);
    }
    return result;
}

const std::map<std::string, std::string> kHomes = {{"alice", "/home/alice"}, {"bob", "/srv/homes/bob"}};

std::optional<std::string> home(const std::string& user) {
    const auto it = kHomes.find(user);
    return it == kHomes.end() ? std::nullopt : std::optional<std::string>(it->second);
}

struct MappingCase {
    const char* name;
    const char* config;
    const char* directory;
    const char* url; // empty: no address
};

std::ostream& operator<<(std::ostream& out, const MappingCase& c) {
    return out << c.name;
}

class Mapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(Mapping, PublishesTheDirectoryUnderTheExpectedAddress) {
    const MappingCase& c = GetParam();
    const PublishedAddress address = ServerAddress::forDirectory(directives(c.config), c.directory, home);
    EXPECT_EQ(address.url, c.url) << c.config;
    if (std::string(c.url).empty()) {
        EXPECT_FALSE(address.reason.empty());
    } else {
        EXPECT_TRUE(address.reason.empty()) << address.reason;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Configurations, Mapping,
    ::testing::Values(
        MappingCase{"DocumentRootItself", "Listen 80\nDocumentRoot /var/www/html", "/var/www/html",
                    "http://127.0.0.1/"},
        MappingCase{"NestedUnderDocumentRoot", "Listen 80\nDocumentRoot \"/var/www/html/\"",
                    "/var/www/html/a/b/", "http://127.0.0.1/a/b/"},
        MappingCase{"SiblingWithTheSameStartIsOutside", "Listen 80\nDocumentRoot /var/www/html",
                    "/var/www/html2", ""},
        MappingCase{"OutsideEverything", "Listen 80\nDocumentRoot /var/www/html", "/home/alice/private", ""},
        MappingCase{"NoListenMeansPort80", "DocumentRoot /srv/site", "/srv/site/x", "http://127.0.0.1/x/"},
        MappingCase{"RelativeDocumentRootUnderServerRoot",
                    "ServerRoot /opt/httpd\nListen 8000\nDocumentRoot htdocs", "/opt/httpd/htdocs/x",
                    "http://127.0.0.1:8000/x/"},
        MappingCase{"AliasWithTrailingSlashes",
                    "Listen 80\nDocumentRoot /var/www/html\nAlias /icons/ /usr/share/icons/",
                    "/usr/share/icons/small", "http://127.0.0.1/icons/small/"},
        MappingCase{"AliasWithoutTrailingSlashes",
                    "Listen 80\nDocumentRoot /var/www/html\nAlias /docs /srv/docs", "/srv/docs",
                    "http://127.0.0.1/docs/"},
        MappingCase{"AliasNestedFolder", "Listen 80\nAlias /docs /srv/docs", "/srv/docs/2024/q1",
                    "http://127.0.0.1/docs/2024/q1/"},
        // With a slash on the URL side only, the server glues the rest to the folder name, so only the
        // folder itself is reachable.
        MappingCase{"AliasSlashOnUrlSideOnlyReachesTheFolderItself", "Listen 80\nAlias /docs/ /srv/docs",
                    "/srv/docs", "http://127.0.0.1/docs/"},
        MappingCase{"AliasSlashOnUrlSideOnlyMissesSubfolders", "Listen 80\nAlias /docs/ /srv/docs",
                    "/srv/docs/sub", ""},
        MappingCase{"EarlierAliasShadowsALaterOne",
                    "Listen 80\nDocumentRoot /var/www/html\nAlias /a /srv/a\nAlias /a/b /srv/other",
                    "/srv/other", ""},
        MappingCase{"AliasMatch",
                    "Listen 80\nAliasMatch ^/manual(?:/(?:da|de|en))?(/.*)?$ /usr/share/doc/manual$1",
                    "/usr/share/doc/manual/mod", "http://127.0.0.1/manual/mod/"},
        MappingCase{"UserDirUnderHome",
                    "Listen 80\nDocumentRoot /var/www/html\n<IfModule mod_userdir.c>\nUserDir public_html\n"
                    "UserDir disabled root\n</IfModule>",
                    "/home/alice/public_html/private", "http://127.0.0.1/~alice/private/"},
        MappingCase{"UserDirHomeElsewhere", "Listen 80\nUserDir public_html", "/srv/homes/bob/public_html",
                    "http://127.0.0.1/~bob/"},
        MappingCase{"UserDirDisabledForTheUser", "Listen 80\nUserDir public_html\nUserDir disabled alice",
                    "/home/alice/public_html", ""},
        MappingCase{"UserDirModuleNotLoaded",
                    "LoadModule alias_module modules/mod_alias.so\nListen 80\n<IfModule mod_userdir.c>\n"
                    "UserDir public_html\n</IfModule>",
                    "/home/alice/public_html", ""},
        MappingCase{"UserDirModuleLoaded",
                    "LoadModule userdir_module modules/mod_userdir.so\nListen 80\n<IfModule userdir_module>\n"
                    "UserDir public_html\n</IfModule>",
                    "/home/alice/public_html", "http://127.0.0.1/~alice/"},
        MappingCase{"UserDirPattern", "Listen 80\nUserDir /var/www/users/*/site",
                    "/var/www/users/alice/site/x", "http://127.0.0.1/~alice/x/"},
        MappingCase{
            "DefaultVirtualHostRootWins",
            "Listen 80\nDocumentRoot /var/www\n<VirtualHost *:80>\nServerName one\nDocumentRoot "
            "/var/www/html\n</VirtualHost>\n<VirtualHost *:80>\nServerName two\nDocumentRoot /srv/two\n"
            "</VirtualHost>",
            "/var/www/html/p", "http://127.0.0.1/p/"},
        MappingCase{
            "SecondVirtualHostIsAskedByItsName",
            "Listen 80\n<VirtualHost *:80>\nServerName one\nDocumentRoot /var/www/html\n</VirtualHost>\n"
            "<VirtualHost *:80>\nServerName two.example:80\nDocumentRoot /srv/two\n</VirtualHost>",
            "/srv/two", "http://two.example/"},
        MappingCase{
            "TwoSectionsOnOneAddressAreTwoHostsEvenWithoutADocumentRootOfTheirOwn",
            "Listen 80\nDocumentRoot /var/www\n<VirtualHost *:80>\nServerName one\n</VirtualHost>\n"
            "<VirtualHost *:80>\nServerAlias alias.example other.example\nAlias /x /srv/x\n</VirtualHost>",
            "/srv/x", "http://alias.example/x/"},
        MappingCase{"ANamelessSecondHostCannotBeAsked",
                    "Listen 80\n<VirtualHost *:80>\nDocumentRoot /a\n</VirtualHost>\n<VirtualHost *:80>\n"
                    "DocumentRoot /b\n</VirtualHost>",
                    "/b/x", ""},
        MappingCase{"VirtualHostOfAnotherPortIsSkipped",
                    "Listen 8080\nDocumentRoot /srv/main\n<VirtualHost *:443>\nDocumentRoot /srv/secure\n"
                    "</VirtualHost>",
                    "/srv/main/x", "http://127.0.0.1:8080/x/"},
        MappingCase{"BlanksAndNonAsciiAreEncoded", "Listen 80\nDocumentRoot /var/www",
                    "/var/www/my files/caf\xc3\xa9", "http://127.0.0.1/my%20files/caf%C3%A9/"},
        MappingCase{"OnlyHttpsListeners", "Listen 443\nDocumentRoot /var/www", "/var/www",
                    "https://127.0.0.1/"},
        MappingCase{"PlainHttpIsPreferred", "Listen 8443 https\nListen 8080\nDocumentRoot /var/www",
                    "/var/www/a", "http://127.0.0.1:8080/a/"}));

struct ListenCase {
    const char* argument;
    const char* protocol;
    const char* host; // empty: refused
    int port;
    bool https;
};

class ListenForms : public ::testing::TestWithParam<ListenCase> {};

TEST_P(ListenForms, BecomeAnAddressOnThisComputer) {
    const ListenCase& c = GetParam();
    const auto address = ServerAddress::listenAddress(c.argument, c.protocol);
    if (std::string(c.host).empty()) {
        EXPECT_FALSE(address) << c.argument;
        return;
    }
    ASSERT_TRUE(address) << c.argument;
    EXPECT_EQ(address->host, c.host);
    EXPECT_EQ(address->port, c.port);
    EXPECT_EQ(address->https, c.https);
}

INSTANTIATE_TEST_SUITE_P(Arguments, ListenForms,
                         ::testing::Values(ListenCase{"80", "", "127.0.0.1", 80, false},
                                           ListenCase{"0.0.0.0:8080", "", "127.0.0.1", 8080, false},
                                           ListenCase{"[::]:80", "", "127.0.0.1", 80, false},
                                           ListenCase{"*:8000", "", "127.0.0.1", 8000, false},
                                           ListenCase{"127.0.0.1:8081", "", "127.0.0.1", 8081, false},
                                           ListenCase{"[::1]:8082", "", "[::1]", 8082, false},
                                           ListenCase{"192.168.1.5:80", "", "192.168.1.5", 80, false},
                                           ListenCase{"443", "", "127.0.0.1", 443, true},
                                           ListenCase{"8443", "https", "127.0.0.1", 8443, true},
                                           ListenCase{"443", "http", "127.0.0.1", 443, false},
                                           ListenCase{"70000", "", "", 0, false},
                                           ListenCase{"::1:80", "", "", 0, false},
                                           ListenCase{"host:http", "", "", 0, false}));

TEST(ServerAddressVirtualHosts, ANamedHostIsReachedThroughThisComputersListenerOverHttpOrHttps) {
    const std::string config =
        "Listen 127.0.0.1:8080\nListen 127.0.0.1:8443 https\n"
        "<VirtualHost 127.0.0.1:8080>\nServerName first.example\nDocumentRoot /srv/first\n"
        "</VirtualHost>\n<VirtualHost 127.0.0.1:8080>\nServerName second.example\n"
        "DocumentRoot /srv/second\n</VirtualHost>\n<VirtualHost 127.0.0.1:8443>\n"
        "ServerName first.example\nSSLEngine on\nDocumentRoot /srv/first\n</VirtualHost>\n"
        "<VirtualHost 127.0.0.1:8443>\nServerName secure.example\nSSLEngine on\n"
        "DocumentRoot /srv/secure\n</VirtualHost>";
    const struct {
        const char* directory;
        const char* url;
        const char* connectTo;
    } cases[] = {
        {"/srv/first/a", "http://127.0.0.1:8080/a/", ""},
        {"/srv/second/b", "http://second.example:8080/b/", "127.0.0.1:8080"},
        {"/srv/secure/c", "https://secure.example:8443/c/", "127.0.0.1:8443"},
    };
    for (const auto& c : cases) {
        const auto address = ServerAddress::forDirectory(directives(config), c.directory, home);
        EXPECT_EQ(address.url, c.url) << c.directory;
        EXPECT_EQ(address.connectTo, c.connectTo) << c.directory;
    }
}

TEST(ServerAddressListen, TheFirstPlainListenerIsUsedAndHttpsOnesAreSkipped) {
    const auto address = ServerAddress::forDirectory(
        directives("Listen 443\nListen 127.0.0.1:8081\nListen 80\nDocumentRoot /srv"), "/srv/a", home);
    EXPECT_EQ(address.url, "http://127.0.0.1:8081/a/");
}

} // namespace
} // namespace keepgate

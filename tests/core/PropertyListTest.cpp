#include <gtest/gtest.h>

#include "platform/PropertyList.h"

namespace keepgate {
namespace {

using Strings = std::map<std::string, std::string>;

const std::string kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                          "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n";

std::string repeat(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

std::string plist(const std::string& body) {
    return kHead + "<plist version=\"1.0\">\n" + body + "\n</plist>\n";
}

TEST(PropertyListTest, ReadsTheStringEntriesOfARootDictionary) {
    const struct {
        const char* name;
        std::string document;
        Strings expected;
    } cases[] = {
        {"version document",
         plist(
             "<dict>\n\t<key>versionnumber</key>\n\t<string>0.8</string>\n\t<key>whatsnew</key>\n"
             "\t<string>Faster.\nSafer.</string>\n\t<key>gotoURL</key><string>http://h/x</string>\n</dict>"),
         {{"versionnumber", "0.8"}, {"whatsnew", "Faster.\nSafer."}, {"gotoURL", "http://h/x"}}},
        {"entities",
         plist("<dict><key>a&amp;b</key><string>&lt;&gt;&quot;&apos;&amp;100%</string></dict>"),
         {{"a&b", "<>\"'&100%"}}},
        {"numeric references",
         plist("<dict><key>k</key><string>&#65;&#x42;&#xe9;&#x20AC;&#x1F600;</string></dict>"),
         {{"k", "AB\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"}}},
        {"CDATA and comments",
         plist("<!-- c --><dict><!-- c --><key>k</key><string><![CDATA[<b>&amp;</b>]]> x<!-- y "
               "--></string></dict>"),
         {{"k", "<b>&amp;</b> x"}}},
        {"empty string and empty dict",
         plist("<dict><key>k</key><string/><key>e</key><string></string></dict>"),
         {{"k", ""}, {"e", ""}}},
        {"empty root dict", plist("<dict/>"), {}},
        {"other kinds left out",
         plist(
             "<dict><key>n</key><integer>7</integer><key>r</key><real>1.5</real><key>t</key><true/>"
             "<key>f</key><false/><key>d</key><date>2026-01-01T00:00:00Z</date><key>b</key><data>AA==</data>"
             "<key>a</key><array><string>x</string><dict><key>q</key><string>r</string></dict></array>"
             "<key>s</key><string>kept</string><key>sub</key><dict><key>x</key><string>y</string></dict></"
             "dict>"),
         {{"s", "kept"}}},
        {"later duplicate wins",
         plist("<dict><key>k</key><string>1</string><key>k</key><string>2</string></dict>"),
         {{"k", "2"}}},
        {"duplicate replaced by non-string",
         plist("<dict><key>k</key><string>1</string><key>k</key><integer>2</integer></dict>"),
         {}},
        {"without plist wrapper", "<dict><key>k</key><string>v</string></dict>", {{"k", "v"}}},
        {"single-quoted attribute and blanks in tags",
         "<plist version='1.0' ><dict ><key>k</key ><string>v</string ></dict></plist >",
         {{"k", "v"}}},
        {"raw bytes kept",
         plist("<dict><key>k</key><string>caf\xC3\xA9 \r\n</string></dict>"),
         {{"k", "caf\xC3\xA9 \r\n"}}},
    };
    for (const auto& c : cases) {
        const auto parsed = platform::parsePropertyListDictionary(c.document);
        ASSERT_TRUE(parsed.has_value()) << c.name;
        EXPECT_EQ(*parsed, c.expected) << c.name;
    }
}

TEST(PropertyListTest, RefusesMalformedDocumentsAndOtherRoots) {
    const struct {
        const char* name;
        std::string document;
    } cases[] = {
        {"empty", ""},
        {"blank", "  \n"},
        {"not XML", "versionnumber=0.8"},
        {"HTML page", "<html><body>Not Found</body></html>"},
        {"string root", plist("<string>0.7</string>")},
        {"array root", plist("<array><string>0.7</string></array>")},
        {"empty plist", "<plist version=\"1.0\"></plist>"},
        {"two roots", plist("<dict/><dict/>")},
        {"unclosed dict", plist("<dict><key>k</key><string>v</string>")},
        {"cut short", plist("<dict><key>k</key><string>v").substr(0, 60)},
        {"mismatched end tag", plist("<dict><key>k</key><string>v</strin></dict>")},
        {"key without value", plist("<dict><key>k</key></dict>")},
        {"value without key", plist("<dict><string>v</string></dict>")},
        {"unknown element", plist("<dict><key>k</key><text>v</text></dict>")},
        {"element inside string", plist("<dict><key>k</key><string>a<b/>c</string></dict>")},
        {"unknown entity", plist("<dict><key>k</key><string>&nbsp;</string></dict>")},
        {"bare ampersand", plist("<dict><key>k</key><string>a & b</string></dict>")},
        {"bad numeric reference", plist("<dict><key>k</key><string>&#xZZ;</string></dict>")},
        {"out-of-range reference", plist("<dict><key>k</key><string>&#x110000;</string></dict>")},
        {"NUL reference", plist("<dict><key>k</key><string>&#0;</string></dict>")},
        {"unclosed CDATA", plist("<dict><key>k</key><string><![CDATA[x</string></dict>")},
        {"unclosed comment", plist("<dict><!-- x</dict>")},
        {"trailing text", plist("<dict/>") + "junk"},
        {"attribute without blank", "<plist version=\"1.0\"x=\"y\"><dict/></plist>"},
        {"true with content", plist("<dict><key>k</key><true>yes</true></dict>")},
        {"nesting too deep",
         plist("<dict><key>k</key>" + repeat("<array>", 1000) + repeat("</array>", 1000) + "</dict>")},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(platform::parsePropertyListDictionary(c.document).has_value()) << c.name;
    }
}

} // namespace
} // namespace keepgate

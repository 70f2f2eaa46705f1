#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Messages.h"

namespace keepgate::testing {
namespace {

const std::filesystem::path kRoot = std::filesystem::path(KEEPGATE_TEST_SOURCE_DIR).parent_path();

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text of a run of adjacent C++ string literals, as the compiler joins them.
std::string literalText(const std::string& literals) {
    std::string out;
    bool inside = false;
    for (std::size_t i = 0; i < literals.size(); ++i) {
        const char c = literals[i];
        if (!inside) {
            inside = c == '"';
            continue;
        }
        if (c == '"') {
            inside = false;
        } else if (c == '\\' && i + 1 < literals.size()) {
            const char next = literals[++i];
            out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
        } else {
            out += c;
        }
    }
    return out;
}

// Every core message template marked for translation, with the file that marks it, read from the same
// folders the translation sources are gathered from.
std::map<std::string, std::string> markedTemplates() {
    static const std::regex mark(
        R"re(QT_TRANSLATE_NOOP\(\s*"Messages"\s*,\s*((?:"(?:[^"\\]|\\.)*"\s*)+)\))re");
    std::map<std::string, std::string> found;
    for (const char* folder :
         {"app", "directory", "groups", "operations", "services", "formats", "platform"}) {
        for (const auto& entry : std::filesystem::directory_iterator(kRoot / "src" / folder)) {
            const std::string text = readAll(entry.path());
            for (auto it = std::sregex_iterator(text.begin(), text.end(), mark); it != std::sregex_iterator();
                 ++it) {
                found.emplace(literalText((*it)[1].str()), entry.path().filename().string());
            }
        }
    }
    return found;
}

std::string unescapeXml(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        const std::size_t end = text.find(';', i);
        const std::string entity = text.substr(i + 1, end - i - 1);
        i = end;
        if (entity == "quot") {
            out += '"';
        } else if (entity == "apos") {
            out += '\'';
        } else if (entity == "lt") {
            out += '<';
        } else if (entity == "gt") {
            out += '>';
        } else if (entity == "amp") {
            out += '&';
        } else if (entity.starts_with('#')) {
            const unsigned long code =
                entity[1] == 'x' ? std::stoul(entity.substr(2), nullptr, 16) : std::stoul(entity.substr(1));
            if (code < 0x80) {
                out += static_cast<char>(code);
            } else if (code < 0x800) {
                out += static_cast<char>(0xC0 | (code >> 6));
                out += static_cast<char>(0x80 | (code & 0x3F));
            } else {
                out += static_cast<char>(0xE0 | (code >> 12));
                out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (code & 0x3F));
            }
        }
    }
    return out;
}

struct Entry {
    std::string translation;
    bool finished = false;
};

// The "Messages" context of a translation source: each English template with its translation.
std::map<std::string, Entry> messagesOf(const std::string& ts) {
    const std::size_t start = ts.find("<name>Messages</name>");
    const std::string context = ts.substr(start, ts.find("</context>", start) - start);
    static const std::regex message(
        R"re(<source>([\s\S]*?)</source>\s*(?:<comment>[\s\S]*?</comment>\s*)?<translation([^>]*)>([\s\S]*?)</translation>)re");
    std::map<std::string, Entry> entries;
    for (auto it = std::sregex_iterator(context.begin(), context.end(), message);
         it != std::sregex_iterator(); ++it) {
        entries[unescapeXml((*it)[1].str())] = {unescapeXml((*it)[3].str()), (*it)[2].str().empty()};
    }
    return entries;
}

std::set<std::string> placeholders(const std::string& text) {
    std::set<std::string> found;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') {
            found.insert(text.substr(i, 2));
        }
    }
    return found;
}

// A message a developer marks must reach German and French readers: a template missing from a
// translation source, left unfinished or losing a placeholder fails here until `make translations`
// has run and the new entry is translated.
TEST(MessageCatalogTest, EveryMarkedCoreMessageHasAFinishedTranslationInEveryLanguage) {
    const auto templates = markedTemplates();
    ASSERT_GT(templates.size(), 300U) << "the marked messages were not found under " << kRoot;
    for (const char* language : {"de", "fr"}) {
        const std::string ts =
            readAll(kRoot / "translations" / (std::string("keepgate_") + language + ".ts"));
        ASSERT_FALSE(ts.empty()) << language;
        EXPECT_EQ(ts.find("type=\"unfinished\""), std::string::npos)
            << language << ": an entry is unfinished";
        const auto entries = messagesOf(ts);
        for (const auto& [pattern, file] : templates) {
            const auto it = entries.find(pattern);
            if (it == entries.end()) {
                ADD_FAILURE() << language << ": no translation of \"" << pattern << "\" (" << file << ")";
                continue;
            }
            EXPECT_TRUE(it->second.finished && !it->second.translation.empty())
                << language << ": \"" << pattern << "\" is not translated";
            EXPECT_EQ(placeholders(it->second.translation), placeholders(pattern))
                << language << ": \"" << it->second.translation << "\" does not keep the placeholders of \""
                << pattern << "\"";
        }
    }
}

TEST(MessageCatalogTest, FillPutsEachArgumentInOnceAndRemembersHowTheTextWasMade) {
    const struct {
        const char* pattern;
        std::vector<std::string> arguments;
        const char* expected;
    } cases[] = {
        {"%1 and %2", {"a%2", "b"}, "a%2 and b"}, // an argument is never read for placeholders
        {"%2 before %1", {"x", "y"}, "y before x"},   {"50%1", {"%"}, "50%"},
        {"%1 of %3", {"one"}, "one of %3"}, // a placeholder without an argument stays
        {"100% sure: %1", {"yes"}, "100% sure: yes"},
    };
    for (const auto& c : cases) {
        const std::string filled = text::fillAndRemember(c.pattern, c.arguments);
        EXPECT_EQ(filled, c.expected) << c.pattern;
        const auto made = text::filledMessage(filled);
        ASSERT_TRUE(made) << c.pattern;
        EXPECT_EQ(made->pattern, c.pattern);
        EXPECT_EQ(made->arguments, c.arguments);
    }
    EXPECT_EQ(text::fill("Deleted %1 of %2 users", "3", 7), "Deleted 3 of 7 users");
    EXPECT_FALSE(text::filledMessage("a text nobody filled"));
    // A text equal to one of its arguments keeps the template that made it first, so that translating it
    // never turns into translating itself.
    const std::string reason = text::fill("it contains %1", "a blank");
    EXPECT_EQ(text::fill("%1%2", reason, ""), reason);
    EXPECT_EQ(text::filledMessage(reason)->pattern, "it contains %1");
}

} // namespace
} // namespace keepgate::testing

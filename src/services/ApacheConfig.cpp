#include "services/ApacheConfig.h"

#include <algorithm>
#include <glob.h>
#include <sys/stat.h>

#include "formats/TextLines.h"
#include "platform/FileSystem.h"

namespace keepgate {

namespace {

using text::lowerAscii;

// Apache gives up on include chains deeper than this; a file that includes itself must not loop here.
constexpr int kMaxIncludeDepth = 128;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Splits arguments the way Apache's ap_getword_conf does: blanks separate words, a word that begins with
// a double or single quote runs to the matching quote, and a backslash before that quote escapes it.
std::vector<std::string> splitWords(const std::string& text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && isBlank(text[i])) {
            ++i;
        }
        if (i >= text.size()) {
            break;
        }
        std::string word;
        const char quote = text[i];
        if (quote == '"' || quote == '\'') {
            ++i;
            while (i < text.size() && text[i] != quote) {
                if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == quote) {
                    ++i;
                }
                word += text[i++];
            }
            if (i < text.size()) {
                ++i;
            }
        } else {
            while (i < text.size() && !isBlank(text[i])) {
                word += text[i++];
            }
        }
        words.push_back(word);
    }
    return words;
}

// Replaces ${NAME} by its value; a name that is not defined stays as written, as Apache leaves it.
std::string expandVariables(const std::string& text, const std::map<std::string, std::string>& variables) {
    std::string result;
    std::size_t from = 0;
    while (true) {
        const auto open = text.find("${", from);
        if (open == std::string::npos) {
            break;
        }
        const auto close = text.find('}', open + 2);
        if (close == std::string::npos) {
            break;
        }
        result.append(text, from, open - from);
        const std::string name = text.substr(open + 2, close - open - 2);
        const auto it = variables.find(name);
        result += it != variables.end() ? it->second : text.substr(open, close - open + 1);
        from = close + 1;
    }
    result.append(text, from, std::string::npos);
    return result;
}

// The logical lines of a file with the number of the physical line each begins on: a line whose last
// character is a backslash goes on with the next one.
std::vector<std::pair<std::string, int>> logicalLines(const std::string& text) {
    std::vector<std::pair<std::string, int>> lines;
    std::string pending;
    int pendingStart = 0;
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        while (!line.empty() && isBlank(line.back())) {
            line.pop_back();
        }
        if (pending.empty()) {
            pendingStart = number;
        }
        const bool continues =
            !line.empty() && line.back() == '\\' && !(line.size() > 1 && line[line.size() - 2] == '\\');
        if (continues) {
            line.pop_back();
            pending += line;
            continue;
        }
        pending += line;
        lines.emplace_back(pending, pendingStart);
        pending.clear();
    }
    if (!pending.empty()) {
        lines.emplace_back(pending, pendingStart);
    }
    return lines;
}

bool hasGlob(const std::string& path) {
    return path.find_first_of("*?[") != std::string::npos;
}

using Sections = std::vector<std::pair<std::string, std::string>>;

class Reader {
  public:
    Reader(std::string serverRoot, std::map<std::string, std::string> variables)
        : serverRoot_(std::move(serverRoot)), variables_(std::move(variables)) {}

    ApacheConfigText result;

    // Takes the sections by value: a section an included file leaves open ends with that file.
    void readFile(const std::string& path, Sections sections, int depth) {
        if (depth > kMaxIncludeDepth) {
            result.problems.push_back("The configuration file " + path +
                                      " is included too deeply (does it include itself?).");
            return;
        }
        const auto text = platform::readFile(path);
        if (!text) {
            result.problems.push_back("The configuration file " + path + " could not be read.");
            return;
        }
        for (const auto& [raw, number] : logicalLines(*text)) {
            const std::string line = text::trimmed(raw, " \t\r\v\f");
            if (line.empty() || line.front() == '#') {
                continue;
            }
            handleLine(expandVariables(line, variables_), path, number, sections, depth);
        }
    }

  private:
    void handleLine(const std::string& line, const std::string& file, int number, Sections& sections,
                    int depth) {
        if (line.starts_with("</")) {
            const std::string name = lowerAscii(text::trimmed(line.substr(2, line.find('>') - 2)));
            // Close the innermost section of that name; a stray closing line changes nothing.
            for (auto it = sections.rbegin(); it != sections.rend(); ++it) {
                if (lowerAscii(it->first) == name) {
                    sections.erase(std::next(it).base(), sections.end());
                    break;
                }
            }
            return;
        }
        if (line.front() == '<') {
            std::string inner = line.substr(1);
            const auto close = inner.rfind('>');
            if (close != std::string::npos) {
                inner.erase(close);
            }
            auto words = splitWords(inner);
            if (words.empty()) {
                return;
            }
            std::string argument;
            for (std::size_t i = 1; i < words.size(); ++i) {
                argument += (i > 1 ? " " : "") + words[i];
            }
            sections.emplace_back(words.front(), argument);
            return;
        }
        auto words = splitWords(line);
        ConfigDirective directive;
        directive.name = words.front();
        directive.arguments.assign(words.begin() + 1, words.end());
        directive.file = file;
        directive.line = number;
        directive.sections = sections;
        const std::string name = lowerAscii(directive.name);
        if (name == "define" && !directive.arguments.empty()) {
            variables_[directive.arguments[0]] = directive.arguments.size() > 1 ? directive.arguments[1] : "";
        }
        result.directives.push_back(directive);
        if ((name == "include" || name == "includeoptional") && !directive.arguments.empty()) {
            include(directive.arguments[0], name == "includeoptional", sections, depth);
        }
    }

    std::string resolved(const std::string& path) const {
        if (path.empty() || path.front() == '/') {
            return path;
        }
        return platform::joinPath(serverRoot_, path);
    }

    void include(const std::string& argument, bool optional, const Sections& sections, int depth) {
        const std::string pattern = resolved(argument);
        std::vector<std::string> paths;
        if (hasGlob(pattern)) {
            glob_t matches{};
            if (glob(pattern.c_str(), 0, nullptr, &matches) == 0) {
                for (std::size_t i = 0; i < matches.gl_pathc; ++i) {
                    paths.emplace_back(matches.gl_pathv[i]);
                }
            }
            globfree(&matches);
            if (paths.empty() && !optional) {
                result.problems.push_back("No file matches the included pattern " + pattern + ".");
            }
            // Apache's wildcards include plain files only, never the folders they also match.
            std::erase_if(paths, [](const std::string& path) { return platform::isDirectory(path); });
        } else if (platform::isDirectory(pattern)) {
            includeFolder(pattern, sections, depth);
            return;
        } else {
            struct stat info {};
            if (optional && lstat(pattern.c_str(), &info) != 0) {
                return;
            }
            paths.push_back(pattern);
        }
        std::sort(paths.begin(), paths.end());
        for (const auto& path : paths) {
            readFile(path, sections, depth + 1);
        }
    }

    // An included folder stands for every file in it and below it, in name order.
    void includeFolder(const std::string& folder, const Sections& sections, int depth) {
        glob_t matches{};
        std::vector<std::string> entries;
        if (glob(platform::joinPath(folder, "*").c_str(), 0, nullptr, &matches) == 0) {
            for (std::size_t i = 0; i < matches.gl_pathc; ++i) {
                entries.emplace_back(matches.gl_pathv[i]);
            }
        }
        globfree(&matches);
        std::sort(entries.begin(), entries.end());
        for (const auto& entry : entries) {
            if (platform::isDirectory(entry)) {
                if (depth < kMaxIncludeDepth) {
                    includeFolder(entry, sections, depth + 1);
                }
            } else {
                readFile(entry, sections, depth + 1);
            }
        }
    }

    std::string serverRoot_;
    std::map<std::string, std::string> variables_;
};

} // namespace

ApacheConfigText ApacheConfig::read(const std::string& mainConfig, const std::string& serverRoot,
                                    const std::map<std::string, std::string>& variables) {
    Reader reader(serverRoot, variables);
    const std::string path = mainConfig.empty() || mainConfig.front() == '/'
                                 ? mainConfig
                                 : platform::joinPath(serverRoot, mainConfig);
    reader.readFile(path, {}, 0);
    return reader.result;
}

} // namespace keepgate

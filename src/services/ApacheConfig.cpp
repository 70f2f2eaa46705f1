#include "services/ApacheConfig.h"

#include "platform/Messages.h"

#include <algorithm>
#include <cstring>
#include <glob.h>
#include <set>
#include <sys/stat.h>

#include "formats/TextLines.h"
#include "platform/FileSystem.h"

namespace keepgate {

ConfigSections::Node::~Node() {
    std::shared_ptr<Node> next = std::move(parent);
    while (next && next.use_count() == 1) {
        std::shared_ptr<Node> after = std::move(next->parent);
        next = std::move(after);
    }
}

ConfigSections::ConfigSections(const std::vector<value_type>& sections) {
    for (const auto& section : sections) {
        *this = opened(section);
    }
}

const ConfigSections::value_type& ConfigSections::operator[](std::size_t index) const {
    const Node* node = innermost_.get();
    for (std::size_t steps = size() - 1 - index; steps > 0; --steps) {
        node = node->parent.get();
    }
    return node->section;
}

ConfigSections ConfigSections::opened(value_type section, int virtualHost) const {
    ConfigSections result;
    result.innermost_ = std::make_shared<Node>();
    result.innermost_->section = std::move(section);
    result.innermost_->parent = innermost_;
    result.innermost_->depth = size() + 1;
    result.innermost_->virtualHost = virtualHost != 0 ? virtualHost : this->virtualHost();
    return result;
}

ConfigSections ConfigSections::enclosing() const {
    ConfigSections result;
    if (innermost_) {
        result.innermost_ = innermost_->parent;
    }
    return result;
}

std::vector<ConfigSections::value_type> ConfigSections::list() const {
    return {begin(), end()};
}

ConfigSections::const_iterator ConfigSections::begin() const {
    auto chain = std::make_shared<std::vector<const value_type*>>(size());
    std::size_t index = size();
    for (const Node* node = innermost_.get(); node; node = node->parent.get()) {
        (*chain)[--index] = &node->section;
    }
    const_iterator first;
    first.chain_ = std::move(chain);
    return first;
}

ConfigSections::const_iterator ConfigSections::end() const {
    const_iterator last;
    last.index_ = size();
    return last;
}

ConfigSections::const_reverse_iterator ConfigSections::rbegin() const {
    const_reverse_iterator first;
    first.node_ = innermost_.get();
    return first;
}

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

// Calls `handle` with each logical line of a file and the number of the physical line it begins on: a line
// whose last character is a backslash goes on with the next one. Lines are handed on one at a time, so a
// large file is never held twice.
template <typename Handle> void forEachLogicalLine(const std::string& text, Handle handle) {
    std::string pending;
    int pendingStart = 0;
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        ++number;
        while (!line.empty() && isBlank(line.back())) {
            line.remove_suffix(1);
        }
        if (pending.empty()) {
            pendingStart = number;
        }
        const bool continues =
            !line.empty() && line.back() == '\\' && !(line.size() > 1 && line[line.size() - 2] == '\\');
        if (continues) {
            line.remove_suffix(1);
            pending += line;
            continue;
        }
        pending += line;
        handle(pending, pendingStart);
        pending.clear();
    }
    if (!pending.empty()) {
        handle(pending, pendingStart);
    }
}

bool hasGlob(const std::string& path) {
    return path.find_first_of("*?[") != std::string::npos;
}

using Sections = ConfigSections;

class Reader {
  public:
    Reader(std::string serverRoot, std::map<std::string, std::string> variables)
        : serverRoot_(std::move(serverRoot)), variables_(std::move(variables)) {}

    ApacheConfigText result;

    // Takes the sections by value: a section an included file leaves open ends with that file.
    void readFile(const std::string& path, Sections sections, int depth) {
        if (stopped()) {
            return;
        }
        if (depth > kMaxIncludeDepth) {
            stop(text::fill(QT_TRANSLATE_NOOP("Messages",
                                              "The configuration file %1 is included more than %2 levels "
                                              "deep, more than Apache allows."),
                            path, kMaxIncludeDepth));
            return;
        }
        if (++filesRead_ > kConfigurationFileLimit) {
            stop(text::fill(QT_TRANSLATE_NOOP("Messages",
                                              "The configuration includes more than %1 files; Keepgate "
                                              "stopped reading at %2."),
                            kConfigurationFileLimit, path));
            return;
        }
        auto read = platform::readFileWithin(path, kConfigurationSizeLimit -
                                                       std::min(bytesRead_, kConfigurationSizeLimit));
        if (!read.ok) {
            if (read.error.starts_with("it is larger than")) {
                stop(text::fill(QT_TRANSLATE_NOOP("Messages",
                                                  "The configuration is larger than %1 MiB in all; "
                                                  "Keepgate stopped reading at %2."),
                                kConfigurationSizeLimit / (1024 * 1024), path));
            } else {
                result.problems.push_back(text::fill(
                    QT_TRANSLATE_NOOP("Messages", "The configuration file %1 could not be read."), path));
            }
            return;
        }
        bytesRead_ += read.bytes.size();
        if (std::memchr(read.bytes.data(), '\0', read.bytes.size())) {
            stop(text::fill(QT_TRANSLATE_NOOP("Messages",
                                              "The configuration file %1 holds NUL bytes: it is not a text "
                                              "file."),
                            path));
            return;
        }
        // A file already being read further up the chain would include itself without end.
        const std::pair<std::uint64_t, std::uint64_t> key{read.identity.device, read.identity.inode};
        if (!chain_.insert(key).second) {
            stop(text::fill(QT_TRANSLATE_NOOP("Messages", "The configuration file %1 includes itself."),
                            path));
            return;
        }
        forEachLogicalLine(read.bytes, [&](const std::string& raw, int number) {
            if (stopped()) {
                return;
            }
            const std::string line = text::trimmed(raw, " \t\r\v\f");
            if (line.empty() || line.front() == '#') {
                return;
            }
            handleLine(expandVariables(line, variables_), path, number, sections, depth);
        });
        chain_.erase(key);
    }

    bool stopped() const { return !result.error.empty(); }

  private:
    void handleLine(const std::string& line, const std::string& file, int number, Sections& sections,
                    int depth) {
        if (line.starts_with("</")) {
            const std::string name = lowerAscii(text::trimmed(line.substr(2, line.find('>') - 2)));
            // Close the innermost section of that name; a stray closing line changes nothing.
            Sections around = sections;
            for (auto it = sections.rbegin(); it != sections.rend(); ++it) {
                around = around.enclosing();
                if (lowerAscii(it->first) == name) {
                    sections = around;
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
            const bool virtualHost = lowerAscii(words.front()) == "virtualhost";
            sections = sections.opened({words.front(), argument}, virtualHost ? ++virtualHosts_ : 0);
            return;
        }
        auto words = splitWords(line);
        ConfigDirective directive;
        directive.name = words.front();
        directive.arguments.assign(words.begin() + 1, words.end());
        directive.file = file;
        directive.line = number;
        directive.sections = sections;
        directive.virtualHost = sections.virtualHost();
        const std::string name = lowerAscii(directive.name);
        if (name == "define" && !directive.arguments.empty()) {
            variables_[directive.arguments[0]] = directive.arguments.size() > 1 ? directive.arguments[1] : "";
        }
        const bool includes =
            (name == "include" || name == "includeoptional") && !directive.arguments.empty();
        const std::string included = includes ? directive.arguments[0] : std::string();
        result.directives.push_back(std::move(directive));
        if (includes) {
            include(included, name == "includeoptional", sections, depth);
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
                result.problems.push_back(text::fill(
                    QT_TRANSLATE_NOOP("Messages", "No file matches the included pattern %1."), pattern));
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
            if (stopped()) {
                return;
            }
            if (platform::isDirectory(entry)) {
                if (depth >= kMaxIncludeDepth) {
                    stop(text::fill(QT_TRANSLATE_NOOP("Messages",
                                                      "The configuration folder %1 is included more than %2 "
                                                      "levels deep, more than Apache allows."),
                                    entry, kMaxIncludeDepth));
                    return;
                }
                includeFolder(entry, sections, depth + 1);
            } else {
                readFile(entry, sections, depth + 1);
            }
        }
    }

    void stop(const std::string& why) {
        result.error = why;
        result.problems.push_back(why);
    }

    std::string serverRoot_;
    std::map<std::string, std::string> variables_;
    std::set<std::pair<std::uint64_t, std::uint64_t>> chain_; // device and inode of each file being read
    std::uint64_t bytesRead_ = 0;
    std::size_t filesRead_ = 0;
    int virtualHosts_ = 0;
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

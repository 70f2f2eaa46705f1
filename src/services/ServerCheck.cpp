#include "services/ServerCheck.h"

#include "platform/Messages.h"

#include <algorithm>
#include <fnmatch.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "formats/ConfigSection.h"
#include "formats/TextLines.h"
#include "formats/Validator.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/SystemPaths.h"
#include "services/ServerPaths.h"

namespace keepgate {

namespace {

using text::lowerAscii;

std::vector<std::string> components(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start < path.size()) {
        auto end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (end > start) {
            parts.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

// A <Directory> path covers the directory when each of its components matches the directory's
// component at the same place (wildcards as Apache allows them there).
bool covers(const std::vector<std::string>& section, const std::vector<std::string>& directory) {
    if (section.size() > directory.size()) {
        return false;
    }
    for (std::size_t i = 0; i < section.size(); ++i) {
        if (fnmatch(section[i].c_str(), directory[i].c_str(), FNM_PATHNAME) != 0) {
            return false;
        }
    }
    return true;
}

// The innermost <Directory> section around a directive, or nothing.
const std::pair<std::string, std::string>* directorySection(const ConfigDirective& directive) {
    for (auto it = directive.sections.rbegin(); it != directive.sections.rend(); ++it) {
        const std::string name = lowerAscii(it->first);
        if (name == "directory") {
            return &*it;
        }
        if (name == "files" || name == "filesmatch" || name == "location" || name == "locationmatch" ||
            name == "directorymatch") {
            return nullptr;
        }
    }
    return nullptr;
}

std::string joinWords(const std::vector<std::string>& words) {
    std::string text;
    for (const auto& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

bool isUnder(const std::string& path, const std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    std::string prefix = folder;
    while (prefix.size() > 1 && prefix.back() == '/') {
        prefix.pop_back();
    }
    return path == prefix || path.starts_with(prefix == "/" ? prefix : prefix + "/");
}

// Apache's usual rule that refuses every file whose name begins with ".ht".
bool deniesHtFiles(const ApacheConfigText& config) {
    for (const auto& directive : config.directives) {
        if (lowerAscii(directive.name) != "require" || directive.arguments.size() < 2 ||
            lowerAscii(directive.arguments[0]) != "all" || lowerAscii(directive.arguments[1]) != "denied") {
            continue;
        }
        for (const auto& [name, argument] : directive.sections) {
            if (lowerAscii(name) == "filesmatch" && argument.find("\\.ht") != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

bool OverrideResolution::allows(const std::string& kind) const {
    const std::string wanted = lowerAscii(kind);
    for (const auto& word : allowOverride) {
        const std::string folded = lowerAscii(word);
        if (folded == "all" || folded == wanted) {
            return true;
        }
    }
    // AllowOverrideList admits single directives: the kind counts when every directive Keepgate writes
    // for it is listed.
    const std::vector<std::string> needed =
        wanted == "authconfig"
            ? std::vector<std::string>{"authtype", "authname", "authuserfile", "authgroupfile", "require"}
        : wanted == "limit" ? std::vector<std::string>{"order", "allow", "deny"}
                            : std::vector<std::string>{};
    std::vector<std::string> listed;
    for (const auto& word : allowOverrideList) {
        listed.push_back(lowerAscii(word));
    }
    return !needed.empty() && std::all_of(needed.begin(), needed.end(), [&listed](const std::string& name) {
        return std::find(listed.begin(), listed.end(), name) != listed.end();
    });
}

OverrideResolution ServerCheck::allowOverrideFor(const ApacheConfigText& config,
                                                 const std::string& directory) {
    const auto target = components(directory);
    struct Candidate {
        std::size_t depth;
        std::size_t order;
        const ConfigDirective* directive;
        std::string section;
    };
    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i < config.directives.size(); ++i) {
        const auto& directive = config.directives[i];
        const std::string name = lowerAscii(directive.name);
        if (name != "allowoverride" && name != "allowoverridelist") {
            continue;
        }
        const auto* section = directorySection(directive);
        // A "~" section is a regular expression; Apache merges those after the plain ones.
        if (!section || section->second.starts_with("~")) {
            continue;
        }
        const auto sectionParts = components(section->second);
        if (covers(sectionParts, target)) {
            candidates.push_back({sectionParts.size(), i, &directive, section->second});
        }
    }
    // Shorter paths are merged first, so the longest matching path has the last word; among equal
    // lengths the later section wins.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.depth < b.depth; });
    OverrideResolution resolution;
    for (const auto& candidate : candidates) {
        const auto& directive = *candidate.directive;
        if (lowerAscii(directive.name) == "allowoverridelist") {
            resolution.allowOverrideList = directive.arguments;
            continue;
        }
        resolution.allowOverride = directive.arguments;
        resolution.file = directive.file;
        resolution.line = directive.line;
        resolution.section = candidate.section;
    }
    return resolution;
}

std::vector<std::string> ServerCheck::requiredModules(bool needsGroups, bool needsHostRules) {
    std::vector<std::string> modules{"auth_basic", "authn_file", "authz_user", "authn_core", "authz_core"};
    if (needsGroups) {
        modules.push_back("authz_groupfile");
    }
    if (needsHostRules) {
        modules.push_back("access_compat");
    }
    return modules;
}

std::vector<std::string> ServerCheck::loadedModules(const ServerProfile& profile,
                                                    const ApacheConfigText& config) {
    std::vector<std::string> modules;
    if (!profile.controlProgram.empty()) {
        platform::ProcessOptions options;
        options.environment = profile.environmentList();
        options.captureStandardError = true;
        options.timeoutMilliseconds = systemPaths().detectionTimeoutMilliseconds;
        const auto result = platform::runProcess(
            profile.controlProgram, {"-M", "-f", profile.mainConfig, "-d", profile.serverRoot}, options);
        if (result.started && !result.timedOut && result.exitStatus == 0) {
            // Lines like " auth_basic_module (shared)".
            std::size_t start = 0;
            const std::string& out = result.standardOutput;
            while (start < out.size()) {
                auto end = out.find('\n', start);
                if (end == std::string::npos) {
                    end = out.size();
                }
                std::string line = out.substr(start, end - start);
                start = end + 1;
                const auto first = line.find_first_not_of(" \t");
                if (first == std::string::npos) {
                    continue;
                }
                line = line.substr(first, line.find_first_of(" \t", first) - first);
                if (line.ends_with("_module")) {
                    modules.push_back(line.substr(0, line.size() - 7));
                }
            }
            return modules;
        }
    }
    for (const auto& directive : config.directives) {
        if (lowerAscii(directive.name) == "loadmodule" && !directive.arguments.empty() &&
            directive.arguments[0].ends_with("_module")) {
            modules.push_back(directive.arguments[0].substr(0, directive.arguments[0].size() - 7));
        }
    }
    return modules;
}

std::optional<std::string> ServerCheck::unreadableFor(const std::string& user, const std::string& path) {
    const passwd* account = user.empty() ? nullptr : getpwnam(user.c_str());
    if (!account || account->pw_uid == 0) {
        return std::nullopt;
    }
    const uid_t uid = account->pw_uid;
    std::vector<gid_t> groups(64);
    int count = static_cast<int>(groups.size());
    if (getgrouplist(account->pw_name, account->pw_gid, groups.data(), &count) < 0) {
        groups.resize(static_cast<std::size_t>(count));
        getgrouplist(account->pw_name, account->pw_gid, groups.data(), &count);
    }
    groups.resize(static_cast<std::size_t>(std::max(count, 0)));
    const auto permitted = [&](const struct stat& info, mode_t ownerBit, mode_t groupBit, mode_t otherBit) {
        if (info.st_uid == uid) {
            return (info.st_mode & ownerBit) != 0;
        }
        if (std::find(groups.begin(), groups.end(), info.st_gid) != groups.end()) {
            return (info.st_mode & groupBit) != 0;
        }
        return (info.st_mode & otherBit) != 0;
    };
    std::string folder;
    for (const auto& part : components(serverpaths::directoryOf(path))) {
        folder += "/" + part;
        struct stat info {};
        if (stat(folder.c_str(), &info) != 0) {
            return text::fill(QT_TRANSLATE_NOOP("Messages", "the folder %1 is missing"), folder);
        }
        if (!permitted(info, S_IXUSR, S_IXGRP, S_IXOTH)) {
            return text::fill(QT_TRANSLATE_NOOP("Messages", "the folder %1 cannot be entered by %2"), folder,
                              user);
        }
    }
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return std::string(QT_TRANSLATE_NOOP("Messages", "the file is missing"));
    }
    if (!permitted(info, S_IRUSR, S_IRGRP, S_IROTH)) {
        return text::fill(QT_TRANSLATE_NOOP("Messages", "the file cannot be read by %1"), user);
    }
    return std::nullopt;
}

namespace {

// Apache splits directive arguments at blanks and tabs, so such a path must be quoted to stay one argument.
std::string includeArgument(const std::string& path) {
    return path.find_first_of(" \t") == std::string::npos ? path : "\"" + path + "\"";
}

std::string withFinalLineFeed(std::string text) {
    if (!text.empty() && text.back() != '\n') {
        text += '\n';
    }
    return text;
}

std::string fileName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// The text without the lines of the directory's own section, so a section written again replaces it.
std::string withoutSection(const std::string& text, const std::string& directory) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end;
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    std::string kept;
    std::size_t i = 0;
    while (i < lines.size()) {
        const auto range = section::find(lines, directory, i);
        for (const std::size_t stop = range ? range->begin : lines.size(); i < stop; ++i) {
            kept += lines[i] + "\n";
        }
        if (!range) {
            break;
        }
        i = range->closedLater ? range->end : range->begin + 1;
    }
    return kept;
}

// Whether a2enconf's link for `name` is in place.
bool enabled(const AmendmentPlace& place, const std::string& name) {
    return platform::fileExists(platform::joinPath(place.enabledFolder, name + ".conf"));
}

// Adds the change that makes the server read Keepgate's own file, when it does not yet.
void makeOwnFileRead(const ServerProfile& profile, const ApacheConfigText& config,
                     const AmendmentPlace& place, Amendment& amendment) {
    if (!place.enableProgram.empty()) {
        if (!enabled(place, "keepgate")) {
            amendment.enable.push_back("keepgate");
            amendment.enableProgram = place.enableProgram;
        }
        return;
    }
    if (!place.folder.empty() || ServerCheck::includes(config, profile.serverRoot, place.file)) {
        return;
    }
    const auto main = platform::readFile(profile.mainConfig);
    amendment.mainAdded = "Include " + includeArgument(place.file) + "\n";
    amendment.mainText = withFinalLineFeed(main.value_or("")) + amendment.mainAdded;
}

} // namespace

std::string Amendment::description(const std::string& mainConfig, bool done) const {
    std::string text;
    for (const auto& write : writes) {
        if (write.added.empty()) {
            text += text::fill(done ? QT_TRANSLATE_NOOP("Messages", "Created the empty file %1.")
                                    : QT_TRANSLATE_NOOP("Messages", "Create the empty file %1."),
                               write.path) +
                    "\n\n";
        } else {
            const char* pattern =
                done ? (write.previous ? QT_TRANSLATE_NOOP("Messages", "Added to %1:")
                                       : QT_TRANSLATE_NOOP("Messages", "Added to %1 (a new file):"))
                     : (write.previous ? QT_TRANSLATE_NOOP("Messages", "Add to %1:")
                                       : QT_TRANSLATE_NOOP("Messages", "Add to %1 (a new file):"));
            text += text::fill(pattern, write.path) + "\n\n" + write.added + "\n";
        }
    }
    for (const auto& name : enable) {
        text += text::fill(done ? QT_TRANSLATE_NOOP("Messages", "Enabled %1 with %2.")
                                : QT_TRANSLATE_NOOP("Messages", "Enable %1 with %2."),
                           name, fileName(enableProgram)) +
                "\n\n";
    }
    if (mainText) {
        text += text::fill(done ? QT_TRANSLATE_NOOP("Messages", "Added to the end of %1:")
                                : QT_TRANSLATE_NOOP("Messages", "Add to the end of %1:"),
                           mainConfig) +
                "\n\n" + mainAdded + "\n";
    } else {
        text += text::fill(done ? QT_TRANSLATE_NOOP("Messages", "%1 was not changed.")
                                : QT_TRANSLATE_NOOP("Messages", "%1 stays as it is."),
                           mainConfig);
    }
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

AmendmentPlace ServerCheck::amendmentPlace(const ServerProfile& profile, const ApacheConfigText& config) {
    AmendmentPlace place;
    const std::string root = profile.serverRoot;
    const std::string available = platform::joinPath(root, "conf-available");
    const std::string enabledFolder = platform::joinPath(root, "conf-enabled");
    // a2enconf comes with a2enmod and lies beside it.
    const std::string enableProgram =
        profile.enableModuleProgram.empty()
            ? ""
            : platform::joinPath(serverpaths::directoryOf(profile.enableModuleProgram), "a2enconf");
    if (!enableProgram.empty() && platform::isDirectory(available) && platform::isDirectory(enabledFolder) &&
        access(enableProgram.c_str(), X_OK) == 0 &&
        includes(config, root, platform::joinPath(enabledFolder, "keepgate.conf"))) {
        place.folder = available;
        place.file = platform::joinPath(available, "keepgate.conf");
        place.enableProgram = enableProgram;
        place.enabledFolder = enabledFolder;
        return place;
    }
    const std::string confd = platform::joinPath(root, "conf.d");
    if (platform::isDirectory(confd) && includes(config, root, platform::joinPath(confd, "keepgate.conf"))) {
        place.folder = confd;
        place.file = platform::joinPath(confd, "keepgate.conf");
        return place;
    }
    place.file = platform::joinPath(root, "keepgate-overrides.conf");
    return place;
}

std::string ServerCheck::defaultSharedFile(const ServerProfile& profile) {
    const auto config = ApacheConfig::read(profile.mainConfig, profile.serverRoot, profile.environment);
    const AmendmentPlace place = amendmentPlace(profile, config);
    return place.folder.empty() ? platform::joinPath(profile.serverRoot, "keepgate.conf")
                                : platform::joinPath(place.folder, "keepgate-protection.conf");
}

std::string ServerCheck::documentRootOf(const ServerProfile& profile, const ApacheConfigText& config) {
    if (!profile.documentRoot.empty()) {
        return profile.documentRoot;
    }
    const ConfigDirective* found = nullptr;
    for (const auto& directive : config.directives) {
        if (lowerAscii(directive.name) == "documentroot" && !directive.arguments.empty() &&
            (!found || (directive.sections.empty() && !found->sections.empty()))) {
            found = &directive;
        }
    }
    return found ? serverpaths::absoluteIn(profile.serverRoot, found->arguments[0]) : "";
}

std::optional<Amendment> ServerCheck::overrideFix(const ServerProfile& profile, const std::string& directory,
                                                  std::string* problem) {
    const auto fail = [problem](const std::string& why) -> std::optional<Amendment> {
        if (problem) {
            *problem = why;
        }
        return std::nullopt;
    };
    std::string path = directory;
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    if (const auto why = path.empty() ? std::nullopt : Validator::directoryPath(path)) {
        return fail(
            text::fill(QT_TRANSLATE_NOOP("Messages", "the directory %1 cannot stand in a section header: %2"),
                       path, *why));
    }
    if (!platform::readFile(profile.mainConfig)) {
        return fail(text::fill(
            QT_TRANSLATE_NOOP("Messages", "the web server's configuration file %1 could not be read"),
            profile.mainConfig));
    }
    if (path.empty()) {
        return fail(QT_TRANSLATE_NOOP(
            "Messages", "no directory is known to allow access files in (the configuration names no "
                        "DocumentRoot)"));
    }
    const auto config = ApacheConfig::read(profile.mainConfig, profile.serverRoot, profile.environment);
    const OverrideResolution resolution = allowOverrideFor(config, path);
    std::vector<std::string> words;
    for (const auto& word : resolution.allowOverride) {
        if (lowerAscii(word) != "none") {
            words.push_back(word);
        }
    }
    for (const char* wanted : {"AuthConfig", "Limit"}) {
        if (!resolution.allows(wanted)) {
            words.emplace_back(wanted);
        }
    }
    const AmendmentPlace place = amendmentPlace(profile, config);
    Amendment amendment;
    const auto previous = platform::readFile(place.file);
    if (!previous && platform::fileExists(place.file)) {
        return fail(text::fill(QT_TRANSLATE_NOOP("Messages", "Keepgate's own file %1 could not be read"),
                               place.file));
    }
    Amendment::Write write{place.file, previous, "", ""};
    write.added = section::header(path) + "\n    AllowOverride " + joinWords(words) + "\n</Directory>\n";
    write.text = withFinalLineFeed(withoutSection(previous.value_or(""), path)) + write.added;
    amendment.writes.push_back(write);
    makeOwnFileRead(profile, config, place, amendment);
    return amendment;
}

std::optional<Amendment> ServerCheck::includeFix(const ServerProfile& profile, const std::string& sharedFile,
                                                 std::string* problem) {
    const auto fail = [problem](const std::string& why) -> std::optional<Amendment> {
        if (problem) {
            *problem = why;
        }
        return std::nullopt;
    };
    if (sharedFile.empty()) {
        return fail(QT_TRANSLATE_NOOP("Messages", "no shared configuration file is set in the preferences"));
    }
    if (const auto why = Validator::preferencePath(sharedFile)) {
        return fail(
            text::fill(QT_TRANSLATE_NOOP("Messages", "the shared configuration file %1 cannot be used: %2"),
                       sharedFile, *why));
    }
    const auto main = platform::readFile(profile.mainConfig);
    if (!main) {
        return fail(text::fill(
            QT_TRANSLATE_NOOP("Messages", "the web server's configuration file %1 could not be read"),
            profile.mainConfig));
    }
    const auto config = ApacheConfig::read(profile.mainConfig, profile.serverRoot, profile.environment);
    const AmendmentPlace place = amendmentPlace(profile, config);
    Amendment amendment;
    const bool present = platform::fileExists(sharedFile);
    if (!present) {
        amendment.writes.push_back({sharedFile, std::nullopt, "", ""});
    }
    if (includes(config, profile.serverRoot, sharedFile)) {
        return amendment;
    }
    const std::string name = fileName(sharedFile);
    if (!place.enableProgram.empty() && serverpaths::directoryOf(sharedFile) == place.folder &&
        name.ends_with(".conf")) {
        amendment.enable.push_back(name.substr(0, name.size() - 5));
        amendment.enableProgram = place.enableProgram;
        return amendment;
    }
    const std::string line = "Include " + includeArgument(sharedFile) + "\n";
    if (place.folder.empty()) {
        amendment.mainAdded = line;
        amendment.mainText = withFinalLineFeed(*main) + line;
        return amendment;
    }
    const auto previous = platform::readFile(place.file);
    if (!previous && platform::fileExists(place.file)) {
        return fail(text::fill(QT_TRANSLATE_NOOP("Messages", "Keepgate's own file %1 could not be read"),
                               place.file));
    }
    amendment.writes.push_back({place.file, previous, withFinalLineFeed(previous.value_or("")) + line, line});
    makeOwnFileRead(profile, config, place, amendment);
    return amendment;
}

bool ServerCheck::includes(const ApacheConfigText& config, const std::string& serverRoot,
                           const std::string& file) {
    for (const auto& directive : config.directives) {
        const std::string name = lowerAscii(directive.name);
        if ((name != "include" && name != "includeoptional") || directive.arguments.empty()) {
            continue;
        }
        std::string target = directive.arguments[0];
        if (!target.starts_with("/")) {
            target = platform::joinPath(serverRoot, target);
        }
        if (fnmatch(target.c_str(), file.c_str(), FNM_PATHNAME) == 0 ||
            (platform::isDirectory(target) && isUnder(file, target))) {
            return true;
        }
    }
    return false;
}

std::vector<Finding> ServerCheck::run(const ServerProfile& profile, const std::string& directory,
                                      bool accessFileMode, const std::string& userfile,
                                      const std::string& groupfile, bool needsGroups, bool needsHostRules,
                                      const std::string& sharedConfigFile) {
    std::vector<Finding> findings;
    const auto config = ApacheConfig::read(profile.mainConfig, profile.serverRoot, profile.environment);
    for (const auto& problem : config.problems) {
        // Apache refuses to start on the error that ended the reading; nothing after it was checked.
        const char* const pattern =
            problem == config.error
                ? QT_TRANSLATE_NOOP("Messages",
                                    "%1 Apache would not start with it; Keepgate checked only what came "
                                    "before.")
                : QT_TRANSLATE_NOOP("Messages",
                                    "%1 Keepgate checked the rest of the configuration without it.");
        findings.push_back({FindingKind::ConfigurationProblem, text::fill(pattern, problem), "", false});
    }
    if (accessFileMode && !directory.empty()) {
        const auto overrides = allowOverrideFor(config, directory);
        std::vector<std::string> missing;
        if (!overrides.allows("AuthConfig")) {
            missing.push_back("AuthConfig");
        }
        if (needsHostRules && !overrides.allows("Limit")) {
            missing.push_back("Limit");
        }
        if (!missing.empty()) {
            const std::string where =
                overrides.file.empty()
                    ? QT_TRANSLATE_NOOP("Messages", "Apache's default")
                    : text::fill(QT_TRANSLATE_NOOP("Messages", "%1 line %2"), overrides.file, overrides.line);
            findings.push_back(
                {FindingKind::OverridesIgnored,
                 text::fill(QT_TRANSLATE_NOOP("Messages",
                                              "The web server ignores the protection in %1 because "
                                              "\"AllowOverride %2\" (%3) leaves out %4; Keepgate can "
                                              "allow AuthConfig and Limit for this directory alone, in "
                                              "a section of its own in %5."),
                            directory, joinWords(overrides.allowOverride), where, joinWords(missing),
                            amendmentPlace(profile, config).file),
                 directory, true});
        }
    }
    if (!accessFileMode && !sharedConfigFile.empty() &&
        !includes(config, profile.serverRoot, sharedConfigFile)) {
        findings.push_back(
            {FindingKind::IncludeMissing,
             text::fill(QT_TRANSLATE_NOOP("Messages",
                                          "The main configuration %1 does not include %2, so the "
                                          "protection written there is ignored; Keepgate can add the "
                                          "Include line."),
                        profile.mainConfig, sharedConfigFile),
             sharedConfigFile, true});
    }
    const auto loaded = loadedModules(profile, config);
    for (const auto& module : requiredModules(needsGroups, needsHostRules)) {
        if (std::find(loaded.begin(), loaded.end(), module) != loaded.end()) {
            continue;
        }
        const std::string how = profile.enableModuleProgram.empty()
                                    ? QT_TRANSLATE_NOOP("Messages", "with a LoadModule line")
                                    : QT_TRANSLATE_NOOP("Messages", "with a2enmod");
        findings.push_back(
            {FindingKind::ModuleMissing,
             text::fill(QT_TRANSLATE_NOOP("Messages",
                                          "The module %1 that the protection needs is not loaded, so "
                                          "the server answers with an error instead of asking for a "
                                          "password; Keepgate can enable it %2."),
                        module, how),
             module, true});
    }
    const std::string user = profile.serverUser;
    const struct {
        const std::string& path;
        FindingKind kind;
        const char* what;
    } files[] = {{userfile, FindingKind::UserfileUnreadable, QT_TRANSLATE_NOOP("Messages", "user file")},
                 {groupfile, FindingKind::GroupfileUnreadable, QT_TRANSLATE_NOOP("Messages", "group file")}};
    for (const auto& file : files) {
        if (file.path.empty() || (file.kind == FindingKind::GroupfileUnreadable && !needsGroups)) {
            continue;
        }
        if (!platform::fileExists(file.path)) {
            findings.push_back(
                {file.kind,
                 text::fill(QT_TRANSLATE_NOOP("Messages", "The %1 %2 does not exist, so nobody can "
                                                          "log in; choose or create it in Keepgate."),
                            file.what, file.path),
                 file.path, false});
        } else if (const auto why = unreadableFor(user, file.path)) {
            findings.push_back(
                {file.kind,
                 text::fill(QT_TRANSLATE_NOOP("Messages", "The web server's user %1 cannot read the "
                                                          "%2 %3 (%4), so nobody can log in; Keepgate "
                                                          "cannot change this, give %1 read access to "
                                                          "it."),
                            user, file.what, file.path, *why),
                 file.path, false});
        }
    }
    const bool hiddenByName =
        userfile.substr(userfile.rfind('/') + 1).starts_with(".ht") && deniesHtFiles(config);
    if (!userfile.empty() && isUnder(userfile, profile.documentRoot) && !hiddenByName) {
        findings.push_back(
            {FindingKind::UserfilePublished,
             text::fill(QT_TRANSLATE_NOOP("Messages",
                                          "The user file %1 lies inside %2, which the web server "
                                          "publishes, so anyone can download its password hashes; "
                                          "choose a user file outside it."),
                        userfile, profile.documentRoot),
             userfile, false});
    }
    return findings;
}

} // namespace keepgate

#include "services/ServerCheck.h"

#include <algorithm>
#include <fnmatch.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>

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
            return "the folder " + folder + " is missing";
        }
        if (!permitted(info, S_IXUSR, S_IXGRP, S_IXOTH)) {
            return "the folder " + folder + " cannot be entered by " + user;
        }
    }
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return "the file is missing";
    }
    if (!permitted(info, S_IRUSR, S_IRGRP, S_IROTH)) {
        return "the file cannot be read by " + user;
    }
    return std::nullopt;
}

std::optional<std::string> ServerCheck::overrideAmendment(const std::string& mainText,
                                                          const std::string& mainConfig,
                                                          const OverrideResolution& resolution,
                                                          const std::string& directory) {
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
    if (resolution.file == mainConfig && resolution.line > 0 && resolution.section != "/") {
        // Find the physical line and replace the directive on it, keeping its indentation and line end.
        std::size_t start = 0;
        for (int line = 1; line < resolution.line && start != std::string::npos; ++line) {
            start = mainText.find('\n', start);
            start = start == std::string::npos ? start : start + 1;
        }
        if (start != std::string::npos) {
            const auto end = std::min(mainText.find('\n', start), mainText.size());
            const std::string line = mainText.substr(start, end - start);
            const auto at = lowerAscii(line).find("allowoverride");
            const bool plain = at != std::string::npos && line.find_first_not_of(" \t") == at &&
                               line.find('\\') == std::string::npos && line.find('#') == std::string::npos;
            if (plain) {
                const std::string ending = line.ends_with("\r") ? "\r" : "";
                return mainText.substr(0, start) + line.substr(0, at) + "AllowOverride " + joinWords(words) +
                       ending + mainText.substr(end);
            }
        }
    }
    if (Validator::directoryPath(directory)) {
        return std::nullopt;
    }
    std::string amended = mainText;
    if (!amended.empty() && amended.back() != '\n') {
        amended += '\n';
    }
    amended +=
        "<Directory \"" + directory + "\">\n    AllowOverride " + joinWords(words) + "\n</Directory>\n";
    return amended;
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
        const char* const rest =
            problem == config.error
                ? " Apache would not start with it; Keepgate checked only what came before."
                : " Keepgate checked the rest of the configuration without it.";
        findings.push_back({FindingKind::ConfigurationProblem, problem + rest, "", false});
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
            const std::string where = overrides.file.empty()
                                          ? "Apache's default"
                                          : overrides.file + " line " + std::to_string(overrides.line);
            findings.push_back({FindingKind::OverridesIgnored,
                                "The web server ignores the protection in " + directory +
                                    " because \"AllowOverride " + joinWords(overrides.allowOverride) +
                                    "\" (" + where + ") leaves out " + joinWords(missing) +
                                    "; Keepgate can allow AuthConfig and Limit for it in " +
                                    profile.mainConfig + ".",
                                directory, true});
        }
    }
    if (!accessFileMode && !sharedConfigFile.empty() &&
        !includes(config, profile.serverRoot, sharedConfigFile)) {
        findings.push_back(
            {FindingKind::IncludeMissing,
             "The main configuration " + profile.mainConfig + " does not include " + sharedConfigFile +
                 ", so the protection written there is ignored; Keepgate can add the Include line.",
             sharedConfigFile, true});
    }
    const auto loaded = loadedModules(profile, config);
    for (const auto& module : requiredModules(needsGroups, needsHostRules)) {
        if (std::find(loaded.begin(), loaded.end(), module) != loaded.end()) {
            continue;
        }
        const std::string how =
            profile.enableModuleProgram.empty() ? "with a LoadModule line" : "with a2enmod";
        findings.push_back(
            {FindingKind::ModuleMissing,
             "The module " + module + " that the protection needs is not loaded, so the server " +
                 "answers with an error instead of asking for a password; Keepgate can enable it " + how +
                 ".",
             module, true});
    }
    const std::string user = profile.serverUser;
    const struct {
        const std::string& path;
        FindingKind kind;
        const char* what;
    } files[] = {{userfile, FindingKind::UserfileUnreadable, "user file"},
                 {groupfile, FindingKind::GroupfileUnreadable, "group file"}};
    for (const auto& file : files) {
        if (file.path.empty() || (file.kind == FindingKind::GroupfileUnreadable && !needsGroups)) {
            continue;
        }
        if (!platform::fileExists(file.path)) {
            findings.push_back({file.kind,
                                std::string("The ") + file.what + " " + file.path +
                                    " does not exist, so nobody can log in; choose or create it in Keepgate.",
                                file.path, false});
        } else if (const auto why = unreadableFor(user, file.path)) {
            findings.push_back({file.kind,
                                "The web server's user " + user + " cannot read the " + file.what + " " +
                                    file.path + " (" + *why +
                                    "), so nobody can log in; Keepgate cannot change this, give " + user +
                                    " read access to it.",
                                file.path, false});
        }
    }
    const bool hiddenByName =
        userfile.substr(userfile.rfind('/') + 1).starts_with(".ht") && deniesHtFiles(config);
    if (!userfile.empty() && isUnder(userfile, profile.documentRoot) && !hiddenByName) {
        findings.push_back(
            {FindingKind::UserfilePublished,
             "The user file " + userfile + " lies inside " + profile.documentRoot +
                 ", which the web server publishes, so anyone can download its password hashes; "
                 "choose a user file outside it.",
             userfile, false});
    }
    return findings;
}

} // namespace keepgate

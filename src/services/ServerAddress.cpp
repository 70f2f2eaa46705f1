#include "services/ServerAddress.h"

#include "platform/Messages.h"

#include "formats/TextLines.h"
#include <algorithm>
#include <cctype>
#include <map>
#include <pwd.h>
#include <regex>
#include <set>
#include <unistd.h>

namespace keepgate {

namespace {

using Directives = std::vector<const ConfigDirective*>;

using text::sameWord;

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// "mod_userdir.c", "userdir_module" and "mod_userdir.so" all name the module "userdir".
std::string moduleName(std::string name) {
    if (const auto slash = name.rfind('/'); slash != std::string::npos) {
        name = name.substr(slash + 1);
    }
    for (const char* suffix : {".c", ".so", "_module"}) {
        const std::string s = suffix;
        if (name.size() > s.size() && name.compare(name.size() - s.size(), s.size(), s) == 0) {
            name.resize(name.size() - s.size());
        }
    }
    if (startsWith(name, "mod_")) {
        name = name.substr(4);
    }
    return name;
}

// Whether the <IfModule> sections around a directive hold, judged from the LoadModule lines. A server
// built with its modules inside has no LoadModule lines; then every section counts as in force.
class ModuleSet {
  public:
    explicit ModuleSet(const std::vector<ConfigDirective>& directives) {
        for (const auto& directive : directives) {
            if (sameWord(directive.name, "LoadModule") && !directive.arguments.empty()) {
                loaded_.insert(moduleName(directive.arguments[0]));
            }
        }
        known_ = !loaded_.empty();
        for (const char* builtIn :
             {"core", "so", "http_core", "log_config", "logio", "version", "unixd", "watchdog"}) {
            loaded_.insert(builtIn);
        }
    }
    bool inForce(const ConfigDirective& directive) const {
        for (const auto& [kind, argument] : directive.sections) {
            if (!known_ || !sameWord(kind, "IfModule")) {
                continue;
            }
            const bool negated = !argument.empty() && argument.front() == '!';
            const bool loaded = loaded_.count(moduleName(negated ? argument.substr(1) : argument)) > 0;
            if (loaded == negated) {
                return false;
            }
        }
        return true;
    }

  private:
    std::set<std::string> loaded_;
    bool known_ = false;
};

const std::string* virtualHostOf(const ConfigDirective& directive) {
    for (const auto& [kind, argument] : directive.sections) {
        if (sameWord(kind, "VirtualHost")) {
            return &argument;
        }
    }
    return nullptr;
}

std::string unbracketed(const std::string& host) {
    return host.size() >= 2 && host.front() == '[' && host.back() == ']' ? host.substr(1, host.size() - 2)
                                                                         : host;
}

bool isWildcard(const std::string& host) {
    const std::string bare = unbracketed(host);
    return bare.empty() || bare == "*" || bare == "0.0.0.0" || bare == "::" || bare == "_default_";
}

// Splits "host:port", "[v6]:port", "port" or "host" into its parts; port 0 when none is written.
std::pair<std::string, int> splitHostPort(const std::string& text) {
    std::string host = text;
    std::string port;
    if (!text.empty() && text.front() == '[') {
        const auto close = text.find(']');
        if (close == std::string::npos) {
            return {text, -1};
        }
        host = text.substr(0, close + 1);
        if (close + 1 < text.size()) {
            if (text[close + 1] != ':') {
                return {text, -1};
            }
            port = text.substr(close + 2);
        }
    } else if (const auto colon = text.rfind(':'); colon != std::string::npos) {
        if (text.find(':') != colon) {
            return {text, -1}; // a bare IPv6 address needs brackets
        }
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
    } else if (!text.empty() && std::all_of(text.begin(), text.end(), ::isdigit)) {
        return {"", std::stoi(text.substr(0, 6))};
    }
    if (port.empty()) {
        return {host, 0};
    }
    if (port == "*") {
        return {host, 0};
    }
    if (port.size() > 5 || !std::all_of(port.begin(), port.end(), ::isdigit)) {
        return {host, -1};
    }
    return {host, std::stoi(port)};
}

// The server's settings that decide which folder a URL path reaches.
struct Publishing {
    Directives aliases; // Alias and AliasMatch, in the order the server tries them
    std::optional<std::string> documentRoot;
    Directives userDirs;
    std::optional<std::string> errorLog; // as written
    std::optional<std::string> serverRoot;
};

std::string withServerRoot(const std::string& path, const std::optional<std::string>& serverRoot) {
    if (path.empty() || path.front() == '/' || !serverRoot) {
        return path;
    }
    return *serverRoot + "/" + path;
}

// One host the server answers as: a <VirtualHost> section, or the main server outside all of them.
struct Host {
    int id = 0;                                         // the section's number; 0 for the main server
    std::vector<std::pair<std::string, int>> addresses; // of the section: host and port (0: any)
    std::string name;                                   // ServerName, else the first ServerAlias
    bool tls = false;                                   // SSLEngine on
    Publishing publishing;
};

// A listener with the hosts that answer on it, the default one first.
struct Listener {
    ListenAddress address;
    std::vector<const Host*> hosts;
};

struct Server {
    std::vector<Host> hosts; // the main server first, then the virtual hosts in reading order
    std::vector<Listener> listeners;
    std::string listenProblem;
};

// "www.example.com:8080" or "https://www.example.com" names the host "www.example.com".
std::string bareServerName(std::string name) {
    if (const auto scheme = name.find("://"); scheme != std::string::npos) {
        name = name.substr(scheme + 3);
    }
    if (!name.empty() && name.front() == '[') {
        return name.substr(0, name.find(']') + 1);
    }
    return name.substr(0, name.find(':'));
}

Server readServer(const std::vector<ConfigDirective>& all) {
    const ModuleSet modules(all);
    Directives inForce;
    for (const auto& directive : all) {
        if (modules.inForce(directive)) {
            inForce.push_back(&directive);
        }
    }
    Server server;
    std::optional<std::string> serverRoot;
    bool anyListen = false;
    std::vector<ListenAddress> listens;
    for (const ConfigDirective* directive : inForce) {
        if (directive->virtualHost != 0) {
            continue;
        }
        if (sameWord(directive->name, "ServerRoot") && !directive->arguments.empty()) {
            serverRoot = directive->arguments[0];
        }
        if (!sameWord(directive->name, "Listen") || directive->arguments.empty()) {
            continue;
        }
        anyListen = true;
        if (const auto address = ServerAddress::listenAddress(
                directive->arguments[0], directive->arguments.size() > 1 ? directive->arguments[1] : "")) {
            listens.push_back(*address);
        }
    }
    if (!anyListen) {
        listens.push_back(ListenAddress{"127.0.0.1", 80, false});
    } else if (listens.empty()) {
        server.listenProblem = QT_TRANSLATE_NOOP(
            "Messages", "The server's Listen lines name no address this computer can reach.");
    }

    // Each host's own settings, gathered by the section it stands in.
    std::map<int, std::size_t> index;
    server.hosts.emplace_back();
    index[0] = 0;
    for (const ConfigDirective* directive : inForce) {
        auto found = index.find(directive->virtualHost);
        if (found == index.end()) {
            Host host;
            host.id = directive->virtualHost;
            const std::string* addresses = virtualHostOf(*directive);
            std::size_t start = 0;
            while (addresses && start < addresses->size()) {
                auto end = addresses->find_first_of(" \t", start);
                if (end == std::string::npos) {
                    end = addresses->size();
                }
                host.addresses.push_back(splitHostPort(addresses->substr(start, end - start)));
                start = end + 1;
            }
            server.hosts.push_back(host);
            found = index.emplace(directive->virtualHost, server.hosts.size() - 1).first;
        }
        Host& host = server.hosts[found->second];
        Publishing& publishing = host.publishing;
        const auto& arguments = directive->arguments;
        if ((sameWord(directive->name, "Alias") || sameWord(directive->name, "AliasMatch")) &&
            arguments.size() >= 2) {
            publishing.aliases.push_back(directive);
        } else if (sameWord(directive->name, "DocumentRoot") && !arguments.empty()) {
            publishing.documentRoot = withServerRoot(arguments[0], serverRoot);
        } else if (sameWord(directive->name, "UserDir") && !arguments.empty()) {
            publishing.userDirs.push_back(directive);
        } else if (sameWord(directive->name, "ErrorLog") && !arguments.empty()) {
            publishing.errorLog = arguments[0];
        } else if (sameWord(directive->name, "ServerName") && !arguments.empty() && host.id != 0) {
            host.name = bareServerName(arguments[0]);
        } else if (sameWord(directive->name, "ServerAlias") && !arguments.empty() && host.id != 0 &&
                   host.name.empty()) {
            host.name = bareServerName(arguments[0]);
        } else if (sameWord(directive->name, "SSLEngine") && !arguments.empty()) {
            host.tls = sameWord(arguments[0], "on");
        }
    }
    // What a virtual host does not set it takes from the main server; its own aliases are tried first.
    const Publishing main = server.hosts.front().publishing;
    for (Host& host : server.hosts) {
        host.publishing.serverRoot = serverRoot;
        if (host.id == 0) {
            continue;
        }
        host.publishing.aliases.insert(host.publishing.aliases.end(), main.aliases.begin(),
                                       main.aliases.end());
        host.publishing.documentRoot =
            host.publishing.documentRoot ? host.publishing.documentRoot : main.documentRoot;
        host.publishing.userDirs =
            host.publishing.userDirs.empty() ? main.userDirs : host.publishing.userDirs;
        host.publishing.errorLog = host.publishing.errorLog ? host.publishing.errorLog : main.errorLog;
    }

    // The hosts of a listener are the sections written for its address and port, the first being the
    // default one; a listener no section names is answered by the main server.
    for (const ListenAddress& listen : listens) {
        Listener listener{listen, {}};
        for (const Host& host : server.hosts) {
            for (const auto& [name, port] : host.addresses) {
                if ((port == 0 || port == listen.port) &&
                    (isWildcard(name) || unbracketed(name) == unbracketed(listen.host))) {
                    listener.hosts.push_back(&host);
                    listener.address.https = listener.address.https || host.tls;
                    break;
                }
            }
        }
        if (listener.hosts.empty()) {
            listener.hosts.push_back(&server.hosts.front());
            listener.address.https = listener.address.https || server.hosts.front().tls;
        }
        server.listeners.push_back(listener);
    }
    return server;
}

// The host that answers a plain request to the first plain listener (else the first listener).
const Host* defaultHost(const Server& server) {
    for (const Listener& listener : server.listeners) {
        if (!listener.address.https) {
            return listener.hosts.front();
        }
    }
    return server.listeners.empty() ? &server.hosts.front() : server.listeners.front().hosts.front();
}
// How many characters of `uri` the Alias path `fake` matches, the server's way: a run of slashes matches
// a run of slashes, and the alias must end at a path segment's end; 0 when it does not match.
std::size_t aliasMatches(const std::string& uri, const std::string& fake) {
    std::size_t a = 0;
    std::size_t u = 0;
    while (a < fake.size()) {
        if (fake[a] == '/') {
            if (u >= uri.size() || uri[u] != '/') {
                return 0;
            }
            while (a < fake.size() && fake[a] == '/') {
                ++a;
            }
            while (u < uri.size() && uri[u] == '/') {
                ++u;
            }
        } else {
            if (u >= uri.size() || uri[u] != fake[a]) {
                return 0;
            }
            ++u;
            ++a;
        }
    }
    if (fake.empty() || (fake.back() != '/' && u < uri.size() && uri[u] != '/')) {
        return 0;
    }
    return u;
}

// The substitution of an AliasMatch target: $0 to $9 are the groups of the match.
std::string substitute(const std::string& target, const std::smatch& match) {
    std::string result;
    for (std::size_t i = 0; i < target.size(); ++i) {
        if (target[i] == '$' && i + 1 < target.size() &&
            std::isdigit(static_cast<unsigned char>(target[i + 1]))) {
            const auto group = static_cast<std::size_t>(target[i + 1] - '0');
            if (group < match.size()) {
                result += match[group].str();
            }
            ++i;
        } else if (target[i] == '\\' && i + 1 < target.size()) {
            result += target[++i];
        } else {
            result += target[i];
        }
    }
    return result;
}

std::optional<std::regex> compiled(const std::string& pattern) {
    try {
        return std::regex(pattern, std::regex::ECMAScript);
    } catch (const std::regex_error&) {
        return std::nullopt;
    }
}

// Collapses runs of slashes and drops a trailing one, so paths compare as the file system sees them.
std::string normalised(const std::string& path) {
    std::string result;
    for (const char c : path) {
        if (c == '/' && !result.empty() && result.back() == '/') {
            continue;
        }
        result += c;
    }
    while (result.size() > 1 && result.back() == '/') {
        result.pop_back();
    }
    return result;
}

struct UserDirRules {
    std::vector<std::string> folders;
    bool allDisabled = false;
    std::set<std::string> disabled;
    std::set<std::string> enabled;
    bool allows(const std::string& user) const {
        if (allDisabled) {
            return enabled.count(user) > 0;
        }
        return disabled.count(user) == 0;
    }
};

UserDirRules userDirRules(const Directives& userDirs) {
    UserDirRules rules;
    for (const ConfigDirective* directive : userDirs) {
        const auto& arguments = directive->arguments;
        if (sameWord(arguments[0], "disabled")) {
            if (arguments.size() == 1) {
                rules.allDisabled = true;
            }
            rules.disabled.insert(arguments.begin() + 1, arguments.end());
        } else if (sameWord(arguments[0], "enabled")) {
            rules.enabled.insert(arguments.begin() + 1, arguments.end());
        } else {
            rules.folders = arguments;
        }
    }
    return rules;
}

// The folder of `rest` (which starts with a slash, or is empty) under a user's UserDir folder `folder`.
std::optional<std::string> userFolder(const std::string& folder, const std::string& user,
                                      const std::string& rest, const ServerAddress::HomeOf& homeOf) {
    if (folder.find("://") != std::string::npos) {
        return std::nullopt; // a redirect to another server
    }
    if (const auto star = folder.find('*'); star != std::string::npos) {
        return folder.substr(0, star) + user + folder.substr(star + 1) + rest;
    }
    if (!folder.empty() && folder.front() == '/') {
        return folder + "/" + user + rest;
    }
    const auto home = homeOf(user);
    if (!home) {
        return std::nullopt;
    }
    return *home + "/" + folder + rest;
}

std::optional<std::string> translate(const Publishing& publishing, const std::string& uri,
                                     const ServerAddress::HomeOf& homeOf) {
    for (const ConfigDirective* alias : publishing.aliases) {
        const std::string& fake = alias->arguments[0];
        const std::string& real = alias->arguments[1];
        if (sameWord(alias->name, "Alias")) {
            if (const auto matched = aliasMatches(uri, fake)) {
                return real + uri.substr(matched);
            }
            continue;
        }
        const auto pattern = compiled(fake);
        std::smatch match;
        if (pattern && std::regex_search(uri, match, *pattern)) {
            return substitute(real, match);
        }
    }
    if (startsWith(uri, "/~")) {
        const auto slash = uri.find('/', 2);
        const std::string user = uri.substr(2, slash == std::string::npos ? std::string::npos : slash - 2);
        const std::string rest = slash == std::string::npos ? "" : uri.substr(slash);
        const UserDirRules rules = userDirRules(publishing.userDirs);
        if (!user.empty() && !rules.folders.empty() && rules.allows(user)) {
            return userFolder(rules.folders.front(), user, rest, homeOf);
        }
    }
    if (!publishing.documentRoot) {
        return std::nullopt;
    }
    return *publishing.documentRoot + uri;
}

// The part of `directory` below `folder` ("" for the folder itself, "/a/b" below it), or none.
std::optional<std::string> below(const std::string& directory, const std::string& folder) {
    const std::string base = normalised(folder);
    if (directory == base) {
        return std::string();
    }
    if (base == "/") {
        return directory;
    }
    if (startsWith(directory, base + "/")) {
        return directory.substr(base.size());
    }
    return std::nullopt;
}

// The literal start of a regular expression's match (after ^), up to its first special character.
std::string literalPrefix(const std::string& pattern) {
    std::string prefix;
    std::size_t i = !pattern.empty() && pattern.front() == '^' ? 1 : 0;
    for (; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (std::string(".[]()*+?{}|$^").find(c) != std::string::npos) {
            break;
        }
        if (c == '\\') {
            if (i + 1 < pattern.size() && std::ispunct(static_cast<unsigned char>(pattern[i + 1]))) {
                prefix += pattern[++i];
                continue;
            }
            break;
        }
        prefix += c;
    }
    // A quantifier after the last literal character makes that character optional.
    if (i < pattern.size() && std::string("*+?{").find(pattern[i]) != std::string::npos && !prefix.empty()) {
        prefix.pop_back();
    }
    return prefix;
}

std::vector<std::string> candidates(const Publishing& publishing, const std::string& directory) {
    std::vector<std::string> paths;
    for (const ConfigDirective* alias : publishing.aliases) {
        const std::string& fake = alias->arguments[0];
        const std::string& real = alias->arguments[1];
        const bool plain = sameWord(alias->name, "Alias");
        const std::string urlStart = plain ? fake : literalPrefix(fake);
        const std::string folderStart = plain ? real : real.substr(0, real.find('$'));
        if (const auto rest = below(directory, folderStart)) {
            std::string start = urlStart;
            while (!start.empty() && start.back() == '/') {
                start.pop_back();
            }
            paths.push_back(start + *rest + "/");
            paths.push_back(urlStart + (rest->empty() ? "" : rest->substr(1) + "/"));
        }
    }
    const UserDirRules rules = userDirRules(publishing.userDirs);
    for (const std::string& folder : rules.folders) {
        std::string user;
        std::string rest;
        if (const auto star = folder.find('*'); star != std::string::npos) {
            const std::string before = folder.substr(0, star);
            if (!startsWith(directory, before)) {
                continue;
            }
            const auto end = directory.find('/', before.size());
            user = directory.substr(before.size(),
                                    end == std::string::npos ? std::string::npos : end - before.size());
            const std::string after = folder.substr(star + 1);
            const std::string tail = end == std::string::npos ? "" : directory.substr(end);
            if (!startsWith(tail + "/", normalised(after) + "/") && !after.empty()) {
                continue;
            }
            rest = tail.substr(std::min(tail.size(), normalised(after).size()));
        } else if (!folder.empty() && folder.front() == '/') {
            const auto inside = below(directory, folder);
            if (!inside || inside->empty()) {
                continue;
            }
            const auto end = inside->find('/', 1);
            user = inside->substr(1, end == std::string::npos ? std::string::npos : end - 1);
            rest = end == std::string::npos ? "" : inside->substr(end);
        } else {
            const std::string marker = "/" + normalised(folder);
            for (auto at = directory.find(marker); at != std::string::npos;
                 at = directory.find(marker, at + 1)) {
                const std::size_t after = at + marker.size();
                if (after != directory.size() && directory[after] != '/') {
                    continue;
                }
                const std::string home = directory.substr(0, at);
                user = home.substr(home.rfind('/') + 1);
                rest = directory.substr(after);
                break;
            }
        }
        if (!user.empty()) {
            paths.push_back("/~" + user + rest + "/");
        }
    }
    if (publishing.documentRoot) {
        if (const auto rest = below(directory, *publishing.documentRoot)) {
            paths.push_back(*rest + "/");
        }
    }
    return paths;
}

std::string percentEncoded(const std::string& path) {
    static const char* hex = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || std::string("/-._~!$&'()*+,;=:@").find(c) != std::string::npos) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += hex[byte >> 4];
            encoded += hex[byte & 15];
        }
    }
    return encoded;
}

} // namespace

std::optional<ListenAddress> ServerAddress::listenAddress(const std::string& argument,
                                                          const std::string& protocol) {
    const auto [host, port] = splitHostPort(argument);
    if (port <= 0 || port > 65535) {
        return std::nullopt;
    }
    ListenAddress address;
    address.host = isWildcard(host) ? "127.0.0.1" : host;
    address.port = port;
    address.https = protocol.empty() ? port == 443 : sameWord(protocol, "https");
    return address;
}

std::optional<std::string> ServerAddress::folderFor(const std::vector<ConfigDirective>& directives,
                                                    const std::string& urlPath, const HomeOf& homeOf) {
    const Server server = readServer(directives);
    return translate(defaultHost(server)->publishing, urlPath, homeOf);
}

PublishedAddress ServerAddress::forDirectory(const std::vector<ConfigDirective>& directives,
                                             const std::string& directory, const HomeOf& homeOf) {
    const Server server = readServer(directives);
    if (server.listeners.empty()) {
        return {"", server.listenProblem, ""};
    }
    const std::string wanted = normalised(directory);
    std::optional<PublishedAddress> secure;
    for (const Listener& listener : server.listeners) {
        const ListenAddress& listen = listener.address;
        const bool https = listen.https;
        const std::string scheme = https ? "https://" : "http://";
        const std::string port = listen.port == (https ? 443 : 80) ? "" : ":" + std::to_string(listen.port);
        for (const Host* host : listener.hosts) {
            const bool isDefault = host == listener.hosts.front();
            // A host other than the default one is reached only by its name.
            if (!isDefault && host->name.empty()) {
                continue;
            }
            for (const std::string& path : candidates(host->publishing, wanted)) {
                const auto folder = translate(host->publishing, path, homeOf);
                if (!folder || normalised(*folder) != wanted) {
                    continue;
                }
                PublishedAddress found;
                if (isDefault) {
                    found.url = scheme + listen.host + port + percentEncoded(path);
                } else {
                    found.url = scheme + host->name + port + percentEncoded(path);
                    found.connectTo = listen.host + ":" + std::to_string(listen.port);
                }
                if (!https) {
                    return found;
                }
                secure = secure ? secure : found;
                break;
            }
        }
    }
    if (secure) {
        return *secure;
    }
    const Publishing& publishing = defaultHost(server)->publishing;
    bool publishesAnything = false;
    for (const Host& host : server.hosts) {
        publishesAnything = publishesAnything || host.publishing.documentRoot ||
                            !host.publishing.aliases.empty() || !host.publishing.userDirs.empty();
    }
    if (!publishesAnything) {
        return {"",
                QT_TRANSLATE_NOOP("Messages",
                                  "The server's configuration names no DocumentRoot, Alias or UserDir, so "
                                  "no address is known."),
                ""};
    }
    return {"",
            publishing.documentRoot
                ? text::fill(QT_TRANSLATE_NOOP("Messages",
                                               "The server publishes no address for %1: it lies outside "
                                               "the document root %2 and every Alias and UserDir folder "
                                               "of every site."),
                             directory, *publishing.documentRoot)
                : text::fill(QT_TRANSLATE_NOOP("Messages",
                                               "The server publishes no address for %1: it lies outside "
                                               "the document root and every Alias and UserDir folder of "
                                               "every site."),
                             directory),
            ""};
}

std::optional<std::string> ServerAddress::errorLog(const std::vector<ConfigDirective>& directives,
                                                   const std::string& serverRoot) {
    const Server server = readServer(directives);
    const Publishing& publishing = defaultHost(server)->publishing;
    const std::string log = publishing.errorLog.value_or("logs/error_log");
    if (log.empty() || log.front() == '|' || startsWith(log, "syslog")) {
        return std::nullopt;
    }
    return withServerRoot(log, publishing.serverRoot ? publishing.serverRoot
                                                     : std::optional<std::string>(serverRoot));
}

std::optional<std::string> ServerAddress::passwdHome(const std::string& user) {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    passwd entry{};
    passwd* found = nullptr;
    if (getpwnam_r(user.c_str(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir) {
        return std::nullopt;
    }
    return std::string(found->pw_dir);
}

} // namespace keepgate

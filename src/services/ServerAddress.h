#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "services/ApacheConfig.h"

namespace keepgate {

// The local address the web server publishes a directory under.
struct PublishedAddress {
    std::string url;    // "http://127.0.0.1:8080/private/", or empty when none was found
    std::string reason; // when `url` is empty: one sentence saying why
    // Where to connect when `url` names a name-based virtual host ("127.0.0.1:8080"): the request goes
    // to this computer's listener and names the host in its Host header. Empty: the URL's own host.
    std::string connectTo;
};

// Where the server listens, as a client on this computer reaches it.
struct ListenAddress {
    std::string host; // "127.0.0.1", "[::1]", "192.168.1.5"
    int port = 80;
    bool https = false;
};

// Works out addresses from the server's directives: the listeners from Listen, the folders each virtual
// host serves from its DocumentRoot, Alias, AliasMatch and UserDir (and the main server's where it sets
// none). A folder of the default host of a listener gets the listener's address; one of a name-based host
// gets its ServerName (or first ServerAlias). Plain HTTP is preferred; a folder published only over
// HTTPS gets an https:// address. Every address it proposes is checked by mapping it forward the way the
// server does, so it never names a URL that serves another folder.
class ServerAddress {
  public:
    // The home folder of a user name; the passwd database in the program, a table in tests.
    using HomeOf = std::function<std::optional<std::string>(const std::string& user)>;

    static PublishedAddress forDirectory(const std::vector<ConfigDirective>& directives,
                                         const std::string& directory, const HomeOf& homeOf = passwdHome);
    // One Listen argument ("80", "0.0.0.0:8080", "[::]:80", "127.0.0.1:8081"); a wildcard becomes 127.0.0.1.
    static std::optional<ListenAddress> listenAddress(const std::string& argument,
                                                      const std::string& protocol = "");
    // The folder the server answers a URL path with, or none when no rule serves it.
    static std::optional<std::string> folderFor(const std::vector<ConfigDirective>& directives,
                                                const std::string& urlPath,
                                                const HomeOf& homeOf = passwdHome);
    // The error log of the default virtual host (or the main server), relative paths under the server
    // root; none when the server logs to syslog or a pipe.
    static std::optional<std::string> errorLog(const std::vector<ConfigDirective>& directives,
                                               const std::string& serverRoot);
    static std::optional<std::string> passwdHome(const std::string& user);
};

} // namespace keepgate

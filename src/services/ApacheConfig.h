#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace keepgate {

// One directive of the server's configuration as Apache reads it, with the sections around it.
struct ConfigDirective {
    std::string name;                   // as written ("AllowOverride", "Include", "DocumentRoot")
    std::vector<std::string> arguments; // split at blanks the way Apache does, quotes removed
    std::string file;                   // the file it stands in
    int line = 0;                       // its line number there, from 1
    // The enclosing sections, outermost first: {"Directory", "/var/www"}, {"VirtualHost", "*:80"}.
    std::vector<std::pair<std::string, std::string>> sections;
    // Which <VirtualHost> section it stands in, numbered from 1 in reading order; 0 outside every one.
    // Two sections with the same addresses are two hosts, so their directives never run together.
    int virtualHost = 0;
};

struct ApacheConfigText {
    std::vector<ConfigDirective> directives; // in the order Apache reads them, includes expanded
    std::vector<std::string> problems;       // one sentence per included file that could not be read
};

// Reads the main configuration and the files it includes (Include, IncludeOptional, globs, paths relative
// to the server root), expanding ${VAR} from `variables` (the distribution's environment file).
class ApacheConfig {
  public:
    static ApacheConfigText read(const std::string& mainConfig, const std::string& serverRoot,
                                 const std::map<std::string, std::string>& variables = {});
};

} // namespace keepgate

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "services/ApacheConfig.h"
#include "services/ServerProfile.h"

namespace keepgate {

// What stands between a protection block and the server that should enforce it.
enum class FindingKind {
    OverridesIgnored,     // AllowOverride in force for the directory leaves out AuthConfig (or Limit)
    ModuleMissing,        // a module the block needs is not loaded
    UserfileUnreadable,   // the server's user cannot reach the user file
    GroupfileUnreadable,  // the server's user cannot reach the group file
    UserfilePublished,    // the user file lies where the server hands it to anyone
    IncludeMissing,       // configuration-file mode: the main configuration does not include the shared file
    ConfigurationProblem, // a file of the configuration could not be read
};

struct Finding {
    FindingKind kind;
    std::string message;  // one sentence: what is wrong and what Keepgate can do about it
    std::string subject;  // the module name, the file or the directory concerned
    bool fixable = false; // Keepgate can fix it with administrator rights
};

// The AllowOverride and AllowOverrideList in force for one directory, and where they were set.
struct OverrideResolution {
    std::vector<std::string> allowOverride{"None"}; // Apache's default when no section sets it
    std::vector<std::string> allowOverrideList{"None"};
    std::string file; // empty when the default is in force
    int line = 0;
    std::string section; // the <Directory> path of the governing directive
    bool allows(const std::string& kind) const;
};

class ServerCheck {
  public:
    // Everything the check finds for `directory`; `accessFileMode` chooses between the override and the
    // include check; `sharedConfigFile` is the include's target in configuration-file mode.
    static std::vector<Finding> run(const ServerProfile& profile, const std::string& directory,
                                    bool accessFileMode, const std::string& userfile,
                                    const std::string& groupfile, bool needsGroups, bool needsHostRules,
                                    const std::string& sharedConfigFile = "");

    // The <Directory> sections of the configuration that cover `directory`, the longest path winning.
    static OverrideResolution allowOverrideFor(const ApacheConfigText& config, const std::string& directory);

    // The module names the written block needs ("auth_basic", …).
    static std::vector<std::string> requiredModules(bool needsGroups, bool needsHostRules);
    // The loaded modules: -M of the control program, else the LoadModule lines.
    static std::vector<std::string> loadedModules(const ServerProfile& profile,
                                                  const ApacheConfigText& config);

    // Why `user` cannot read `path` (a folder on the way not searchable, the file not readable); nothing
    // when it can, or when the user is unknown.
    static std::optional<std::string> unreadableFor(const std::string& user, const std::string& path);

    // The main configuration amended so that access files in `directory` may hold AuthConfig and Limit:
    // the governing AllowOverride line itself when it stands in the main configuration for a folder
    // other than "/", else a new <Directory> section for exactly that directory at the end. Nothing when
    // the directory's path cannot be written into a section.
    static std::optional<std::string> overrideAmendment(const std::string& mainText,
                                                        const std::string& mainConfig,
                                                        const OverrideResolution& resolution,
                                                        const std::string& directory);

    // Whether the configuration includes `file` through an Include or IncludeOptional.
    static bool includes(const ApacheConfigText& config, const std::string& serverRoot,
                         const std::string& file);
};

} // namespace keepgate

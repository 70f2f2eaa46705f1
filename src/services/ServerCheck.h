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

// Where Keepgate keeps its own additions to the server's configuration, so the distribution's files stay
// as packaged: a file of its own in conf-available, enabled with a2enconf (Debian-like), or in conf.d,
// which the stock configuration includes (Fedora-like); elsewhere a file beside the main configuration,
// which an Include line appended to it names.
struct AmendmentPlace {
    std::string folder;        // conf-available or conf.d; empty where the layout has neither
    std::string file;          // Keepgate's own file for its override sections and Include lines
    std::string enableProgram; // a2enconf, where a file in `folder` takes effect only once enabled
    std::string enabledFolder; // conf-enabled, where a2enconf puts its links
};

// One change to the server's configuration, worked out before anything is written so the user can be
// shown exactly what it adds.
struct Amendment {
    struct Write {
        std::string path;
        std::optional<std::string> previous; // the file's text now; nothing when it does not exist
        std::string text;                    // its text afterwards
        std::string added;                   // the lines this change adds, for the question
    };
    std::vector<Write> writes;           // Keepgate's own files (and a missing shared file, made empty)
    std::vector<std::string> enable;     // names a2enconf enables
    std::string enableProgram;           // a2enconf
    std::optional<std::string> mainText; // the main configuration with a line appended, when it changes
    std::string mainAdded;               // that line
    bool empty() const { return writes.empty() && enable.empty() && !mainText; }
    // What the change does (or, once `done`, did), in plain words with the lines it adds, naming every
    // file.
    std::string description(const std::string& mainConfig, bool done = false) const;
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

    // Where Keepgate's own additions go on this server.
    static AmendmentPlace amendmentPlace(const ServerProfile& profile, const ApacheConfigText& config);
    // The shared configuration file a detected server starts with: in the native folder where the layout
    // has one, else keepgate.conf in the server root.
    static std::string defaultSharedFile(const ServerProfile& profile);
    // The directory the server publishes first: the profile's DocumentRoot, else the configuration's.
    static std::string documentRootOf(const ServerProfile& profile, const ApacheConfigText& config);

    // The one fix that lets access files in `directory` hold AuthConfig and Limit: a <Directory> section
    // of its own for exactly that directory, in Keepgate's own file, keeping what the directory already
    // allows. No existing line is changed, so no other folder is opened to access files. Nothing, with
    // the reason in `problem`, when it cannot be made.
    static std::optional<Amendment> overrideFix(const ServerProfile& profile, const std::string& directory,
                                                std::string* problem = nullptr);
    // The one fix that makes the server read the shared configuration file: enabled in place where it
    // lies in conf-available, named by an Include line in Keepgate's own file elsewhere on such a layout,
    // else by an Include line appended to the main configuration. A missing shared file is made empty,
    // since Apache refuses to start on an Include of a missing file.
    static std::optional<Amendment> includeFix(const ServerProfile& profile, const std::string& sharedFile,
                                               std::string* problem = nullptr);

    // Whether the configuration includes `file` through an Include or IncludeOptional.
    static bool includes(const ApacheConfigText& config, const std::string& serverRoot,
                         const std::string& file);
};

} // namespace keepgate

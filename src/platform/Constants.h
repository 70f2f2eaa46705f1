#pragma once

// The fixed values of the shipped program: version, preference keys and defaults, system paths.
namespace keepgate::constants {

inline constexpr const char* kProgramVersion = "0.7";

inline constexpr const char* kVersionKey = "KGversion";
inline constexpr const char* kCheckUpdatesKey = "KGcheckUpdates";
// A build for a distribution's package starts with the update check off: the distribution delivers updates.
#ifdef KEEPGATE_PACKAGED
inline constexpr bool kCheckUpdatesByDefault = false;
#else
inline constexpr bool kCheckUpdatesByDefault = true;
#endif
inline constexpr const char* kShowHiddenKey = "KGshowHidden";
inline constexpr const char* kDefaultAccessFilenameKey = "KGdefaultAccessFilename";
inline constexpr const char* kConfigFilePathKey = "KGconfigFilePathField";
inline constexpr const char* kProtectionSettingsKey = "KGprotectionSettings";
// The addresses the protection test uses, one "directory<TAB>address" line per directory the user set.
inline constexpr const char* kTestAddressesKey = "KGtestAddresses";
// The web server's main configuration as the user set it; absent or empty: the detected one.
inline constexpr const char* kMainConfigKey = "KGmainConfigPath";

inline constexpr const char* kDefaultAccessFilename = ".htaccess";
inline constexpr const char* kDefaultConfigFilePath = "/Library/WebServer/keepgate.conf";
inline constexpr const char* kAccessFileMode = "1";
inline constexpr const char* kConfigFileMode = "2";

inline constexpr const char* kMainConfigPath = "/etc/httpd/httpd.conf";
inline constexpr const char* kStagingConfigPath = "/Library/WebServer/httpd.conf";
inline constexpr const char* kHtpasswdPath = "/usr/bin/htpasswd";
inline constexpr const char* kCopyPath = "/bin/cp";
inline constexpr const char* kPrivilegedLauncherPath = "/usr/bin/pkexec";
inline constexpr const char* kUpdateURL = "http://www.keepgate.org/version.xml";

} // namespace keepgate::constants

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "services/PrivilegedCopy.h"

namespace keepgate {

// Services around the web server's main configuration and the system's htpasswd tool. The paths come
// from systemPaths(), which tests point at temporary files and fake tools.
class AdmTools {
  public:
    // The hash that htpasswd makes for the user and password, without line-end characters, or nothing
    // when the tool cannot run, prints no colon or prints a hash that is not ASCII (the name may be any
    // UTF-8). The password goes to the tool's
    // standard input, never onto its command line.
    // `hashOptions` are the tool's options that choose the kind of hash ("-B", "-C", "10"); none gives
    // the tool's default kind.
    static std::optional<std::string> getPasswd(const std::optional<std::string>& username,
                                                const std::optional<std::string>& password,
                                                const std::vector<std::string>& hashOptions = {});

    // The htpasswd the operations above run: the configured path; where the shipped default (Debian's
    // /usr/bin/htpasswd) holds no program, the one found in the system's own folders, then kept in
    // systemPaths(). Never a program from a relative or foreign-writable folder of PATH.
    static std::string htpasswdProgram();

    // Whether the password matches the stored hash, as htpasswd verifies it (the password on its standard
    // input); nothing when the tool cannot give an answer.
    static std::optional<bool> checkPassword(const std::string& hash, const std::string& password);

    // How long one check of a bcrypt password at `cost` takes on this machine, in milliseconds: the real
    // `htpasswd -v` timed against a throw-away file holding a random password hashed at that cost (the
    // web server pays the same on every request to a protected page). Nothing when the tool failed.
    // Slow at high costs: run it away from the interface thread.
    static std::optional<double> bcryptCheckMilliseconds(int cost);

    // Copies a file into place with administrator rights (through the installed helper or the privileged
    // launcher, to a temporary file beside the destination that is then renamed) and waits for it; the
    // destination is read back and compared, and put back as it was on any difference. Returns whether
    // the copy happened; logs one line either way.
    static bool copyFileWithAuthorization(const std::string& fromFile, const std::string& toFile);
    // The same copy with what it did to the destination, for an alert that tells it honestly.
    static CopyOutcome installFileWithAuthorization(const std::string& fromFile, const std::string& toFile,
                                                    const std::string& backupFile = {});

    // Whether the main configuration includes the shared configuration file (an uncommented line holding
    // "Include <path>" or "Include \"<path>\"").
    static bool checkForIncludeInConf();

    // False when any line of the main configuration holds "AllowOverride None".
    static bool checkForAllowoverrideConf();
};

} // namespace keepgate

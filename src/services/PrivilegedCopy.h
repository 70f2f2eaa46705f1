#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Process.h"

namespace keepgate {

// A file that holds bytes to be installed with administrator rights, made fresh in a folder that only
// this user may enter (mode 0700, created exclusively), so nobody can swap it while the administrator's
// password is asked for. The file and its folder go with the object.
class StagingFile {
  public:
    static std::optional<StagingFile> create(std::string_view contents, std::string* error = nullptr);
    StagingFile(StagingFile&& other) noexcept;
    StagingFile& operator=(StagingFile&&) = delete;
    StagingFile(const StagingFile&) = delete;
    ~StagingFile();
    const std::string& path() const { return path_; }

  private:
    StagingFile(std::string folder, std::string path) : folder_(std::move(folder)), path_(std::move(path)) {}
    std::string folder_;
    std::string path_;
};

// What a privileged installation did to its destination.
struct CopyOutcome {
    bool copied = false;   // the destination now holds exactly the bytes that were meant for it
    bool unchanged = true; // the destination holds what it held before (also after it was put back)
    std::string error;     // why the copy failed, for the alert that reports it
};

// Whether administrator rights would make a failed write of `path` succeed: its folder exists and the
// permission bits close it or the file to this user.
bool administratorRightsWouldHelp(const std::string& path);

class PrivilegedCopy {
  public:
    // Puts the bytes of `fromFile` (read now, before anyone is asked for a password) in place of `toFile`
    // with administrator rights: the privileged side writes a temporary file beside the destination and
    // renames it over it; then the destination is read back and compared byte for byte. On a failed
    // command or any difference the previous bytes are put back. A destination outside the privileged
    // helper's table is refused with the reason before anyone is asked. With `backupFile` (a name beside
    // the destination) the present file is first kept there with its mode and owner, in the same step.
    static CopyOutcome copy(const std::string& fromFile, const std::string& toFile,
                            const std::string& backupFile = {});
    // The same for bytes in memory: they are staged in a fresh private file first.
    static CopyOutcome install(std::string_view contents, const std::string& toFile);

    // Runs an administrative action: through the installed helper with `helperArguments` when there is
    // one, else `fallbackCommand` through the privileged launcher. Standard error is captured.
    static platform::ProcessResult runAction(const std::vector<std::string>& helperArguments,
                                             const std::vector<std::string>& fallbackCommand);
};

} // namespace keepgate

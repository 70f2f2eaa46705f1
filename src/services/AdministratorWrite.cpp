#include "services/AdministratorWrite.h"

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/FileSystem.h"
#include "services/PrivilegedCopy.h"
#include "services/ServerPaths.h"
#include "ui/WindowSystem.h"

namespace keepgate {

namespace {

// Whether the permission bits close `path` to writing by this user (the superuser included, whom the
// bits would not stop: such a write failed for another reason and never reaches this question).
bool closedToWriting(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return false;
    }
    if (info.st_uid == geteuid()) {
        return !(info.st_mode & S_IWUSR);
    }
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)) + 1);
    const int count = getgroups(static_cast<int>(groups.size()), groups.data());
    groups.resize(static_cast<std::size_t>(std::max(count, 0)));
    groups.push_back(getegid());
    if (std::find(groups.begin(), groups.end(), info.st_gid) != groups.end()) {
        return !(info.st_mode & S_IWGRP);
    }
    return !(info.st_mode & S_IWOTH);
}

} // namespace

// Administrator rights help only where rights were what failed: the folder exists, and it or the file is
// closed to this user. A missing folder or a full disk fails for the administrator too.
bool administratorRightsWouldHelp(const std::string& path) {
    const std::string folder = serverpaths::directoryOf(path);
    if (!platform::isDirectory(folder)) {
        return false;
    }
    return closedToWriting(folder) || (platform::fileExists(path) && closedToWriting(path));
}

void offerAdministratorWrite(ui::Window* parent, const std::string& path, const std::string& text,
                             const std::string& errorMessage, std::function<void(bool)> done) {
    if (!administratorRightsWouldHelp(path)) {
        ui::windowSystem().beginAlertSheet({"Error!", errorMessage, "OK", ""}, parent, {});
        if (done) {
            done(false);
        }
        return;
    }
    ui::windowSystem().beginAlertSheet(
        {"Error!", errorMessage, "Write with administrator rights", "Cancel"}, parent,
        [parent, path, text, done](int returnCode) {
            bool written = false;
            if (returnCode == 1) {
                const auto outcome = PrivilegedCopy::install(text, path);
                written = outcome.copied;
                ui::windowSystem().beginAlertSheet(
                    written
                        ? ui::AlertSpec{"Saved", path + " was written with administrator rights.", "OK", ""}
                        : ui::AlertSpec{"Error!",
                                        path + " was not written with administrator rights: " +
                                            outcome.error + "." +
                                            (outcome.unchanged ? " The file was not changed."
                                                               : " The file may have been changed."),
                                        "OK", ""},
                    parent, {});
            }
            if (done) {
                done(written);
            }
        });
}

} // namespace keepgate

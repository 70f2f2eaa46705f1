#include "services/PrivilegedCopy.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "helper/InstallFileRules.h"
#include "platform/FileSystem.h"
#include "platform/History.h"
#include "platform/Install.h"
#include "platform/SystemPaths.h"
#include "services/ServerPaths.h"

namespace keepgate {

namespace {

// Runs with administrator rights; the paths arrive as positional parameters, never inside the script.
// The copy goes to a temporary file beside the destination that is renamed over it only once it is
// whole, so a full disk or a failed copy leaves the old file as it was. A backup, when asked for, is made
// first with the original's mode and owner, and a failed backup installs nothing.
const char* const kInstallScript = R"(set -e
src=$1 dest=$2 cp=$3 bak=${4-}
if [ -L "$dest" ]; then dest=$(readlink -f -- "$dest"); fi
if [ -n "$bak" ]; then
  if [ -e "$bak" ] || [ -L "$bak" ]; then echo "the backup $bak exists already" >&2; exit 1; fi
  "$cp" -p -- "$dest" "$bak"
fi
tmp=$(mktemp -- "$dest.keepgate-XXXXXX")
trap 'rm -f -- "$tmp"' EXIT
if [ -e "$dest" ]; then
  chmod --reference="$dest" -- "$tmp"
  chown --reference="$dest" -- "$tmp" 2>/dev/null || true
else
  chmod 644 -- "$tmp"
fi
"$cp" -f -- "$src" "$tmp"
sync -- "$tmp" 2>/dev/null || sync
mv -f -- "$tmp" "$dest"
trap - EXIT
)";

const char* const kRemoveScript = "rm -f -- \"$1\"";

// The launcher starts the command in another working directory, so a relative path must be made whole
// here or the administrator's copy would read or write the wrong file.
std::string absolutePath(const std::string& path) {
    if (path.empty() || path.front() == '/') {
        return path;
    }
    char directory[PATH_MAX];
    if (!getcwd(directory, sizeof directory)) {
        return path;
    }
    return std::string(directory) + "/" + path;
}

std::string stagingBase() {
    const std::string& configured = systemPaths().stagingFolder;
    if (!configured.empty()) {
        return configured;
    }
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime && *runtime && platform::isDirectory(runtime)) {
        return runtime;
    }
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache && cache[0] == '/') {
        return cache;
    }
    return platform::joinPath(platform::homeDirectory(), ".cache");
}

std::string trimmedMessage(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

std::string failureOf(const platform::ProcessResult& result) {
    if (!result.started) {
        return "the administrator's rights could not be asked for";
    }
    if (result.exitStatus == 126 || result.exitStatus == 127) {
        return "the administrator's authorization was refused or could not be asked for";
    }
    const std::string message = trimmedMessage(result.standardError);
    return "the command with administrator rights failed" + (message.empty() ? "" : ": " + message);
}

std::string nameOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// The helper's own table of destinations, with the folders of the server that detection found: the
// helper itself trusts only its fixed list, but the fallback below asks every time and shows its command.
helper::Layout destinationLayout() {
    helper::Layout layout = helper::systemLayout();
    for (const std::string& folder :
         {serverpaths::directoryOf(systemPaths().mainConfig), systemPaths().serverRoot}) {
        // A system folder itself ("/etc") never becomes a server folder, whatever the preferences say.
        const bool system = std::find(layout.systemFolders.begin(), layout.systemFolders.end(), folder) !=
                            layout.systemFolders.end();
        if (!folder.empty() && folder != "/" && !system) {
            layout.serverFolders.push_back(folder);
        }
    }
    return layout;
}

struct CopyRun {
    platform::ProcessResult result;
    std::string refused; // why the table refuses the destination; nobody was asked
};

// Judges the destination by the helper's table before anyone is asked for a password, then runs the
// helper's command for that rule (each its own polkit action), or the shell fallback on the path as
// walked, so that the shell follows no link the check did not.
CopyRun runCopyCommand(const std::string& from, const std::string& to, std::string_view bytes,
                       const std::string& backup = {}) {
    const auto helperPath = platform::installHelperPath();
    const helper::WalkedPath walked = helper::WalkedPath::toFile(to);
    const auto current = walked.ok() && walked.exists
                             ? helper::readInFolder(walked.folder, walked.name, helper::kSourceSizeLimit)
                             : std::nullopt;
    const helper::Verdict verdict = helper::judgeDestination(walked, bytes, current, destinationLayout());
    // A file or folder this user cannot read may still be admitted; only the helper, as root, can tell.
    if (!verdict.rule && !(verdict.undecided && helperPath)) {
        return {{}, verdict.problem};
    }
    const helper::Command command = verdict.rule            ? verdict.rule->command
                                    : to.ends_with(".conf") ? helper::Command::InstallConfig
                                                            : helper::Command::InstallFile;
    platform::ProcessOptions options;
    options.captureStandardError = true;
    if (helperPath) {
        std::vector<std::string> arguments{helper::commandName(command), from, to};
        if (!backup.empty()) {
            arguments.push_back(nameOf(backup));
        }
        return {platform::runPrivileged(*helperPath, arguments, options), ""};
    }
    std::vector<std::string> arguments{"-c", kInstallScript, "sh", from, walked.path(), systemPaths().copy};
    if (!backup.empty()) {
        arguments.push_back(platform::joinPath(walked.folderPath, nameOf(backup)));
    }
    return {platform::runPrivileged("/bin/sh", arguments, options), ""};
}

// Whether the destination holds `bytes`; a file that exists but that this user may not read counts as
// holding them when the privileged command said it wrote them.
bool holds(const std::string& path, const std::optional<std::string>& bytes, bool commandSucceeded) {
    const auto now = platform::readFile(path);
    if (now) {
        return bytes && *now == *bytes;
    }
    return commandSucceeded && bytes && platform::fileExists(path);
}

// Puts the previous state of the destination back: its old bytes, or no file when there was none.
bool putBack(const std::string& to, const std::optional<std::string>& previous, bool existed) {
    if (previous) {
        auto staged = StagingFile::create(*previous);
        if (!staged) {
            return false;
        }
        runCopyCommand(staged->path(), to, *previous);
        return platform::readFile(to) == previous;
    }
    if (existed) {
        return false; // unreadable before, so there are no bytes to put back
    }
    if (!platform::installHelperPath()) {
        platform::runPrivileged("/bin/sh", {"-c", kRemoveScript, "sh", to});
    }
    return !platform::fileExists(to);
}

} // namespace

std::optional<StagingFile> StagingFile::create(std::string_view contents, std::string* error) {
    const auto fail = [error](const std::string& why) -> std::optional<StagingFile> {
        if (error) {
            *error = why;
        }
        return std::nullopt;
    };
    const std::string base = stagingBase();
    mkdir(base.c_str(), 0700); // the cache folder may not exist yet; an existing one stays as it is
    std::string pattern = platform::joinPath(base, "keepgate-XXXXXX");
    if (!mkdtemp(pattern.data())) {
        return fail("no private folder could be made in " + base + " (" + std::strerror(errno) + ")");
    }
    StagingFile staged(pattern, platform::joinPath(pattern, "staged"));
    const int fd = open(staged.path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return fail(staged.path_ + " could not be created (" + std::strerror(errno) + ")");
    }
    std::size_t written = 0;
    while (written < contents.size()) {
        const ssize_t n = write(fd, contents.data() + written, contents.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            const std::string why = std::strerror(errno);
            close(fd);
            return fail(staged.path_ + " could not be written (" + why + ")");
        }
        written += static_cast<std::size_t>(n);
    }
    // The descriptor is closed whatever the flush said; the first error is the one reported.
    const int synced = fsync(fd) == 0 ? 0 : errno;
    const int closed = close(fd) == 0 ? 0 : errno;
    if (synced != 0 || closed != 0) {
        return fail(staged.path_ + " could not be written (" + std::strerror(synced ? synced : closed) + ")");
    }
    return staged;
}

StagingFile::StagingFile(StagingFile&& other) noexcept
    : folder_(std::move(other.folder_)), path_(std::move(other.path_)) {
    other.folder_.clear();
    other.path_.clear();
}

StagingFile::~StagingFile() {
    if (!path_.empty()) {
        unlink(path_.c_str());
    }
    if (!folder_.empty()) {
        rmdir(folder_.c_str());
    }
}

CopyOutcome PrivilegedCopy::copy(const std::string& fromFile, const std::string& toFile,
                                 const std::string& backupFile) {
    CopyOutcome outcome;
    const std::string from = absolutePath(fromFile);
    const std::string to = absolutePath(toFile);
    // What is meant for the destination is fixed now: whatever the source holds after the password
    // prompt is never taken for it.
    const auto expected = platform::readFile(from);
    const auto previous = platform::readFile(to);
    const bool existed = platform::fileExists(to);
    if (!expected) {
        outcome.error = "the file to copy, " + fromFile + ", could not be read";
        return outcome;
    }
    auto recorded = platform::PendingChange::beforeKnown(to, previous, existed, *expected);
    const auto run = runCopyCommand(from, to, *expected, backupFile);
    if (!run.refused.empty()) {
        outcome.error = run.refused;
        return outcome;
    }
    const auto& result = run.result;
    const bool succeeded = result.started && result.exitStatus == 0;
    if (succeeded && holds(to, expected, true)) {
        recorded.keep();
        outcome.copied = true;
        outcome.unchanged = previous == expected;
        return outcome;
    }
    outcome.error = succeeded ? "the installed file differs from the one Keepgate wrote" : failureOf(result);
    const auto now = platform::readFile(to);
    const bool untouched =
        previous ? now == previous : (!existed && !platform::fileExists(to)) || (existed && !succeeded);
    outcome.unchanged = untouched || putBack(to, previous, existed);
    if (!outcome.unchanged) {
        outcome.error += ", and the previous file could not be put back";
    }
    return outcome;
}

CopyOutcome PrivilegedCopy::install(std::string_view contents, const std::string& toFile) {
    std::string error;
    const auto staged = StagingFile::create(contents, &error);
    if (!staged) {
        CopyOutcome outcome;
        outcome.error = error;
        return outcome;
    }
    return copy(staged->path(), toFile);
}

platform::ProcessResult PrivilegedCopy::runAction(const std::vector<std::string>& helperArguments,
                                                  const std::vector<std::string>& fallbackCommand) {
    platform::ProcessOptions options;
    options.captureStandardError = true;
    if (const auto helper = platform::installHelperPath()) {
        return platform::runPrivileged(*helper, helperArguments, options);
    }
    if (fallbackCommand.empty()) {
        return {};
    }
    return platform::runPrivileged(fallbackCommand.front(),
                                   {fallbackCommand.begin() + 1, fallbackCommand.end()}, options);
}

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

} // namespace keepgate

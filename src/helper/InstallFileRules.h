#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The privileged helper's checks and operations, kept apart from its entry point so that each can be
// exercised without administrator rights. The application links the same rules, so that it can tell
// before anyone is asked for a password whether a write would be refused.
namespace keepgate::helper {

// A source larger than this is refused before it is read: the largest user file Keepgate edits is far
// smaller, and the helper runs as root, so it must not be made to hold an unbounded file in memory.
inline constexpr std::size_t kSourceSizeLimit = std::size_t{64} << 20;

// The folders that hold web-server configuration on the systems Keepgate knows. The helper never takes
// them from its caller: a fixed list is the only answer that a caller cannot bend.
const std::vector<std::string>& serverConfigFolders();

// Where the rules apply: the server's configuration folders and the system's own folders. A system
// folder written "/lib*" stands for every folder at that place whose name begins so.
struct Layout {
    std::vector<std::string> serverFolders;
    std::vector<std::string> systemFolders;
};
// The shipped layout: `serverConfigFolders()` and the folders of the system.
const Layout& systemLayout();

// Why a path given on the command line is refused (not absolute, empty, holding a "." or ".." step or
// an empty step), or nothing when it is acceptable.
std::optional<std::string> pathProblem(const std::string& path);

// A destination reached step by step from "/" with O_NOFOLLOW: every folder on the way is opened
// relative to the one before, and a link is followed only when root owns it. The folder that holds the
// file stays open, so what is checked is what is written, whatever is renamed meanwhile.
class WalkedPath {
  public:
    WalkedPath() = default;
    WalkedPath(WalkedPath&& other) noexcept;
    WalkedPath& operator=(WalkedPath&& other) noexcept;
    WalkedPath(const WalkedPath&) = delete;
    WalkedPath& operator=(const WalkedPath&) = delete;
    ~WalkedPath();

    // Walks to the file `path` names (which may not exist yet: then its folder must).
    static WalkedPath toFile(const std::string& path);
    // Walks to the folder `path` names.
    static WalkedPath toFolder(const std::string& path);

    bool ok() const { return problem.empty(); }
    // The path as walked, root's links resolved: the folder, and for a file its name.
    std::string path() const;

    int folder = -1;          // the opened folder (for a file: the folder that holds it)
    std::string folderPath;   // its path as walked
    std::string name;         // the file's name in it; empty for a folder
    bool exists = false;      // the file is there (a regular file: anything else is a problem)
    struct stat info {};      // the file's status, when it exists
    std::string problem;      // why the walk stopped; empty when it went through
    bool unreachable = false; // it stopped at a step these rights may not examine
};

// The privileged commands that write files; each is its own polkit action.
enum class Command {
    InstallFile,   // "install": access, user and group files; the authorization may be kept briefly
    InstallConfig, // "install-config": what the server reads as configuration; asks every time
};
const char* commandName(Command command);

// One row of the table of destinations the helper writes.
struct DestinationRule {
    const char* title;       // names the rule in messages
    const char* description; // what the rule admits, in a sentence fragment
    Command command;
};
const std::vector<DestinationRule>& destinationRules();

// The table applied to a walked destination: the rule that admits it, or why none does (naming the file
// and the rule). `newBytes` and `currentBytes` (the file's present bytes; nothing when it is absent or
// could not be read) matter only to user and group files, which are told by their lines. When the
// answer hangs on what these rights could not read or reach, `undecided` is set besides the problem.
struct Verdict {
    const DestinationRule* rule = nullptr;
    std::string problem;
    bool undecided = false;
};
Verdict judgeDestination(const WalkedPath& destination, std::string_view newBytes,
                         const std::optional<std::string>& currentBytes, const Layout& layout);

// The whole check of a destination path for one command, reading the present file through the walked
// folder: nothing when `command` may write `newBytes` there, else the reason.
std::optional<std::string> destinationProblem(const std::string& destination, std::string_view newBytes,
                                              Command command, const Layout& layout);

// Reads at most `limit` bytes of the regular file `name` in the open `folder` without following a link;
// nothing when it cannot be opened or read or is larger than `limit`.
std::optional<std::string> readInFolder(int folder, const std::string& name, std::size_t limit);

// Why a module name is refused (anything but lower-case letters, digits and underscores).
std::optional<std::string> moduleNameProblem(const std::string& name);

// Why `backupName` may not hold a backup of the file `name`: it must be that name followed by
// ".keepgate-" and a time stamp of digits and dashes.
std::optional<std::string> backupNameProblem(const std::string& name, const std::string& backupName);

// Replaces the walked destination with `bytes`: a new file made exclusively in the opened folder,
// written and flushed, given the mode and owner of the file it replaces (0644 and the helper's own for a
// new one), renamed into place and read back. When `backupName` is given, the present file is first
// copied beside itself under that name, with its mode and owner. Returns the reason on failure; the
// destination is then untouched and no temporary file is left.
std::optional<std::string> installInto(const WalkedPath& destination, const std::string& bytes,
                                       const std::string& backupName = {});

// Reads a whole source file from the open descriptor, refusing one larger than `kSourceSizeLimit`
// before reading it (and saying so through `tooLarge`).
std::optional<std::string> readSource(int sourceDescriptor, std::string& bytes, bool* tooLarge = nullptr);

// The programs the helper may run, in the order they are tried; tests substitute their own.
struct Tools {
    std::vector<std::string> enableModule;        // a2enmod and its kin, given the module name
    std::vector<std::vector<std::string>> reload; // whole command lines for a graceful reload
    std::vector<std::string> enableConf;          // a2enconf, given the configuration's name
};
const Tools& systemTools();

// Runs `argv` (no shell, a fixed PATH) and waits; its exit status, or the reason it could not run.
struct RunResult {
    int status = -1;
    std::string problem;
};
RunResult runTool(const std::vector<std::string>& argv);

std::optional<std::string> enableModule(const std::string& name, const Tools& tools);
std::optional<std::string> reloadServer(const Tools& tools);
// Why a configuration name for a2enconf is refused (anything but letters, digits, "_" and "-").
std::optional<std::string> confNameProblem(const std::string& name);
// Enables conf-available/NAME.conf the distribution's way.
std::optional<std::string> enableConf(const std::string& name, const Tools& tools);

// Opens the source file for reading; the entry point supplies one that reads with the caller's rights.
using SourceOpener = int (*)(const std::string& path, std::string& problem);
int openSource(const std::string& path, std::string& problem);

// The whole command line after the program name: "install SOURCE DEST", "install-config SOURCE DEST
// [BACKUP]", "enable-module NAME", "enable-conf NAME" or "reload". Returns the exit status (0 done, 1 failed,
// 2 refused or misused) and fills `message` with what went wrong.
int runCommand(const std::vector<std::string>& arguments, const Layout& layout, const Tools& tools,
               SourceOpener opener, std::string& message);

} // namespace keepgate::helper

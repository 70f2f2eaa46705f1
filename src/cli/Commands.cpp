#include "cli/Commands.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <iostream>
#include <iterator>
#include <termios.h>
#include <unistd.h>

#include "cli/Arguments.h"
#include "cli/HistoryLabel.h"
#include "cli/Json.h"
#include "formats/Validator.h"
#include "operations/FileChanges.h"
#include "operations/GroupStore.h"
#include "operations/LiveTest.h"
#include "operations/ProtectionEditor.h"
#include "operations/ServerAdmin.h"
#include "operations/UserStore.h"
#include "platform/Constants.h"
#include "platform/FileSystem.h"
#include "platform/History.h"
#include "platform/SystemPaths.h"

namespace keepgate::cli {

using operations::Outcome;
using operations::Status;

namespace {

constexpr const char* kUsage =
    R"(Usage: keepgatectl [OPTIONS] COMMAND ...

  users list|add|passwd|delete|verify FILE [NAME]   [--hash apr1|bcrypt|sha256|sha512] [--cost 5-14]
  groups list|add|delete FILE [GROUP]
  groups add-member|remove-member FILE GROUP NAME...
  protect DIR --user-file FILE [--realm TEXT] [--group-file FILE] [--user NAME]... [--group NAME]...
          [--valid-user] [--allow HOST]... [--deny HOST]... [--deny-others] [--and|--or]
          [--access-file|--shared]
  unprotect DIR [--access-file|--shared]
  show DIR
  check [DIR] [--fix]
  test DIR|URL [--user NAME]
  server

Options for every command: --json, --dry-run, --yes, --sudo, --password-stdin, --reload,
  --server-config FILE, --control-program PROGRAM, --shared-file FILE, --access-file-name NAME.
See keepgatectl(1).
)";

const char* statusName(Status status) {
    switch (status) {
    case Status::Done:
        return "done";
    case Status::Refused:
        return "refused";
    case Status::Usage:
        return "usage";
    case Status::ServerFailed:
        return "server-failed";
    }
    return "refused";
}

const char* verdictName(operations::Verdict verdict) {
    switch (verdict) {
    case operations::Verdict::Protected:
        return "protected";
    case operations::Verdict::NotProtected:
        return "not-protected";
    case operations::Verdict::Failing:
        return "failing";
    case operations::Verdict::Unreachable:
        return "unreachable";
    case operations::Verdict::NotTested:
        break;
    }
    return "not-tested";
}

// A message on one line, as standard error carries it.
std::string oneLine(std::string text) {
    std::string out;
    bool blank = false;
    for (const char c : text) {
        if (c == '\n' || c == '\r') {
            blank = !out.empty();
            continue;
        }
        if (blank) {
            out += ' ';
            blank = false;
        }
        out += c;
    }
    return out;
}

// Paths as the server needs them: absolute, since Apache reads relative ones against its own root.
std::string absolute(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    std::error_code error;
    const auto made = std::filesystem::absolute(path, error);
    std::string result = error ? path : made.lexically_normal().string();
    // "site/" and "site" are one directory, and one section header.
    while (result.size() > 1 && result.back() == '/') {
        result.pop_back();
    }
    return result;
}

bool onTerminal() {
    return isatty(STDIN_FILENO) != 0;
}

// Reads one line from the terminal, with echo off for a password.
std::optional<std::string> askTerminal(const std::string& prompt, bool secret) {
    const int tty = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (tty < 0) {
        return std::nullopt;
    }
    termios saved{};
    const bool isTty = tcgetattr(tty, &saved) == 0;
    if (secret && isTty) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(tty, TCSAFLUSH, &quiet);
    }
    (void)!write(tty, prompt.data(), prompt.size());
    std::string line;
    char c = 0;
    while (read(tty, &c, 1) == 1 && c != '\n') {
        line += c;
    }
    if (secret && isTty) {
        tcsetattr(tty, TCSAFLUSH, &saved);
        (void)!write(tty, "\n", 1);
    }
    close(tty);
    return line;
}

struct Context {
    Arguments args;
    std::string command; // "users add"
    bool json = false, dryRun = false, yes = false, sudo = false;
    Json result = Json::object();
    Json changes = Json::array();
    std::string text;     // what the command prints on standard output
    std::string question; // the question that stopped the command
    std::vector<std::string> needRoot;
    std::optional<std::string> stdinPassword;
    bool wrote = false; // a change reached the disk
};

// Whether administrator rights may be used: the process has them, or --sudo asks for pkexec.
bool mayUseAdministratorRights(const Context& context) {
    return geteuid() == 0 || context.sudo;
}

Outcome usage(const std::string& message) {
    return Outcome::usage(message);
}

// Checks the operands and options a command takes.
std::optional<Outcome> expect(const Context& context, std::size_t least, std::size_t most,
                              const std::vector<std::string>& options, const std::string& operands) {
    const std::size_t count = context.args.words.size();
    if (count < least || count > most) {
        return usage("keepgatectl " + context.command + " takes " + operands + ".");
    }
    std::vector<std::string> given;
    for (const auto& [name, _] : context.args.flags) {
        given.push_back(name);
    }
    for (const auto& [name, _] : context.args.values) {
        given.push_back(name);
    }
    for (const auto& name : given) {
        if (!isGlobalOption(name) && std::find(options.begin(), options.end(), name) == options.end()) {
            return usage("The option " + name + " does not apply to keepgatectl " + context.command + ".");
        }
    }
    return std::nullopt;
}

// The password from standard input (its first line) or from a prompt without echo; never from argv.
std::optional<std::string> password(Context& context, bool twice, Outcome* failure) {
    if (context.args.flag("--password-stdin")) {
        if (!context.stdinPassword) {
            std::string all((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
            const auto feed = all.find('\n');
            std::string line = all.substr(0, feed);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            context.stdinPassword = line;
        }
        return context.stdinPassword;
    }
    if (!onTerminal()) {
        *failure = usage("A password is needed: give it on standard input with --password-stdin, or run "
                         "keepgatectl on a terminal.");
        return std::nullopt;
    }
    const auto first = askTerminal("Password: ", true);
    if (!first) {
        *failure =
            usage("A password is needed, and there is no terminal to ask it on; use --password-stdin.");
        return std::nullopt;
    }
    if (twice && askTerminal("Password again: ", true) != first) {
        *failure = Outcome::refused("The two passwords differ. Nothing was saved.");
        return std::nullopt;
    }
    return first;
}

// Runs an operation that may ask a question: --yes answers it, a terminal asks it, and without either the
// command stops and says what it would have asked.
Outcome answered(Context& context, const std::function<Outcome(bool confirmed)>& operation) {
    Outcome outcome = operation(context.yes);
    if (!outcome.question) {
        return outcome;
    }
    const std::string text = outcome.question->text;
    if (onTerminal()) {
        const auto answer = askTerminal(text + "\n[y/N] ", false);
        if (answer && !answer->empty() && (answer->front() == 'y' || answer->front() == 'Y')) {
            return operation(true);
        }
        context.question = text;
        return Outcome::refused("Not done: the question was answered no.");
    }
    context.question = text;
    return Outcome::refused("Not done, since there is no terminal to ask: " + oneLine(text) +
                            " (--yes answers yes.)");
}

// One file's entry in the JSON "changes".
Json changeEntry(const std::string& path, bool removal, bool changed, bool written, bool needsRoot) {
    return Json::object()
        .set("path", path)
        .set("action", removal ? "remove" : "write")
        .set("changed", changed)
        .set("written", written)
        .set("needsRoot", needsRoot);
}

// A change a dry run would make: its unified diff, printed and in the JSON.
void showPlanned(Context& context, const operations::FileChange& change) {
    const std::string diff = operations::FileChanges::unifiedDiff(change);
    context.text += diff;
    context.changes.push(
        changeEntry(change.path, !change.after, change.changes(), false, false).set("diff", diff));
}

// Writes the operation's changes, or shows them for a dry run; files this user may not write are named.
Outcome commit(Context& context, Outcome outcome) {
    if (!outcome.ok()) {
        return outcome;
    }
    if (context.dryRun) {
        for (const auto& change : outcome.changes) {
            showPlanned(context, change);
        }
        outcome.message = "Dry run: nothing was written. " + outcome.message;
        return outcome;
    }
    bool anyChanged = false;
    for (const auto& applied : operations::FileChanges::apply(outcome.changes, context.sudo)) {
        anyChanged = anyChanged || applied.changed;
        context.wrote = context.wrote || applied.written;
        Json entry =
            changeEntry(applied.path, applied.removal, applied.changed, applied.written, applied.needsRoot);
        if (!applied.error.empty()) {
            entry.set("error", applied.error);
        }
        context.changes.push(std::move(entry));
        if (applied.changed && !applied.written) {
            if (applied.needsRoot && !context.sudo) {
                context.needRoot.push_back(applied.path);
            } else {
                return Outcome::refused("The file " + applied.path +
                                        " could not be written: " + applied.error + ".");
            }
        }
    }
    if (!context.needRoot.empty()) {
        std::string files;
        for (const auto& path : context.needRoot) {
            files += (files.empty() ? "" : ", ") + path;
        }
        return Outcome::refused("These files need administrator rights: " + files +
                                ". Run keepgatectl as root, or with --sudo to write them through pkexec.");
    }
    if (!anyChanged && !outcome.changes.empty()) {
        std::string files;
        for (const auto& change : outcome.changes) {
            files += (files.empty() ? "" : ", ") + change.path;
        }
        outcome.message = "Nothing to change: " + files + " already as asked.";
        outcome.sharedFileWritten = false;
    }
    return outcome;
}

// The server, from --server-config or detection; nothing where no server is found.
std::optional<ServerProfile> server(const Context& context) {
    static std::optional<std::optional<ServerProfile>> found;
    if (!found) {
        found = operations::ServerAdmin::profile(context.args.value("--server-config").value_or(""),
                                                 context.args.value("--control-program").value_or(""));
    }
    return *found;
}

operations::ProtectionPlaces places(const Context& context) {
    operations::ProtectionPlaces places;
    places.accessFileName =
        context.args.value("--access-file-name").value_or(constants::kDefaultAccessFilename);
    if (const auto shared = context.args.value("--shared-file")) {
        places.sharedFile = absolute(*shared);
    } else if (server(context)) {
        places.sharedFile = systemPaths().defaultConfigFile;
    }
    return places;
}

std::optional<Outcome> checkPlaces(const Context& context) {
    const auto name = context.args.value("--access-file-name");
    if (name) {
        if (const auto problem = Validator::accessFileName(*name)) {
            return Outcome::usage(operations::refusal("access file name", *name, *problem));
        }
    }
    if (context.args.flag("--access-file") && context.args.flag("--shared")) {
        return usage("--access-file and --shared exclude each other.");
    }
    return std::nullopt;
}

// --access-file or --shared when given, else where the directory's protection is now (nothing when none
// is saved).
std::optional<operations::Place> chosenPlace(const Context& context,
                                             const operations::ProtectionEditor& editor) {
    if (context.args.flag("--shared")) {
        return operations::Place::SharedFile;
    }
    if (context.args.flag("--access-file")) {
        return operations::Place::AccessFile;
    }
    return editor.placeInUse();
}

// The chosen place, else the access file.
operations::Place placeFor(const Context& context, const operations::ProtectionEditor& editor) {
    return chosenPlace(context, editor).value_or(operations::Place::AccessFile);
}

const char* placeName(operations::Place place) {
    return place == operations::Place::AccessFile ? "access-file" : "shared-file";
}

// The live test of a directory the server publishes at `address`, as the window plans it: where the
// protection is kept tells the likely cause of an open folder.
operations::LiveTestPlan livePlan(const Context& context, const std::string& directory,
                                  const PublishedAddress& address, const ServerProfile& profile) {
    operations::LiveTestPlan plan;
    plan.url = address.url;
    plan.connectTo = operations::LiveTest::connectTo(plan.url, address);
    plan.directory = directory;
    const operations::ProtectionPlaces where = places(context);
    const auto inUse = operations::ProtectionEditor(directory, where).placeInUse();
    plan.accessFileMode = inUse != operations::Place::SharedFile;
    plan.accessFilename = where.accessFileName;
    plan.sharedConfig = where.sharedFile;
    plan.blockSaved = inUse.has_value();
    plan.profile = profile;
    return plan;
}

// After a save or removal that reached the disk the server is asked, as the window does; the verdict is
// told beside the write's outcome and leaves its exit status alone.
Outcome testAfterWrite(Context& context, Outcome outcome, const std::string& directory) {
    const auto profile = server(context);
    if (!outcome.ok() || context.dryRun || !context.wrote || !profile) {
        return outcome;
    }
    const PublishedAddress address = operations::ServerAdmin::addressOf(*profile, directory);
    if (address.url.empty()) {
        return outcome;
    }
    const auto report = operations::LiveTest::run(livePlan(context, directory, address, *profile), nullptr);
    context.result.set("url", address.url)
        .set("sentence", report.sentence)
        .set("verdict", verdictName(report.verdict));
    if (!outcome.message.empty() && outcome.message.back() != '.') {
        outcome.message += ".";
    }
    outcome.message += " Live test of " + address.url + ": " + report.sentence;
    return outcome;
}

// After a write of the shared file the server tests its configuration; a refused one gets its previous
// bytes back, since a server that fails its test does not start again.
Outcome afterSharedWrite(Context& context, Outcome outcome, const operations::FileChange& change) {
    if (!outcome.ok() || !outcome.sharedFileWritten || context.dryRun) {
        return outcome;
    }
    const auto profile = server(context);
    if (!profile) {
        return outcome;
    }
    const Outcome test = operations::ServerAdmin::testConfiguration(*profile);
    if (test.status == Status::ServerFailed) {
        operations::FileChanges::apply({{change.path, change.after, change.before}}, context.sudo);
        Outcome failed;
        failed.status = Status::ServerFailed;
        failed.message = test.message + " The previous contents of " + change.path + " were put back.";
        return failed;
    }
    if (context.args.flag("--reload") && !mayUseAdministratorRights(context)) {
        outcome.message +=
            ". Reloading the web server needs administrator rights: run as root, or add --sudo.";
        outcome.status = Status::Refused;
    } else if (context.args.flag("--reload")) {
        const Outcome reloaded = operations::ServerAdmin::reload(*profile);
        outcome.message += ". " + reloaded.message;
        if (!reloaded.ok()) {
            outcome.status = reloaded.status;
        }
    } else {
        outcome.message += ". The web server reads the change when it reloads its configuration (--reload).";
    }
    return outcome;
}

Outcome usersCommand(Context& context) {
    auto& words = context.args.words;
    const std::string& sub = words[1];
    std::vector<std::string> hashOptions;
    if (const auto kind = context.args.value("--hash")) {
        const auto chosen = operations::UserStore::hashOptionsFor(*kind);
        if (!chosen) {
            return usage("The hash \"" + *kind + "\" is not one of apr1, bcrypt, sha256 and sha512.");
        }
        hashOptions = *chosen;
    }
    if (const auto cost = context.args.value("--cost")) {
        std::string problem;
        const auto chosen =
            operations::UserStore::bcryptOptionsFor(*cost, context.args.value("--hash"), &problem);
        if (!chosen) {
            return usage(problem);
        }
        hashOptions = *chosen;
    }
    operations::UserStore store(words[2]);
    if (auto opened = store.open(sub == "add"); !opened.ok()) {
        return opened;
    }
    context.result.set("file", store.path());
    if (sub == "list") {
        Json users = Json::array();
        for (const auto& user : store.list()) {
            context.text += user.name + "\t" + user.hashKind + "\n";
            users.push(Json::object().set("name", user.name).set("hash", user.hashKind));
        }
        context.result.set("users", std::move(users));
        Outcome listed;
        listed.message = std::to_string(store.list().size()) + " users in " + store.path();
        return listed;
    }
    const std::string name = words[3];
    context.result.set("user", name);
    if (sub == "delete") {
        return commit(context, store.remove(name));
    }
    // The user must be there before anyone is asked for a password.
    if ((sub == "passwd" || sub == "verify") && !store.file().find(name)) {
        return Outcome::refused("The user \"" + name + "\" is not in " + store.path() + ".");
    }
    if (sub == "add") {
        if (const auto problem = Validator::userName(name); problem || name.empty()) {
            return Outcome::refused(operations::refusal("user name", name, problem.value_or("it is empty")));
        }
    }
    Outcome failure;
    const auto secret = password(context, sub != "verify", &failure);
    if (!secret) {
        return failure;
    }
    if (sub == "verify") {
        std::optional<bool> matches;
        Outcome verified = store.verify(name, *secret, &matches);
        context.result.set("match", matches ? Json(*matches) : Json());
        return verified;
    }
    if (sub == "passwd") {
        return commit(context, store.passwd(name, *secret, hashOptions));
    }
    return commit(context, answered(context, [&](bool confirmed) {
                      operations::UserStore fresh(store.path());
                      fresh.open(true);
                      return fresh.add(name, *secret, hashOptions, confirmed);
                  }));
}

Outcome groupsCommand(Context& context) {
    auto& words = context.args.words;
    const std::string& sub = words[1];
    operations::GroupStore store(words[2]);
    if (auto opened = store.open(sub == "add"); !opened.ok()) {
        return opened;
    }
    context.result.set("file", store.path());
    if (sub == "list") {
        Json groups = Json::array();
        for (const auto& group : store.list()) {
            std::string line = group.name + ":";
            for (const auto& member : group.members) {
                line += " " + member;
            }
            context.text += line + "\n";
            groups.push(Json::object().set("name", group.name).set("members", Json(group.members)));
        }
        context.result.set("groups", std::move(groups));
        Outcome listed;
        listed.message = std::to_string(store.list().size()) + " groups in " + store.path();
        return listed;
    }
    const std::string group = words[3];
    context.result.set("group", group);
    if (sub == "add") {
        return commit(context, store.addGroup(group));
    }
    if (sub == "delete") {
        return commit(context, store.deleteGroup(group));
    }
    const std::vector<std::string> names(words.begin() + 4, words.end());
    return commit(context,
                  sub == "add-member" ? store.addMembers(group, names) : store.removeMembers(group, names));
}

Json protectionJson(const operations::LoadedProtection& loaded, bool present) {
    const ProtectionInfo& info = loaded.info;
    const auto words = [&](const std::string& key) {
        std::vector<std::string> list;
        std::string text = info.text(key);
        std::size_t start = 0;
        while (start < text.size()) {
            const auto blank = text.find(' ', start);
            std::string piece =
                text.substr(start, blank == std::string::npos ? std::string::npos : blank - start);
            if (!piece.empty() && piece.back() == '\r') {
                piece.pop_back();
            }
            if (!piece.empty()) {
                list.push_back(piece);
            }
            if (blank == std::string::npos) {
                break;
            }
            start = blank + 1;
        }
        return list;
    };
    const auto path = [&](const std::string& key) -> Json {
        if (!info.has(key)) {
            return Json();
        }
        std::string value = info.text(key);
        while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) {
            value.pop_back();
        }
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        return Json(value);
    };
    std::string realm = info.text("authname");
    if (!realm.empty() && realm.back() == '\r') {
        realm.pop_back();
    }
    std::vector<std::string> kept;
    for (const auto* list : {&loaded.lines.keptAccess, &loaded.lines.keptOther}) {
        for (const auto& line : *list) {
            if (line.find_first_not_of(" \t\r") != std::string::npos) {
                kept.push_back(line);
            }
        }
    }
    return Json::object()
        .set("protected", present)
        .set("place", present ? Json(placeName(loaded.place)) : Json())
        .set("file", present ? Json(loaded.file) : Json())
        .set("realm", present ? Json(realm) : Json())
        .set("userFile", path("userfile"))
        .set("groupFile", path("groupfile"))
        .set("users", Json(words("users")))
        .set("groups", Json(words("groups")))
        .set("validUser", info.has("valid-user"))
        .set("allow", Json(words("allow")))
        .set("deny", Json(words("deny")))
        .set("denyOthers", info.has("denyall"))
        .set("order", info.has("allow") || info.has("deny")
                          ? Json(info.has("orderallow") ? "allow,deny" : "deny,allow")
                          : Json())
        .set("kept", Json(kept));
}

Outcome showCommand(Context& context) {
    const std::string directory = absolute(context.args.words[1]);
    const operations::ProtectionEditor editor(directory, places(context));
    const auto inUse = chosenPlace(context, editor);
    operations::LoadedProtection loaded;
    if (inUse) {
        if (auto read = editor.load(*inUse, &loaded); !read.ok()) {
            return read;
        }
    }
    const bool present = inUse && loaded.block && !loaded.lines.directives.empty();
    context.result = protectionJson(loaded, present);
    context.result.set("directory", directory);
    if (!present) {
        return Outcome::refused("No protection is saved for " + directory + ".");
    }
    const auto list = [](const std::vector<std::string>& items) {
        std::string text;
        for (const auto& item : items) {
            text += (text.empty() ? "" : " ") + item;
        }
        return text;
    };
    context.text += "Protected in " + loaded.file + " (" + placeName(loaded.place) + ")\n";
    context.text += "Realm: " + loaded.info.text("authname") + "\n";
    for (const auto& line : loaded.lines.directives) {
        context.text += "  " + line + "\n";
    }
    std::vector<std::string> kept;
    for (const auto& line : loaded.lines.keptAccess) {
        kept.push_back(line);
    }
    if (!kept.empty()) {
        context.text += "Kept (controls access in a form Keepgate cannot show): " + list(kept) + "\n";
    }
    Outcome shown;
    shown.message = "Protected";
    return shown;
}

Outcome protectCommand(Context& context) {
    if (context.args.flag("--and") && context.args.flag("--or")) {
        return usage("--and and --or exclude each other.");
    }
    if (context.args.flag("--valid-user") && !context.args.all("--user").empty()) {
        return usage("--valid-user admits every user of the user file; it excludes --user.");
    }
    const std::string directory = absolute(context.args.words[1]);
    operations::ProtectionRequest request;
    request.realm = context.args.value("--realm").value_or("");
    request.userFile = absolute(context.args.value("--user-file").value_or(""));
    request.groupFile = absolute(context.args.value("--group-file").value_or(""));
    request.users = context.args.all("--user");
    request.groups = context.args.all("--group");
    request.validUser = context.args.flag("--valid-user");
    request.allow = context.args.all("--allow");
    request.deny = context.args.all("--deny");
    request.denyOthers = context.args.flag("--deny-others");
    request.orderAllowDeny = context.args.flag("--and");
    const operations::ProtectionEditor editor(directory, places(context));
    const operations::Place place = placeFor(context, editor);
    if (place == operations::Place::SharedFile && editor.fileOf(place).empty()) {
        return usage(
            "No shared configuration file is known: no web server was found; name it with --shared-file.");
    }
    context.result.set("directory", directory)
        .set("place", placeName(place))
        .set("file", editor.fileOf(place));
    std::string block;
    if (auto composed = operations::ProtectionEditor::compose(request, &block); !composed.ok()) {
        return composed;
    }
    Outcome saved = answered(context, [&](bool confirmed) {
        // What the server would not enforce is asked about first, as in the window.
        if (const auto profile = server(context); profile && !confirmed) {
            operations::CheckSubject subject{directory,
                                             place == operations::Place::AccessFile,
                                             editor.fileOf(operations::Place::SharedFile),
                                             request.userFile,
                                             request.groupFile,
                                             !request.groups.empty(),
                                             !request.allow.empty() || !request.deny.empty() ||
                                                 request.denyOthers};
            std::string list;
            for (const auto& finding : operations::ServerAdmin::check(*profile, subject)) {
                list += "\n\n" + finding.message;
            }
            if (!list.empty()) {
                return Outcome::asking(
                    "The web server will not enforce this protection as it is set up now:" + list +
                    "\n\nkeepgatectl check --fix fixes what Keepgate can fix. Save the protection "
                    "anyway?");
            }
        }
        return editor.save(place, request, confirmed);
    });
    const auto change = saved.changes.empty() ? operations::FileChange{} : saved.changes.front();
    return testAfterWrite(context, afterSharedWrite(context, commit(context, std::move(saved)), change),
                          directory);
}

Outcome unprotectCommand(Context& context) {
    const std::string directory = absolute(context.args.words[1]);
    const operations::ProtectionEditor editor(directory, places(context));
    const auto inUse = chosenPlace(context, editor);
    context.result.set("directory", directory);
    if (!inUse) {
        Outcome none;
        none.message = "No protection is saved for " + directory + "; nothing to remove.";
        return none;
    }
    context.result.set("place", placeName(*inUse)).set("file", editor.fileOf(*inUse));
    Outcome removed = editor.remove(*inUse);
    const auto change = removed.changes.empty() ? operations::FileChange{} : removed.changes.front();
    return testAfterWrite(context, afterSharedWrite(context, commit(context, std::move(removed)), change),
                          directory);
}

Outcome checkCommand(Context& context) {
    const auto profile = server(context);
    if (!profile) {
        return Outcome::refused(
            "No web server was found to check; name its main configuration with --server-config.");
    }
    operations::CheckSubject subject;
    subject.directory = context.args.words.size() > 1 ? absolute(context.args.words[1]) : "";
    const operations::ProtectionEditor editor(subject.directory, places(context));
    subject.sharedFile = editor.fileOf(operations::Place::SharedFile);
    if (!subject.directory.empty()) {
        const operations::Place place = placeFor(context, editor);
        subject.accessFileMode = place == operations::Place::AccessFile;
        operations::LoadedProtection loaded;
        if (editor.load(place, &loaded).ok()) {
            const auto unquoted = [](std::string value) {
                while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) {
                    value.pop_back();
                }
                return value.size() >= 2 && value.front() == '"' ? value.substr(1, value.size() - 2) : value;
            };
            subject.userFile = unquoted(loaded.info.text("userfile"));
            subject.groupFile = unquoted(loaded.info.text("groupfile"));
            subject.needsGroups = loaded.info.has("groups");
            subject.needsHostRules =
                loaded.info.has("allow") || loaded.info.has("deny") || loaded.info.has("denyall");
        }
    } else {
        subject.accessFileMode = !context.args.flag("--shared");
    }
    context.result.set("directory", subject.directory.empty() ? Json() : Json(subject.directory));
    auto findings = operations::ServerAdmin::check(*profile, subject);
    Json fixes = Json::array();
    std::string fixMessages;
    bool fixesMade = false;
    Json commands = Json::array(); // the enabling programs run, or with --dry-run those it would run
    if (context.args.flag("--fix")) {
        for (const auto& finding : findings) {
            if (!finding.fixable) {
                continue;
            }
            const Outcome planned = operations::ServerAdmin::plannedFix(*profile, finding);
            if (!planned.ok()) {
                fixes.push(Json::object()
                               .set("subject", finding.subject)
                               .set("done", false)
                               .set("message", planned.message));
                fixMessages += planned.message + "\n";
                continue;
            }
            if (context.dryRun) {
                for (const auto& change : planned.changes) {
                    showPlanned(context, change);
                }
                for (const auto& step : planned.steps) {
                    context.text += "Would run: " + step.text() + "\n";
                    commands.push(step.text());
                }
                continue;
            }
            if (!mayUseAdministratorRights(context)) {
                const auto needed = operations::ServerAdmin::needingAdministratorRights(planned);
                if (!needed.empty()) {
                    context.needRoot.insert(context.needRoot.end(), needed.begin(), needed.end());
                    continue;
                }
            }
            const Outcome fixed = answered(context, [&](bool confirmed) {
                return confirmed ? operations::ServerAdmin::fix(*profile, finding,
                                                                mayUseAdministratorRights(context))
                                 : Outcome::asking("Fix: " + finding.message + "\n\n" + planned.message +
                                                   "\n\nThe fix may need administrator rights.");
            });
            for (const auto& change : fixed.changes) {
                context.changes.push(
                    changeEntry(change.path, !change.after, change.changes(), change.changes(), false));
            }
            for (const auto& step : fixed.steps) {
                commands.push(step.text());
            }
            fixes.push(Json::object()
                           .set("subject", finding.subject)
                           .set("done", fixed.ok())
                           .set("message", fixed.message));
            fixMessages += fixed.message + "\n";
            fixesMade = fixesMade || fixed.ok();
        }
        if (!context.dryRun) {
            findings = operations::ServerAdmin::check(*profile, subject);
            if (context.args.flag("--reload") && fixesMade) {
                fixMessages += operations::ServerAdmin::reload(*profile).message + "\n";
            }
        }
    }
    Json list = Json::array();
    for (const auto& finding : findings) {
        context.text += finding.message + (finding.fixable ? " (check --fix can fix this.)" : "") + "\n";
        list.push(Json::object()
                      .set("kind", static_cast<int>(finding.kind))
                      .set("message", finding.message)
                      .set("subject", finding.subject)
                      .set("fixable", finding.fixable));
    }
    context.text = fixMessages + context.text;
    context.result.set("findings", std::move(list)).set("fixes", std::move(fixes));
    if (context.args.flag("--fix")) {
        context.result.set("commands", std::move(commands));
    }
    Outcome outcome;
    if (!context.needRoot.empty()) {
        std::string list;
        for (const auto& item : context.needRoot) {
            list += (list.empty() ? "" : ", ") + item;
        }
        outcome.status = Status::Refused;
        outcome.message = "The fixes change " + list +
                          (context.needRoot.size() > 1 ? ", which need" : ", which needs") +
                          " administrator rights: run as root, or add --sudo. " +
                          (fixesMade ? "The other fixes were made." : "Nothing was changed.");
    } else if (findings.empty()) {
        outcome.message = "The web server is set up for this protection.";
    } else if (context.dryRun && context.args.flag("--fix")) {
        outcome.status = Status::ServerFailed;
        outcome.message = "Dry run: nothing was written. " + std::to_string(findings.size()) +
                          " findings stand between the protection and the server.";
    } else {
        outcome.status = Status::ServerFailed;
        outcome.message =
            std::to_string(findings.size()) + " findings stand between the protection and the server.";
    }
    return outcome;
}

Outcome testCommand(Context& context) {
    const std::string target = context.args.words[1];
    operations::LiveTestPlan plan;
    plan.url = target;
    if (target.rfind("http://", 0) != 0 && target.rfind("https://", 0) != 0) {
        const auto profile = server(context);
        if (!profile) {
            return Outcome::refused("No web server was found to ask for the address of " + target +
                                    "; give the address instead.");
        }
        if (auto wrong = checkPlaces(context)) {
            return *wrong;
        }
        const std::string directory = absolute(target);
        const PublishedAddress address = operations::ServerAdmin::addressOf(*profile, directory);
        if (address.url.empty()) {
            return Outcome::refused(address.reason);
        }
        plan = livePlan(context, directory, address, *profile);
    } else if (const auto profile = server(context)) {
        plan.profile = *profile;
    }
    plan.username = context.args.value("--user").value_or("");
    if (!plan.username.empty()) {
        Outcome failure;
        const auto given = password(context, false, &failure);
        if (!given) {
            return failure;
        }
        plan.password = *given;
    }
    if (const auto seconds = context.args.value("--timeout")) {
        try {
            plan.timeoutMilliseconds = std::stoi(*seconds) * 1000;
        } catch (...) {
            return usage("The timeout \"" + *seconds + "\" is not a number of seconds.");
        }
    }
    const std::string url = plan.url, username = plan.username;
    const operations::LiveTestResult report = operations::LiveTest::run(std::move(plan), nullptr);
    const bool answered = report.plain.outcome == ProbeAnswer::Outcome::Answered;
    context.result.set("url", url)
        .set("status", answered ? Json(report.plain.status) : Json())
        .set("protected", answered && report.plain.status == 401)
        .set("realm", report.plain.realm)
        .set("user", username.empty() ? Json() : Json(username))
        .set("userStatus", report.withUser && report.withUser->outcome == ProbeAnswer::Outcome::Answered
                               ? Json(report.withUser->status)
                               : Json())
        .set("userLetIn", report.userLetIn)
        .set("sentence", report.sentence)
        .set("verdict", verdictName(report.verdict));
    Outcome outcome;
    outcome.message = report.sentence;
    switch (report.verdict) {
    case operations::Verdict::Protected:
        // A user whose password does not open the folder fails the test.
        outcome.status = !username.empty() && !report.userLetIn ? Status::ServerFailed : Status::Done;
        break;
    case operations::Verdict::NotProtected:
        outcome.status = Status::Refused;
        break;
    default:
        outcome.status = Status::ServerFailed;
    }
    return outcome;
}

Outcome serverCommand(Context& context) {
    const auto profile = server(context);
    if (!profile) {
        return Outcome::refused("No Apache web server was found on this computer.");
    }
    const std::vector<std::pair<std::string, std::string>> fields{
        {"mainConfig", profile->mainConfig},         {"serverRoot", profile->serverRoot},
        {"controlProgram", profile->controlProgram}, {"environmentFile", profile->environmentFile},
        {"serverUser", profile->serverUser},         {"documentRoot", profile->documentRoot},
        {"modulesFolder", profile->modulesFolder},   {"enableModuleProgram", profile->enableModuleProgram},
        {"sharedFile", places(context).sharedFile},
    };
    for (const auto& [key, value] : fields) {
        context.result.set(key, value);
        context.text += key + ": " + value + "\n";
    }
    Outcome outcome;
    outcome.message = "Apache found: " + profile->mainConfig;
    return outcome;
}

// What each command takes: its words (the command's own among them), the options it takes beyond the
// global ones, whether it chooses between the access file and the shared file, and what runs it.
struct CommandEntry {
    std::string name;
    std::size_t least, most;
    std::string operands;
    std::vector<std::string> options;
    bool places;
    Outcome (*run)(Context&);
};

const std::vector<CommandEntry>& commandTable() {
    static const std::vector<CommandEntry> table{
        {"users list", 3, 3, "FILE", {}, false, usersCommand},
        {"users add", 4, 4, "FILE NAME", {"--hash", "--cost", "--password-stdin"}, false, usersCommand},
        {"users passwd", 4, 4, "FILE NAME", {"--hash", "--cost", "--password-stdin"}, false, usersCommand},
        {"users delete", 4, 4, "FILE NAME", {}, false, usersCommand},
        {"users verify", 4, 4, "FILE NAME", {"--password-stdin"}, false, usersCommand},
        {"groups list", 3, 3, "FILE", {}, false, groupsCommand},
        {"groups add", 4, 4, "FILE GROUP", {}, false, groupsCommand},
        {"groups delete", 4, 4, "FILE GROUP", {}, false, groupsCommand},
        {"groups add-member", 5, SIZE_MAX, "FILE GROUP NAME...", {}, false, groupsCommand},
        {"groups remove-member", 5, SIZE_MAX, "FILE GROUP NAME...", {}, false, groupsCommand},
        {"protect",
         2,
         2,
         "DIR",
         {"--realm", "--user-file", "--group-file", "--user", "--group", "--valid-user", "--allow", "--deny",
          "--deny-others", "--and", "--or", "--access-file", "--shared", "--reload"},
         true,
         protectCommand},
        {"unprotect", 2, 2, "DIR", {"--access-file", "--shared", "--reload"}, true, unprotectCommand},
        {"show", 2, 2, "DIR", {"--access-file", "--shared"}, true, showCommand},
        {"check", 1, 2, "[DIR]", {"--fix", "--access-file", "--shared", "--reload"}, true, checkCommand},
        {"test", 2, 2, "DIR or URL", {"--user", "--password-stdin", "--timeout"}, false, testCommand},
        {"server", 1, 1, "no operands", {}, false, serverCommand},
    };
    return table;
}

// "the users commands are list, add, passwd, delete and verify", from the table.
std::string familyList(const std::string& family) {
    std::vector<std::string> subs;
    for (const auto& known : commandTable()) {
        if (known.name.starts_with(family + " ")) {
            subs.push_back(known.name.substr(family.size() + 1));
        }
    }
    std::string list;
    for (std::size_t i = 0; i < subs.size(); ++i) {
        list += (i == 0 ? "" : i + 1 == subs.size() ? " and " : ", ") + subs[i];
    }
    return "the " + family + " commands are " + list;
}

Outcome dispatch(Context& context) {
    const auto& words = context.args.words;
    if (words.empty()) {
        return usage("A command is needed; keepgatectl --help lists them.");
    }
    const std::string& command = words.front();
    context.command = command;
    const platform::HistoryAction action(historyLabel(words));
    const bool family = command == "users" || command == "groups";
    if (family && words.size() < 2) {
        return usage("keepgatectl " + command + " needs a subcommand; keepgatectl --help lists them.");
    }
    const std::string name = family ? command + " " + words[1] : command;
    context.command = name;
    const auto& table = commandTable();
    const auto entry = std::find_if(table.begin(), table.end(), [&name](const CommandEntry& candidate) {
        return candidate.name == name;
    });
    if (entry == table.end()) {
        return usage(family ? "Unknown command \"" + name + "\"; " + familyList(command) + "."
                            : "Unknown command \"" + command + "\"; keepgatectl --help lists the commands.");
    }
    if (auto wrong = expect(context, entry->least, entry->most, entry->options, entry->operands)) {
        return *wrong;
    }
    if (entry->places) {
        if (auto wrong = checkPlaces(context)) {
            return *wrong;
        }
    }
    return entry->run(context);
}

} // namespace

int run(const std::vector<std::string>& argv) {
    Context context;
    std::string error;
    const auto parsed = parseArguments(argv, &error);
    // --json is honoured even on a command line that cannot be read otherwise.
    context.json = std::find(argv.begin(), argv.end(), "--json") != argv.end();
    Outcome outcome;
    if (!parsed) {
        outcome = usage(error);
    } else {
        context.args = *parsed;
        context.dryRun = context.args.flag("--dry-run");
        context.yes = context.args.flag("--yes");
        context.sudo = context.args.flag("--sudo");
        // A process that has the rights already runs privileged commands itself, not through pkexec.
        if (geteuid() == 0) {
            systemPaths().privilegedLauncher = "/usr/bin/env";
        }
        if (context.args.flag("--version")) {
            std::cout << "keepgatectl " << constants::kProgramVersion << "\n";
            return 0;
        }
        if (context.args.flag("--help")) {
            std::cout << kUsage;
            return 0;
        }
        outcome = dispatch(context);
    }
    const int status = operations::exitStatus(outcome.status);
    if (context.json) {
        Json document = Json::object()
                            .set("keepgatectl", constants::kProgramVersion)
                            .set("command", context.command)
                            .set("status", statusName(outcome.status))
                            .set("exit", status)
                            .set("message", outcome.message)
                            .set("dryRun", context.dryRun)
                            .set("changes", std::move(context.changes))
                            .set("question", context.question.empty() ? Json() : Json(context.question))
                            .set("result", std::move(context.result));
        std::cout << document.dump() << "\n";
        return status;
    }
    std::cout << context.text;
    if (outcome.status == Status::Done) {
        if (!outcome.message.empty()) {
            std::cout << outcome.message << "\n";
        }
    } else {
        std::cerr << "keepgatectl: " << oneLine(outcome.message) << "\n";
    }
    return status;
}

} // namespace keepgate::cli

// The benchmark driver behind `make bench`: it makes the data, runs one piece of work per process (so peak
// memory is that work's own), and measures any command, Keepgate's or a peer's, the same way.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "formats/BlockText.h"
#include "formats/ReadFile.h"
#include "formats/ReadHtaccess.h"
#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/FileSystem.h"
#include "services/ApacheConfig.h"
#include "support/Layouts.h"

using namespace keepgate;

namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "keepgate_bench: %s\n", message.c_str());
    return 2;
}

void installHeadless() {
    ui::setWindowSystem(std::make_shared<headless::WindowSystem>());
    setStandardUserDefaults(std::make_shared<MemoryDefaultsStore>());
}

// Alerts are failures of the measured work, so a run that raised one must not count.
int alertsRaised() {
    auto& windows = static_cast<headless::WindowSystem&>(ui::windowSystem());
    for (const auto& shown : windows.alerts) {
        std::fprintf(stderr, "alert: %s\n", shown.alert.message.c_str());
    }
    return windows.alerts.empty() ? 0 : 1;
}

// A salt-and-digest of the shape htpasswd's apr1 lines have, different for every user.
std::string apr1Like(unsigned n) {
    static const char alphabet[] = "./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::string hash = "$apr1$";
    unsigned x = n * 2654435761u + 12345u;
    for (int i = 0; i < 30; ++i) {
        if (i == 8) {
            hash += '$';
        }
        x = x * 1103515245u + 12345u;
        hash += alphabet[(x >> 16) % 64];
    }
    return hash;
}

std::string userName(unsigned n) {
    char name[16];
    std::snprintf(name, sizeof name, "user%07u", n);
    return name;
}

void writeOrDie(const std::string& path, const std::string& text) {
    if (!platform::writeFileAtomically(path, text)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(2);
    }
}

// The chooser and the editor deal in absolute paths, as a user's choices are.
std::string absolute(const std::string& path) {
    char* real = realpath(path.c_str(), nullptr);
    const std::string result = real ? real : path;
    std::free(real);
    return result;
}

int generate(const std::string& folder) {
    for (const auto& [name, count] :
         {std::pair{"users-1k", 1000u}, {"users-100k", 100000u}, {"users-1m", 1000000u}}) {
        std::string text;
        text.reserve(count * 50ull);
        for (unsigned i = 0; i < count; ++i) {
            text += userName(i) + ":" + apr1Like(i) + "\n";
        }
        writeOrDie(platform::joinPath(folder, name), text);
    }
    std::string groups;
    for (unsigned g = 0; g < 10000; ++g) {
        groups += "group" + std::to_string(g) + ":";
        for (unsigned m = 0; m < 100; ++m) {
            groups += " " + userName((g * 100 + m) % 1000000);
        }
        groups += "\n";
    }
    writeOrDie(platform::joinPath(folder, "groups-10k"), groups);
    // A directory whose block, in the form the editor writes, names every tenth of the 100,000 users.
    std::vector<std::string> named;
    for (unsigned i = 0; i < 10000; ++i) {
        named.push_back(userName(i * 10));
    }
    const std::string site = platform::joinPath(folder, "site-10k");
    if (!platform::isDirectory(site) && mkdir(site.c_str(), 0755) != 0) {
        return fail("cannot make " + site);
    }
    writeOrDie(platform::joinPath(site, ".htaccess"), "AuthType Basic\nAuthName \"Bench\"\nAuthUserFile " +
                                                          platform::joinPath(absolute(folder), "users-100k") +
                                                          "\n" + BlockText::requireLines("user", named));
    std::string config;
    for (unsigned s = 0; s < 10000; ++s) {
        config += "<Directory \"/srv/www/site" + std::to_string(s) + "\">\nAuthType Basic\nAuthName \"Site " +
                  std::to_string(s) + "\"\nAuthUserFile " + platform::joinPath(folder, "users-1k") +
                  "\nRequire user " + userName(s % 1000) + "\n</Directory>\n";
    }
    writeOrDie(platform::joinPath(folder, "shared-10k.conf"), config);
    return 0;
}

// Hostile server configurations, one folder each with its main.conf: includes that loop, a deep nesting of
// sections, random bytes.
int generateConfigs(const std::string& folder) {
    const auto put = [&](const std::string& name, const std::string& text) {
        const std::string path = platform::joinPath(folder, name);
        std::system(("mkdir -p \"$(dirname '" + path + "')\"").c_str());
        writeOrDie(path, text);
    };
    put("self-include/main.conf", "User a\nInclude main.conf\nInclude main.conf\n");
    put("glob-include/main.conf", "Include conf.d/*.conf\n");
    for (const char* name : {"a", "b", "c", "d", "e", "f"}) {
        put(std::string("glob-include/conf.d/") + name + ".conf",
            "Include conf.d/*.conf\nInclude conf.d/*.conf\n");
    }
    put("fan-out/main.conf", "Include f0.conf\n");
    for (int i = 0; i < 30; ++i) {
        const std::string next = "Include f" + std::to_string(i + 1) + ".conf\n";
        put("fan-out/f" + std::to_string(i) + ".conf", next + next);
    }
    put("fan-out/f30.conf", "User a\n");
    std::string nested;
    for (int i = 0; i < 50000; ++i) {
        nested += "<Directory /srv/www/d" + std::to_string(i) + ">\nOptions None\n";
    }
    for (int i = 0; i < 50000; ++i) {
        nested += "</Directory>\n";
    }
    put("nested-50k/main.conf", nested);
    std::string random(20'000'000, '\0');
    std::ifstream("/dev/urandom", std::ios::binary)
        .read(random.data(), static_cast<std::streamsize>(random.size()));
    put("random-20m/main.conf", random);
    return 0;
}

// Reads a server configuration with its includes, as detection and the server check do.
int readConfig(const std::string& folder) {
    const auto text = ApacheConfig::read("main.conf", folder);
    std::printf("%zu directives; %s\n", text.directives.size(),
                text.error.empty() ? "read whole" : text.error.c_str());
    return 0;
}

int readUsers(const std::string& file) {
    const auto records = ReadFile::readUserfile(file);
    std::printf("%zu\n", records.size());
    return records.empty() ? 1 : 0;
}

// Opens the file in the user editor and adds one user, as a person would in one run of the program.
int addUser(const std::string& file, const std::string& name, const std::string& password) {
    installHeadless();
    testing::UserEditorLayout layout;
    layout.controller.selectUserfile();
    auto& windows = static_cast<headless::WindowSystem&>(ui::windowSystem());
    windows.answer(1, {file});
    layout.usernameField.text = name;
    layout.passwordField.text = password;
    layout.controller.addUser();
    return alertsRaised() || layout.tableView.rowCount() == 0;
}

// Opens the file in the group editor and draws the first screenful of the outline.
int openGroups(const std::string& file) {
    installHeadless();
    testing::GroupEditorLayout layout;
    layout.controller.selectFile();
    static_cast<headless::WindowSystem&>(ui::windowSystem()).answer(1, {file});
    auto& source = layout.controller;
    const int groups = source.numberOfChildrenOfItem(nullptr);
    for (int row = 0; row < std::min(groups, 40); ++row) {
        ui::OutlineItem item = source.child(row, nullptr);
        source.objectValueForTableColumn("TITLE", item);
        source.isItemExpandable(item);
    }
    std::printf("%d\n", groups);
    return alertsRaised() || groups == 0;
}

// Loads the directory in the directory editor and saves it unchanged, `repeat` times, as a person would
// with the chooser and the save button; prints the best processor and wall times of the load and of the
// save, in seconds. The server check and the protection test are the server's cost, not the editor's, so
// they are left out.
int editDirectory(const std::string& directory, int repeat) {
    installHeadless();
    standardUserDefaults().setString(constants::kProtectionSettingsKey, constants::kAccessFileMode);
    standardUserDefaults().setString(constants::kDefaultAccessFilenameKey, ".htaccess");
    testing::DirectoryEditorLayout layout;
    layout.directory.directoryLoaded = nullptr;
    layout.directory.protectionWritten = nullptr;
    layout.directory.serverFindings = nullptr;
    auto& windows = static_cast<headless::WindowSystem&>(ui::windowSystem());
    const auto cpuNow = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
    };
    const auto wallNow = [] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    };
    double load = 1e30, loadWall = 1e30, save = 1e30, saveWall = 1e30;
    std::size_t marked = 0;
    for (int i = 0; i < repeat; ++i) {
        layout.directory.selectDirectory();
        double cpu = cpuNow(), wall = wallNow();
        windows.answer(1, {directory});
        load = std::min(load, cpuNow() - cpu);
        loadWall = std::min(loadWall, wallNow() - wall);
        marked = 0;
        for (const auto& record : layout.directory.records) {
            marked += isMarked(record.value("check")) ? 1 : 0;
        }
        cpu = cpuNow();
        wall = wallNow();
        layout.directory.saveProtection();
        save = std::min(save, cpuNow() - cpu);
        saveWall = std::min(saveWall, wallNow() - wall);
        if (alertsRaised() || windows.hasPendingSheet()) {
            return 1;
        }
    }
    std::printf("%.6f %.6f %.6f %.6f %zu of %zu marked\n", load, loadWall, save, saveWall, marked,
                layout.directory.records.size());
    // Every named user is marked on every load, so each save wrote all of them back.
    return marked == 10000 ? 0 : 1;
}

// Types a filter into the user editor over the file a letter at a time, as the window calls it on every
// keystroke, and reports the slowest keystroke (best of `repeat` runs), then Show Weak.
int filterUsers(const std::string& file, int repeat) {
    installHeadless();
    testing::UserEditorLayout layout;
    headless::TextField filter;
    headless::Button weakOnly;
    layout.controller.filterField = &filter;
    layout.controller.weakOnlyButton = &weakOnly;
    auto& windows = static_cast<headless::WindowSystem&>(ui::windowSystem());
    layout.controller.selectUserfile();
    windows.answer(1, {file});
    const auto cpuNow = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
    };
    const std::string typed = "USER099";
    double slowest = 1e30, weak = 1e30;
    int shown = 0;
    for (int i = 0; i < repeat; ++i) {
        double worst = 0;
        for (std::size_t length = 1; length <= typed.size(); ++length) {
            filter.text = typed.substr(0, length);
            const double cpu = cpuNow();
            layout.controller.filterUsers();
            worst = std::max(worst, cpuNow() - cpu);
        }
        shown = layout.tableView.rowCount();
        slowest = std::min(slowest, worst);
        filter.text.clear();
        layout.controller.filterUsers();
        weakOnly.buttonState = 1;
        const double cpu = cpuNow();
        layout.controller.filterUsers();
        weak = std::min(weak, cpuNow() - cpu);
        weakOnly.buttonState = 0;
        layout.controller.filterUsers();
    }
    std::printf("%.6f %.6f %d of %d shown\n", slowest, weak, shown,
                layout.controller.numberOfRowsInTableView());
    return alertsRaised() || shown == 0 ? 1 : 0;
}

int readSection(const std::string& config, const std::string& directory) {
    const ProtectionInfo block = ReadHtaccess::configFile(config, directory);
    std::printf("%s\n", block.text("authname").c_str());
    return block.empty() ? 1 : 0;
}

// Runs a command `repeat` times and prints its best processor time (user and system) and best wall time in
// seconds, and its largest peak memory in KiB. On a shared machine the processor time is the steadier one.
int measure(int repeat, char** command) {
    double best = 1e30;
    double bestWall = 1e30;
    long peak = 0;
    for (int i = 0; i < repeat; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            if (!std::getenv("BENCH_SHOW_OUTPUT")) {
                std::freopen("/dev/null", "w", stdout);
            }
            execvp(command[0], command);
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        if (child < 0 || wait4(child, &status, 0, &usage) != child) {
            return fail("cannot run " + std::string(command[0]));
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            return fail(std::string(command[0]) + " failed with status " + std::to_string(status));
        }
        const auto toSeconds = [](const timeval& t) {
            return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
        };
        best = std::min(best, toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime));
        bestWall = std::min(bestWall, seconds);
        peak = std::max(peak, usage.ru_maxrss);
    }
    std::printf("%.6f %ld %.6f\n", best, peak, bestWall);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "generate") {
        return generate(args[1]);
    }
    if (args.size() == 2 && args[0] == "generate-configs") {
        return generateConfigs(args[1]);
    }
    if (args.size() == 2 && args[0] == "read-config") {
        return readConfig(args[1]);
    }
    if (args.size() == 2 && args[0] == "read-users") {
        return readUsers(args[1]);
    }
    if (args.size() == 4 && args[0] == "add-user") {
        // "-" names a user no run has added yet, so that every run adds one.
        return addUser(args[1], args[2] == "-" ? "newcomer" + std::to_string(getpid()) : args[2], args[3]);
    }
    if (args.size() == 2 && args[0] == "open-groups") {
        return openGroups(args[1]);
    }
    if (args.size() == 3 && args[0] == "edit-directory") {
        return editDirectory(absolute(args[1]), std::atoi(argv[3]));
    }
    if (args.size() == 3 && args[0] == "filter-users") {
        return filterUsers(args[1], std::atoi(argv[3]));
    }
    if (args.size() == 3 && args[0] == "read-section") {
        return readSection(args[1], args[2]);
    }
    if (args.size() >= 3 && args[0] == "measure") {
        return measure(std::atoi(argv[2]), argv + 3);
    }
    return fail("usage: generate DIR | generate-configs DIR | read-config FOLDER | read-users FILE | "
                "add-user FILE NAME PASSWORD | open-groups FILE | "
                "edit-directory DIRECTORY N | filter-users FILE N | read-section CONFIG DIRECTORY | "
                "measure N COMMAND...");
}

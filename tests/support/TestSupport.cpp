#include "support/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "platform/FileSystem.h"
#include "platform/Log.h"
#include "platform/SystemPaths.h"
#include "platform/UrlFetcher.h"

namespace keepgate {

void PrintTo(const Record& record, std::ostream* out) {
    *out << "{";
    const char* separator = "";
    for (const auto& [key, value] : record.values()) {
        *out << separator << key << ": "
             << (value.isText() ? ::testing::PrintToString(value.text()) : value.text());
        separator = ", ";
    }
    *out << "}";
}

} // namespace keepgate

namespace keepgate::testing {

namespace {

// The programs the tests run (keepgatectl) keep their history of changes in a folder of the test run's
// own, never in the user's state folder.
struct PrivateStateHome {
    PrivateStateHome() {
        std::string pattern = "/tmp/keepgate-state-XXXXXX";
        if (mkdtemp(pattern.data())) {
            folder = pattern;
            setenv("XDG_STATE_HOME", folder.c_str(), 1);
        }
    }
    ~PrivateStateHome() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::string folder;
} privateStateHome;

} // namespace

TempDir::TempDir() {
    std::string pattern = "/tmp/keepgate-test-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        ADD_FAILURE() << "cannot make a temporary directory";
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Tests make files unwritable on purpose; give the rights back so everything can go.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (!it->is_symlink()) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
    }
    std::filesystem::remove_all(path_, ignored);
}

void writeFile(const std::string& path, const std::string& contents) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(out) << "cannot write " << path;
    out << contents;
}

std::string readFile(const std::string& path) {
    return platform::readFile(path).value_or("<missing>");
}

void writeScript(const std::string& path, const std::string& body) {
    writeFile(path, "#!/bin/sh\n" + body);
    chmod(path.c_str(), 0755);
}

int shell(const std::string& commandLine) {
    const int status = std::system(commandLine.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void HeadlessTest::SetUp() {
    windows = std::make_shared<headless::WindowSystem>();
    ui::setWindowSystem(windows);
    defaults = std::make_shared<MemoryDefaultsStore>();
    setStandardUserDefaults(defaults);
    systemPaths() = SystemPaths{};
    // Private staging folders go under the test's own directory, never the user's cache.
    systemPaths().stagingFolder = temp.path();
    platform::setLogObserver([this](const std::string& line) { logLines.push_back(line); });
}

void HeadlessTest::TearDown() {
    platform::setLogObserver({});
    systemPaths() = SystemPaths{};
    setStandardUserDefaults(nullptr);
    setUrlFetcher(nullptr);
    ui::setWindowSystem(nullptr);
}

} // namespace keepgate::testing

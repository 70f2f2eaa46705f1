#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/DefaultsStore.h"
#include "platform/Record.h"
#include "support/Headless.h"

namespace keepgate {
// Shows a record's keys and values in failure messages instead of its bytes.
void PrintTo(const Record& record, std::ostream* out);
} // namespace keepgate

namespace keepgate::testing {

// A fresh directory under /tmp, removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Writes bytes to a file (creating missing folders), failing the test when that is impossible.
void writeFile(const std::string& path, const std::string& contents);
// The file's bytes, or "<missing>" when it cannot be read.
std::string readFile(const std::string& path);
// Writes an executable shell script.
void writeScript(const std::string& path, const std::string& body);
// Runs a shell command line and returns its exit status.
int shell(const std::string& commandLine);

// Every controller test starts from a headless window system, an empty memory defaults store and
// the shipped system paths, and leaves them that way.
class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::shared_ptr<headless::WindowSystem> windows;
    std::shared_ptr<MemoryDefaultsStore> defaults;
    std::vector<std::string> logLines;
    TempDir temp;
};

} // namespace keepgate::testing

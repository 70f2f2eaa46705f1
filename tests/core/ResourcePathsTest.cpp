#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/ResourcePaths.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

using platform::findResource;
using platform::resourceFolders;

TEST(ResourcePaths, InstalledDataComesBeforeTheBuildTreeCopyAndPathsArePlain) {
    TempDir temp;
    writeFile(temp / "usr/share/keepgate/ReadMe.html", "installed\n");
    writeFile(temp / "usr/bin/resources/ReadMe.html", "build tree\n");
    writeFile(temp / "usr/bin/resources/only-here.txt", "x\n");
    writeFile(temp / "build/resources/ReadMe.html", "build tree\n");
    ::mkdir((temp / "build/resources/folder.html").c_str(), 0755);

    const struct {
        std::string executableDirectory;
        std::string name;
        std::optional<std::string> found;
    } cases[] = {
        {temp / "usr/bin", "ReadMe.html", temp / "usr/share/keepgate/ReadMe.html"},
        {temp / "usr/bin/", "ReadMe.html", temp / "usr/share/keepgate/ReadMe.html"},
        {temp / "usr/bin", "only-here.txt", temp / "usr/bin/resources/only-here.txt"},
        {temp / "build", "ReadMe.html", temp / "build/resources/ReadMe.html"},
        {temp / "build", "ReadMe.rtfd", std::nullopt},
        {temp / "build", "folder.html", std::nullopt},              // not a regular file
        {temp / "build", "../resources/ReadMe.html", std::nullopt}, // never leaves the folders
        {temp / "build", "", std::nullopt},
        {"", "ReadMe.html", std::nullopt}, // the program's folder is unknown
    };
    for (const auto& c : cases) {
        EXPECT_EQ(findResource(resourceFolders(c.executableDirectory), c.name), c.found)
            << c.executableDirectory << " " << c.name;
    }
}

} // namespace
} // namespace keepgate::testing

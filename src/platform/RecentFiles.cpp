#include "platform/RecentFiles.h"

#include <sys/stat.h>

#include "platform/DefaultsStore.h"
#include "platform/FileSystem.h"
#include "platform/SystemPaths.h"

namespace keepgate::recent {

namespace {

bool isFolder(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

void remember(const char* key, const std::string& path) {
    if (!path.empty()) {
        standardUserDefaults().setString(key, path);
    }
}

Place startingPlace(const char* key, const std::string& fallbackFolder) {
    auto path = standardUserDefaults().stringForKey(key);
    while (path && path->size() > 1 && path->back() == '/') {
        path->pop_back();
    }
    if (path && !path->empty() && path->front() == '/') {
        const auto slash = path->rfind('/');
        Place place{slash == 0 ? "/" : path->substr(0, slash), path->substr(slash + 1)};
        if (isFolder(place.folder)) {
            return place;
        }
    }
    return {fallbackFolder, ""};
}

std::string directoryChooserFallback() {
    const std::string& root = systemPaths().documentRoot;
    return isFolder(root) ? root : platform::homeDirectory();
}

} // namespace keepgate::recent

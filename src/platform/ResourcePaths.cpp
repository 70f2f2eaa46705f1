#include "platform/ResourcePaths.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

namespace keepgate::platform {

std::vector<std::string> resourceFolders(const std::string& executableDirectory) {
    if (executableDirectory.empty()) {
        return {};
    }
    std::string base = executableDirectory;
    while (base.size() > 1 && base.back() == '/') {
        base.pop_back();
    }
    return {base + "/../share/keepgate", base + "/resources"};
}

std::optional<std::string> findResource(const std::vector<std::string>& folders,
                                        const std::string& fileName) {
    // A name that could step out of the resource folders is never looked up.
    if (fileName.empty() || fileName.find('/') != std::string::npos || fileName == "." || fileName == "..") {
        return std::nullopt;
    }
    for (const std::string& folder : folders) {
        const std::string path = folder + "/" + fileName;
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            // The "/../" of the installed layout is resolved, so the path shown to the user is plain.
            char resolved[PATH_MAX];
            return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
        }
    }
    return std::nullopt;
}

} // namespace keepgate::platform

#include "platform/Install.h"

#include <climits>
#include <unistd.h>

namespace keepgate::platform {

std::string executableDirectory() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return {};
    }
    const std::string executable(path, static_cast<std::size_t>(length));
    const auto slash = executable.rfind('/');
    return slash == std::string::npos || slash == 0 ? "/" : executable.substr(0, slash);
}

std::optional<std::string> installHelperPath() {
    const std::string directory = executableDirectory();
    if (directory.empty()) {
        return std::nullopt;
    }
    const std::string helper = directory + "/../libexec/keepgate/keepgate-install-file";
    if (access(helper.c_str(), X_OK) != 0) {
        return std::nullopt;
    }
    // The canonical path, so the polkit action's exec.path matches what the launcher runs.
    char resolved[PATH_MAX];
    return realpath(helper.c_str(), resolved) ? std::optional<std::string>(resolved) : std::nullopt;
}

} // namespace keepgate::platform

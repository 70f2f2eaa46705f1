#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace keepgate::serverpaths {

// The folder that holds `path`: "/" for a file at the top, "." for a bare name.
inline std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A path of the server's configuration as the server reads it: relative ones lie in the server root.
inline std::string absoluteIn(const std::string& root, const std::string& path) {
    return path.empty() || path.front() == '/' ? path : platform::joinPath(root, path);
}

} // namespace keepgate::serverpaths

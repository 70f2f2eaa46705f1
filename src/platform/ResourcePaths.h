#pragma once

#include <optional>
#include <string>
#include <vector>

namespace keepgate::platform {

// The folders that hold the application's resources, searched in order: the installed data folder
// (`<prefix>/share/keepgate` beside `<prefix>/bin`), then the `resources` folder that the build copies
// beside the executable. Both are found from the executable's own folder, so an installed copy and the
// build tree each find their own files wherever they live.
std::vector<std::string> resourceFolders(const std::string& executableDirectory);

// The resolved path of `fileName` in the first of `folders` that holds it as a regular file.
std::optional<std::string> findResource(const std::vector<std::string>& folders, const std::string& fileName);

} // namespace keepgate::platform

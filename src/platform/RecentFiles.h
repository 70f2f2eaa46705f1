#pragma once

#include <string>

// The files and folders last chosen, kept in the preferences store between runs, so that each chooser
// starts where the user last was and offers what is open in the other editors.
namespace keepgate::recent {

inline constexpr const char* kUserfileKey = "KGlastUserfile";
inline constexpr const char* kGroupfileKey = "KGlastGroupfile";
inline constexpr const char* kDirectoryKey = "KGlastDirectory";
inline constexpr const char* kWindowGeometryKey = "KGwindowGeometry";

void remember(const char* key, const std::string& path);

// Where a chooser starts: the folder of the remembered path with its name proposed, while that folder
// exists; otherwise `fallbackFolder` with nothing proposed.
struct Place {
    std::string folder;
    std::string name;
};
Place startingPlace(const char* key, const std::string& fallbackFolder);

// The folder the directory chooser falls back to: the web server's document root when it is known and
// exists, else the home folder.
std::string directoryChooserFallback();

} // namespace keepgate::recent

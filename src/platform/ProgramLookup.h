#pragma once

#include <optional>
#include <string>
#include <vector>

namespace keepgate::platform {

// The folders where the system keeps its own administration programs (with Homebrew's on a Mac), searched
// before any entry of PATH.
const std::vector<std::string>& systemProgramFolders();

// Why a folder may not supply a program that Keepgate runs, perhaps with administrator rights: it is not
// an absolute path, not owned by root, or writable by someone other than root. Nothing when it may.
std::optional<std::string> untrustedFolderReason(const std::string& folder);

// The absolute path of the executable program `name`: from `folders` when given (taken as they are, as a
// test's fake tools are), else from the system's folders, then from the entries of PATH that pass
// untrustedFolderReason. Nothing when no such folder holds it.
std::optional<std::string> findSystemProgram(const std::string& name,
                                             const std::vector<std::string>& folders = {});

} // namespace keepgate::platform

#pragma once

#include <string>
#include <vector>

namespace keepgate::cli {

// What a command line does, in the words the history shows ("Added alice", "Saved protection of /srv/x").
std::string historyLabel(const std::vector<std::string>& words);

// Opens the history of changes at its usual place; a folder that cannot be used is said once on
// standard error, and the command goes on without history.
void openHistory();

} // namespace keepgate::cli

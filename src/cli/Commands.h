#pragma once

#include <string>
#include <vector>

namespace keepgate::cli {

// Runs keepgatectl with the words after the program's name; writes its output and messages to standard
// output and standard error, and answers the exit status (0 done, 1 refused or not protected, 2 usage,
// 3 the server failed its check or the test).
int run(const std::vector<std::string>& argv);

} // namespace keepgate::cli

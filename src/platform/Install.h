#pragma once

#include <optional>
#include <string>

namespace keepgate::platform {

// The folder that holds the running executable; empty when the system cannot tell.
std::string executableDirectory();

// The privileged helper of an installed Keepgate (libexec/keepgate/keepgate-install-file beside the
// executable's bin folder) when it is there and executable; nothing when running from the build tree.
std::optional<std::string> installHelperPath();

} // namespace keepgate::platform

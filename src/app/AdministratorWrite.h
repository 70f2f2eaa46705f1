#pragma once

#include <functional>
#include <string>

#include "services/PrivilegedCopy.h"
#include "ui/Controls.h"

namespace keepgate {

// The error alert of a write that the user's own rights could not make, with the button "Write with
// administrator rights". Only on that answer is `text` staged privately and put in place at `path` through
// the privileged copy, which is waited for and read back; the outcome is reported. `done` learns whether
// the file now holds the text (false also on "Cancel"). Where rights are not what failed (a missing
// folder), the alert only reports the error.
void offerAdministratorWrite(ui::Window* parent, const std::string& path, const std::string& text,
                             const std::string& errorMessage, std::function<void(bool written)> done = {});

} // namespace keepgate

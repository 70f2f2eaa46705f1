#pragma once

#include <functional>
#include <string>

namespace keepgate::platform {

// Writes one line to the application log: standard error (with time stamp and process name) and syslog.
void appLog(const std::string& message);

// Lets tests see every logged line; pass an empty function to stop.
void setLogObserver(std::function<void(const std::string&)> observer);

} // namespace keepgate::platform

#include "platform/Log.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <syslog.h>
#include <unistd.h>

namespace keepgate::platform {

namespace {

std::function<void(const std::string&)>& observer() {
    static std::function<void(const std::string&)> instance;
    return instance;
}

std::string processName() {
    char buffer[256];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return "keepgate";
    }
    std::string path(buffer, static_cast<std::size_t>(n));
    return path.substr(path.rfind('/') + 1);
}

} // namespace

void appLog(const std::string& message) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    const std::string name = processName();
    std::fprintf(stderr, "%s.%03lld %s[%d] %s\n", stamp, static_cast<long long>(millis), name.c_str(),
                 static_cast<int>(getpid()), message.c_str());
    std::fflush(stderr);
    openlog(name.c_str(), LOG_PID, LOG_USER);
    syslog(LOG_NOTICE, "%s", message.c_str());
    closelog();
    if (observer()) {
        observer()(message);
    }
}

void setLogObserver(std::function<void(const std::string&)> newObserver) { observer() = std::move(newObserver); }

} // namespace keepgate::platform

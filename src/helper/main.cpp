// keepgate-install-file: the only program Keepgate runs with administrator rights (through pkexec). It
// replaces one web-server configuration, access, user or group file where its table of destinations
// allows, enables a module, or reloads the server, and refuses everything else.
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "helper/InstallFileRules.h"

namespace {

// The user pkexec acted for, when the helper runs as root on someone's behalf.
bool callerOfPkexec(uid_t& uid, gid_t& gid) {
    const char* text = std::getenv("PKEXEC_UID");
    if (::geteuid() != 0 || text == nullptr || *text == '\0') {
        return false;
    }
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (*end != '\0') {
        return false;
    }
    const passwd* entry = ::getpwuid(static_cast<uid_t>(value));
    uid = static_cast<uid_t>(value);
    gid = entry ? entry->pw_gid : static_cast<gid_t>(-1);
    return entry != nullptr;
}

// The source is opened with the caller's own rights, so the helper never copies a file its caller
// could not have read (a root-only file into a world-readable access file, say).
int openAsCaller(const std::string& path, std::string& problem) {
    uid_t uid = 0;
    gid_t gid = 0;
    if (!callerOfPkexec(uid, gid)) {
        return keepgate::helper::openSource(path, problem);
    }
    if (::setegid(gid) != 0 || ::seteuid(uid) != 0) {
        problem = "cannot take the rights of the calling user";
        return -1;
    }
    const int descriptor = keepgate::helper::openSource(path, problem);
    if (::seteuid(0) != 0 || ::setegid(0) != 0) {
        // Carrying on with a half-restored identity could write files with the wrong owner.
        std::fprintf(stderr, "keepgate-install-file: cannot return to administrator rights\n");
        std::_Exit(1);
    }
    return descriptor;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string message;
    const int status = keepgate::helper::runCommand(arguments, keepgate::helper::systemLayout(),
                                                    keepgate::helper::systemTools(), openAsCaller, message);
    if (status != 0) {
        std::fprintf(stderr, "keepgate-install-file: %s\n", message.c_str());
    }
    return status;
}

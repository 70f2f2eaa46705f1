#include "services/AdmTools.h"

#include <vector>

#include "formats/TextLines.h"
#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/FileSystem.h"
#include "platform/Log.h"
#include "platform/Process.h"
#include "platform/SystemPaths.h"

namespace keepgate {

namespace {

bool isAscii(const std::string& bytes) {
    for (const unsigned char c : bytes) {
        if (c > 0x7F) {
            return false;
        }
    }
    return true;
}

// htpasswd -i strips one final line feed (and a carriage return before it) from what it reads, so a
// password that itself ends in a line feed needs one more to arrive whole.
std::string standardInputFor(const std::optional<std::string>& password) {
    std::string input = password.value_or("");
    if (!input.empty() && input.back() == '\n') {
        input += '\n';
    }
    return input;
}

// An uncommented line: Apache ignores a line whose first non-blank character is "#".
bool isCommentLine(const std::string& line) {
    const auto first = line.find_first_not_of(" \t");
    return first != std::string::npos && line[first] == '#';
}

std::optional<std::vector<std::string>> mainConfigLines() {
    const auto contents = platform::readFile(systemPaths().mainConfig);
    if (!contents) {
        return std::nullopt;
    }
    return text::split(*contents, '\n');
}

} // namespace

std::optional<std::string> AdmTools::getPasswd(const std::optional<std::string>& username,
                                               const std::optional<std::string>& password) {
    // "--" keeps a name that begins with "-" from being read as an option; the password goes to the
    // tool's standard input because a command line is visible to every local user.
    std::vector<std::string> arguments{"-n", "-i", "--"};
    if (username) {
        arguments.push_back(*username);
    }
    const auto result = platform::runProcess(systemPaths().htpasswd, arguments, standardInputFor(password));
    if (!result.started || !isAscii(result.standardOutput)) {
        return std::nullopt;
    }
    const auto pieces = text::split(result.standardOutput, ':');
    if (pieces.size() < 2) {
        return std::nullopt;
    }
    std::string hash = pieces[1];
    while (!hash.empty() && (hash.back() == '\n' || hash.back() == '\r')) {
        hash.pop_back();
    }
    return hash;
}

bool AdmTools::copyFileWithAuthorization(const std::string& fromFile, const std::string& toFile) {
    if (fromFile.empty() || toFile.empty()) {
        return false;
    }
    const auto result = platform::runPrivileged(systemPaths().copy, {"-f", fromFile, toFile});
    if (!result.started || result.exitStatus != 0) {
        platform::appLog("Error copying file");
        return false;
    }
    platform::appLog("Successfully copied a file with administrator privileges from " + fromFile + " to " +
                     toFile + "!");
    return true;
}

bool AdmTools::checkForIncludeInConf() {
    const auto path = standardUserDefaults().stringForKey(constants::kConfigFilePathKey);
    // Without a path there is nothing the main configuration could include.
    if (!path || path->empty()) {
        return false;
    }
    const auto lines = mainConfigLines();
    if (!lines) {
        return false;
    }
    const std::string plain = "Include " + *path;
    const std::string quoted = "Include \"" + *path + "\"";
    for (const auto& line : *lines) {
        if (!isCommentLine(line) && (text::contains(line, plain) || text::contains(line, quoted))) {
            return true;
        }
    }
    return false;
}

bool AdmTools::checkForAllowoverrideConf() {
    const auto lines = mainConfigLines();
    if (!lines) {
        return true;
    }
    for (const auto& line : *lines) {
        if (text::contains(line, "AllowOverride None")) {
            return false;
        }
    }
    return true;
}

} // namespace keepgate

#include "services/AdmTools.h"

#include <chrono>
#include <unistd.h>
#include <vector>

#include "formats/HashKind.h"
#include "formats/TextLines.h"
#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/FileSystem.h"
#include "platform/History.h"
#include "platform/Log.h"
#include "platform/Process.h"
#include "platform/ProgramLookup.h"
#include "platform/SystemPaths.h"
#include "services/PasswordGenerator.h"
#include "services/PrivilegedCopy.h"

namespace keepgate {

namespace {

using text::contains;

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

// Apache ignores a line whose first non-blank character is "#", so such a line includes nothing.
bool isCommentLine(const std::string& line) {
    const auto first = line.find_first_not_of(" \t\r\v\f");
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
                                               const std::optional<std::string>& password,
                                               const std::vector<std::string>& hashOptions) {
    // "--" keeps a name that begins with "-" from being read as an option; the password goes to the
    // tool's standard input because a command line is visible to every local user.
    // Without a password the tool has nothing to hash; an empty stdin would hash the empty password.
    if (!password) {
        return std::nullopt;
    }
    // The tool reads the password as a C string and would hash only the part before a NUL.
    if (password->find('\0') != std::string::npos) {
        return std::nullopt;
    }
    std::vector<std::string> arguments{"-n", "-i"};
    arguments.insert(arguments.end(), hashOptions.begin(), hashOptions.end());
    arguments.push_back("--");
    if (username) {
        arguments.push_back(*username);
    }
    const auto result = platform::runProcess(htpasswdProgram(), arguments, standardInputFor(password));
    if (!result.started) {
        return std::nullopt;
    }
    const std::string& output = result.standardOutput;
    const auto colon = output.find(':');
    if (colon == std::string::npos) {
        return std::nullopt;
    }
    const auto nextColon = output.find(':', colon + 1);
    std::string hash =
        output.substr(colon + 1, nextColon == std::string::npos ? std::string::npos : nextColon - colon - 1);
    while (!hash.empty() && (hash.back() == '\n' || hash.back() == '\r')) {
        hash.pop_back();
    }
    // Every kind of hash the tool makes is ASCII; the name before the colon is the user's own (a UTF-8
    // "josé" is a name Apache admits), so only the hash is held to it.
    if (!isAscii(hash)) {
        return std::nullopt;
    }
    return hash;
}

std::string AdmTools::htpasswdProgram() {
    std::string& configured = systemPaths().htpasswd;
    // A path set on purpose is run as it is (and fails as it is); only the shipped default is looked for
    // elsewhere, since macOS keeps the tool in /usr/sbin and Homebrew in its own folder.
    if (configured != constants::kHtpasswdPath || access(configured.c_str(), X_OK) == 0) {
        return configured;
    }
    if (const auto found = platform::findSystemProgram("htpasswd")) {
        configured = *found;
    }
    return configured;
}

std::optional<bool> AdmTools::checkPassword(const std::string& hash, const std::string& password) {
    // The tool verifies against a file, so it gets a private one holding only this hash: the answer is
    // about the hash on screen, whatever the user file holds by now.
    std::string folder = platform::joinPath(platform::temporaryDirectory(), "keepgate-check-XXXXXX");
    if (!mkdtemp(folder.data())) {
        return std::nullopt;
    }
    const std::string file = platform::joinPath(folder, "users");
    std::optional<bool> answer;
    // A private scratch file, not a change of the user's.
    const platform::HistoryPause scratch;
    if (platform::writeFileAtomically(file, "user:" + hash + "\n")) {
        platform::ProcessOptions options;
        options.standardInput = standardInputFor(password);
        // The tool's verdict in words goes to standard error; the exit status is the answer.
        options.captureStandardError = true;
        const auto result =
            platform::runProcess(htpasswdProgram(), {"-v", "-i", "--", file, "user"}, options);
        // 0: the password matches; 3: it does not. Anything else is no answer.
        if (result.started && (result.exitStatus == 0 || result.exitStatus == 3)) {
            answer = result.exitStatus == 0;
        }
    }
    platform::removeFile(file);
    rmdir(folder.c_str());
    return answer;
}

std::optional<double> AdmTools::bcryptCheckMilliseconds(int cost) {
    const auto password = PasswordGenerator::generate();
    if (!password) {
        return std::nullopt;
    }
    const auto hash = getPasswd(std::string("check"), *password, hashes::bcryptToolOptions(cost));
    if (!hash) {
        return std::nullopt;
    }
    const auto started = std::chrono::steady_clock::now();
    const auto matches = checkPassword(*hash, *password);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - started;
    if (!matches || !*matches) {
        return std::nullopt;
    }
    return took.count();
}

bool AdmTools::copyFileWithAuthorization(const std::string& fromFile, const std::string& toFile) {
    return installFileWithAuthorization(fromFile, toFile).copied;
}

CopyOutcome AdmTools::installFileWithAuthorization(const std::string& fromFile, const std::string& toFile,
                                                   const std::string& backupFile) {
    if (fromFile.empty() || toFile.empty()) {
        return {};
    }
    const CopyOutcome outcome = PrivilegedCopy::copy(fromFile, toFile, backupFile);
    if (!outcome.copied) {
        platform::appLog("Error copying file");
        return outcome;
    }
    platform::appLog("Successfully copied a file with administrator privileges from " + fromFile + " to " +
                     toFile + "!");
    return outcome;
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
        if (!isCommentLine(line) && (contains(line, plain) || contains(line, quoted))) {
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
        if (contains(line, "AllowOverride None")) {
            return false;
        }
    }
    return true;
}

} // namespace keepgate

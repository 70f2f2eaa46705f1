#include "services/ServerControl.h"

#include "platform/Messages.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <poll.h>

#include "formats/TextLines.h"
#include "platform/FileSystem.h"
#include "platform/SystemPaths.h"
#include "services/AdmTools.h"
#include "services/ApacheConfig.h"
#include "services/ServerPaths.h"

namespace keepgate {

namespace {

using serverpaths::absoluteIn;
using text::lowerAscii;

// How long a reloaded server may take to write its process id again.
constexpr int kReloadSettleMilliseconds = 3000;

std::string trimmed(const std::string& text) {
    return text::trimmed(text, " \r\n");
}

// The server's process id file: its PidFile directive, else the places distributions use.
std::vector<std::string> pidFiles(const ServerProfile& profile) {
    const auto text = ApacheConfig::read(profile.mainConfig, profile.serverRoot, profile.environment);
    for (const auto& directive : text.directives) {
        if (lowerAscii(directive.name) == "pidfile" && !directive.arguments.empty()) {
            return {absoluteIn(profile.serverRoot, directive.arguments[0])};
        }
    }
    return {absoluteIn(profile.serverRoot, "logs/httpd.pid"), "/run/httpd/httpd.pid",
            "/run/apache2/apache2.pid", "/var/run/httpd.pid"};
}

bool processAlive(long pid) {
    return pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

std::optional<bool> serverRunning(const std::vector<std::string>& files) {
    for (const auto& file : files) {
        if (const auto text = platform::readFile(file)) {
            try {
                return processAlive(std::stol(*text));
            } catch (...) {
                return false;
            }
        }
    }
    return std::nullopt;
}

} // namespace

ConfigTestResult ServerControl::testConfiguration(const ServerProfile& profile,
                                                  const std::string& configuration) {
    ConfigTestResult result;
    if (profile.controlProgram.empty()) {
        return result;
    }
    platform::ProcessOptions options;
    options.environment = profile.environmentList();
    options.captureStandardError = true;
    options.timeoutMilliseconds = systemPaths().detectionTimeoutMilliseconds;
    const auto run = platform::runProcess(profile.controlProgram,
                                          {"-t", "-f", configuration, "-d", profile.serverRoot}, options);
    result.ran = run.started;
    result.passed = run.started && !run.timedOut && run.exitStatus == 0;
    result.message = trimmed(run.standardError + run.standardOutput);
    if (!run.started) {
        result.message =
            text::fill(QT_TRANSLATE_NOOP("Messages", "%1 could not be run"), profile.controlProgram);
    } else if (run.timedOut) {
        result.message =
            text::fill(QT_TRANSLATE_NOOP("Messages", "%1 did not finish its configuration test in time"),
                       profile.controlProgram);
    } else if (run.outputExceeded) {
        result.passed = false;
        result.message = text::fill(QT_TRANSLATE_NOOP("Messages", "%1 printed more than %2 MiB during its "
                                                                  "configuration test and was stopped"),
                                    profile.controlProgram, platform::kProcessOutputLimit / (1024 * 1024));
    }
    return result;
}

std::string ServerControl::backupPath(const std::string& path) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string candidate = path + ".keepgate-" + stamp;
    for (int n = 2; platform::fileExists(candidate); ++n) {
        candidate = path + ".keepgate-" + stamp + "-" + std::to_string(n);
    }
    return candidate;
}

ConfigInstallResult ServerControl::installMainConfiguration(const ServerProfile& profile,
                                                            std::string_view text) {
    ConfigInstallResult result;
    std::string error;
    const auto staged = StagingFile::create(text, &error);
    if (!staged) {
        result.error = text::fill(
            QT_TRANSLATE_NOOP("Messages", "the amended configuration could not be staged: %1"), error);
        return result;
    }
    const auto test = testConfiguration(profile, staged->path());
    // A known control program must pass its test; only a server with none cannot be asked.
    if (!profile.controlProgram.empty() && !test.passed) {
        result.error = QT_TRANSLATE_NOOP(
            "Messages", "the web server's own configuration test refused the amended configuration");
        result.testMessage = test.message;
        return result;
    }
    // The backup is made with administrator rights in the same step as the installation, from the file
    // on disk (readable to this user or not), and keeps its mode and owner: a configuration only root
    // may read never gets a backup that everyone may.
    const std::string backup = platform::fileExists(profile.mainConfig) ? backupPath(profile.mainConfig) : "";
    const auto copied = AdmTools::installFileWithAuthorization(staged->path(), profile.mainConfig, backup);
    result.installed = copied.copied;
    result.unchanged = copied.unchanged;
    result.error = copied.error;
    if (!backup.empty() && platform::fileExists(backup)) {
        result.backup = backup;
    } else if (!backup.empty() && !copied.copied && copied.unchanged) {
        result.error = text::fill(QT_TRANSLATE_NOOP("Messages", "no backup of it could be made in %1 (%2)"),
                                  backup, copied.error);
    }
    return result;
}

ReloadResult ServerControl::reload(const ServerProfile& profile) {
    ReloadResult result;
    const auto command = profile.reloadCommand();
    if (command.empty()) {
        result.message = QT_TRANSLATE_NOOP(
            "Messages", "Keepgate knows no control program for this web server; reload it yourself.");
        return result;
    }
    const auto files = pidFiles(profile);
    const bool knownBefore = serverRunning(files).has_value();
    const auto run = PrivilegedCopy::runAction({"reload"}, command);
    if (!run.started || run.exitStatus != 0) {
        const std::string said = trimmed(run.standardError + run.standardOutput);
        result.message =
            said.empty()
                ? std::string(QT_TRANSLATE_NOOP("Messages", "The web server was not reloaded."))
                : text::fill(QT_TRANSLATE_NOOP("Messages", "The web server was not reloaded: %1"), said);
        return result;
    }
    // A graceful reload keeps the parent process; it ends only when the new configuration fails.
    std::optional<bool> running = serverRunning(files);
    for (int waited = 0; knownBefore && waited <= kReloadSettleMilliseconds; waited += 100) {
        running = serverRunning(files);
        if (running.value_or(false)) {
            break;
        }
        poll(nullptr, 0, 100);
    }
    if (!running) {
        result.reloaded = true;
        result.message = QT_TRANSLATE_NOOP("Messages", "The web server was told to reload.");
    } else if (*running) {
        result.reloaded = true;
        result.message = QT_TRANSLATE_NOOP("Messages", "The web server was reloaded and is running.");
    } else {
        result.message = QT_TRANSLATE_NOOP(
            "Messages", "The web server did not come back after the reload; see its error log.");
    }
    return result;
}

ConfigInstallResult ServerControl::enableModule(const ServerProfile& profile, const std::string& module) {
    ConfigInstallResult result;
    if (!profile.enableModuleProgram.empty()) {
        const auto run =
            PrivilegedCopy::runAction({"enable-module", module}, {profile.enableModuleProgram, module});
        if (!run.started || run.exitStatus != 0) {
            const std::string said = trimmed(run.standardError + run.standardOutput);
            result.error =
                said.empty()
                    ? text::fill(QT_TRANSLATE_NOOP("Messages", "enabling the module %1 failed"), module)
                    : text::fill(QT_TRANSLATE_NOOP("Messages", "enabling the module %1 failed: %2"), module,
                                 said);
            return result;
        }
        result.installed = true;
        result.unchanged = false;
        // a2enmod changes links, not the main configuration; the server's test still says whether it holds.
        const auto test = testConfiguration(profile, profile.mainConfig);
        if (test.ran && !test.passed) {
            result.testMessage = test.message;
        }
        return result;
    }
    const std::string file = platform::joinPath(profile.modulesFolder, "mod_" + module + ".so");
    if (profile.modulesFolder.empty() || !platform::fileExists(file)) {
        result.error =
            profile.modulesFolder.empty()
                ? text::fill(QT_TRANSLATE_NOOP("Messages",
                                               "the module file mod_%1.so is not in the server's modules "
                                               "folder"),
                             module)
                : text::fill(QT_TRANSLATE_NOOP("Messages",
                                               "the module file mod_%1.so is not in the server's modules "
                                               "folder %2"),
                             module, profile.modulesFolder);
        return result;
    }
    const auto current = platform::readFile(profile.mainConfig);
    if (!current) {
        result.error = text::fill(
            QT_TRANSLATE_NOOP("Messages", "the web server's configuration file %1 could not be read"),
            profile.mainConfig);
        return result;
    }
    std::string amended = *current;
    if (!amended.empty() && amended.back() != '\n') {
        amended += '\n';
    }
    amended += "LoadModule " + module + "_module " + file + "\n";
    return installMainConfiguration(profile, amended);
}

} // namespace keepgate

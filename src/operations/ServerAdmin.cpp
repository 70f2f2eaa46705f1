#include "operations/ServerAdmin.h"

#include "platform/FileSystem.h"
#include "platform/SystemPaths.h"
#include "services/ApacheConfig.h"
#include "services/PrivilegedCopy.h"
#include "services/ServerAddress.h"
#include "services/ServerControl.h"
#include "services/ServerPaths.h"

namespace keepgate::operations {

namespace {

std::string includeArgument(const std::string& path) {
    return path.find_first_of(" \t") != std::string::npos ? "\"" + path + "\"" : path;
}

Outcome installed(const ConfigInstallResult& result, const std::string& what, const std::string& mainConfig) {
    if (!result.installed) {
        Outcome failed = Outcome::refused(
            "Keepgate did not " + what + " in " + mainConfig + ": " + result.error + "." +
            (result.unchanged
                 ? " The web server's configuration was not changed."
                 : " The file may have been changed; compare it with its backup " + result.backup + ".") +
            (result.testMessage.empty() ? "" : " " + result.testMessage));
        if (!result.testMessage.empty()) {
            failed.status = Status::ServerFailed;
        }
        return failed;
    }
    Outcome done;
    done.message =
        "Done: " + what + " in " + mainConfig + "." +
        (result.backup.empty() ? "" : " The previous configuration was kept as " + result.backup + ".");
    return done;
}

} // namespace

std::optional<ServerProfile> ServerAdmin::profile(const std::string& mainConfig,
                                                  const std::string& controlProgram) {
    std::optional<ServerProfile> found;
    if (mainConfig.empty()) {
        found = ServerProfile::detect();
    } else if (platform::fileExists(mainConfig)) {
        std::string root = serverpaths::directoryOf(mainConfig);
        const auto config = ApacheConfig::read(mainConfig, root);
        for (const auto& directive : config.directives) {
            if (directive.name == "ServerRoot" && !directive.arguments.empty()) {
                root = directive.arguments.front();
            }
        }
        found = ServerProfile::describe(mainConfig, root, controlProgram);
    }
    if (found) {
        found->applyTo(systemPaths());
        systemPaths().serverDetected = true;
    }
    return found;
}

std::vector<Finding> ServerAdmin::check(const ServerProfile& profile, const CheckSubject& subject) {
    return ServerCheck::run(profile, subject.directory, subject.accessFileMode, subject.userFile,
                            subject.groupFile, subject.needsGroups, subject.needsHostRules,
                            subject.sharedFile);
}

std::optional<FileChange> ServerAdmin::plannedFix(const ServerProfile& profile, const Finding& finding,
                                                  std::string* why) {
    if (finding.kind != FindingKind::OverridesIgnored && finding.kind != FindingKind::IncludeMissing) {
        *why =
            finding.kind == FindingKind::ModuleMissing ? "" : "Keepgate cannot fix this: " + finding.message;
        return std::nullopt;
    }
    const auto text = platform::readFile(profile.mainConfig);
    if (!text) {
        *why = "Keepgate could not read " + profile.mainConfig +
               ". The web server's configuration was not changed.";
        return std::nullopt;
    }
    if (finding.kind == FindingKind::IncludeMissing) {
        return FileChange{profile.mainConfig, text, *text + "\nInclude " + includeArgument(finding.subject)};
    }
    // The one override fix the window applies too: a section of Keepgate's own for this directory.
    std::string problem;
    const auto amendment = ServerCheck::overrideFix(profile, finding.subject, &problem);
    if (!amendment) {
        *why = problem.empty() ? "The directory's path cannot be written into the web server's configuration. "
                                 "The web server's configuration was not changed."
                               : problem;
        return std::nullopt;
    }
    if (!amendment->writes.empty() || !amendment->enable.empty() || !amendment->mainText) {
        *why = "On this server the fix goes into Keepgate's own configuration file:\n" +
               amendment->description(profile.mainConfig) +
               "\nApply it with Check Server in Keepgate's window; nothing was changed.";
        return std::nullopt;
    }
    return FileChange{profile.mainConfig, text, *amendment->mainText};
}

Outcome ServerAdmin::fix(const ServerProfile& profile, const Finding& finding) {
    if (finding.kind == FindingKind::ModuleMissing) {
        return installed(ServerControl::enableModule(profile, finding.subject),
                         "enable the module " + finding.subject, profile.mainConfig);
    }
    std::string why;
    const auto change = plannedFix(profile, finding, &why);
    if (!change) {
        return Outcome::refused(why);
    }
    if (finding.kind == FindingKind::IncludeMissing) {
        const std::string& shared = finding.subject;
        // Apache refuses to start on an Include of a missing file, so the shared file must exist first.
        if (!platform::fileExists(shared)) {
            const auto created = platform::writeFileAtomically(shared, "");
            if (!created &&
                !(administratorRightsWouldHelp(shared) && PrivilegedCopy::install("", shared).copied)) {
                return Outcome::refused("Keepgate could not create the shared configuration file " + shared +
                                        " (" + created.error +
                                        "). The web server's configuration was not changed.");
            }
        }
        return installed(ServerControl::installMainConfiguration(profile, *change->after),
                         "include " + shared, profile.mainConfig);
    }
    return installed(ServerControl::installMainConfiguration(profile, *change->after),
                     "allow AuthConfig and Limit for " + finding.subject, profile.mainConfig);
}

Outcome ServerAdmin::testConfiguration(const ServerProfile& profile) {
    const auto test = ServerControl::testConfiguration(profile, profile.mainConfig);
    Outcome outcome;
    if (!test.ran) {
        outcome.message = "No control program was found to test the web server's configuration.";
    } else if (test.passed) {
        outcome.message = "The web server's configuration test passes.";
    } else {
        outcome.status = Status::ServerFailed;
        outcome.message = "The web server's configuration test fails: " + test.message;
    }
    return outcome;
}

Outcome ServerAdmin::reload(const ServerProfile& profile) {
    if (profile.reloadCommand().empty()) {
        return Outcome::refused("No control program was found to reload the web server.");
    }
    const auto reloaded = ServerControl::reload(profile);
    Outcome outcome;
    outcome.status = reloaded.reloaded ? Status::Done : Status::ServerFailed;
    outcome.message = reloaded.message;
    return outcome;
}

PublishedAddress ServerAdmin::addressOf(const ServerProfile& profile, const std::string& directory) {
    if (!platform::readFile(profile.mainConfig)) {
        PublishedAddress unknown;
        unknown.reason = "The web server's configuration " + profile.mainConfig +
                         " cannot be read, so the address is not known; give the address instead.";
        return unknown;
    }
    const auto config = ApacheConfig::read(profile.mainConfig, profile.serverRoot, profile.environment);
    return ServerAddress::forDirectory(config.directives, directory);
}

ProbeReport ServerAdmin::probe(const std::string& url, const std::string& username,
                               const std::string& password, int timeoutMilliseconds) {
    ProtectionProbe probe;
    probe.timeoutMilliseconds = timeoutMilliseconds;
    probe.cancelled = std::make_shared<std::atomic<bool>>(false);
    ProbeReport report;
    report.url = url;
    report.plain = probe.request(url);
    const bool answered = report.plain.outcome == ProbeAnswer::Outcome::Answered;
    const int status = report.plain.status;
    report.isProtected = answered && status == 401;
    if (!answered) {
        report.sentence = statusSentence(report.plain, url);
    } else if (status == 401) {
        report.sentence = "Protected: the server asks for a password (realm \"" + report.plain.realm + "\").";
    } else if (status >= 200 && status < 400) {
        report.sentence = "Not protected: the server serves this folder to everyone.";
    } else if (status == 403) {
        report.sentence = "Closed by a host rule for this computer.";
    } else if (status == 500) {
        report.sentence = "The server fails on this folder.";
    } else {
        report.sentence = statusSentence(report.plain, url);
    }
    if (!username.empty() && answered) {
        report.withUser = probe.request(url, username, password);
        const ProbeAnswer& answer = *report.withUser;
        const bool userAnswered = answer.outcome == ProbeAnswer::Outcome::Answered;
        report.userLetIn = userAnswered && answer.status >= 200 && answer.status < 400;
        if (report.userLetIn) {
            report.sentence += " " + username + " is let in.";
        } else if (userAnswered && answer.status == 401) {
            report.sentence +=
                " " + username + " is refused (wrong password, or not among the admitted users and groups).";
        } else {
            report.sentence += " With " + username + "'s password: " + statusSentence(answer, url);
        }
    }
    return report;
}

} // namespace keepgate::operations

#include "operations/ServerAdmin.h"

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileSystem.h"
#include "platform/SystemPaths.h"
#include "services/ApacheConfig.h"
#include "services/PrivilegedCopy.h"
#include "services/ServerAddress.h"
#include "services/ServerControl.h"
#include "services/ServerPaths.h"

namespace keepgate::operations {

namespace {

const char* const kNotChanged = " The web server's configuration was not changed.";

std::string withFinalLineFeed(std::string text) {
    if (!text.empty() && text.back() != '\n') {
        text += '\n';
    }
    return text;
}

Outcome needsRights(const std::vector<std::string>& needed) {
    std::string list;
    for (const auto& item : needed) {
        list += (list.empty() ? "" : ", ") + item;
    }
    return Outcome::refused("The fix needs administrator rights for " + list +
                            ": run as root, or add --sudo." + kNotChanged);
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
    // a2enmod changes links the server's test sees only afterwards; a refusal then is no success.
    if (!result.testMessage.empty()) {
        done.status = Status::ServerFailed;
        done.message += " The web server's configuration test now fails: " + result.testMessage;
    }
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

std::optional<Amendment> ServerAdmin::amendmentFor(const ServerProfile& profile, const Finding& finding,
                                                   std::string* why) {
    std::string problem;
    std::optional<Amendment> amendment;
    if (finding.kind == FindingKind::OverridesIgnored) {
        amendment = ServerCheck::overrideFix(profile, finding.subject, &problem);
        if (!amendment) {
            *why = "Keepgate cannot allow access files in " + finding.subject + ": " + problem + "." +
                   kNotChanged;
        }
    } else if (finding.kind == FindingKind::IncludeMissing) {
        amendment = ServerCheck::includeFix(profile, finding.subject, &problem);
        if (!amendment) {
            *why = "Keepgate cannot make the web server read " + finding.subject + ": " + problem + "." +
                   kNotChanged;
        }
    } else {
        *why = "Keepgate cannot fix this: " + finding.message;
    }
    return amendment;
}

Outcome ServerAdmin::plannedFix(const ServerProfile& profile, const Finding& finding) {
    if (finding.kind == FindingKind::ModuleMissing) {
        const std::string& module = finding.subject;
        Outcome planned;
        planned.message = "Enable the module " + module + ".";
        if (!profile.enableModuleProgram.empty()) {
            planned.steps.push_back({{"enable-module", module}, {profile.enableModuleProgram, module}});
            return planned;
        }
        // Without a2enmod the module is loaded by a line appended to the main configuration.
        const std::string file = platform::joinPath(profile.modulesFolder, "mod_" + module + ".so");
        const auto text = platform::readFile(profile.mainConfig);
        if (profile.modulesFolder.empty() || !platform::fileExists(file) || !text) {
            return Outcome::refused("Keepgate cannot enable the module " + module + ": " +
                                    (text ? "its file mod_" + module + ".so is not in the modules folder"
                                          : profile.mainConfig + " could not be read") +
                                    "." + kNotChanged);
        }
        planned.changes.push_back(
            {profile.mainConfig, text,
             withFinalLineFeed(*text) + "LoadModule " + module + "_module " + file + "\n"});
        return planned;
    }
    std::string why;
    const auto amendment = amendmentFor(profile, finding, &why);
    return amendment ? plannedAmendment(profile, *amendment) : Outcome::refused(why);
}

Outcome ServerAdmin::fix(const ServerProfile& profile, const Finding& finding, bool administratorRights) {
    if (finding.kind == FindingKind::ModuleMissing) {
        if (!administratorRights) {
            const Outcome planned = plannedFix(profile, finding);
            if (!planned.ok()) {
                return planned;
            }
            if (const auto needed = needingAdministratorRights(planned); !needed.empty()) {
                return needsRights(needed);
            }
        }
        return installed(ServerControl::enableModule(profile, finding.subject),
                         "enable the module " + finding.subject, profile.mainConfig);
    }
    std::string why;
    const auto amendment = amendmentFor(profile, finding, &why);
    return amendment ? applyAmendment(profile, *amendment, administratorRights) : Outcome::refused(why);
}

Outcome ServerAdmin::plannedAmendment(const ServerProfile& profile, const Amendment& amendment) {
    Outcome planned;
    for (const auto& write : amendment.writes) {
        planned.changes.push_back({write.path, write.previous, write.text});
    }
    for (const auto& name : amendment.enable) {
        planned.steps.push_back({{"enable-conf", name}, {amendment.enableProgram, name}});
    }
    if (amendment.mainText) {
        planned.changes.push_back(
            {profile.mainConfig, platform::readFile(profile.mainConfig), amendment.mainText});
    }
    planned.message = amendment.description(profile.mainConfig);
    return planned;
}

std::vector<std::string> ServerAdmin::needingAdministratorRights(const Outcome& planned) {
    std::vector<std::string> needed;
    for (const auto& change : planned.changes) {
        if (change.changes() && administratorRightsWouldHelp(change.path)) {
            needed.push_back(change.path);
        }
    }
    // Enabling programs always run through the privileged launcher.
    if (geteuid() != 0) {
        for (const auto& step : planned.steps) {
            needed.push_back(step.text());
        }
    }
    return needed;
}

namespace {

// Puts a file in place with the user's own rights where they suffice, else with administrator rights.
CopyOutcome putInPlace(const std::string& path, const std::string& text) {
    const auto result = platform::writeFileAtomically(path, text);
    if (result) {
        return {true, false, ""};
    }
    if (!administratorRightsWouldHelp(path)) {
        return {false, true, result.error};
    }
    return PrivilegedCopy::install(text, path);
}

bool isLink(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

// The refusal of an amendment: which file, why, whether everything is as it was, and the server's words.
Outcome amendmentFailed(const std::string& file, const std::string& why, bool unchanged,
                        const std::string& serverSaid, bool serverRefused = false) {
    Outcome failed = Outcome::refused(
        "Keepgate could not change " + file + ": " + why + "." +
        (unchanged ? kNotChanged : " The configuration may have been changed; see the files named here.") +
        (serverSaid.empty() ? "" : "\n\n" + serverSaid));
    if (serverRefused) {
        failed.status = Status::ServerFailed;
    }
    return failed;
}

// The server's own test of the configuration as it will be: the main file as it is now, with the new
// files named at its end (and the main file's own new line where it names none of them).
std::optional<Outcome> testStaged(const ServerProfile& profile, const Amendment& amendment,
                                  const std::string& mainNow) {
    std::vector<StagingFile> staged;
    std::string testText = withFinalLineFeed(mainNow);
    bool mainNamesANewFile = false;
    for (const auto& write : amendment.writes) {
        std::string error;
        auto file = StagingFile::create(write.text, &error);
        if (!file) {
            return amendmentFailed(write.path, "its new text could not be staged: " + error, true, "");
        }
        testText += "Include \"" + file->path() + "\"\n";
        mainNamesANewFile = mainNamesANewFile || amendment.mainAdded.find(write.path) != std::string::npos;
        staged.push_back(std::move(*file));
    }
    if (amendment.mainText && !mainNamesANewFile) {
        testText += amendment.mainAdded;
    }
    std::string error;
    const auto testFile = StagingFile::create(testText, &error);
    if (!testFile) {
        return amendmentFailed(profile.mainConfig, "the test configuration could not be staged: " + error,
                               true, "");
    }
    const auto test = ServerControl::testConfiguration(profile, testFile->path());
    if (!test.passed) {
        return amendmentFailed(amendment.writes.empty() ? profile.mainConfig : amendment.writes.front().path,
                               "the web server's own configuration test refused the change", true,
                               test.message, true);
    }
    return std::nullopt;
}

std::string spoken(const platform::ProcessResult& run) {
    std::string said = run.standardError + run.standardOutput;
    while (!said.empty() && (said.back() == '\n' || said.back() == ' ')) {
        said.pop_back();
    }
    return said;
}

} // namespace

Outcome ServerAdmin::applyAmendment(const ServerProfile& profile, const Amendment& amendment,
                                    bool administratorRights) {
    Outcome planned = plannedAmendment(profile, amendment);
    const bool changesSomething =
        !planned.steps.empty() || std::any_of(planned.changes.begin(), planned.changes.end(),
                                              [](const FileChange& change) { return change.changes(); });
    if (!changesSomething) {
        Outcome nothing;
        nothing.message = "The web server is already set up for this; nothing was changed.";
        nothing.changes = std::move(planned.changes);
        return nothing;
    }
    const auto mainNow = platform::readFile(profile.mainConfig);
    if (!mainNow) {
        return amendmentFailed(profile.mainConfig, "it could not be read", true, "");
    }
    if (!administratorRights) {
        if (const auto needed = needingAdministratorRights(planned); !needed.empty()) {
            return needsRights(needed);
        }
    }
    if (!profile.controlProgram.empty()) {
        if (auto refused = testStaged(profile, amendment, *mainNow)) {
            return *refused;
        }
    }
    // What was done so far, so a later failure can put it back.
    std::vector<const Amendment::Write*> written;
    std::vector<std::string> links;
    bool mainInstalled = false;
    const auto putBack = [&] {
        bool all = true;
        // The enabling links first, so no link is left naming a file that goes.
        std::vector<std::string> linkedLeft;
        for (const auto& link : links) {
            if (!platform::removeFile(link)) {
                linkedLeft.push_back(link);
                all = false;
            }
        }
        for (auto it = written.rbegin(); it != written.rend(); ++it) {
            const auto* write = *it;
            const std::string name = write->path.substr(write->path.rfind('/') + 1);
            const bool stillLinked =
                std::any_of(linkedLeft.begin(), linkedLeft.end(),
                            [&](const std::string& link) { return link.ends_with("/" + name); });
            // A file this change made goes again; while a link still names it, it stays, empty.
            const bool restored = write->previous ? putInPlace(write->path, *write->previous).copied
                                  : stillLinked   ? putInPlace(write->path, "").copied
                                                  : static_cast<bool>(platform::removeFile(write->path));
            all = restored && all;
        }
        if (mainInstalled) {
            all = putInPlace(profile.mainConfig, *mainNow).copied && all;
        }
        return all;
    };
    for (const auto& write : amendment.writes) {
        if (write.previous == write.text) {
            continue;
        }
        const auto outcome = putInPlace(write.path, write.text);
        if (!outcome.copied) {
            const bool restored = putBack();
            return amendmentFailed(write.path, outcome.error, outcome.unchanged && restored, "");
        }
        written.push_back(&write);
    }
    for (const auto& step : planned.steps) {
        const std::string& name = step.helperArguments.back();
        const std::string link = platform::joinPath(profile.serverRoot, "conf-enabled/" + name + ".conf");
        const bool linkedBefore = isLink(link) || platform::fileExists(link);
        const auto run = PrivilegedCopy::runAction(step.helperArguments, step.command);
        if (!linkedBefore && isLink(link)) {
            links.push_back(link);
        }
        if (!run.started || run.exitStatus != 0) {
            const bool restored = putBack();
            return amendmentFailed(name + ".conf", "enabling it with " + amendment.enableProgram + " failed",
                                   restored, spoken(run));
        }
    }
    std::string backup;
    if (amendment.mainText) {
        const auto result = ServerControl::installMainConfiguration(profile, *amendment.mainText);
        if (!result.installed) {
            const bool restored = putBack() && links.empty();
            return amendmentFailed(profile.mainConfig,
                                   result.error + (result.unchanged || result.backup.empty()
                                                       ? ""
                                                       : "; compare it with its backup " + result.backup),
                                   result.unchanged && restored, result.testMessage,
                                   !result.testMessage.empty());
        }
        mainInstalled = true;
        backup = result.backup;
    }
    // The files in their real places may read differently from the staged test (the order of includes).
    if (!profile.controlProgram.empty()) {
        const auto test = ServerControl::testConfiguration(profile, profile.mainConfig);
        if (!test.passed) {
            const bool restored = putBack();
            return amendmentFailed(
                written.empty() ? profile.mainConfig : written.front()->path,
                "the web server's own configuration test refused the change once it was "
                "in place" +
                    std::string(restored ? ", so Keepgate put back what it had changed"
                                         : ", and Keepgate could not put back everything") +
                    (backup.empty() ? "" : "; the previous main configuration is kept as " + backup),
                restored, test.message, true);
        }
    }
    Outcome done;
    done.changes = std::move(planned.changes);
    done.steps = std::move(planned.steps);
    done.message = amendment.description(profile.mainConfig, true) +
                   (backup.empty() ? "" : "\n\nThe previous configuration was kept as " + backup + ".");
    return done;
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

} // namespace keepgate::operations

#include "operations/LiveTest.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "formats/ReadHtaccess.h"
#include "formats/TextLines.h"
#include "platform/FileSystem.h"
#include "services/ApacheConfig.h"
#include "services/ServerCheck.h"

namespace keepgate::operations {

namespace {

constexpr std::size_t kLogTail = 256 * 1024;

using text::sameWord;

void wipe(std::string& secret) {
    volatile char* bytes = secret.data();
    for (std::size_t i = 0; i < secret.size(); ++i) {
        bytes[i] = 0;
    }
    secret.clear();
}

struct ServerText {
    bool readable = false;
    std::string mainConfig;
    std::string serverRoot;
    ApacheConfigText config;
};

ServerText readServerText(const ServerProfile& profile) {
    ServerText text;
    text.mainConfig = profile.mainConfig;
    text.serverRoot = profile.serverRoot;
    text.readable = !profile.mainConfig.empty() && platform::readFile(profile.mainConfig).has_value();
    if (text.readable) {
        text.config = ApacheConfig::read(profile.mainConfig, profile.serverRoot, profile.environment);
    }
    return text;
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const auto& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

// The newest error-log line about the request: the one naming this side's port as the client, else the
// newest that names the directory.
std::optional<std::string> errorLogLine(const std::string& logPath, int localPort,
                                        const std::string& directory, bool* readable) {
    std::ifstream in(logPath, std::ios::binary);
    *readable = static_cast<bool>(in);
    if (!in) {
        return std::nullopt;
    }
    in.seekg(0, std::ios::end);
    const auto size = static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0));
    in.seekg(static_cast<std::streamoff>(size > kLogTail ? size - kLogTail : 0));
    std::string tail((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines = text::split(tail, '\n');
    for (auto& line : lines) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
    }
    const std::string client = ":" + std::to_string(localPort) + "]";
    for (auto it = lines.rbegin(); localPort > 0 && it != lines.rend(); ++it) {
        if (it->find("[client ") != std::string::npos && it->find(client) != std::string::npos) {
            return *it;
        }
    }
    for (auto it = lines.rbegin(); !directory.empty() && it != lines.rend(); ++it) {
        if (it->find(directory) != std::string::npos) {
            return *it;
        }
    }
    return std::nullopt;
}

// Why a folder the server serves to everyone is open, as far as the configuration tells.
std::string notProtectedCause(const LiveTestPlan& plan, const ServerText& server) {
    if (plan.directory.empty()) {
        return "";
    }
    if (!plan.blockSaved) {
        return "No protection is saved for this folder.";
    }
    if (!server.readable) {
        return "The server's configuration " + server.mainConfig + " cannot be read to find out why.";
    }
    if (plan.accessFileMode) {
        std::vector<std::string> names;
        for (const auto& directive : server.config.directives) {
            if (sameWord(directive.name, "AccessFileName")) {
                names = directive.arguments;
            }
        }
        if (!names.empty() && std::find(names.begin(), names.end(), plan.accessFilename) == names.end()) {
            return "The server reads access files named " + joined(names) + ", not " + plan.accessFilename +
                   ".";
        }
        const OverrideResolution override = ServerCheck::allowOverrideFor(server.config, plan.directory);
        if (!override.allows("AuthConfig")) {
            const std::string where =
                override.file.empty()
                    ? "no AllowOverride lets it take effect, and the server's default is None"
                    : "AllowOverride " + joined(override.allowOverride) + " is in force for this folder (" +
                          override.file + " line " + std::to_string(override.line) + ")";
            return "The server ignores " + plan.accessFilename + " here: " + where + ".";
        }
    } else if (!ServerCheck::includes(server.config, server.serverRoot, plan.sharedConfig)) {
        return "The main configuration " + server.mainConfig + " does not include " + plan.sharedConfig + ".";
    }
    return "The server has probably not been reloaded since the protection was saved.";
}

std::string failureExcerpt(const LiveTestPlan& plan, const ServerText& server, int localPort) {
    const auto log = ServerAddress::errorLog(server.config.directives, server.serverRoot);
    if (!server.readable || !log) {
        return "";
    }
    bool readable = false;
    const auto line = errorLogLine(*log, localPort, plan.directory, &readable);
    if (!readable) {
        return " (The error log " + *log + " cannot be read.)";
    }
    return line ? " The error log says: " + *line : "";
}

// A 403 that comes from a folder without an index page, rather than from a host rule.
std::optional<std::string> listingRefused(const LiveTestPlan& plan, const ServerText& server, int localPort) {
    const auto log = ServerAddress::errorLog(server.config.directives, server.serverRoot);
    bool readable = false;
    const auto line = log ? errorLogLine(*log, localPort, plan.directory, &readable) : std::nullopt;
    if (line && (line->find("AH01276") != std::string::npos ||
                 line->find("Cannot serve directory") != std::string::npos)) {
        return "Not protected: the server serves this folder to everyone. It shows no listing of it, but "
               "serves the files in it.";
    }
    return std::nullopt;
}

} // namespace

const char* verdictWord(Verdict verdict) {
    switch (verdict) {
    case Verdict::Protected:
        return "Protected";
    case Verdict::NotProtected:
        return "Not protected";
    case Verdict::Failing:
        return "Failing";
    case Verdict::Unreachable:
        return "Unreachable";
    case Verdict::NotTested:
        break;
    }
    return "Not tested";
}

std::string LiveTest::connectTo(const std::string& url, const PublishedAddress& published) {
    if (published.connectTo.empty()) {
        return "";
    }
    // Also when the user typed the published host and port again, the named host is reached through
    // this computer's listener.
    const auto typed = ProtectionProbe::parse(url);
    const auto site = ProtectionProbe::parse(published.url);
    return typed && site && typed->host == site->host && typed->port == site->port &&
                   typed->https == site->https
               ? published.connectTo
               : "";
}

bool LiveTest::blockSaved(const std::string& directory, bool accessFileMode,
                          const std::string& accessFilename, const std::string& sharedConfig) {
    return accessFileMode ? platform::fileExists(platform::joinPath(directory, accessFilename))
                          : !ReadHtaccess::configFile(sharedConfig, directory).values().empty();
}

LiveTestResult LiveTest::run(LiveTestPlan plan, const std::shared_ptr<std::atomic<bool>>& cancelled) {
    ProtectionProbe probe;
    probe.timeoutMilliseconds = plan.timeoutMilliseconds;
    probe.cancelled = cancelled ? cancelled : std::make_shared<std::atomic<bool>>(false);
    probe.connectTo = plan.connectTo;
    const std::string& url = plan.url;
    LiveTestResult result;
    result.plain = probe.request(url);
    const ProbeAnswer& plain = result.plain;
    std::optional<ServerText> server;
    const auto serverText = [&]() -> const ServerText& {
        if (!server) {
            server = readServerText(plan.profile);
        }
        return *server;
    };
    std::string& sentence = result.sentence;
    if (plain.outcome != ProbeAnswer::Outcome::Answered) {
        sentence = statusSentence(plain, url);
        const bool asked = plain.outcome == ProbeAnswer::Outcome::NoAnswer ||
                           plain.outcome == ProbeAnswer::Outcome::Cancelled;
        result.verdict = asked ? Verdict::Unreachable : Verdict::NotTested;
    } else if (plain.status == 401) {
        sentence = "Protected: the server asks for a password (realm \"" + plain.realm + "\").";
        result.verdict = Verdict::Protected;
    } else if (plain.status >= 200 && plain.status < 400) {
        const std::string cause = notProtectedCause(plan, serverText());
        sentence =
            "Not protected: the server serves this folder to everyone." + (cause.empty() ? "" : " " + cause);
        result.verdict = Verdict::NotProtected;
    } else if (plain.status == 403) {
        const auto listing = listingRefused(plan, serverText(), plain.localPort);
        sentence = listing.value_or("Closed by a host rule for this computer.");
        result.verdict = listing ? Verdict::NotProtected : Verdict::Protected;
    } else if (plain.status == 500) {
        sentence = "The server fails on this folder." + failureExcerpt(plan, serverText(), plain.localPort);
        result.verdict = Verdict::Failing;
    } else {
        sentence = statusSentence(plain, url);
        result.verdict = Verdict::Unreachable;
    }
    if (plain.tls && !plain.certificateProblem.empty()) {
        const std::string note = "The server's certificate would not be trusted by a browser (" +
                                 plain.certificateProblem +
                                 "); Keepgate accepted it for this test on this computer only.";
        sentence += " " + note;
        result.notes += note + "\n";
    }
    const std::string& username = plan.username;
    if (!username.empty() && plain.outcome == ProbeAnswer::Outcome::Answered && !probe.cancelled->load()) {
        result.withUser = probe.request(url, username, plan.password);
        const ProbeAnswer& withCredentials = *result.withUser;
        if (withCredentials.outcome != ProbeAnswer::Outcome::Answered) {
            sentence += " With " + username + "'s password: " + statusSentence(withCredentials, url);
        } else if (withCredentials.status >= 200 && withCredentials.status < 400) {
            result.userLetIn = true;
            sentence += " " + username + " is let in.";
            if (!withCredentials.tls) {
                result.notes +=
                    "Warning: passwords travel in clear text to " + url +
                    ", which is plain HTTP; anyone on the network path can read them. Publish the "
                    "folder over HTTPS.\n";
            }
        } else if (withCredentials.status == 401) {
            sentence +=
                " " + username + " is refused (wrong password, or not among the marked users and groups).";
        } else if (withCredentials.status == 403) {
            sentence += " With " + username + "'s password: Closed by a host rule for this computer.";
        } else if (withCredentials.status == 500) {
            sentence += " With " + username + "'s password: The server fails on this folder." +
                        failureExcerpt(plan, serverText(), withCredentials.localPort);
        } else {
            sentence += " With " + username + "'s password: " + statusSentence(withCredentials, url);
        }
    }
    wipe(plan.password);
    return result;
}

} // namespace keepgate::operations

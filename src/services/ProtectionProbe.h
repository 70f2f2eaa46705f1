#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>

namespace keepgate {

// What one request for a directory's address brought back.
struct ProbeAnswer {
    enum class Outcome {
        Answered,   // `status` holds the server's answer
        NoAnswer,   // refused, timed out, closed without an answer, or not HTTP at all
        NotLocal,   // the address names another computer; nothing was sent
        BadAddress, // not an http:// address
        Cancelled,  // the caller gave up before an answer came
    };
    Outcome outcome = Outcome::NoAnswer;
    int status = 0;
    std::string realm;    // the realm of a Basic WWW-Authenticate header, when there is one
    std::string location; // the Location header of a redirect
    int localPort = 0;    // this side's port, as the server's error log names the client
    std::string detail;   // why there was no answer, for the log
};

// The parts of an http:// address.
struct HttpAddress {
    std::string host; // as written, IPv6 in brackets
    int port = 80;
    std::string path; // from the first slash, "/" when none is written
};

// A small HTTP client that asks this computer's web server about one address: HEAD first, GET when the
// server will not answer HEAD; redirects are reported, never followed. It talks only to addresses of this
// computer, and builds Basic credentials in memory only: they are never logged, written or passed on.
class ProtectionProbe {
  public:
    // The whole exchange, fallback included, ends after this long.
    int timeoutMilliseconds = 5000;
    // Set from another thread to abandon the request; checked several times a second.
    std::shared_ptr<std::atomic<bool>> cancelled;

    ProbeAnswer request(const std::string& url, const std::string& username = "",
                        const std::string& password = "") const;

    static std::optional<HttpAddress> parse(const std::string& url);
    // Loopback names and addresses, and the addresses of this computer's own interfaces. Names other than
    // "localhost" are not looked up, so a request never leaves the computer.
    static bool isLocalHost(const std::string& host);
};

} // namespace keepgate

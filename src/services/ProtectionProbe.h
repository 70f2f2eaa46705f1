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
    bool tls = false;     // the exchange went over TLS
    // Why the server's certificate would not be trusted by a browser (self-signed, expired, another
    // name); empty when it is trusted or there was no TLS. The test goes on regardless: it only asks
    // this computer's own server.
    std::string certificateProblem;
};

// One sentence on what the request to `url` got, for the status line, the log and the command line.
std::string statusSentence(const ProbeAnswer& answer, const std::string& url);

// The parts of an http:// or https:// address.
struct HttpAddress {
    std::string host; // as written, IPv6 in brackets
    int port = 80;    // 443 for https:// when none is written
    std::string path; // from the first slash, "/" when none is written
    bool https = false;
};

// A small HTTP client that asks this computer's web server about one address: HEAD first, GET when the
// server will not answer HEAD; redirects are reported, never followed. It talks only to addresses of this
// computer, and builds Basic credentials in memory only: they are never logged, written or passed on.
// https:// addresses are asked over TLS (OpenSSL), naming the host for SNI.
class ProtectionProbe {
  public:
    // The whole exchange, fallback included, ends after this long.
    int timeoutMilliseconds = 5000;
    // Set from another thread to abandon the request; checked several times a second.
    std::shared_ptr<std::atomic<bool>> cancelled;
    // "127.0.0.1:8080": connect here instead of the address's own host, which then only names the site
    // (Host header, SNI), as for a name-based virtual host. It must be an address of this computer.
    std::string connectTo;

    ProbeAnswer request(const std::string& url, const std::string& username = "",
                        const std::string& password = "") const;

    static std::optional<HttpAddress> parse(const std::string& url);
    // Loopback names and addresses, and the addresses of this computer's own interfaces. Names other than
    // "localhost" are not looked up, so a request never leaves the computer.
    static bool isLocalHost(const std::string& host);
};

} // namespace keepgate

#include "services/ProtectionProbe.h"

#include "platform/Messages.h"

#include "formats/TextLines.h"
#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace keepgate {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kHeadLimit = 64 * 1024;
constexpr int kSliceMilliseconds = 100;

// Overwrites secret bytes before their memory goes back to the allocator.
void wipe(std::string& secret) {
    volatile char* bytes = secret.data();
    for (std::size_t i = 0; i < secret.size(); ++i) {
        bytes[i] = 0;
    }
    secret.clear();
}

std::string base64(const std::string& bytes) {
    static const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string encoded;
    encoded.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const auto byteAt = [&](std::size_t k) {
            return k < bytes.size() ? static_cast<unsigned>(static_cast<unsigned char>(bytes[k])) : 0u;
        };
        const unsigned chunk = byteAt(i) << 16 | byteAt(i + 1) << 8 | byteAt(i + 2);
        encoded += alphabet[chunk >> 18 & 63];
        encoded += alphabet[chunk >> 12 & 63];
        encoded += i + 1 < bytes.size() ? alphabet[chunk >> 6 & 63] : '=';
        encoded += i + 2 < bytes.size() ? alphabet[chunk & 63] : '=';
    }
    return encoded;
}

std::string lower(const std::string& text) {
    return text::lowerAscii(text);
}

class Socket {
  public:
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

struct Target {
    sockaddr_storage address{};
    socklen_t length = 0;
};

std::optional<Target> literalAddress(const std::string& host, int port) {
    if (host.empty()) {
        return std::nullopt;
    }
    Target target;
    const std::string bare = host.size() >= 2 && host.front() == '[' && host.back() == ']'
                                 ? host.substr(1, host.size() - 2)
                                 : host;
    if (lower(host) == "localhost") {
        return literalAddress("127.0.0.1", port);
    }
    auto* v4 = reinterpret_cast<sockaddr_in*>(&target.address);
    if (host.front() != '[' && inet_pton(AF_INET, bare.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(static_cast<uint16_t>(port));
        target.length = sizeof(sockaddr_in);
        return target;
    }
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&target.address);
    if (host.front() == '[' && inet_pton(AF_INET6, bare.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(static_cast<uint16_t>(port));
        target.length = sizeof(sockaddr_in6);
        return target;
    }
    return std::nullopt;
}

bool isLoopback(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        const uint32_t ip = ntohl(v4.sin_addr.s_addr);
        return (ip >> 24) == 127 || ip == 0;
    }
    const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address).sin6_addr;
    if (IN6_IS_ADDR_LOOPBACK(&v6) || IN6_IS_ADDR_UNSPECIFIED(&v6)) {
        return true;
    }
    return IN6_IS_ADDR_V4MAPPED(&v6) && v6.s6_addr[12] == 127;
}

bool isOwnInterface(const sockaddr_storage& address) {
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0) {
        return false;
    }
    bool found = false;
    for (const ifaddrs* it = interfaces; it && !found; it = it->ifa_next) {
        if (!it->ifa_addr || it->ifa_addr->sa_family != address.ss_family) {
            continue;
        }
        if (address.ss_family == AF_INET) {
            found = reinterpret_cast<const sockaddr_in*>(it->ifa_addr)->sin_addr.s_addr ==
                    reinterpret_cast<const sockaddr_in&>(address).sin_addr.s_addr;
        } else {
            found =
                std::memcmp(&reinterpret_cast<const sockaddr_in6*>(it->ifa_addr)->sin6_addr,
                            &reinterpret_cast<const sockaddr_in6&>(address).sin6_addr, sizeof(in6_addr)) == 0;
        }
    }
    freeifaddrs(interfaces);
    return found;
}

// The value of `name`="…" (or a bare token) in a header value, unescaping \x pairs.
std::string parameter(const std::string& value, const std::string& name) {
    const std::string lowered = lower(value);
    std::size_t at = 0;
    while ((at = lowered.find(name + "=", at)) != std::string::npos) {
        if (at > 0 && (std::isalnum(static_cast<unsigned char>(lowered[at - 1])) || lowered[at - 1] == '_')) {
            at += name.size();
            continue;
        }
        std::size_t i = at + name.size() + 1;
        std::string result;
        if (i < value.size() && value[i] == '"') {
            for (++i; i < value.size() && value[i] != '"'; ++i) {
                if (value[i] == '\\' && i + 1 < value.size()) {
                    ++i;
                }
                result += value[i];
            }
        } else {
            while (i < value.size() && value[i] != ',' && value[i] != ' ') {
                result += value[i++];
            }
        }
        return result;
    }
    return {};
}

enum class Exchange { Answered, Empty, Garbage, TimedOut, Refused, Failed, Cancelled };

struct Reply {
    Exchange kind = Exchange::Failed;
    ProbeAnswer answer;
};

// Waits for `events` on the socket in short slices, so that a cancel or the deadline ends the wait soon;
// Answered means the socket is ready.
Exchange waitFor(int fd, short events, const ProtectionProbe& probe, Clock::time_point deadline) {
    for (;;) {
        if (probe.cancelled && probe.cancelled->load()) {
            return Exchange::Cancelled;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return Exchange::TimedOut;
        }
        pollfd ready{fd, events, 0};
        const int polled = poll(&ready, 1, static_cast<int>(std::min<long long>(left, kSliceMilliseconds)));
        if (polled > 0) {
            return Exchange::Answered;
        }
        if (polled < 0 && errno != EINTR) {
            return Exchange::Failed;
        }
    }
}

// One connection, plain or TLS; reads and writes wait in slices, so a cancel or the deadline ends them.
class Channel {
  public:
    Channel(int fd, const ProtectionProbe& probe, Clock::time_point deadline)
        : fd_(fd), probe_(probe), deadline_(deadline) {}
    ~Channel() {
        if (ssl_) {
            SSL_free(ssl_);
        }
        if (context_) {
            SSL_CTX_free(context_);
        }
    }
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;

    // The TLS handshake, naming `host` for SNI; the certificate is judged, never required, since only
    // this computer's own server is asked.
    Exchange startTls(const std::string& host, ProbeAnswer& answer) {
        context_ = SSL_CTX_new(TLS_client_method());
        if (!context_) {
            answer.detail = "TLS is not available";
            return Exchange::Failed;
        }
        SSL_CTX_set_default_verify_paths(context_);
        SSL_CTX_set_verify(context_, SSL_VERIFY_NONE, nullptr);
        ssl_ = SSL_new(context_);
        if (!ssl_ || SSL_set_fd(ssl_, fd_) != 1) {
            answer.detail = "TLS is not available";
            return Exchange::Failed;
        }
        const std::string bare =
            host.size() >= 2 && host.front() == '[' ? host.substr(1, host.size() - 2) : host;
        in6_addr literal{};
        const bool isLiteral = inet_pton(AF_INET, bare.c_str(), &literal) == 1 ||
                               inet_pton(AF_INET6, bare.c_str(), &literal) == 1;
        if (!isLiteral) {
            SSL_set_tlsext_host_name(ssl_, bare.c_str());
            SSL_set1_host(ssl_, bare.c_str());
        } else {
            X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(ssl_), bare.c_str());
        }
        for (;;) {
            ERR_clear_error();
            const int result = SSL_connect(ssl_);
            if (result == 1) {
                break;
            }
            const int error = SSL_get_error(ssl_, result);
            if (error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE) {
                answer.detail = "the TLS handshake failed";
                return Exchange::Garbage;
            }
            if (const Exchange waited = wait(error == SSL_ERROR_WANT_READ ? POLLIN : POLLOUT);
                waited != Exchange::Answered) {
                return waited;
            }
        }
        answer.tls = true;
        if (const long verdict = SSL_get_verify_result(ssl_); verdict != X509_V_OK) {
            answer.certificateProblem = X509_verify_cert_error_string(verdict);
        }
        return Exchange::Answered;
    }

    // Answered once all was sent; Empty when the other side closed.
    Exchange send(const std::string& bytes) {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            if (ssl_) {
                ERR_clear_error();
                const int n = SSL_write(ssl_, bytes.data() + sent, static_cast<int>(bytes.size() - sent));
                if (n > 0) {
                    sent += static_cast<std::size_t>(n);
                    continue;
                }
                const int error = SSL_get_error(ssl_, n);
                if (error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE) {
                    return Exchange::Empty;
                }
                if (const Exchange waited = wait(error == SSL_ERROR_WANT_READ ? POLLIN : POLLOUT);
                    waited != Exchange::Answered) {
                    return waited;
                }
                continue;
            }
            if (const Exchange waited = wait(POLLOUT); waited != Exchange::Answered) {
                return waited;
            }
            const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
                continue;
            }
            if (n <= 0) {
                return Exchange::Empty;
            }
            sent += static_cast<std::size_t>(n);
        }
        return Exchange::Answered;
    }

    // Appends what arrives to `into`; Empty when the other side closed.
    Exchange receive(std::string& into) {
        char buffer[4096];
        for (;;) {
            if (ssl_) {
                ERR_clear_error();
                const int n = SSL_read(ssl_, buffer, sizeof buffer);
                if (n > 0) {
                    into.append(buffer, static_cast<std::size_t>(n));
                    return Exchange::Answered;
                }
                const int error = SSL_get_error(ssl_, n);
                if (error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE) {
                    return Exchange::Empty;
                }
                if (const Exchange waited = wait(error == SSL_ERROR_WANT_READ ? POLLIN : POLLOUT);
                    waited != Exchange::Answered) {
                    return waited;
                }
                continue;
            }
            if (const Exchange waited = wait(POLLIN); waited != Exchange::Answered) {
                return waited;
            }
            const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
                continue;
            }
            if (n <= 0) {
                return Exchange::Empty;
            }
            into.append(buffer, static_cast<std::size_t>(n));
            return Exchange::Answered;
        }
    }

  private:
    Exchange wait(short events) { return waitFor(fd_, events, probe_, deadline_); }

    int fd_;
    const ProtectionProbe& probe_;
    Clock::time_point deadline_;
    SSL_CTX* context_ = nullptr;
    SSL* ssl_ = nullptr;
};

// Reads the answer's status line and headers; the body is never needed.
Reply readHead(Channel& channel) {
    Reply reply;
    std::string head;
    for (;;) {
        const auto end = head.find("\r\n\r\n");
        if (end != std::string::npos || head.find("\n\n") != std::string::npos || head.size() > kHeadLimit) {
            break;
        }
        const Exchange received = channel.receive(head);
        if (received == Exchange::Empty) {
            break; // the server closed; judge what came
        }
        if (received != Exchange::Answered) {
            reply.kind = received;
            return reply;
        }
    }
    if (head.empty()) {
        reply.kind = Exchange::Empty;
        return reply;
    }
    // "HTTP/1.1 401 Unauthorized": a version, a blank, three digits and a blank or the line's end.
    const auto lineEnd = head.find('\n');
    const std::string statusLine = head.substr(0, lineEnd);
    if (statusLine.size() < 12 || statusLine.compare(0, 5, "HTTP/") != 0 || statusLine[8] != ' ' ||
        !std::all_of(statusLine.begin() + 9, statusLine.begin() + 12, ::isdigit) ||
        (statusLine.size() > 12 && statusLine[12] != ' ' && statusLine[12] != '\r') ||
        (head.size() > kHeadLimit && head.find("\n\n") == std::string::npos &&
         head.find("\r\n\r\n") == std::string::npos)) {
        reply.kind = Exchange::Garbage;
        return reply;
    }
    reply.kind = Exchange::Answered;
    reply.answer.outcome = ProbeAnswer::Outcome::Answered;
    reply.answer.status = std::stoi(statusLine.substr(9, 3));
    std::size_t start = lineEnd == std::string::npos ? head.size() : lineEnd + 1;
    while (start < head.size()) {
        auto end = head.find('\n', start);
        if (end == std::string::npos) {
            end = head.size();
        }
        std::string line = head.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            break;
        }
        const auto colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        const std::string name = lower(line.substr(0, colon));
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(" \t"));
        if (name == "www-authenticate" && lower(value).rfind("basic", 0) == 0 && reply.answer.realm.empty()) {
            reply.answer.realm = parameter(value, "realm");
        } else if (name == "location") {
            reply.answer.location = value;
        }
    }
    return reply;
}

Reply exchange(const Target& target, const HttpAddress& address, const std::string& request,
               const ProtectionProbe& probe, Clock::time_point deadline) {
    Reply reply;
    Socket socket(::socket(target.address.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (socket.fd() < 0) {
        reply.answer.detail = std::strerror(errno);
        return reply;
    }
    if (connect(socket.fd(), reinterpret_cast<const sockaddr*>(&target.address), target.length) != 0) {
        if (errno != EINPROGRESS) {
            reply.kind = errno == ECONNREFUSED ? Exchange::Refused : Exchange::Failed;
            reply.answer.detail = std::strerror(errno);
            return reply;
        }
        if (const Exchange waited = waitFor(socket.fd(), POLLOUT, probe, deadline);
            waited != Exchange::Answered) {
            reply.kind = waited;
            return reply;
        }
        int error = 0;
        socklen_t length = sizeof error;
        getsockopt(socket.fd(), SOL_SOCKET, SO_ERROR, &error, &length);
        if (error != 0) {
            reply.kind = error == ECONNREFUSED ? Exchange::Refused : Exchange::Failed;
            reply.answer.detail = std::strerror(error);
            return reply;
        }
    }
    sockaddr_storage local{};
    socklen_t localLength = sizeof local;
    int localPort = 0;
    if (getsockname(socket.fd(), reinterpret_cast<sockaddr*>(&local), &localLength) == 0) {
        localPort = ntohs(local.ss_family == AF_INET ? reinterpret_cast<sockaddr_in&>(local).sin_port
                                                     : reinterpret_cast<sockaddr_in6&>(local).sin6_port);
    }
    Channel channel(socket.fd(), probe, deadline);
    ProbeAnswer tls;
    if (address.https) {
        if (const Exchange started = channel.startTls(address.host, tls); started != Exchange::Answered) {
            reply.kind = started;
            reply.answer.detail = tls.detail;
            return reply;
        }
    }
    if (const Exchange sent = channel.send(request); sent != Exchange::Answered) {
        reply.kind = sent;
        return reply;
    }
    reply = readHead(channel);
    reply.answer.localPort = localPort;
    reply.answer.tls = tls.tls;
    reply.answer.certificateProblem = tls.certificateProblem;
    return reply;
}

} // namespace

std::optional<HttpAddress> ProtectionProbe::parse(const std::string& url) {
    HttpAddress address;
    address.https = lower(url.substr(0, 8)) == "https://";
    const std::string scheme = address.https ? "https://" : "http://";
    if (lower(url.substr(0, scheme.size())) != scheme) {
        return std::nullopt;
    }
    address.port = address.https ? 443 : 80;
    const std::string rest = url.substr(scheme.size());
    const auto slash = rest.find('/');
    const std::string authority = rest.substr(0, slash);
    address.path = slash == std::string::npos ? "/" : rest.substr(slash);
    if (authority.empty() || authority.find('@') != std::string::npos ||
        address.path.find_first_of(" \t\r\n#") != std::string::npos) {
        return std::nullopt;
    }
    std::string port;
    if (authority.front() == '[') {
        const auto close = authority.find(']');
        if (close == std::string::npos) {
            return std::nullopt;
        }
        address.host = authority.substr(0, close + 1);
        if (close + 1 < authority.size()) {
            if (authority[close + 1] != ':') {
                return std::nullopt;
            }
            port = authority.substr(close + 2);
        }
    } else {
        const auto colon = authority.find(':');
        address.host = authority.substr(0, colon);
        if (colon != std::string::npos) {
            port = authority.substr(colon + 1);
        }
    }
    if (!port.empty()) {
        if (port.size() > 5 || !std::all_of(port.begin(), port.end(), ::isdigit)) {
            return std::nullopt;
        }
        address.port = std::stoi(port);
        if (address.port < 1 || address.port > 65535) {
            return std::nullopt;
        }
    }
    if (address.host.empty()) {
        return std::nullopt;
    }
    return address;
}

bool ProtectionProbe::isLocalHost(const std::string& host) {
    const auto target = literalAddress(host, 80);
    return target && (isLoopback(target->address) || isOwnInterface(target->address));
}

ProbeAnswer ProtectionProbe::request(const std::string& url, const std::string& username,
                                     const std::string& password) const {
    ProbeAnswer answer;
    const auto address = parse(url);
    if (!address) {
        answer.outcome = ProbeAnswer::Outcome::BadAddress;
        answer.detail = "not an http:// or https:// address";
        return answer;
    }
    std::string connectHost = address->host;
    int connectPort = address->port;
    if (!connectTo.empty()) {
        const auto through = parse("http://" + connectTo + "/");
        if (!through) {
            answer.outcome = ProbeAnswer::Outcome::BadAddress;
            answer.detail = connectTo + " is not a host and port";
            return answer;
        }
        connectHost = through->host;
        connectPort = through->port;
    }
    const auto target = literalAddress(connectHost, connectPort);
    if (!target || !(isLoopback(target->address) || isOwnInterface(target->address))) {
        answer.outcome = ProbeAnswer::Outcome::NotLocal;
        answer.detail = connectHost + " is not an address of this computer";
        return answer;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    std::string authorization;
    if (!username.empty()) {
        std::string pair = username + ":" + password;
        authorization = "Authorization: Basic " + base64(pair) + "\r\n";
        wipe(pair);
    }
    const std::string hostHeader =
        address->host +
        (address->port == (address->https ? 443 : 80) ? "" : ":" + std::to_string(address->port));
    Reply reply;
    for (const char* method : {"HEAD", "GET"}) {
        std::string request = std::string(method) + " " + address->path + " HTTP/1.1\r\nHost: " + hostHeader +
                              "\r\nUser-Agent: Keepgate\r\nAccept: */*\r\n" + authorization +
                              "Connection: close\r\n\r\n";
        reply = exchange(*target, *address, request, *this, deadline);
        wipe(request);
        // Some servers refuse HEAD, or drop it without a word; GET asks the same question.
        const bool refusesHead =
            reply.kind == Exchange::Answered && (reply.answer.status == 405 || reply.answer.status == 501);
        if (!(refusesHead || reply.kind == Exchange::Empty || reply.kind == Exchange::Garbage)) {
            break;
        }
    }
    wipe(authorization);
    switch (reply.kind) {
    case Exchange::Answered:
        return reply.answer;
    case Exchange::Cancelled:
        answer.outcome = ProbeAnswer::Outcome::Cancelled;
        return answer;
    case Exchange::Empty:
        answer.detail = "the server closed the connection without an answer";
        break;
    case Exchange::Garbage:
        answer.detail = "the server's answer is not HTTP";
        break;
    case Exchange::TimedOut:
        answer.detail =
            "no answer within " + std::to_string(timeoutMilliseconds / 1000.0).substr(0, 3) + " s";
        break;
    case Exchange::Refused:
        answer.detail = "connection refused";
        break;
    case Exchange::Failed:
        answer.detail = reply.answer.detail.empty() ? "the connection failed" : reply.answer.detail;
        break;
    }
    answer.outcome = ProbeAnswer::Outcome::NoAnswer;
    answer.localPort = reply.answer.localPort;
    return answer;
}

std::string statusSentence(const ProbeAnswer& answer, const std::string& url) {
    switch (answer.outcome) {
    case ProbeAnswer::Outcome::NotLocal:
        return text::fill(QT_TRANSLATE_NOOP("Messages",
                                            "The address %1 is not on this computer, so it was not "
                                            "requested."),
                          url);
    case ProbeAnswer::Outcome::BadAddress:
        return text::fill(QT_TRANSLATE_NOOP("Messages",
                                            "The address \"%1\" is not an http:// or https:// address "
                                            "of this computer, so it was not requested."),
                          url);
    case ProbeAnswer::Outcome::NoAnswer:
    case ProbeAnswer::Outcome::Cancelled:
        return text::fill(QT_TRANSLATE_NOOP("Messages", "The web server does not answer on %1."), url);
    case ProbeAnswer::Outcome::Answered:
        break;
    }
    return text::fill(QT_TRANSLATE_NOOP("Messages", "The server answers %1 for %2."), answer.status, url);
}

} // namespace keepgate

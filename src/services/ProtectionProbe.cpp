#include "services/ProtectionProbe.h"

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

// Reads the answer's status line and headers; the body is never needed.
Reply readHead(int fd, const ProtectionProbe& probe, Clock::time_point deadline) {
    Reply reply;
    std::string head;
    char buffer[4096];
    for (;;) {
        const auto end = head.find("\r\n\r\n");
        if (end != std::string::npos || head.find("\n\n") != std::string::npos || head.size() > kHeadLimit) {
            break;
        }
        if (const Exchange waited = waitFor(fd, POLLIN, probe, deadline); waited != Exchange::Answered) {
            reply.kind = waited;
            return reply;
        }
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        if (n <= 0) {
            break; // the server closed; judge what came
        }
        head.append(buffer, static_cast<std::size_t>(n));
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

Reply exchange(const Target& target, const std::string& request, const ProtectionProbe& probe,
               Clock::time_point deadline) {
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
    std::size_t sent = 0;
    while (sent < request.size()) {
        if (const Exchange waited = waitFor(socket.fd(), POLLOUT, probe, deadline);
            waited != Exchange::Answered) {
            reply.kind = waited;
            return reply;
        }
        const ssize_t n = send(socket.fd(), request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        if (n <= 0) {
            reply.kind = Exchange::Empty;
            return reply;
        }
        sent += static_cast<std::size_t>(n);
    }
    reply = readHead(socket.fd(), probe, deadline);
    reply.answer.localPort = localPort;
    return reply;
}

} // namespace

std::optional<HttpAddress> ProtectionProbe::parse(const std::string& url) {
    const std::string scheme = "http://";
    if (lower(url.substr(0, scheme.size())) != scheme) {
        return std::nullopt;
    }
    const std::string rest = url.substr(scheme.size());
    const auto slash = rest.find('/');
    const std::string authority = rest.substr(0, slash);
    HttpAddress address;
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
        answer.detail = "not an http:// address";
        return answer;
    }
    const auto target = literalAddress(address->host, address->port);
    if (!target || !(isLoopback(target->address) || isOwnInterface(target->address))) {
        answer.outcome = ProbeAnswer::Outcome::NotLocal;
        answer.detail = address->host + " is not an address of this computer";
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
        address->host + (address->port == 80 ? "" : ":" + std::to_string(address->port));
    Reply reply;
    for (const char* method : {"HEAD", "GET"}) {
        std::string request = std::string(method) + " " + address->path + " HTTP/1.1\r\nHost: " + hostHeader +
                              "\r\nUser-Agent: Keepgate\r\nAccept: */*\r\n" + authorization +
                              "Connection: close\r\n\r\n";
        reply = exchange(*target, request, *this, deadline);
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

} // namespace keepgate

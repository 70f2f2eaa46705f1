#include "support/HttpFetcher.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace keepgate::testing {

namespace {

using Clock = std::chrono::steady_clock;

struct Address {
    std::string host;
    std::string port = "80";
    std::string path = "/";
};

std::optional<Address> parseAddress(const std::string& url) {
    const std::string scheme = "http://";
    if (url.compare(0, scheme.size(), scheme) != 0) {
        return std::nullopt;
    }
    Address address;
    const std::string rest = url.substr(scheme.size());
    const auto slash = rest.find_first_of("/?#");
    std::string authority = rest.substr(0, slash);
    if (slash != std::string::npos) {
        address.path = rest.substr(slash);
        if (address.path[0] != '/') {
            address.path.insert(0, "/");
        }
        address.path = address.path.substr(0, address.path.find('#'));
    }
    if (const auto at = authority.rfind('@'); at != std::string::npos) {
        authority = authority.substr(at + 1);
    }
    std::string::size_type portColon;
    if (!authority.empty() && authority[0] == '[') {
        const auto close = authority.find(']');
        if (close == std::string::npos) {
            return std::nullopt;
        }
        address.host = authority.substr(1, close - 1);
        portColon = authority.find(':', close);
    } else {
        portColon = authority.find(':');
        address.host = authority.substr(0, portColon);
    }
    if (portColon != std::string::npos && portColon + 1 < authority.size()) {
        address.port = authority.substr(portColon + 1);
    }
    if (address.host.empty() || address.port.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return address;
}

int remainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

bool waitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = poll(&entry, 1, remainingMs(deadline));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        return ready > 0;
    }
}

int connectTo(const Address& address, Clock::time_point deadline) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(address.host.c_str(), address.port.c_str(), &hints, &found) != 0) {
        return -1;
    }
    int connected = -1;
    for (addrinfo* candidate = found; candidate && connected < 0; candidate = candidate->ai_next) {
        const int fd = socket(candidate->ai_family, candidate->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK,
                              candidate->ai_protocol);
        if (fd < 0) {
            continue;
        }
        if (connect(fd, candidate->ai_addr, candidate->ai_addrlen) == 0) {
            connected = fd;
            break;
        }
        int error = errno;
        if (error == EINPROGRESS && waitFor(fd, POLLOUT, deadline)) {
            socklen_t length = sizeof error;
            if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0) {
                connected = fd;
                break;
            }
        }
        close(fd);
    }
    freeaddrinfo(found);
    return connected;
}

bool sendAll(int fd, const std::string& data, Clock::time_point deadline) {
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!waitFor(fd, POLLOUT, deadline)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

std::optional<std::string> receiveAll(int fd, Clock::time_point deadline) {
    std::string data;
    char buffer[8192];
    for (;;) {
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            data.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
            return data;
        } else if (errno == EAGAIN || errno == EINTR) {
            if (!waitFor(fd, POLLIN, deadline)) {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
}

std::string lowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// The body of a complete 200 answer.
std::optional<std::string> bodyOf(const std::string& response) {
    const auto headEnd = response.find("\r\n\r\n");
    if (headEnd == std::string::npos || response.compare(0, 5, "HTTP/") != 0) {
        return std::nullopt;
    }
    const auto blank = response.find(' ');
    if (blank == std::string::npos || blank > headEnd || response.compare(blank + 1, 3, "200") != 0) {
        return std::nullopt;
    }
    std::string body = response.substr(headEnd + 4);
    const std::string head = lowerAscii(response.substr(0, headEnd));
    if (const auto field = head.find("\r\ncontent-length:"); field != std::string::npos) {
        const unsigned long long length = std::strtoull(head.c_str() + field + 17, nullptr, 10);
        if (body.size() < length) {
            return std::nullopt;
        }
        body.resize(length);
    }
    return body;
}

} // namespace

std::optional<std::string> HttpFetcher::fetch(const std::string& url) {
    const auto address = parseAddress(url);
    if (!address) {
        return std::nullopt;
    }
    const auto deadline = Clock::now() + timeout_;
    const int fd = connectTo(*address, deadline);
    if (fd < 0) {
        return std::nullopt;
    }
    const std::string hostHeader =
        address->host.find(':') == std::string::npos ? address->host : "[" + address->host + "]";
    const std::string request = "GET " + address->path + " HTTP/1.0\r\nHost: " + hostHeader +
                                (address->port == "80" ? "" : ":" + address->port) +
                                "\r\nConnection: close\r\n\r\n";
    std::optional<std::string> response;
    if (sendAll(fd, request, deadline)) {
        response = receiveAll(fd, deadline);
    }
    close(fd);
    return response ? bodyOf(*response) : std::nullopt;
}

} // namespace keepgate::testing

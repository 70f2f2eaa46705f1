#include "support/LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace keepgate::testing {

namespace {

const char* reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

void sendAll(int fd, const std::string& data) {
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;
        }
        sent += static_cast<std::size_t>(n);
    }
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer() {
    int wake[2];
    if (pipe(wake) != 0) {
        ADD_FAILURE() << "cannot make the server's wake-up pipe";
        return;
    }
    wakeRead_ = wake[0];
    wakeWrite_ = wake[1];
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0; // the system picks a free port
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 16) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ADD_FAILURE() << "cannot listen on 127.0.0.1";
        return;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { run(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    if (thread_.joinable()) {
        const char stop = 'x';
        (void)!write(wakeWrite_, &stop, 1);
        thread_.join();
    }
    for (const int fd : {listener_, wakeRead_, wakeWrite_}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

void LoopbackHttpServer::serve(const std::string& path, const std::string& body, int status) {
    const std::lock_guard lock(mutex_);
    routes_[path] = Route{status, body, false};
}

void LoopbackHttpServer::hangUp(const std::string& path) {
    const std::lock_guard lock(mutex_);
    routes_[path] = Route{0, "", true};
}

void LoopbackHttpServer::serveRaw(const std::string& path, const std::string& bytes,
                                  const std::string& method) {
    const std::lock_guard lock(mutex_);
    Route route;
    route.body = bytes;
    route.raw = true;
    routes_[method.empty() ? path : method + " " + path] = route;
}

void LoopbackHttpServer::stall(const std::string& path, const std::string& prefix) {
    const std::lock_guard lock(mutex_);
    Route route;
    route.body = prefix;
    route.stall = true;
    routes_[path] = route;
}

void LoopbackHttpServer::onRequest(std::function<void(const std::string& head, int clientPort)> observer) {
    const std::lock_guard lock(mutex_);
    observer_ = std::move(observer);
}

std::vector<std::string> LoopbackHttpServer::requests() const {
    const std::lock_guard lock(mutex_);
    return heads_;
}

std::string LoopbackHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LoopbackHttpServer::run() {
    for (;;) {
        pollfd fds[2] = {{listener_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (fds[1].revents) {
            return;
        }
        if (fds[0].revents & POLLIN) {
            const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection >= 0) {
                answer(connection);
                close(connection);
            }
        }
    }
}

void LoopbackHttpServer::answer(int connection) {
    // Read the request head; a client that stalls for two seconds is dropped.
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        pollfd fd{connection, POLLIN, 0};
        if (poll(&fd, 1, 2000) <= 0) {
            return;
        }
        const ssize_t n = recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0) {
            return;
        }
        request.append(buffer, static_cast<std::size_t>(n));
    }
    ++requests_;
    const auto firstBlank = request.find(' ');
    const auto secondBlank = request.find(' ', firstBlank + 1);
    const std::string path = firstBlank == std::string::npos || secondBlank == std::string::npos
                                 ? std::string()
                                 : request.substr(firstBlank + 1, secondBlank - firstBlank - 1);
    const std::string method = request.substr(0, firstBlank == std::string::npos ? 0 : firstBlank);
    Route route{404, "not found\n", false};
    std::function<void(const std::string&, int)> observer;
    {
        const std::lock_guard lock(mutex_);
        heads_.push_back(request);
        observer = observer_;
        if (const auto it = routes_.find(method + " " + path); it != routes_.end()) {
            route = it->second;
        } else if (const auto byPath = routes_.find(path); byPath != routes_.end()) {
            route = byPath->second;
        }
    }
    if (observer) {
        sockaddr_in peer{};
        socklen_t length = sizeof peer;
        getpeername(connection, reinterpret_cast<sockaddr*>(&peer), &length);
        observer(request, ntohs(peer.sin_port));
    }
    if (route.hangUp) {
        return;
    }
    if (route.raw || route.stall) {
        sendAll(connection, route.body);
    }
    if (route.stall) {
        // Hold the connection until the client gives up (its end becomes readable) or the server stops.
        pollfd fds[2] = {{connection, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        while (poll(fds, 2, -1) < 0 && errno == EINTR) {
        }
        return;
    }
    if (route.raw) {
        return;
    }
    sendAll(connection, "HTTP/1.0 " + std::to_string(route.status) + " " + reason(route.status) +
                            "\r\nContent-Type: text/xml\r\nContent-Length: " +
                            std::to_string(route.body.size()) + "\r\nConnection: close\r\n\r\n" + route.body);
}

} // namespace keepgate::testing

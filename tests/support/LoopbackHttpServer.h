#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace keepgate::testing {

// A tiny HTTP/1.0 server on 127.0.0.1 at a free port, answering on its own thread until destroyed.
// Paths without a route get 404.
class LoopbackHttpServer {
  public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // Answers GET `path` with this status and body.
    void serve(const std::string& path, const std::string& body, int status = 200);
    // Closes the connection of a GET `path` without answering.
    void hangUp(const std::string& path);
    // Answers requests for `path` with exactly these bytes; with a method, only requests of that method.
    void serveRaw(const std::string& path, const std::string& bytes, const std::string& method = "");
    // Sends `prefix` for `path`, then nothing more until the client hangs up or the server goes.
    void stall(const std::string& path, const std::string& prefix = "");
    // Runs on the server's thread with each request head and the client's port before it is answered,
    // while the client waits.
    void onRequest(std::function<void(const std::string& head, int clientPort)> observer);
    // The request heads read so far, in order.
    std::vector<std::string> requests() const;

    int port() const { return port_; }
    // "http://127.0.0.1:<port><path>"
    std::string url(const std::string& path) const;
    // How many requests have been read so far.
    int requestCount() const { return requests_; }

  private:
    struct Route {
        int status = 200;
        std::string body;
        bool hangUp = false;
        bool raw = false;
        bool stall = false;
    };

    void run();
    void answer(int connection);

    int listener_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    int port_ = 0;
    std::atomic<int> requests_{0};
    mutable std::mutex mutex_;
    std::map<std::string, Route> routes_; // by path, or by "METHOD path" for a method of its own
    std::vector<std::string> heads_;
    std::function<void(const std::string&, int)> observer_;
    std::thread thread_;
};

} // namespace keepgate::testing

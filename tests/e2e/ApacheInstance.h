#pragma once

#include <functional>
#include <string>
#include <vector>

namespace keepgate::testing {

// A private Apache HTTP Server on 127.0.0.1 (and 127.0.0.2, a second client address) with its own ServerRoot,
// configuration and logs, so the end-to-end tests never touch the system's web server.
class ApacheInstance {
  public:
    // `root` must exist; it becomes the ServerRoot, with htdocs/ as the document root.
    explicit ApacheInstance(std::string root);
    ~ApacheInstance();
    ApacheInstance(const ApacheInstance&) = delete;
    ApacheInstance& operator=(const ApacheInstance&) = delete;

    const std::string& root() const { return root_; }
    std::string documentRoot() const { return root_ + "/htdocs"; }
    std::string configPath() const { return configPath_.empty() ? root_ + "/httpd.conf" : configPath_; }
    // Runs the server from another main configuration (a distribution's layout), with the variables of a
    // shell environment file sourced first when one is given.
    void useLayout(const std::string& configPath, const std::string& environmentFile = "") {
        configPath_ = configPath;
        environmentFile_ = environmentFile;
    }
    // The shell words that run apache2 the way this instance does (environment file sourced).
    std::string apacheCommand() const;
    std::string errorLogPath() const { return root_ + "/logs/error.log"; }
    int port() const { return port_; }

    // A folder under the document root holding an index page, every folder on the way readable by the
    // server; its path.
    std::string publishPage(const std::string& relative) const;

    // Writes the main configuration: the modules, the listener, the document root, whose <Directory>
    // carries `documentRootDirectives`, then `extra` at the end (an Include line, say).
    void writeConfig(const std::string& documentRootDirectives, const std::string& extra = "");

    // `apache2 -t` on the current configuration; the output goes to `output` when given.
    bool configTest(std::string* output = nullptr) const;
    // Starts the server and waits until it answers; false (with the reason in lastError) if it cannot.
    bool start();
    // Stops the server and waits until it is gone.
    void stop();
    // Stops and starts again, so the server reads its configuration anew.
    bool restart();
    bool running() const { return running_; }

    // The HTTP status of a GET of `path` (with basic credentials "user:password" when given);
    // 0 when no answer came.
    int status(const std::string& path, const std::string& credentials = "") const;
    // The same, asked from another loopback address (the server listens on 127.0.0.1 and 127.0.0.2).
    int statusFrom(const std::string& address, const std::string& path, const std::string& credentials) const;
    // The statuses of many paths in one client run, in order; 0 where no answer came.
    std::vector<int> statusesFrom(const std::string& address, const std::vector<std::string>& paths,
                                  const std::string& credentials) const;
    // The response headers of a GET of `path`, for checks of the realm a visitor is asked for.
    std::string headers(const std::string& path) const;
    // The error log, for failure messages.
    std::string errorLog() const;
    std::string lastError;

  private:
    std::string root_;
    std::string configPath_;
    std::string environmentFile_;
    int port_ = 0;
    bool running_ = false;
};

// Makes a path readable by the unprivileged user that Apache switches to when started as root.
void openToApache(const std::string& path);

} // namespace keepgate::testing

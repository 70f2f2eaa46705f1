#pragma once

#include <memory>
#include <optional>
#include <string>

namespace keepgate {

// Fetches the body of a web address synchronously; absent when it cannot be had (no answer, an HTTP
// error status, a time-out).
class UrlFetcher {
public:
    virtual ~UrlFetcher() = default;
    virtual std::optional<std::string> fetch(const std::string& url) = 0;
};

// The application's fetcher; until one is installed, fetch answers nothing.
UrlFetcher& urlFetcher();
void setUrlFetcher(std::shared_ptr<UrlFetcher> fetcher);

// The host name part of an address ("http://host:80/x" -> "host").
std::string hostOfURL(const std::string& url);

} // namespace keepgate

#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "platform/UrlFetcher.h"

namespace keepgate::testing {

// A plain POSIX-socket fetcher for "http://" addresses (HTTP/1.0 GET), the one the headless tests install.
// Absent on any failure: a bad address, no connection, a status other than 200, a cut-short body or
// the time-out for the whole exchange.
class HttpFetcher : public UrlFetcher {
  public:
    explicit HttpFetcher(std::chrono::milliseconds timeout = std::chrono::seconds(10)) : timeout_(timeout) {}
    std::optional<std::string> fetch(const std::string& url) override;

  private:
    std::chrono::milliseconds timeout_;
};

} // namespace keepgate::testing

#pragma once

#include <QNetworkAccessManager>
#include <chrono>

#include "platform/UrlFetcher.h"

namespace keepgate::qt {

// Fetches a web address with QNetworkAccessManager, waiting for the answer in a local event loop that
// ignores user input, so the caller gets the body synchronously. Absent on a network error, a status other
// than 200, or no answer within the time-out.
class NetworkUrlFetcher : public UrlFetcher {
  public:
    explicit NetworkUrlFetcher(std::chrono::milliseconds timeout = std::chrono::seconds(10))
        : timeout_(timeout) {}
    std::optional<std::string> fetch(const std::string& url) override;

  private:
    QNetworkAccessManager manager_;
    std::chrono::milliseconds timeout_;
};

} // namespace keepgate::qt

#include "platform/UrlFetcher.h"

namespace keepgate {

namespace {
class NoFetcher : public UrlFetcher {
public:
    std::optional<std::string> fetch(const std::string&) override { return std::nullopt; }
};

std::shared_ptr<UrlFetcher>& installed() {
    static std::shared_ptr<UrlFetcher> fetcher = std::make_shared<NoFetcher>();
    return fetcher;
}
} // namespace

UrlFetcher& urlFetcher() { return *installed(); }

void setUrlFetcher(std::shared_ptr<UrlFetcher> fetcher) {
    installed() = fetcher ? std::move(fetcher) : std::make_shared<NoFetcher>();
}

std::string hostOfURL(const std::string& url) {
    std::string rest = url;
    if (const auto scheme = rest.find("://"); scheme != std::string::npos) {
        rest = rest.substr(scheme + 3);
    }
    rest = rest.substr(0, rest.find_first_of("/?#"));
    if (const auto at = rest.rfind('@'); at != std::string::npos) {
        rest = rest.substr(at + 1);
    }
    if (!rest.empty() && rest[0] == '[') {
        return rest.substr(0, rest.find(']') + 1);
    }
    return rest.substr(0, rest.find(':'));
}

} // namespace keepgate

#include "platform/FileWatcher.h"

namespace keepgate {

namespace {

class NoWatcher : public FileWatcher {
  public:
    void watch(const std::vector<std::string>&) override {}
};

std::shared_ptr<FileWatcher>& installed() {
    static std::shared_ptr<FileWatcher> watcher = std::make_shared<NoWatcher>();
    return watcher;
}

} // namespace

FileWatcher& fileWatcher() {
    return *installed();
}

void setFileWatcher(std::shared_ptr<FileWatcher> watcher) {
    installed() = watcher ? std::move(watcher) : std::make_shared<NoWatcher>();
}

} // namespace keepgate

#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace keepgate {

// Tells when files change on disk: the platform's file-change notification (QFileSystemWatcher in the
// program, a fake in tests). Files replaced by an atomic rename stay watched.
class FileWatcher {
  public:
    virtual ~FileWatcher() = default;
    // Watches exactly these paths from now on; paths that do not exist yet are watched once they do.
    virtual void watch(const std::vector<std::string>& paths) = 0;
    // Called on the interface thread when a watched file may have changed.
    std::function<void(const std::string& path)> changed;
};

// The application's watcher; one that never reports until the program installs its own.
FileWatcher& fileWatcher();
void setFileWatcher(std::shared_ptr<FileWatcher> watcher);

} // namespace keepgate

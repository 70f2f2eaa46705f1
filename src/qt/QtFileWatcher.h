#pragma once

#include <QFileSystemWatcher>
#include <QObject>

#include "platform/FileWatcher.h"

namespace keepgate::qt {

// The file watch on QFileSystemWatcher. A file replaced by an atomic rename drops out of Qt's watch, so
// each file's folder is watched too and the file is watched again whenever it reappears.
class QtFileWatcher : public QObject, public FileWatcher {
  public:
    QtFileWatcher();
    void watch(const std::vector<std::string>& paths) override;

  private:
    void rewatch();
    void report(const QString& path);

    QFileSystemWatcher watcher_;
    QStringList files_;
};

} // namespace keepgate::qt

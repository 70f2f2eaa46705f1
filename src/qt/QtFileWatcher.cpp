#include "qt/QtFileWatcher.h"

#include <QFileInfo>

#include "qt/QtString.h"

namespace keepgate::qt {

QtFileWatcher::QtFileWatcher() {
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) { report(path); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this](const QString& folder) {
        for (const QString& file : files_) {
            if (QFileInfo(file).absolutePath() == folder) {
                report(file);
            }
        }
    });
}

void QtFileWatcher::watch(const std::vector<std::string>& paths) {
    QStringList wanted;
    for (const auto& path : paths) {
        wanted << toQString(path);
    }
    if (wanted == files_) {
        rewatch();
        return;
    }
    files_ = wanted;
    if (!watcher_.files().isEmpty()) {
        watcher_.removePaths(watcher_.files());
    }
    if (!watcher_.directories().isEmpty()) {
        watcher_.removePaths(watcher_.directories());
    }
    rewatch();
}

void QtFileWatcher::rewatch() {
    for (const QString& file : files_) {
        if (QFileInfo::exists(file) && !watcher_.files().contains(file)) {
            watcher_.addPath(file);
        }
        const QString folder = QFileInfo(file).absolutePath();
        if (QFileInfo::exists(folder) && !watcher_.directories().contains(folder)) {
            watcher_.addPath(folder);
        }
    }
}

void QtFileWatcher::report(const QString& path) {
    rewatch();
    if (changed) {
        changed(fromQString(path));
    }
}

} // namespace keepgate::qt

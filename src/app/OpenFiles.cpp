#include "app/OpenFiles.h"

#include <vector>

#include "app/Controller.h"
#include "directory/Directory.h"
#include "groups/Group.h"
#include "platform/FileWatcher.h"

namespace keepgate {

namespace {

std::string textOf(const ui::TextField* field) {
    return field ? field->stringValue() : "";
}

} // namespace

void OpenFiles::check(Editor source) {
    const std::string userfile = controller && controller->records ? textOf(controller->userfileField) : "";
    const std::string groupfile = group && group->records ? textOf(group->groupfileField) : "";
    std::vector<std::string> open;
    for (const std::string& path : {userfile, groupfile}) {
        if (!path.empty()) {
            open.push_back(path);
        }
    }
    if (directory && !textOf(directory->directoryField).empty()) {
        for (const std::string& path : {textOf(directory->userfileField), textOf(directory->groupfileField),
                                        directory->blockFilePath()}) {
            if (!path.empty() && path.front() == '/') {
                open.push_back(path);
            }
        }
    }

    std::map<std::string, std::optional<platform::FileIdentity>> now;
    for (const std::string& path : open) {
        now[path] = platform::identityOf(path);
    }
    for (const auto& [path, identity] : now) {
        const auto before = seen_.find(path);
        if (before == seen_.end() || before->second == identity) {
            continue; // newly opened, or unchanged
        }
        if (path == userfile && source != Editor::Users) {
            controller->refreshUserfile();
        }
        if (path == groupfile && source != Editor::Groups) {
            group->openEnd(1, {path});
        }
        if (directory && source != Editor::Directory) {
            directory->fileChanged(path);
        }
    }
    seen_ = now;
    std::vector<std::string> watched;
    for (const auto& entry : now) {
        watched.push_back(entry.first);
    }
    fileWatcher().watch(watched);
}

void OpenFiles::startWatching() {
    fileWatcher().changed = [this](const std::string&) { check(); };
}

} // namespace keepgate

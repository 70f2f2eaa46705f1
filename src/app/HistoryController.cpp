#include "app/HistoryController.h"

#include <ctime>

#include "app/AdministratorWrite.h"
#include "app/ServerActions.h"
#include "operations/FileChanges.h"
#include "platform/Constants.h"
#include "platform/DefaultsStore.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/Sha256.h"
#include "services/PrivilegedCopy.h"
#include "services/ServerControl.h"
#include "services/ServerPaths.h"
#include "services/ServerProfile.h"
#include "ui/WindowSystem.h"

namespace keepgate {

namespace {

using platform::History;
using platform::HistoryEntry;

std::string quotedAction(const HistoryEntry& entry) {
    return "\u201c" + entry.action + "\u201d";
}

std::string localTime(std::int64_t milliseconds) {
    const std::time_t seconds = static_cast<std::time_t>(milliseconds / 1000);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

bool isMainConfiguration(const std::string& path, const ServerProfile& profile) {
    return !profile.mainConfig.empty() && path == profile.mainConfig;
}

// The files the server reads as configuration: its own .conf files and the shared protection file.
bool isServerConfiguration(const std::string& path, const ServerProfile& profile) {
    if (isMainConfiguration(path, profile)) {
        return true;
    }
    if (standardUserDefaults().stringForKey(constants::kConfigFilePathKey) == path) {
        return true;
    }
    if (!path.ends_with(".conf")) {
        return false;
    }
    for (const std::string& folder : {profile.serverRoot, serverpaths::directoryOf(profile.mainConfig)}) {
        if (!folder.empty() && folder != "/" && path.starts_with(folder + "/")) {
            return true;
        }
    }
    return false;
}

// Puts bytes in place, or takes the file away, with the user's own rights where they suffice, else with
// administrator rights; the reason when neither could. The privileged helper replaces files but never
// deletes them, so a file only the administrator may remove is emptied instead, which protects and
// configures nothing, as no file would; `emptied` learns it.
std::optional<std::string> place(const std::string& path, const std::optional<std::string>& bytes,
                                 bool* emptied = nullptr) {
    if (!bytes) {
        const auto removed = platform::removeFile(path);
        if (removed || !platform::fileExists(path)) {
            return std::nullopt;
        }
        if (!administratorRightsWouldHelp(path)) {
            return removed.error;
        }
        const auto copied = PrivilegedCopy::install("", path);
        if (emptied) {
            *emptied = copied.copied;
        }
        return copied.copied ? std::nullopt : std::optional(removed.error + "; " + copied.error);
    }
    const auto written = platform::writeFileAtomically(path, *bytes);
    if (written) {
        return std::nullopt;
    }
    if (!administratorRightsWouldHelp(path)) {
        return written.error;
    }
    const auto copied = PrivilegedCopy::install(*bytes, path);
    return copied.copied ? std::nullopt : std::optional(copied.error);
}

} // namespace

void HistoryController::reload() {
    entries_ = History::shared().entries();
    if (entriesView) {
        entriesView->reloadData();
    }
    if (noticeField) {
        std::size_t damaged = 0;
        for (const auto& entry : entries_) {
            damaged += entry.damaged() ? 1 : 0;
        }
        std::string notice;
        if (!History::shared().isOpen() && !History::shared().folder().empty()) {
            notice = text::fill(
                QT_TRANSLATE_NOOP("Messages", "No history is being kept: the folder %1 cannot be written. "),
                History::shared().folder());
        }
        if (damaged > 0) {
            const std::string count =
                damaged == 1
                    ? text::fill(QT_TRANSLATE_NOOP(
                          "Messages", "1 entry is damaged and shown as such; Keepgate never restores them."))
                    : text::fill(QT_TRANSLATE_NOOP("Messages",
                                                   "%1 entries are damaged and shown as such; Keepgate never "
                                                   "restores them."),
                                 damaged);
            notice =
                notice.empty() ? count : text::fill(QT_TRANSLATE_NOOP("Messages", "%1%2"), notice, count);
        }
        noticeField->setStringValue(notice);
    }
    selectionChanged();
}

void HistoryController::selectionChanged() {
    const int row = entriesView ? entriesView->selectedRow() : -1;
    const bool chosen = row >= 0 && static_cast<std::size_t>(row) < entries_.size();
    if (restoreButton) {
        restoreButton->setEnabled(chosen && entries_[static_cast<std::size_t>(row)].restorable());
    }
    if (diffField) {
        diffField->setStringValue(chosen ? differenceOf(entries_[static_cast<std::size_t>(row)]) : "");
    }
}

std::optional<std::string> HistoryController::writtenBytes(const HistoryEntry& entry) const {
    if (entry.removed) {
        return std::nullopt;
    }
    // The next change of the same file began from what this one wrote.
    const HistoryEntry* next = nullptr;
    for (const auto& other : entries_) {
        if (other.id == entry.id) {
            break;
        }
        if (other.path == entry.path) {
            next = &other;
        }
    }
    if (next && next->restorable() && next->existed) {
        if (const auto loaded = History::shared().load(next->id);
            loaded && loaded->previous && platform::sha256Hex(*loaded->previous) == entry.writtenDigest) {
            return loaded->previous;
        }
    }
    if (const auto present = platform::readFile(entry.path);
        present && platform::sha256Hex(*present) == entry.writtenDigest) {
        return present;
    }
    return std::nullopt;
}

std::string HistoryController::differenceOf(const HistoryEntry& entry) const {
    if (entry.damaged()) {
        return text::fill(
            QT_TRANSLATE_NOOP("Messages", "This entry is damaged (%1); Keepgate will not restore it."),
            entry.damage);
    }
    if (!entry.previousKnown) {
        return text::fill(
            QT_TRANSLATE_NOOP(
                "Messages",
                "%1 could not be read before this change, so the history holds no bytes to put back."),
            entry.path);
    }
    const auto loaded = History::shared().load(entry.id);
    if (!loaded || loaded->damaged()) {
        return text::fill(
            QT_TRANSLATE_NOOP("Messages", "This entry is gone or damaged; Keepgate will not restore it."));
    }
    const std::optional<std::string> before = loaded->existed ? loaded->previous : std::nullopt;
    std::optional<std::string> after = writtenBytes(entry);
    const bool gone = !entry.removed && !after;
    if (gone) {
        after = platform::readFile(entry.path);
    }
    const std::string diff = operations::FileChanges::unifiedDiff({entry.path, before, after});
    const std::string shown =
        diff.empty() ? text::fill(QT_TRANSLATE_NOOP("Messages", "No difference.")) : diff;
    return gone ? text::fill(QT_TRANSLATE_NOOP(
                                 "Messages",
                                 "What this change wrote is no longer on disk; the difference to what %1 "
                                 "holds now:\n\n%2"),
                             entry.path, shown)
                : shown;
}

void HistoryController::restoreSelected() {
    const int row = entriesView ? entriesView->selectedRow() : -1;
    if (row < 0 || static_cast<std::size_t>(row) >= entries_.size()) {
        return;
    }
    restore(entries_[static_cast<std::size_t>(row)].id);
}

void HistoryController::fail(const std::string& message) {
    ui::windowSystem().beginAlertSheet(
        {QT_TRANSLATE_NOOP("Messages", "Error!"), message, QT_TRANSLATE_NOOP("Messages", "OK"), ""}, window,
        {});
}

void HistoryController::restore(const std::string& id) {
    const auto entry = History::shared().load(id);
    if (!entry) {
        fail(text::fill(QT_TRANSLATE_NOOP(
            "Messages", "That change is no longer in the history, so nothing was restored.")));
        return;
    }
    if (entry->damaged()) {
        fail(text::fill(
            QT_TRANSLATE_NOOP("Messages", "The change %1 cannot be restored: %2. Nothing was changed."),
            quotedAction(*entry), entry->damage));
        return;
    }
    if (!entry->previousKnown) {
        fail(text::fill(
            QT_TRANSLATE_NOOP(
                "Messages",
                "%1 could not be read before %2, so Keepgate has no bytes to put back. Nothing was changed."),
            entry->path, quotedAction(*entry)));
        return;
    }
    const auto present = platform::readFile(entry->path);
    const bool exists = platform::fileExists(entry->path);
    if (exists && !present) {
        fail(text::fill(
            QT_TRANSLATE_NOOP("Messages",
                              "%1 cannot be read now, so Keepgate cannot tell what a restore would replace. "
                              "Nothing was changed."),
            entry->path));
        return;
    }
    const std::optional<std::string> wanted = entry->existed ? entry->previous : std::nullopt;
    if (present == wanted) {
        ui::windowSystem().showStatus(text::fill(
            QT_TRANSLATE_NOOP("Messages", "%1 already holds what it held before %2; nothing was changed"),
            entry->path, quotedAction(*entry)));
        return;
    }
    const bool asWritten =
        entry->removed ? !exists : present && platform::sha256Hex(*present) == entry->writtenDigest;
    if (asWritten) {
        putBack(*entry, present);
        return;
    }
    const std::string diff = operations::FileChanges::unifiedDiff({entry->path, present, wanted});
    ui::windowSystem().beginAlertSheet(
        {QT_TRANSLATE_NOOP("Messages", "Changed Since"),
         text::fill(
             QT_TRANSLATE_NOOP("Messages",
                               "%1 was changed by another program after Keepgate wrote it (%2). Restoring it "
                               "replaces what it holds now:\n\n%3"),
             entry->path, quotedAction(*entry), diff),
         QT_TRANSLATE_NOOP("Messages", "Restore Anyway"), QT_TRANSLATE_NOOP("Messages", "Cancel"), true},
        window, [this, entry = *entry, present](int returnCode) {
            if (returnCode == 1) {
                putBack(entry, present);
            }
        });
}

void HistoryController::putBack(const HistoryEntry& entry, const std::optional<std::string>& present) {
    const std::string status = text::fill(QT_TRANSLATE_NOOP("Messages", "Restored %1 as before %2"),
                                          entry.path, quotedAction(entry));
    const platform::HistoryAction action(status);
    const std::optional<std::string> wanted = entry.existed ? entry.previous : std::nullopt;
    const ServerProfile profile = ServerProfile::current();
    if (isMainConfiguration(entry.path, profile)) {
        if (!wanted) {
            fail(text::fill(
                QT_TRANSLATE_NOOP(
                    "Messages",
                    "Keepgate does not remove the web server's main configuration %1. Nothing was changed."),
                entry.path));
            return;
        }
        // Tested by the server, backed up and installed like every amendment of the main configuration.
        const auto result = ServerControl::installMainConfiguration(profile, *wanted);
        if (!result.installed) {
            const std::string message = text::fill(
                QT_TRANSLATE_NOOP("Messages", "Keepgate did not restore %1: %2. %3"), entry.path,
                result.error,
                result.unchanged ? text::fill(QT_TRANSLATE_NOOP("Messages", "The file was not changed."))
                                 : text::fill(QT_TRANSLATE_NOOP("Messages", "Compare it with its backup %1."),
                                              result.backup));
            fail(result.testMessage.empty()
                     ? message
                     : text::fill(QT_TRANSLATE_NOOP("Messages", "%1\n\n%2"), message, result.testMessage));
            return;
        }
        finish(entry, status);
        ServerActions::complete(profile, text::fill(QT_TRANSLATE_NOOP("Messages", "%1."), status),
                                result.backup);
        return;
    }
    bool emptied = false;
    const auto withNote = [](const std::string& status) {
        return text::fill(
            QT_TRANSLATE_NOOP(
                "Messages",
                "%1 (emptied: with administrator rights Keepgate replaces files but never deletes them)"),
            status);
    };
    if (isServerConfiguration(entry.path, profile) && !profile.controlProgram.empty()) {
        if (const auto problem = place(entry.path, wanted, &emptied)) {
            fail(text::fill(QT_TRANSLATE_NOOP("Messages", "Keepgate could not restore %1: %2."), entry.path,
                            *problem));
            return;
        }
        const auto test = ServerControl::testConfiguration(profile, profile.mainConfig);
        if (test.ran && !test.passed) {
            const platform::HistoryAction undoing(
                text::fill(QT_TRANSLATE_NOOP("Messages", "Put back %1 after the server refused %2"),
                           entry.path, status));
            const auto problem = place(entry.path, present);
            fail(text::fill(
                QT_TRANSLATE_NOOP("Messages",
                                  "The web server's configuration test refused %1 as it was before %2, so "
                                  "%3\n\n%4"),
                entry.path, quotedAction(entry),
                problem ? text::fill(
                              QT_TRANSLATE_NOOP("Messages", "Keepgate could not put back what it held: %1."),
                              *problem)
                        : text::fill(QT_TRANSLATE_NOOP("Messages", "Keepgate put back what it held.")),
                test.message));
            return;
        }
        finish(entry, emptied ? withNote(status) : status);
        ServerActions::offerReload(profile, "");
        return;
    }
    if (!wanted) {
        if (const auto problem = place(entry.path, std::nullopt, &emptied)) {
            fail(text::fill(QT_TRANSLATE_NOOP("Messages", "Keepgate could not remove %1 to restore it: %2."),
                            entry.path, *problem));
            return;
        }
        finish(entry, emptied ? withNote(status) : status);
        return;
    }
    const auto written = platform::writeFileAtomically(entry.path, *wanted);
    if (written) {
        finish(entry, status);
        return;
    }
    offerAdministratorWrite(window, entry.path, *wanted,
                            text::fill(QT_TRANSLATE_NOOP("Messages", "Keepgate could not restore %1: %2."),
                                       entry.path, written.error),
                            [this, entry, status](bool done) {
                                if (done) {
                                    finish(entry, status);
                                }
                            });
}

void HistoryController::finish(const HistoryEntry& entry, const std::string& status) {
    ui::windowSystem().showStatus(status);
    reload();
    if (restored) {
        restored(entry.path, status);
    }
}

void HistoryController::undo() {
    if (const auto last = History::shared().lastOfThisRun()) {
        restore(last->id);
    }
}

bool HistoryController::canUndo() const {
    return History::shared().lastOfThisRun().has_value();
}

std::string HistoryController::undoTitle() const {
    const auto last = History::shared().lastOfThisRun();
    return last ? text::fill(QT_TRANSLATE_NOOP("Messages", "Undo %1"), last->action)
                : std::string(QT_TRANSLATE_NOOP("Messages", "Undo"));
}

int HistoryController::numberOfRowsInTableView() {
    return static_cast<int>(entries_.size());
}

Value HistoryController::objectValueForTableColumn(const std::string& column, int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= entries_.size()) {
        return Value();
    }
    const HistoryEntry& entry = entries_[static_cast<std::size_t>(row)];
    if (column == "time") {
        return Value(localTime(entry.timeMilliseconds));
    }
    if (column == "action") {
        return Value(entry.damaged()
                         ? text::fill(QT_TRANSLATE_NOOP("Messages", "Damaged entry: %1"), entry.damage)
                         : entry.action);
    }
    if (column == "file") {
        return Value(entry.path);
    }
    return Value();
}

} // namespace keepgate

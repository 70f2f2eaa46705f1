#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keepgate::platform {

// One change Keepgate made to a file: what the file held before, and the digest of what was written, so
// that a later change by another program can be told.
struct HistoryEntry {
    std::string id; // the entry's own name in the store; sorts oldest first
    std::int64_t timeMilliseconds = 0;
    std::string path;
    std::string action;                  // what the user did, in words ("Added alice")
    bool existed = false;                // the file existed before the change
    bool previousKnown = true;           // false: it existed but could not be read, so it cannot be put back
    bool removed = false;                // the change removed the file
    std::string writtenDigest;           // SHA-256 of the bytes written; empty for a removal
    std::optional<std::string> previous; // the bytes before, when loaded and the file existed
    std::string damage; // why the entry cannot be trusted (truncated, bad digest, unreadable)
    bool damaged() const { return !damage.empty(); }
    bool restorable() const { return !damaged() && previousKnown; }
};

// The record of every file Keepgate writes, one file per change in a private folder (0700, entries 0600),
// each written atomically, the oldest dropped beyond `maxEntries` or `maxBytes`. Closed until a program
// opens it, so that code which never asks for a history writes none. A folder that cannot be used is
// reported once through the notice handler, and the program goes on without history.
class History {
  public:
    static History& shared();

    // $XDG_STATE_HOME/keepgate, or ~/.local/state/keepgate.
    static std::string defaultFolder();

    // Opens (creating) the folder; false, with the reason told once, when it cannot be written.
    bool open(const std::string& folder);
    void close();
    bool isOpen() const;
    std::string folder() const;

    std::size_t maxEntries = 500;
    std::uint64_t maxBytes = 200ull * 1024 * 1024;

    // Told of a problem that leaves changes unrecorded; the first problem of a folder is told once, and
    // one told before a handler was set reaches it when it is set.
    void setNoticeHandler(std::function<void(const std::string& notice)> handler);
    // Told after every change recorded, so what offers Undo can name it.
    void setRecordedObserver(std::function<void()> observer);

    // Writes the entry of a change about to be made; its id, or nothing when no history is kept.
    std::optional<std::string> record(const std::string& path, const std::string& action, bool existed,
                                      const std::optional<std::string>& previous, bool previousKnown,
                                      const std::optional<std::string_view>& written);
    // Takes back an entry whose change did not happen.
    void discard(const std::string& id);
    // Confirms that the change of an entry happened.
    void kept(const std::string& id);

    // Every entry, newest first, without their previous bytes; damaged ones carry their damage.
    std::vector<HistoryEntry> entries() const;
    // One entry with its previous bytes, checked again; nothing when it is gone.
    std::optional<HistoryEntry> load(const std::string& id) const;
    // The newest change this process made that is still in the store.
    std::optional<HistoryEntry> lastOfThisRun() const;

  private:
    void notify(const std::string& notice, bool onceOnly);
    void prune(const std::string& keep);
    mutable std::recursive_mutex mutex_;
    std::string folder_;
    bool open_ = false;
    bool told_ = false;
    std::optional<std::string> pendingNotice_;
    std::function<void(const std::string&)> noticeHandler_;
    std::function<void()> recordedObserver_;
    std::vector<std::string> thisRun_;
    unsigned sequence_ = 0;
};

// What the user is doing, as the history names it; set by the operation that asks for the writes, for as
// long as the object lives. Nested labels: the innermost wins.
class HistoryAction {
  public:
    explicit HistoryAction(std::string label);
    ~HistoryAction();
    HistoryAction(const HistoryAction&) = delete;
    HistoryAction& operator=(const HistoryAction&) = delete;
    // The label in force, or empty.
    static std::string current();
};

// Writes that are no change of the user's (a private scratch file) are not recorded while one lives.
class HistoryPause {
  public:
    HistoryPause();
    ~HistoryPause();
    HistoryPause(const HistoryPause&) = delete;
    HistoryPause& operator=(const HistoryPause&) = delete;
};

// The entry of one write, made before the write and taken back unless `keep()` confirms it.
class PendingChange {
  public:
    // Reads the file's present bytes itself; `written` absent means a removal.
    static PendingChange before(const std::string& path, std::optional<std::string_view> written);
    // For callers that have read the present bytes already.
    static PendingChange beforeKnown(const std::string& path, const std::optional<std::string>& previous,
                                     bool existed, std::optional<std::string_view> written);
    PendingChange(PendingChange&& other) noexcept;
    PendingChange& operator=(PendingChange&&) = delete;
    ~PendingChange();
    void keep();

  private:
    PendingChange() = default;
    std::optional<std::string> id_;
};

} // namespace keepgate::platform

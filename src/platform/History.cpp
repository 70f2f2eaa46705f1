#include "platform/History.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/Sha256.h"

namespace keepgate::platform {

namespace {

constexpr const char* kMagic = "keepgate-history 1";
constexpr const char* kSuffix = ".entry";

thread_local std::vector<std::string> actionLabels;
thread_local int pauses = 0;

// Paths and labels stay on one header line whatever they hold.
std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '%' || c == '\n' || c == '\r') {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
            out += code;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out.push_back(static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16)));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::int64_t nowMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

bool isEntryName(const std::string& name) {
    return !name.empty() && name.front() != '.' && name.ends_with(kSuffix);
}

std::string idOf(const std::string& name) {
    return name.substr(0, name.size() - std::strlen(kSuffix));
}

// The entry names of the folder, oldest first.
std::vector<std::string> entryNames(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* item = readdir(dir)) {
            if (isEntryName(item->d_name)) {
                names.emplace_back(item->d_name);
            }
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Reads an entry's text, checking its digest and its length; the previous bytes stay only when asked.
enum class Reading { HeaderOnly, Checked, WithPrevious };

HistoryEntry parse(const std::string& id, const std::optional<std::string>& text, Reading reading) {
    HistoryEntry entry;
    entry.id = id;
    entry.timeMilliseconds = std::strtoll(id.c_str(), nullptr, 10);
    if (!text) {
        entry.damage = QT_TRANSLATE_NOOP("Messages", "the entry cannot be read");
        return entry;
    }
    const std::string& bytes = *text;
    const auto first = bytes.find('\n');
    const auto second = first == std::string::npos ? first : bytes.find('\n', first + 1);
    if (second == std::string::npos || bytes.compare(0, first, kMagic) != 0 ||
        bytes.compare(first + 1, 7, "digest ") != 0) {
        entry.damage =
            QT_TRANSLATE_NOOP("Messages", "the entry is not a Keepgate history entry or is cut short");
        return entry;
    }
    const std::string digest = bytes.substr(first + 8, second - first - 8);
    const std::string_view rest = std::string_view(bytes).substr(second + 1);
    std::size_t position = second + 1;
    std::uint64_t size = 0;
    bool sized = false;
    bool ended = false;
    while (position < bytes.size()) {
        const auto end = bytes.find('\n', position);
        if (end == std::string::npos) {
            break;
        }
        const std::string line = bytes.substr(position, end - position);
        position = end + 1;
        if (line.empty()) {
            ended = true;
            break;
        }
        const auto space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
        if (key == "time") {
            entry.timeMilliseconds = std::strtoll(value.c_str(), nullptr, 10);
        } else if (key == "path") {
            entry.path = unescaped(value);
        } else if (key == "action") {
            entry.action = unescaped(value);
        } else if (key == "existed") {
            entry.existed = value == "1";
        } else if (key == "previous-known") {
            entry.previousKnown = value == "1";
        } else if (key == "removed") {
            entry.removed = value == "1";
        } else if (key == "written") {
            entry.writtenDigest = value == "-" ? "" : value;
        } else if (key == "size") {
            size = std::strtoull(value.c_str(), nullptr, 10);
            sized = true;
        }
    }
    if (ended && reading == Reading::HeaderOnly) {
        return entry;
    }
    if (!ended || !sized || bytes.size() - position < size) {
        entry.damage = QT_TRANSLATE_NOOP("Messages", "the entry is cut short");
        return entry;
    }
    if (bytes.size() - position != size || sha256Hex(rest) != digest) {
        entry.damage = QT_TRANSLATE_NOOP("Messages", "the entry's digest does not match what it holds");
        return entry;
    }
    if (reading == Reading::WithPrevious && entry.existed && entry.previousKnown) {
        entry.previous = bytes.substr(position);
    }
    return entry;
}

bool writeWhole(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes every missing folder on the way; the last one private.
bool makeFolders(const std::string& folder, std::string& why) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        const bool last = slash == std::string::npos;
        if (!part.empty() && mkdir(part.c_str(), last ? 0700 : 0755) != 0 && errno != EEXIST) {
            why = std::strerror(errno);
            return false;
        }
        if (last) {
            break;
        }
    }
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        why = QT_TRANSLATE_NOOP("Messages", "it is not a folder");
        return false;
    }
    // The entries hold the previous bytes of password files, so nobody else may look into the folder.
    if ((info.st_mode & 07777) != 0700 && chmod(folder.c_str(), 0700) != 0) {
        why = text::fill(QT_TRANSLATE_NOOP("Messages", "its mode cannot be set to 0700 (%1)"),
                         std::strerror(errno));
        return false;
    }
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        why = QT_TRANSLATE_NOOP("Messages", "it cannot be written");
        return false;
    }
    return true;
}

} // namespace

History& History::shared() {
    static History history;
    return history;
}

std::string History::defaultFolder() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && state[0] == '/') {
        return joinPath(state, "keepgate");
    }
    return joinPath(homeDirectory(), ".local/state/keepgate");
}

bool History::open(const std::string& folder) {
    std::lock_guard lock(mutex_);
    folder_ = folder;
    told_ = false;
    std::string why;
    open_ = !folder.empty() && folder.front() == '/' && makeFolders(folder, why);
    if (!open_) {
        notify(
            text::fill(
                QT_TRANSLATE_NOOP("Messages",
                                  "Keepgate keeps no history of changes: the folder %1 cannot be used (%2)."),
                folder,
                why.empty() ? std::string(QT_TRANSLATE_NOOP("Messages", "it is not an absolute path")) : why),
            true);
    }
    return open_;
}

void History::close() {
    std::lock_guard lock(mutex_);
    open_ = false;
    folder_.clear();
    thisRun_.clear();
    pendingNotice_.reset();
    told_ = false;
}

bool History::isOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

std::string History::folder() const {
    std::lock_guard lock(mutex_);
    return folder_;
}

void History::setNoticeHandler(std::function<void(const std::string&)> handler) {
    std::optional<std::string> pending;
    {
        std::lock_guard lock(mutex_);
        noticeHandler_ = std::move(handler);
        if (noticeHandler_) {
            pending.swap(pendingNotice_);
        }
    }
    if (pending) {
        noticeHandler_(*pending);
    }
}

void History::setRecordedObserver(std::function<void()> observer) {
    std::lock_guard lock(mutex_);
    recordedObserver_ = std::move(observer);
}

void History::notify(const std::string& notice, bool onceOnly) {
    if (onceOnly) {
        if (told_) {
            return;
        }
        told_ = true;
    }
    if (noticeHandler_) {
        noticeHandler_(notice);
    } else {
        pendingNotice_ = notice;
    }
}

std::optional<std::string> History::record(const std::string& path, const std::string& action, bool existed,
                                           const std::optional<std::string>& previous, bool previousKnown,
                                           const std::optional<std::string_view>& written) {
    std::lock_guard lock(mutex_);
    if (!open_ || pauses > 0) {
        return std::nullopt;
    }
    const std::string label = !action.empty() ? action
                              : !written      ? text::fill(QT_TRANSLATE_NOOP("Messages", "Removed %1"), path)
                              : existed       ? text::fill(QT_TRANSLATE_NOOP("Messages", "Changed %1"), path)
                                              : text::fill(QT_TRANSLATE_NOOP("Messages", "Created %1"), path);
    const std::string_view before = existed && previous ? std::string_view(*previous) : std::string_view();
    const std::int64_t time = nowMilliseconds();
    char name[96];
    std::snprintf(name, sizeof name, "%016lld-%08ld-%06u", static_cast<long long>(time),
                  static_cast<long>(getpid()), ++sequence_);
    const std::string id = name;
    std::string body = "time " + std::to_string(time) + "\npath " + escaped(path) + "\naction " +
                       escaped(label) + "\nexisted " + (existed ? "1" : "0") + "\nprevious-known " +
                       (previousKnown ? "1" : "0") + "\nremoved " + (written ? "0" : "1") + "\nwritten " +
                       (written ? sha256Hex(*written) : std::string("-")) + "\nsize " +
                       std::to_string(before.size()) + "\n\n";
    body.append(before);
    const std::string text = std::string(kMagic) + "\ndigest " + sha256Hex(body) + "\n" + body;
    if (text.size() > maxBytes) {
        notify(text::fill(
                   QT_TRANSLATE_NOOP(
                       "Messages", "The change \"%1\" is too large for the history, so it cannot be undone."),
                   label),
               false);
        return std::nullopt;
    }
    const std::string temporary = joinPath(folder_, "." + id + ".tmp");
    const std::string target = joinPath(folder_, id + kSuffix);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    const bool whole = fd >= 0 && writeWhole(fd, text) && fsync(fd) == 0;
    const int error = errno;
    const bool closed = fd >= 0 && ::close(fd) == 0;
    if (!whole || !closed || rename(temporary.c_str(), target.c_str()) != 0) {
        const std::string why = std::strerror(whole && closed ? errno : error);
        unlink(temporary.c_str());
        open_ = false;
        notify(text::fill(QT_TRANSLATE_NOOP(
                              "Messages",
                              "Keepgate keeps no more history of changes: the folder %1 cannot be written "
                              "(%2). \"%3\" was not recorded."),
                          folder_, why, label),
               true);
        return std::nullopt;
    }
    prune(id);
    return id;
}

void History::prune(const std::string& keep) {
    const auto names = entryNames(folder_);
    std::vector<std::uint64_t> sizes;
    std::uint64_t total = 0;
    for (const auto& name : names) {
        struct stat info {};
        const std::uint64_t size =
            stat(joinPath(folder_, name).c_str(), &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
        sizes.push_back(size);
        total += size;
    }
    std::size_t count = names.size();
    for (std::size_t i = 0; i < names.size() && (count > maxEntries || total > maxBytes); ++i) {
        if (idOf(names[i]) == keep) {
            continue;
        }
        if (unlink(joinPath(folder_, names[i]).c_str()) == 0) {
            --count;
            total -= sizes[i];
        }
    }
}

void History::discard(const std::string& id) {
    std::lock_guard lock(mutex_);
    unlink(joinPath(folder_, id + kSuffix).c_str());
}

void History::kept(const std::string& id) {
    std::function<void()> observer;
    {
        std::lock_guard lock(mutex_);
        thisRun_.push_back(id);
        observer = recordedObserver_;
    }
    if (observer) {
        observer();
    }
}

std::vector<HistoryEntry> History::entries() const {
    std::lock_guard lock(mutex_);
    std::vector<HistoryEntry> list;
    if (folder_.empty()) {
        return list;
    }
    auto names = entryNames(folder_);
    std::reverse(names.begin(), names.end());
    for (const auto& name : names) {
        list.push_back(parse(idOf(name), readFile(joinPath(folder_, name)), Reading::Checked));
    }
    return list;
}

std::optional<HistoryEntry> History::load(const std::string& id) const {
    std::lock_guard lock(mutex_);
    const std::string path = joinPath(folder_, id + kSuffix);
    if (folder_.empty() || !fileExists(path)) {
        return std::nullopt;
    }
    return parse(id, readFile(path), Reading::WithPrevious);
}

std::optional<HistoryEntry> History::lastOfThisRun() const {
    std::lock_guard lock(mutex_);
    // Only the header is read: Undo's title is asked for after every change, and the previous bytes of a
    // large file would be read and checked each time; a restore checks the whole entry anyway.
    for (auto id = thisRun_.rbegin(); id != thisRun_.rend(); ++id) {
        std::ifstream in(joinPath(folder_, *id + kSuffix), std::ios::binary);
        if (!in) {
            continue;
        }
        std::string head(64 * 1024, '\0');
        in.read(head.data(), static_cast<std::streamsize>(head.size()));
        head.resize(static_cast<std::size_t>(in.gcount()));
        return parse(*id, head, Reading::HeaderOnly);
    }
    return std::nullopt;
}

HistoryAction::HistoryAction(std::string label) {
    actionLabels.push_back(std::move(label));
}

HistoryAction::~HistoryAction() {
    actionLabels.pop_back();
}

std::string HistoryAction::current() {
    return actionLabels.empty() ? std::string() : actionLabels.back();
}

HistoryPause::HistoryPause() {
    ++pauses;
}

HistoryPause::~HistoryPause() {
    --pauses;
}

PendingChange PendingChange::before(const std::string& path, std::optional<std::string_view> written) {
    if (!History::shared().isOpen() || pauses > 0) {
        return {};
    }
    const auto previous = readFile(path);
    return beforeKnown(path, previous, previous.has_value() || fileExists(path), written);
}

PendingChange PendingChange::beforeKnown(const std::string& path, const std::optional<std::string>& previous,
                                         bool existed, std::optional<std::string_view> written) {
    PendingChange pending;
    pending.id_ = History::shared().record(path, HistoryAction::current(), existed, previous,
                                           !existed || previous.has_value(), written);
    return pending;
}

PendingChange::PendingChange(PendingChange&& other) noexcept : id_(std::move(other.id_)) {
    other.id_.reset();
}

PendingChange::~PendingChange() {
    if (id_) {
        History::shared().discard(*id_);
    }
}

void PendingChange::keep() {
    if (id_) {
        History::shared().kept(*id_);
        id_.reset();
    }
}

} // namespace keepgate::platform

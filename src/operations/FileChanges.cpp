#include "operations/FileChanges.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/FileSystem.h"
#include "services/PrivilegedCopy.h"

namespace keepgate::operations {

std::vector<AppliedChange> FileChanges::apply(const std::vector<FileChange>& changes,
                                              bool administratorRights) {
    std::vector<AppliedChange> applied;
    for (const auto& change : changes) {
        AppliedChange result;
        result.path = change.path;
        result.removal = !change.after.has_value();
        result.changed = change.changes();
        if (!result.changed) {
            applied.push_back(result);
            continue;
        }
        // The change was composed from the bytes read a moment ago; a file another program wrote since is
        // left to it rather than overwritten with a change made to its old bytes.
        const auto read = platform::readFileWithin(change.path, std::numeric_limits<std::uint64_t>::max());
        if ((read.ok ? std::optional(read.bytes) : std::nullopt) != change.before) {
            result.error = "it was changed by another program meanwhile, so Keepgate left it alone";
            applied.push_back(result);
            continue;
        }
        platform::FileResult done;
        if (change.after) {
            // Replaced only while it is still the file read; a program that writes into it in place meanwhile
            // (htpasswd does) gets its text back, and the change is left undone rather than made over it.
            const auto guarded = platform::writeFileIfUnchanged(
                change.path, *change.after, read.ok ? std::optional(read.identity) : std::nullopt,
                change.before ? &*change.before : nullptr);
            if (guarded.moved) {
                result.error = "it was changed by another program meanwhile, so Keepgate left it alone";
                if (guarded.result) {
                    const auto restored =
                        guarded.displaced
                            ? platform::writeFileIfUnchanged(change.path, *guarded.displaced, guarded.written)
                            : platform::GuardedWrite{};
                    if (!restored.result || restored.moved) {
                        result.error = "another program wrote to it while Keepgate replaced it, and what that "
                                       "program wrote could not be put back over Keepgate's text: check the file";
                    }
                }
                applied.push_back(result);
                continue;
            }
            done = guarded.result;
        } else {
            done = platform::removeFile(change.path);
            // Gone already is what was asked for.
            if (!done && !platform::fileExists(change.path)) {
                done.ok = true;
            }
        }
        if (done) {
            result.written = true;
        } else if (administratorRightsWouldHelp(change.path)) {
            result.needsRoot = true;
            if (administratorRights && change.after) {
                const auto outcome = PrivilegedCopy::install(*change.after, change.path);
                result.written = outcome.copied;
                result.error = outcome.copied ? "" : outcome.error;
            } else {
                result.error = done.error;
            }
        } else {
            result.error = done.error;
        }
        applied.push_back(result);
    }
    return applied;
}

namespace {

// The lines of a text, each with its line feed, so that a last line without one differs from the same
// line with one.
std::vector<std::string> linesOf(const std::optional<std::string>& text) {
    std::vector<std::string> lines;
    if (!text) {
        return lines;
    }
    std::size_t start = 0;
    while (start < text->size()) {
        const auto feed = text->find('\n', start);
        const std::size_t end = feed == std::string::npos ? text->size() : feed + 1;
        lines.push_back(text->substr(start, end - start));
        start = end;
    }
    return lines;
}

struct Edit {
    char kind; // ' ', '-', '+'
    std::size_t oldLine, newLine;
};

// The edit script between the lines: common ends first, then a longest common subsequence of the middle
// where it is small enough, else the middle as removed and added.
std::vector<Edit> editScript(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::size_t prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
           a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix]) {
        ++suffix;
    }
    std::vector<Edit> edits;
    for (std::size_t i = 0; i < prefix; ++i) {
        edits.push_back({' ', i, i});
    }
    const std::size_t n = a.size() - prefix - suffix;
    const std::size_t m = b.size() - prefix - suffix;
    if (n * m <= 4'000'000) {
        std::vector<std::vector<std::uint32_t>> common(n + 1, std::vector<std::uint32_t>(m + 1, 0));
        for (std::size_t i = n; i-- > 0;) {
            for (std::size_t j = m; j-- > 0;) {
                common[i][j] = a[prefix + i] == b[prefix + j] ? common[i + 1][j + 1] + 1
                                                              : std::max(common[i + 1][j], common[i][j + 1]);
            }
        }
        std::size_t i = 0, j = 0;
        while (i < n || j < m) {
            if (i < n && j < m && a[prefix + i] == b[prefix + j]) {
                edits.push_back({' ', prefix + i++, prefix + j++});
            } else if (j < m && (i == n || common[i][j + 1] >= common[i + 1][j])) {
                edits.push_back({'+', prefix + i, prefix + j++});
            } else {
                edits.push_back({'-', prefix + i++, prefix + j});
            }
        }
    } else {
        for (std::size_t i = 0; i < n; ++i) {
            edits.push_back({'-', prefix + i, prefix});
        }
        for (std::size_t j = 0; j < m; ++j) {
            edits.push_back({'+', prefix + n, prefix + j});
        }
    }
    for (std::size_t k = 0; k < suffix; ++k) {
        edits.push_back({' ', a.size() - suffix + k, b.size() - suffix + k});
    }
    return edits;
}

std::string range(std::size_t start, std::size_t count) {
    // A hunk that holds no line of a side names the line before it.
    return std::to_string(count == 0 ? start : start + 1) + "," + std::to_string(count);
}

} // namespace

std::string FileChanges::unifiedDiff(const FileChange& change) {
    if (!change.changes()) {
        return {};
    }
    const std::vector<std::string> before = linesOf(change.before);
    const std::vector<std::string> after = linesOf(change.after);
    const std::vector<Edit> edits = editScript(before, after);
    std::string out = "--- " + (change.before ? change.path : std::string("/dev/null")) + "\n+++ " +
                      (change.after ? change.path : std::string("/dev/null")) + "\n";
    constexpr std::size_t kContext = 3;
    std::size_t k = 0;
    bool any = false;
    while (k < edits.size()) {
        while (k < edits.size() && edits[k].kind == ' ') {
            ++k;
        }
        if (k == edits.size()) {
            break;
        }
        // The hunk runs on while changes follow each other within twice the context, then keeps three
        // unchanged lines after the last change.
        const std::size_t start = k >= kContext ? k - kContext : 0;
        std::size_t last = k;
        for (std::size_t e = k; e < edits.size() && e <= last + 2 * kContext; ++e) {
            if (edits[e].kind != ' ') {
                last = e;
            }
        }
        const std::size_t end = std::min(edits.size(), last + 1 + kContext);
        std::size_t oldCount = 0, newCount = 0;
        for (std::size_t e = start; e < end; ++e) {
            oldCount += edits[e].kind != '+';
            newCount += edits[e].kind != '-';
        }
        out += "@@ -" + range(edits[start].oldLine, oldCount) + " +" + range(edits[start].newLine, newCount) +
               " @@\n";
        for (std::size_t e = start; e < end; ++e) {
            const Edit& edit = edits[e];
            const std::string& line = edit.kind == '+' ? after[edit.newLine] : before[edit.oldLine];
            out += edit.kind + line;
            if (line.empty() || line.back() != '\n') {
                out += "\n\\ No newline at end of file\n";
            }
        }
        any = true;
        k = end;
    }
    // Texts that differ only in what no line shows (an empty file against a missing one).
    return any ? out : out + "@@ -0,0 +0,0 @@\n";
}

} // namespace keepgate::operations

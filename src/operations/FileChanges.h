#pragma once

#include <string>
#include <vector>

#include "operations/Outcome.h"

namespace keepgate::operations {

// What became of one change when it was applied.
struct AppliedChange {
    std::string path;
    bool removal = false;
    bool changed = false;   // the file's bytes differ from before (false: already as wanted, not touched)
    bool written = false;   // the change is on disk now
    bool needsRoot = false; // this user's rights do not reach the file
    std::string error;      // why it was not written
};

class FileChanges {
  public:
    // Writes every change whose bytes differ, each atomically and in order; a file this user may not write
    // is left alone and named, or, with `administratorRights`, installed through the privileged copy.
    static std::vector<AppliedChange> apply(const std::vector<FileChange>& changes, bool administratorRights);

    // The unified diff ("--- path", "+++ path", hunks with three lines of context) that turns `before`
    // into `after`; empty when they are equal. An absent side is /dev/null.
    static std::string unifiedDiff(const FileChange& change);
};

} // namespace keepgate::operations

#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "services/ServerCheck.h"
#include "ui/Controls.h"

namespace keepgate {

class Controller;
class Directory;

// One server check at a time, off the interface thread: the configuration is read through
// `runInBackground` with the busy indicator moving, and the findings come back on the interface thread,
// unless a newer start voided them or the holder is gone.
class BackgroundCheck {
  public:
    using Handler = std::function<void(std::vector<Finding>)>;

    BackgroundCheck();
    ~BackgroundCheck();
    BackgroundCheck(const BackgroundCheck&) = delete;
    BackgroundCheck& operator=(const BackgroundCheck&) = delete;

    ui::ProgressIndicator* busy = nullptr;

    // Takes the check's inputs now, on the interface thread, and reads the configuration in the background.
    void start(const ServerProfile& profile, const std::string& directory, bool accessFileMode,
               const std::string& userfile, const std::string& groupfile, bool needsGroups,
               bool needsHostRules, const std::string& sharedConfigFile, Handler done);
    bool isRunning() const;

  private:
    struct State;
    std::shared_ptr<State> state_;
};

// The server check report: what stands between the directory being edited and the server enforcing its
// protection, with a fix for what Keepgate can fix, each one asked for first.
class ServerCheckReport {
  public:
    ui::Window* parent = nullptr;
    Directory* directory = nullptr;   // the directory editor whose directory is checked
    Controller* controller = nullptr; // kept for callers; both fixes go through ServerActions
    std::vector<Finding> findings;
    // Told after every refresh, so the window shows the new findings.
    std::function<void()> changed;
    // Moves while a check runs.
    ui::ProgressIndicator* busy = nullptr;

    // Runs the check again for the editor's directory, files, marked groups and host rules, in the
    // background: the findings and `changed` follow on the interface thread.
    void refresh();
    bool isChecking() const { return check_.isRunning(); }
    // Asks whether to fix the finding at `index` with administrator rights; fixes it on "Fix".
    void fix(std::size_t index);
    // Fixes every finding Keepgate can fix, without asking (the user has just asked for it).
    void fixAll();

    // The check's inputs as the directory editor holds them now.
    struct Subject {
        std::string directory, userfile, groupfile, sharedConfigFile;
        bool accessFileMode = true, needsGroups = false, needsHostRules = false;
    };
    static Subject subjectOf(const Directory* directory);
    // The findings' sentences for the editor's directory on a detected server; none where no server was
    // detected, since the shipped paths then describe no server to check.
    static std::vector<std::string> findingsFor(const Directory* directory);
    // The same sentences off the interface thread: each call of the returned function takes the editor's
    // inputs and hands the sentences to its handler later; a newer call voids an older one's answer.
    using SentencesHandler = std::function<void(const std::vector<std::string>&)>;
    static std::function<void(SentencesHandler)> findingsLater(const Directory* directory,
                                                               ui::ProgressIndicator* busy = nullptr);

  private:
    void fixNow(const Finding& finding);
    BackgroundCheck check_;
};

} // namespace keepgate

#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "services/ServerCheck.h"
#include "ui/Controls.h"

namespace keepgate {

class Controller;
class Directory;

// The server check report: what stands between the directory being edited and the server enforcing its
// protection, with a fix for what Keepgate can fix, each one asked for first.
class ServerCheckReport {
  public:
    ui::Window* parent = nullptr;
    Directory* directory = nullptr;   // the directory editor whose directory is checked
    Controller* controller = nullptr; // for the include amendment
    std::vector<Finding> findings;
    // Told after every refresh, so the window shows the new findings.
    std::function<void()> changed;

    // Runs the check again for the editor's directory, files, marked groups and host rules.
    void refresh();
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

  private:
    void fixNow(const Finding& finding);
};

} // namespace keepgate

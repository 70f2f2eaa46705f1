#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace keepgate {

class Controller;
class Directory;
class Group;

// One picture of each file: the user file, the group file and the protection block may be open in more
// than one editor, and another program may change them. After every action, and whenever the platform's
// file watch reports, the files the editors show are compared with what was last seen; each editor that
// shows a changed file, other than the one whose action changed it, shows it anew.
class OpenFiles {
  public:
    enum class Editor { None, Users, Groups, Directory };

    Controller* controller = nullptr;
    Group* group = nullptr;
    Directory* directory = nullptr;

    // Compares the open files with what was last seen and tells the editors that show a changed one;
    // `source` is the editor whose action just ran (it shows its own change already). Then watches the
    // files open now.
    void check(Editor source = Editor::None);
    // Installs itself as the receiver of the platform's file watch.
    void startWatching();

  private:
    // Inode, size and modification time to the nanosecond: an atomic rewrite always changes one.
    std::map<std::string, std::optional<platform::FileIdentity>> seen_;
};

} // namespace keepgate

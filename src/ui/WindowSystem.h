#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace keepgate::ui {

struct OpenPanelOptions {
    bool canChooseFiles = true;
    bool canChooseDirectories = false;
    bool allowsMultipleSelection = false;
    std::string directory; // where the panel starts
    std::string file;      // the file proposed, or empty
    std::string title{};   // says what the panel chooses; empty: the window system's own
};

struct SavePanelOptions {
    std::string directory;
    std::string file; // the proposed name
    // Ask before an existing file is chosen, since it will be replaced; off where choosing one opens it.
    bool confirmReplace = true;
    std::string title{};
};

// End handler of a panel: return code 1 for OK, 0 for cancel, and the chosen paths.
using PanelHandler = std::function<void(int returnCode, const std::vector<std::string>& filenames)>;
// End handler of an alert: return code 1 for the default button, 0 for the alternate one, -1 for the other.
using AlertHandler = std::function<void(int returnCode)>;

// The sheet that asks for a user name and password to try a protected address with.
struct CredentialSpec {
    std::string title;
    std::string message;
    std::string username; // proposed
    std::string defaultButton = "OK";
    std::string alternateButton = "Cancel";
};
// End handler of a credential sheet: return code 1 for the default button, and what was typed. The
// password lives in memory only; the handler must not store it.
using CredentialHandler =
    std::function<void(int returnCode, const std::string& username, const std::string& password)>;

struct AlertSpec {
    std::string title;
    std::string message; // shown literally
    std::string defaultButton = "OK";
    std::string alternateButton; // empty: no second button
    // The default button destroys something, so the keyboard's default goes to the alternate (Cancel)
    // button; return codes are unchanged.
    bool destructive = false;
    // A third button, between the two; it answers -1.
    std::string otherButton{};
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Sheets on a parent window; they return at once and call the handler when the user answers.
    virtual void beginOpenPanel(const OpenPanelOptions& options, Window* parent, PanelHandler handler) = 0;
    virtual void beginSavePanel(const SavePanelOptions& options, Window* parent, PanelHandler handler) = 0;
    // An alert sheet on `parent`, or a free-standing alert when `parent` is null; the handler may be empty.
    virtual void beginAlertSheet(const AlertSpec& alert, Window* parent, AlertHandler handler) = 0;

    // Application-modal alerts; they return 1 for the default button, 0 for the alternate one.
    virtual int runAlertPanel(const AlertSpec& alert) = 0;
    virtual int runInformationalAlertPanel(const AlertSpec& alert) = 0;

    virtual void beep() = 0;

    // A short message in the main window's status line; it stays until the next one replaces it.
    virtual void showStatus(const std::string& message) = 0;
    // A sheet on `parent` asking for a user name and a password (typed hidden).
    virtual void beginCredentialSheet(const CredentialSpec& sheet, Window* parent,
                                      CredentialHandler handler) = 0;
    // Runs `work` away from the interface thread, then `completion` on the interface thread, so a slow
    // task never freezes the window. The completion runs even when the caller has lost interest; callers
    // that may be gone by then guard it themselves.
    virtual void runInBackground(std::function<void()> work, std::function<void()> completion) = 0;

    // Workspace.
    virtual bool openURL(const std::string& url) = 0;
    virtual bool openFile(const std::string& path, const std::string& application) = 0;
    virtual std::optional<std::string> pathForResource(const std::string& name, const std::string& type) = 0;
    // Shows an HTML help document in a help window of the application; false where there is none.
    virtual bool showHelp(const std::string& path) {
        (void)path;
        return false;
    }
};

// The application's window system (the Qt one in the program, a headless one in tests).
WindowSystem& windowSystem();
void setWindowSystem(std::shared_ptr<WindowSystem> system);

} // namespace keepgate::ui

#pragma once

#include <functional>
#include <vector>

#include "ui/WindowSystem.h"

class QFileDialog;
class QWidget;

namespace keepgate::qt {

// The window system on Qt: panels and alert sheets are window-modal dialogs opened with open() (real
// sheets on macOS) that call their end handler once when they close.
class QtWindowSystem : public ui::WindowSystem {
  public:
    void beginOpenPanel(const ui::OpenPanelOptions& options, ui::Window* parent,
                        ui::PanelHandler handler) override;
    void beginSavePanel(const ui::SavePanelOptions& options, ui::Window* parent,
                        ui::PanelHandler handler) override;
    void beginAlertSheet(const ui::AlertSpec& alert, ui::Window* parent, ui::AlertHandler handler) override;
    int runAlertPanel(const ui::AlertSpec& alert) override;
    int runInformationalAlertPanel(const ui::AlertSpec& alert) override;
    void beep() override;
    bool openURL(const std::string& url) override;
    bool openFile(const std::string& path, const std::string& application) override;
    std::optional<std::string> pathForResource(const std::string& name, const std::string& type) override;
    // The help window: a QTextBrowser that follows the document's own links and opens web links outside.
    bool showHelp(const std::string& path) override;
    // Shown in the status bar of every main window (there is one in the program).
    void showStatus(const std::string& message) override;
    void beginCredentialSheet(const ui::CredentialSpec& sheet, ui::Window* parent,
                              ui::CredentialHandler handler) override;
    // On the application's thread pool, which is drained before the program exits.
    void runInBackground(std::function<void()> work, std::function<void()> completion) override;

    // Runs after every end handler, so windows can refresh what a handler changed behind their back.
    void addSheetObserver(std::function<void()> observer) { observers_.push_back(std::move(observer)); }

  private:
    // Shows a file panel as a sheet on `parent` and answers its handler once, when it closes.
    void openPanel(QFileDialog* dialog, const std::string& proposedFile, ui::Window* parent,
                   ui::PanelHandler handler);
    void ended();
    static QWidget* widgetOf(ui::Window* window);

    std::vector<std::function<void()>> observers_;
};

} // namespace keepgate::qt

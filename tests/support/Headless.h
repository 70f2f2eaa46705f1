#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ui/Controls.h"
#include "ui/WindowSystem.h"

// The headless realisation of the window system: widgets hold their state, and the window system
// records every sheet, alert and beep so a test can see them and answer them.
namespace keepgate::headless {

class Window : public ui::Window {
public:
    void makeKeyAndOrderFront() override {
        visible = true;
        ++frontCount;
    }
    void orderOut() override { visible = false; }
    bool isVisible() const override { return visible; }
    bool visible = false;
    int frontCount = 0;
};

class TextField : public ui::TextField {
public:
    explicit TextField(bool editable = false) : editable(editable) {}
    std::string stringValue() const override { return text; }
    void setStringValue(const std::string& value) override { text = value; }
    bool isEditable() const override { return editable; }
    void setEditable(bool value) override { editable = value; }
    void selectText() override { ++selectCount; }
    void setPlaceholderString(const std::string& value) override { placeholder = value; }
    std::string text;
    std::string placeholder;
    bool editable;
    int selectCount = 0;
};

class Button : public ui::Button {
public:
    explicit Button(bool enabled = false, int state = 0) : enabled(enabled), buttonState(state) {}
    bool isEnabled() const override { return enabled; }
    void setEnabled(bool value) override { enabled = value; }
    int state() const override { return buttonState; }
    void setState(int value) override { buttonState = value; }
    bool enabled;
    int buttonState;
};

class TableView : public ui::TableView {
public:
    void setDataSource(ui::TableDataSource* source) override { dataSource = source; }
    void reloadData() override { ++reloadCount; }
    int selectedRow() const override { return selection.empty() ? -1 : lastSelected; }
    std::vector<int> selectedRowIndexes() const override { return {selection.begin(), selection.end()}; }
    void deselectAll() override { selection.clear(); }
    void setCheckBoxCell(const std::string& column, std::shared_ptr<ui::CheckBoxCell> cell) override {
        cells[column] = std::move(cell);
    }
    std::shared_ptr<ui::CheckBoxCell> checkBoxCell(const std::string& column) const override;

    // What the user sees and does.
    int rowCount() const;
    Value cell(const std::string& column, int row) const;
    std::vector<std::string> columnTexts(const std::string& column) const;
    void selectRows(const std::vector<int>& rows);
    // Clicks the check box of a row the way the toolkit does: the row becomes selected, the new state
    // goes to the data source, then the cell's action runs. Returns false when the box is disabled.
    bool clickCheckBox(int row, const std::string& column = "check");
    // Edits a cell as the user would by typing into it.
    void editCell(const Value& value, const std::string& column, int row);

    ui::TableDataSource* dataSource = nullptr;
    std::set<int> selection;
    int lastSelected = -1;
    int reloadCount = 0;
    std::map<std::string, std::shared_ptr<ui::CheckBoxCell>> cells;
};

class OutlineView : public ui::OutlineView {
public:
    void setDataSource(ui::OutlineDataSource* source) override { dataSource = source; }
    void reloadData() override { ++reloadCount; }
    std::vector<int> selectedRowIndexes() const override { return {selection.begin(), selection.end()}; }
    ui::OutlineItem itemAtRow(int row) const override;
    void deselectAll() override { selection.clear(); }

    // Every item is shown expanded: groups, each followed by its members.
    std::vector<ui::OutlineItem> visibleItems() const;
    // One line per row: the title, indented by two blanks per level.
    std::vector<std::string> rows(const std::string& column = "TITLE") const;
    void selectRows(const std::vector<int>& rows) { selection = {rows.begin(), rows.end()}; }

    ui::OutlineDataSource* dataSource = nullptr;
    std::set<int> selection;
    int reloadCount = 0;
};

class PopUpButton : public ui::PopUpButton {
public:
    void addItemWithTitle(const std::string& title) override;
    void removeItemWithTitle(const std::string& title) override;
    void removeItemAtIndex(int index) override;
    void removeAllItems() override {
        items.clear();
        selected = -1;
    }
    int indexOfSelectedItem() const override { return selected; }
    void selectItemAtIndex(int index) override { selectItem(index); }
    std::vector<std::string> itemTitles() const override { return items; }
    bool isEnabled() const override { return enabled; }
    void setEnabled(bool value) override { enabled = value; }
    void selectItem(int index) { selected = index; }
    std::vector<std::string> items;
    int selected = -1;
    bool enabled = false;
};

class TabView : public ui::TabView {
public:
    void selectFirstTabViewItem() override {
        selected = 0;
        ++selectFirstCount;
    }
    int indexOfSelectedTabViewItem() const override { return selected; }
    int selected = 0;
    int selectFirstCount = 0;
};

class ProgressIndicator : public ui::ProgressIndicator {
public:
    void startAnimation() override {
        animating = true;
        ++startCount;
    }
    void stopAnimation() override { animating = false; }
    bool isAnimating() const override { return animating; }
    bool animating = false;
    int startCount = 0;
};

enum class SheetKind { OpenPanel, SavePanel, Alert, Credentials };

struct Sheet {
    SheetKind kind = SheetKind::Alert;
    ui::OpenPanelOptions openOptions;
    ui::SavePanelOptions saveOptions;
    ui::AlertSpec alert;
    ui::CredentialSpec credentials;
    ui::Window* parent = nullptr;
    ui::PanelHandler panelHandler;
    ui::AlertHandler alertHandler;
    ui::CredentialHandler credentialHandler;
};

enum class AlertKind { Sheet, Modal, Informational };

struct ShownAlert {
    AlertKind kind = AlertKind::Sheet;
    ui::AlertSpec alert;
    ui::Window* parent = nullptr;
};

// Background work runs on real threads, as in the window; completions wait until the test delivers them
// (deliverCompletions), the way the interface thread picks them up between events.
class WindowSystem : public ui::WindowSystem {
public:
    ~WindowSystem() override;
    void beginOpenPanel(const ui::OpenPanelOptions& options, ui::Window* parent, ui::PanelHandler handler) override;
    void beginSavePanel(const ui::SavePanelOptions& options, ui::Window* parent, ui::PanelHandler handler) override;
    void beginAlertSheet(const ui::AlertSpec& alert, ui::Window* parent, ui::AlertHandler handler) override;
    int runAlertPanel(const ui::AlertSpec& alert) override;
    int runInformationalAlertPanel(const ui::AlertSpec& alert) override;
    void beep() override { ++beepCount; }
    bool openURL(const std::string& url) override {
        openedURLs.push_back(url);
        return true;
    }
    bool openFile(const std::string& path, const std::string& application) override {
        openedFiles.emplace_back(path, application);
        return true;
    }
    std::optional<std::string> pathForResource(const std::string& name, const std::string& type) override;
    bool showHelp(const std::string& path) override {
        if (helpWindow) {
            helpShown.push_back(path);
        }
        return helpWindow;
    }
    void showStatus(const std::string& message) override { statusMessages.push_back(message); }
    void beginCredentialSheet(const ui::CredentialSpec& sheet, ui::Window* parent,
                              ui::CredentialHandler handler) override;
    void runInBackground(std::function<void()> work, std::function<void()> completion) override;

    // The status line as the window shows it now: the newest message, or empty.
    std::string statusLine() const { return statusMessages.empty() ? std::string() : statusMessages.back(); }
    // Waits for every background task started so far, then runs their completions in the order the
    // tasks were started (as many as were started; completions that start new tasks wait for the next call).
    // Returns how many completions ran.
    int deliverCompletions();
    // Answers the oldest pending sheet, which must be a credential sheet.
    void answerCredentials(int returnCode, const std::string& username, const std::string& password);

    bool hasPendingSheet() const { return !pending.empty(); }
    // The oldest sheet not yet answered; fails the test when there is none.
    const Sheet& pendingSheet() const;
    // Answers the oldest pending sheet (an alert with its return code, a panel with the code and paths).
    void answer(int returnCode, const std::vector<std::string>& paths = {});
    // Answers the application-modal alerts to come, in order; without a queued answer they return 1.
    void queueModalAnswer(int returnCode) { modalAnswers.push_back(returnCode); }
    // Alert texts shown so far, of every kind.
    std::vector<std::string> alertTitles() const;

    std::deque<Sheet> pending;
    std::vector<Sheet> sheetsShown;
    std::vector<ShownAlert> alerts;
    std::deque<int> modalAnswers;
    int beepCount = 0;
    std::vector<std::string> openedURLs;
    std::vector<std::pair<std::string, std::string>> openedFiles;
    std::map<std::string, std::string> resources; // "name.type" -> path
    std::vector<std::string> statusMessages;
    int backgroundStarted = 0;
    bool helpWindow = true; // whether showHelp has a help window to show in
    std::vector<std::string> helpShown;

private:
    struct Task {
        std::thread thread;
        std::function<void()> completion;
    };
    std::deque<Task> tasks_;
};

} // namespace keepgate::headless

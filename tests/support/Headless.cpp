#include "support/Headless.h"

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

namespace keepgate::headless {

std::shared_ptr<ui::CheckBoxCell> TableView::checkBoxCell(const std::string& column) const {
    const auto it = cells.find(column);
    return it == cells.end() ? nullptr : it->second;
}

int TableView::rowCount() const { return dataSource ? dataSource->numberOfRowsInTableView() : 0; }

Value TableView::cell(const std::string& column, int row) const {
    return dataSource->objectValueForTableColumn(column, row);
}

std::vector<std::string> TableView::columnTexts(const std::string& column) const {
    std::vector<std::string> texts;
    const int count = rowCount();
    for (int row = 0; row < count; ++row) {
        texts.push_back(cell(column, row).text());
    }
    return texts;
}

void TableView::selectRows(const std::vector<int>& rows) {
    selection = {rows.begin(), rows.end()};
    lastSelected = rows.empty() ? -1 : rows.back();
}

bool TableView::clickCheckBox(int row, const std::string& column) {
    const auto checkCell = checkBoxCell(column);
    if (!checkCell || !checkCell->enabled) {
        return false;
    }
    selectRows({row});
    const int newState = isMarked(cell(column, row)) ? 0 : 1;
    dataSource->setObjectValue(Value(newState), column, row);
    if (checkCell->action) {
        checkCell->action(*this);
    }
    return true;
}

void TableView::editCell(const Value& value, const std::string& column, int row) {
    dataSource->setObjectValue(value, column, row);
}

std::vector<ui::OutlineItem> OutlineView::visibleItems() const {
    std::vector<ui::OutlineItem> items;
    if (!dataSource) {
        return items;
    }
    std::function<void(ui::OutlineItem)> walk = [&](ui::OutlineItem parent) {
        const int count = dataSource->numberOfChildrenOfItem(parent);
        for (int i = 0; i < count; ++i) {
            ui::OutlineItem item = dataSource->child(i, parent);
            items.push_back(item);
            if (dataSource->isItemExpandable(item)) {
                walk(item);
            }
        }
    };
    walk(nullptr);
    return items;
}

ui::OutlineItem OutlineView::itemAtRow(int row) const {
    const auto items = visibleItems();
    return row >= 0 && row < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(row)] : nullptr;
}

std::vector<std::string> OutlineView::rows(const std::string& column) const {
    std::vector<std::string> lines;
    if (!dataSource) {
        return lines;
    }
    std::function<void(ui::OutlineItem, int)> walk = [&](ui::OutlineItem parent, int level) {
        const int count = dataSource->numberOfChildrenOfItem(parent);
        for (int i = 0; i < count; ++i) {
            ui::OutlineItem item = dataSource->child(i, parent);
            lines.push_back(std::string(static_cast<std::size_t>(level) * 2, ' ') +
                            dataSource->objectValueForTableColumn(column, item).text());
            if (dataSource->isItemExpandable(item)) {
                walk(item, level + 1);
            }
        }
    };
    walk(nullptr, 0);
    return lines;
}

void PopUpButton::addItemWithTitle(const std::string& title) {
    items.push_back(title);
    if (selected < 0) {
        selected = 0;
    }
}

void PopUpButton::removeItemWithTitle(const std::string& title) {
    const auto it = std::find(items.begin(), items.end(), title);
    if (it != items.end()) {
        removeItemAtIndex(static_cast<int>(it - items.begin()));
    }
}

void PopUpButton::removeItemAtIndex(int index) {
    if (index < 0 || index >= static_cast<int>(items.size())) {
        return;
    }
    items.erase(items.begin() + index);
    if (items.empty()) {
        selected = -1;
    } else if (index < selected || selected >= static_cast<int>(items.size())) {
        selected = std::max(0, selected - 1);
    }
}

void WindowSystem::beginOpenPanel(const ui::OpenPanelOptions& options, ui::Window* parent,
                                  ui::PanelHandler handler) {
    Sheet sheet;
    sheet.kind = SheetKind::OpenPanel;
    sheet.openOptions = options;
    sheet.parent = parent;
    sheet.panelHandler = std::move(handler);
    sheetsShown.push_back(sheet);
    pending.push_back(std::move(sheet));
}

void WindowSystem::beginSavePanel(const ui::SavePanelOptions& options, ui::Window* parent,
                                  ui::PanelHandler handler) {
    Sheet sheet;
    sheet.kind = SheetKind::SavePanel;
    sheet.saveOptions = options;
    sheet.parent = parent;
    sheet.panelHandler = std::move(handler);
    sheetsShown.push_back(sheet);
    pending.push_back(std::move(sheet));
}

void WindowSystem::beginAlertSheet(const ui::AlertSpec& alert, ui::Window* parent, ui::AlertHandler handler) {
    Sheet sheet;
    sheet.kind = SheetKind::Alert;
    sheet.alert = alert;
    sheet.parent = parent;
    sheet.alertHandler = std::move(handler);
    alerts.push_back({AlertKind::Sheet, alert, parent});
    sheetsShown.push_back(sheet);
    pending.push_back(std::move(sheet));
}

int WindowSystem::runAlertPanel(const ui::AlertSpec& alert) {
    alerts.push_back({AlertKind::Modal, alert, nullptr});
    if (modalAnswers.empty()) {
        return 1;
    }
    const int answer = modalAnswers.front();
    modalAnswers.pop_front();
    return answer;
}

int WindowSystem::runInformationalAlertPanel(const ui::AlertSpec& alert) {
    alerts.push_back({AlertKind::Informational, alert, nullptr});
    if (modalAnswers.empty()) {
        return 1;
    }
    const int answer = modalAnswers.front();
    modalAnswers.pop_front();
    return answer;
}

WindowSystem::~WindowSystem() {
    for (auto& task : tasks_) {
        if (task.thread.joinable()) {
            task.thread.join();
        }
    }
}

void WindowSystem::beginCredentialSheet(const ui::CredentialSpec& credentials, ui::Window* parent,
                                        ui::CredentialHandler handler) {
    Sheet sheet;
    sheet.kind = SheetKind::Credentials;
    sheet.credentials = credentials;
    sheet.parent = parent;
    sheet.credentialHandler = std::move(handler);
    sheetsShown.push_back(sheet);
    pending.push_back(std::move(sheet));
}

void WindowSystem::runInBackground(std::function<void()> work, std::function<void()> completion) {
    ++backgroundStarted;
    tasks_.push_back({std::thread(std::move(work)), std::move(completion)});
}

int WindowSystem::deliverCompletions() {
    std::deque<Task> due;
    due.swap(tasks_);
    int delivered = 0;
    for (auto& task : due) {
        task.thread.join();
        if (task.completion) {
            task.completion();
        }
        ++delivered;
    }
    return delivered;
}

void WindowSystem::answerCredentials(int returnCode, const std::string& username,
                                     const std::string& password) {
    if (pending.empty() || pending.front().kind != SheetKind::Credentials) {
        ADD_FAILURE() << "answerCredentials but no credential sheet is pending";
        return;
    }
    Sheet sheet = std::move(pending.front());
    pending.pop_front();
    if (sheet.credentialHandler) {
        sheet.credentialHandler(returnCode, username, password);
    }
}

std::optional<std::string> WindowSystem::pathForResource(const std::string& name, const std::string& type) {
    const auto it = resources.find(name + "." + type);
    if (it == resources.end()) {
        return std::nullopt;
    }
    return it->second;
}

const Sheet& WindowSystem::pendingSheet() const {
    if (pending.empty()) {
        ADD_FAILURE() << "no sheet is pending";
        static const Sheet none;
        return none;
    }
    return pending.front();
}

void WindowSystem::answer(int returnCode, const std::vector<std::string>& paths) {
    if (pending.empty()) {
        ADD_FAILURE() << "answer(" << returnCode << ") but no sheet is pending";
        return;
    }
    Sheet sheet = std::move(pending.front());
    pending.pop_front();
    if (sheet.kind == SheetKind::Alert) {
        if (sheet.alertHandler) {
            sheet.alertHandler(returnCode);
        }
    } else if (sheet.kind == SheetKind::Credentials) {
        if (sheet.credentialHandler) {
            sheet.credentialHandler(returnCode, "", "");
        }
    } else if (sheet.panelHandler) {
        sheet.panelHandler(returnCode, paths);
    }
}

std::vector<std::string> WindowSystem::alertTitles() const {
    std::vector<std::string> titles;
    for (const auto& shown : alerts) {
        titles.push_back(shown.alert.title);
    }
    return titles;
}

} // namespace keepgate::headless

#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Value.h"

namespace keepgate::ui {

class Window {
public:
    virtual ~Window() = default;
    // Brings the window to the front as the key window.
    virtual void makeKeyAndOrderFront() = 0;
    // Closes (orders out) the window.
    virtual void orderOut() = 0;
    virtual bool isVisible() const = 0;
};

class TextField {
public:
    virtual ~TextField() = default;
    virtual std::string stringValue() const = 0;
    virtual void setStringValue(const std::string& text) = 0;
    virtual bool isEditable() const = 0;
    virtual void setEditable(bool editable) = 0;
    // Selects the whole text and takes the keyboard focus.
    virtual void selectText() = 0;
    // The grey text an empty field shows, saying what belongs there or why it is empty.
    virtual void setPlaceholderString(const std::string& text) { (void)text; }
};

// A push button, check box or radio button; state 1 is on, 0 is off.
class Button {
public:
    virtual ~Button() = default;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual int state() const = 0;
    virtual void setState(int state) = 0;
};

class TableView;

// The check-box cell that draws and takes the clicks of a table's check-box column. Each row's box
// shows the row's value; a click stores the new state through the data source, then runs the action.
struct CheckBoxCell {
    bool enabled = true;
    int state = 1;
    std::function<void(TableView& sender)> action;
};

class TableDataSource {
public:
    virtual ~TableDataSource() = default;
    virtual int numberOfRowsInTableView() = 0;
    virtual Value objectValueForTableColumn(const std::string& column, int row) = 0;
    // Stores an edited cell; a table whose cells cannot be edited keeps the default.
    virtual void setObjectValue(const Value& value, const std::string& column, int row) {
        (void)value;
        (void)column;
        (void)row;
    }
};

class TableView {
public:
    virtual ~TableView() = default;
    virtual void setDataSource(TableDataSource* dataSource) = 0;
    virtual void reloadData() = 0;
    // The selected row, or -1 when none is; with several selected, the last one the user selected.
    virtual int selectedRow() const = 0;
    // The selected row indexes in ascending order.
    virtual std::vector<int> selectedRowIndexes() const = 0;
    int numberOfSelectedRows() const { return static_cast<int>(selectedRowIndexes().size()); }
    virtual void deselectAll() = 0;
    // Makes `cell` the data cell of the column with this identifier (the column then shows check boxes).
    virtual void setCheckBoxCell(const std::string& column, std::shared_ptr<CheckBoxCell> cell) = 0;
    virtual std::shared_ptr<CheckBoxCell> checkBoxCell(const std::string& column) const = 0;
};

// Items are the data source's own nodes, passed through as opaque pointers; nullptr is the root.
using OutlineItem = void*;

class OutlineDataSource {
public:
    virtual ~OutlineDataSource() = default;
    virtual int numberOfChildrenOfItem(OutlineItem item) = 0;
    virtual bool isItemExpandable(OutlineItem item) = 0;
    virtual OutlineItem child(int index, OutlineItem item) = 0;
    virtual Value objectValueForTableColumn(const std::string& column, OutlineItem item) = 0;
};

class OutlineView {
public:
    virtual ~OutlineView() = default;
    virtual void setDataSource(OutlineDataSource* dataSource) = 0;
    virtual void reloadData() = 0;
    // Rows count the visible items top to bottom, members under their (expanded) groups.
    virtual std::vector<int> selectedRowIndexes() const = 0;
    virtual OutlineItem itemAtRow(int row) const = 0;
    virtual void deselectAll() = 0;
};

class PopUpButton {
public:
    virtual ~PopUpButton() = default;
    virtual void addItemWithTitle(const std::string& title) = 0;
    // Removes the first entry with this title.
    virtual void removeItemWithTitle(const std::string& title) = 0;
    // Removes the entry at an index; titles may repeat, so this is how a list that mirrors records is kept.
    virtual void removeItemAtIndex(int index) = 0;
    virtual void removeAllItems() = 0;
    // The index of the chosen entry, or -1 when the list is empty.
    virtual int indexOfSelectedItem() const = 0;
    // Chooses the entry at an index, as a click on it would.
    virtual void selectItemAtIndex(int index) = 0;
    virtual std::vector<std::string> itemTitles() const = 0;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
};

class TabView {
public:
    virtual ~TabView() = default;
    virtual void selectFirstTabViewItem() = 0;
    virtual int indexOfSelectedTabViewItem() const = 0;
};

// A busy indicator: shown and moving while work runs, hidden otherwise.
class ProgressIndicator {
public:
    virtual ~ProgressIndicator() = default;
    virtual void startAnimation() = 0;
    virtual void stopAnimation() = 0;
    virtual bool isAnimating() const = 0;
};

} // namespace keepgate::ui

#include "qt/QtTableView.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <algorithm>
#include <set>

#include "qt/ChoiceDelegate.h"

namespace keepgate::qt {

QtTableView::QtTableView(std::vector<TableColumn> columns, QWidget* parent) : view_(new QTableView(parent)) {
    model_ = new TableModel(*this, columns, view_);
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                           QAbstractItemView::EditKeyPressed);
    view_->setAlternatingRowColors(true);
    view_->setShowGrid(false);
    view_->setWordWrap(false);
    // Fixed row heights keep a long list lazy: nothing measures rows that are not on screen.
    view_->verticalHeader()->setVisible(false);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 8);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->horizontalHeader()->setHighlightSections(false);
    view_->viewport()->installEventFilter(model_);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int section = static_cast<int>(i);
        if (columns[i].editing == TableColumn::Editing::Choice) {
            view_->setItemDelegateForColumn(section, new ChoiceDelegate(columns[i].choices, view_));
            view_->setColumnWidth(section, 90);
        }
        if (columns[i].identifier == "check") {
            view_->setColumnWidth(section, 36);
        }
    }
}

int QtTableView::selectedRow() const {
    const QItemSelectionModel* selection = view_ ? view_->selectionModel() : nullptr;
    if (!selection) {
        return -1;
    }
    const QModelIndex current = selection->currentIndex();
    const std::vector<int> rows = selectedRowIndexes();
    if (current.isValid() && std::binary_search(rows.begin(), rows.end(), current.row())) {
        return current.row();
    }
    return rows.empty() ? -1 : rows.back();
}

std::vector<int> QtTableView::selectedRowIndexes() const {
    std::set<int> rows;
    if (const QItemSelectionModel* selection = view_ ? view_->selectionModel() : nullptr) {
        for (const QModelIndex& index : selection->selectedIndexes()) {
            rows.insert(index.row());
        }
    }
    return {rows.begin(), rows.end()};
}

void QtTableView::deselectAll() {
    if (view_ && view_->selectionModel()) {
        view_->selectionModel()->clearSelection();
    }
}

} // namespace keepgate::qt

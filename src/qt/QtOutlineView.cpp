#include "qt/QtOutlineView.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <algorithm>

namespace keepgate::qt {

QtOutlineView::QtOutlineView(const std::string& column, const QString& title, QWidget* parent)
    : view_(new QTreeView(parent)) {
    model_ = new OutlineModel(column, title, view_);
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setUniformRowHeights(true);
    view_->setAlternatingRowColors(true);
    view_->header()->setStretchLastSection(true);
}

void QtOutlineView::reloadData() {
    model_->reload();
    if (view_) {
        view_->expandAll();
    }
}

std::vector<QModelIndex> QtOutlineView::visibleRows() const {
    std::vector<QModelIndex> rows;
    if (!view_) {
        return rows;
    }
    for (QModelIndex index = model_->index(0, 0); index.isValid(); index = view_->indexBelow(index)) {
        rows.push_back(index);
    }
    return rows;
}

std::vector<int> QtOutlineView::selectedRowIndexes() const {
    std::vector<int> selected;
    const QItemSelectionModel* selection = view_ ? view_->selectionModel() : nullptr;
    if (!selection) {
        return selected;
    }
    const std::vector<QModelIndex> rows = visibleRows();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (selection->isSelected(rows[row])) {
            selected.push_back(static_cast<int>(row));
        }
    }
    return selected;
}

ui::OutlineItem QtOutlineView::itemAtRow(int row) const {
    const std::vector<QModelIndex> rows = visibleRows();
    return row >= 0 && row < static_cast<int>(rows.size())
               ? OutlineModel::itemOf(rows[static_cast<std::size_t>(row)])
               : nullptr;
}

void QtOutlineView::deselectAll() {
    if (!view_ || !view_->selectionModel()) {
        return;
    }
    // The data source clears the selection right after deleting nodes and before it reloads; the view must
    // not look at the deleted nodes in between, so it is only told to redraw.
    {
        const QSignalBlocker quiet(view_->selectionModel());
        view_->selectionModel()->clearSelection();
    }
    view_->viewport()->update();
}

} // namespace keepgate::qt

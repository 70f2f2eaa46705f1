#include "qt/OutlineModel.h"

#include "qt/QtString.h"

namespace keepgate::qt {

OutlineModel::OutlineModel(std::string column, QString title, QObject* parent)
    : QAbstractItemModel(parent), column_(std::move(column)), title_(std::move(title)) {}

void OutlineModel::setDataSource(ui::OutlineDataSource* dataSource) {
    dataSource_ = dataSource;
    reload();
}

void OutlineModel::reload() {
    beginResetModel();
    // The nodes may be gone after a reload; the notes about them go too.
    places_.clear();
    endResetModel();
}

QModelIndex OutlineModel::index(int row, int column, const QModelIndex& parent) const {
    if (!dataSource_ || row < 0 || column != 0 || (parent.isValid() && parent.column() != 0)) {
        return {};
    }
    ui::OutlineItem parentItem = itemOf(parent);
    if (row >= dataSource_->numberOfChildrenOfItem(parentItem)) {
        return {};
    }
    ui::OutlineItem item = dataSource_->child(row, parentItem);
    if (!item) {
        return {};
    }
    places_[item] = Place{parentItem, row};
    return createIndex(row, column, item);
}

QModelIndex OutlineModel::parent(const QModelIndex& child) const {
    const auto it = places_.find(itemOf(child));
    if (!child.isValid() || it == places_.end() || !it->second.parent) {
        return {};
    }
    const auto parentPlace = places_.find(it->second.parent);
    const int row = parentPlace == places_.end() ? 0 : parentPlace->second.row;
    return createIndex(row, 0, it->second.parent);
}

int OutlineModel::rowCount(const QModelIndex& parent) const {
    if (!dataSource_ || (parent.isValid() && parent.column() != 0)) {
        return 0;
    }
    return std::max(0, dataSource_->numberOfChildrenOfItem(itemOf(parent)));
}

int OutlineModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() && parent.column() != 0 ? 0 : 1;
}

bool OutlineModel::hasChildren(const QModelIndex& parent) const {
    if (!dataSource_ || (parent.isValid() && parent.column() != 0)) {
        return false;
    }
    if (!parent.isValid()) {
        return dataSource_->numberOfChildrenOfItem(nullptr) > 0;
    }
    // A group without members answers no, so the view draws no disclosure control for it.
    return dataSource_->isItemExpandable(itemOf(parent)) && rowCount(parent) > 0;
}

QVariant OutlineModel::data(const QModelIndex& index, int role) const {
    if (!dataSource_ || !index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return toQString(dataSource_->objectValueForTableColumn(column_, itemOf(index)).text());
}

QVariant OutlineModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        return title_;
    }
    return {};
}

} // namespace keepgate::qt

#include "qt/TableModel.h"

#include <QEvent>
#include <QTimer>
#include <stdexcept>

#include "qt/QtString.h"

namespace keepgate::qt {

namespace {
// Counts nested calls so re-entrant requests can be recognised.
class Nesting {
  public:
    explicit Nesting(int& depth) : depth_(depth) { ++depth_; }
    ~Nesting() { --depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

  private:
    int& depth_;
};
} // namespace

TableModel::TableModel(ui::TableView& owner, std::vector<TableColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), owner_(owner), columns_(std::move(columns)) {}

void TableModel::setDataSource(ui::TableDataSource* dataSource) {
    dataSource_ = dataSource;
    reload();
}

int TableModel::columnIndex(const std::string& identifier) const {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i].identifier == identifier) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TableModel::setCheckBoxCell(const std::string& column, std::shared_ptr<ui::CheckBoxCell> cell) {
    cells_[column] = std::move(cell);
    const int index = columnIndex(column);
    if (index >= 0 && rows_ > 0) {
        emit dataChanged(this->index(0, index), this->index(rows_ - 1, index));
    }
}

std::shared_ptr<ui::CheckBoxCell> TableModel::checkBoxCell(const std::string& column) const {
    const auto it = cells_.find(column);
    return it == cells_.end() ? nullptr : it->second;
}

int TableModel::liveRowCount() const {
    if (!dataSource_) {
        return 0;
    }
    Nesting answering(answeringCount_);
    return std::max(0, dataSource_->numberOfRowsInTableView());
}

void TableModel::reload() {
    if (answeringCount_ > 0) {
        return;
    }
    if (inCallback_ > 0) {
        scheduleReset();
        return;
    }
    resetNow();
}

void TableModel::resetNow() {
    resetScheduled_ = false;
    beginResetModel();
    rows_ = liveRowCount();
    endResetModel();
}

void TableModel::scheduleReset() {
    if (resetScheduled_) {
        return;
    }
    resetScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        if (resetScheduled_) {
            resetNow();
        }
    });
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!dataSource_ || !index.isValid() || index.row() >= rows_ ||
        index.column() >= static_cast<int>(columns_.size())) {
        return {};
    }
    const TableColumn& column = columns_[static_cast<std::size_t>(index.column())];
    const bool checkBox = cells_.count(column.identifier) != 0;
    // A check box has no text of its own: a screen reader names it by the row's first text column.
    if (checkBox && role == Qt::AccessibleTextRole) {
        for (std::size_t other = 0; other < columns_.size(); ++other) {
            if (cells_.count(columns_[other].identifier) == 0) {
                return data(index.siblingAtColumn(static_cast<int>(other)), Qt::DisplayRole);
            }
        }
        return {};
    }
    const bool wanted =
        checkBox ? role == Qt::CheckStateRole : (role == Qt::DisplayRole || role == Qt::EditRole);
    // The list may have shrunk since the last reset; never ask for a row the data source no longer has.
    if (!wanted) {
        return {};
    }
    if (index.row() >= liveRowCount()) {
        const_cast<TableModel*>(this)->scheduleReset();
        return {};
    }
    Nesting callback(inCallback_);
    const Value value = dataSource_->objectValueForTableColumn(column.identifier, index.row());
    if (checkBox) {
        return isMarked(value) ? Qt::Checked : Qt::Unchecked;
    }
    return toQString(value.text());
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!dataSource_ || !index.isValid() || index.row() >= rows_) {
        return false;
    }
    if (index.row() >= liveRowCount()) {
        scheduleReset();
        return false;
    }
    const TableColumn& column = columns_[static_cast<std::size_t>(index.column())];
    const auto cell = checkBoxCell(column.identifier);
    Nesting callback(inCallback_);
    try {
        if (role == Qt::CheckStateRole && cell) {
            if (!cell->enabled) {
                return false;
            }
            const int state = value.toInt() == Qt::Checked ? 1 : 0;
            dataSource_->setObjectValue(Value(state), column.identifier, index.row());
            emit dataChanged(index, index, {Qt::CheckStateRole});
            // The cell's action runs after the value is stored, with the table as its sender.
            if (cell->action) {
                cell->action(owner_);
            }
            return true;
        }
        if (role == Qt::EditRole && column.editing != TableColumn::Editing::None && !cell) {
            dataSource_->setObjectValue(Value(fromQString(value.toString())), column.identifier, index.row());
            emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
            return true;
        }
    } catch (const std::invalid_argument&) {
        // The data source refused a row it no longer has; the view shows the list as it is.
        scheduleReset();
    }
    return false;
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.column() >= static_cast<int>(columns_.size())) {
        return Qt::NoItemFlags;
    }
    const TableColumn& column = columns_[static_cast<std::size_t>(index.column())];
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (const auto cell = checkBoxCell(column.identifier)) {
        // A disabled cell draws its boxes greyed and takes no clicks.
        return cell->enabled ? flags | Qt::ItemIsUserCheckable : Qt::ItemIsSelectable;
    }
    if (column.editing != TableColumn::Editing::None) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return section >= 0 && section < static_cast<int>(columns_.size())
                   ? columns_[static_cast<std::size_t>(section)].title
                   : QVariant();
    }
    return section + 1;
}

bool TableModel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && dataSource_ && answeringCount_ == 0 && liveRowCount() != rows_) {
        scheduleReset();
    }
    return QAbstractTableModel::eventFilter(watched, event);
}

} // namespace keepgate::qt

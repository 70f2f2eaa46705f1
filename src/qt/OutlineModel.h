#pragma once

#include <QAbstractItemModel>
#include <string>
#include <unordered_map>

#include "ui/Controls.h"

namespace keepgate::qt {

// Shows a controller's outline data source to a QTreeView. The data source's own nodes are the model
// indexes' internal pointers; the data source knows no parents, so the model notes each child's parent
// and row as it hands out the child's index.
class OutlineModel : public QAbstractItemModel {
    Q_OBJECT
  public:
    OutlineModel(std::string column, QString title, QObject* parent = nullptr);

    void setDataSource(ui::OutlineDataSource* dataSource);
    ui::OutlineDataSource* dataSource() const { return dataSource_; }
    void reload();

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static ui::OutlineItem itemOf(const QModelIndex& index) {
        return index.isValid() ? index.internalPointer() : nullptr;
    }

  private:
    struct Place {
        ui::OutlineItem parent;
        int row;
    };

    std::string column_;
    QString title_;
    ui::OutlineDataSource* dataSource_ = nullptr;
    mutable std::unordered_map<ui::OutlineItem, Place> places_;
};

} // namespace keepgate::qt

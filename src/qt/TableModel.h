#pragma once

#include <QAbstractTableModel>
#include <map>
#include <memory>
#include <vector>

#include "qt/TableColumn.h"
#include "ui/Controls.h"

namespace keepgate::qt {

// Shows a controller's table data source to a QTableView. Cells are asked for by column identifier only
// when the view draws them, so a long list costs nothing until it is scrolled through.
class TableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    TableModel(ui::TableView& owner, std::vector<TableColumn> columns, QObject* parent = nullptr);

    void setDataSource(ui::TableDataSource* dataSource);
    ui::TableDataSource* dataSource() const { return dataSource_; }
    const std::vector<TableColumn>& columns() const { return columns_; }
    int columnIndex(const std::string& identifier) const;

    void setCheckBoxCell(const std::string& column, std::shared_ptr<ui::CheckBoxCell> cell);
    std::shared_ptr<ui::CheckBoxCell> checkBoxCell(const std::string& column) const;

    // Re-reads the row count and redraws. A request made while the data source answers the row count is
    // dropped (some data sources ask for a reload from inside that answer); one made during another
    // answer runs once control returns to the event loop.
    void reload();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  protected:
    // Watches the view's paint events: a list that a data source replaced behind the view's back shows
    // its new length the next time the view draws.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int liveRowCount() const;
    void resetNow();
    void scheduleReset();

    ui::TableView& owner_;
    std::vector<TableColumn> columns_;
    ui::TableDataSource* dataSource_ = nullptr;
    std::map<std::string, std::shared_ptr<ui::CheckBoxCell>> cells_;
    int rows_ = 0;
    mutable int answeringCount_ = 0;
    mutable int inCallback_ = 0;
    bool resetScheduled_ = false;
};

} // namespace keepgate::qt

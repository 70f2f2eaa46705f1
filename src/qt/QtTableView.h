#pragma once

#include <QPointer>
#include <QTableView>

#include "qt/TableModel.h"
#include "ui/Controls.h"

namespace keepgate::qt {

// A QTableView over a TableModel, seen as a table view of the core.
class QtTableView : public ui::TableView {
  public:
    // Makes the view and its model; the view belongs to `parent`.
    QtTableView(std::vector<TableColumn> columns, QWidget* parent = nullptr);

    void setDataSource(ui::TableDataSource* dataSource) override { model_->setDataSource(dataSource); }
    void reloadData() override { model_->reload(); }
    int selectedRow() const override;
    std::vector<int> selectedRowIndexes() const override;
    void deselectAll() override;
    void setCheckBoxCell(const std::string& column, std::shared_ptr<ui::CheckBoxCell> cell) override {
        // With several rows selectable, a press on a selected row would re-select it after the click's
        // action has cleared the selection.
        view_->setSelectionMode(QAbstractItemView::SingleSelection);
        model_->setCheckBoxCell(column, std::move(cell));
    }
    std::shared_ptr<ui::CheckBoxCell> checkBoxCell(const std::string& column) const override {
        return model_->checkBoxCell(column);
    }

    QTableView* widget() const { return view_; }
    TableModel* model() const { return model_; }
    ui::TableDataSource* dataSource() const { return model_->dataSource(); }

  private:
    QPointer<QTableView> view_;
    TableModel* model_;
};

} // namespace keepgate::qt

#pragma once

#include <QPointer>
#include <QTreeView>

#include "qt/OutlineModel.h"
#include "ui/Controls.h"

namespace keepgate::qt {

// A QTreeView over an OutlineModel, seen as an outline view of the core. Rows are counted the way the
// user sees them: top to bottom, members under their expanded groups.
class QtOutlineView : public ui::OutlineView {
  public:
    QtOutlineView(const std::string& column, const QString& title, QWidget* parent = nullptr);

    void setDataSource(ui::OutlineDataSource* dataSource) override { model_->setDataSource(dataSource); }
    // Shows the new tree fully expanded, so every member is in sight under its group.
    void reloadData() override;
    std::vector<int> selectedRowIndexes() const override;
    ui::OutlineItem itemAtRow(int row) const override;
    void deselectAll() override;

    QTreeView* widget() const { return view_; }
    OutlineModel* model() const { return model_; }
    ui::OutlineDataSource* dataSource() const { return model_->dataSource(); }
    // The indexes of the visible rows, top to bottom.
    std::vector<QModelIndex> visibleRows() const;

  private:
    QPointer<QTreeView> view_;
    OutlineModel* model_;
};

} // namespace keepgate::qt

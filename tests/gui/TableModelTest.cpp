#include <QApplication>
#include <QComboBox>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

#include "ModelTester.h"
#include "QtTestApplication.h"
#include "platform/Record.h"
#include "qt/QtTableView.h"

namespace keepgate::testing {
namespace {

using qt::QtTableView;
using qt::TableColumn;

// A table data source that keeps records and counts what the view asks of it.
class RecordSource : public ui::TableDataSource {
  public:
    int numberOfRowsInTableView() override {
        ++rowCountCalls;
        if (reloadWhileCounting && view) {
            view->reloadData(); // as a data source that refreshes its view on every count
        }
        return static_cast<int>(records.size());
    }
    Value objectValueForTableColumn(const std::string& column, int row) override {
        ++cellCalls;
        return records.at(static_cast<std::size_t>(row)).value(column).value_or(Value());
    }
    void setObjectValue(const Value& value, const std::string& column, int row) override {
        if (row < 0 || row >= static_cast<int>(records.size())) {
            throw std::invalid_argument("Invalid parameter not satisfying: row");
        }
        writes.push_back({value, column, row});
        records[static_cast<std::size_t>(row)].setValue(column, value);
    }

    struct Write {
        Value value;
        std::string column;
        int row;
    };
    std::vector<Record> records;
    std::vector<Write> writes;
    int rowCountCalls = 0;
    int cellCalls = 0;
    bool reloadWhileCounting = false;
    ui::TableView* view = nullptr;
};

class TableModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureQtApplication();
        table = std::make_unique<QtTableView>(
            std::vector<TableColumn>{{"check", QString()},
                                     {"username", QStringLiteral("User")},
                                     {"denyallow",
                                      QStringLiteral("Rule"),
                                      TableColumn::Editing::Choice,
                                      {QStringLiteral("Allow"), QStringLiteral("Deny")}},
                                     {"hostnameip", QStringLiteral("Host"), TableColumn::Editing::Text}});
        source.view = table.get();
        for (const char* name : {"alice", "bob", "carol"}) {
            source.records.push_back(Record{{"check", Value("0")},
                                            {"username", Value(name)},
                                            {"denyallow", Value("Deny")},
                                            {"hostnameip", Value("10.0.0.1")}});
        }
        source.records[1].setValue("check", Value("1"));
        cell = std::make_shared<ui::CheckBoxCell>();
        cell->action = [this](ui::TableView& sender) {
            ++actions;
            EXPECT_EQ(&sender, table.get());
            sender.deselectAll();
        };
        table->setCheckBoxCell("check", cell);
        table->setDataSource(&source);
        table->widget()->resize(500, 300);
        table->widget()->show();
        settleEvents();
    }
    void TearDown() override {
        table->setDataSource(nullptr);
        delete table->widget();
    }

    QModelIndex index(int row, const std::string& column) const {
        return table->model()->index(row, table->model()->columnIndex(column));
    }
    // Clicks the middle of a row's check box as the user would.
    void clickCheckBox(int row) {
        QTableView* view = table->widget();
        const QModelIndex at = index(row, "check");
        QStyleOptionViewItem option;
        option.initFrom(view);
        option.rect = view->visualRect(at);
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        const QRect box = view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
        settleEvents();
    }

    RecordSource source;
    std::unique_ptr<QtTableView> table;
    std::shared_ptr<ui::CheckBoxCell> cell;
    int actions = 0;
};

TEST_F(TableModelTest, PassesQtsModelTesterAndShowsCellsByColumnIdentifier) {
    ModelTester tester(table->model());
    table->reloadData();
    source.records.pop_back();
    table->reloadData();
    EXPECT_TRUE(ModelTester::failures().isEmpty()) << ModelTester::failures().join('\n').toStdString();

    QAbstractItemModel* model = table->model();
    EXPECT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->columnCount(), 4);
    EXPECT_EQ(index(1, "username").data().toString(), QStringLiteral("bob"));
    EXPECT_EQ(index(0, "hostnameip").data().toString(), QStringLiteral("10.0.0.1"));
    // A check-box column shows a box, not the text of the mark: "1" is ticked, anything else is not.
    EXPECT_FALSE(index(1, "check").data(Qt::DisplayRole).isValid());
    EXPECT_EQ(index(1, "check").data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(index(0, "check").data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(index(0, "username").data(Qt::CheckStateRole).isValid());
}

TEST_F(TableModelTest, OneClickOnACheckBoxFlipsTheMarkOnceAndLeavesNoRowSelected) {
    struct Case {
        int row;
        bool rowSelectedBefore;
        int stored;
    };
    for (const Case& c : {Case{0, false, 1}, Case{1, false, 0}, Case{2, true, 1}}) {
        SCOPED_TRACE(c.row);
        source.writes.clear();
        actions = 0;
        if (c.rowSelectedBefore) {
            table->widget()->selectRow(c.row);
        }
        clickCheckBox(c.row);
        ASSERT_EQ(source.writes.size(), 1u);
        EXPECT_EQ(source.writes[0].value, Value(c.stored));
        EXPECT_EQ(source.writes[0].column, "check");
        EXPECT_EQ(source.writes[0].row, c.row);
        EXPECT_EQ(actions, 1);
        EXPECT_TRUE(table->selectedRowIndexes().empty());
        EXPECT_EQ(table->selectedRow(), -1);
        EXPECT_EQ(index(c.row, "check").data(Qt::CheckStateRole).toInt(),
                  c.stored ? Qt::Checked : Qt::Unchecked);
    }
}

TEST_F(TableModelTest, ADisabledCheckBoxCellTakesNoClicks) {
    auto disabled = std::make_shared<ui::CheckBoxCell>();
    disabled->enabled = false;
    disabled->action = [this](ui::TableView&) { ++actions; };
    table->setCheckBoxCell("check", disabled);
    EXPECT_FALSE(index(0, "check").flags() & Qt::ItemIsEnabled);
    EXPECT_FALSE(index(0, "check").flags() & Qt::ItemIsUserCheckable);
    clickCheckBox(0);
    EXPECT_TRUE(source.writes.empty());
    EXPECT_EQ(actions, 0);
    // The marks are still shown, greyed.
    EXPECT_EQ(index(1, "check").data(Qt::CheckStateRole).toInt(), Qt::Checked);
}

TEST_F(TableModelTest, EditsReachTheDataSourceAsTextOnlyInEditableColumns) {
    QAbstractItemModel* model = table->model();
    EXPECT_FALSE(index(0, "username").flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(model->setData(index(0, "username"), QStringLiteral("mallory")));
    EXPECT_TRUE(index(0, "hostnameip").flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(model->setData(index(0, "hostnameip"), QStringLiteral("www.example.org")));
    ASSERT_EQ(source.writes.size(), 1u);
    EXPECT_EQ(source.writes[0].value, Value("www.example.org"));
    EXPECT_EQ(source.writes[0].column, "hostnameip");

    // The rule column offers exactly "Allow" and "Deny" and stores the chosen text.
    QAbstractItemDelegate* delegate = table->widget()->itemDelegateForIndex(index(2, "denyallow"));
    std::unique_ptr<QWidget> editor(
        delegate->createEditor(table->widget()->viewport(), {}, index(2, "denyallow")));
    auto* combo = qobject_cast<QComboBox*>(editor.get());
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("Allow"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("Deny"));
    delegate->setEditorData(combo, index(2, "denyallow"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("Deny"));
    combo->setCurrentIndex(0);
    delegate->setModelData(combo, model, index(2, "denyallow"));
    ASSERT_EQ(source.writes.size(), 2u);
    EXPECT_EQ(source.writes[1].value, Value("Allow"));
    EXPECT_EQ(source.writes[1].row, 2);
    EXPECT_EQ(source.records[2].value("denyallow"), Value("Allow"));
}

TEST_F(TableModelTest, ALongListIsReadOnlyAsFarAsTheViewShowsIt) {
    source.records.assign(100000, Record{{"check", Value("0")}, {"username", Value("user")}});
    source.cellCalls = 0;
    table->reloadData();
    table->widget()->viewport()->repaint();
    settleEvents();
    EXPECT_EQ(table->model()->rowCount(), 100000);
    EXPECT_GT(source.cellCalls, 0);
    EXPECT_LT(source.cellCalls, 2000);
}

TEST_F(TableModelTest, ADataSourceThatReloadsWhileCountingNeitherRecursesNorGoesStale) {
    source.reloadWhileCounting = true;
    table->reloadData();
    settleEvents();
    // No reload loop: with nothing changed and nothing drawn, the data source is asked nothing more.
    const int callsWhenSettled = source.rowCountCalls;
    settleEvents();
    settleEvents();
    EXPECT_EQ(source.rowCountCalls, callsWhenSettled);
    EXPECT_EQ(table->model()->rowCount(), 3);

    // The list replaced behind the view's back shows its new length the next time the view draws.
    source.records.resize(1);
    table->widget()->viewport()->repaint();
    settleEvents();
    EXPECT_EQ(table->model()->rowCount(), 1);
    EXPECT_EQ(index(0, "username").data().toString(), QStringLiteral("alice"));
}

TEST_F(TableModelTest, AWriteTheDataSourceRefusesChangesNothing) {
    source.records.resize(1);
    // The view still believes in three rows; the refused write must not escape as an exception.
    EXPECT_FALSE(table->model()->setData(index(2, "hostnameip"), QStringLiteral("x")));
    EXPECT_TRUE(source.writes.empty());
    settleEvents();
    EXPECT_EQ(table->model()->rowCount(), 1);
}

TEST_F(TableModelTest, SelectionIsReportedInAscendingRowOrder) {
    QTableView* view = table->widget();
    view->selectionModel()->select(index(2, "username"),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->selectionModel()->select(index(0, "username"),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(table->selectedRowIndexes(), (std::vector<int>{0, 2}));
    EXPECT_EQ(table->numberOfSelectedRows(), 2);
    table->deselectAll();
    EXPECT_TRUE(table->selectedRowIndexes().empty());
}

} // namespace
} // namespace keepgate::testing

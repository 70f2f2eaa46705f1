#include <QTreeView>
#include <gtest/gtest.h>
#include <memory>

#include "ModelTester.h"
#include "QtTestApplication.h"
#include "qt/QtOutlineView.h"

namespace keepgate::testing {
namespace {

// A two-level tree of named nodes, as the group editor keeps it.
struct Node {
    std::string title;
    std::vector<std::unique_ptr<Node>> children;
    bool isGroup = true;
};

class TreeSource : public ui::OutlineDataSource {
  public:
    Node* addGroup(const std::string& title) {
        groups.push_back(std::make_unique<Node>(Node{title, {}, true}));
        return groups.back().get();
    }
    static void addMember(Node* group, const std::string& title) {
        group->children.push_back(std::make_unique<Node>(Node{title, {}, false}));
    }
    const std::vector<std::unique_ptr<Node>>* listOf(ui::OutlineItem item) const {
        if (!item) {
            return &groups;
        }
        auto* node = static_cast<Node*>(item);
        return node->isGroup ? &node->children : nullptr;
    }
    int numberOfChildrenOfItem(ui::OutlineItem item) override {
        const auto* list = listOf(item);
        return list ? static_cast<int>(list->size()) : 0;
    }
    bool isItemExpandable(ui::OutlineItem item) override {
        const auto* list = listOf(item);
        return list && !list->empty();
    }
    ui::OutlineItem child(int index, ui::OutlineItem item) override {
        const auto* list = listOf(item);
        return list && index >= 0 && index < static_cast<int>(list->size())
                   ? (*list)[static_cast<std::size_t>(index)].get()
                   : nullptr;
    }
    Value objectValueForTableColumn(const std::string& column, ui::OutlineItem item) override {
        return column == "TITLE" ? Value(static_cast<Node*>(item)->title) : Value();
    }

    std::vector<std::unique_ptr<Node>> groups;
};

class OutlineModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureQtApplication();
        Node* staff = source.addGroup("staff");
        TreeSource::addMember(staff, "alice");
        TreeSource::addMember(staff, "bob");
        source.addGroup("visitors");
        Node* admins = source.addGroup("admins");
        TreeSource::addMember(admins, "carol");
        outline = std::make_unique<qt::QtOutlineView>("TITLE", QStringLiteral("Groups"));
        outline->setDataSource(&source);
        outline->reloadData();
        outline->widget()->resize(300, 400);
        outline->widget()->show();
        settleEvents();
    }
    void TearDown() override {
        outline->setDataSource(nullptr);
        delete outline->widget();
    }

    std::vector<std::string> visibleTitles() const {
        std::vector<std::string> titles;
        for (const QModelIndex& index : outline->visibleRows()) {
            titles.push_back(index.data().toString().toStdString());
        }
        return titles;
    }

    TreeSource source;
    std::unique_ptr<qt::QtOutlineView> outline;
};

TEST_F(OutlineModelTest, PassesQtsModelTesterThroughReloads) {
    ModelTester tester(outline->model());
    Node* visitors = source.groups[1].get();
    TreeSource::addMember(visitors, "dave");
    outline->reloadData();
    source.groups.erase(source.groups.begin());
    outline->reloadData();
    EXPECT_TRUE(ModelTester::failures().isEmpty()) << ModelTester::failures().join('\n').toStdString();
}

TEST_F(OutlineModelTest, GroupsAreTopLevelWithTheirMembersIndentedAndEmptyGroupsHaveNoDisclosure) {
    EXPECT_EQ(visibleTitles(),
              (std::vector<std::string>{"staff", "alice", "bob", "visitors", "admins", "carol"}));
    QAbstractItemModel* model = outline->model();
    const QModelIndex staff = model->index(0, 0);
    const QModelIndex visitors = model->index(1, 0);
    EXPECT_TRUE(model->hasChildren(staff));
    EXPECT_FALSE(model->hasChildren(visitors));
    const QModelIndex bob = model->index(1, 0, staff);
    EXPECT_EQ(bob.data().toString(), QStringLiteral("bob"));
    EXPECT_EQ(model->parent(bob), staff);
    EXPECT_FALSE(model->hasChildren(bob));
    EXPECT_FALSE(model->parent(staff).isValid());
}

TEST_F(OutlineModelTest, SelectedRowsCountVisibleRowsAndMapBackToTheDataSourcesNodes) {
    QTreeView* view = outline->widget();
    const QModelIndex staff = outline->model()->index(0, 0);
    const QModelIndex carol = outline->model()->index(0, 0, outline->model()->index(2, 0));
    view->selectionModel()->select(carol, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->selectionModel()->select(outline->model()->index(1, 0, staff),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(outline->selectedRowIndexes(), (std::vector<int>{2, 5}));
    EXPECT_EQ(outline->itemAtRow(2), source.groups[0]->children[1].get());
    EXPECT_EQ(outline->itemAtRow(5), source.groups[2]->children[0].get());
    EXPECT_EQ(outline->itemAtRow(6), nullptr);

    // A collapsed group hides its members from the row count.
    view->collapse(staff);
    EXPECT_EQ(outline->itemAtRow(1), source.groups[1].get());
    outline->deselectAll();
    EXPECT_TRUE(outline->selectedRowIndexes().empty());
}

TEST_F(OutlineModelTest, ReloadShowsTheNewTreeExpanded) {
    source.groups.clear();
    outline->reloadData();
    EXPECT_TRUE(visibleTitles().empty());
    Node* web = source.addGroup("web");
    TreeSource::addMember(web, "erin");
    outline->reloadData();
    EXPECT_EQ(visibleTitles(), (std::vector<std::string>{"web", "erin"}));
}

} // namespace
} // namespace keepgate::testing

#include <gtest/gtest.h>

#include "groups/Group.h"

namespace keepgate {
namespace {

std::vector<std::string> titles(const GroupItems& list) {
    std::vector<std::string> result;
    for (const auto& item : list) {
        result.push_back(item->title().value_or("<none>"));
    }
    return result;
}

TEST(GroupTreeTest, AMemberLinksToItsGroupWithoutOwningIt) {
    Group controller;
    auto group = controller.groupWithTitle("staff");
    ASSERT_TRUE(group->has("CHILDREN"));
    EXPECT_FALSE(group->has("PARENT"));
    std::weak_ptr<GroupItem> member = controller.newItemForGroup(group.get(), "alice");
    ASSERT_FALSE(member.expired()) << "the group keeps its member";
    EXPECT_EQ(member.lock()->parent()->parent(), group.get());
    EXPECT_FALSE(member.lock()->has("CHILDREN"));

    auto held = member.lock();
    group.reset();
    EXPECT_EQ(held->parent()->parent(), nullptr) << "the member did not keep its group alive";
}

TEST(GroupTreeTest, AMemberMadeWithoutAGroupBelongsOnlyToTheCaller) {
    Group controller;
    auto untitled = controller.groupWithTitle(std::nullopt);
    EXPECT_FALSE(untitled->has("TITLE"));
    std::weak_ptr<GroupItem> watch;
    {
        auto orphan = controller.newItemForGroup(nullptr, "alice");
        EXPECT_FALSE(orphan->has("PARENT"));
        EXPECT_EQ(orphan->title(), "alice");
        watch = orphan;
    }
    EXPECT_TRUE(watch.expired());
    EXPECT_FALSE(controller.newItemForGroup(nullptr, std::nullopt)->has("TITLE"));
}

TEST(GroupTreeTest, SearchForTitleIsExactAtTheTopLevelOnly) {
    Group controller;
    GroupItems list;
    EXPECT_FALSE(Group::searchForTitle(list, ""));
    list.push_back(controller.groupWithTitle("staff"));
    controller.newItemForGroup(list[0].get(), "alice");
    list.push_back(controller.groupWithTitle(std::nullopt));
    EXPECT_TRUE(Group::searchForTitle(list, "staff"));
    EXPECT_FALSE(Group::searchForTitle(list, "Staff"));
    EXPECT_FALSE(Group::searchForTitle(list, "staff "));
    EXPECT_FALSE(Group::searchForTitle(list, "alice"));
    EXPECT_FALSE(Group::searchForTitle(list, ""));
}

TEST(GroupTreeTest, RemovingMarkedNodesSweepsBothLevels) {
    Group controller;
    GroupItems list;
    for (const char* name : {"staff", "admins", "web"}) {
        auto group = controller.groupWithTitle(name);
        for (const char* member : {"a", "b", "c"}) {
            controller.newItemForGroup(group.get(), member);
        }
        list.push_back(group);
    }
    std::weak_ptr<GroupItem> markedMember = (*list[1]->children())[0];
    list[0]->setValue("Delete", Value("YES"));
    (*list[0]->children())[1]->setValue("Delete", Value("NO"));
    (*list[1]->children())[0]->setValue("Delete", Value("YES"));
    (*list[1]->children())[2]->setValue("Delete", Value("YES"));
    Group::removeObjectsWithKey("Delete", list);
    EXPECT_EQ(titles(list), (std::vector<std::string>{"admins", "web"}));
    EXPECT_EQ(titles(*list[0]->children()), (std::vector<std::string>{"b"}));
    EXPECT_EQ(titles(*list[1]->children()), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(markedMember.expired());

    GroupItems empty;
    Group::removeObjectsWithKey("Delete", empty);
    EXPECT_TRUE(empty.empty());
}

} // namespace
} // namespace keepgate

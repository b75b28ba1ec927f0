#include "core/list.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Item {
    virtual ~Item() { ++deleted; }
    static inline int deleted = 0;
};

std::vector<Item*> Pass(LList<Item>& list)
{
    std::vector<Item*> seen;
    Item* i;
    while (list.Next(i)) seen.push_back(i);
    return seen;
}

TEST(LList, VariadicConstructorSkipsNullsAndStartsAtTheHead)
{
    Item a, b;
    LList<Item> list(false, 3, &a, nullptr, &b);
    ASSERT_NE(list.cursor, nullptr);
    EXPECT_EQ(list.cursor->item, &a);
    EXPECT_EQ(Pass(list), (std::vector<Item*>{&a, &b}));
    LList<Item> shorter(false, 1, &a, &b);
    EXPECT_EQ(Pass(shorter), (std::vector<Item*>{&a})) << "only `count` arguments are taken";
}

TEST(LList, CopyKeepsItemsOwnsFlagAndRearmsTheCursor)
{
    Item a, b;
    LList<Item> list(false, 2, &a, &b);
    Item* first;
    list.Next(first);
    LList<Item> copy(list);
    EXPECT_FALSE(copy.owns);
    EXPECT_EQ(copy.cursor->item, &a);
    EXPECT_EQ(Pass(copy), (std::vector<Item*>{&a, &b}));
}

TEST(LList, RemovalRearmsTheCursorAtTheHead)
{
    Item p, q, r;
    LList<Item> list(false, 3, &p, &q, &r);
    Item* i;
    list.Next(i);
    list.Next(i);
    EXPECT_TRUE(list.Remove(&q));
    EXPECT_EQ(list.cursor->item, &p);
    EXPECT_EQ(Pass(list), (std::vector<Item*>{&p, &r}));

    Item absent;
    list.Next(i);
    LNode<Item>* before = list.cursor;
    EXPECT_FALSE(list.Remove(&absent));
    EXPECT_EQ(list.cursor, before) << "a failed removal leaves the cursor alone";
}

TEST(LList, InsertAfterRemovingTheLastNodeAppendsAtTheRealEnd)
{
    Item a, b, c;
    LList<Item> list(false, 2, &a, &b);
    list.Remove(&b);
    list.Append(&c);
    EXPECT_EQ(Pass(list), (std::vector<Item*>{&a, &c}));
    EXPECT_FALSE(list.Insert(nullptr));
}

TEST(LList, CompletedPassReturnsToTheHeadAndEmptyListYieldsNothing)
{
    Item a, b;
    LList<Item> list(false, 2, &a, &b);
    Item* i;
    EXPECT_TRUE(list.Next(i));
    EXPECT_TRUE(list.Next(i));
    EXPECT_FALSE(list.Next(i));
    EXPECT_EQ(list.cursor->item, &a);

    LList<Item> empty(false, 0);
    EXPECT_FALSE(empty.Next(i));
    EXPECT_EQ(empty.cursor, nullptr);
    EXPECT_FALSE(empty.Remove(&a));
}

TEST(LList, DeletingLoopContinuesFromTheNewHead)
{
    // The object tree deletes children this way: each deletion removes the item.
    Item a, b, c;
    LList<Item> list(false, 3, &a, &b, &c);
    std::vector<Item*> visited;
    Item* i;
    while (list.Next(i)) {
        visited.push_back(i);
        list.Remove(i);
    }
    EXPECT_EQ(visited, (std::vector<Item*>{&a, &b, &c}));
    EXPECT_TRUE(list.Empty());
}

TEST(LList, OwningListsDeleteTheirItems)
{
    Item::deleted = 0;
    {
        LList<Item> owning(true, 1, new Item);
        EXPECT_FALSE(owning.NextHead(true));
        EXPECT_EQ(Item::deleted, 1);
        owning.Append(new Item);
        owning.Append(new Item);
    }
    EXPECT_EQ(Item::deleted, 3);
    Item kept;
    LList<Item> plain(false, 1, &kept);
    plain.NextHead(false);
    EXPECT_EQ(Item::deleted, 3);
}

TEST(LList, FindMarksTheHeadAndNamesThePredecessor)
{
    Item a, b;
    LList<Item> list(false, 2, &a, &b);
    EXPECT_EQ(list.Find(&a), LList<Item>::HeadMarker());
    EXPECT_EQ(list.Find(&b), list.head);
    Item absent;
    EXPECT_EQ(list.Find(&absent), nullptr);
}

}  // namespace

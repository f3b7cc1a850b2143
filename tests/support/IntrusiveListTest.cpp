#include "support/IntrusiveList.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

int g_destroyed = 0;

struct Item : die::listnode_base<Item> {
    explicit Item(int itemId) : die::listnode_base<Item>(2), id(itemId) {}
    ~Item() override { ++g_destroyed; }
    int id;
};

using List = die::list_base<Item>;

// The ids from head to tail, after checking every link of the list: the
// backward walk mirrors the forward one, each element names this list as its
// owner, the sentinels end in null and the count matches.
std::vector<int> ids(List& list)
{
    const int key = list.key();
    std::vector<int> forward;
    die::_listnode_base* prev = list.head();
    EXPECT_EQ(list.head()->PrevLink(key), nullptr);
    EXPECT_EQ(list.tail()->NextLink(key), nullptr);
    for (die::_listnode_base* node = list.head()->NextLink(key); node != list.tail(); node = node->NextLink(key)) {
        if (!node) {
            ADD_FAILURE() << "the walk from the head does not reach the tail";
            return forward;
        }
        EXPECT_EQ(node->PrevLink(key), prev);
        EXPECT_EQ(node->OwnerLink(key), &list);
        forward.push_back(static_cast<Item*>(node)->id);
        prev = node;
    }
    EXPECT_EQ(list.tail()->PrevLink(key), prev);
    EXPECT_EQ(list.count(), static_cast<int>(forward.size()));
    return forward;
}

bool unlinked(Item& item, int key)
{
    return !item.NextLink(key) && !item.PrevLink(key) && !item.OwnerLink(key);
}

// Items with ids 1 to count, at addresses that stay put.
std::vector<Item> numbered(int count)
{
    std::vector<Item> items;
    items.reserve(static_cast<size_t>(count));
    for (int id = 1; id <= count; ++id)
        items.emplace_back(id);
    return items;
}

class IntrusiveList : public ::testing::Test {
protected:
    void SetUp() override { g_destroyed = 0; }
};

using Ids = std::vector<int>;

TEST_F(IntrusiveList, InsertsInOrderAndRemovesByJoiningTheNeighbours)
{
    Item a(1), b(2), c(3);
    List list(1);
    list.insert(nullptr, &a);
    list.insert(nullptr, &b);
    list.insert(nullptr, &c);
    EXPECT_EQ(ids(list), (Ids{1, 2, 3}));

    EXPECT_TRUE(list.remove(&b));
    EXPECT_EQ(ids(list), (Ids{1, 3}));
    EXPECT_TRUE(unlinked(b, 1));

    list.insert(&a, &b);
    EXPECT_EQ(ids(list), (Ids{2, 1, 3}));
}

TEST_F(IntrusiveList, AnElementIsInOneListPerKey)
{
    Item a(1), b(2), c(3), d(4);
    List x(1), y(1);
    x.insert(nullptr, &a);
    x.insert(nullptr, &b);
    x.insert(nullptr, &d);
    y.insert(nullptr, &c);

    // Removing from a list the element is not in changes neither list.
    EXPECT_FALSE(y.remove(&a));
    EXPECT_FALSE(x.remove(&c));
    EXPECT_TRUE(x.remove(&b));
    EXPECT_FALSE(x.remove(&b)); // already out
    EXPECT_EQ(ids(x), (Ids{1, 4}));
    EXPECT_EQ(ids(y), (Ids{3}));

    // Inserting an element of another list moves it.
    y.insert(&c, &a);
    EXPECT_EQ(ids(x), (Ids{4}));
    EXPECT_EQ(ids(y), (Ids{1, 3}));
}

TEST_F(IntrusiveList, EachKeyLinksTheElementIndependently)
{
    List owner(0), view(1);
    auto* a = new Item(1);
    auto* b = new Item(2);
    auto* c = new Item(3);
    owner.insert(nullptr, a);
    owner.insert(nullptr, b);
    owner.insert(nullptr, c);
    view.insert(nullptr, c);
    view.insert(nullptr, a);
    EXPECT_EQ(ids(owner), (Ids{1, 2, 3}));
    EXPECT_EQ(ids(view), (Ids{3, 1}));

    EXPECT_TRUE(view.remove(a));
    EXPECT_EQ(ids(view), (Ids{3}));
    EXPECT_EQ(ids(owner), (Ids{1, 2, 3}));
    EXPECT_TRUE(unlinked(*a, 1));
    EXPECT_EQ(a->OwnerLink(0), &owner);
}

TEST_F(IntrusiveList, AnElementDestroyedWhileInTwoListsLeavesBoth)
{
    List first(1), second(0);
    Item a(1), c(3);
    auto* b = new Item(2);
    for (Item* item : {&a, b, &c})
        first.insert(nullptr, item);
    for (Item* item : {&c, b, &a})
        second.insert(nullptr, item);

    delete b;
    EXPECT_EQ(ids(first), (Ids{1, 3}));
    EXPECT_EQ(ids(second), (Ids{3, 1}));
    // The stack items leave the key-0 list before it could delete them.
    second.remove(&a);
    second.remove(&c);
}

TEST_F(IntrusiveList, TheKeyZeroListDeletesItsElementsAndTheyLeaveTheViews)
{
    List view(1);
    {
        List owner(0);
        for (int id = 1; id <= 3; ++id) {
            auto* item = new Item(id);
            owner.insert(nullptr, item);
            view.insert(nullptr, item);
        }
        EXPECT_EQ(ids(view), (Ids{1, 2, 3}));
    }
    EXPECT_EQ(g_destroyed, 3);
    EXPECT_EQ(ids(view), Ids{});
}

TEST_F(IntrusiveList, ClearUnlinksAndClearAndDeleteDestroys)
{
    Item a(1), b(2), c(3);
    List view(1);
    for (Item* item : {&a, &b, &c})
        view.insert(nullptr, item);
    view.clear();
    EXPECT_EQ(ids(view), Ids{});
    for (Item* item : {&a, &b, &c})
        EXPECT_TRUE(unlinked(*item, 1));

    List owner(1);
    for (int id = 1; id <= 3; ++id)
        owner.insert(nullptr, new Item(id));
    owner.clear_and_delete();
    EXPECT_EQ(g_destroyed, 3);
    EXPECT_EQ(ids(owner), Ids{});
}

// x holds 1 to 5, y holds 6.
class IntrusiveSplice : public IntrusiveList {
protected:
    IntrusiveSplice()
    {
        for (int i = 0; i < 5; ++i)
            x.insert(nullptr, &items[i]);
        y.insert(nullptr, &items[5]);
    }

    std::vector<Item> items = numbered(6);
    List x{1};
    List y{1};
};

TEST_F(IntrusiveSplice, MovesARunBetweenLists)
{
    // The run 2, 3 (up to but not including 4) in front of 6.
    EXPECT_EQ(y.splice(&items[1], &items[3], &items[5]), 2);
    EXPECT_EQ(ids(x), (Ids{1, 4, 5}));
    EXPECT_EQ(ids(y), (Ids{2, 3, 6}));

    // The rest of x (last null: up to its tail) appended to y.
    EXPECT_EQ(y.splice(&items[3], nullptr, nullptr), 2);
    EXPECT_EQ(ids(x), (Ids{1}));
    EXPECT_EQ(ids(y), (Ids{2, 3, 6, 4, 5}));

    // Within one list: 4, 5 to the front.
    EXPECT_EQ(y.splice(&items[3], nullptr, &items[1]), 2);
    EXPECT_EQ(ids(y), (Ids{4, 5, 2, 3, 6}));
}

TEST_F(IntrusiveSplice, RefusesARunThatIsNotOne)
{
    EXPECT_EQ(y.splice(&items[2], &items[0], &items[5]), 0); // last before first
    EXPECT_EQ(x.splice(&items[0], &items[2], &items[1]), 0); // position inside the run
    EXPECT_EQ(y.splice(&items[0], &items[5], &items[5]), 0); // last in another list
    EXPECT_EQ(ids(x), (Ids{1, 2, 3, 4, 5}));
    EXPECT_EQ(ids(y), (Ids{6}));
}

TEST_F(IntrusiveList, AKeyTheElementDoesNotHaveIsAnError)
{
    Item a(1);
    List third(2);
    EXPECT_THROW(third.insert(nullptr, &a), std::out_of_range);
    EXPECT_EQ(ids(third), Ids{});
}

TEST_F(IntrusiveList, ACopiedElementIsInNoList)
{
    Item a(1);
    List list(1);
    list.insert(nullptr, &a);
    Item copy(a);
    EXPECT_TRUE(unlinked(copy, 1));
    EXPECT_EQ(ids(list), (Ids{1}));
    int sum = 0;
    for (Item& item : list)
        sum += item.id;
    EXPECT_EQ(sum, 1);
}

} // namespace

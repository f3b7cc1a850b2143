#include "section/LayoutStore.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class Layouts : public ::testing::Test {
protected:
    Layouts()
    {
        AutoInstance rows;
        rows.count = 4;
        first = store.AddLayout(rows, AutoInstance(), " Layout1");
        second = store.AddLayout(AutoInstance(), rows, " Layout2");
    }

    LayoutStore store;
    const SavedLayout* first = nullptr;
    const SavedLayout* second = nullptr;
};

TEST_F(Layouts, KeepLayoutsAndResultsInTheOrderAdded)
{
    const LayoutResult* a = store.AddResult(second, 1000, 700);
    const LayoutResult* b = store.AddResult(first, 700, 1000);
    std::vector<const SavedLayout*> layouts;
    store.GetLayouts(layouts);
    EXPECT_EQ(layouts, (std::vector<const SavedLayout*>{first, second}));
    EXPECT_EQ(first->rows.count, 4);
    EXPECT_EQ(second->name, " Layout2");
    std::vector<const LayoutResult*> results;
    store.GetResults(results);
    EXPECT_EQ(results, (std::vector<const LayoutResult*>{a, b}));
    EXPECT_EQ(a->layout, second);
    EXPECT_EQ(a->width, 1000);
    EXPECT_EQ(a->height, 700);
}

TEST_F(Layouts, ALayoutIsRemovedOnlyOnceNoResultUsesIt)
{
    const LayoutResult* landscape = store.AddResult(first, 1000, 700);
    const LayoutResult* portrait = store.AddResult(first, 700, 1000);
    EXPECT_EQ(store.GetUseCount(first), 2);
    EXPECT_EQ(store.GetUseCount(second), 0);
    EXPECT_FALSE(store.RemoveLayout(first));

    EXPECT_TRUE(store.RemoveResult(landscape));
    EXPECT_EQ(store.GetUseCount(first), 1);
    EXPECT_FALSE(store.RemoveLayout(first));
    EXPECT_TRUE(store.RemoveResult(portrait));
    EXPECT_EQ(store.GetUseCount(first), 0);
    EXPECT_TRUE(store.RemoveLayout(first));

    EXPECT_EQ(store.GetUseCount(first), std::nullopt);
    std::vector<const SavedLayout*> layouts;
    store.GetLayouts(layouts);
    EXPECT_EQ(layouts, (std::vector<const SavedLayout*>{second}));
}

TEST_F(Layouts, UnknownLayoutsAndResultsChangeNothing)
{
    const LayoutResult* kept = store.AddResult(second, 1000, 700);
    const LayoutResult* removed = store.AddResult(second, 700, 1000);
    ASSERT_TRUE(store.RemoveResult(removed));
    ASSERT_TRUE(store.RemoveLayout(first));

    // A result removed before: its layout's count stays as it is.
    EXPECT_FALSE(store.RemoveResult(removed));
    EXPECT_FALSE(store.RemoveResult(nullptr));
    EXPECT_EQ(store.GetUseCount(second), 1);
    // A layout removed before takes no result and is not removed again.
    EXPECT_EQ(store.AddResult(first, 1000, 700), nullptr);
    EXPECT_FALSE(store.RemoveLayout(first));
    std::vector<const LayoutResult*> results;
    store.GetResults(results);
    EXPECT_EQ(results, (std::vector<const LayoutResult*>{kept}));
}

} // namespace

#include "shell/SizingBarState.h"

#include "common/TempDir.h"
#include "platform/Registry.h"

#include <gtest/gtest.h>

namespace {

using shell::BarSize;
using shell::SizingBarState;
using Placement = SizingBarState::Placement;

TEST(SizingBarState, KeepsEachSizeAtLeastItsMinimum)
{
    SizingBarState state;
    state.SetSize(Placement::Horizontal, BarSize{10, 500});
    state.SetSize(Placement::Vertical, BarSize{250, 5});
    state.SetSize(Placement::Floating, BarSize{36, 31});
    EXPECT_EQ(state.Size(Placement::Horizontal).cx, 33);
    EXPECT_EQ(state.Size(Placement::Horizontal).cy, 500);
    EXPECT_EQ(state.Size(Placement::Vertical).cx, 250);
    EXPECT_EQ(state.Size(Placement::Vertical).cy, 32);
    EXPECT_EQ(state.Size(Placement::Floating).cx, 37);
    EXPECT_EQ(state.Size(Placement::Floating).cy, 32);
}

TEST(SizingBarState, ReadsTheProfileRaisingSmallValuesAndKeepingMissingOnes)
{
    test::ScopedTestEnvironment env;
    const QString section = SizingBarState::Section(QStringLiteral("Toolbars"), 123);
    EXPECT_EQ(section, QStringLiteral("Toolbars-SCBar-123"));
    ASSERT_TRUE(platform::Registry::writeInt(section, QStringLiteral("sizeHorzCX"), 640));
    ASSERT_TRUE(platform::Registry::writeInt(section, QStringLiteral("sizeHorzCY"), 3));
    ASSERT_TRUE(platform::Registry::writeInt(section, QStringLiteral("sizeFloatCX"), -20));

    SizingBarState state;
    state.LoadState(QStringLiteral("Toolbars"), 123);
    EXPECT_EQ(state.Size(Placement::Horizontal).cx, 640);
    EXPECT_EQ(state.Size(Placement::Horizontal).cy, 32);
    EXPECT_EQ(state.Size(Placement::Vertical).cx, 200) << "missing: the current value";
    EXPECT_EQ(state.Size(Placement::Floating).cx, 37);

    state.SetSize(Placement::Vertical, BarSize{280, 400});
    ASSERT_TRUE(state.SaveState(QStringLiteral("Toolbars"), 123));
    SizingBarState again;
    again.LoadState(QStringLiteral("Toolbars"), 123);
    EXPECT_EQ(again.Size(Placement::Vertical).cx, 280);
    EXPECT_EQ(again.Size(Placement::Vertical).cy, 400);
    EXPECT_EQ(again.Size(Placement::Horizontal).cx, 640);
}

} // namespace

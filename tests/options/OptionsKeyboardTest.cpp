#include "options/Options.h"

#include "common/TempDir.h"
#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr int kAlt = 1 << 13;

void StoreBinding(int slot, KeyBinding binding)
{
    EXPECT_TRUE(platform::Registry::writeBinary(QStringLiteral("Keyboard"), KeyBindingName(slot), binding.ToBytes()));
}

TEST(OptionsKeyboard, SlotNames)
{
    EXPECT_EQ(COptions::GetKeyBindingName(0), QStringLiteral("SHOW_PAN"));
    EXPECT_EQ(COptions::GetKeyBindingName(7), QStringLiteral("DEF_TANGENT"));
    EXPECT_EQ(COptions::GetKeyBindingName(12), QStringLiteral("DEF_PERPEND"));
    EXPECT_EQ(COptions::GetKeyBindingName(11), QString());
    EXPECT_EQ(COptions::GetKeyBindingName(13), QString());
    EXPECT_EQ(COptions::GetKeyBindingName(-1), QString());
}

TEST(OptionsKeyboard, OnlyWholeStoredBindingsAreTaken)
{
    test::ScopedTestEnvironment env;
    StoreBinding(SHOW_POINT, KeyBinding{1, 0, 1, 0, 'P'});
    StoreBinding(DEF_ENDPOINT, KeyBinding{0, 1, 0, 0, 'E'}); // the unnamed value
    EXPECT_TRUE(platform::Registry::writeBinary(QStringLiteral("Keyboard"), QStringLiteral("DEF_MID"), QByteArray("\x01\x01\x01", 3)));
    EXPECT_TRUE(platform::Registry::writeBinary(QStringLiteral("Keyboard"), QStringLiteral("DEF_TANGENT"), QByteArray(12, '\x07')));
    COptions options;
    options.LoadKeyboard();
    EXPECT_EQ(options.GetKeyBinding(SHOW_POINT), (KeyBinding{1, 0, 1, 0, 'P'}));
    EXPECT_EQ(options.GetKeyBinding(DEF_ENDPOINT), (KeyBinding{0, 1, 0, 0, 'E'}));
    for (int slot : {int(SHOW_PAN), int(DEF_MID), int(DEF_TANGENT), int(DEF_PERPEND)})
        EXPECT_EQ(options.GetKeyBinding(slot), KeyBinding{}) << slot;

    EXPECT_TRUE(options.MatchKey('P', kAlt, 0, 1, SHOW_POINT));
    EXPECT_FALSE(options.MatchKey('P', 0, 0, 1, SHOW_POINT));      // Alt not held
    EXPECT_FALSE(options.MatchKey('P', kAlt, 1, 1, SHOW_POINT));   // Shift too
    EXPECT_FALSE(options.MatchKey('Q', kAlt, 0, 1, SHOW_POINT));
    EXPECT_FALSE(options.MatchKey('P', 0, 0, 0, SHOW_PAN));        // an unbound slot
    EXPECT_FALSE(options.MatchKey('P', kAlt, 0, 1, 13));
}

TEST(OptionsKeyboard, MatchPointKey)
{
    test::ScopedTestEnvironment env;
    StoreBinding(DEF_FREEPOINT, KeyBinding{0, 0, 0, 0, 'F'});
    StoreBinding(DEF_INDLAST, KeyBinding{0, 0, 0, 0, 'L'});
    StoreBinding(DEF_MID, KeyBinding{0, 0, 0, 0, 'M'});
    StoreBinding(DEF_EXITFUNC, KeyBinding{0, 0, 0, 0, 'M'});
    StoreBinding(DEF_ENDPOINT, KeyBinding{0, 0, 0, 0, 'E'});
    StoreBinding(DEF_HORPROJ, KeyBinding{0, 1, 0, 0, 'H'});
    StoreBinding(DEF_VERTPROJ, KeyBinding{0, 0, 0, 0, 'V'});
    StoreBinding(DEF_PERPEND, KeyBinding{0, 0, 0, 0, 'V'});   // bound like DEF_VERTPROJ: the later test wins
    StoreBinding(DEF_TANGENT, KeyBinding{1, 0, 0, 0, 'T'});
    StoreBinding(DEF_LINECONT, KeyBinding{0, 0, 0, 0, 'C'}); // not a point key
    COptions options;
    options.LoadKeyboard();

    const struct {
        int key, shift, ctrl;
        int result, mode;
    } cases[] = {
        {'F', 0, 0, 1, 0}, {'L', 0, 0, 1, 2}, {'M', 0, 0, 3, 2}, {'E', 0, 0, 2, 3}, {'H', 1, 0, 2, 6},
        {'H', 0, 0, 0, -1}, {'V', 0, 0, 2, 4}, {'T', 0, 1, 2, 7}, {'C', 0, 0, 0, -1}, {'Z', 0, 0, 0, -1},
    };
    for (const auto& c : cases) {
        int mode = -1;
        EXPECT_EQ(options.MatchPointKey(c.key, 0, c.shift, c.ctrl, mode), c.result) << char(c.key);
        EXPECT_EQ(mode, c.mode) << char(c.key);
    }
}

// The factory layer under the user's values: the user's whole value wins
// (also one that binds no key), a damaged one falls back to the factory
// binding, and a key the user gave to another slot leaves the factory slot.
TEST(OptionsKeyboard, FactoryBindingsLieUnderTheUsersValues)
{
    constexpr int kF6 = 117;
    constexpr int kF9 = 120;
    constexpr int kF10 = 121;
    constexpr int kEscape = 27;
    test::ScopedTestEnvironment env;
    StoreBinding(DEF_MID, KeyBinding{1, 0, 0, 0, 'M'});
    StoreBinding(DEF_PERPEND, KeyBinding{});
    StoreBinding(DEF_FREEPOINT, KeyBinding{0, 0, 0, 9, kF10}); // the factory tangent key
    EXPECT_TRUE(platform::Registry::writeBinary(QStringLiteral("Keyboard"), QStringLiteral("DEF_VERTPROJ"), QByteArray("\x01\x01\x01", 3)));
    COptions options;
    options.UseFactoryKeyBindings();

    const struct {
        int slot;
        KeyBinding binding;
        bool factory;
    } cases[] = {
        {DEF_MID, {1, 0, 0, 0, 'M'}, false},       {DEF_PERPEND, {}, false},
        {DEF_FREEPOINT, {0, 0, 0, 9, kF10}, false}, {DEF_TANGENT, {}, false},
        {DEF_VERTPROJ, {0, 0, 0, 0, kF9}, true},    {DEF_ENDPOINT, {0, 0, 0, 0, kF6}, true},
        {DEF_EXITFUNC, {0, 0, 0, 0, kEscape}, true}, {SHOW_PAN, {}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(options.GetKeyBinding(c.slot), c.binding) << c.slot;
        EXPECT_EQ(options.IsFactoryKeyBinding(c.slot), c.factory) << c.slot;
    }
    int mode = -1;
    EXPECT_EQ(options.MatchPointKey(kF10, 0, 0, 0, mode), 1);
    EXPECT_EQ(mode, 0) << "F10 is the user's free point, not the factory tangent";

    // The user moves the free point to another key: the factory tangent is back.
    StoreBinding(DEF_FREEPOINT, KeyBinding{0, 0, 0, 0, 'R'});
    options.LoadKeyboard();
    EXPECT_EQ(options.GetKeyBinding(DEF_TANGENT), (KeyBinding{0, 0, 0, 0, kF10}));
    EXPECT_TRUE(options.IsFactoryKeyBinding(DEF_TANGENT));
    EXPECT_FALSE(options.IsFactoryKeyBinding(-1));
}

// A fresh profile can define points: every point-definition slot the view
// matches has a key of its own, and none of the menus' keys defines a point.
TEST(OptionsKeyboard, AFreshProfileBindsEveryPointKeyAndNoMenuKey)
{
    test::ScopedTestEnvironment env;
    COptions options;
    options.UseFactoryKeyBindings();
    std::set<int> keys;
    for (int slot : {DEF_FREEPOINT, DEF_INDIRECT, DEF_MID, DEF_HORPROJ, DEF_VERTPROJ, DEF_TANGENT, DEF_INDLAST,
                     DEF_EXITFUNC, DEF_ENDPOINT, DEF_PERPEND}) {
        const KeyBinding& b = options.GetKeyBinding(slot);
        EXPECT_NE(b.virtualKey, 0) << slot;
        EXPECT_TRUE(keys.insert(b.virtualKey).second) << "two slots share a key: " << slot;
        EXPECT_TRUE(options.IsFactoryKeyBinding(slot)) << slot;
    }
    // The menus' keys: Ctrl with a letter or Ins, Shift+Ins, Space and the
    // letter of Delete Idle Nodes.
    constexpr int kSpace = 32;
    constexpr int kInsert = 45;
    const struct {
        int key, shift, ctrl;
    } menuKeys[] = {{'N', 0, 1}, {'O', 0, 1}, {'S', 0, 1}, {'X', 0, 1}, {'Z', 0, 1}, {'Y', 0, 1}, {'C', 0, 1},
                    {'K', 0, 1}, {'L', 0, 1}, {'P', 0, 1}, {kInsert, 0, 1}, {kInsert, 1, 0}, {kSpace, 0, 0},
                    {'I', 0, 0}};
    for (const auto& k : menuKeys) {
        int mode = -1;
        EXPECT_EQ(options.MatchPointKey(k.key, 0, k.shift, k.ctrl, mode), 0) << k.key;
    }
}

TEST(OptionsStandards, LoadRemoveAndSave)
{
    test::ScopedTestEnvironment env;
    using platform::Registry;
    EXPECT_TRUE(Registry::writeInt(QStringLiteral("Standards"), QStringLiteral("AMOUNT"), 3));
    EXPECT_TRUE(Registry::writeString(QStringLiteral("Standards\\StdNames"), QStringLiteral("std0"), QStringLiteral("Boxes")));
    EXPECT_TRUE(Registry::writeString(QStringLiteral("Standards\\FileNames"), QStringLiteral("std0"), QStringLiteral("boxes.sif")));
    EXPECT_TRUE(Registry::writeString(QStringLiteral("Standards\\StdNames"), QStringLiteral("std1"), QStringLiteral("Trays")));
    EXPECT_TRUE(Registry::writeString(QStringLiteral("Standards\\FileNames"), QStringLiteral("std2"), QStringLiteral("lids.sif")));
    COptions options;
    options.LoadStandardsList();
    const StandardsList& list = options.GetStandards();
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.At(1).file, QStringLiteral("std1")); // a missing value reads as its name
    EXPECT_EQ(list.At(2).name, QStringLiteral("std2"));

    options.RemoveStandard(0);
    options.RemoveStandard(5); // outside the list: nothing
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(0).file, QStringLiteral("lids.sif")); // the last record took slot 0
    EXPECT_EQ(list.At(1).name, QStringLiteral("Trays"));
    EXPECT_EQ(options.AddStandard(QStringLiteral("New"), QStringLiteral("new.sif")), 2);
    options.RemoveStandard(2);
    options.SaveStandardsList();

    EXPECT_EQ(Registry::getInt(QStringLiteral("Standards"), QStringLiteral("AMOUNT"), -1), 2);
    EXPECT_EQ(Registry::getString(QStringLiteral("Standards\\StdNames"), QStringLiteral("std0")), QStringLiteral("std2"));
    // values beyond the count stay as they were
    EXPECT_EQ(Registry::getString(QStringLiteral("Standards\\FileNames"), QStringLiteral("std2")), QStringLiteral("lids.sif"));
    COptions reread;
    reread.LoadStandardsList();
    ASSERT_EQ(reread.GetStandards().Count(), 2);
    EXPECT_EQ(reread.GetStandards().At(1).file, QStringLiteral("std1"));
}

TEST(OptionsStandards, StandardBoxLivesInTheUserFolder)
{
    test::ScopedTestEnvironment env;
    COptions options;
    double a = -1, b = -1, h = -1, t = -1;
    EXPECT_FALSE(options.ReadStandardBox(QStringLiteral("FEFCO 0201"), a, b, h, t));
    EXPECT_EQ(a, -1);

    EXPECT_TRUE(options.WriteStandardBox(QStringLiteral("FEFCO 0201"), 100, 50, 80, 0.4));
    EXPECT_EQ(env.dir().read(QStringLiteral("user/Standards.ini")),
              QByteArray("[STANDARD]\nFEFCO 0201=(100.000000),(50.000000),(80.000000),(0.400000)\n"));
    EXPECT_TRUE(options.ReadStandardBox(QStringLiteral("fefco 0201"), a, b, h, t));
    EXPECT_EQ(a, 100);
    EXPECT_EQ(b, 50);
    EXPECT_EQ(h, 80);
    EXPECT_EQ(t, 0.4);

    env.dir().write(QStringLiteral("user/Standards.ini"), "[STANDARD]\nshort=(1.5),(2)\n");
    a = b = h = t = -1;
    EXPECT_TRUE(options.ReadStandardBox(QStringLiteral("short"), a, b, h, t));
    EXPECT_EQ(a, 1.5);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(h, -1);
}

} // namespace
